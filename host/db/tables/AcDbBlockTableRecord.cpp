#include "host/db/tables/AcDbBlockTableRecord.h"

#include "host/db/entities/AcDbAttributeDefinition.h"
#include "host/db/tables/AcDbBlockTable.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/filing/AcDbDwgFiler.h"
#include "host/db/entities/AcDbEntity.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/tables/AcDbSortentsTable.h"
#include "host/db/database/ObjectAccess.h"

ACRX_HOST_DEFINE_MEMBERS(AcDbBlockTableRecord, AcDbSymbolTableRecord, L"BLOCK_RECORD",
                         &host::makeObject<AcDbBlockTableRecord>)
ACRX_HOST_DEFINE_MEMBERS(AcDbBlockTable, AcDbSymbolTable, L"TABLE", &host::makeObject<AcDbBlockTable>)

namespace {
// 2: the path and the overlay flag of an external reference.
constexpr Adesk::Int16 kBlockVersion = 2;
}

bool AcDbBlockTableRecord::isNameFixed() const {
    std::wstring key = host::symbolKey(name());
    return key == L"*MODEL_SPACE" || key == L"*PAPER_SPACE";
}

bool AcDbBlockTableRecord::isLayout() const { return isNameFixed(); }

bool AcDbBlockTableRecord::isAnonymous() const { return !name().empty() && name()[0] == L'*' && !isLayout(); }

bool AcDbBlockTableRecord::hasAttributeDefinitions() const {
    for (AcDbObjectId id : m_entities)
        if (id.isValid() && !id.isErased() && AcDbAttributeDefinition::cast(static_cast<AcDbStub*>(id)->object))
            return true;
    return false;
}

Acad::ErrorStatus AcDbBlockTableRecord::subErase(Adesk::Boolean erasing) {
    return erasing && isLayout() ? Acad::eCannotBeErasedByCaller : Acad::eOk;
}

void AcDbBlockTableRecord::setOrigin(const AcGePoint3d& origin) {
    assertWriteEnabled();
    m_origin = origin;
}

