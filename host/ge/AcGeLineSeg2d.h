#pragma once
// A 2D segment between two points, under the host's name; parameters 0 .. 1.
#include "host/ge/AcGeLinearEnt2d.h"

class AcGeLineSeg2d : public AcGeLinearEnt2d {
public:
    AcGeLineSeg2d() = default; // (0,0) to (1,0)
    AcGeLineSeg2d(const AcGePoint2d& pnt1, const AcGePoint2d& pnt2) : AcGeLinearEnt2d(pnt1, pnt2 - pnt1) {}
    AcGeLineSeg2d(const AcGePoint2d& pnt, const AcGeVector2d& vec) : AcGeLinearEnt2d(pnt, vec) {}

    void getInterval(AcGeInterval& range) const override { range.set(0.0, 1.0); }

    AcGePoint2d startPoint() const { return mPoint; }
    AcGePoint2d endPoint() const { return mPoint + mVector; }
    AcGePoint2d midPoint() const { return mPoint + mVector * 0.5; }
    using AcGeLinearEnt2d::length;
    double length() const { return mVector.length(); }

    AcGeLineSeg2d& set(const AcGePoint2d& pnt1, const AcGePoint2d& pnt2) {
        mPoint = pnt1;
        mVector = pnt2 - pnt1;
        return *this;
    }
};
