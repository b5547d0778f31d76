#pragma once
// Base of straight 3D curves (line, segment, ray), under the host's name. The
// parameter runs along the defining vector: evalPoint(t) = pointOnLine() + t * vector.
#include "host/ge/AcGeCurve3d.h"
#include "host/ge/AcGeVector3d.h"

class AcGeLine3d;
class AcGePlanarEnt;
class AcGePlane;

class AcGeLinearEnt3d : public AcGeCurve3d {
public:
    bool isKindOf(AcGe::EntityId entType) const override {
        return entType == AcGe::kLinearEnt3d || AcGeCurve3d::isKindOf(entType);
    }

    // The one point both lines share. False when they are parallel (coincident
    // included), pass each other further apart than tol.equalPoint(), or the point
    // lies outside a bounded one. The point returned lies on this line.
    bool intersectWith(const AcGeLinearEnt3d& line, AcGePoint3d& intPnt,
                       const AcGeTol& tol = AcGeContext::gTol) const;
    // Where the line meets the plane; false when parallel to it or out of bounds.
    bool intersectWith(const AcGePlanarEnt& plane, AcGePoint3d& intPnt,
                       const AcGeTol& tol = AcGeContext::gTol) const;

    bool isParallelTo(const AcGeLinearEnt3d& line, const AcGeTol& tol = AcGeContext::gTol) const;
    bool isPerpendicularTo(const AcGeLinearEnt3d& line, const AcGeTol& tol = AcGeContext::gTol) const;
    bool isColinearTo(const AcGeLinearEnt3d& line, const AcGeTol& tol = AcGeContext::gTol) const;

    AcGePoint3d pointOnLine() const { return mPoint; }
    // Unit length; zero for a degenerate line.
    AcGeVector3d direction() const { return mVector.normal(); }
    void getLine(AcGeLine3d& line) const;
    // The plane through pnt perpendicular to this line.
    bool getPerpPlane(const AcGePoint3d& pnt, AcGePlane& plane) const;

    AcGePoint3d evalPoint(double param) const override { return mPoint + mVector * param; }
    double paramOf(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const override;
    AcGePoint3d closestPointTo(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const override;
    double length(double fromParam, double toParam,
                  double tol = AcGeContext::gTol.equalPoint()) const override;
    AcGeEntity3d& transformBy(const AcGeMatrix3d& xfm) override;

protected:
    AcGeLinearEnt3d() = default;
    AcGeLinearEnt3d(const AcGePoint3d& pnt, const AcGeVector3d& vec) : mPoint(pnt), mVector(vec) {}

    // The unbounded line's parameter of the foot of pnt.
    double footParam(const AcGePoint3d& pnt) const;
    // The parameter lies within the bounds, allowing tol as a distance along the line.
    bool withinBounds(double param, double tol) const;

    AcGePoint3d mPoint;
    AcGeVector3d mVector{1.0, 0.0, 0.0};
};
