#include "DbTestHelpers.h"
#include "host/db/entities/AcDb2dPolyline.h"
#include "host/db/entities/AcDbArc.h"
#include "host/db/entities/AcDbCircle.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/entities/AcDbPolyline.h"
#include "host/db/entities/AcDbXline.h"

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

// A U shape: 10 along X, a half circle of radius 5 turning left (counter-clockwise)
// up to (10, 10), then 10 back along X.
void makeU(AcDbPolyline& pl) {
    pl.addVertexAt(0, AcGePoint2d(0, 0));
    pl.addVertexAt(1, AcGePoint2d(10, 0), 1.0);
    pl.addVertexAt(2, AcGePoint2d(10, 10));
    pl.addVertexAt(3, AcGePoint2d(0, 10));
}
} // namespace

TEST(AcDbCurve, LineParametersAreDistancesFromTheStart) {
    AcDbLine line(AcGePoint3d(1, 1, 0), AcGePoint3d(4, 5, 0)); // length 5
    double p = 0, dist = 0;
    ASSERT_EQ(line.getEndParam(p), Acad::eOk);
    EXPECT_NEAR(p, 5.0, kGeomTol);
    AcGePoint3d pt;
    ASSERT_EQ(line.getPointAtParam(2.5, pt), Acad::eOk);
    expectPoint(pt, AcGePoint3d(2.5, 3, 0), "middle");
    ASSERT_EQ(line.getParamAtPoint(AcGePoint3d(4, 5, 0), p), Acad::eOk);
    EXPECT_NEAR(p, 5.0, kGeomTol);
    EXPECT_EQ(line.getParamAtPoint(AcGePoint3d(0, 0, 0), p), Acad::eInvalidInput) << "off the line";
    EXPECT_EQ(line.getPointAtParam(6.0, pt), Acad::eInvalidInput) << "beyond the end";
    ASSERT_EQ(line.getDistAtPoint(AcGePoint3d(2.5, 3, 0), dist), Acad::eOk);
    EXPECT_NEAR(dist, 2.5, kGeomTol);
    ASSERT_EQ(line.getClosestPointTo(AcGePoint3d(10, 10, 0), pt), Acad::eOk);
    expectPoint(pt, AcGePoint3d(4, 5, 0), "closest is the end");
    ASSERT_EQ(line.getClosestPointTo(AcGePoint3d(10, 10, 0), pt, true), Acad::eOk);
    EXPECT_GT(pt.distanceTo(AcGePoint3d(1, 1, 0)), 5.0) << "extended beyond the end";
}

TEST(AcDbCurve, ArcsRunCounterClockwiseAndMirrorKeepsTheirPoints) {
    AcDbArc arc(AcGePoint3d(0, 0, 0), 2.0, 3 * kPi / 2, kPi / 2); // right half, through angle 0
    EXPECT_NEAR(arc.totalAngle(), kPi, kGeomTol);
    double s = 0, e = 0, dist = 0, p = 0;
    arc.getStartParam(s);
    arc.getEndParam(e);
    EXPECT_NEAR(s, 3 * kPi / 2, kGeomTol);
    EXPECT_NEAR(e, 5 * kPi / 2, kGeomTol) << "the end parameter is above the start";
    AcGePoint3d pt;
    ASSERT_EQ(arc.getPointAtParam(2 * kPi, pt), Acad::eOk);
    expectPoint(pt, AcGePoint3d(2, 0, 0), "angle 0 lies inside");
    ASSERT_EQ(arc.getParamAtPoint(AcGePoint3d(2, 0, 0), p), Acad::eOk);
    EXPECT_NEAR(p, 2 * kPi, kGeomTol);
    ASSERT_EQ(arc.getDistAtParam(2 * kPi, dist), Acad::eOk);
    EXPECT_NEAR(dist, kPi, kGeomTol) << "a quarter turn of radius 2";
    EXPECT_EQ(arc.getPointAtParam(kPi, pt), Acad::eInvalidInput) << "the left half is not on the arc";
    ASSERT_EQ(arc.getClosestPointTo(AcGePoint3d(-5, -0.1, 0), pt), Acad::eOk);
    expectPoint(pt, AcGePoint3d(0, -2, 0), "off the arc: the nearer end");

    // Mirrored about the Y axis the arc covers the left half, still about +Z.
    ASSERT_EQ(arc.transformBy(AcGeMatrix3d::mirroring(AcGePlane(AcGePoint3d(0, 0, 0), AcGeVector3d::kXAxis))),
              Acad::eOk);
    EXPECT_NEAR(arc.normal().z, 1.0, kGeomTol);
    AcGePoint3d start, end;
    arc.getStartPoint(start);
    arc.getEndPoint(end);
    expectPoint(start, AcGePoint3d(0, 2, 0), "mirrored start");
    expectPoint(end, AcGePoint3d(0, -2, 0), "mirrored end");
    ASSERT_EQ(arc.getPointAtParam(kPi, pt), Acad::eOk);
    expectPoint(pt, AcGePoint3d(-2, 0, 0), "the arc now passes angle pi");

    // A non-uniform scale cannot keep an arc an arc: refused, arc unchanged.
    AcGeMatrix3d squash;
    squash(0, 0) = 2.0;
    EXPECT_EQ(arc.transformBy(squash), Acad::eCannotScaleNonUniformly);
    EXPECT_NEAR(arc.radius(), 2.0, kGeomTol);
}

