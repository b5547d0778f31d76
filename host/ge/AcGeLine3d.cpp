#include "host/ge/AcGeLine3d.h"

// Built from literals: other files' constants may not be initialised yet.
const AcGeLine3d AcGeLine3d::kXAxis(AcGePoint3d(0, 0, 0), AcGeVector3d(1, 0, 0));
const AcGeLine3d AcGeLine3d::kYAxis(AcGePoint3d(0, 0, 0), AcGeVector3d(0, 1, 0));
const AcGeLine3d AcGeLine3d::kZAxis(AcGePoint3d(0, 0, 0), AcGeVector3d(0, 0, 1));

AcGeCurve3d& AcGeLine3d::reverseParam() {
    mVector.negate();
    return *this;
}

AcGeLine3d& AcGeLine3d::set(const AcGePoint3d& pnt, const AcGeVector3d& vec) {
    mPoint = pnt;
    mVector = vec;
    return *this;
}

AcGeLine3d& AcGeLine3d::set(const AcGePoint3d& pnt1, const AcGePoint3d& pnt2) {
    return set(pnt1, pnt2 - pnt1);
}
