#include "host/db/entities/FourCorners.h"

#include "host/db/filing/FilingChecks.h"

namespace host {

Acad::ErrorStatus FourCorners::get(Adesk::UInt16 idx, AcGePoint3d& pt) const {
    if (idx > 3) return Acad::eInvalidIndex;
    pt = pts[idx];
    return Acad::eOk;
}

Acad::ErrorStatus FourCorners::checkCorner(Adesk::UInt16 idx, const AcGePoint3d& pt) {
    if (idx > 3) return Acad::eInvalidIndex;
    return host::isFinite(pt) ? Acad::eOk : Acad::eInvalidInput;
}

Acad::ErrorStatus FourCorners::checkGrips(const AcDbIntArray& indices) {
    for (int i : indices)
        if (i < 0 || i > 3) return Acad::eInvalidIndex;
    return Acad::eOk;
}

void FourCorners::appendTo(AcGePoint3dArray& points) const {
    for (const AcGePoint3d& p : pts) points.append(p);
}

void FourCorners::move(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    for (int i : indices)
        if (i >= 0 && i <= 3) pts[i] += offset;
}

void FourCorners::transformBy(const AcGeMatrix3d& xform) {
    for (AcGePoint3d& p : pts) p.transformBy(xform);
}

void FourCorners::writeTo(AcDbDwgFiler* filer) const {
    for (const AcGePoint3d& p : pts) filer->writePoint3d(p);
}

void FourCorners::readFrom(AcDbDwgFiler* filer) {
    for (AcGePoint3d& p : pts) filer->readPoint3d(&p);
}

bool FourCorners::isFinite() const {
    for (const AcGePoint3d& p : pts)
        if (!host::isFinite(p)) return false;
    return true;
}

} // namespace host
