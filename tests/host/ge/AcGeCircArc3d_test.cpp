#include "host/ge/AcGeCircArc3d.h"
#include "host/ge/AcGeLine3d.h"
#include "host/ge/AcGeLineSeg3d.h"
#include "host/ge/AcGeMatrix3d.h"
#include "host/ge/AcGePlane.h"
#include "host/ge/AcGeTol.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;
// Points and angles from a few operations on coordinates up to 1e6.
constexpr double kPointTol = 1e-8;
constexpr double kAngleTol = 1e-12;

void expectPoint(const AcGePoint3d& actual, const AcGePoint3d& expected, double tol) {
    EXPECT_NEAR(actual.x, expected.x, tol);
    EXPECT_NEAR(actual.y, expected.y, tol);
    EXPECT_NEAR(actual.z, expected.z, tol);
}

AcGeTol pointTol(double equalPoint) {
    AcGeTol tol;
    tol.setEqualPoint(equalPoint);
    return tol;
}

AcGePoint3d onCircle(const AcGePoint3d& c, double r, double deg) {
    const double a = deg * kPi / 180.0;
    return c + AcGeVector3d(r * std::cos(a), r * std::sin(a), 0);
}

TEST(AcGeCircArc3d, ArcThroughThreePoints) {
    for (const AcGePoint3d c : {AcGePoint3d(0, 0, 0), AcGePoint3d(1e6, -1e6, 0)}) {
        const AcGePoint3d p1 = onCircle(c, 5, 30), p2 = onCircle(c, 5, 100), p3 = onCircle(c, 5, 210);
        const AcGeCircArc3d arc(p1, p2, p3);
        expectPoint(arc.center(), c, kPointTol);
        EXPECT_NEAR(arc.radius(), 5.0, kPointTol);
        EXPECT_NEAR(arc.normal().z, 1.0, kAngleTol); // counter-clockwise p1 -> p2 -> p3
        expectPoint(arc.startPoint(), p1, kPointTol);
        expectPoint(arc.endPoint(), p3, kPointTol);
        EXPECT_NEAR(arc.endAng() - arc.startAng(), kPi, 1e-9);
        EXPECT_TRUE(arc.isOn(p2, pointTol(kPointTol)));
        EXPECT_NEAR(arc.length(), 5 * kPi, 1e-8);
    }
    // Clockwise order turns the normal over; the arc still passes the middle point.
    const AcGePoint3d q1(5, 0, 0), q2(0, -5, 0), q3(-5, 0, 0);
    const AcGeCircArc3d cw(q1, q2, q3);
    EXPECT_NEAR(cw.normal().z, -1.0, kAngleTol);
    EXPECT_TRUE(cw.isOn(q2, pointTol(kPointTol)));
    EXPECT_FALSE(cw.isOn(AcGePoint3d(0, 5, 0), pointTol(kPointTol)));
    // Tilted out of the XY plane.
    const AcGeCircArc3d tilted(AcGePoint3d(1, 0, 0), AcGePoint3d(0, 1, 0), AcGePoint3d(0, 0, 1));
    EXPECT_NEAR(tilted.center().distanceTo(AcGePoint3d(1, 1, 1) / 3.0), 0.0, kPointTol);
}

