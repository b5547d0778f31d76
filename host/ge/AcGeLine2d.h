#pragma once
// An unbounded 2D line, under the host's name.
#include "host/ge/AcGeLinearEnt2d.h"

class AcGeLine2d : public AcGeLinearEnt2d {
public:
    AcGeLine2d() = default; // the X axis
    AcGeLine2d(const AcGePoint2d& pnt, const AcGeVector2d& vec) : AcGeLinearEnt2d(pnt, vec) {}
    AcGeLine2d(const AcGePoint2d& pnt1, const AcGePoint2d& pnt2) : AcGeLinearEnt2d(pnt1, pnt2 - pnt1) {}

    void getInterval(AcGeInterval& range) const override { range.set(); }

    AcGeLine2d& set(const AcGePoint2d& pnt, const AcGeVector2d& vec) {
        mPoint = pnt;
        mVector = vec;
        return *this;
    }
    AcGeLine2d& set(const AcGePoint2d& pnt1, const AcGePoint2d& pnt2) { return set(pnt1, pnt2 - pnt1); }
};
