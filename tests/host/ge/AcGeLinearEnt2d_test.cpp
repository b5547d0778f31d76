#include "host/ge/AcGeLine2d.h"
#include "host/ge/AcGeLineSeg2d.h"
#include "host/ge/AcGePoint2d.h"
#include "host/ge/AcGeVector2d.h"

#include <gtest/gtest.h>

#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kPointTol = 1e-9;

TEST(AcGeVector2d, AnglesAndDegenerateVectors) {
    EXPECT_NEAR(AcGeVector2d(0, 1).angle(), kPi / 2, kPointTol);
    EXPECT_NEAR(AcGeVector2d(0, -1).angle(), 3 * kPi / 2, kPointTol);
    EXPECT_NEAR(AcGeVector2d(-1, -1e-300).angle(), kPi, kPointTol);
    EXPECT_LT(AcGeVector2d(1, -1e-17).angle(), 2 * kPi);
    EXPECT_NEAR(AcGeVector2d(1, 0).angleTo(AcGeVector2d(-1, 1)), 3 * kPi / 4, kPointTol);
    AcGeVector2d r(1, 0);
    r.rotateBy(kPi / 2);
    EXPECT_TRUE(r.isEqualTo(AcGeVector2d(0, 1)));
    AcGeVector2d m(1, 2);
    m.mirror(AcGeVector2d(1, 0));
    EXPECT_TRUE(m.isEqualTo(AcGeVector2d(1, -2)));
    EXPECT_TRUE(AcGeVector2d().normal().isZeroLength());
    EXPECT_FALSE(AcGeVector2d().isParallelTo(AcGeVector2d(1, 0)));
    EXPECT_FALSE(AcGeVector2d().isPerpendicularTo(AcGeVector2d(1, 0)));
    EXPECT_TRUE(AcGeVector2d(2, 0).isCodirectionalTo(AcGeVector2d(5, 0)));
    EXPECT_FALSE(AcGeVector2d(2, 0).isCodirectionalTo(AcGeVector2d(-5, 0)));
    EXPECT_TRUE(AcGeVector2d(3, 4).normal().isUnitLength());
    AcGePoint2d p(2, 1);
    p.rotateBy(kPi, AcGePoint2d(1, 1));
    EXPECT_NEAR(p.x, 0.0, kPointTol);
    EXPECT_NEAR(p.y, 1.0, kPointTol);
    EXPECT_NEAR(AcGePoint2d(1e6, 1e6).distanceTo(AcGePoint2d(1e6 + 3, 1e6 + 4)), 5.0, kPointTol);
}

TEST(AcGeLinearEnt2d, IntersectionsAndBounds) {
    AcGePoint2d p(-1, -1);
    const AcGeLine2d a(AcGePoint2d(1e6, 0), AcGeVector2d(1, 1));
    ASSERT_TRUE(a.intersectWith(AcGeLine2d(AcGePoint2d(1e6 + 4, 0), AcGePoint2d(1e6 + 4, 1)), p));
    EXPECT_NEAR(p.x, 1e6 + 4, kPointTol);
    EXPECT_NEAR(p.y, 4, kPointTol);
    EXPECT_FALSE(a.intersectWith(AcGeLine2d(AcGePoint2d(0, 5), AcGeVector2d(-2, -2)), p));
    EXPECT_FALSE(a.intersectWith(AcGeLine2d(AcGePoint2d(0, 5), AcGeVector2d()), p));
    const AcGeLineSeg2d s(AcGePoint2d(0, 0), AcGePoint2d(2, 0));
    EXPECT_TRUE(s.intersectWith(AcGeLineSeg2d(AcGePoint2d(2, -1), AcGePoint2d(2, 1)), p));
    EXPECT_FALSE(s.intersectWith(AcGeLineSeg2d(AcGePoint2d(2.01, -1), AcGePoint2d(2.01, 1)), p));
    EXPECT_FALSE(s.intersectWith(AcGeLineSeg2d(AcGePoint2d(1, 0.5), AcGePoint2d(1, 1)), p));
    EXPECT_NEAR(s.paramOf(AcGePoint2d(1.5, 7)), 0.75, kPointTol);
    EXPECT_NEAR(s.paramOf(AcGePoint2d(5, 7)), 1.0, kPointTol);
    EXPECT_TRUE(s.isOn(AcGePoint2d(0.5, 0)));
    EXPECT_FALSE(s.isOn(AcGePoint2d(-0.5, 0)));
    EXPECT_NEAR(s.length(), 2.0, kPointTol);
    EXPECT_NEAR(s.length(0.5, 0.0), 1.0, kPointTol);
}

} // namespace
