#include "host/ed/commands/EditGeometry.h"

#include "host/db/entities/AcDbCircle.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/entities/DrawnGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

using namespace host::edit;

constexpr double kTol = 1e-12;
constexpr double kPi = std::numbers::pi;

void expectNear(const AcGePoint3d& p, const AcGePoint3d& q, const char* what) {
    EXPECT_NEAR(p.x, q.x, kTol) << what;
    EXPECT_NEAR(p.y, q.y, kTol) << what;
    EXPECT_NEAR(p.z, q.z, kTol) << what;
}

// A UCS turned 90 degrees about the world X axis: its Z axis is the world's -Y.
AcGeMatrix3d standingUcs() {
    AcGeMatrix3d m;
    m.setCoordSystem(AcGePoint3d(1, 2, 3), AcGeVector3d::kXAxis, AcGeVector3d::kZAxis, -AcGeVector3d::kYAxis);
    return m;
}

TEST(EditGeometry, RotationAndMirrorFollowTheUcs) {
    // In the world UCS: a quarter turn about (1,1) takes (2,1) to (1,2).
    const AcGeMatrix3d world;
    expectNear(rotationAboutUcsZ(world, AcGePoint3d(1, 1, 0), kPi / 2) * AcGePoint3d(2, 1, 0),
               AcGePoint3d(1, 2, 0), "rotation in the world");
    // Standing UCS: the turn is about the world's -Y axis through the base point.
    const AcGeMatrix3d ucs = standingUcs();
    const AcGePoint3d base(1, 2, 3);
    const AcGePoint3d p = rotationAboutUcsZ(ucs, base, kPi / 2) * AcGePoint3d(2, 2, 3);
    expectNear(p, AcGePoint3d(1, 2, 4), "rotation about the UCS Z axis");

    AcGeMatrix3d m;
    // Mirror line along the world Y axis at x = 5: x flips, y and z stay.
    ASSERT_TRUE(mirrorAcrossUcsLine(world, AcGePoint3d(5, 0, 0), AcGePoint3d(5, 3, 0), m));
    expectNear(m * AcGePoint3d(7, 4, 2), AcGePoint3d(3, 4, 2), "mirror");
    // A diagonal through the origin swaps x and y.
    ASSERT_TRUE(mirrorAcrossUcsLine(world, AcGePoint3d(0, 0, 0), AcGePoint3d(2, 2, 9), m));
    expectNear(m * AcGePoint3d(3, 1, 0), AcGePoint3d(1, 3, 0), "mirror on the diagonal");
    // Points that differ only along the UCS Z axis make no line in the plan.
    const AcGeMatrix3d before = m;
    EXPECT_FALSE(mirrorAcrossUcsLine(world, AcGePoint3d(1, 1, 0), AcGePoint3d(1, 1, 5), m));
    EXPECT_FALSE(mirrorAcrossUcsLine(ucs, AcGePoint3d(1, 2, 3), AcGePoint3d(1, 9, 3), m));
    EXPECT_TRUE(m == before);

    double a = 0;
    ASSERT_TRUE(planAngle(AcGePoint3d(1, 1, 0), AcGePoint3d(1, -4, 7), a));
    EXPECT_NEAR(a, -kPi / 2, kTol);
    EXPECT_FALSE(planAngle(AcGePoint3d(1, 1, 0), AcGePoint3d(1, 1, 3), a));
}

TEST(EditGeometry, RegionsHoldCrossOrMissDrawnEntities) {
    const StretchRegion window = StretchRegion::window(AcGePoint3d(10, 10, 0), AcGePoint3d(0, 0, 0));
    EXPECT_TRUE(window.contains(0, 5)); // on the border
    EXPECT_FALSE(window.contains(10.5, 5));
    // An L-shaped polygon: its notch is outside.
    const StretchRegion ell =
        StretchRegion::closedPolygon({AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0), AcGePoint3d(10, 4, 0),
                                      AcGePoint3d(4, 4, 0), AcGePoint3d(4, 10, 0), AcGePoint3d(0, 10, 0)});
    EXPECT_TRUE(ell.contains(2, 8));
    EXPECT_FALSE(ell.contains(8, 8));
    EXPECT_TRUE(ell.contains(7, 4)); // on an edge

    AcDbLine inNotch(AcGePoint3d(6, 6, 0), AcGePoint3d(9, 9, 0));
    AcDbLine acrossNotch(AcGePoint3d(2, 2, 0), AcGePoint3d(8, 8, 0));
    AcDbLine inLeg(AcGePoint3d(1, 1, 0), AcGePoint3d(3, 9, 0));
    AcDbCircle roundNotch(AcGePoint3d(7, 7, 0), AcGeVector3d::kZAxis, 2);
    const auto recIn = host::drawEntity(&inNotch), recAcross = host::drawEntity(&acrossNotch),
               recLeg = host::drawEntity(&inLeg), recCircle = host::drawEntity(&roundNotch);
    EXPECT_FALSE(regionCrosses(ell, recIn));
    EXPECT_TRUE(regionHolds(window, recIn));
    EXPECT_TRUE(regionCrosses(ell, recAcross));
    EXPECT_FALSE(regionHolds(ell, recAcross));
    EXPECT_TRUE(regionHolds(ell, recLeg));
    EXPECT_TRUE(regionCrosses(ell, recLeg));
    EXPECT_FALSE(regionCrosses(ell, recCircle)); // it bulges into neither leg
    EXPECT_TRUE(regionHolds(window, recCircle));

    AcGePoint3dArray points;
    points.append(AcGePoint3d(2, 8, 0));
    points.append(AcGePoint3d(8, 8, 0));
    points.append(AcGePoint3d(20, 20, 0));
    const AcDbIntArray inside = pointsInRegions(points, {ell});
    ASSERT_EQ(inside.length(), 1);
    EXPECT_EQ(inside[0], 0);
    EXPECT_EQ(pointsInRegions(points, {ell, window}).length(), 2);
    EXPECT_TRUE(pointsInRegions(points, {}).isEmpty());
}

TEST(EditGeometry, NearestGripWithinThePickBox) {
    AcGePoint3dArray grips;
    grips.append(AcGePoint3d(0, 0, 0));
    grips.append(AcGePoint3d(1, 0, 0));
    grips.append(AcGePoint3d(1.2, 0, 0));
    EXPECT_EQ(nearestGrip(grips, AcGePoint3d(1.15, 0.1, 0), 0.3), 2);
    EXPECT_EQ(nearestGrip(grips, AcGePoint3d(0.9, 0, 0), 0.3), 1);
    // A box, not a circle: a corner of the box still reaches.
    EXPECT_EQ(nearestGrip(grips, AcGePoint3d(-0.29, 0.29, 0), 0.3), 0);
    EXPECT_EQ(nearestGrip(grips, AcGePoint3d(0.5, 0.5, 0), 0.3), -1);
    EXPECT_EQ(nearestGrip(AcGePoint3dArray(), AcGePoint3d(0, 0, 0), 0.3), -1);
}

} // namespace
