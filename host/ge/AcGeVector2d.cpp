#include "host/ge/AcGeVector2d.h"

#include <cmath>
#include <numbers>

const AcGeVector2d AcGeVector2d::kIdentity(0.0, 0.0);
const AcGeVector2d AcGeVector2d::kXAxis(1.0, 0.0);
const AcGeVector2d AcGeVector2d::kYAxis(0.0, 1.0);

AcGeVector2d& AcGeVector2d::rotateBy(double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    return set(x * c - y * s, x * s + y * c);
}

AcGeVector2d& AcGeVector2d::mirror(const AcGeVector2d& line) {
    const AcGeVector2d d = line.normal();
    if (d.isZeroLength()) return *this;
    return *this = d * (2.0 * dotProduct(d)) - *this;
}

AcGeVector2d& AcGeVector2d::operator*=(double scl) {
    return *this = *this * scl;
}
AcGeVector2d& AcGeVector2d::operator/=(double scl) {
    return *this = *this / scl;
}
AcGeVector2d& AcGeVector2d::operator+=(const AcGeVector2d& v) {
    return *this = *this + v;
}
AcGeVector2d& AcGeVector2d::operator-=(const AcGeVector2d& v) {
    return *this = *this - v;
}
AcGeVector2d& AcGeVector2d::negate() {
    return *this = -*this;
}

double AcGeVector2d::angle() const {
    const double a = std::atan2(y, x);
    if (a >= 0.0) return a;
    const double r = a + 2.0 * std::numbers::pi;
    return r >= 2.0 * std::numbers::pi ? 0.0 : r;
}

double AcGeVector2d::angleTo(const AcGeVector2d& vec) const {
    return std::atan2(std::fabs(x * vec.y - y * vec.x), dotProduct(vec));
}

AcGeVector2d AcGeVector2d::normal(const AcGeTol& tol) const {
    AcGeVector2d v = *this;
    return v.normalize(tol);
}

AcGeVector2d& AcGeVector2d::normalize(const AcGeTol& tol) {
    AcGeError flag = AcGe::kOk;
    return normalize(tol, flag);
}

AcGeVector2d& AcGeVector2d::normalize(const AcGeTol& tol, AcGeError& flag) {
    const double len = length();
    if (len <= tol.equalVector() || !std::isfinite(len)) {
        flag = AcGe::k0This;
        return *this;
    }
    flag = AcGe::kOk;
    return *this /= len;
}

double AcGeVector2d::length() const {
    return std::hypot(x, y);
}

bool AcGeVector2d::isUnitLength(const AcGeTol& tol) const {
    return std::fabs(length() - 1.0) <= tol.equalVector();
}

bool AcGeVector2d::isZeroLength(const AcGeTol& tol) const {
    return length() <= tol.equalVector();
}

bool AcGeVector2d::isParallelTo(const AcGeVector2d& vec, const AcGeTol& tol) const {
    if (isZeroLength(tol) || vec.isZeroLength(tol)) return false;
    const AcGeVector2d a = normal(tol), b = vec.normal(tol);
    return std::fabs(a.x * b.y - a.y * b.x) <= tol.equalVector();
}

bool AcGeVector2d::isCodirectionalTo(const AcGeVector2d& vec, const AcGeTol& tol) const {
    return isParallelTo(vec, tol) && dotProduct(vec) > 0.0;
}

bool AcGeVector2d::isPerpendicularTo(const AcGeVector2d& vec, const AcGeTol& tol) const {
    if (isZeroLength(tol) || vec.isZeroLength(tol)) return false;
    return std::fabs(normal(tol).dotProduct(vec.normal(tol))) <= tol.equalVector();
}

bool AcGeVector2d::isEqualTo(const AcGeVector2d& vec, const AcGeTol& tol) const {
    return (*this - vec).length() <= tol.equalVector();
}

AcGeVector2d& AcGeVector2d::set(double xx, double yy) {
    x = xx;
    y = yy;
    return *this;
}
