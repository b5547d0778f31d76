#include "host/ge/AcGePoint3d.h"
#include "host/ge/AcGeTol.h"
#include "host/ge/AcGeVector3d.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;
// Results of a few floating operations on values near 1.
constexpr double kExact = 1e-12;

TEST(AcGeVector3d, NormalisingKeepsZeroVectorsZero) {
    AcGeVector3d zero;
    AcGeError flag = AcGe::kOk;
    zero.normalize(AcGeContext::gTol, flag);
    EXPECT_EQ(flag, AcGe::k0This);
    EXPECT_TRUE(zero.isZeroLength());
    EXPECT_TRUE(AcGeVector3d(0, 0, 0).normal().isZeroLength());
    // A vector shorter than the vector tolerance counts as zero and is left alone.
    const AcGeVector3d tiny(1e-12, 0, 0);
    EXPECT_TRUE(tiny.isZeroLength());
    EXPECT_NEAR(tiny.normal().x, 1e-12, kExact);

    const AcGeVector3d v = AcGeVector3d(3, 4, 12).normal();
    EXPECT_NEAR(v.length(), 1.0, kExact);
    EXPECT_NEAR(v.x, 3.0 / 13.0, kExact);
    EXPECT_TRUE(v.isUnitLength());
    // Far from the origin a short difference still has a direction.
    const AcGeVector3d d = AcGePoint3d(1e6 + 1e-4, 1e6, 0) - AcGePoint3d(1e6, 1e6, 0);
    EXPECT_NEAR(d.normal().x, 1.0, 1e-9);
}

TEST(AcGeVector3d, AnglesWithAndWithoutReference) {
    const AcGeVector3d x = AcGeVector3d::kXAxis, y = AcGeVector3d::kYAxis, z = AcGeVector3d::kZAxis;
    EXPECT_NEAR(x.angleTo(y), kPi / 2, kExact);
    EXPECT_NEAR(x.angleTo(-x), kPi, kExact);
    EXPECT_NEAR(x.angleTo(x), 0.0, kExact);
    // With a reference the angle runs counter-clockwise seen from the reference tip.
    EXPECT_NEAR(x.angleTo(y, z), kPi / 2, kExact);
    EXPECT_NEAR(y.angleTo(x, z), 3 * kPi / 2, kExact);
    EXPECT_NEAR(x.angleTo(y, -z), 3 * kPi / 2, kExact);
    const AcGeVector3d at300(std::cos(5 * kPi / 3), std::sin(5 * kPi / 3), 0);
    EXPECT_NEAR(x.angleTo(at300, z), 5 * kPi / 3, kExact);
    EXPECT_GE(x.angleTo(x, z), 0.0);
    EXPECT_LT(x.angleTo(x, z), 2 * kPi);
    // The counter-clockwise angle of a point from the reference direction, as the
    // arc chains compute it: 2 pi minus the angle from the point to the reference.
    const AcGeVector3d toP(-1, -1, 0);
    EXPECT_NEAR(2 * kPi - toP.angleTo(x, z), 5 * kPi / 4, kExact);
    // Nearly parallel vectors keep a precise small angle.
    EXPECT_NEAR(x.angleTo(AcGeVector3d(1, 1e-9, 0)), 1e-9, 1e-18);
}

TEST(AcGeVector3d, ParallelAndPerpendicularWithTolerance) {
    const AcGeVector3d x = AcGeVector3d::kXAxis;
    EXPECT_TRUE(x.isParallelTo(AcGeVector3d(-5, 0, 0)));
    EXPECT_FALSE(x.isCodirectionalTo(AcGeVector3d(-5, 0, 0)));
    EXPECT_TRUE(x.isCodirectionalTo(AcGeVector3d(5, 0, 0)));
    EXPECT_FALSE(x.isParallelTo(AcGeVector3d(1, 1e-6, 0)));
    AcGeTol loose;
    loose.setEqualVector(1e-5);
    EXPECT_TRUE(x.isParallelTo(AcGeVector3d(1, 1e-6, 0), loose));
    EXPECT_TRUE(x.isPerpendicularTo(AcGeVector3d(0, 0, 7)));
    // Chains whose directions differ by 89.99 degrees count as perpendicular under
    // the join rule's vector tolerance, but not under the host's default.
    AcGeTol join;
    join.setEqualVector(lintaro::tol::kPerpendicularJoin);
    const double a = 89.99 * kPi / 180.0;
    const AcGeVector3d nearly(std::cos(a), std::sin(a), 0);
    EXPECT_TRUE(x.isPerpendicularTo(nearly, join));
    EXPECT_FALSE(x.isPerpendicularTo(nearly));
    // A zero vector has no direction: neither parallel nor perpendicular.
    EXPECT_FALSE(AcGeVector3d().isParallelTo(x));
    EXPECT_FALSE(x.isParallelTo(AcGeVector3d()));
    EXPECT_FALSE(AcGeVector3d().isPerpendicularTo(x));
    EXPECT_FALSE(AcGeVector3d().isCodirectionalTo(AcGeVector3d()));
}