TEST(AcDbCurve, CircleQuadrantsAndParameters) {
    AcDbCircle c(AcGePoint3d(1, 1, 0), AcGeVector3d::kZAxis, 3.0);
    AcGePoint3d pt;
    c.getPointAtParam(kPi / 2, pt);
    expectPoint(pt, AcGePoint3d(1, 4, 0), "quarter");
    double dist = 0;
    c.getDistAtParam(kPi, dist);
    EXPECT_NEAR(dist, 3 * kPi, kGeomTol);
    double area = 0;
    c.getArea(area);
    EXPECT_NEAR(area, 9 * kPi, 1e-9);
    EXPECT_EQ(c.setRadius(0.0), Acad::eInvalidInput);
    EXPECT_EQ(c.setRadius(-1.0), Acad::eInvalidInput);
    EXPECT_NEAR(c.radius(), 3.0, kGeomTol);
    ASSERT_EQ(c.transformBy(AcGeMatrix3d::scaling(2.0, AcGePoint3d(1, 1, 0))), Acad::eOk);
    EXPECT_NEAR(c.radius(), 6.0, kGeomTol);
}

TEST(AcDbPolyline, PointsAndDistancesAlongLineAndArcSegments) {
    AcDbPolyline pl;
    makeU(pl);
    ASSERT_EQ(pl.numVerts(), 4u);
    EXPECT_EQ(pl.segType(0), AcDbPolyline::kLine);
    EXPECT_EQ(pl.segType(1), AcDbPolyline::kArc);
    EXPECT_EQ(pl.segType(3), AcDbPolyline::kEmpty) << "an open polyline has no closing segment";

    AcGeCircArc3d arc;
    ASSERT_EQ(pl.getArcSegAt(1, arc), Acad::eOk);
    expectPoint(arc.center(), AcGePoint3d(10, 5, 0), "arc centre");
    EXPECT_NEAR(arc.radius(), 5.0, kGeomTol);
    EXPECT_NEAR(arc.endAng() - arc.startAng(), kPi, kGeomTol);
    EXPECT_EQ(pl.getArcSegAt(0, arc), Acad::eInvalidIndex) << "a straight segment has no arc";

    AcGePoint3d pt;
    ASSERT_EQ(pl.getPointAtParam(1.5, pt), Acad::eOk);
    expectPoint(pt, AcGePoint3d(15, 5, 0), "half way round the bulge");
    double dist = 0;
    ASSERT_EQ(pl.getDistAtParam(1.5, dist), Acad::eOk);
    EXPECT_NEAR(dist, 10 + 2.5 * kPi, kGeomTol);
    ASSERT_EQ(pl.getDistAtParam(3.0, dist), Acad::eOk);
    EXPECT_NEAR(dist, 20 + 5 * kPi, kGeomTol) << "the whole length";

    double p = 0;
    ASSERT_EQ(pl.getParamAtDist(10 + 5 * kPi + 4, p), Acad::eOk);
    EXPECT_NEAR(p, 2.4, kGeomTol);
    ASSERT_EQ(pl.getParamAtPoint(AcGePoint3d(10 + 5 * std::cos(kPi / 4 - kPi / 2), 5 + 5 * std::sin(kPi / 4 - kPi / 2), 0), p),
              Acad::eOk);
    EXPECT_NEAR(p, 1.25, kGeomTol) << "a quarter of the way round the half circle";
    EXPECT_EQ(pl.getParamAtPoint(AcGePoint3d(5, 5, 0), p), Acad::eInvalidInput) << "the middle is off the curve";
    EXPECT_EQ(pl.getPointAtParam(3.5, pt), Acad::eInvalidInput);

    ASSERT_EQ(pl.getClosestPointTo(AcGePoint3d(20, 5, 0), pt), Acad::eOk);
    expectPoint(pt, AcGePoint3d(15, 5, 0), "closest to a point right of the bulge");
    double area = 0;
    pl.getArea(area);
    EXPECT_NEAR(area, 100 + 12.5 * kPi, 1e-9) << "square plus half disc";
}

