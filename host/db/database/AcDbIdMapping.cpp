// Deep cloning: copies of objects in the same database, owned by a block,
// recorded in an id mapping, with the originals' reactors told.
#include "host/db/database/AcDbIdMapping.h"

#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/entities/AcDbEntity.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/database/AcDbObjectReactor.h"

Acad::ErrorStatus AcDbIdMapping::assign(const AcDbIdPair& pair) {
    if (pair.key().isNull()) return Acad::eNullObjectId;
    m_pairs[pair.key()] = pair;
    if (!m_orig) m_orig = pair.key().database();
    return Acad::eOk;
}

bool AcDbIdMapping::compute(AcDbIdPair& pair) const {
    auto it = m_pairs.find(pair.key());
    if (it == m_pairs.end()) return false;
    pair = it->second;
    return true;
}

bool AcDbIdMapping::del(AcDbObjectId key) { return m_pairs.erase(key) > 0; }

Acad::ErrorStatus AcDbIdMapping::destDb(AcDbDatabase*& db) const {
    db = m_dest;
    return m_dest ? Acad::eOk : Acad::eNoDatabase;
}

Acad::ErrorStatus AcDbIdMapping::setDestDb(AcDbDatabase* db) {
    m_dest = db;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbIdMapping::origDb(AcDbDatabase*& db) const {
    db = m_orig;
    return m_orig ? Acad::eOk : Acad::eNoDatabase;
}

Acad::ErrorStatus AcDbObject::deepClone(AcDbObject* pOwnerObject, AcDbObject*& pClonedObject, AcDbIdMapping& idMap,
                                        Adesk::Boolean isPrimary) const {
    pClonedObject = nullptr;
    AcDbIdPair known(objectId(), AcDbObjectId(), false);
    if (idMap.compute(known) && known.isCloned()) return Acad::eOk; // cloned already
    auto* block = AcDbBlockTableRecord::cast(pOwnerObject);
    auto* ent = AcDbEntity::cast(const_cast<AcDbObject*>(this));
    if (!block || !ent) return Acad::eNotApplicable;
    AcDbEntity* copy = AcDbEntity::cast(clone());
    if (!copy) return Acad::eNotApplicable;
    AcDbObjectId copyId;
    Acad::ErrorStatus es = block->appendAcDbEntity(copyId, copy);
    if (es != Acad::eOk) {
        delete copy;
        return es;
    }
    idMap.assign(AcDbIdPair(objectId(), copyId, true, isPrimary));
    if (!idMap.pairs().empty()) idMap.setDestDb(block->database());
    sendCopied(copy);
    pClonedObject = copy;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::deepCloneObjects(AcDbObjectIdArray& objectIds, AcDbObjectId& owner,
                                                 AcDbIdMapping& idMap, bool) {
    AcDbBlockTableRecord* block = nullptr;
    Acad::ErrorStatus es = acdbOpenObject(block, owner, AcDb::kForWrite);
    if (es != Acad::eOk) return es;
    idMap.setDestDb(this);
    for (AcDbObjectId id : objectIds) {
        if (id.database() != this) continue;
        AcDbObject* obj = nullptr;
        if (acdbOpenAcDbObject(obj, id, AcDb::kForRead) != Acad::eOk) continue;
        AcDbObject* copy = nullptr;
        es = obj->deepClone(block, copy, idMap, true);
        obj->close();
        if (copy) copy->close();
        if (es != Acad::eOk) break;
    }
    block->close();
    return es;
}
