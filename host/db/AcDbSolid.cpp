#include "host/db/AcDbSolid.h"

#include "host/db/FilingChecks.h"
#include "host/gi/AcGiSubEntityTraits.h"
#include "host/gi/AcGiWorldDraw.h"
#include "host/gi/AcGiWorldGeometry.h"

ACRX_HOST_DEFINE_MEMBERS(AcDbSolid, AcDbEntity, L"SOLID", &host::makeObject<AcDbSolid>)

namespace {
constexpr Adesk::Int16 kSolidVersion = 1;
}

AcDbSolid::AcDbSolid(const AcGePoint3d& pt0, const AcGePoint3d& pt1, const AcGePoint3d& pt2, const AcGePoint3d& pt3)
    : m_pts{pt0, pt1, pt2, pt3} {}

AcDbSolid::AcDbSolid(const AcGePoint3d& pt0, const AcGePoint3d& pt1, const AcGePoint3d& pt2)
    : m_pts{pt0, pt1, pt2, pt2} {}

Acad::ErrorStatus AcDbSolid::getPointAt(Adesk::UInt16 idx, AcGePoint3d& pntRes) const {
    if (idx > 3) return Acad::eInvalidIndex;
    pntRes = m_pts[idx];
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSolid::setPointAt(Adesk::UInt16 idx, const AcGePoint3d& pnt) {
    if (idx > 3) return Acad::eInvalidIndex;
    if (!host::isFinite(pnt)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_pts[idx] = pnt;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSolid::setThickness(double thickness) {
    if (!std::isfinite(thickness)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_thickness = thickness;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSolid::setNormal(const AcGeVector3d& normal) {
    if (!host::isDirection(normal)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_normal = normal.normal();
    return Acad::eOk;
}

bool AcDbSolid::subWorldDraw(AcGiWorldDraw* wd) {
    AcGePoint3d outline[4] = {m_pts[0], m_pts[1], m_pts[3], m_pts[2]};
    uint32_t n = m_pts[2].isEqualTo(m_pts[3]) ? 3 : 4;
    wd->subEntityTraits().setFillType(kAcGiFillAlways);
    wd->geometry().polygon(n, outline);
    return true;
}

Acad::ErrorStatus AcDbSolid::subTransformBy(const AcGeMatrix3d& xform) {
    assertWriteEnabled();
    for (AcGePoint3d& p : m_pts) p.transformBy(xform);
    AcGeVector3d n = xform * m_normal;
    if (!n.isZeroLength()) m_normal = n.normal();
    xDataTransformBy(xform);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSolid::subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray&, AcDbIntArray&) const {
    for (const AcGePoint3d& p : m_pts) gripPoints.append(p);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSolid::subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    for (int i : indices)
        if (i < 0 || i > 3) return Acad::eInvalidIndex;
    if (indices.isEmpty()) return Acad::eOk;
    assertWriteEnabled();
    for (int i : indices) m_pts[i] += offset;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSolid::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeInt16(kSolidVersion);
    for (const AcGePoint3d& p : m_pts) filer->writePoint3d(p);
    filer->writeVector3d(m_normal);
    filer->writeDouble(m_thickness);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbSolid::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    host::readVersion(filer, kSolidVersion);
    AcGePoint3d pts[4];
    AcGeVector3d n;
    double t = 0;
    for (AcGePoint3d& p : pts) filer->readPoint3d(&p);
    filer->readVector3d(&n);
    filer->readDouble(&t);
    if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
    for (const AcGePoint3d& p : pts)
        if (!host::isFinite(p)) return host::refuseRecord(filer);
    if (!host::isDirection(n) || !std::isfinite(t)) return host::refuseRecord(filer);
    for (int i = 0; i < 4; ++i) m_pts[i] = pts[i];
    m_normal = n.normal();
    m_thickness = t;
    return Acad::eOk;
}
