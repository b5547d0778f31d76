#include "host/db/database/acdbUcs.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbHostApplicationServices.h"

bool acdbUcsMatrix(AcGeMatrix3d& mat, AcDbDatabase* pDb) {
    AcDbDatabase* db = pDb ? pDb : acdbHostApplicationServices()->workingDatabase();
    mat.setToIdentity();
    if (!db) return false;
    AcGeVector3d x = db->ucsxdir(), y = db->ucsydir();
    mat.setCoordSystem(db->ucsorg(), x, y, x.crossProduct(y));
    return true;
}
