#include "module/app/Regenerate.h"

#include "module/chain/TRdim.h"
#include "module/height/TRdimHeight.h"
#include "module/services/DbServices.h"
#include "module/services/DocLocks.h"

#include "host/db/tables/AcDbBlockTable.h"
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/ed/acutPrintf.h"

#include <vector>

int DwgRegenVargo(int mode) {
    AcDbDatabase* db = acdbCurDwg();
    if (!db) return 0;
    CDbLockScope lock(db, L"DwgRegenVargo");
    AcDbBlockTable* table = nullptr;
    if (db->getBlockTable(table, AcDb::kForRead) != Acad::eOk) {
        acutPrintf(L"\nCannot get block table.");
        return 0;
    }
    AcDbBlockTableRecord* space = nullptr;
    const Acad::ErrorStatus es = table->getAt(ACDB_MODEL_SPACE, space, AcDb::kForRead);
    table->close();
    if (es != Acad::eOk) {
        acutPrintf(L"\nCannot get block table.");
        return 0;
    }
    // A snapshot: regenerating may append or erase nothing here, but the list must not
    // move under the walk either way.
    const std::vector<AcDbObjectId> ids = space->entityIds();
    space->close();
    int asked = 0;
    for (AcDbObjectId id : ids) {
        if (id.isErased()) continue;
        AcDbEntity* entity = nullptr;
        if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk) continue;
        if (TRdim* chain = TRdim::cast(entity)) {
            chain->Regenerate(mode);
            ++asked;
        } else if (TRdimHeight* mark = TRdimHeight::cast(entity)) {
            mark->Regenerate(mode);
            ++asked;
        }
        entity->close();
    }
    return asked;
}
