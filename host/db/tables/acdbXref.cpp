#include "host/db/tables/acdbXref.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/database/DxfIn.h"
#include "host/db/database/ForeignObjectCopy.h"
#include "host/db/dimensions/AcDbDimension.h"
#include "host/db/entities/AcDbBlockReference.h"
#include "host/db/entities/AcDbEntity.h"
#include "host/db/tables/AcDbBlockTable.h"
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/win/Utf8.h"
#include "host/win/WinCrt.h"

#include <filesystem>
#include <memory>
#include <system_error>

namespace {

bool sameFile(const std::wstring& a, const wchar_t* b) {
    if (a.empty() || !b || !*b) return false;
    std::error_code ec1, ec2;
    const auto pa = std::filesystem::weakly_canonical(std::filesystem::path(host::toUtf8(a)), ec1);
    const auto pb = std::filesystem::weakly_canonical(std::filesystem::path(host::toUtf8(b)), ec2);
    return !ec1 && !ec2 && pa == pb;
}

bool isDxfName(const std::wstring& file) {
    return host::toLowerCase(host::fromUtf8(std::filesystem::path(host::toUtf8(file)).extension().string())) ==
           L".dxf";
}

// The other drawing, read whole: a DXF file through the DXF import, anything else as
// a drawing file of this host.
Acad::ErrorStatus readOther(const std::wstring& file, std::unique_ptr<AcDbDatabase>& other) {
    const bool dxf = isDxfName(file);
    other = std::make_unique<AcDbDatabase>(dxf, true);
    const Acad::ErrorStatus es = dxf ? host::dxfIn(other.get(), file.c_str()) : other->readDwgFile(file.c_str());
    if (es != Acad::eOk) other.reset();
    return es;
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
    std::unique_ptr<AcDbDatabase> other;
    if ((es = readOther(file, other)) != Acad::eOk) return es;
    if ((es = addXrefBlock(db, name, file, overlay, id)) != Acad::eOk) return es;
    host::ForeignCopyReport report;
    return host::copyModelSpaceInto(other.get(), id, report);
}

// The block's path and whether it is an external reference at all.
bool xrefPath(AcDbObjectId blockId, std::wstring& path) {
    AcDbBlockTableRecord* block = nullptr;
    if (acdbOpenObject(block, blockId, AcDb::kForRead) != Acad::eOk) return false;
    const wchar_t* stored = L"";
    block->pathName(stored);
    path = stored;
    const bool xref = block->isFromExternalReference();
    block->close();
    return xref;
}

// Where the file of a saved reference is now: the path as stored, else (the host
// drawing and its references moved together) the host drawing's folder joined with
// the stored relative path or with the file's name alone.
std::wstring resolvedPath(AcDbDatabase* db, const std::wstring& stored) {
    namespace fs = std::filesystem;
    const fs::path path(host::toUtf8(stored));
    std::error_code ec;
    if (fs::is_regular_file(path, ec)) return stored;
    const wchar_t* own = L"";
    if (db->getFilename(own) != Acad::eOk || !*own) return stored;
    const fs::path folder = fs::path(host::toUtf8(own)).parent_path();
    if (path.is_relative() && fs::is_regular_file(folder / path, ec)) return host::fromUtf8((folder / path).string());
    const fs::path beside = folder / path.filename();
    return fs::is_regular_file(beside, ec) ? host::fromUtf8(beside.string()) : stored;
}

// The anonymous block an entity draws through (a dimension's graphics, an anonymous
// insertion); null for any other.
AcDbObjectId anonymousBlockOf(const AcDbEntity* entity) {
    AcDbObjectId id;
    if (const auto* dim = AcDbDimension::cast(entity))
        id = dim->dimBlockId();
    else if (const auto* ref = AcDbBlockReference::cast(entity))
        id = ref->blockTableRecord();
    AcDbBlockTableRecord* block = nullptr;
    if (id.isNull() || acdbOpenObject(block, id, AcDb::kForRead) != Acad::eOk) return AcDbObjectId();
    const bool anonymous = block->isAnonymous();
    block->close();
    return anonymous ? id : AcDbObjectId();
}

// Erases the block's entities: what a reload replaces. The anonymous blocks they drew
// through were copied for them alone (ForeignObjectCopy.h) and go with them, so
// reloading again and again does not pile up blocks nothing uses.
void emptyBlock(AcDbObjectId blockId, int depth = 0) {
    AcDbBlockTableRecord* block = nullptr;
    if (depth > 64 || acdbOpenObject(block, blockId, AcDb::kForRead) != Acad::eOk) return;
    const std::vector<AcDbObjectId> ids = block->entityIds();
    block->close();
    for (AcDbObjectId id : ids) {
        AcDbEntity* entity = nullptr;
        if (acdbOpenAcDbEntity(entity, id, AcDb::kForWrite) != Acad::eOk) continue;
        const AcDbObjectId anonymous = anonymousBlockOf(entity);
        entity->erase();
        entity->close();
        if (anonymous.isNull() || anonymous == blockId) continue;
        emptyBlock(anonymous, depth + 1);
        if (acdbOpenObject(block, anonymous, AcDb::kForWrite) == Acad::eOk) {
            block->erase();
            block->close();
        }
    }
}

Acad::ErrorStatus reload(AcDbDatabase* db, AcDbObjectId blockId) {
    std::wstring stored;
    if (blockId.database() != db || !xrefPath(blockId, stored) || stored.empty()) return Acad::eInvalidInput;
    std::unique_ptr<AcDbDatabase> other;
    const Acad::ErrorStatus es = readOther(resolvedPath(db, stored), other);
    if (es != Acad::eOk) return es;
    emptyBlock(blockId);
    host::ForeignCopyReport report;
    return host::copyModelSpaceInto(other.get(), blockId, report);
}

} // namespace

Acad::ErrorStatus acdbAttachXref(AcDbDatabase* pHostDb, const wchar_t* pFilename, const wchar_t* pBlockName,
                                 AcDbObjectId& xrefBlkId) {
    return attach(pHostDb, pFilename, pBlockName, false, xrefBlkId);
}

Acad::ErrorStatus acdbReloadXrefs(AcDbDatabase* pHostDb, const AcDbObjectIdArray& xrefBlkIds, bool) {
    if (!pHostDb) return Acad::eInvalidInput;
    Acad::ErrorStatus first = Acad::eOk;
    for (int i = 0; i < xrefBlkIds.length(); ++i) {
        const Acad::ErrorStatus es = reload(pHostDb, xrefBlkIds[i]);
        if (first == Acad::eOk) first = es;
    }
    return first;
}

std::vector<AcDbObjectId> host::xrefBlocks(AcDbDatabase* db) {
    std::vector<AcDbObjectId> found;
    AcDbBlockTable* table = nullptr;
    if (!db || db->getBlockTable(table, AcDb::kForRead) != Acad::eOk) return found;
    std::vector<AcDbObjectId> all = table->recordIds();
    table->close();
    std::wstring path;
    for (AcDbObjectId id : all)
        if (xrefPath(id, path)) found.push_back(id);
    return found;
}

Acad::ErrorStatus acdbOverlayXref(AcDbDatabase* pHostDb, const wchar_t* pFilename, const wchar_t* pBlockName,
                                  AcDbObjectId& xrefBlkId) {
    return attach(pHostDb, pFilename, pBlockName, true, xrefBlkId);
}
