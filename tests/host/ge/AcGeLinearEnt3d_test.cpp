#include "host/ge/AcGeLine3d.h"
#include "host/ge/AcGeLineSeg3d.h"
#include "host/ge/AcGePlane.h"
#include "host/ge/AcGeRay3d.h"
#include "host/ge/AcGeTol.h"

#include <gtest/gtest.h>

namespace {

// Intersections and feet of a few operations on coordinates up to 1e6.
constexpr double kPointTol = 1e-9;

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

TEST(AcGeLinearEnt3d, LinesMeetWhereExpected) {
    const AcGeLine3d a(AcGePoint3d(0, 1, 0), AcGeVector3d(1, 0, 0));
    const AcGeLine3d b(AcGePoint3d(3, -5, 0), AcGePoint3d(3, 5, 0));
    AcGePoint3d p;
    ASSERT_TRUE(a.intersectWith(b, p));
    expectPoint(p, AcGePoint3d(3, 1, 0), kPointTol);
    ASSERT_TRUE(b.intersectWith(a, p));
    expectPoint(p, AcGePoint3d(3, 1, 0), kPointTol);

    // An oblique pair far from the origin, where the host's tiny default
    // tolerance still finds the point of exactly coplanar lines.
    const AcGePoint3d o(1e6, 2e6, 0);
    const AcGeLine3d c(o, AcGeVector3d(1, 1, 0));
    const AcGeLine3d d(o + AcGeVector3d(10, 0, 0), AcGeVector3d(-1, 3, 0));
    ASSERT_TRUE(c.intersectWith(d, p));
    expectPoint(p, o + AcGeVector3d(7.5, 7.5, 0), kPointTol);

    // In 3D, lines that really cross.
    const AcGeLine3d e(AcGePoint3d(1, 1, 1), AcGeVector3d(1, 2, 3));
    const AcGeLine3d f(AcGePoint3d(2, 3, 4), AcGeVector3d(-4, 1, 0.5));
    ASSERT_TRUE(e.intersectWith(f, p));
    expectPoint(p, AcGePoint3d(2, 3, 4), kPointTol);
}

TEST(AcGeLinearEnt3d, ParallelCoincidentSkewAndDegenerateLinesDoNotMeet) {
    AcGePoint3d p(7, 7, 7);
    const AcGeLine3d a(AcGePoint3d(0, 0, 0), AcGeVector3d(1, 0, 0));
    EXPECT_FALSE(a.intersectWith(AcGeLine3d(AcGePoint3d(0, 1, 0), AcGeVector3d(-2, 0, 0)), p));
    EXPECT_FALSE(a.intersectWith(AcGeLine3d(AcGePoint3d(5, 0, 0), AcGeVector3d(3, 0, 0)), p));
    EXPECT_TRUE(a.isColinearTo(AcGeLine3d(AcGePoint3d(5, 0, 0), AcGeVector3d(3, 0, 0))));
    EXPECT_FALSE(a.isColinearTo(AcGeLine3d(AcGePoint3d(5, 1, 0), AcGeVector3d(3, 0, 0))));
    // A zero-length direction has no line.
    EXPECT_FALSE(a.intersectWith(AcGeLine3d(AcGePoint3d(1, 1, 0), AcGeVector3d()), p));
    EXPECT_FALSE(AcGeLine3d(AcGePoint3d(1, 1, 0), AcGePoint3d(1, 1, 0)).intersectWith(a, p));
    // Failed intersections leave the result alone.
    expectPoint(p, AcGePoint3d(7, 7, 7), 0.0);

    // Skew lines 2e-5 apart meet only once the tolerance reaches that gap; the
    // chain's widening retry (n * step) finds them at n = 2.
    const AcGeLine3d skew(AcGePoint3d(3, -1, 2e-5), AcGeVector3d(0, 1, 0));
    EXPECT_FALSE(a.intersectWith(skew, p));
    int found = 0;
    for (int n = 1; n <= lintaro::tol::kIntersectTolSteps && found == 0; ++n)
        if (a.intersectWith(skew, p, pointTol(n * lintaro::tol::kIntersectTolStep))) found = n;
    EXPECT_EQ(found, 2);
    expectPoint(p, AcGePoint3d(3, 0, 0), kPointTol); // on the line asked, not halfway
}

TEST(AcGeLinearEnt3d, SegmentsAndRaysRespectTheirBounds) {
    const AcGeLineSeg3d s(AcGePoint3d(0, 0, 0), AcGePoint3d(4, 0, 0));
    AcGePoint3d p;
    EXPECT_TRUE(s.intersectWith(AcGeLineSeg3d(AcGePoint3d(4, -1, 0), AcGePoint3d(4, 1, 0)), p));
    expectPoint(p, AcGePoint3d(4, 0, 0), kPointTol);
    EXPECT_FALSE(s.intersectWith(AcGeLineSeg3d(AcGePoint3d(4.001, -1, 0), AcGePoint3d(4.001, 1, 0)), p));
    EXPECT_TRUE(s.intersectWith(AcGeLine3d(AcGePoint3d(4.001, -1, 0), AcGeVector3d(0, 1, 0)), p,
                                pointTol(lintaro::tol::kOnCurve * 2)));
    EXPECT_FALSE(s.intersectWith(AcGeLineSeg3d(AcGePoint3d(2, 0.5, 0), AcGePoint3d(2, 3, 0)), p));
    const AcGeRay3d ray(AcGePoint3d(0, 0, 0), AcGeVector3d(0, 1, 0));
    EXPECT_TRUE(ray.intersectWith(AcGeLine3d(AcGePoint3d(0, 5, 0), AcGeVector3d(1, 0, 0)), p));
    EXPECT_FALSE(ray.intersectWith(AcGeLine3d(AcGePoint3d(0, -5, 0), AcGeVector3d(1, 0, 0)), p));

    // Parameters: 0 .. 1 along a segment, lengths in drawing units.
    EXPECT_NEAR(s.paramOf(AcGePoint3d(1, 3, 0)), 0.25, kPointTol);
    EXPECT_NEAR(s.paramOf(AcGePoint3d(-5, 0, 0)), 0.0, kPointTol);
    expectPoint(s.closestPointTo(AcGePoint3d(9, 2, 0)), AcGePoint3d(4, 0, 0), kPointTol);
    expectPoint(s.evalPoint(0.5), s.midPoint(), kPointTol);
    EXPECT_NEAR(s.length(), 4.0, kPointTol);
    EXPECT_NEAR(s.length(0.25, 0.75), 2.0, kPointTol);
    EXPECT_NEAR(s.length(0.75, 0.25), 2.0, kPointTol);
    EXPECT_TRUE(s.isOn(AcGePoint3d(2, 0, 0)));
    EXPECT_FALSE(s.isOn(AcGePoint3d(2, 1e-4, 0)));
    EXPECT_TRUE(s.isOn(AcGePoint3d(2, 1e-4, 0), pointTol(lintaro::tol::kOnCurve)));
    EXPECT_FALSE(s.isOn(AcGePoint3d(5, 0, 0)));
    EXPECT_FALSE(s.isClosed());
    AcGeLineSeg3d r = s;
    r.reverseParam();
    expectPoint(r.startPoint(), s.endPoint(), 0.0);
    expectPoint(r.endPoint(), s.startPoint(), 0.0);

    // An unbounded line has no ends and measures along its vector.
    const AcGeLine3d l(AcGePoint3d(1e6, 0, 0), AcGeVector3d(0, 2, 0));
    AcGePoint3d end;
    EXPECT_FALSE(l.hasStartPoint(end));
    EXPECT_NEAR(l.paramOf(AcGePoint3d(1e6 + 5, 8, 0)), 4.0, kPointTol);
    EXPECT_NEAR(l.length(-1, 1), 4.0, kPointTol);
    EXPECT_NEAR(l.direction().y, 1.0, kPointTol);
}

TEST(AcGeLinearEnt3d, LinesMeetPlanes) {
    const AcGePlane floor(AcGePoint3d(0, 0, 1), AcGeVector3d(0, 0, 3));
    AcGePoint3d p;
    ASSERT_TRUE(AcGeLine3d(AcGePoint3d(5, 5, 5), AcGeVector3d(1, 0, -2)).intersectWith(floor, p));
    expectPoint(p, AcGePoint3d(7, 5, 1), kPointTol);
    ASSERT_TRUE(floor.intersectWith(AcGeLine3d(AcGePoint3d(5, 5, 5), AcGeVector3d(1, 0, -2)), p));
    expectPoint(p, AcGePoint3d(7, 5, 1), kPointTol);
    EXPECT_FALSE(AcGeLine3d(AcGePoint3d(5, 5, 5), AcGeVector3d(1, 1, 0)).intersectWith(floor, p));
    EXPECT_FALSE(AcGeLineSeg3d(AcGePoint3d(5, 5, 5), AcGePoint3d(5, 5, 2)).intersectWith(floor, p));
    AcGePlane perp;
    ASSERT_TRUE(
        AcGeLine3d(AcGePoint3d(1, 1, 1), AcGeVector3d(0, 0, 5)).getPerpPlane(AcGePoint3d(0, 0, 9), perp));
    EXPECT_TRUE(perp.isOn(AcGePoint3d(4, -3, 9)));
    EXPECT_FALSE(AcGeLine3d(AcGePoint3d(1, 1, 1), AcGeVector3d()).getPerpPlane(AcGePoint3d(0, 0, 9), perp));
}

} // namespace