TEST(AcGeVector3d, ProductsRotationAndProjection) {
    const AcGeVector3d a(1, 2, 3), b(-4, 5, 0.5);
    const AcGeVector3d c = a.crossProduct(b);
    EXPECT_NEAR(c.dotProduct(a), 0.0, kExact);
    EXPECT_NEAR(c.dotProduct(b), 0.0, kExact);
    EXPECT_NEAR(AcGeVector3d::kXAxis.crossProduct(AcGeVector3d::kYAxis).z, 1.0, kExact);
    EXPECT_NEAR(a.dotProduct(b), -4 + 10 + 1.5, kExact);

    AcGeVector3d r = AcGeVector3d::kXAxis;
    r.rotateBy(kPi / 2, AcGeVector3d::kZAxis);
    EXPECT_TRUE(r.isEqualTo(AcGeVector3d::kYAxis));
    r.rotateBy(kPi / 2, AcGeVector3d(0, 0, -10)); // axis length does not matter
    EXPECT_TRUE(r.isEqualTo(AcGeVector3d::kXAxis));
    AcGeVector3d unchanged(1, 2, 3);
    unchanged.rotateBy(1.0, AcGeVector3d());
    EXPECT_TRUE(unchanged.isEqualTo(AcGeVector3d(1, 2, 3)));

    const AcGeVector3d p = a.orthoProject(AcGeVector3d(0, 0, 2));
    EXPECT_TRUE(p.isEqualTo(AcGeVector3d(1, 2, 0)));
    const AcGeVector3d q = a.project(AcGeVector3d::kZAxis, AcGeVector3d(1, 0, 1));
    EXPECT_TRUE(q.isEqualTo(AcGeVector3d(-2, 2, 0)));
    // Projecting along a direction inside the plane is impossible: unchanged.
    EXPECT_TRUE(a.project(AcGeVector3d::kZAxis, AcGeVector3d::kXAxis).isEqualTo(a));

    AcGeVector3d m(1, 1, 1);
    m.mirror(AcGeVector3d::kZAxis);
    EXPECT_TRUE(m.isEqualTo(AcGeVector3d(1, 1, -1)));
    EXPECT_TRUE(AcGeVector3d(0, 0, 3).perpVector().isPerpendicularTo(AcGeVector3d::kZAxis));
    EXPECT_TRUE(a.perpVector().isPerpendicularTo(a));
    EXPECT_TRUE(AcGeVector3d().perpVector().isZeroLength());
}

TEST(AcGePoint3d, DistancesEqualityAndRotation) {
    const AcGePoint3d p(1e6, 2e6, 3), q(1e6 + 3, 2e6 + 4, 3);
    EXPECT_NEAR(p.distanceTo(q), 5.0, 1e-9);
    EXPECT_TRUE((p + (q - p)).isEqualTo(q));
    EXPECT_FALSE(p.isEqualTo(q));
    AcGeTol tol;
    tol.setEqualPoint(lintaro::tol::kDimPointSame);
    EXPECT_TRUE(AcGePoint3d(0, 0, 0).isEqualTo(AcGePoint3d(0.99e-4, 0, 0), tol));
    EXPECT_FALSE(AcGePoint3d(0, 0, 0).isEqualTo(AcGePoint3d(1.01e-4, 0, 0), tol));
    EXPECT_TRUE(p == AcGePoint3d(1e6, 2e6, 3));

    AcGePoint3d r(2, 1, 0);
    r.rotateBy(kPi / 2, AcGeVector3d::kZAxis, AcGePoint3d(1, 1, 0));
    EXPECT_NEAR(r.x, 1.0, kExact);
    EXPECT_NEAR(r.y, 2.0, kExact);
    AcGePoint3d s(3, 3, 3);
    s.scaleBy(2.0, AcGePoint3d(1, 1, 1));
    EXPECT_TRUE(s.isEqualTo(AcGePoint3d(5, 5, 5)));
}

} // namespace
