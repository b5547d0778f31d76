#include "host/ge/AcGeLinearEnt3d.h"

#include "host/ge/AcGeLine3d.h"
#include "host/ge/AcGeMatrix3d.h"
#include "host/ge/AcGePlane.h"

#include <algorithm>
#include <cmath>

double AcGeLinearEnt3d::footParam(const AcGePoint3d& pnt) const {
    const double len2 = mVector.lengthSqrd();
    if (len2 == 0.0) return 0.0;
    return (pnt - mPoint).dotProduct(mVector) / len2;
}

bool AcGeLinearEnt3d::withinBounds(double param, double tol) const {
    AcGeInterval range;
    getInterval(range);
    const double len = mVector.length();
    // tol is a distance; in parameter units it shrinks with the vector's length.
    const double tp = len > 0.0 ? tol / len : 0.0;
    return range.contains(param, tp);
}

bool AcGeLinearEnt3d::intersectWith(const AcGeLinearEnt3d& line, AcGePoint3d& intPnt,
                                    const AcGeTol& tol) const {
    const AcGeVector3d& d1 = mVector;
    const AcGeVector3d& d2 = line.mVector;
    if (d1.isZeroLength(tol) || d2.isZeroLength(tol) || d1.isParallelTo(d2, tol)) return false;
    // Everything relative to this line's point, so far from the origin only the
    // differences carry rounding.
    const AcGeVector3d w = line.mPoint - mPoint;
    const AcGeVector3d n = d1.crossProduct(d2);
    const double n2 = n.lengthSqrd();
    // Lines that pass each other: their distance is the offset along the common normal.
    if (std::fabs(w.dotProduct(n)) / std::sqrt(n2) > tol.equalPoint()) return false;
    const double s = w.crossProduct(d2).dotProduct(n) / n2;
    const double t = w.crossProduct(d1).dotProduct(n) / n2;
    if (!withinBounds(s, tol.equalPoint()) || !line.withinBounds(t, tol.equalPoint())) return false;
    intPnt = evalPoint(s);
    return true;
}

bool AcGeLinearEnt3d::intersectWith(const AcGePlanarEnt& plane, AcGePoint3d& intPnt,
                                    const AcGeTol& tol) const {
    const AcGeVector3d n = plane.normal();
    if (mVector.isZeroLength(tol) || n.isZeroLength(tol)) return false;
    const double along = mVector.normal().dotProduct(n);
    if (std::fabs(along) <= tol.equalVector()) return false;
    const double t = (plane.pointOnPlane() - mPoint).dotProduct(n) / mVector.dotProduct(n);
    if (!withinBounds(t, tol.equalPoint())) return false;
    intPnt = evalPoint(t);
    return true;
}

bool AcGeLinearEnt3d::isParallelTo(const AcGeLinearEnt3d& line, const AcGeTol& tol) const {
    return mVector.isParallelTo(line.mVector, tol);
}

bool AcGeLinearEnt3d::isPerpendicularTo(const AcGeLinearEnt3d& line, const AcGeTol& tol) const {
    return mVector.isPerpendicularTo(line.mVector, tol);
}

bool AcGeLinearEnt3d::isColinearTo(const AcGeLinearEnt3d& line, const AcGeTol& tol) const {
    if (!isParallelTo(line, tol)) return false;
    AcGeLine3d self;
    getLine(self);
    return self.isOn(line.mPoint, tol);
}

void AcGeLinearEnt3d::getLine(AcGeLine3d& line) const {
    line.set(mPoint, mVector);
}

bool AcGeLinearEnt3d::getPerpPlane(const AcGePoint3d& pnt, AcGePlane& plane) const {
    if (mVector.isZeroLength()) return false;
    plane.set(pnt, mVector);
    return true;
}

double AcGeLinearEnt3d::paramOf(const AcGePoint3d& pnt, const AcGeTol&) const {
    AcGeInterval range;
    getInterval(range);
    double t = footParam(pnt);
    if (range.isBoundedBelow()) t = std::max(t, range.lowerBound());
    if (range.isBoundedAbove()) t = std::min(t, range.upperBound());
    return t;
}

AcGePoint3d AcGeLinearEnt3d::closestPointTo(const AcGePoint3d& pnt, const AcGeTol& tol) const {
    return evalPoint(paramOf(pnt, tol));
}

double AcGeLinearEnt3d::length(double fromParam, double toParam, double) const {
    return std::fabs(toParam - fromParam) * mVector.length();
}

AcGeEntity3d& AcGeLinearEnt3d::transformBy(const AcGeMatrix3d& xfm) {
    // Transform both ends, so a perspective or projection keeps the line's points.
    const AcGePoint3d end = xfm * (mPoint + mVector);
    mPoint.transformBy(xfm);
    mVector = end - mPoint;
    return *this;
}
