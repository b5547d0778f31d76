#pragma once
// A direction and length in 3D, under the host's name. Degenerate input never
// throws: a zero vector stays zero when normalised, and is neither parallel nor
// perpendicular to anything.
#include "host/ge/AcGe.h"
#include "host/ge/AcGeTol.h"

class AcGeMatrix3d;

class AcGeVector3d {
public:
    constexpr AcGeVector3d() = default;
    constexpr AcGeVector3d(double xx, double yy, double zz) : x(xx), y(yy), z(zz) {}

    static const AcGeVector3d kIdentity; // the zero vector, the additive identity
    static const AcGeVector3d kXAxis;
    static const AcGeVector3d kYAxis;
    static const AcGeVector3d kZAxis;

    friend AcGeVector3d operator*(const AcGeMatrix3d& mat, const AcGeVector3d& vec);
    friend AcGeVector3d operator*(double scl, const AcGeVector3d& vec) { return vec * scl; }

    AcGeVector3d& setToProduct(const AcGeMatrix3d& mat, const AcGeVector3d& vec);
    AcGeVector3d& setToProduct(const AcGeVector3d& vec, double scl);
    AcGeVector3d& transformBy(const AcGeMatrix3d& leftSide);
    AcGeVector3d& rotateBy(double ang, const AcGeVector3d& axis);
    AcGeVector3d& mirror(const AcGeVector3d& normalToPlane);

    AcGeVector3d operator*(double scl) const { return {x * scl, y * scl, z * scl}; }
    AcGeVector3d& operator*=(double scl);
    AcGeVector3d operator/(double scl) const { return {x / scl, y / scl, z / scl}; }
    AcGeVector3d& operator/=(double scl);
    AcGeVector3d operator+(const AcGeVector3d& v) const { return {x + v.x, y + v.y, z + v.z}; }
    AcGeVector3d& operator+=(const AcGeVector3d& v);
    AcGeVector3d operator-(const AcGeVector3d& v) const { return {x - v.x, y - v.y, z - v.z}; }
    AcGeVector3d& operator-=(const AcGeVector3d& v);
    AcGeVector3d operator-() const { return {-x, -y, -z}; }
    AcGeVector3d& setToSum(const AcGeVector3d& v1, const AcGeVector3d& v2);
    AcGeVector3d& negate();

    // Some vector perpendicular to this one (the arbitrary axis rule); zero for zero.
    AcGeVector3d perpVector() const;

    // Angle in [0, pi].
    double angleTo(const AcGeVector3d& vec) const;
    // Angle in [0, 2 pi): counter-clockwise from this vector to vec seen from the
    // tip of refVec.
    double angleTo(const AcGeVector3d& vec, const AcGeVector3d& refVec) const;

    AcGeVector3d normal(const AcGeTol& tol = AcGeContext::gTol) const;
    AcGeVector3d& normalize(const AcGeTol& tol = AcGeContext::gTol);
    AcGeVector3d& normalize(const AcGeTol& tol, AcGeError& flag);
    double length() const;
    double lengthSqrd() const { return x * x + y * y + z * z; }
    bool isUnitLength(const AcGeTol& tol = AcGeContext::gTol) const;
    bool isZeroLength(const AcGeTol& tol = AcGeContext::gTol) const;

    bool isParallelTo(const AcGeVector3d& vec, const AcGeTol& tol = AcGeContext::gTol) const;
    bool isCodirectionalTo(const AcGeVector3d& vec, const AcGeTol& tol = AcGeContext::gTol) const;
    bool isPerpendicularTo(const AcGeVector3d& vec, const AcGeTol& tol = AcGeContext::gTol) const;

    double dotProduct(const AcGeVector3d& v) const { return x * v.x + y * v.y + z * v.z; }
    AcGeVector3d crossProduct(const AcGeVector3d& v) const;

    // Projection onto the plane through the origin with the given normal, along
    // projectDirection; the vector is returned unchanged when the direction lies
    // in the plane.
    AcGeVector3d project(const AcGeVector3d& planeNormal, const AcGeVector3d& projectDirection) const;
    AcGeVector3d orthoProject(const AcGeVector3d& planeNormal) const;

    bool operator==(const AcGeVector3d& v) const { return isEqualTo(v); }
    bool operator!=(const AcGeVector3d& v) const { return !isEqualTo(v); }
    // Equal when the difference is not longer than tol.equalVector().
    bool isEqualTo(const AcGeVector3d& vec, const AcGeTol& tol = AcGeContext::gTol) const;

    double operator[](unsigned int i) const { return i == 0 ? x : (i == 1 ? y : z); }
    double& operator[](unsigned int i) { return i == 0 ? x : (i == 1 ? y : z); }
    unsigned int largestElement() const;
    AcGeVector3d& set(double xx, double yy, double zz);

    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};