TEST(AcGeCircArc3d, CoincidentOrCollinearPointsChangeNothing) {
    AcGeCircArc3d arc(AcGePoint3d(1, 2, 3), AcGeVector3d::kZAxis, 4.0);
    AcGeError err = AcGe::kOk;
    arc.set(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0), AcGePoint3d(2, 2, 0), err);
    EXPECT_EQ(err, AcGe::kLinearlyDependentArg1Arg2Arg3);
    arc.set(AcGePoint3d(1e6, 0, 0), AcGePoint3d(1e6 + 1, 1e-12, 0), AcGePoint3d(1e6 + 2, 0, 0), err);
    EXPECT_EQ(err, AcGe::kLinearlyDependentArg1Arg2Arg3);
    arc.set(AcGePoint3d(0, 0, 0), AcGePoint3d(0, 0, 0), AcGePoint3d(2, 2, 0), err);
    EXPECT_EQ(err, AcGe::kEqualArg1Arg2);
    arc.set(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0), AcGePoint3d(0, 0, 0), err);
    EXPECT_EQ(err, AcGe::kEqualArg1Arg3);
    expectPoint(arc.center(), AcGePoint3d(1, 2, 3), 0.0);
    EXPECT_EQ(arc.radius(), 4.0);
    // Nonsense radii and angles are refused the same way.
    arc.setRadius(-1.0);
    arc.setRadius(std::nan(""));
    arc.setAngles(std::nan(""), 1.0);
    arc.setAxes(AcGeVector3d(), AcGeVector3d::kXAxis);
    arc.setAxes(AcGeVector3d::kZAxis, AcGeVector3d(0, 0, 2));
    EXPECT_EQ(arc.radius(), 4.0);
    EXPECT_NEAR(arc.endAng() - arc.startAng(), 2 * kPi, kAngleTol);
    EXPECT_NEAR(arc.normal().z, 1.0, kAngleTol);
    // The three-point constructor on collinear points is the default circle, not garbage.
    const AcGeCircArc3d line(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0), AcGePoint3d(2, 0, 0));
    EXPECT_EQ(line.radius(), 1.0);
    EXPECT_TRUE(std::isfinite(line.center().x));
}

TEST(AcGeCircArc3d, ParametersPointsAndLengths) {
    // Quarter arc from 90 to 180 degrees, radius 2, far from the origin.
    const AcGePoint3d c(1e6, 1e6, 5);
    const AcGeCircArc3d arc(c, AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, 2.0, kPi / 2, kPi);
    expectPoint(arc.evalPoint(kPi / 2), c + AcGeVector3d(0, 2, 0), kPointTol);
    EXPECT_NEAR(arc.paramOf(onCircle(c, 2, 135)), 3 * kPi / 4, 1e-9);
    // Off the circle, the parameter is that of the radial projection.
    EXPECT_NEAR(arc.paramOf(onCircle(c, 7, 135) + AcGeVector3d(0, 0, 3)), 3 * kPi / 4, 1e-9);
    // Just past the end the parameter is above endAng; just before the start it is
    // below startAng: the chain clamps input points beyond the ends with this.
    EXPECT_GT(arc.paramOf(onCircle(c, 2, 190)), arc.endAng());
    EXPECT_NEAR(arc.paramOf(onCircle(c, 2, 190)), 190 * kPi / 180, 1e-9);
    EXPECT_LT(arc.paramOf(onCircle(c, 2, 80)), arc.startAng());
    EXPECT_NEAR(arc.paramOf(onCircle(c, 2, 80)), 80 * kPi / 180, 1e-9);
    EXPECT_NEAR(arc.paramOf(onCircle(c, 2, 330)), -30 * kPi / 180, 1e-9); // nearer the start
    EXPECT_NEAR(arc.paramOf(onCircle(c, 2, 300)), 300 * kPi / 180, 1e-9); // nearer the end
    EXPECT_NEAR(arc.length(kPi / 2, kPi), kPi, 1e-12);
    EXPECT_NEAR(arc.length(kPi, kPi / 2), kPi, 1e-12);
    EXPECT_FALSE(arc.isClosed());

    // Parameters of a circle lie in [start, start + 2 pi); a point just before the
    // start lands just below the end.
    const AcGeCircArc3d circle(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 10.0);
    EXPECT_TRUE(circle.isClosed());
    const double nearEnd = circle.paramOf(AcGePoint3d(10, -1e-9, 0));
    EXPECT_NEAR(nearEnd, 2 * kPi, lintaro::tol::kCircleEndParam);
    EXPECT_LE(nearEnd, 2 * kPi);
    EXPECT_NEAR(circle.length(0, 2 * kPi), 20 * kPi, 1e-12);
    // The module's full-circle widening: 2 pi taken as 6.283185307.
    AcGeCircArc3d widened(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, 1.0, 1.0, 2.0);
    const double missing = lintaro::tol::kArcTwoPi - 1.0;
    widened.setAngles(1.0 - missing / 2, 2.0 + missing / 2);
    EXPECT_NEAR(widened.length(), lintaro::tol::kArcTwoPi, 1e-12);

    double param = 0.0;
    EXPECT_TRUE(arc.isOn(onCircle(c, 2.0005, 120), param, pointTol(lintaro::tol::kOnCurve)));
    EXPECT_NEAR(param, 120 * kPi / 180, 1e-9);
    EXPECT_FALSE(arc.isOn(onCircle(c, 2.002, 120), param, pointTol(lintaro::tol::kOnCurve)));
    EXPECT_FALSE(arc.isOn(onCircle(c, 2, 200), pointTol(lintaro::tol::kOnCurve)));
    EXPECT_TRUE(arc.isOn(3 * kPi / 4));
    EXPECT_FALSE(arc.isOn(0.0));
}

