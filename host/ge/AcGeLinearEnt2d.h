#pragma once
// Straight 2D curves (line, segment), under the host's names. The parameter runs
// along the defining vector: evalPoint(t) = pointOnLine() + t * vector.
#include "host/ge/AcGeInterval.h"
#include "host/ge/AcGePoint2d.h"
#include "host/ge/AcGeTol.h"
#include "host/ge/AcGeVector2d.h"

class AcGeLinearEnt2d {
public:
    virtual ~AcGeLinearEnt2d() = default;

    virtual void getInterval(AcGeInterval& range) const = 0;

    // The one point both share; false when parallel (coincident included) or the
    // point lies outside a bounded one.
    bool intersectWith(const AcGeLinearEnt2d& line, AcGePoint2d& intPnt,
                       const AcGeTol& tol = AcGeContext::gTol) const;
    bool isParallelTo(const AcGeLinearEnt2d& line, const AcGeTol& tol = AcGeContext::gTol) const {
        return mVector.isParallelTo(line.mVector, tol);
    }
    bool isPerpendicularTo(const AcGeLinearEnt2d& line, const AcGeTol& tol = AcGeContext::gTol) const {
        return mVector.isPerpendicularTo(line.mVector, tol);
    }

    AcGePoint2d pointOnLine() const { return mPoint; }
    AcGeVector2d direction() const { return mVector.normal(); }
    AcGePoint2d evalPoint(double param) const { return mPoint + mVector * param; }
    double paramOf(const AcGePoint2d& pnt, const AcGeTol& tol = AcGeContext::gTol) const;
    AcGePoint2d closestPointTo(const AcGePoint2d& pnt, const AcGeTol& tol = AcGeContext::gTol) const {
        return evalPoint(paramOf(pnt, tol));
    }
    bool isOn(const AcGePoint2d& pnt, const AcGeTol& tol = AcGeContext::gTol) const {
        return closestPointTo(pnt, tol).distanceTo(pnt) <= tol.equalPoint();
    }
    double length(double fromParam, double toParam) const;

protected:
    AcGeLinearEnt2d() = default;
    AcGeLinearEnt2d(const AcGePoint2d& pnt, const AcGeVector2d& vec) : mPoint(pnt), mVector(vec) {}
    AcGeLinearEnt2d(const AcGeLinearEnt2d&) = default;
    AcGeLinearEnt2d& operator=(const AcGeLinearEnt2d&) = default;

    bool withinBounds(double param, double tol) const;

    AcGePoint2d mPoint;
    AcGeVector2d mVector{1.0, 0.0};
};
