#include "DbTestHelpers.h"
#include "host/db/entities/AcDbArc.h"
#include "host/db/entities/AcDbCircle.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/entities/AcDbPolyline.h"
#include "host/db/entities/ClosestPoints.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using dbtest::kGeomTol;

namespace {
constexpr double kPi = std::numbers::pi;

void expectPoint(const AcGePoint3d& actual, const AcGePoint3d& expected, const char* what) {
    EXPECT_NEAR(actual.x, expected.x, kGeomTol) << what;
    EXPECT_NEAR(actual.y, expected.y, kGeomTol) << what;
    EXPECT_NEAR(actual.z, expected.z, kGeomTol) << what;
}

AcGePoint3dArray snapsOf(const AcDbEntity& ent, AcDb::OsnapMode mode, const AcGePoint3d& pick,
                         const AcGePoint3d& last) {
    AcGePoint3dArray snaps;
    AcDbIntArray ids;
    ent.getOsnapPoints(mode, 0, pick, last, AcGeMatrix3d(), snaps, ids);
    return snaps;
}
} // namespace

TEST(ClosestPoints, OffsetAlongAnArcTakesTheNearerEndOffIt) {
    EXPECT_NEAR(host::nearestArcOffset(0.5, kPi), 0.5, kGeomTol) << "on the arc";
    EXPECT_NEAR(host::nearestArcOffset(kPi, kPi), kPi, kGeomTol) << "at the end";
    EXPECT_NEAR(host::nearestArcOffset(kPi + 0.2, kPi), kPi, kGeomTol) << "just past the end";
    EXPECT_NEAR(host::nearestArcOffset(2 * kPi - 0.2, kPi), 0.0, kGeomTol) << "just before the start";
    EXPECT_NEAR(host::nearestArcOffset(1.5 * kPi, kPi), 0.0, kGeomTol) << "opposite the middle: the start";
    EXPECT_NEAR(host::nearestArcOffset(6.0, 2 * kPi), 6.0, kGeomTol) << "a full turn has no ends";
}

TEST(ClosestPoints, CircleAndArcProjectAndTheCentreTakesTheStart) {
    AcDbCircle circle(AcGePoint3d(1, 1, 0), AcGeVector3d::kZAxis, 2.0);
    AcGePoint3d pt;
    ASSERT_EQ(circle.getClosestPointTo(AcGePoint3d(1, 1, 0), pt), Acad::eOk);
    expectPoint(pt, AcGePoint3d(3, 1, 0), "the centre: the start at angle 0");
    ASSERT_EQ(circle.getClosestPointTo(AcGePoint3d(1, 1, 7), pt), Acad::eOk);
    expectPoint(pt, AcGePoint3d(3, 1, 0), "above the centre, on the axis");
    ASSERT_EQ(circle.getClosestPointTo(AcGePoint3d(1, 5, -3), pt), Acad::eOk);
    expectPoint(pt, AcGePoint3d(1, 3, 0), "out of the plane: projected first");

    // A circle in a tilted plane: the result lies on it, radius from the centre.
    AcGeVector3d tilted = AcGeVector3d(0, 1, 1).normal();
    AcDbCircle slanted(AcGePoint3d(0, 0, 0), tilted, 3.0);
    ASSERT_EQ(slanted.getClosestPointTo(AcGePoint3d(5, 4, -1), pt), Acad::eOk);
    EXPECT_NEAR(pt.distanceTo(AcGePoint3d(0, 0, 0)), 3.0, kGeomTol);
    EXPECT_NEAR((pt - AcGePoint3d(0, 0, 0)).dotProduct(tilted), 0.0, kGeomTol);

    // The upper half circle of radius 2 about the origin.
    AcDbArc arc(AcGePoint3d(0, 0, 0), 2.0, 0.0, kPi);
    ASSERT_EQ(arc.getClosestPointTo(AcGePoint3d(0, 0, 0), pt), Acad::eOk);
    expectPoint(pt, AcGePoint3d(2, 0, 0), "the centre: the start");
    ASSERT_EQ(arc.getClosestPointTo(AcGePoint3d(3, -1, 0), pt), Acad::eOk);
    expectPoint(pt, AcGePoint3d(2, 0, 0), "below the start");
    ASSERT_EQ(arc.getClosestPointTo(AcGePoint3d(-3, -1, 0), pt), Acad::eOk);
    expectPoint(pt, AcGePoint3d(-2, 0, 0), "below the end");
    ASSERT_EQ(arc.getClosestPointTo(AcGePoint3d(0, -5, 0), pt, true), Acad::eOk);
    expectPoint(pt, AcGePoint3d(0, -2, 0), "extended, the arc is its circle");

    // An arc through angle 0 (from 300 to 60 degrees): points both sides of 0.
    AcDbArc across(AcGePoint3d(0, 0, 0), 1.0, 5 * kPi / 3, kPi / 3);
    ASSERT_EQ(across.getClosestPointTo(AcGePoint3d(4, 0, 0), pt), Acad::eOk);
    expectPoint(pt, AcGePoint3d(1, 0, 0), "inside, across angle 0");
    ASSERT_EQ(across.getClosestPointTo(AcGePoint3d(-1, 0.1, 0), pt), Acad::eOk);
    expectPoint(pt, AcGePoint3d(0.5, std::sqrt(3.0) / 2, 0), "behind it, nearer the end");
}