TEST(AcGeCircArc3d, ClosestPointsReverseAndTransform) {
    const AcGeCircArc3d arc(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, 2.0, 0,
                            kPi / 2);
    expectPoint(arc.closestPointTo(AcGePoint3d(3, 3, 1)), AcGePoint3d(std::sqrt(2.0), std::sqrt(2.0), 0),
                kPointTol);
    expectPoint(arc.closestPointTo(AcGePoint3d(5, -1, 0)), AcGePoint3d(2, 0, 0), kPointTol);
    expectPoint(arc.closestPointTo(AcGePoint3d(-1, 5, 0)), AcGePoint3d(0, 2, 0), kPointTol);
    expectPoint(arc.closestPointTo(AcGePoint3d(0, 0, 4)), arc.startPoint(), kPointTol); // on the axis

    AcGeCircArc3d rev = arc;
    rev.reverseParam();
    expectPoint(rev.startPoint(), arc.endPoint(), kPointTol);
    expectPoint(rev.endPoint(), arc.startPoint(), kPointTol);
    EXPECT_NEAR(rev.length(), arc.length(), kPointTol);
    EXPECT_TRUE(rev.isOn(AcGePoint3d(std::sqrt(2.0), std::sqrt(2.0), 0), pointTol(kPointTol)));

    // A mirrored arc keeps each parameter's point mirrored.
    AcGeCircArc3d m = arc;
    const AcGeMatrix3d mirror =
        AcGeMatrix3d::mirroring(AcGePlane(AcGePoint3d(5, 0, 0), AcGeVector3d::kXAxis));
    m.transformBy(mirror);
    for (double t : {0.0, 0.3, kPi / 2})
        expectPoint(m.evalPoint(t), mirror * arc.evalPoint(t), kPointTol);
    AcGeCircArc3d s = arc;
    const AcGeMatrix3d move = AcGeMatrix3d::translation(AcGeVector3d(1e6, 0, 0)) * AcGeMatrix3d::scaling(3.0);
    s.transformBy(move);
    EXPECT_NEAR(s.radius(), 6.0, kPointTol);
    for (double t : {0.0, 1.0})
        expectPoint(s.evalPoint(t), move * arc.evalPoint(t), kPointTol);
    // Tangents run the way the parameter grows; a point off the arc has none.
    AcGeLine3d tan;
    ASSERT_TRUE(arc.tangent(AcGePoint3d(0, 2, 0), tan));
    EXPECT_TRUE(tan.direction().isEqualTo(AcGeVector3d(-1, 0, 0)));
    ASSERT_TRUE(rev.tangent(AcGePoint3d(0, 2, 0), tan));
    EXPECT_TRUE(tan.direction().isEqualTo(AcGeVector3d(1, 0, 0)));
    EXPECT_FALSE(arc.tangent(AcGePoint3d(0, -2, 0), tan));

    AcGeCircArc3d flat = arc;
    flat.transformBy(AcGeMatrix3d::scaling(0.0));
    EXPECT_EQ(flat.radius(), 0.0);
    expectPoint(flat.closestPointTo(AcGePoint3d(4, 4, 4)), AcGePoint3d(0, 0, 0), 0.0);
}

