#pragma once
// A direction and length in 2D, under the host's name.
#include "host/ge/AcGe.h"
#include "host/ge/AcGeTol.h"

class AcGeVector2d {
public:
    constexpr AcGeVector2d() = default;
    constexpr AcGeVector2d(double xx, double yy) : x(xx), y(yy) {}

    static const AcGeVector2d kIdentity; // the zero vector
    static const AcGeVector2d kXAxis;
    static const AcGeVector2d kYAxis;

    friend AcGeVector2d operator*(double scl, const AcGeVector2d& vec) { return vec * scl; }

    AcGeVector2d& rotateBy(double angle);
    AcGeVector2d& mirror(const AcGeVector2d& line);

    AcGeVector2d operator*(double scl) const { return {x * scl, y * scl}; }
    AcGeVector2d& operator*=(double scl);
    AcGeVector2d operator/(double scl) const { return {x / scl, y / scl}; }
    AcGeVector2d& operator/=(double scl);
    AcGeVector2d operator+(const AcGeVector2d& v) const { return {x + v.x, y + v.y}; }
    AcGeVector2d& operator+=(const AcGeVector2d& v);
    AcGeVector2d operator-(const AcGeVector2d& v) const { return {x - v.x, y - v.y}; }
    AcGeVector2d& operator-=(const AcGeVector2d& v);
    AcGeVector2d operator-() const { return {-x, -y}; }
    AcGeVector2d& negate();

    AcGeVector2d perpVector() const { return {-y, x}; }

    // Angle from the X axis, counter-clockwise, in [0, 2 pi).
    double angle() const;
    // Angle in [0, pi].
    double angleTo(const AcGeVector2d& vec) const;

    AcGeVector2d normal(const AcGeTol& tol = AcGeContext::gTol) const;
    AcGeVector2d& normalize(const AcGeTol& tol = AcGeContext::gTol);
    AcGeVector2d& normalize(const AcGeTol& tol, AcGeError& flag);
    double length() const;
    double lengthSqrd() const { return x * x + y * y; }
    bool isUnitLength(const AcGeTol& tol = AcGeContext::gTol) const;
    bool isZeroLength(const AcGeTol& tol = AcGeContext::gTol) const;

    bool isParallelTo(const AcGeVector2d& vec, const AcGeTol& tol = AcGeContext::gTol) const;
    bool isCodirectionalTo(const AcGeVector2d& vec, const AcGeTol& tol = AcGeContext::gTol) const;
    bool isPerpendicularTo(const AcGeVector2d& vec, const AcGeTol& tol = AcGeContext::gTol) const;

    double dotProduct(const AcGeVector2d& v) const { return x * v.x + y * v.y; }

    bool operator==(const AcGeVector2d& v) const { return isEqualTo(v); }
    bool operator!=(const AcGeVector2d& v) const { return !isEqualTo(v); }
    bool isEqualTo(const AcGeVector2d& vec, const AcGeTol& tol = AcGeContext::gTol) const;

    double operator[](unsigned int i) const { return i == 0 ? x : y; }
    double& operator[](unsigned int i) { return i == 0 ? x : y; }
    AcGeVector2d& set(double xx, double yy);

    double x = 0.0;
    double y = 0.0;
};
