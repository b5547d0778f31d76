#pragma once
// A position in 3D, under the host's name.
#include "host/ge/AcGePoint2d.h"
#include "host/ge/AcGeTol.h"
#include "host/ge/AcGeVector3d.h"

class AcGeMatrix3d;
class AcGePlane;
class AcGePlanarEnt;

class AcGePoint3d {
public:
    constexpr AcGePoint3d() = default;
    constexpr AcGePoint3d(double xx, double yy, double zz) : x(xx), y(yy), z(zz) {}
    // The point with the given plane coordinates.
    AcGePoint3d(const AcGePlanarEnt& pln, const AcGePoint2d& pnt2d);

    static const AcGePoint3d kOrigin;

    friend AcGePoint3d operator*(const AcGeMatrix3d& mat, const AcGePoint3d& pnt);
    friend AcGePoint3d operator*(double scl, const AcGePoint3d& pnt) { return pnt * scl; }

    AcGePoint3d& setToProduct(const AcGeMatrix3d& mat, const AcGePoint3d& pnt);
    AcGePoint3d& transformBy(const AcGeMatrix3d& leftSide);
    AcGePoint3d& rotateBy(double angle, const AcGeVector3d& vec, const AcGePoint3d& wrtPoint = kOrigin);
    AcGePoint3d& mirror(const AcGePlane& pln);
    AcGePoint3d& scaleBy(double scaleFactor, const AcGePoint3d& wrtPoint = kOrigin);

    AcGePoint3d operator*(double scl) const { return {x * scl, y * scl, z * scl}; }
    AcGePoint3d& operator*=(double scl);
    AcGePoint3d operator/(double scl) const { return {x / scl, y / scl, z / scl}; }
    AcGePoint3d& operator/=(double scl);
    AcGePoint3d operator+(const AcGeVector3d& v) const { return {x + v.x, y + v.y, z + v.z}; }
    AcGePoint3d& operator+=(const AcGeVector3d& v);
    AcGePoint3d operator-(const AcGeVector3d& v) const { return {x - v.x, y - v.y, z - v.z}; }
    AcGePoint3d& operator-=(const AcGeVector3d& v);
    AcGePoint3d& setToSum(const AcGePoint3d& pnt, const AcGeVector3d& vec);
    AcGeVector3d operator-(const AcGePoint3d& p) const { return {x - p.x, y - p.y, z - p.z}; }
    AcGeVector3d asVector() const { return {x, y, z}; }

    double distanceTo(const AcGePoint3d& pnt) const;

    // Projection onto the plane along vec; the point is returned unchanged when vec
    // is parallel to the plane.
    AcGePoint3d project(const AcGePlane& pln, const AcGeVector3d& vec) const;
    AcGePoint3d orthoProject(const AcGePlane& pln) const;
    // Plane coordinates of the point's orthogonal projection.
    AcGePoint2d convert2d(const AcGePlanarEnt& pln) const;

    bool operator==(const AcGePoint3d& p) const { return isEqualTo(p); }
    bool operator!=(const AcGePoint3d& p) const { return !isEqualTo(p); }
    // Equal when the distance is not above tol.equalPoint().
    bool isEqualTo(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const;

    double operator[](unsigned int i) const { return i == 0 ? x : (i == 1 ? y : z); }
    double& operator[](unsigned int i) { return i == 0 ? x : (i == 1 ? y : z); }
    AcGePoint3d& set(double xx, double yy, double zz);

    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};
