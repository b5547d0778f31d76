#pragma once
// The slot of one object in its database: what an object id points to. The slot
// outlives the object's erasure (undo may bring it back) and lives as long as the
// database. Host code only; the module sees AcDbObjectId.
#include "host/db/database/AcDbHandle.h"

class AcDbDatabase;
class AcDbObject;

class AcDbStub {
public:
    AcDbDatabase* database = nullptr;
    AcDbObject* object = nullptr; // null while only the handle is known (a file not read yet)
    AcDbHandle handle;
    bool erased = false;
};
