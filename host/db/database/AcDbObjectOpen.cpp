#include "host/db/database/AcDbObjectOpen.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/entities/AcDbEntity.h"
#include "host/db/database/ObjectAccess.h"

Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& pObj, AcDbObjectId id, AcDb::OpenMode mode, bool openErasedObject) {
    pObj = nullptr;
    if (id.isNull()) return Acad::eNullObjectId;
    AcDbStub* stub = id;
    if (!stub->object) return Acad::eUnknownHandle;
    if (stub->erased && !openErasedObject) return Acad::eWasErased;
    if (mode == AcDb::kForWrite)
        if (const AcDbEntity* ent = AcDbEntity::cast(stub->object))
            if (host::isOnLockedLayer(ent)) return Acad::eOnLockedLayer;
    Acad::ErrorStatus es = host::ObjectAccess::open(stub->object, mode);
    if (es == Acad::eOk) pObj = stub->object;
    return es;
}

Acad::ErrorStatus acdbOpenAcDbEntity(AcDbEntity*& pEnt, AcDbObjectId id, AcDb::OpenMode mode, bool openErasedEntity) {
    pEnt = nullptr;
    AcDbObject* obj = nullptr;
    Acad::ErrorStatus es = acdbOpenAcDbObject(obj, id, mode, openErasedEntity);
    if (es != Acad::eOk) return es;
    pEnt = AcDbEntity::cast(obj);
    if (!pEnt) {
        obj->close();
        return Acad::eNotAnEntity;
    }
    return Acad::eOk;
}

Acad::ErrorStatus acdbGetAdsName(ads_name& objName, AcDbObjectId objId) {
    objName[0] = objName[1] = 0;
    if (objId.isNull()) return Acad::eNullObjectId;
    // The handle and the database, not the slot's address: a stale name can be
    // checked instead of followed.
    objName[0] = LONG_PTR(objId.handle().value());
    objName[1] = reinterpret_cast<LONG_PTR>(objId.database());
    return Acad::eOk;
}

Acad::ErrorStatus acdbGetObjectId(AcDbObjectId& objId, const ads_name objName) {
    objId.setNull();
    auto* db = reinterpret_cast<AcDbDatabase*>(objName[1]);
    if (!host::isLiveDatabase(db) || objName[0] == 0) return Acad::eInvalidAdsName;
    AcDbObjectId id;
    if (db->getAcDbObjectId(id, false, AcDbHandle(uint64_t(objName[0]))) != Acad::eOk) return Acad::eInvalidAdsName;
    objId = id;
    return Acad::eOk;
}
