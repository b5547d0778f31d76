#include "host/ge/AcGeMatrix3d.h"

#include "host/ge/AcGePlane.h"

#include <algorithm>
#include <cmath>
#include <utility>

const AcGeMatrix3d AcGeMatrix3d::kIdentity;

AcGeVector3d acgeArbitraryXAxis(const AcGeVector3d& normal) {
    const AcGeVector3d n = normal.normal();
    if (n.isZeroLength()) return AcGeVector3d::kIdentity;
    // Near the world Z axis the world Y axis is crossed instead, so the X axis never
    // degenerates; 1/64 is the host's threshold.
    constexpr double kNearZ = 1.0 / 64.0;
    const AcGeVector3d base =
        (std::fabs(n.x) < kNearZ && std::fabs(n.y) < kNearZ) ? AcGeVector3d::kYAxis : AcGeVector3d::kZAxis;
    return base.crossProduct(n).normal();
}

AcGeMatrix3d& AcGeMatrix3d::setToIdentity() {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            entry[r][c] = r == c ? 1.0 : 0.0;
    return *this;
}

AcGeMatrix3d AcGeMatrix3d::operator*(const AcGeMatrix3d& mat) const {
    AcGeMatrix3d r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            double s = 0.0;
            for (int k = 0; k < 4; ++k)
                s += entry[i][k] * mat.entry[k][j];
            r.entry[i][j] = s;
        }
    return r;
}

AcGeMatrix3d& AcGeMatrix3d::operator*=(const AcGeMatrix3d& mat) {
    return *this = *this * mat;
}
AcGeMatrix3d& AcGeMatrix3d::preMultBy(const AcGeMatrix3d& leftSide) {
    return *this = leftSide * *this;
}
AcGeMatrix3d& AcGeMatrix3d::postMultBy(const AcGeMatrix3d& rightSide) {
    return *this = *this * rightSide;
}
AcGeMatrix3d& AcGeMatrix3d::setToProduct(const AcGeMatrix3d& mat1, const AcGeMatrix3d& mat2) {
    return *this = mat1 * mat2;
}

bool AcGeMatrix3d::inverse(AcGeMatrix3d& inv, double tol) const {
    // Gauss-Jordan with partial pivoting; the pivot is compared relative to the
    // size of the linear part, so that a small scale far from the origin (a
    // millimetre block placed at 1e6) still inverts.
    double a[4][8];
    double big = 0.0;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            a[r][c] = entry[r][c];
            a[r][c + 4] = r == c ? 1.0 : 0.0;
            if (c < 3 || r == 3) big = std::max(big, std::fabs(entry[r][c]));
        }
    for (int r = 0; r < 3; ++r)
        if (!std::isfinite(entry[r][3])) return false;
    if (!(big > 0.0) || !std::isfinite(big)) return false;
    for (int col = 0; col < 4; ++col) {
        int piv = col;
        for (int r = col + 1; r < 4; ++r)
            if (std::fabs(a[r][col]) > std::fabs(a[piv][col])) piv = r;
        if (std::fabs(a[piv][col]) <= tol * big) return false;
        if (piv != col)
            for (int c = 0; c < 8; ++c)
                std::swap(a[piv][c], a[col][c]);
        const double p = a[col][col];
        for (int c = 0; c < 8; ++c)
            a[col][c] /= p;
        for (int r = 0; r < 4; ++r) {
            if (r == col || a[r][col] == 0.0) continue;
            const double f = a[r][col];
            for (int c = 0; c < 8; ++c)
                a[r][c] -= f * a[col][c];
        }
    }
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            inv.entry[r][c] = a[r][c + 4];
    return true;
}

AcGeMatrix3d& AcGeMatrix3d::invert() {
    AcGeMatrix3d inv;
    if (inverse(inv, AcGeContext::gTol.equalPoint())) *this = inv;
    return *this;
}

AcGeMatrix3d AcGeMatrix3d::inverse() const {
    return inverse(AcGeContext::gTol);
}

