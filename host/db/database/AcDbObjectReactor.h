#pragma once
// A transient reactor on one object: told about its changes while it is attached.
// It is not filed; the one who attaches it keeps it alive and removes it.
#include "host/db/database/adesk.h"
#include "host/rx/AcRxObject.h"

class AcDbObject;
class AcDbStub;

class AcDbObjectReactor : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbObjectReactor);
    ~AcDbObjectReactor() override = default;

    virtual void cancelled(const AcDbObject* dbObj) {}
    virtual void copied(const AcDbObject* dbObj, const AcDbObject* newObj) {}
    virtual void erased(const AcDbObject* dbObj, Adesk::Boolean bErasing = true) {}
    virtual void goodbye(const AcDbObject* dbObj) {}
    virtual void openedForModify(const AcDbObject* dbObj) {}
    virtual void modified(const AcDbObject* dbObj) {}
    virtual void modifiedXData(const AcDbObject* dbObj) {}
    virtual void modifyUndone(const AcDbObject* dbObj) {}
    virtual void objectClosed(AcDbStub* objId) {}
};
