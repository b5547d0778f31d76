#include "host/ge/AcGeMatrix3d.h"
#include "host/ge/AcGePlane.h"
#include "host/ge/AcGePoint3d.h"
#include "host/ge/AcGeVector3d.h"

#include <gtest/gtest.h>

#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;
// Round trips through a few multiplications of values up to 1e6.
constexpr double kRoundTrip = 1e-9;

AcGeTol roundTripTol() {
    AcGeTol tol;
    tol.setEqualPoint(kRoundTrip);
    tol.setEqualVector(kRoundTrip);
    return tol;
}

void expectPoint(const AcGePoint3d& actual, const AcGePoint3d& expected, double tol) {
    EXPECT_NEAR(actual.x, expected.x, tol);
    EXPECT_NEAR(actual.y, expected.y, tol);
    EXPECT_NEAR(actual.z, expected.z, tol);
}

void expectVector(const AcGeVector3d& actual, const AcGeVector3d& expected, double tol) {
    EXPECT_NEAR(actual.x, expected.x, tol);
    EXPECT_NEAR(actual.y, expected.y, tol);
    EXPECT_NEAR(actual.z, expected.z, tol);
}

AcGeMatrix3d someTransform() {
    AcGeMatrix3d m = AcGeMatrix3d::rotation(0.7, AcGeVector3d(1, 2, 3), AcGePoint3d(5, -2, 1));
    m.preMultBy(AcGeMatrix3d::scaling(2.5, AcGePoint3d(1e6, 1e6, 0)));
    m.preMultBy(AcGeMatrix3d::translation(AcGeVector3d(-3, 4, 100)));
    return m;
}

TEST(AcGeMatrix3d, InverseAndTransposeRoundTrips) {
    const AcGeMatrix3d m = someTransform();
    EXPECT_TRUE((m * m.inverse()).isEqualTo(AcGeMatrix3d::kIdentity, roundTripTol()));
    const AcGePoint3d p(1e6 + 12.5, 1e6 - 7.25, 3);
    expectPoint(m.inverse() * (m * p), p, kRoundTrip);
    AcGeMatrix3d inv;
    ASSERT_TRUE(m.inverse(inv, 1e-10));
    EXPECT_NEAR(m.det() * inv.det(), 1.0, kRoundTrip);
    EXPECT_TRUE(m.transpose().transpose().isEqualTo(m));

    // A rotation is orthonormal: its transpose is its inverse.
    const AcGeMatrix3d r = AcGeMatrix3d::rotation(1.1, AcGeVector3d(-1, 0.5, 2));
    EXPECT_TRUE(r.transpose().isEqualTo(r.inverse()));
    EXPECT_NEAR(r.det(), 1.0, kRoundTrip);
    EXPECT_TRUE(r.isUniScaledOrtho());
    EXPECT_FALSE(someTransform().isEqualTo(r));

    // A singular matrix is left as it is by every inverting call.
    AcGeMatrix3d flat = AcGeMatrix3d::projection(AcGePlane::kXYPlane, AcGeVector3d::kZAxis);
    EXPECT_TRUE(flat.isSingular());
    EXPECT_NEAR(flat.det(), 0.0, kRoundTrip);
    EXPECT_FALSE(flat.inverse(inv, 1e-10));
    EXPECT_TRUE(flat.inverse().isEqualTo(flat));
    const AcGeMatrix3d before = flat;
    flat.invert();
    EXPECT_TRUE(flat.isEqualTo(before));
    AcGeMatrix3d zero = AcGeMatrix3d::scaling(0.0);
    EXPECT_TRUE(zero.isSingular());

    // A tiny scale far from the origin is not singular: only the linear part
    // decides. The round trip loses what rounding at 1e6 costs, divided by the scale.
    const AcGeMatrix3d block =
        AcGeMatrix3d::translation(AcGeVector3d(1e6, 2e6, 0)) * AcGeMatrix3d::scaling(1e-5);
    EXPECT_FALSE(block.isSingular());
    const AcGePoint3d q(250, -40, 3);
    expectPoint(block.inverse() * (block * q), q, 1e-4);
    // A degenerate source system aligns like the world system.
    const AcGeMatrix3d fromFlat = AcGeMatrix3d::alignCoordSys(
        AcGePoint3d(1, 1, 1), AcGeVector3d::kXAxis, AcGeVector3d::kXAxis, AcGeVector3d::kZAxis,
        AcGePoint3d(5, 0, 0), AcGeVector3d::kXAxis, AcGeVector3d::kYAxis, AcGeVector3d::kZAxis);
    EXPECT_TRUE(fromFlat.isEqualTo(AcGeMatrix3d::translation(AcGeVector3d(5, 0, 0))));
}

TEST(AcGeMatrix3d, MultiplicationOrder) {
    const AcGeMatrix3d t = AcGeMatrix3d::translation(AcGeVector3d(10, 0, 0));
    const AcGeMatrix3d r = AcGeMatrix3d::rotation(kPi / 2, AcGeVector3d::kZAxis);
    // t * r rotates first, then moves.
    expectPoint((t * r) * AcGePoint3d(1, 0, 0), AcGePoint3d(10, 1, 0), kRoundTrip);
    expectPoint((r * t) * AcGePoint3d(1, 0, 0), AcGePoint3d(0, 11, 0), kRoundTrip);
    AcGeMatrix3d post = t;
    post.postMultBy(r);
    EXPECT_TRUE(post.isEqualTo(t * r));
    AcGeMatrix3d pre = t;
    pre.preMultBy(r);
    EXPECT_TRUE(pre.isEqualTo(r * t));
    // Directions ignore translation.
    expectVector(t * AcGeVector3d(1, 2, 3), AcGeVector3d(1, 2, 3), kRoundTrip);
    AcGePoint3d p(1, 0, 0);
    p.transformBy(t * r);
    expectPoint(p, AcGePoint3d(10, 1, 0), kRoundTrip);
}