AcGeMatrix3d AcGeMatrix3d::inverse(const AcGeTol& tol) const {
    AcGeMatrix3d inv;
    return inverse(inv, tol.equalPoint()) ? inv : *this;
}

bool AcGeMatrix3d::isSingular(const AcGeTol& tol) const {
    AcGeMatrix3d inv;
    return !inverse(inv, tol.equalPoint());
}

AcGeMatrix3d& AcGeMatrix3d::transposeIt() {
    for (int r = 0; r < 4; ++r)
        for (int c = r + 1; c < 4; ++c)
            std::swap(entry[r][c], entry[c][r]);
    return *this;
}

AcGeMatrix3d AcGeMatrix3d::transpose() const {
    AcGeMatrix3d t = *this;
    return t.transposeIt();
}

bool AcGeMatrix3d::isEqualTo(const AcGeMatrix3d& mat, const AcGeTol& tol) const {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (!(std::fabs(entry[r][c] - mat.entry[r][c]) <= tol.equalVector())) return false;
    return true;
}

namespace {

AcGeVector3d column(const AcGeMatrix3d& m, int c) {
    return {m.entry[0][c], m.entry[1][c], m.entry[2][c]};
}

void setColumn(AcGeMatrix3d& m, int c, const AcGeVector3d& v) {
    m.entry[0][c] = v.x;
    m.entry[1][c] = v.y;
    m.entry[2][c] = v.z;
}

bool isAffine(const AcGeMatrix3d& m, const AcGeTol& tol) {
    return std::fabs(m.entry[3][0]) <= tol.equalVector() && std::fabs(m.entry[3][1]) <= tol.equalVector() &&
           std::fabs(m.entry[3][2]) <= tol.equalVector() &&
           std::fabs(m.entry[3][3] - 1.0) <= tol.equalVector();
}

} // namespace

bool AcGeMatrix3d::isScaledOrtho(const AcGeTol& tol) const {
    if (!isAffine(*this, tol)) return false;
    const AcGeVector3d a = column(*this, 0), b = column(*this, 1), c = column(*this, 2);
    if (a.isZeroLength(tol) || b.isZeroLength(tol) || c.isZeroLength(tol)) return false;
    return a.isPerpendicularTo(b, tol) && b.isPerpendicularTo(c, tol) && a.isPerpendicularTo(c, tol);
}

bool AcGeMatrix3d::isUniScaledOrtho(const AcGeTol& tol) const {
    if (!isScaledOrtho(tol)) return false;
    const double la = column(*this, 0).length(), lb = column(*this, 1).length(),
                 lc = column(*this, 2).length();
    const double big = std::max({la, lb, lc});
    return std::fabs(la - lb) <= tol.equalVector() * big && std::fabs(lb - lc) <= tol.equalVector() * big;
}

double AcGeMatrix3d::det() const {
    // Cofactor expansion along the first row of the 4x4 matrix.
    const auto& m = entry;
    auto det3 = [&](int c0, int c1, int c2) {
        return m[1][c0] * (m[2][c1] * m[3][c2] - m[2][c2] * m[3][c1]) -
               m[1][c1] * (m[2][c0] * m[3][c2] - m[2][c2] * m[3][c0]) +
               m[1][c2] * (m[2][c0] * m[3][c1] - m[2][c1] * m[3][c0]);
    };
    return m[0][0] * det3(1, 2, 3) - m[0][1] * det3(0, 2, 3) + m[0][2] * det3(0, 1, 3) -
           m[0][3] * det3(0, 1, 2);
}

AcGeMatrix3d& AcGeMatrix3d::setTranslation(const AcGeVector3d& vec) {
    entry[0][3] = vec.x;
    entry[1][3] = vec.y;
    entry[2][3] = vec.z;
    return *this;
}

AcGeVector3d AcGeMatrix3d::translation() const {
    return {entry[0][3], entry[1][3], entry[2][3]};
}

