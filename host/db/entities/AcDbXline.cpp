#include "host/db/entities/AcDbXline.h"

#include "host/db/filing/FilingChecks.h"
#include "host/gi/AcGiWorldDraw.h"
#include "host/gi/AcGiWorldGeometry.h"

ACRX_HOST_DEFINE_MEMBERS(AcDbXline, AcDbCurve, L"XLINE", &host::makeObject<AcDbXline>)

namespace {
constexpr Adesk::Int16 kXlineVersion = 1;
}

Acad::ErrorStatus AcDbXline::setBasePoint(const AcGePoint3d& pt) {
    if (!host::isFinite(pt)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_base = pt;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbXline::setUnitDir(const AcGeVector3d& vec) {
    if (!host::isDirection(vec)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_dir = vec.normal();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbXline::setSecondPoint(const AcGePoint3d& pt) {
    if (!host::isFinite(pt)) return Acad::eInvalidInput;
    return setUnitDir(pt - m_base);
}

Acad::ErrorStatus AcDbXline::getPointAtParam(double param, AcGePoint3d& point) const {
    if (!std::isfinite(param)) return Acad::eInvalidInput;
    point = m_base + m_dir * param;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbXline::getParamAtPoint(const AcGePoint3d& point, double& param) const {
    AcGePoint3d on;
    getClosestPointTo(point, on);
    if (on.distanceTo(point) > onCurveTolerance()) return Acad::eInvalidInput;
    param = (point - m_base).dotProduct(m_dir);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbXline::getFirstDeriv(double param, AcGeVector3d& firstDeriv) const {
    if (!std::isfinite(param)) return Acad::eInvalidInput;
    firstDeriv = m_dir;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbXline::getClosestPointTo(const AcGePoint3d& givenPnt, AcGePoint3d& pointOnCurve,
                                               Adesk::Boolean) const {
    pointOnCurve = m_base + m_dir * (givenPnt - m_base).dotProduct(m_dir);
    return Acad::eOk;
}

bool AcDbXline::subWorldDraw(AcGiWorldDraw* wd) {
    wd->geometry().xline(m_base, m_base + m_dir);
    return true;
}

Acad::ErrorStatus AcDbXline::subGetGeomExtents(AcDbExtents&) const { return Acad::eInvalidExtents; }

Acad::ErrorStatus AcDbXline::subTransformBy(const AcGeMatrix3d& xform) {
    AcGeVector3d d = xform * m_dir;
    if (d.isZeroLength()) return Acad::eCannotScaleNonUniformly;
    assertWriteEnabled();
    m_base.transformBy(xform);
    m_dir = d.normal();
    xDataTransformBy(xform);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbXline::subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray&, AcDbIntArray&) const {
    gripPoints.append(m_base);
    gripPoints.append(m_base + m_dir);
    gripPoints.append(m_base - m_dir);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbXline::subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    if (indices.isEmpty()) return Acad::eOk;
    if (indices.contains(0)) return setBasePoint(m_base + offset);
    // An outer grip turns the line about its base point.
    int i = indices.first();
    if (i != 1 && i != 2) return Acad::eInvalidIndex;
    AcGePoint3d moved = (i == 1 ? m_base + m_dir : m_base - m_dir) + offset;
    AcGeVector3d d = moved - m_base;
    return setUnitDir(i == 1 ? d : -d);
}

Acad::ErrorStatus AcDbXline::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbCurve::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeInt16(kXlineVersion);
    filer->writePoint3d(m_base);
    filer->writeVector3d(m_dir);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbXline::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbCurve::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    host::readVersion(filer, kXlineVersion);
    AcGePoint3d b;
    AcGeVector3d d;
    filer->readPoint3d(&b);
    filer->readVector3d(&d);
    if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
    if (!host::isFinite(b) || !host::isDirection(d)) return host::refuseRecord(filer);
    m_base = b;
    m_dir = d.normal();
    return Acad::eOk;
}
