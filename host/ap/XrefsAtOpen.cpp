#include "host/ap/XrefsAtOpen.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/database/DrawingFileMessage.h"
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/tables/acdbXref.h"
#include "host/win/FormatW.h"

namespace host::ap {

namespace {

struct XrefName {
    std::wstring name;
    std::wstring path;
};

XrefName nameOf(AcDbObjectId blockId) {
    XrefName x;
    AcDbBlockTableRecord* block = nullptr;
    if (acdbOpenObject(block, blockId, AcDb::kForRead) != Acad::eOk) return x;
    const wchar_t* path = L"";
    block->pathName(path);
    x.name = block->name();
    x.path = path;
    block->close();
    return x;
}

std::wstring outcome(const XrefName& x, Acad::ErrorStatus es, const std::wstring& why) {
    if (es == Acad::eOk) return FormatW(L"Xref \"%s\" loaded: %s", x.name.c_str(), x.path.c_str());
    if (es == Acad::eFileNotFound)
        return FormatW(L"Xref \"%s\": \"%s\" not found - shown as it was saved.", x.name.c_str(), x.path.c_str());
    const std::wstring reason = why.empty() ? FormatW(L"error status %d", int(es)) : why;
    return FormatW(L"Xref \"%s\" could not be read (%s) - shown as it was saved.", x.name.c_str(),
                   reason.c_str());
}

} // namespace

void reloadXrefsAtOpen(AcDbDatabase* db) {
    const std::vector<AcDbObjectId> blocks = xrefBlocks(db);
    if (blocks.empty()) return;
    std::wstring notices = drawingFileMessage();
    const bool recording = db->undoRecording();
    const bool modified = db->isModifiedSinceSave();
    db->disableUndoRecording(true);
    for (AcDbObjectId id : blocks) {
        const XrefName x = nameOf(id);
        setDrawingFileMessage(L"");
        const Acad::ErrorStatus es = acdbReloadXrefs(db, AcDbObjectIdArray{id});
        notices += (notices.empty() ? L"" : L"\n") + outcome(x, es, drawingFileMessage());
    }
    db->disableUndoRecording(!recording);
    db->setModifiedSinceSave(modified);
    setDrawingFileMessage(notices);
}

} // namespace host::ap
