#include "module/chain/TextSide.h"

bool BoxCrossesLine(const std::array<AcGePoint3d, 4>& box, const AcGePoint3d& through,
                    const AcGeVector3d& across, double tol) {
    if (across.isZeroLength()) return false;
    const AcGeVector3d n = across.normal();
    bool above = false;
    bool below = false;
    for (const AcGePoint3d& corner : box) {
        const double d = (corner - through).dotProduct(n);
        if (d > tol) above = true;
        if (d < -tol) below = true;
    }
    return above && below;
}

AcGePoint3d MirrorThroughLine(const AcGePoint3d& point, const AcGePoint3d& through,
                              const AcGeVector3d& across) {
    if (across.isZeroLength()) return point;
    const AcGeVector3d n = across.normal();
    return point - n * (2.0 * (point - through).dotProduct(n));
}