TEST(AcGeCircArc3d, IntersectionsWithLines) {
    const AcGePoint3d c(1e6, 1e6, 0);
    const AcGeCircArc3d circle(c, AcGeVector3d::kZAxis, 5.0);
    int n = -1;
    AcGePoint3d p1, p2;
    // Through the centre: two points, the first nearer the line's start.
    ASSERT_TRUE(
        circle.intersectWith(AcGeLine3d(c + AcGeVector3d(-9, 0, 0), AcGeVector3d(1, 0, 0)), n, p1, p2));
    EXPECT_EQ(n, 2);
    expectPoint(p1, c + AcGeVector3d(-5, 0, 0), kPointTol);
    expectPoint(p2, c + AcGeVector3d(5, 0, 0), kPointTol);
    // A chord: 3-4-5.
    ASSERT_TRUE(
        circle.intersectWith(AcGeLine3d(c + AcGeVector3d(0, 3, 0), AcGeVector3d(-2, 0, 0)), n, p1, p2));
    EXPECT_EQ(n, 2);
    expectPoint(p1, c + AcGeVector3d(4, 3, 0), kPointTol);
    // Touching, missing, and touching within a widened tolerance.
    ASSERT_TRUE(
        circle.intersectWith(AcGeLine3d(c + AcGeVector3d(0, 5, 0), AcGeVector3d(1, 0, 0)), n, p1, p2));
    EXPECT_EQ(n, 1);
    expectPoint(p1, c + AcGeVector3d(0, 5, 0), kPointTol);
    EXPECT_FALSE(
        circle.intersectWith(AcGeLine3d(c + AcGeVector3d(0, 5.01, 0), AcGeVector3d(1, 0, 0)), n, p1, p2));
    EXPECT_EQ(n, 0);
    ASSERT_TRUE(circle.intersectWith(AcGeLine3d(c + AcGeVector3d(0, 5.0005, 0), AcGeVector3d(1, 0, 0)), n, p1,
                                     p2, pointTol(lintaro::tol::kOnCurve)));
    EXPECT_EQ(n, 1);
    // A line crossing the plane on the circle, and one crossing it elsewhere.
    ASSERT_TRUE(
        circle.intersectWith(AcGeLine3d(c + AcGeVector3d(3, 4, 7), AcGeVector3d(0, 0, 1)), n, p1, p2));
    EXPECT_EQ(n, 1);
    expectPoint(p1, c + AcGeVector3d(3, 4, 0), kPointTol);
    EXPECT_FALSE(
        circle.intersectWith(AcGeLine3d(c + AcGeVector3d(1, 1, 7), AcGeVector3d(0, 0, 1)), n, p1, p2));
    // Parallel to the plane but above it.
    EXPECT_FALSE(
        circle.intersectWith(AcGeLine3d(c + AcGeVector3d(0, 0, 1), AcGeVector3d(1, 0, 0)), n, p1, p2));
    // A segment ending inside the circle meets it once.
    ASSERT_TRUE(circle.intersectWith(AcGeLineSeg3d(c, c + AcGeVector3d(0, -10, 0)), n, p1, p2));
    EXPECT_EQ(n, 1);
    expectPoint(p1, c + AcGeVector3d(0, -5, 0), kPointTol);
    // A degenerate line meets nothing.
    EXPECT_FALSE(circle.intersectWith(AcGeLine3d(c, AcGeVector3d()), n, p1, p2));

    // A bounded arc keeps only the points on it: the upper half of the circle.
    const AcGeCircArc3d upper(c, AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, 5.0, 0, kPi);
    ASSERT_TRUE(
        upper.intersectWith(AcGeLine3d(c + AcGeVector3d(3, -9, 0), AcGeVector3d(0, 1, 0)), n, p1, p2));
    EXPECT_EQ(n, 1);
    expectPoint(p1, c + AcGeVector3d(3, 4, 0), kPointTol);

    // Radial lines of an arc chain: from the centre through a point.
    const AcGePoint3d through = onCircle(c, 9, 37);
    ASSERT_TRUE(circle.intersectWith(AcGeLine3d(c, through), n, p1, p2));
    EXPECT_EQ(n, 2);
    expectPoint(p2, onCircle(c, 5, 37), kPointTol);

    // A zero radius circle is its centre.
    const AcGeCircArc3d dot(c, AcGeVector3d::kZAxis, 0.0);
    ASSERT_TRUE(dot.intersectWith(AcGeLine3d(c + AcGeVector3d(-1, 0, 0), AcGeVector3d(1, 0, 0)), n, p1, p2));
    EXPECT_EQ(n, 1);
    expectPoint(p1, c, kPointTol);
    EXPECT_FALSE(dot.intersectWith(AcGeLine3d(c + AcGeVector3d(0, 1, 0), AcGeVector3d(1, 0, 0)), n, p1, p2));
    EXPECT_NEAR(dot.length(0, kPi), 0.0, 0.0);
}

} // namespace
