// Handle texts and the drawings read from disk that they may name.
#include "module/services/DbServices.h"

#include "module/base/FilePaths.h"
#include "module/base/LintaroLog.h"
#include "module/options/OptStrings.h"

#include "host/ap/AcApDocManager.h"
#include "host/ap/AcApDocument.h"
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbObject.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/win/FormatW.h"
#include "host/win/WinFiles.h"

#include <memory>

namespace {

constexpr const wchar_t* kDrawingExtension = L".dwg";

// A handle text: hexadecimal digits only, so that "1F)" or "" never name an object.
bool parseHandle(const std::wstring& text, AcDbHandle& handle) {
    const std::wstring t = OptTrim(text);
    if (t.empty() || t.size() > 16) return false;
    for (wchar_t c : t)
        if (!((c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F'))) return false;
    handle = AcDbHandle(t.c_str());
    return !handle.isNull();
}

// The file part of "<file>.dwg" or "<file>.dwg:<handle>"; empty without ".dwg".
std::wstring drawingFilePart(const std::wstring& text) {
    const std::size_t pos = OptLower(text).rfind(kDrawingExtension);
    if (pos == std::wstring::npos) return std::wstring();
    return text.substr(0, pos + 4);
}

// The database of the external reference whose block has this handle; null when the
// handle names no such block.
AcDbDatabase* xrefDatabase(AcDbDatabase* db, const std::wstring& blockHandle) {
    AcDbHandle handle;
    AcDbObjectId blockId;
    if (!parseHandle(blockHandle, handle) || db->getAcDbObjectId(blockId, false, handle) != Acad::eOk)
        return nullptr;
    AcDbBlockTableRecord* block = nullptr;
    if (acdbOpenObject(block, blockId, AcDb::kForRead) != Acad::eOk) return nullptr;
    AcDbDatabase* xref = block->xrefDatabase(true);
    block->close();
    return xref;
}

// The database of the open drawing saved as `file`; null when none is open. A drawing
// that is open is followed as it is now rather than as it was last saved.
AcDbDatabase* openDrawing(const std::wstring& file) {
    std::unique_ptr<AcApDocumentIterator> it(acDocManager->newAcApDocumentIterator());
    for (; it && !it->done(); it->step()) {
        const AcApDocument* doc = it->document();
        if (doc && doc->fileName() && OptLower(doc->fileName()) == OptLower(file)) return doc->database();
    }
    return nullptr;
}

} // namespace

// ---- CExtDWGList

CExtDWGList::CExtDWGList() = default;
CExtDWGList::~CExtDWGList() = default;

AcDbDatabase* CExtDWGList::find(const std::wstring& fileName) const {
    for (const CExtDWG& d : m_drawings)
        if (d.fileName == fileName) return d.db.get();
    return nullptr;
}

AcDbDatabase* CExtDWGList::add(const std::wstring& fileName, std::unique_ptr<AcDbDatabase> db) {
    m_drawings.push_back(CExtDWG{fileName, std::move(db)});
    return m_drawings.back().db.get();
}

void CExtDWGList::clear() {
    m_drawings.clear();
}

CExtDWGList& ExternalDrawings() {
    static CExtDWGList list;
    return list;
}

AcDbDatabase* GetExternalDwg(CExtDWGList& list, const std::wstring& text) {
    const std::wstring file = drawingFilePart(text);
    if (file.empty()) {
        LogFmt(L"\n !GetExternalDwg(%s)", text.c_str());
        return nullptr;
    }
    if (AcDbDatabase* known = list.find(file)) return known;
    if (!FileExists(file)) {
        LogFmt(L"\n !FileFound(%s)", file.c_str());
        return nullptr;
    }
    auto db = std::make_unique<AcDbDatabase>(false, true);
    const Acad::ErrorStatus es = db->readDwgFile(file.c_str(), _SH_DENYNO, false, nullptr);
    if (es != Acad::eOk) {
        LogFmt(L"\n !GetExternalDwg(%s) es=%d", file.c_str(), static_cast<int>(es));
        return nullptr;
    }
    return list.add(file, std::move(db));
}

// ---- handle texts

std::wstring GetHandleString(const AcDbObject* object) {
    if (!object) return std::wstring();
    AcDbHandle handle;
    object->getAcDbHandle(handle);
    wchar_t buffer[17] = {};
    handle.getIntoAsciiBuffer(buffer, 17);
    return buffer;
}

std::wstring EntityXref2Handle(const AcDbObject* object) {
    const std::wstring handle = GetHandleString(object);
    AcDbDatabase* db = object ? object->database() : nullptr;
    if (!db || db->xrefBlockId().isNull()) return handle;
    LogMsg(L" EntityXref2Handle-xrefBlockId ");
    AcDbObject* block = nullptr;
    if (acdbOpenAcDbObject(block, db->xrefBlockId(), AcDb::kForRead) != Acad::eOk) return handle;
    const std::wstring blockHandle = GetHandleString(block);
    block->close();
    return host::FormatW(L"%s:%s", blockHandle.c_str(), handle.c_str());
}

std::wstring EntityHandleFor(const AcDbObject* object, AcDbDatabase* db) {
    AcDbDatabase* own = object ? object->database() : nullptr;
    if (own && own != db) {
        const wchar_t* name = nullptr;
        if (own->getFilename(name) == Acad::eOk && name && *name)
            return host::FormatW(L"%s:%s", name, GetHandleString(object).c_str());
    }
    return EntityXref2Handle(object);
}

AcDbObjectId Handle2ObjectId(AcDbDatabase* db, const std::wstring& text) {
    LogFmt(L" Handle2ObjectId(%d, %s) ", db ? 1 : 0, text.c_str());
    if (!db) db = acdbCurDwg();
    std::wstring handleText = text;
    const std::size_t colon = text.rfind(L':');
    if (colon != std::wstring::npos) {
        const std::wstring owner = text.substr(0, colon);
        handleText = text.substr(colon + 1);
        if (!OptContainsNoCase(owner, kDrawingExtension))
            db = db ? xrefDatabase(db, owner) : nullptr;
        else if (AcDbDatabase* open = openDrawing(drawingFilePart(owner)))
            db = open;
        else
            db = GetExternalDwg(ExternalDrawings(), owner);
        LogFmt(L" => (%d, %s) ", db ? 1 : 0, handleText.c_str());
    }
    AcDbHandle handle;
    AcDbObjectId id;
    if (!db || !parseHandle(handleText, handle) || db->getAcDbObjectId(id, false, handle) != Acad::eOk ||
        !id.isValid()) {
        LogMsg(L" getObjId=NULL ");
        return AcDbObjectId::kNull;
    }
    return id;
}
