#include "host/db/entities/AcDbArc.h"

#include "host/db/entities/AcDbCircle.h"
#include "host/db/entities/ClosestPoints.h"
#include "host/db/filing/FilingChecks.h"
#include "host/gi/AcGiWorldDraw.h"
#include "host/gi/AcGiWorldGeometry.h"

#include <cmath>
#include <numbers>

ACRX_HOST_DEFINE_MEMBERS(AcDbArc, AcDbCurve, L"ARC", &host::makeObject<AcDbArc>)

namespace {
constexpr Adesk::Int16 kArcVersion = 1;
constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Angles are kept in [0, 2 pi).
double normalAngle(double a) {
    double r = std::fmod(a, kTwoPi);
    if (r < 0.0) r += kTwoPi;
    return r >= kTwoPi ? 0.0 : r;
}
} // namespace

AcDbArc::AcDbArc(const AcGePoint3d& center, double radius, double startAngle, double endAngle)
    : AcDbArc(center, AcGeVector3d::kZAxis, radius, startAngle, endAngle) {}

AcDbArc::AcDbArc(const AcGePoint3d& center, const AcGeVector3d& normal, double radius, double startAngle,
                 double endAngle)
    : m_center(center), m_normal(host::isDirection(normal) ? normal.normal() : AcGeVector3d::kZAxis),
      m_radius(radius > 0.0 && std::isfinite(radius) ? radius : 1.0),
      m_startAngle(std::isfinite(startAngle) ? normalAngle(startAngle) : 0.0),
      m_endAngle(std::isfinite(endAngle) ? normalAngle(endAngle) : 0.0) {}

