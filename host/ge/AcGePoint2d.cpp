#include "host/ge/AcGePoint2d.h"

const AcGePoint2d AcGePoint2d::kOrigin(0.0, 0.0);

AcGePoint2d& AcGePoint2d::rotateBy(double angle, const AcGePoint2d& wrtPoint) {
    AcGeVector2d d = *this - wrtPoint;
    return *this = wrtPoint + d.rotateBy(angle);
}

AcGePoint2d& AcGePoint2d::scaleBy(double scaleFactor, const AcGePoint2d& wrtPoint) {
    return *this = wrtPoint + (*this - wrtPoint) * scaleFactor;
}

AcGePoint2d& AcGePoint2d::operator*=(double scl) {
    return *this = *this * scl;
}
AcGePoint2d& AcGePoint2d::operator/=(double scl) {
    return *this = *this / scl;
}
AcGePoint2d& AcGePoint2d::operator+=(const AcGeVector2d& v) {
    return *this = *this + v;
}
AcGePoint2d& AcGePoint2d::operator-=(const AcGeVector2d& v) {
    return *this = *this - v;
}

double AcGePoint2d::distanceTo(const AcGePoint2d& pnt) const {
    return (*this - pnt).length();
}

bool AcGePoint2d::isEqualTo(const AcGePoint2d& pnt, const AcGeTol& tol) const {
    return distanceTo(pnt) <= tol.equalPoint();
}

AcGePoint2d& AcGePoint2d::set(double xx, double yy) {
    x = xx;
    y = yy;
    return *this;
}
