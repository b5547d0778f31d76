#include "host/ge/AcGeCurve3d.h"

bool AcGeCurve3d::hasStartPoint(AcGePoint3d& startPnt) const {
    AcGeInterval range;
    getInterval(range);
    if (!range.isBoundedBelow()) return false;
    startPnt = evalPoint(range.lowerBound());
    return true;
}

bool AcGeCurve3d::hasEndPoint(AcGePoint3d& endPnt) const {
    AcGeInterval range;
    getInterval(range);
    if (!range.isBoundedAbove()) return false;
    endPnt = evalPoint(range.upperBound());
    return true;
}

bool AcGeCurve3d::isClosed(const AcGeTol& tol) const {
    AcGePoint3d s, e;
    return hasStartPoint(s) && hasEndPoint(e) && s.isEqualTo(e, tol);
}

double AcGeCurve3d::distanceTo(const AcGePoint3d& pnt, const AcGeTol& tol) const {
    return closestPointTo(pnt, tol).distanceTo(pnt);
}

bool AcGeCurve3d::isOn(const AcGePoint3d& pnt, const AcGeTol& tol) const {
    return distanceTo(pnt, tol) <= tol.equalPoint();
}

bool AcGeCurve3d::isOn(const AcGePoint3d& pnt, double& param, const AcGeTol& tol) const {
    param = paramOf(pnt, tol);
    return isOn(pnt, tol);
}

bool AcGeCurve3d::isOn(double param, const AcGeTol& tol) const {
    AcGeInterval range;
    getInterval(range);
    return range.contains(param, tol.equalPoint());
}