TEST(AcDbPolyline, ClosedReversedAndTransformedKeepTheShape) {
    AcDbPolyline pl;
    makeU(pl);
    pl.setClosed(true);
    double end = 0, total = 0;
    pl.getEndParam(end);
    EXPECT_NEAR(end, 4.0, kGeomTol) << "the closing segment counts";
    pl.getDistAtParam(end, total);
    EXPECT_NEAR(total, 30 + 5 * kPi, kGeomTol);

    AcDbPolyline rev;
    makeU(rev);
    ASSERT_EQ(rev.reverseCurve(), Acad::eOk);
    AcGePoint2d first;
    rev.getPointAt(0u, first);
    EXPECT_NEAR(first.x, 0.0, kGeomTol);
    EXPECT_NEAR(first.y, 10.0, kGeomTol);
    double bulge = 0;
    rev.getBulgeAt(1, bulge);
    EXPECT_NEAR(bulge, -1.0, kGeomTol) << "the arc runs the other way";
    AcGePoint3d mid;
    rev.getPointAtParam(1.5, mid);
    expectPoint(mid, AcGePoint3d(15, 5, 0), "the reversed arc has the same points");

    // Mirrored about the X axis: the bulge turns clockwise, the points follow.
    AcDbPolyline m;
    makeU(m);
    ASSERT_EQ(m.transformBy(AcGeMatrix3d::mirroring(AcGePlane(AcGePoint3d(0, 0, 0), AcGeVector3d::kYAxis))), Acad::eOk);
    m.getPointAtParam(1.5, mid);
    expectPoint(mid, AcGePoint3d(15, -5, 0), "mirrored bulge");
    m.getBulgeAt(1, bulge);
    EXPECT_NEAR(bulge, -1.0, kGeomTol);

    // Rotated into another plane, points stay where the transform puts them.
    AcDbPolyline r;
    makeU(r);
    AcGeMatrix3d rot = AcGeMatrix3d::rotation(kPi / 2, AcGeVector3d::kXAxis);
    ASSERT_EQ(r.transformBy(rot), Acad::eOk);
    AcGePoint3d p3;
    r.getPointAtParam(1.5, p3);
    expectPoint(p3, rot * AcGePoint3d(15, 5, 0), "rotated out of the XY plane");

    // Bad input changes nothing.
    EXPECT_EQ(pl.addVertexAt(99, AcGePoint2d(1, 1)), Acad::eInvalidIndex);
    EXPECT_EQ(pl.setBulgeAt(7, 0.5), Acad::eInvalidIndex);
    EXPECT_EQ(pl.addVertexAt(0, AcGePoint2d(std::nan(""), 0)), Acad::eInvalidInput);
    EXPECT_EQ(pl.numVerts(), 4u);
}

