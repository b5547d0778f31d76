#include "host/ge/AcGeCircArc3d.h"

#include "host/ge/AcGeLine3d.h"
#include "host/ge/AcGeMatrix3d.h"
#include "host/ge/AcGePlane.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

} // namespace

AcGeCircArc3d::AcGeCircArc3d(const AcGePoint3d& cent, const AcGeVector3d& nrm, double radius) {
    set(cent, nrm, radius);
}

AcGeCircArc3d::AcGeCircArc3d(const AcGePoint3d& cent, const AcGeVector3d& nrm, const AcGeVector3d& refVec,
                             double radius, double startAngle, double endAngle) {
    set(cent, nrm, refVec, radius, startAngle, endAngle);
}

AcGeCircArc3d::AcGeCircArc3d(const AcGePoint3d& startPoint, const AcGePoint3d& pnt,
                             const AcGePoint3d& endPoint) {
    set(startPoint, pnt, endPoint);
}

AcGeEntity3d& AcGeCircArc3d::transformBy(const AcGeMatrix3d& xfm) {
    // Carry the two radius vectors along: a mirroring turns the normal over while
    // every parameter keeps its point.
    const AcGeVector3d ref = xfm * (mRefVec * mRadius);
    const AcGeVector3d perp = xfm * (perpVec() * mRadius);
    mCenter.transformBy(xfm);
    const AcGeVector3d nrm = ref.crossProduct(perp).normal();
    if (ref.isZeroLength() || nrm.isZeroLength()) {
        mRadius = 0.0;
        return *this;
    }
    mRadius = ref.length();
    mRefVec = ref.normal();
    mNormal = nrm;
    return *this;
}

void AcGeCircArc3d::getPlane(AcGePlane& plane) const {
    plane.set(mCenter, mRefVec, perpVec());
}

bool AcGeCircArc3d::tangent(const AcGePoint3d& pnt, AcGeLine3d& line, const AcGeTol& tol) const {
    if (mRadius <= 0.0 || !isOn(pnt, tol)) return false;
    const double t = paramOf(pnt, tol);
    line.set(pnt, perpVec() * std::cos(t) - mRefVec * std::sin(t));
    return true;
}

bool AcGeCircArc3d::isInside(const AcGePoint3d& pnt, const AcGeTol& tol) const {
    const AcGeVector3d v = pnt - mCenter;
    if (std::fabs(v.dotProduct(mNormal)) > tol.equalPoint()) return false;
    return v.length() < mRadius - tol.equalPoint();
}

AcGePoint3d AcGeCircArc3d::evalPoint(double param) const {
    return mCenter + mRefVec * (mRadius * std::cos(param)) + perpVec() * (mRadius * std::sin(param));
}

double AcGeCircArc3d::angleOf(const AcGePoint3d& pnt) const {
    const AcGeVector3d v = pnt - mCenter;
    double a = std::atan2(v.dotProduct(perpVec()), v.dotProduct(mRefVec));
    if (a < 0.0) a += kTwoPi;
    return a >= kTwoPi ? 0.0 : a;
}

double AcGeCircArc3d::paramOf(const AcGePoint3d& pnt, const AcGeTol&) const {
    const double sweep = mEndAng - mStartAng;
    double rel = std::fmod(angleOf(pnt) - mStartAng, kTwoPi);
    if (rel < 0.0) rel += kTwoPi;
    // In the gap of an open arc the point belongs to the nearer end.
    if (rel > sweep && rel > sweep + (kTwoPi - sweep) / 2.0) rel -= kTwoPi;
    return mStartAng + rel;
}

AcGePoint3d AcGeCircArc3d::closestPointTo(const AcGePoint3d& pnt, const AcGeTol& tol) const {
    if (mRadius <= 0.0) return mCenter;
    const AcGeVector3d v = pnt - mCenter;
    // Every point of the circle is equally near a point on its axis.
    if (v.orthoProject(mNormal).isZeroLength(tol)) return startPoint();
    return evalPoint(std::clamp(paramOf(pnt, tol), mStartAng, mEndAng));
}

double AcGeCircArc3d::length(double fromParam, double toParam, double) const {
    return std::fabs(toParam - fromParam) * mRadius;
}

