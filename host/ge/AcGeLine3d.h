#pragma once
// An unbounded straight line, under the host's name.
#include "host/ge/AcGeLinearEnt3d.h"

class AcGeLine3d : public AcGeLinearEnt3d {
public:
    AcGeLine3d() = default; // the X axis
    AcGeLine3d(const AcGePoint3d& pnt, const AcGeVector3d& vec) : AcGeLinearEnt3d(pnt, vec) {}
    AcGeLine3d(const AcGePoint3d& pnt1, const AcGePoint3d& pnt2) : AcGeLinearEnt3d(pnt1, pnt2 - pnt1) {}

    static const AcGeLine3d kXAxis;
    static const AcGeLine3d kYAxis;
    static const AcGeLine3d kZAxis;

    AcGe::EntityId type() const override { return AcGe::kLine3d; }
    bool isKindOf(AcGe::EntityId entType) const override {
        return entType == AcGe::kLine3d || AcGeLinearEnt3d::isKindOf(entType);
    }
    AcGeEntity3d* copy() const override { return new AcGeLine3d(*this); }

    void getInterval(AcGeInterval& range) const override { range.set(); }
    AcGeCurve3d& reverseParam() override;

    AcGeLine3d& set(const AcGePoint3d& pnt, const AcGeVector3d& vec);
    AcGeLine3d& set(const AcGePoint3d& pnt1, const AcGePoint3d& pnt2);
};