Acad::ErrorStatus AcDbArc::setCenter(const AcGePoint3d& center) {
    if (!host::isFinite(center)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_center = center;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::setRadius(double radius) {
    if (!std::isfinite(radius) || radius <= 0.0) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_radius = radius;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::setStartAngle(double angle) {
    if (!std::isfinite(angle)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_startAngle = normalAngle(angle);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::setEndAngle(double angle) {
    if (!std::isfinite(angle)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_endAngle = normalAngle(angle);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::setNormal(const AcGeVector3d& normal) {
    if (!host::isDirection(normal)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_normal = normal.normal();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::setThickness(double thickness) {
    if (!std::isfinite(thickness)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_thickness = thickness;
    return Acad::eOk;
}

double AcDbArc::totalAngle() const {
    double sweep = m_endAngle - m_startAngle;
    // Equal angles are a full turn: the host has no empty arcs.
    return sweep <= 0.0 ? sweep + kTwoPi : sweep;
}

AcGePoint3d AcDbArc::pointAt(double angle) const { return host::pointInPlane(m_center, m_normal, m_radius, angle); }

bool AcDbArc::paramInRange(double param) const {
    double tol = onCurveTolerance() / m_radius;
    return std::isfinite(param) && param >= m_startAngle - tol && param <= endParam() + tol;
}

Acad::ErrorStatus AcDbArc::getStartParam(double& param) const {
    param = m_startAngle;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::getEndParam(double& param) const {
    param = endParam();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::getPointAtParam(double param, AcGePoint3d& point) const {
    if (!paramInRange(param)) return Acad::eInvalidInput;
    point = pointAt(param);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::getParamAtPoint(const AcGePoint3d& point, double& param) const {
    AcGePoint3d on;
    getClosestPointTo(point, on);
    if (on.distanceTo(point) > onCurveTolerance()) return Acad::eInvalidInput;
    double a = host::angleInPlane(m_center, m_normal, point);
    double rel = normalAngle(a - m_startAngle);
    // Just before the start counts as the start, not as almost a full turn.
    if (rel > totalAngle() + 1e-12 && kTwoPi - rel < onCurveTolerance() / m_radius) rel = 0.0;
    param = m_startAngle + rel;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::getDistAtParam(double param, double& dist) const {
    if (!paramInRange(param)) return Acad::eInvalidInput;
    dist = std::clamp(param - m_startAngle, 0.0, totalAngle()) * m_radius;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::getParamAtDist(double dist, double& param) const {
    double tol = onCurveTolerance();
    if (!std::isfinite(dist) || dist < -tol || dist > length() + tol) return Acad::eInvalidInput;
    param = m_startAngle + std::clamp(dist, 0.0, length()) / m_radius;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::getFirstDeriv(double param, AcGeVector3d& firstDeriv) const {
    if (!paramInRange(param)) return Acad::eInvalidInput;
    AcGeVector3d x = acgeArbitraryXAxis(m_normal), y = m_normal.crossProduct(x);
    firstDeriv = (y * std::cos(param) - x * std::sin(param)) * m_radius;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::getClosestPointTo(const AcGePoint3d& givenPnt, AcGePoint3d& pointOnCurve,
                                             Adesk::Boolean extend) const {
    // Extended, the arc is its whole circle.
    pointOnCurve = host::closestPointOnArc(m_center, m_normal, m_radius, m_startAngle, extend ? kTwoPi : totalAngle(),
                                           givenPnt);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::getArea(double& area) const {
    // The segment between the arc and its chord.
    double t = totalAngle();
    area = 0.5 * m_radius * m_radius * (t - std::sin(t));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::reverseCurve() {
    // Same points, the other way round: the normal turns over.
    assertWriteEnabled();
    AcGePoint3d s = pointAt(m_startAngle), e = pointAt(endParam());
    m_normal = -m_normal;
    m_startAngle = host::angleInPlane(m_center, m_normal, e);
    m_endAngle = host::angleInPlane(m_center, m_normal, s);
    return Acad::eOk;
}

bool AcDbArc::subWorldDraw(AcGiWorldDraw* wd) {
    AcGeVector3d start = pointAt(m_startAngle) - m_center;
    wd->geometry().circularArc(m_center, m_radius, m_normal, start.normal(), totalAngle());
    return true;
}

Acad::ErrorStatus AcDbArc::subTransformBy(const AcGeMatrix3d& xform) {
    AcGePoint3d s = pointAt(m_startAngle), e = pointAt(endParam());
    AcGePoint3d c = m_center;
    AcGeVector3d n = m_normal;
    double r = m_radius;
    bool mirrored = false;
    if (!host::transformCircle(xform, c, n, r, mirrored)) return Acad::eCannotScaleNonUniformly;
    s.transformBy(xform);
    e.transformBy(xform);
    // A mirror reverses the sense: the arc now runs from the old end to the old start.
    if (mirrored) std::swap(s, e);
    assertWriteEnabled();
    m_center = c;
    m_normal = n;
    m_radius = r;
    m_startAngle = host::angleInPlane(c, n, s);
    m_endAngle = host::angleInPlane(c, n, e);
    xDataTransformBy(xform);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray&, AcDbIntArray&) const {
    gripPoints.append(pointAt(m_startAngle));
    gripPoints.append(pointAt(m_startAngle + totalAngle() / 2.0));
    gripPoints.append(pointAt(endParam()));
    gripPoints.append(m_center);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    if (indices.isEmpty()) return Acad::eOk;
    if (indices.contains(3)) return setCenter(m_center + offset);
    // An end or the middle grip moved: the arc through the three grip points.
    AcGePoint3d p[3] = {pointAt(m_startAngle), pointAt(m_startAngle + totalAngle() / 2.0), pointAt(endParam())};
    for (int i : indices)
        if (i >= 0 && i < 3) p[i] += offset;
    AcGeVector3d u = p[1] - p[0], v = p[2] - p[0];
    AcGeVector3d n = u.crossProduct(v);
    if (n.isZeroLength()) return Acad::eDegenerateGeometry;
    // Circumcentre of the three points.
    double uu = u.dotProduct(u), vv = v.dotProduct(v), nn = n.dotProduct(n);
    AcGePoint3d c = p[0] + (v.crossProduct(n) * uu + n.crossProduct(u) * vv) / (2.0 * nn);
    AcGeVector3d normal = n.normal();
    assertWriteEnabled();
    m_center = c;
    m_normal = normal;
    m_radius = c.distanceTo(p[0]);
    m_startAngle = host::angleInPlane(c, normal, p[0]);
    m_endAngle = host::angleInPlane(c, normal, p[2]);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::subGetOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker, const AcGePoint3d& pickPoint,
                                             const AcGePoint3d& lastPoint, const AcGeMatrix3d&,
                                             AcGePoint3dArray& snapPoints, AcDbIntArray&) const {
    switch (osnapMode) {
    case AcDb::kOsModeEnd:
        snapPoints.append(pointAt(m_startAngle));
        snapPoints.append(pointAt(endParam()));
        break;
    case AcDb::kOsModeMid:
        snapPoints.append(pointAt(m_startAngle + totalAngle() / 2.0));
        break;
    case AcDb::kOsModeCen:
        snapPoints.append(m_center);
        break;
    case AcDb::kOsModeQuad:
        for (int q = 0; q < 4; ++q) {
            double a = q * std::numbers::pi / 2.0;
            if (normalAngle(a - m_startAngle) <= totalAngle()) snapPoints.append(pointAt(a));
        }
        break;
    default:
        host::appendClosestPointSnap(*this, osnapMode, pickPoint, lastPoint, snapPoints);
        break;
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbCurve::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeInt16(kArcVersion);
    filer->writePoint3d(m_center);
    filer->writeVector3d(m_normal);
    filer->writeDouble(m_radius);
    filer->writeDouble(m_startAngle);
    filer->writeDouble(m_endAngle);
    filer->writeDouble(m_thickness);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbArc::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbCurve::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    host::readVersion(filer, kArcVersion);
    AcGePoint3d c;
    AcGeVector3d n;
    double r = 0, sa = 0, ea = 0, t = 0;
    filer->readPoint3d(&c);
    filer->readVector3d(&n);
    filer->readDouble(&r);
    filer->readDouble(&sa);
    filer->readDouble(&ea);
    filer->readDouble(&t);
    if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
    if (!host::isFinite(c) || !host::isDirection(n) || !(r > 0.0) || !std::isfinite(r) || !std::isfinite(sa) ||
        !std::isfinite(ea) || !std::isfinite(t))
        return host::refuseRecord(filer);
    m_center = c;
    m_normal = n.normal();
    m_radius = r;
    m_startAngle = normalAngle(sa);
    m_endAngle = normalAngle(ea);
    m_thickness = t;
    return Acad::eOk;
}
