#pragma once
// Base of the parametric 3D curves, under the host's name. A curve maps a
// parameter interval onto points; lengths are measured between parameters.
#include "host/ge/AcGeEntity3d.h"
#include "host/ge/AcGeInterval.h"
#include "host/ge/AcGePoint3d.h"
#include "host/ge/AcGeTol.h"

class AcGeCurve3d : public AcGeEntity3d {
public:
    bool isKindOf(AcGe::EntityId entType) const override {
        return entType == AcGe::kCurve3d || AcGeEntity3d::isKindOf(entType);
    }

    virtual void getInterval(AcGeInterval& range) const = 0;
    virtual AcGePoint3d evalPoint(double param) const = 0;
    // The parameter of the curve point nearest pnt.
    virtual double paramOf(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const = 0;
    virtual AcGePoint3d closestPointTo(const AcGePoint3d& pnt,
                                       const AcGeTol& tol = AcGeContext::gTol) const = 0;
    // Length between two parameters, whichever is smaller.
    virtual double length(double fromParam, double toParam,
                          double tol = AcGeContext::gTol.equalPoint()) const = 0;
    // Swaps the ends: the curve runs the other way.
    virtual AcGeCurve3d& reverseParam() = 0;

    bool hasStartPoint(AcGePoint3d& startPnt) const;
    bool hasEndPoint(AcGePoint3d& endPnt) const;
    // Closed when bounded and its ends meet within tol.equalPoint().
    virtual bool isClosed(const AcGeTol& tol = AcGeContext::gTol) const;

    double distanceTo(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const;

    bool isOn(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const override;
    // As isOn, and gives the point's parameter whether it is on the curve or not.
    bool isOn(const AcGePoint3d& pnt, double& param, const AcGeTol& tol = AcGeContext::gTol) const;
    // The parameter lies in the curve's interval.
    bool isOn(double param, const AcGeTol& tol = AcGeContext::gTol) const;

protected:
    AcGeCurve3d() = default;
    AcGeCurve3d(const AcGeCurve3d&) = default;
    AcGeCurve3d& operator=(const AcGeCurve3d&) = default;
};
