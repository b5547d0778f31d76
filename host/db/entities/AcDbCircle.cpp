#include "host/db/entities/AcDbCircle.h"

#include "host/db/entities/ClosestPoints.h"
#include "host/db/filing/FilingChecks.h"
#include "host/gi/AcGiWorldDraw.h"
#include "host/gi/AcGiWorldGeometry.h"

#include <cmath>
#include <numbers>

ACRX_HOST_DEFINE_MEMBERS(AcDbCircle, AcDbCurve, L"CIRCLE", &host::makeObject<AcDbCircle>)

namespace {
constexpr Adesk::Int16 kCircleVersion = 1;
constexpr double kTwoPi = 2.0 * std::numbers::pi;
} // namespace

namespace host {

AcGePoint3d pointInPlane(const AcGePoint3d& center, const AcGeVector3d& normal, double radius, double angle) {
    AcGeVector3d x = acgeArbitraryXAxis(normal);
    AcGeVector3d y = normal.normal().crossProduct(x);
    return center + x * (radius * std::cos(angle)) + y * (radius * std::sin(angle));
}

double angleInPlane(const AcGePoint3d& center, const AcGeVector3d& normal, const AcGePoint3d& point) {
    AcGeVector3d x = acgeArbitraryXAxis(normal);
    AcGeVector3d y = normal.normal().crossProduct(x);
    AcGeVector3d d = point - center;
    double a = std::atan2(d.dotProduct(y), d.dotProduct(x));
    return a < 0.0 ? a + kTwoPi : a;
}

bool transformCircle(const AcGeMatrix3d& xform, AcGePoint3d& center, AcGeVector3d& normal, double& radius,
                     bool& mirrored) {
    // A circle stays a circle when the transform scales its plane evenly.
    AcGeVector3d x = acgeArbitraryXAxis(normal), y = normal.normal().crossProduct(x);
    AcGeVector3d tx = xform * x, ty = xform * y;
    double lx = tx.length(), ly = ty.length();
    if (lx <= 0.0 || std::fabs(lx - ly) > 1e-9 * std::max(lx, ly) || std::fabs(tx.dotProduct(ty)) > 1e-9 * lx * ly)
        return false;
    AcGeVector3d n = tx.crossProduct(ty).normal();
    mirrored = n.dotProduct(xform * normal) < 0.0;
    center.transformBy(xform);
    normal = mirrored ? -n : n;
    radius *= lx;
    return true;
}

} // namespace host

AcDbCircle::AcDbCircle(const AcGePoint3d& center, const AcGeVector3d& normal, double radius)
    : m_center(center), m_normal(host::isDirection(normal) ? normal.normal() : AcGeVector3d::kZAxis),
      m_radius(radius > 0.0 && std::isfinite(radius) ? radius : 1.0) {}

