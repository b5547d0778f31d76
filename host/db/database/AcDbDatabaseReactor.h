#pragma once
// A reactor on a whole database: told when objects are appended, modified or
// erased in it. The database does not own its reactors.
#include "host/db/database/AcDbObjectId.h"
#include "host/db/database/adesk.h"
#include "host/rx/AcRxObject.h"

class AcDbDatabase;
class AcDbObject;

class AcDbDatabaseReactor : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbDatabaseReactor);
    ~AcDbDatabaseReactor() override = default;

    virtual void objectAppended(const AcDbDatabase* dwg, const AcDbObject* dbObj) {}
    virtual void objectUnAppended(const AcDbDatabase* dwg, const AcDbObject* dbObj) {}
    virtual void objectReAppended(const AcDbDatabase* dwg, const AcDbObject* dbObj) {}
    virtual void objectOpenedForModify(const AcDbDatabase* dwg, const AcDbObject* dbObj) {}
    virtual void objectModified(const AcDbDatabase* dwg, const AcDbObject* dbObj) {}
    virtual void objectErased(const AcDbDatabase* dwg, const AcDbObject* dbObj, Adesk::Boolean pErased = true) {}
    virtual void headerSysVarWillChange(const AcDbDatabase* dwg, const wchar_t* name) {}
    virtual void headerSysVarChanged(const AcDbDatabase* dwg, const wchar_t* name, Adesk::Boolean bSuccess) {}
    virtual void proxyResurrectionCompleted(const AcDbDatabase* dwg, const wchar_t* appname,
                                            AcDbObjectIdArray& objects) {}
    virtual void goodbye(const AcDbDatabase* dwg) {}
};
