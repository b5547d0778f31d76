#include "host/db/tables/acdbXref.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/database/ForeignObjectCopy.h"
#include "host/db/tables/AcDbBlockTable.h"
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/win/Utf8.h"

#include <filesystem>
#include <system_error>

namespace {

bool sameFile(const std::wstring& a, const wchar_t* b) {
    if (a.empty() || !b || !*b) return false;
    std::error_code ec1, ec2;
    const auto pa = std::filesystem::weakly_canonical(std::filesystem::path(host::toUtf8(a)), ec1);
    const auto pb = std::filesystem::weakly_canonical(std::filesystem::path(host::toUtf8(b)), ec2);
    return !ec1 && !ec2 && pa == pb;
}

// The block of that name: eOk with its id when it already refers to the file,
// eKeyNotFound when there is none, eDuplicateRecordName when it is another block.
Acad::ErrorStatus existingXref(AcDbDatabase* db, const wchar_t* name, const wchar_t* file, AcDbObjectId& id) {
    AcDbBlockTable* table = nullptr;
    Acad::ErrorStatus es = db->getBlockTable(table, AcDb::kForRead);
    if (es != Acad::eOk) return es;
    es = table->getAt(name, id);
    table->close();
    if (es != Acad::eOk) return Acad::eKeyNotFound;
    AcDbBlockTableRecord* block = nullptr;
    if ((es = acdbOpenObject(block, id, AcDb::kForRead)) != Acad::eOk) return es;
    const wchar_t* path = L"";
    block->pathName(path);
    const bool same =
        block->isFromExternalReference() && (std::wstring(path) == file || sameFile(path, file));
    block->close();
    if (!same) id.setNull();
    return same ? Acad::eOk : Acad::eDuplicateRecordName;
}

Acad::ErrorStatus addXrefBlock(AcDbDatabase* db, const wchar_t* name, const wchar_t* file, bool overlay,
                               AcDbObjectId& id) {
    AcDbBlockTable* table = nullptr;
    Acad::ErrorStatus es = db->getBlockTable(table, AcDb::kForWrite);
    if (es != Acad::eOk) return es;
    auto* block = new AcDbBlockTableRecord();
    es = block->setName(name);
    if (es == Acad::eOk) es = table->add(id, block);
    if (es != Acad::eOk) {
        delete block;
        table->close();
        return es;
    }
    block->setPathName(file);
    block->setIsFromOverlayReference(overlay);
    block->close();
    table->close();
    return Acad::eOk;
}

Acad::ErrorStatus attach(AcDbDatabase* db, const wchar_t* file, const wchar_t* name, bool overlay,
                         AcDbObjectId& id) {
    id.setNull();
    if (!db || !file || !*file || !name) return Acad::eInvalidInput;
    if (!host::isValidSymbolName(name, false)) return Acad::eInvalidSymbolTableName;
    const wchar_t* own = L"";
    if (db->getFilename(own) == Acad::eOk && sameFile(own, file)) return Acad::eSelfReference;
    Acad::ErrorStatus es = existingXref(db, name, file, id);
    if (es != Acad::eKeyNotFound) return es;
    // The other drawing is read whole before anything of this one changes.
    AcDbDatabase other(false, true);
    if ((es = other.readDwgFile(file)) != Acad::eOk) return es;
    if ((es = addXrefBlock(db, name, file, overlay, id)) != Acad::eOk) return es;
    host::ForeignCopyReport report;
    return host::copyModelSpaceInto(&other, id, report);
}

} // namespace

Acad::ErrorStatus acdbAttachXref(AcDbDatabase* pHostDb, const wchar_t* pFilename, const wchar_t* pBlockName,
                                 AcDbObjectId& xrefBlkId) {
    return attach(pHostDb, pFilename, pBlockName, false, xrefBlkId);
}

Acad::ErrorStatus acdbOverlayXref(AcDbDatabase* pHostDb, const wchar_t* pFilename, const wchar_t* pBlockName,
                                  AcDbObjectId& xrefBlkId) {
    return attach(pHostDb, pFilename, pBlockName, true, xrefBlkId);
}