AcGeCurve3d& AcGeCircArc3d::reverseParam() {
    // Angles about the opposite normal are the negated angles.
    mNormal.negate();
    const double s = mStartAng;
    mStartAng = -mEndAng;
    mEndAng = -s;
    return *this;
}

bool AcGeCircArc3d::isClosed(const AcGeTol& tol) const {
    return mEndAng - mStartAng >= kTwoPi || AcGeCurve3d::isClosed(tol);
}

AcGeCircArc3d& AcGeCircArc3d::setCenter(const AcGePoint3d& cent) {
    mCenter = cent;
    return *this;
}

AcGeCircArc3d& AcGeCircArc3d::setRadius(double radius) {
    if (std::isfinite(radius) && radius >= 0.0) mRadius = radius;
    return *this;
}

AcGeCircArc3d& AcGeCircArc3d::setAngles(double startAng, double endAng) {
    if (!std::isfinite(startAng) || !std::isfinite(endAng)) return *this;
    // The arc always runs counter-clockwise; an end below the start wraps round.
    double sweep = endAng - startAng;
    if (sweep < 0.0) sweep = std::fmod(sweep, kTwoPi) + kTwoPi;
    if (sweep > kTwoPi) sweep = kTwoPi;
    mStartAng = startAng;
    mEndAng = startAng + sweep;
    return *this;
}

AcGeCircArc3d& AcGeCircArc3d::setAxes(const AcGeVector3d& normal, const AcGeVector3d& refVec) {
    const AcGeVector3d n = normal.normal();
    if (n.isZeroLength()) return *this;
    // The reference direction is made exactly perpendicular to the normal.
    const AcGeVector3d r = refVec.orthoProject(n).normal();
    if (r.isZeroLength()) return *this;
    mNormal = n;
    mRefVec = r;
    return *this;
}

AcGeCircArc3d& AcGeCircArc3d::set(const AcGePoint3d& cent, const AcGeVector3d& nrm, double radius) {
    if (nrm.isZeroLength()) return *this;
    return set(cent, nrm, acgeArbitraryXAxis(nrm), radius, 0.0, kTwoPi);
}

AcGeCircArc3d& AcGeCircArc3d::set(const AcGePoint3d& cent, const AcGeVector3d& nrm,
                                  const AcGeVector3d& refVec, double radius, double startAngle,
                                  double endAngle) {
    setCenter(cent);
    setAxes(nrm, refVec);
    setRadius(radius);
    return setAngles(startAngle, endAngle);
}

AcGeCircArc3d& AcGeCircArc3d::set(const AcGePoint3d& startPoint, const AcGePoint3d& pnt,
                                  const AcGePoint3d& endPoint) {
    AcGeError error = AcGe::kOk;
    return set(startPoint, pnt, endPoint, error);
}

AcGeCircArc3d& AcGeCircArc3d::set(const AcGePoint3d& startPoint, const AcGePoint3d& pnt,
                                  const AcGePoint3d& endPoint, AcGeError& error) {
    const AcGeTol& tol = AcGeContext::gTol;
    error = AcGe::kOk;
    if (startPoint.isEqualTo(pnt, tol))
        error = AcGe::kEqualArg1Arg2;
    else if (startPoint.isEqualTo(endPoint, tol))
        error = AcGe::kEqualArg1Arg3;
    else if (pnt.isEqualTo(endPoint, tol))
        error = AcGe::kEqualArg2Arg3;
    if (error != AcGe::kOk) return *this;
    // Circumcentre relative to the start point, so far from the origin only the
    // differences carry rounding.
    const AcGeVector3d u = pnt - startPoint;
    const AcGeVector3d v = endPoint - startPoint;
    const AcGeVector3d w = u.crossProduct(v);
    if (!(w.length() > tol.equalVector() * u.length() * v.length())) {
        error = AcGe::kLinearlyDependentArg1Arg2Arg3;
        return *this;
    }
    const AcGeVector3d off =
        (v * u.lengthSqrd() - u * v.lengthSqrd()).crossProduct(w) / (2.0 * w.lengthSqrd());
    mCenter = startPoint + off;
    mNormal = w.normal();
    mRefVec = (-off).normal();
    mRadius = off.length();
    mStartAng = 0.0;
    mEndAng = angleOf(endPoint);
    return *this;
}
