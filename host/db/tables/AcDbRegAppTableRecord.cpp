#include "host/db/tables/AcDbRegAppTableRecord.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/db/tables/AcDbRegAppTable.h"
#include "host/rx/adscodes.h"

ACRX_HOST_DEFINE_MEMBERS(AcDbRegAppTableRecord, AcDbSymbolTableRecord, L"APPID",
                         &host::makeObject<AcDbRegAppTableRecord>)
ACRX_HOST_DEFINE_MEMBERS(AcDbRegAppTable, AcDbSymbolTable, L"TABLE", &host::makeObject<AcDbRegAppTable>)

int acdbRegApp(const wchar_t* appname) {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (!db || !host::isValidSymbolName(appname, false)) return RTERROR;
    AcDbRegAppTable* table = nullptr;
    if (db->getRegAppTable(table, AcDb::kForWrite) != Acad::eOk) return RTERROR;
    int result = RTNORM;
    if (!table->has(appname)) {
        auto* rec = new AcDbRegAppTableRecord();
        rec->setName(appname);
        if (table->add(rec) == Acad::eOk)
            rec->close();
        else {
            delete rec;
            result = RTERROR;
        }
    }
    table->close();
    return result;
}

namespace host {

bool isRegisteredApp(AcDbDatabase* db, const std::wstring& appName) {
    if (!db) return false;
    AcDbObjectId tableId = db->regAppTableId();
    if (!tableId.isValid()) return false;
    // Read directly: the caller may be inside a write of anything.
    auto* table = AcDbRegAppTable::cast(static_cast<AcDbStub*>(tableId)->object);
    return table && table->has(appName.c_str());
}

} // namespace host
