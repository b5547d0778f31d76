#include "host/db/acdbUcs.h"

#include "host/db/AcDbDatabase.h"
#include "host/db/AcDbHostApplicationServices.h"

bool acdbUcsMatrix(AcGeMatrix3d& mat, AcDbDatabase* pDb) {
    AcDbDatabase* db = pDb ? pDb : acdbHostApplicationServices()->workingDatabase();
    mat.setToIdentity();
    if (!db) return false;
    AcGeVector3d x = db->ucsxdir(), y = db->ucsydir();
    mat.setCoordSystem(db->ucsorg(), x, y, x.crossProduct(y));
    return true;
}
