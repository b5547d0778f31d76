#include "host/db/entities/AcDbSolid.h"

#include "host/db/filing/FilingChecks.h"
#include "host/gi/AcGiSubEntityTraits.h"
#include "host/gi/AcGiWorldDraw.h"
#include "host/gi/AcGiWorldGeometry.h"

ACRX_HOST_DEFINE_MEMBERS(AcDbSolid, AcDbEntity, L"SOLID", &host::makeObject<AcDbSolid>)

namespace {
constexpr Adesk::Int16 kSolidVersion = 1;
}

AcDbSolid::AcDbSolid(const AcGePoint3d& pt0, const AcGePoint3d& pt1, const AcGePoint3d& pt2, const AcGePoint3d& pt3)
    : m_corners{{pt0, pt1, pt2, pt3}} {}

AcDbSolid::AcDbSolid(const AcGePoint3d& pt0, const AcGePoint3d& pt1, const AcGePoint3d& pt2)
    : m_corners{{pt0, pt1, pt2, pt2}} {}

Acad::ErrorStatus AcDbSolid::getPointAt(Adesk::UInt16 idx, AcGePoint3d& pntRes) const {
    return m_corners.get(idx, pntRes);
}

Acad::ErrorStatus AcDbSolid::setPointAt(Adesk::UInt16 idx, const AcGePoint3d& pnt) {
    Acad::ErrorStatus es = host::FourCorners::checkCorner(idx, pnt);
    if (es != Acad::eOk) return es;
    assertWriteEnabled();
    m_corners.pts[idx] = pnt;
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
    const AcGePoint3d* p = m_corners.pts;
    AcGePoint3d outline[4] = {p[0], p[1], p[3], p[2]};
    uint32_t n = p[2].isEqualTo(p[3]) ? 3 : 4;
    wd->subEntityTraits().setFillType(kAcGiFillAlways);
    wd->geometry().polygon(n, outline);
    return true;
}

Acad::ErrorStatus AcDbSolid::subTransformBy(const AcGeMatrix3d& xform) {
    assertWriteEnabled();
    m_corners.transformBy(xform);
    AcGeVector3d n = xform * m_normal;
    if (!n.isZeroLength()) m_normal = n.normal();
    xDataTransformBy(xform);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSolid::subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray&, AcDbIntArray&) const {
    m_corners.appendTo(gripPoints);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSolid::subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    Acad::ErrorStatus es = host::FourCorners::checkGrips(indices);
    if (es != Acad::eOk || indices.isEmpty()) return es;
    assertWriteEnabled();
    m_corners.move(indices, offset);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSolid::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeInt16(kSolidVersion);
    m_corners.writeTo(filer);
    filer->writeVector3d(m_normal);
    filer->writeDouble(m_thickness);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbSolid::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    host::readVersion(filer, kSolidVersion);
    host::FourCorners corners;
    AcGeVector3d n;
    double t = 0;
    corners.readFrom(filer);
    filer->readVector3d(&n);
    filer->readDouble(&t);
    if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
    if (!corners.isFinite() || !host::isDirection(n) || !std::isfinite(t)) return host::refuseRecord(filer);
    m_corners = corners;
    m_normal = n.normal();
    m_thickness = t;
    return Acad::eOk;
}
