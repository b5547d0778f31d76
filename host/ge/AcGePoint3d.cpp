#include "host/ge/AcGePoint3d.h"

#include "host/ge/AcGeMatrix3d.h"
#include "host/ge/AcGePlane.h"

#include <cmath>

const AcGePoint3d AcGePoint3d::kOrigin(0.0, 0.0, 0.0);

AcGePoint3d operator*(const AcGeMatrix3d& m, const AcGePoint3d& p) {
    const double w = m.entry[3][0] * p.x + m.entry[3][1] * p.y + m.entry[3][2] * p.z + m.entry[3][3];
    AcGePoint3d r(m.entry[0][0] * p.x + m.entry[0][1] * p.y + m.entry[0][2] * p.z + m.entry[0][3],
                  m.entry[1][0] * p.x + m.entry[1][1] * p.y + m.entry[1][2] * p.z + m.entry[1][3],
                  m.entry[2][0] * p.x + m.entry[2][1] * p.y + m.entry[2][2] * p.z + m.entry[2][3]);
    // Affine matrices have w == 1; only a perspective one needs the division.
    if (w != 1.0 && w != 0.0) r /= w;
    return r;
}

AcGePoint3d::AcGePoint3d(const AcGePlanarEnt& pln, const AcGePoint2d& pnt2d) {
    *this = pln.evalPoint(pnt2d);
}

AcGePoint2d AcGePoint3d::convert2d(const AcGePlanarEnt& pln) const {
    return pln.paramOf(*this);
}

AcGePoint3d& AcGePoint3d::setToProduct(const AcGeMatrix3d& mat, const AcGePoint3d& pnt) {
    return *this = mat * pnt;
}

AcGePoint3d& AcGePoint3d::transformBy(const AcGeMatrix3d& leftSide) {
    return *this = leftSide * *this;
}

AcGePoint3d& AcGePoint3d::rotateBy(double angle, const AcGeVector3d& vec, const AcGePoint3d& wrtPoint) {
    AcGeVector3d d = *this - wrtPoint;
    d.rotateBy(angle, vec);
    return *this = wrtPoint + d;
}

AcGePoint3d& AcGePoint3d::mirror(const AcGePlane& pln) {
    const AcGePoint3d foot = orthoProject(pln);
    return *this = foot + (foot - *this);
}

AcGePoint3d& AcGePoint3d::scaleBy(double scaleFactor, const AcGePoint3d& wrtPoint) {
    return *this = wrtPoint + (*this - wrtPoint) * scaleFactor;
}

AcGePoint3d& AcGePoint3d::operator*=(double scl) {
    return *this = *this * scl;
}
AcGePoint3d& AcGePoint3d::operator/=(double scl) {
    return *this = *this / scl;
}
AcGePoint3d& AcGePoint3d::operator+=(const AcGeVector3d& v) {
    return *this = *this + v;
}
AcGePoint3d& AcGePoint3d::operator-=(const AcGeVector3d& v) {
    return *this = *this - v;
}
AcGePoint3d& AcGePoint3d::setToSum(const AcGePoint3d& pnt, const AcGeVector3d& vec) {
    return *this = pnt + vec;
}

double AcGePoint3d::distanceTo(const AcGePoint3d& pnt) const {
    return (*this - pnt).length();
}

AcGePoint3d AcGePoint3d::project(const AcGePlane& pln, const AcGeVector3d& vec) const {
    const AcGeVector3d n = pln.normal();
    const AcGeVector3d d = vec.normal();
    const double along = d.dotProduct(n);
    if (d.isZeroLength() || std::fabs(along) <= AcGeContext::gTol.equalVector()) return *this;
    return *this - d * (pln.signedDistanceTo(*this) / along);
}

AcGePoint3d AcGePoint3d::orthoProject(const AcGePlane& pln) const {
    return pln.closestPointTo(*this);
}

bool AcGePoint3d::isEqualTo(const AcGePoint3d& pnt, const AcGeTol& tol) const {
    return distanceTo(pnt) <= tol.equalPoint();
}

AcGePoint3d& AcGePoint3d::set(double xx, double yy, double zz) {
    x = xx;
    y = yy;
    z = zz;
    return *this;
}