AcGeMatrix3d& AcGeMatrix3d::setCoordSystem(const AcGePoint3d& origin, const AcGeVector3d& xAxis,
                                           const AcGeVector3d& yAxis, const AcGeVector3d& zAxis) {
    setToIdentity();
    setColumn(*this, 0, xAxis);
    setColumn(*this, 1, yAxis);
    setColumn(*this, 2, zAxis);
    return setTranslation(origin.asVector());
}

void AcGeMatrix3d::getCoordSystem(AcGePoint3d& origin, AcGeVector3d& xAxis, AcGeVector3d& yAxis,
                                  AcGeVector3d& zAxis) const {
    origin = AcGePoint3d::kOrigin + translation();
    xAxis = column(*this, 0);
    yAxis = column(*this, 1);
    zAxis = column(*this, 2);
}

AcGeMatrix3d& AcGeMatrix3d::setToTranslation(const AcGeVector3d& vec) {
    setToIdentity();
    return setTranslation(vec);
}

AcGeMatrix3d& AcGeMatrix3d::setToRotation(double angle, const AcGeVector3d& axis, const AcGePoint3d& center) {
    setToIdentity();
    // Columns are the rotated world axes; a zero axis leaves the identity.
    setColumn(*this, 0, AcGeVector3d(AcGeVector3d::kXAxis).rotateBy(angle, axis));
    setColumn(*this, 1, AcGeVector3d(AcGeVector3d::kYAxis).rotateBy(angle, axis));
    setColumn(*this, 2, AcGeVector3d(AcGeVector3d::kZAxis).rotateBy(angle, axis));
    const AcGeVector3d c = center.asVector();
    return setTranslation(c - (*this * c));
}

AcGeMatrix3d& AcGeMatrix3d::setToScaling(double scaleAll, const AcGePoint3d& center) {
    setToIdentity();
    for (int i = 0; i < 3; ++i)
        entry[i][i] = scaleAll;
    return setTranslation(center.asVector() * (1.0 - scaleAll));
}

AcGeMatrix3d& AcGeMatrix3d::setToMirroring(const AcGePlane& pln) {
    // Householder reflection about the plane through its point.
    const AcGeVector3d n = pln.normal();
    setToIdentity();
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            entry[r][c] -= 2.0 * n[r] * n[c];
    const AcGeVector3d p = pln.pointOnPlane().asVector();
    return setTranslation(p - (*this * p));
}

AcGeMatrix3d& AcGeMatrix3d::setToMirroring(const AcGePoint3d& pnt) {
    return setToScaling(-1.0, pnt);
}

AcGeMatrix3d& AcGeMatrix3d::setToProjection(const AcGePlane& projectionPlane,
                                            const AcGeVector3d& projectDir) {
    setToIdentity();
    const AcGeVector3d n = projectionPlane.normal();
    const AcGeVector3d d = projectDir.normal();
    const double along = d.dotProduct(n);
    if (d.isZeroLength() || std::fabs(along) <= AcGeContext::gTol.equalVector()) return *this;
    // p' = p - d * ((p - o) . n) / (d . n)
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            entry[r][c] -= d[r] * n[c] / along;
    const double k = projectionPlane.pointOnPlane().asVector().dotProduct(n) / along;
    return setTranslation(d * k);
}

AcGeMatrix3d& AcGeMatrix3d::setToAlignCoordSys(const AcGePoint3d& fromOrigin, const AcGeVector3d& fromXAxis,
                                               const AcGeVector3d& fromYAxis, const AcGeVector3d& fromZAxis,
                                               const AcGePoint3d& toOrigin, const AcGeVector3d& toXAxis,
                                               const AcGeVector3d& toYAxis, const AcGeVector3d& toZAxis) {
    AcGeMatrix3d from;
    from.setCoordSystem(fromOrigin, fromXAxis, fromYAxis, fromZAxis);
    AcGeMatrix3d to;
    to.setCoordSystem(toOrigin, toXAxis, toYAxis, toZAxis);
    // A degenerate source system cannot be undone; the result is then the plain
    // mapping of world into the target system.
    AcGeMatrix3d fromInv;
    if (!from.inverse(fromInv, AcGeContext::gTol.equalPoint())) fromInv.setToIdentity();
    return *this = to * fromInv;
}