Acad::ErrorStatus AcDbBlockTableRecord::comments(const wchar_t*& pString) const {
    pString = m_comments.c_str();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::setComments(const wchar_t* pString) {
    assertWriteEnabled();
    m_comments = pString ? pString : L"";
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::pathName(const wchar_t*& pPath) const {
    pPath = m_path.c_str();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::setPathName(const wchar_t* pathStr) {
    // A layout never refers to another drawing.
    if (isLayout() && pathStr && *pathStr) return Acad::eIllegalReplacement;
    assertWriteEnabled();
    m_path = pathStr ? pathStr : L"";
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::setIsFromOverlayReference(bool overlaid) {
    if (!isFromExternalReference()) return Acad::eNotApplicable;
    assertWriteEnabled();
    m_overlay = overlaid;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::appendAcDbEntity(AcDbEntity* pEntity) {
    AcDbObjectId id;
    return appendAcDbEntity(id, pEntity);
}

Acad::ErrorStatus AcDbBlockTableRecord::appendAcDbEntity(AcDbObjectId& pOutputId, AcDbEntity* pEntity) {
    pOutputId.setNull();
    if (!pEntity) return Acad::eNullEntityPointer;
    AcDbDatabase* db = database();
    if (!db) return Acad::eMustFirstAddBlockToDb;
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (pEntity->objectId().isValid()) return Acad::eAlreadyInDb;
    // What the entity was not given comes from the database: its current layer and linetype.
    if (pEntity->layerId().isNull() || pEntity->layerId().database() != db)
        pEntity->setLayer(db->clayer().isValid() ? db->clayer() : db->layerZero());
    if (pEntity->linetypeId().isNull() || pEntity->linetypeId().database() != db)
        pEntity->setLinetype(db->celtype().isValid() ? db->celtype() : db->byLayerLinetype());
    host::ObjectAccess::setOwner(pEntity, objectId());
    AcDbObjectId id;
    // The owner list grows before the database tells its reactors, so a reactor
    // that walks the block finds the new entity.
    m_entities.push_back(AcDbObjectId());
    Acad::ErrorStatus es = db->addAcDbObject(id, pEntity);
    if (es != Acad::eOk) {
        m_entities.pop_back();
        host::ObjectAccess::setOwner(pEntity, AcDbObjectId::kNull);
        return es;
    }
    m_entities.back() = id;
    pOutputId = id;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::newIterator(AcDbBlockTableRecordIterator*& pIterator, bool atBeginning,
                                                    bool skipDeleted) const {
    std::vector<AcDbObjectId> ids;
    ids.reserve(m_entities.size());
    for (AcDbObjectId id : m_entities)
        if (!id.isNull()) ids.push_back(id);
    pIterator = new AcDbBlockTableRecordIterator(std::move(ids));
    pIterator->start(atBeginning, skipDeleted);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::getSortentsTable(AcDbSortentsTable*& pSortents, AcDb::OpenMode openMode,
                                                         bool createIfNecessary) {
    pSortents = nullptr;
    if (m_sortents.isNull() || !m_sortents.isValid()) {
        if (!createIfNecessary) return Acad::eKeyNotFound;
        AcDbDatabase* db = database();
        if (!db) return Acad::eNoDatabase;
        auto* table = new AcDbSortentsTable();
        host::ObjectAccess::setOwner(table, objectId());
        AcDbObjectId id;
        Acad::ErrorStatus es = db->addAcDbObject(id, table);
        if (es != Acad::eOk) {
            delete table;
            return es;
        }
        table->setBlockId(objectId());
        // Which table a block has is bookkeeping, not a change the user made.
        m_sortents = id;
        if (openMode == AcDb::kForWrite) {
            pSortents = table;
            return Acad::eOk;
        }
        table->close();
    }
    return acdbOpenObject(pSortents, m_sortents, openMode);
}

Acad::ErrorStatus AcDbBlockTableRecord::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeInt16(kBlockVersion);
    filer->writePoint3d(m_origin);
    filer->writeString(m_comments);
    filer->writeString(m_path);
    filer->writeBoolean(m_overlay);
    // Undo leaves the entity list alone: entities come and go by appending and
    // erasing, which undo handles itself.
    if (filer->filerType() == AcDb::kUndoFiler) return filer->filerStatus();
    filer->writeHardOwnershipId(m_sortents);
    host::writeOwnedIds(filer, m_entities);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbBlockTableRecord::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    Adesk::Int16 version = 0;
    AcGePoint3d origin;
    std::wstring comments, path;
    Adesk::Boolean overlay = false;
    filer->readInt16(&version);
    // Drawings saved before blocks could refer to other drawings still open.
    if (filer->filerStatus() == Acad::eOk && version != kBlockVersion && version != 1)
        filer->setFilerStatus(Acad::eInvalidDwgVersion);
    filer->readPoint3d(&origin);
    filer->readString(comments);
    if (version >= 2) {
        filer->readString(path);
        filer->readBoolean(&overlay);
    }
    if (filer->filerType() == AcDb::kUndoFiler || filer->filerStatus() != Acad::eOk) {
        if (filer->filerStatus() == Acad::eOk) {
            m_origin = origin;
            m_comments = comments;
            m_path = path;
            m_overlay = overlay;
        }
        return filer->filerStatus();
    }
    AcDbHardOwnershipId sortents;
    filer->readHardOwnershipId(&sortents);
    std::vector<AcDbObjectId> ids;
    if (host::readOwnedIds(filer, ids) != Acad::eOk) return filer->filerStatus();
    m_origin = origin;
    m_comments = comments;
    m_path = path;
    m_overlay = overlay;
    m_sortents = sortents;
    m_entities = std::move(ids);
    return Acad::eOk;
}

// ---- iterator ---------------------------------------------------------------------

Acad::ErrorStatus AcDbBlockTableRecordIterator::getEntity(AcDbEntity*& pEntity, AcDb::OpenMode openMode,
                                                          bool openErasedEntity) const {
    pEntity = nullptr;
    AcDbObjectId id;
    Acad::ErrorStatus es = m_cursor.current(id);
    return es == Acad::eOk ? acdbOpenAcDbEntity(pEntity, id, openMode, openErasedEntity) : es;
}

Acad::ErrorStatus AcDbBlockTableRecordIterator::seek(const AcDbEntity* pEntity) {
    return pEntity ? seek(pEntity->objectId()) : Acad::eNullEntityPointer;
}
