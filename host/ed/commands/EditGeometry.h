#pragma once
// The geometry of the host's editing commands: the matrices MOVE, ROTATE, SCALE and
// MIRROR apply, the regions STRETCH works with, and finding a grip near a point.
// Pure functions; points are world points unless a name says UCS.
#include "host/db/database/AcArray.h"
#include "host/ge/AcGeMatrix3d.h"
#include "host/ge/AcGePoint2d.h"
#include "host/ge/AcGePoint3d.h"
#include "host/gi/GiPrimitive.h"

#include <vector>

namespace host::edit {

// Two points closer than this (in the plan of the UCS) are one: no mirror line, no
// direction for an angle.
inline constexpr double kSamePlanPoint = 1e-10;
// Scale factors below this are no scale: everything would collapse into the base point.
inline constexpr double kSmallestScale = 1e-12;

// Rotation by `radians` (counter-clockwise seen from the UCS Z axis) about the UCS Z
// axis through `base`. `ucs` maps UCS to world coordinates.
AcGeMatrix3d rotationAboutUcsZ(const AcGeMatrix3d& ucs, const AcGePoint3d& base, double radians);
// The mirror in the plane through the line a-b that stands perpendicular to the UCS
// XY plane. False (and `out` untouched) when a and b are one point in the UCS plan.
bool mirrorAcrossUcsLine(const AcGeMatrix3d& ucs, const AcGePoint3d& a, const AcGePoint3d& b,
                         AcGeMatrix3d& out);
// The angle from the UCS X axis of the direction from `fromUcs` to `toUcs` in the UCS
// plan, in radians; false for points that are one in the plan.
bool planAngle(const AcGePoint3d& fromUcs, const AcGePoint3d& toUcs, double& radians);

// A region STRETCH stretches with, in the plan of the world: a crossing window, or a
// crossing polygon (three corners at least, taken as closed).
struct StretchRegion {
    std::vector<AcGePoint2d> corners; // two opposite corners of a window, or a polygon
    bool polygon = false;

    static StretchRegion window(const AcGePoint3d& a, const AcGePoint3d& b);
    static StretchRegion closedPolygon(const std::vector<AcGePoint3d>& points);
    // Inside or on the border.
    bool contains(double x, double y) const;
};

// All of the drawn entity lies in the region (an endless construction line never does).
bool regionHolds(const StretchRegion& region, const gi::GiRecording& recording);
// Some of the drawn entity lies in the region or crosses its border.
bool regionCrosses(const StretchRegion& region, const gi::GiRecording& recording);
// The indices of the points that lie in at least one of the regions.
AcDbIntArray pointsInRegions(const AcGePoint3dArray& points, const std::vector<StretchRegion>& regions);

// The index of the grip nearest to `at` (in the plan) within the square pick box of
// half side `halfBox`; -1 when no grip lies in it.
int nearestGrip(const AcGePoint3dArray& grips, const AcGePoint3d& at, double halfBox);

} // namespace host::edit