AcGeMatrix3d& AcGeMatrix3d::setToPlaneToWorld(const AcGeVector3d& normal) {
    const AcGeVector3d n = normal.normal();
    if (n.isZeroLength()) return setToIdentity();
    const AcGeVector3d xAxis = acgeArbitraryXAxis(n);
    return setCoordSystem(AcGePoint3d::kOrigin, xAxis, n.crossProduct(xAxis), n);
}

AcGeMatrix3d& AcGeMatrix3d::setToPlaneToWorld(const AcGePlane& plane) {
    AcGePoint3d origin;
    AcGeVector3d u, v;
    plane.getCoordSystem(origin, u, v);
    return setCoordSystem(origin, u, v, plane.normal());
}

AcGeMatrix3d& AcGeMatrix3d::setToWorldToPlane(const AcGeVector3d& normal) {
    // The plane system is orthonormal, so its inverse is its transpose.
    return setToPlaneToWorld(normal).transposeIt();
}

AcGeMatrix3d& AcGeMatrix3d::setToWorldToPlane(const AcGePlane& plane) {
    setToPlaneToWorld(plane);
    return invert();
}

AcGeMatrix3d AcGeMatrix3d::translation(const AcGeVector3d& vec) {
    return AcGeMatrix3d().setToTranslation(vec);
}
AcGeMatrix3d AcGeMatrix3d::rotation(double angle, const AcGeVector3d& axis, const AcGePoint3d& center) {
    return AcGeMatrix3d().setToRotation(angle, axis, center);
}
AcGeMatrix3d AcGeMatrix3d::scaling(double scaleAll, const AcGePoint3d& center) {
    return AcGeMatrix3d().setToScaling(scaleAll, center);
}
AcGeMatrix3d AcGeMatrix3d::mirroring(const AcGePlane& pln) {
    return AcGeMatrix3d().setToMirroring(pln);
}
AcGeMatrix3d AcGeMatrix3d::mirroring(const AcGePoint3d& pnt) {
    return AcGeMatrix3d().setToMirroring(pnt);
}
AcGeMatrix3d AcGeMatrix3d::projection(const AcGePlane& projectionPlane, const AcGeVector3d& projectDir) {
    return AcGeMatrix3d().setToProjection(projectionPlane, projectDir);
}
AcGeMatrix3d AcGeMatrix3d::alignCoordSys(const AcGePoint3d& fromOrigin, const AcGeVector3d& fromXAxis,
                                         const AcGeVector3d& fromYAxis, const AcGeVector3d& fromZAxis,
                                         const AcGePoint3d& toOrigin, const AcGeVector3d& toXAxis,
                                         const AcGeVector3d& toYAxis, const AcGeVector3d& toZAxis) {
    return AcGeMatrix3d().setToAlignCoordSys(fromOrigin, fromXAxis, fromYAxis, fromZAxis, toOrigin, toXAxis,
                                             toYAxis, toZAxis);
}
AcGeMatrix3d AcGeMatrix3d::worldToPlane(const AcGeVector3d& normal) {
    return AcGeMatrix3d().setToWorldToPlane(normal);
}
AcGeMatrix3d AcGeMatrix3d::worldToPlane(const AcGePlane& plane) {
    return AcGeMatrix3d().setToWorldToPlane(plane);
}
AcGeMatrix3d AcGeMatrix3d::planeToWorld(const AcGeVector3d& normal) {
    return AcGeMatrix3d().setToPlaneToWorld(normal);
}
AcGeMatrix3d AcGeMatrix3d::planeToWorld(const AcGePlane& plane) {
    return AcGeMatrix3d().setToPlaneToWorld(plane);
}

double AcGeMatrix3d::scale() const {
    return std::max({column(*this, 0).length(), column(*this, 1).length(), column(*this, 2).length()});
}

double AcGeMatrix3d::norm() const {
    double big = 0.0;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            big = std::max(big, std::fabs(entry[r][c]));
    return big;
}
