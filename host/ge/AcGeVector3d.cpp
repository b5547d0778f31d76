#include "host/ge/AcGeVector3d.h"

#include "host/ge/AcGeMatrix3d.h"

#include <algorithm>
#include <cmath>
#include <numbers>

const AcGeVector3d AcGeVector3d::kIdentity(0.0, 0.0, 0.0);
const AcGeVector3d AcGeVector3d::kXAxis(1.0, 0.0, 0.0);
const AcGeVector3d AcGeVector3d::kYAxis(0.0, 1.0, 0.0);
const AcGeVector3d AcGeVector3d::kZAxis(0.0, 0.0, 1.0);

AcGeVector3d operator*(const AcGeMatrix3d& m, const AcGeVector3d& v) {
    // Directions ignore the translation column.
    return {m.entry[0][0] * v.x + m.entry[0][1] * v.y + m.entry[0][2] * v.z,
            m.entry[1][0] * v.x + m.entry[1][1] * v.y + m.entry[1][2] * v.z,
            m.entry[2][0] * v.x + m.entry[2][1] * v.y + m.entry[2][2] * v.z};
}

AcGeVector3d& AcGeVector3d::setToProduct(const AcGeMatrix3d& mat, const AcGeVector3d& vec) {
    *this = mat * vec;
    return *this;
}

AcGeVector3d& AcGeVector3d::setToProduct(const AcGeVector3d& vec, double scl) {
    *this = vec * scl;
    return *this;
}

AcGeVector3d& AcGeVector3d::transformBy(const AcGeMatrix3d& leftSide) {
    return setToProduct(leftSide, *this);
}

AcGeVector3d& AcGeVector3d::rotateBy(double ang, const AcGeVector3d& axis) {
    const AcGeVector3d k = axis.normal();
    if (k.isZeroLength()) return *this;
    // Rodrigues' rotation formula.
    const double c = std::cos(ang);
    const double s = std::sin(ang);
    const AcGeVector3d v = *this;
    *this = v * c + k.crossProduct(v) * s + k * (k.dotProduct(v) * (1.0 - c));
    return *this;
}

AcGeVector3d& AcGeVector3d::mirror(const AcGeVector3d& normalToPlane) {
    const AcGeVector3d n = normalToPlane.normal();
    *this -= n * (2.0 * dotProduct(n));
    return *this;
}

AcGeVector3d& AcGeVector3d::operator*=(double scl) {
    return *this = *this * scl;
}
AcGeVector3d& AcGeVector3d::operator/=(double scl) {
    return *this = *this / scl;
}
AcGeVector3d& AcGeVector3d::operator+=(const AcGeVector3d& v) {
    return *this = *this + v;
}
AcGeVector3d& AcGeVector3d::operator-=(const AcGeVector3d& v) {
    return *this = *this - v;
}

AcGeVector3d& AcGeVector3d::setToSum(const AcGeVector3d& v1, const AcGeVector3d& v2) {
    return *this = v1 + v2;
}

AcGeVector3d& AcGeVector3d::negate() {
    return *this = -*this;
}

AcGeVector3d AcGeVector3d::perpVector() const {
    if (isZeroLength()) return kIdentity;
    return acgeArbitraryXAxis(*this) * length();
}

double AcGeVector3d::angleTo(const AcGeVector3d& vec) const {
    // atan2 keeps full precision near 0 and pi, where acos of the dot product does not.
    return std::atan2(crossProduct(vec).length(), dotProduct(vec));
}

double AcGeVector3d::angleTo(const AcGeVector3d& vec, const AcGeVector3d& refVec) const {
    const double a = angleTo(vec);
    if (refVec.dotProduct(crossProduct(vec)) >= 0.0) return a;
    const double r = 2.0 * std::numbers::pi - a;
    return r >= 2.0 * std::numbers::pi ? 0.0 : r;
}

AcGeVector3d AcGeVector3d::normal(const AcGeTol& tol) const {
    AcGeVector3d v = *this;
    return v.normalize(tol);
}

AcGeVector3d& AcGeVector3d::normalize(const AcGeTol& tol) {
    AcGeError flag = AcGe::kOk;
    return normalize(tol, flag);
}

AcGeVector3d& AcGeVector3d::normalize(const AcGeTol& tol, AcGeError& flag) {
    const double len = length();
    if (len <= tol.equalVector() || !std::isfinite(len)) {
        flag = AcGe::k0This;
        return *this;
    }
    flag = AcGe::kOk;
    return *this /= len;
}

double AcGeVector3d::length() const {
    return std::hypot(x, y, z);
}

bool AcGeVector3d::isUnitLength(const AcGeTol& tol) const {
    return std::fabs(length() - 1.0) <= tol.equalVector();
}

bool AcGeVector3d::isZeroLength(const AcGeTol& tol) const {
    return length() <= tol.equalVector();
}

bool AcGeVector3d::isParallelTo(const AcGeVector3d& vec, const AcGeTol& tol) const {
    if (isZeroLength(tol) || vec.isZeroLength(tol)) return false;
    return normal(tol).crossProduct(vec.normal(tol)).length() <= tol.equalVector();
}

bool AcGeVector3d::isCodirectionalTo(const AcGeVector3d& vec, const AcGeTol& tol) const {
    return isParallelTo(vec, tol) && dotProduct(vec) > 0.0;
}

bool AcGeVector3d::isPerpendicularTo(const AcGeVector3d& vec, const AcGeTol& tol) const {
    if (isZeroLength(tol) || vec.isZeroLength(tol)) return false;
    return std::fabs(normal(tol).dotProduct(vec.normal(tol))) <= tol.equalVector();
}

AcGeVector3d AcGeVector3d::crossProduct(const AcGeVector3d& v) const {
    return {y * v.z - z * v.y, z * v.x - x * v.z, x * v.y - y * v.x};
}

AcGeVector3d AcGeVector3d::project(const AcGeVector3d& planeNormal,
                                   const AcGeVector3d& projectDirection) const {
    const double along = projectDirection.dotProduct(planeNormal);
    if (std::fabs(along) <=
        AcGeContext::gTol.equalVector() * projectDirection.length() * planeNormal.length())
        return *this;
    return *this - projectDirection * (dotProduct(planeNormal) / along);
}

AcGeVector3d AcGeVector3d::orthoProject(const AcGeVector3d& planeNormal) const {
    const AcGeVector3d n = planeNormal.normal();
    if (n.isZeroLength()) return *this;
    return *this - n * dotProduct(n);
}

bool AcGeVector3d::isEqualTo(const AcGeVector3d& vec, const AcGeTol& tol) const {
    return (*this - vec).length() <= tol.equalVector();
}

unsigned int AcGeVector3d::largestElement() const {
    const double ax = std::fabs(x), ay = std::fabs(y), az = std::fabs(z);
    if (ax >= ay && ax >= az) return 0;
    return ay >= az ? 1 : 2;
}

AcGeVector3d& AcGeVector3d::set(double xx, double yy, double zz) {
    x = xx;
    y = yy;
    z = zz;
    return *this;
}
