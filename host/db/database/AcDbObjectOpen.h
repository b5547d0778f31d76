#pragma once
// Opening objects by id. Many readers or one writer: opening for write what is
// open for read gives eWasOpenForRead, for read what is open for write
// eWasOpenForWrite; an erased object gives eWasErased unless openErased is set;
// an entity on a locked layer cannot be opened for write (eOnLockedLayer). On any
// error the pointer is null and nothing is open.
#include "host/db/database/AcDb.h"
#include "host/db/database/AcDbObject.h"
#include "host/db/database/AcDbObjectId.h"
#include "host/rx/acadstrc.h"

class AcDbEntity;

Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& pObj, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErasedObject = false);
// eNotAnEntity for an object that is not an entity.
Acad::ErrorStatus acdbOpenAcDbEntity(AcDbEntity*& pEnt, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErasedEntity = false);

// eNotThatKindOfClass when the object is not a T.
template <class T>
Acad::ErrorStatus acdbOpenObject(T*& pObj, AcDbObjectId id, AcDb::OpenMode mode = AcDb::kForRead,
                                 bool openErased = false) {
    pObj = nullptr;
    AcDbObject* p = nullptr;
    Acad::ErrorStatus es = acdbOpenAcDbObject(p, id, mode, openErased);
    if (es != Acad::eOk) return es;
    pObj = T::cast(p);
    if (!pObj) {
        p->close();
        return Acad::eNotThatKindOfClass;
    }
    return Acad::eOk;
}

// Entity names of the selection functions: an ads_name that stands for an id.
Acad::ErrorStatus acdbGetAdsName(ads_name& objName, AcDbObjectId objId);
// eInvalidAdsName for a name that stands for no object of a living database.
Acad::ErrorStatus acdbGetObjectId(AcDbObjectId& objId, const ads_name objName);
