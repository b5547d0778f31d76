#pragma once
// A half line from a point along a vector, under the host's name; parameters >= 0.
#include "host/ge/AcGeLinearEnt3d.h"

class AcGeRay3d : public AcGeLinearEnt3d {
public:
    AcGeRay3d() = default; // from the origin along X
    AcGeRay3d(const AcGePoint3d& pnt, const AcGeVector3d& vec) : AcGeLinearEnt3d(pnt, vec) {}
    AcGeRay3d(const AcGePoint3d& pnt1, const AcGePoint3d& pnt2) : AcGeLinearEnt3d(pnt1, pnt2 - pnt1) {}

    AcGe::EntityId type() const override { return AcGe::kRay3d; }
    bool isKindOf(AcGe::EntityId entType) const override {
        return entType == AcGe::kRay3d || AcGeLinearEnt3d::isKindOf(entType);
    }
    AcGeEntity3d* copy() const override { return new AcGeRay3d(*this); }

    void getInterval(AcGeInterval& range) const override { range.set().setLower(0.0); }
    // A ray cannot run the other way from its start; it is left as it is.
    AcGeCurve3d& reverseParam() override { return *this; }

    AcGeRay3d& set(const AcGePoint3d& pnt, const AcGeVector3d& vec) {
        mPoint = pnt;
        mVector = vec;
        return *this;
    }
};
