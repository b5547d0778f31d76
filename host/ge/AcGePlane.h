#pragma once
// An unbounded plane, under the host's names (AcGePlanarEnt holds what planes
// share). The plane has an origin and two axes; a plane made from a normal alone
// takes its axes from the host's arbitrary axis rule.
#include "host/ge/AcGeEntity3d.h"
#include "host/ge/AcGePoint2d.h"
#include "host/ge/AcGePoint3d.h"
#include "host/ge/AcGeVector3d.h"

class AcGeLinearEnt3d;

class AcGePlanarEnt : public AcGeEntity3d {
public:
    bool isKindOf(AcGe::EntityId entType) const override;

    AcGePoint3d pointOnPlane() const { return mOrigin; }
    AcGeVector3d normal() const;
    void getCoefficients(double& a, double& b, double& c, double& d) const;
    void getCoordSystem(AcGePoint3d& origin, AcGeVector3d& axis1, AcGeVector3d& axis2) const;

    AcGePoint3d closestPointTo(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const;
    bool isOn(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const override;
    bool isParallelTo(const AcGePlanarEnt& otherPln, const AcGeTol& tol = AcGeContext::gTol) const;
    bool isCoplanarTo(const AcGePlanarEnt& otherPln, const AcGeTol& tol = AcGeContext::gTol) const;

    // Plane coordinates: evalPoint(u, v) = origin + u * axis1 + v * axis2; paramOf
    // gives the coordinates of the point's orthogonal projection.
    AcGePoint3d evalPoint(const AcGePoint2d& param) const;
    AcGePoint2d paramOf(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const;

    AcGeEntity3d& transformBy(const AcGeMatrix3d& xfm) override;

protected:
    AcGePlanarEnt() = default;
    void setFrame(const AcGePoint3d& origin, const AcGeVector3d& uAxis, const AcGeVector3d& vAxis);

    AcGePoint3d mOrigin;
    AcGeVector3d mUAxis{1.0, 0.0, 0.0};
    AcGeVector3d mVAxis{0.0, 1.0, 0.0};
};

class AcGePlane : public AcGePlanarEnt {
public:
    static const AcGePlane kXYPlane;
    static const AcGePlane kYZPlane;
    static const AcGePlane kZXPlane;

    AcGePlane(); // the XY plane
    AcGePlane(const AcGePoint3d& origin, const AcGeVector3d& normal);
    AcGePlane(const AcGePoint3d& pntU, const AcGePoint3d& org, const AcGePoint3d& pntV);
    AcGePlane(const AcGePoint3d& org, const AcGeVector3d& uAxis, const AcGeVector3d& vAxis);
    AcGePlane(double a, double b, double c, double d);

    AcGe::EntityId type() const override { return AcGe::kPlane; }
    bool isKindOf(AcGe::EntityId entType) const override;
    AcGeEntity3d* copy() const override { return new AcGePlane(*this); }

    // Signed along the normal.
    double signedDistanceTo(const AcGePoint3d& pnt) const;
    double distanceTo(const AcGePoint3d& pnt) const;

    // Where the line meets the plane; false when they are parallel.
    bool intersectWith(const AcGeLinearEnt3d& linEnt, AcGePoint3d& pnt,
                       const AcGeTol& tol = AcGeContext::gTol) const;

    AcGePlane& set(const AcGePoint3d& pnt, const AcGeVector3d& normal);
    AcGePlane& set(const AcGePoint3d& pntU, const AcGePoint3d& org, const AcGePoint3d& pntV);
    AcGePlane& set(double a, double b, double c, double d);
    AcGePlane& set(const AcGePoint3d& org, const AcGeVector3d& uAxis, const AcGeVector3d& vAxis);
};
