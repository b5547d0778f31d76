#include "host/ge/AcGeLineSeg3d.h"

#include "host/ge/AcGePlane.h"

AcGeCurve3d& AcGeLineSeg3d::reverseParam() {
    mPoint += mVector;
    mVector.negate();
    return *this;
}

void AcGeLineSeg3d::getBisector(AcGePlane& plane) const {
    plane.set(midPoint(), mVector);
}

AcGeLineSeg3d& AcGeLineSeg3d::set(const AcGePoint3d& pnt1, const AcGePoint3d& pnt2) {
    return set(pnt1, pnt2 - pnt1);
}

AcGeLineSeg3d& AcGeLineSeg3d::set(const AcGePoint3d& pnt, const AcGeVector3d& vec) {
    mPoint = pnt;
    mVector = vec;
    return *this;
}
