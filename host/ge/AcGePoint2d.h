#pragma once
// A position in 2D, under the host's name.
#include "host/ge/AcGeTol.h"
#include "host/ge/AcGeVector2d.h"

class AcGePoint2d {
public:
    constexpr AcGePoint2d() = default;
    constexpr AcGePoint2d(double xx, double yy) : x(xx), y(yy) {}

    static const AcGePoint2d kOrigin;

    friend AcGePoint2d operator*(double scl, const AcGePoint2d& pnt) { return pnt * scl; }

    AcGePoint2d& rotateBy(double angle, const AcGePoint2d& wrtPoint = kOrigin);
    AcGePoint2d& scaleBy(double scaleFactor, const AcGePoint2d& wrtPoint = kOrigin);

    AcGePoint2d operator*(double scl) const { return {x * scl, y * scl}; }
    AcGePoint2d& operator*=(double scl);
    AcGePoint2d operator/(double scl) const { return {x / scl, y / scl}; }
    AcGePoint2d& operator/=(double scl);
    AcGePoint2d operator+(const AcGeVector2d& v) const { return {x + v.x, y + v.y}; }
    AcGePoint2d& operator+=(const AcGeVector2d& v);
    AcGePoint2d operator-(const AcGeVector2d& v) const { return {x - v.x, y - v.y}; }
    AcGePoint2d& operator-=(const AcGeVector2d& v);
    AcGeVector2d operator-(const AcGePoint2d& p) const { return {x - p.x, y - p.y}; }
    AcGeVector2d asVector() const { return {x, y}; }

    double distanceTo(const AcGePoint2d& pnt) const;

    bool operator==(const AcGePoint2d& p) const { return isEqualTo(p); }
    bool operator!=(const AcGePoint2d& p) const { return !isEqualTo(p); }
    bool isEqualTo(const AcGePoint2d& pnt, const AcGeTol& tol = AcGeContext::gTol) const;

    double operator[](unsigned int i) const { return i == 0 ? x : y; }
    double& operator[](unsigned int i) { return i == 0 ? x : y; }
    AcGePoint2d& set(double xx, double yy);

    double x = 0.0;
    double y = 0.0;
};
