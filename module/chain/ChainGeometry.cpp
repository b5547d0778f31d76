#include "module/chain/ChainGeometry.h"

#include <algorithm>

int ChainGeometry::Slot(int i, int c) const {
    const int slot = 4 * i + c;
    return (i >= 0 && c >= 0 && c < 4 && slot < points.length()) ? slot : -1;
}

AcGeMatrix3d ChainGeometry::UcsMatrix() const {
    AcGeMatrix3d m;
    m.setCoordSystem(origin, axis[0], axis[1], axis[2]);
    return m;
}

AcGeVector3d ChainGeometry::UcsNormal() const {
    return axis[0].crossProduct(axis[1]);
}

bool ChainGeometry::IsUcsMirrored() const {
    return UcsNormal().z < 0;
}

void ChainGeometry::SetCoordSystem(const AcGeMatrix3d& ucsToWorld) {
    AcGeVector3d given[3];
    AcGePoint3d at;
    ucsToWorld.getCoordSystem(at, given[0], given[1], given[2]);
    // A degenerate matrix would leave the chain without directions: the world's then.
    const bool usable = !given[0].isZeroLength() && !given[1].isZeroLength() && !given[2].isZeroLength();
    const AcGeVector3d world[3] = {AcGeVector3d::kXAxis, AcGeVector3d::kYAxis, AcGeVector3d::kZAxis};
    origin = at;
    for (int a = 0; a < 3; ++a)
        axis[a] = usable ? given[a].normal() : world[a];
}

AcGePlane ChainGeometry::Plane() const {
    const AcGePoint3d through = points.length() > 2 ? points[2] : origin;
    AcGeVector3d normal = UcsNormal();
    if (normal.isZeroLength()) normal = AcGeVector3d::kZAxis;
    return AcGePlane(through, normal.normal());
}

AcGePoint3d ChainGeometry::ProjectToPlane(const AcGePoint3d& point) const {
    return Plane().closestPointTo(point);
}

int ChainGeometry::InputPointCount(const AcGePoint3d& point) const {
    int count = 0;
    for (int i = 0; i < Extensions(); ++i)
        if (points[4 * i].isEqualTo(point)) ++count;
    return count;
}

double ChainGeometry::StraightLength(int k) const {
    const int s = std::max(k, 1);
    if (s >= Extensions()) return 0.0;
    return points[4 * (s - 1) + kSlotDim].distanceTo(points[4 * s + kSlotDim]);
}

void ChainGeometry::Transform(const AcGeMatrix3d& xform) {
    zAxis = TransformNormal(zAxis, xform);
    for (AcGePoint3d& p : points)
        p.transformBy(xform);
    if (IsArc())
        for (AcGePoint3d& p : arcPoints)
            p.transformBy(xform);
}

AcGeVector3d TransformNormal(const AcGeVector3d& normal, const AcGeMatrix3d& xform) {
    if (normal.isZeroLength()) return normal;
    const AcGeVector3d n = normal.normal();
    const AcGeVector3d x = acgeArbitraryXAxis(n);
    const AcGeVector3d y = n.crossProduct(x);
    const AcGeVector3d turned = (xform * x).crossProduct(xform * y);
    return turned.isZeroLength() ? normal : turned.normal();
}
