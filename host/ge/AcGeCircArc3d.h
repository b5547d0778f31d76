#pragma once
// A circular arc or full circle in 3D, under the host's name. The parameter is the
// angle in radians from refVec, counter-clockwise about normal; the arc runs from
// startAng to endAng (endAng - startAng in [0, 2 pi]).
#include "host/ge/AcGe.h"
#include "host/ge/AcGeCurve3d.h"
#include "host/ge/AcGeVector3d.h"

class AcGeLine3d;
class AcGeLinearEnt3d;
class AcGePlane;

class AcGeCircArc3d : public AcGeCurve3d {
public:
    AcGeCircArc3d() = default; // unit circle about the origin in the XY plane
    // Full circle; refVec follows the arbitrary axis rule for the normal.
    AcGeCircArc3d(const AcGePoint3d& cent, const AcGeVector3d& nrm, double radius);
    AcGeCircArc3d(const AcGePoint3d& cent, const AcGeVector3d& nrm, const AcGeVector3d& refVec, double radius,
                  double startAngle = 0.0, double endAngle = 6.28318530717958647692);
    // The arc from startPoint through pnt to endPoint. Coincident or collinear
    // points leave the default circle (use set() with an error flag to learn why).
    AcGeCircArc3d(const AcGePoint3d& startPoint, const AcGePoint3d& pnt, const AcGePoint3d& endPoint);

    AcGe::EntityId type() const override { return AcGe::kCircArc3d; }
    bool isKindOf(AcGe::EntityId entType) const override {
        return entType == AcGe::kCircArc3d || AcGeCurve3d::isKindOf(entType);
    }
    AcGeEntity3d* copy() const override { return new AcGeCircArc3d(*this); }
    AcGeEntity3d& transformBy(const AcGeMatrix3d& xfm) override;

    AcGePoint3d center() const { return mCenter; }
    AcGeVector3d normal() const { return mNormal; }
    AcGeVector3d refVec() const { return mRefVec; }
    double radius() const { return mRadius; }
    double startAng() const { return mStartAng; }
    double endAng() const { return mEndAng; }
    AcGePoint3d startPoint() const { return evalPoint(mStartAng); }
    AcGePoint3d endPoint() const { return evalPoint(mEndAng); }
    void getPlane(AcGePlane& plane) const;
    // The tangent line at a point of the arc, running the way the parameter grows;
    // false (line unchanged) when the point is not on the arc.
    bool tangent(const AcGePoint3d& pnt, AcGeLine3d& line, const AcGeTol& tol = AcGeContext::gTol) const;
    // Inside the full circle, in its plane (within tol.equalPoint()).
    bool isInside(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const;

    void getInterval(AcGeInterval& range) const override { range.set(mStartAng, mEndAng); }
    AcGePoint3d evalPoint(double param) const override;
    // Angles beyond the arc go to the nearer end's side: just above endAng past the
    // end, just below startAng before the start.
    double paramOf(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const override;
    AcGePoint3d closestPointTo(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const override;
    double length(double fromParam, double toParam,
                  double tol = AcGeContext::gTol.equalPoint()) const override;
    using AcGeCurve3d::length;
    double length() const { return length(mStartAng, mEndAng); }
    AcGeCurve3d& reverseParam() override;
    // A full circle is closed whatever its radius.
    bool isClosed(const AcGeTol& tol = AcGeContext::gTol) const override;

    // Points the arc (bounded) and the line entity (within its bounds) share:
    // 0, 1 (touching, or crossing the arc's plane) or 2, the first nearer the
    // line's start. False when there are none.
    bool intersectWith(const AcGeLinearEnt3d& line, int& intn, AcGePoint3d& p1, AcGePoint3d& p2,
                       const AcGeTol& tol = AcGeContext::gTol) const;

    AcGeCircArc3d& setCenter(const AcGePoint3d& cent);
    // A zero radius makes the arc its centre point; a negative or non-finite one
    // leaves the radius unchanged.
    AcGeCircArc3d& setRadius(double radius);
    AcGeCircArc3d& setAngles(double startAng, double endAng);
    // A zero normal or a refVec parallel to it leaves the axes unchanged.
    AcGeCircArc3d& setAxes(const AcGeVector3d& normal, const AcGeVector3d& refVec);
    AcGeCircArc3d& set(const AcGePoint3d& cent, const AcGeVector3d& nrm, double radius);
    AcGeCircArc3d& set(const AcGePoint3d& cent, const AcGeVector3d& nrm, const AcGeVector3d& refVec,
                       double radius, double startAngle, double endAngle);
    AcGeCircArc3d& set(const AcGePoint3d& startPoint, const AcGePoint3d& pnt, const AcGePoint3d& endPoint);
    // As above; on coincident or collinear points the arc is unchanged and error
    // says why (kEqualArg1Arg2 ..., kLinearlyDependentArg1Arg2Arg3).
    AcGeCircArc3d& set(const AcGePoint3d& startPoint, const AcGePoint3d& pnt, const AcGePoint3d& endPoint,
                       AcGeError& error);

private:
    AcGeVector3d perpVec() const { return mNormal.crossProduct(mRefVec); }
    // The angle of pnt's projection, from refVec about normal, in [0, 2 pi).
    double angleOf(const AcGePoint3d& pnt) const;

    AcGePoint3d mCenter;
    AcGeVector3d mNormal{0.0, 0.0, 1.0};
    AcGeVector3d mRefVec{1.0, 0.0, 0.0};
    double mRadius = 1.0;
    double mStartAng = 0.0;
    double mEndAng = 6.28318530717958647692;
};
