// The stretch points of the curves whose grips are not all stretch points: STRETCH
// must move only what lies in its window, never a whole line for its middle or a
// circle's radius for a quadrant.
#include "host/db/entities/AcDbCircle.h"
#include "host/db/entities/AcDbLine.h"

namespace {
// The grips of a line are start, middle and end; its stretch points start and end.
constexpr int kLineStartGrip = 0;
constexpr int kLineEndGrip = 2;
} // namespace

Acad::ErrorStatus AcDbLine::subGetStretchPoints(AcGePoint3dArray& stretchPoints) const {
    stretchPoints.append(startPoint());
    stretchPoints.append(endPoint());
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::subMoveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    AcDbIntArray grips;
    for (int i : indices) {
        if (i != 0 && i != 1) return Acad::eInvalidIndex;
        grips.append(i == 0 ? kLineStartGrip : kLineEndGrip);
    }
    return subMoveGripPointsAt(grips, offset);
}

Acad::ErrorStatus AcDbCircle::subGetStretchPoints(AcGePoint3dArray& stretchPoints) const {
    stretchPoints.append(center());
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::subMoveStretchPointsAt(const AcDbIntArray& indices,
                                                     const AcGeVector3d& offset) {
    for (int i : indices)
        if (i != 0) return Acad::eInvalidIndex;
    if (indices.isEmpty()) return Acad::eOk;
    return setCenter(center() + offset);
}