TEST(AcGeMatrix3d, RotationScalingMirroringAboutPoints) {
    const AcGePoint3d c(1e6, 1e6, 0);
    const AcGeMatrix3d r = AcGeMatrix3d::rotation(kPi / 2, AcGeVector3d::kZAxis, c);
    expectPoint(r * (c + AcGeVector3d(2, 0, 0)), c + AcGeVector3d(0, 2, 0), kRoundTrip);
    expectPoint(r * c, c, kRoundTrip);
    // A zero axis gives no rotation.
    EXPECT_TRUE(AcGeMatrix3d::rotation(1.0, AcGeVector3d()).isEqualTo(AcGeMatrix3d::kIdentity));

    const AcGeMatrix3d s = AcGeMatrix3d::scaling(3.0, AcGePoint3d(1, 1, 1));
    expectPoint(s * AcGePoint3d(2, 1, 1), AcGePoint3d(4, 1, 1), kRoundTrip);
    EXPECT_NEAR(s.scale(), 3.0, kRoundTrip);

    const AcGePlane mirrorPlane(AcGePoint3d(0, 5, 0), AcGeVector3d::kYAxis);
    const AcGeMatrix3d m = AcGeMatrix3d::mirroring(mirrorPlane);
    expectPoint(m * AcGePoint3d(3, 7, 2), AcGePoint3d(3, 3, 2), kRoundTrip);
    EXPECT_NEAR(m.det(), -1.0, kRoundTrip);
    expectPoint(AcGeMatrix3d::mirroring(AcGePoint3d(1, 1, 1)) * AcGePoint3d(2, 3, 4), AcGePoint3d(0, -1, -2),
                kRoundTrip);

    const AcGePlane floor(AcGePoint3d(0, 0, 2), AcGeVector3d::kZAxis);
    const AcGeMatrix3d proj = AcGeMatrix3d::projection(floor, AcGeVector3d(1, 0, 1));
    expectPoint(proj * AcGePoint3d(0, 0, 5), AcGePoint3d(-3, 0, 2), kRoundTrip);
}

TEST(AcGeMatrix3d, CoordinateSystems) {
    const AcGePoint3d o(100, 200, 300);
    const AcGeVector3d x(0, 1, 0), y(-1, 0, 0), z(0, 0, 1);
    AcGeMatrix3d ucs;
    ucs.setCoordSystem(o, x, y, z);
    expectPoint(ucs * AcGePoint3d(1, 2, 3), AcGePoint3d(98, 201, 303), kRoundTrip);
    AcGePoint3d go;
    AcGeVector3d gx, gy, gz;
    ucs.getCoordSystem(go, gx, gy, gz);
    expectPoint(go, o, 0.0);
    expectVector(gx, x, 0.0);
    expectVector(gy, y, 0.0);
    expectVector(gz, z, 0.0);
    EXPECT_TRUE(ucs.isUniScaledOrtho());

    // Aligning one system with another maps its origin and axes onto the other's.
    const AcGeMatrix3d align = AcGeMatrix3d::alignCoordSys(
        o, x, y, z, AcGePoint3d(5, 5, 5), AcGeVector3d::kXAxis, AcGeVector3d::kYAxis, AcGeVector3d::kZAxis);
    expectPoint(align * o, AcGePoint3d(5, 5, 5), kRoundTrip);
    expectVector(align * x, AcGeVector3d::kXAxis, kRoundTrip);
    expectVector(align * y, AcGeVector3d::kYAxis, kRoundTrip);

    // Plane systems follow the arbitrary axis rule: for +Z they are the world.
    EXPECT_TRUE(AcGeMatrix3d::planeToWorld(AcGeVector3d::kZAxis).isEqualTo(AcGeMatrix3d::kIdentity));
    // For -Z the X axis turns round, the classic mirrored-entity case.
    expectVector(AcGeMatrix3d::planeToWorld(-AcGeVector3d::kZAxis) * AcGeVector3d::kXAxis,
                 AcGeVector3d(-1, 0, 0), kRoundTrip);
    const AcGeVector3d n(1, 1, 1);
    const AcGeMatrix3d p2w = AcGeMatrix3d::planeToWorld(n);
    expectVector(p2w * AcGeVector3d::kZAxis, n.normal(), kRoundTrip);
    EXPECT_TRUE((AcGeMatrix3d::worldToPlane(n) * p2w).isEqualTo(AcGeMatrix3d::kIdentity, roundTripTol()));
    EXPECT_NEAR(p2w.det(), 1.0, kRoundTrip);
    // A plane with an origin carries it along.
    const AcGePlane pl(AcGePoint3d(1, 2, 3), n);
    expectPoint(AcGeMatrix3d::planeToWorld(pl) * AcGePoint3d::kOrigin, AcGePoint3d(1, 2, 3), kRoundTrip);
    expectPoint(AcGeMatrix3d::worldToPlane(pl) * AcGePoint3d(1, 2, 3), AcGePoint3d::kOrigin, kRoundTrip);
}

} // namespace