TEST(ClosestPoints, ClockwiseBulgeSegmentTakesTheNearerVertex) {
    // One clockwise half circle from (0,0) to (10,0), bulging up to (5,5).
    AcDbPolyline pl;
    pl.addVertexAt(0, AcGePoint2d(0, 0), -1.0);
    pl.addVertexAt(1, AcGePoint2d(10, 0));
    AcGePoint3d pt;
    ASSERT_EQ(pl.getClosestPointTo(AcGePoint3d(5, 9, 0), pt), Acad::eOk);
    expectPoint(pt, AcGePoint3d(5, 5, 0), "the top of the bulge");
    ASSERT_EQ(pl.getClosestPointTo(AcGePoint3d(9, -3, 0), pt), Acad::eOk);
    expectPoint(pt, AcGePoint3d(10, 0, 0), "below, right: the second vertex");
    ASSERT_EQ(pl.getClosestPointTo(AcGePoint3d(1, -3, 0), pt), Acad::eOk);
    expectPoint(pt, AcGePoint3d(0, 0, 0), "below, left: the first vertex");
}

TEST(ClosestPoints, NearAndPerpendicularSnapsOfEveryCurve) {
    AcDbLine line(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0));
    AcGePoint3dArray snaps = snapsOf(line, AcDb::kOsModePerp, AcGePoint3d(), AcGePoint3d(14, 3, 0));
    ASSERT_EQ(snaps.length(), 1);
    expectPoint(snaps[0], AcGePoint3d(14, 0, 0), "a line's perpendicular foot may lie past its end");
    snaps = snapsOf(line, AcDb::kOsModeNear, AcGePoint3d(14, 3, 0), AcGePoint3d());
    ASSERT_EQ(snaps.length(), 1);
    expectPoint(snaps[0], AcGePoint3d(10, 0, 0), "near stays on the line");

    AcDbArc arc(AcGePoint3d(0, 0, 0), 2.0, 0.0, kPi);
    snaps = snapsOf(arc, AcDb::kOsModePerp, AcGePoint3d(), AcGePoint3d(0, -5, 0));
    ASSERT_EQ(snaps.length(), 1);
    expectPoint(snaps[0], AcGePoint3d(2, 0, 0), "an arc's perpendicular snap stays on the arc");
    snaps = snapsOf(arc, AcDb::kOsModeNear, AcGePoint3d(0, 3, 0), AcGePoint3d());
    ASSERT_EQ(snaps.length(), 1);
    expectPoint(snaps[0], AcGePoint3d(0, 2, 0), "near the top of the arc");

    AcDbCircle circle(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 1.0);
    snaps = snapsOf(circle, AcDb::kOsModeNear, AcGePoint3d(0, -4, 0), AcGePoint3d());
    ASSERT_EQ(snaps.length(), 1);
    expectPoint(snaps[0], AcGePoint3d(0, -1, 0), "near the bottom of the circle");
    EXPECT_EQ(snapsOf(circle, AcDb::kOsModeIns, AcGePoint3d(), AcGePoint3d()).length(), 0) << "no such snap";

    AcDbPolyline pl;
    pl.addVertexAt(0, AcGePoint2d(0, 0));
    pl.addVertexAt(1, AcGePoint2d(10, 0));
    pl.addVertexAt(2, AcGePoint2d(10, 10));
    snaps = snapsOf(pl, AcDb::kOsModeNear, AcGePoint3d(12, 4, 0), AcGePoint3d());
    ASSERT_EQ(snaps.length(), 1);
    expectPoint(snaps[0], AcGePoint3d(10, 4, 0), "near the second segment");

    // A polyline without vertices has no closest point, so no snap.
    AcDbPolyline empty;
    EXPECT_EQ(snapsOf(empty, AcDb::kOsModeNear, AcGePoint3d(1, 1, 0), AcGePoint3d()).length(), 0);
    EXPECT_EQ(snapsOf(empty, AcDb::kOsModePerp, AcGePoint3d(), AcGePoint3d(1, 1, 0)).length(), 0);
}