TEST(AcDbCurve, IntersectionsOfDrawnCurves) {
    dbtest::Drawing d;
    AcDbLine horizontal(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0));
    AcDbLine vertical(AcGePoint3d(5, -5, 0), AcGePoint3d(5, 5, 0));
    AcDbLine shortOne(AcGePoint3d(20, -1, 0), AcGePoint3d(20, 1, 0));
    AcDbCircle circle(AcGePoint3d(5, 0, 0), AcGeVector3d::kZAxis, 2.0);
    AcDbPolyline u;
    makeU(u);

    AcGePoint3dArray pts;
    ASSERT_EQ(horizontal.intersectWith(&vertical, AcDb::kOnBothOperands, pts), Acad::eOk);
    ASSERT_EQ(pts.length(), 1);
    expectPoint(pts[0], AcGePoint3d(5, 0, 0), "crossing");
    pts.removeAll();
    horizontal.intersectWith(&shortOne, AcDb::kOnBothOperands, pts);
    EXPECT_EQ(pts.length(), 0) << "apart";
    horizontal.intersectWith(&shortOne, AcDb::kExtendThis, pts);
    ASSERT_EQ(pts.length(), 1) << "meets when this one is extended";
    expectPoint(pts[0], AcGePoint3d(20, 0, 0), "extended");
    pts.removeAll();
    horizontal.intersectWith(&circle, AcDb::kOnBothOperands, pts);
    EXPECT_EQ(pts.length(), 2);
    pts.removeAll();
    // The fence through the U's bulge crosses the arc once at its outermost point.
    AcDbLine fence(AcGePoint3d(12, 5, 0), AcGePoint3d(20, 5, 0));
    fence.intersectWith(&u, AcDb::kOnBothOperands, pts);
    ASSERT_EQ(pts.length(), 1);
    expectPoint(pts[0], AcGePoint3d(15, 5, 0), "fence across the arc segment");
}

TEST(AcDbCurve, ConstructionLinesAreUnbounded) {
    AcDbXline x;
    EXPECT_EQ(x.setUnitDir(AcGeVector3d()), Acad::eInvalidInput);
    x.setBasePoint(AcGePoint3d(1, 1, 0));
    x.setUnitDir(AcGeVector3d(0, 3, 0));
    EXPECT_NEAR(x.unitDir().length(), 1.0, kGeomTol);
    AcGePoint3d pt;
    ASSERT_EQ(x.getPointAtParam(-1e6, pt), Acad::eOk);
    expectPoint(pt, AcGePoint3d(1, 1 - 1e6, 0), "far along");
    AcDbExtents ext;
    EXPECT_EQ(x.getGeomExtents(ext), Acad::eInvalidExtents) << "an unbounded line has no box";
}

TEST(AcDbCurve, OldStylePolylinesAnswerLikeLightweightOnes) {
    AcGePoint3dArray pts{AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0), AcGePoint3d(10, 10, 0)};
    AcGeDoubleArray bulges{0.0, 1.0};
    AcDb2dPolyline pl(AcDb::k2dSimplePoly, pts, 0.0, false, 0.0, 0.0, &bulges);
    EXPECT_EQ(pl.numVerts(), 3u);
    AcGePoint3d pt;
    ASSERT_EQ(pl.getPointAtParam(1.5, pt), Acad::eOk);
    expectPoint(pt, AcGePoint3d(15, 5, 0), "half way round the bulge");
    ASSERT_EQ(pl.appendVertex(new AcDb2dVertex(AcGePoint3d(0, 10, 0))), Acad::eOk);
    double end = 0;
    pl.getEndParam(end);
    EXPECT_NEAR(end, 3.0, kGeomTol);
    auto copy = dbtest::roundTrip(&pl, nullptr);
    ASSERT_TRUE(copy);
    copy->getPointAtParam(3.0, pt);
    expectPoint(pt, AcGePoint3d(0, 10, 0), "the appended vertex survives filing");
    AcDbVoidPtrArray parts;
    ASSERT_EQ(pl.explode(parts), Acad::eOk);
    EXPECT_EQ(parts.length(), 3);
    host::deleteEntitySet(parts);
}
