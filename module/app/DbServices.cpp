#include "module/app/DbServices.h"

#include "module/app/LintaroLog.h"

#include "host/db/AcDbHostApplicationServices.h"

AcDbDatabase* acdbCurDwg() {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (!db) LogMsg(L"\n **** acdbCurDwg() workingDatabase = NULL !!!");
    return db;
}
