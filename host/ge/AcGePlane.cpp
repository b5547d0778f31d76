#include "host/ge/AcGePlane.h"

#include "host/ge/AcGeLinearEnt3d.h"
#include "host/ge/AcGeMatrix3d.h"

#include <cmath>

// Built from literals: other files' constants may not be initialised yet.
const AcGePlane AcGePlane::kXYPlane(AcGePoint3d(0, 0, 0), AcGeVector3d(1, 0, 0), AcGeVector3d(0, 1, 0));
const AcGePlane AcGePlane::kYZPlane(AcGePoint3d(0, 0, 0), AcGeVector3d(0, 1, 0), AcGeVector3d(0, 0, 1));
const AcGePlane AcGePlane::kZXPlane(AcGePoint3d(0, 0, 0), AcGeVector3d(0, 0, 1), AcGeVector3d(1, 0, 0));

bool AcGePlanarEnt::isKindOf(AcGe::EntityId entType) const {
    return entType == AcGe::kPlanarEnt || entType == AcGe::kSurface || AcGeEntity3d::isKindOf(entType);
}

AcGeVector3d AcGePlanarEnt::normal() const {
    return mUAxis.crossProduct(mVAxis).normal();
}

void AcGePlanarEnt::getCoefficients(double& a, double& b, double& c, double& d) const {
    const AcGeVector3d n = normal();
    a = n.x;
    b = n.y;
    c = n.z;
    d = -n.dotProduct(mOrigin.asVector());
}

void AcGePlanarEnt::getCoordSystem(AcGePoint3d& origin, AcGeVector3d& axis1, AcGeVector3d& axis2) const {
    origin = mOrigin;
    axis1 = mUAxis;
    axis2 = mVAxis;
}

AcGePoint3d AcGePlanarEnt::closestPointTo(const AcGePoint3d& pnt, const AcGeTol&) const {
    const AcGeVector3d n = normal();
    return pnt - n * n.dotProduct(pnt - mOrigin);
}

bool AcGePlanarEnt::isOn(const AcGePoint3d& pnt, const AcGeTol& tol) const {
    return std::fabs(normal().dotProduct(pnt - mOrigin)) <= tol.equalPoint();
}

bool AcGePlanarEnt::isParallelTo(const AcGePlanarEnt& otherPln, const AcGeTol& tol) const {
    return normal().isParallelTo(otherPln.normal(), tol);
}

bool AcGePlanarEnt::isCoplanarTo(const AcGePlanarEnt& otherPln, const AcGeTol& tol) const {
    return isParallelTo(otherPln, tol) && isOn(otherPln.mOrigin, tol);
}

AcGePoint3d AcGePlanarEnt::evalPoint(const AcGePoint2d& param) const {
    return mOrigin + mUAxis * param.x + mVAxis * param.y;
}

AcGePoint2d AcGePlanarEnt::paramOf(const AcGePoint3d& pnt, const AcGeTol&) const {
    // The axes need not be perpendicular or of unit length: solve the 2x2 normal
    // equations of the projection.
    const AcGeVector3d d = pnt - mOrigin;
    const double uu = mUAxis.dotProduct(mUAxis), uv = mUAxis.dotProduct(mVAxis),
                 vv = mVAxis.dotProduct(mVAxis);
    const double du = d.dotProduct(mUAxis), dv = d.dotProduct(mVAxis);
    const double det = uu * vv - uv * uv;
    if (det == 0.0) return AcGePoint2d::kOrigin;
    return {(du * vv - dv * uv) / det, (dv * uu - du * uv) / det};
}

AcGeEntity3d& AcGePlanarEnt::transformBy(const AcGeMatrix3d& xfm) {
    mOrigin.transformBy(xfm);
    mUAxis.transformBy(xfm);
    mVAxis.transformBy(xfm);
    return *this;
}

void AcGePlanarEnt::setFrame(const AcGePoint3d& origin, const AcGeVector3d& uAxis,
                             const AcGeVector3d& vAxis) {
    mOrigin = origin;
    mUAxis = uAxis;
    mVAxis = vAxis;
}

AcGePlane::AcGePlane() = default;

AcGePlane::AcGePlane(const AcGePoint3d& origin, const AcGeVector3d& normal) {
    set(origin, normal);
}

AcGePlane::AcGePlane(const AcGePoint3d& pntU, const AcGePoint3d& org, const AcGePoint3d& pntV) {
    set(pntU, org, pntV);
}

AcGePlane::AcGePlane(const AcGePoint3d& org, const AcGeVector3d& uAxis, const AcGeVector3d& vAxis) {
    set(org, uAxis, vAxis);
}

AcGePlane::AcGePlane(double a, double b, double c, double d) {
    set(a, b, c, d);
}

bool AcGePlane::isKindOf(AcGe::EntityId entType) const {
    return entType == AcGe::kPlane || AcGePlanarEnt::isKindOf(entType);
}

double AcGePlane::signedDistanceTo(const AcGePoint3d& pnt) const {
    return normal().dotProduct(pnt - mOrigin);
}

double AcGePlane::distanceTo(const AcGePoint3d& pnt) const {
    return std::fabs(signedDistanceTo(pnt));
}

bool AcGePlane::intersectWith(const AcGeLinearEnt3d& linEnt, AcGePoint3d& pnt, const AcGeTol& tol) const {
    return linEnt.intersectWith(*this, pnt, tol);
}

AcGePlane& AcGePlane::set(const AcGePoint3d& pnt, const AcGeVector3d& normal) {
    const AcGeVector3d n = normal.normal();
    // A zero normal cannot span a plane; the plane stays as it was.
    if (n.isZeroLength()) return *this;
    const AcGeVector3d u = acgeArbitraryXAxis(n);
    setFrame(pnt, u, n.crossProduct(u));
    return *this;
}

AcGePlane& AcGePlane::set(const AcGePoint3d& pntU, const AcGePoint3d& org, const AcGePoint3d& pntV) {
    return set(org, pntU - org, pntV - org);
}

AcGePlane& AcGePlane::set(double a, double b, double c, double d) {
    const AcGeVector3d n(a, b, c);
    const double len2 = n.lengthSqrd();
    if (len2 == 0.0) return *this;
    // The point of the plane a x + b y + c z + d = 0 nearest the origin.
    return set(AcGePoint3d::kOrigin + n * (-d / len2), n);
}

AcGePlane& AcGePlane::set(const AcGePoint3d& org, const AcGeVector3d& uAxis, const AcGeVector3d& vAxis) {
    if (uAxis.crossProduct(vAxis).isZeroLength()) return *this;
    setFrame(org, uAxis, vAxis);
    return *this;
}
