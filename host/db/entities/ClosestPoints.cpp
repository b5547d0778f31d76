#include "host/db/entities/ClosestPoints.h"

#include "host/db/entities/AcDbCircle.h"
#include "host/db/entities/AcDbCurve.h"

#include <cmath>
#include <numbers>

namespace {
constexpr double kTwoPi = 2.0 * std::numbers::pi;
} // namespace

namespace host {

double nearestArcOffset(double rel, double span) {
    if (rel <= span) return rel;
    // Past the end going one way, before the start going the other: the smaller
    // turn is also the shorter distance.
    return (rel - span) < (kTwoPi - rel) ? span : 0.0;
}

AcGePoint3d closestPointOnArc(const AcGePoint3d& center, const AcGeVector3d& normal, double radius,
                              double startAngle, double sweep, const AcGePoint3d& point) {
    AcGeVector3d n = normal.normal();
    AcGeVector3d d = point - center;
    d -= n * d.dotProduct(n);
    if (d.isZeroLength()) return pointInPlane(center, normal, radius, startAngle);
    double rel = std::fmod(angleInPlane(center, normal, point) - startAngle, kTwoPi);
    if (rel < 0.0) rel += kTwoPi;
    // On the arc the projection itself, which needs no angle and keeps full precision.
    if (rel <= sweep) return center + d.normal() * radius;
    return pointInPlane(center, normal, radius, startAngle + nearestArcOffset(rel, sweep));
}

bool appendClosestPointSnap(const AcDbCurve& curve, AcDb::OsnapMode mode, const AcGePoint3d& pickPoint,
                            const AcGePoint3d& lastPoint, AcGePoint3dArray& snapPoints,
                            bool extendForPerpendicular) {
    AcGePoint3d p;
    Acad::ErrorStatus es = Acad::eNotApplicable;
    if (mode == AcDb::kOsModeNear)
        es = curve.getClosestPointTo(pickPoint, p, false);
    else if (mode == AcDb::kOsModePerp)
        es = curve.getClosestPointTo(lastPoint, p, extendForPerpendicular);
    if (es != Acad::eOk) return false;
    snapPoints.append(p);
    return true;
}

} // namespace host
