#include "host/ge/AcGeLinearEnt2d.h"

#include <algorithm>
#include <cmath>

bool AcGeLinearEnt2d::withinBounds(double param, double tol) const {
    AcGeInterval range;
    getInterval(range);
    const double len = mVector.length();
    return range.contains(param, len > 0.0 ? tol / len : 0.0);
}

bool AcGeLinearEnt2d::intersectWith(const AcGeLinearEnt2d& line, AcGePoint2d& intPnt,
                                    const AcGeTol& tol) const {
    const AcGeVector2d& d1 = mVector;
    const AcGeVector2d& d2 = line.mVector;
    if (d1.isZeroLength(tol) || d2.isZeroLength(tol) || d1.isParallelTo(d2, tol)) return false;
    const AcGeVector2d w = line.mPoint - mPoint;
    const double cross = d1.x * d2.y - d1.y * d2.x;
    const double s = (w.x * d2.y - w.y * d2.x) / cross;
    const double t = (w.x * d1.y - w.y * d1.x) / cross;
    if (!withinBounds(s, tol.equalPoint()) || !line.withinBounds(t, tol.equalPoint())) return false;
    intPnt = evalPoint(s);
    return true;
}

double AcGeLinearEnt2d::paramOf(const AcGePoint2d& pnt, const AcGeTol&) const {
    const double len2 = mVector.lengthSqrd();
    double t = len2 == 0.0 ? 0.0 : (pnt - mPoint).dotProduct(mVector) / len2;
    AcGeInterval range;
    getInterval(range);
    if (range.isBoundedBelow()) t = std::max(t, range.lowerBound());
    if (range.isBoundedAbove()) t = std::min(t, range.upperBound());
    return t;
}

double AcGeLinearEnt2d::length(double fromParam, double toParam) const {
    return std::fabs(toParam - fromParam) * mVector.length();
}
