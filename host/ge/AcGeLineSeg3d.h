#pragma once
// A straight segment between two points, under the host's name. Its parameter
// runs from 0 at the start point to 1 at the end point.
#include "host/ge/AcGeLinearEnt3d.h"

class AcGePlane;

class AcGeLineSeg3d : public AcGeLinearEnt3d {
public:
    AcGeLineSeg3d() = default; // (0,0,0) to (1,0,0)
    AcGeLineSeg3d(const AcGePoint3d& pnt1, const AcGePoint3d& pnt2) : AcGeLinearEnt3d(pnt1, pnt2 - pnt1) {}
    AcGeLineSeg3d(const AcGePoint3d& pnt, const AcGeVector3d& vec) : AcGeLinearEnt3d(pnt, vec) {}

    AcGe::EntityId type() const override { return AcGe::kLineSeg3d; }
    bool isKindOf(AcGe::EntityId entType) const override {
        return entType == AcGe::kLineSeg3d || AcGeLinearEnt3d::isKindOf(entType);
    }
    AcGeEntity3d* copy() const override { return new AcGeLineSeg3d(*this); }

    void getInterval(AcGeInterval& range) const override { range.set(0.0, 1.0); }
    AcGeCurve3d& reverseParam() override;

    AcGePoint3d startPoint() const { return mPoint; }
    AcGePoint3d endPoint() const { return mPoint + mVector; }
    AcGePoint3d midPoint() const { return mPoint + mVector * 0.5; }
    using AcGeLinearEnt3d::length;
    double length() const { return mVector.length(); }
    void getBisector(AcGePlane& plane) const;

    AcGeLineSeg3d& set(const AcGePoint3d& pnt1, const AcGePoint3d& pnt2);
    AcGeLineSeg3d& set(const AcGePoint3d& pnt, const AcGeVector3d& vec);
};
