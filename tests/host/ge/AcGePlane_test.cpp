#include "host/ge/AcGePlane.h"
#include "host/ge/AcGePoint3d.h"
#include "host/ge/AcGeTol.h"

#include <gtest/gtest.h>

namespace {

constexpr double kPointTol = 1e-9;

void expectPoint(const AcGePoint3d& actual, const AcGePoint3d& expected, double tol) {
    EXPECT_NEAR(actual.x, expected.x, tol);
    EXPECT_NEAR(actual.y, expected.y, tol);
    EXPECT_NEAR(actual.z, expected.z, tol);
}

TEST(AcGePlane, ProjectionOntoPlanes) {
    // The chain plane: through a dimension point, normal from the UCS axes.
    const AcGePlane chainPlane(AcGePoint3d(1e6, 1e6, 12), AcGeVector3d(0, 0, 1));
    const AcGePoint3d pick(1e6 + 3, 1e6 - 4, 40);
    expectPoint(pick.orthoProject(chainPlane), AcGePoint3d(1e6 + 3, 1e6 - 4, 12), kPointTol);
    EXPECT_TRUE(chainPlane.isOn(pick.orthoProject(chainPlane)));
    EXPECT_NEAR(chainPlane.signedDistanceTo(pick), 28.0, kPointTol);
    EXPECT_NEAR(chainPlane.distanceTo(AcGePoint3d(0, 0, 2)), 10.0, kPointTol);
    // Along a slanted direction.
    expectPoint(AcGePoint3d(0, 0, 14).project(chainPlane, AcGeVector3d(1, 0, 1)), AcGePoint3d(-2, 0, 12),
                kPointTol);
    // A direction inside the plane cannot project: the point stays.
    expectPoint(pick.project(chainPlane, AcGeVector3d(1, 1, 0)), pick, 0.0);
    expectPoint(pick.project(chainPlane, AcGeVector3d()), pick, 0.0);

    // A tilted plane through three points, and the mirror image in it.
    const AcGePlane tilted(AcGePoint3d(1, 0, 0), AcGePoint3d(0, 0, 0), AcGePoint3d(0, 1, 1));
    const AcGePoint3d q(0, 5, 0);
    const AcGePoint3d foot = q.orthoProject(tilted);
    EXPECT_TRUE(tilted.isOn(foot, AcGeTol()));
    EXPECT_TRUE((q - foot).isParallelTo(tilted.normal()));
    AcGePoint3d mirrored = q;
    mirrored.mirror(tilted);
    expectPoint(mirrored, AcGePoint3d(0, 0, 5), kPointTol);
    double a, b, c, d;
    tilted.getCoefficients(a, b, c, d);
    EXPECT_NEAR(a * foot.x + b * foot.y + c * foot.z + d, 0.0, kPointTol);
}

TEST(AcGePlane, CoordinatesAndDegenerateInput) {
    // Axes need be neither perpendicular nor unit length.
    const AcGePlane skewed(AcGePoint3d(1, 2, 3), AcGeVector3d(2, 0, 0), AcGeVector3d(1, 1, 0));
    const AcGePoint2d uv(0.75, -2.5);
    const AcGePoint3d p = skewed.evalPoint(uv);
    const AcGePoint2d back = skewed.paramOf(p);
    EXPECT_NEAR(back.x, uv.x, kPointTol);
    EXPECT_NEAR(back.y, uv.y, kPointTol);
    const AcGePoint3d viaCtor(skewed, uv);
    expectPoint(viaCtor, p, kPointTol);
    const AcGePoint2d viaConvert = (p + AcGeVector3d(0, 0, 9)).convert2d(skewed);
    EXPECT_NEAR(viaConvert.x, uv.x, kPointTol);
    EXPECT_NEAR(viaConvert.y, uv.y, kPointTol);

    // A plane made from a normal alone gets perpendicular unit axes.
    const AcGePlane byNormal(AcGePoint3d(0, 0, 0), AcGeVector3d(0, 3, 4));
    AcGePoint3d o;
    AcGeVector3d u, v;
    byNormal.getCoordSystem(o, u, v);
    EXPECT_TRUE(u.isUnitLength());
    EXPECT_TRUE(v.isUnitLength());
    EXPECT_TRUE(u.isPerpendicularTo(v));
    EXPECT_TRUE(byNormal.normal().isEqualTo(AcGeVector3d(0, 0.6, 0.8)));

    // Input that spans no plane leaves the plane as it was.
    AcGePlane plane(AcGePoint3d(0, 0, 5), AcGeVector3d::kZAxis);
    plane.set(AcGePoint3d(9, 9, 9), AcGeVector3d());
    plane.set(AcGePoint3d(1, 0, 0), AcGePoint3d(0, 0, 0), AcGePoint3d(2, 0, 0));
    plane.set(0, 0, 0, 1);
    expectPoint(plane.pointOnPlane(), AcGePoint3d(0, 0, 5), 0.0);
    EXPECT_TRUE(plane.normal().isEqualTo(AcGeVector3d::kZAxis));
    // a x + b y + c z + d = 0
    plane.set(0, 0, 2, -8);
    EXPECT_TRUE(plane.isOn(AcGePoint3d(7, -3, 4)));
    EXPECT_TRUE(plane.isCoplanarTo(AcGePlane(AcGePoint3d(1, 1, 4), AcGeVector3d(0, 0, -1))));
    EXPECT_FALSE(plane.isCoplanarTo(AcGePlane(AcGePoint3d(1, 1, 5), AcGeVector3d(0, 0, -1))));
    EXPECT_TRUE(AcGePlane::kYZPlane.normal().isEqualTo(AcGeVector3d::kXAxis));
    EXPECT_TRUE(AcGePlane::kZXPlane.normal().isEqualTo(AcGeVector3d::kYAxis));
}

} // namespace