Acad::ErrorStatus AcDbCircle::setCenter(const AcGePoint3d& center) {
    if (!host::isFinite(center)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_center = center;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::setRadius(double radius) {
    if (!std::isfinite(radius) || radius <= 0.0) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_radius = radius;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::setNormal(const AcGeVector3d& normal) {
    if (!host::isDirection(normal)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_normal = normal.normal();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::setThickness(double thickness) {
    if (!std::isfinite(thickness)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_thickness = thickness;
    return Acad::eOk;
}

double AcDbCircle::circumference() const { return kTwoPi * m_radius; }

AcGePoint3d AcDbCircle::pointAt(double angle) const { return host::pointInPlane(m_center, m_normal, m_radius, angle); }

Acad::ErrorStatus AcDbCircle::getStartParam(double& param) const {
    param = 0.0;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getEndParam(double& param) const {
    param = kTwoPi;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getPointAtParam(double param, AcGePoint3d& point) const {
    if (!std::isfinite(param)) return Acad::eInvalidInput;
    point = pointAt(param);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getParamAtPoint(const AcGePoint3d& point, double& param) const {
    AcGePoint3d on;
    getClosestPointTo(point, on);
    if (on.distanceTo(point) > onCurveTolerance()) return Acad::eInvalidInput;
    param = host::angleInPlane(m_center, m_normal, point);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getDistAtParam(double param, double& dist) const {
    if (!std::isfinite(param) || param < -1e-12 || param > kTwoPi + 1e-12) return Acad::eInvalidInput;
    dist = param * m_radius;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getParamAtDist(double dist, double& param) const {
    if (!std::isfinite(dist) || dist < -onCurveTolerance() || dist > circumference() + onCurveTolerance())
        return Acad::eInvalidInput;
    param = dist / m_radius;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getFirstDeriv(double param, AcGeVector3d& firstDeriv) const {
    if (!std::isfinite(param)) return Acad::eInvalidInput;
    AcGeVector3d x = acgeArbitraryXAxis(m_normal), y = m_normal.crossProduct(x);
    firstDeriv = (y * std::cos(param) - x * std::sin(param)) * m_radius;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getClosestPointTo(const AcGePoint3d& givenPnt, AcGePoint3d& pointOnCurve,
                                                Adesk::Boolean) const {
    pointOnCurve = host::closestPointOnArc(m_center, m_normal, m_radius, 0.0, kTwoPi, givenPnt);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getArea(double& area) const {
    area = std::numbers::pi * m_radius * m_radius;
    return Acad::eOk;
}

bool AcDbCircle::subWorldDraw(AcGiWorldDraw* wd) {
    wd->geometry().circle(m_center, m_radius, m_normal);
    return true;
}

Acad::ErrorStatus AcDbCircle::subTransformBy(const AcGeMatrix3d& xform) {
    AcGePoint3d c = m_center;
    AcGeVector3d n = m_normal;
    double r = m_radius;
    bool mirrored = false;
    if (!host::transformCircle(xform, c, n, r, mirrored)) return Acad::eCannotScaleNonUniformly;
    assertWriteEnabled();
    m_center = c;
    m_normal = n;
    m_radius = r;
    xDataTransformBy(xform);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray&, AcDbIntArray&) const {
    gripPoints.append(m_center);
    for (int q = 0; q < 4; ++q) gripPoints.append(pointAt(q * std::numbers::pi / 2.0));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    if (indices.isEmpty()) return Acad::eOk;
    if (indices.contains(0)) return setCenter(m_center + offset);
    // A quadrant grip sets the radius to the distance of the moved grip.
    int i = indices.first();
    if (i < 1 || i > 4) return Acad::eInvalidIndex;
    AcGePoint3d moved = pointAt((i - 1) * std::numbers::pi / 2.0) + offset;
    AcGeVector3d d = moved - m_center;
    d -= m_normal * d.dotProduct(m_normal);
    return setRadius(d.length());
}

Acad::ErrorStatus AcDbCircle::subGetOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker,
                                                const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                                const AcGeMatrix3d&, AcGePoint3dArray& snapPoints,
                                                AcDbIntArray&) const {
    switch (osnapMode) {
    case AcDb::kOsModeCen:
        snapPoints.append(m_center);
        break;
    case AcDb::kOsModeQuad:
        for (int q = 0; q < 4; ++q) snapPoints.append(pointAt(q * std::numbers::pi / 2.0));
        break;
    default:
        host::appendClosestPointSnap(*this, osnapMode, pickPoint, lastPoint, snapPoints);
        break;
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbCurve::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeInt16(kCircleVersion);
    filer->writePoint3d(m_center);
    filer->writeVector3d(m_normal);
    filer->writeDouble(m_radius);
    filer->writeDouble(m_thickness);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbCircle::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbCurve::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    host::readVersion(filer, kCircleVersion);
    AcGePoint3d c;
    AcGeVector3d n;
    double r = 0, t = 0;
    filer->readPoint3d(&c);
    filer->readVector3d(&n);
    filer->readDouble(&r);
    filer->readDouble(&t);
    if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
    if (!host::isFinite(c) || !host::isDirection(n) || !(r > 0.0) || !std::isfinite(r) || !std::isfinite(t))
        return host::refuseRecord(filer);
    m_center = c;
    m_normal = n.normal();
    m_radius = r;
    m_thickness = t;
    return Acad::eOk;
}
