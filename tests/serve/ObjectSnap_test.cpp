// Object snaps: a click near a wall corner, a crossing or a midpoint lands exactly on it.
#include "shell/serve/ObjectSnap.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

TEST(ObjectSnap, EndsCrossingsAndMidpointsNearTheCursor) {
    // Two walls meeting in a corner at 0,0 and a line crossing the first at 2,0.
    host::gi::GiPrimitive wall;
    wall.points = {AcGePoint3d(0, 5, 0), AcGePoint3d(0, 0, 0), AcGePoint3d(4, 0, 0)};
    host::gi::GiPrimitive cross;
    cross.kind = host::gi::GiPrimitive::Polygon;
    cross.points = {AcGePoint3d(2, -1, 0), AcGePoint3d(2, 1, 0), AcGePoint3d(3, 1, 0)};
    host::gi::GiPrimitive text;
    text.kind = host::gi::GiPrimitive::Text;
    const std::vector<serve::SnapSegment> segments = serve::snapSegments({wall, cross, text});
    ASSERT_EQ(segments.size(), 5u) << "two wall edges, a triangle's three";
    constexpr double kTol = 1e-12;
    const auto at = [&](double x, double y, double r) { return serve::nearestSnap(segments, x, y, r); };

    auto s = at(0.05, -0.04, 0.1);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->kind, serve::SnapPoint::End);
    EXPECT_NEAR(s->x, 0, kTol);
    EXPECT_NEAR(s->y, 0, kTol);
    s = at(2.03, 0.02, 0.1);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->kind, serve::SnapPoint::Intersection);
    EXPECT_NEAR(s->x, 2, kTol);
    EXPECT_NEAR(s->y, 0, kTol);
    s = at(0.02, 2.52, 0.1);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->kind, serve::SnapPoint::Mid);
    EXPECT_NEAR(s->y, 2.5, kTol);
    s = at(2.48, 1.02, 0.1);
    ASSERT_TRUE(s) << "the polygon's closing edge counts";
    EXPECT_EQ(s->kind, serve::SnapPoint::Mid);
    EXPECT_NEAR(s->x, 2.5, kTol);
    EXPECT_FALSE(at(1.2, 0.05, 0.1)) << "on a line but far from any point";
    EXPECT_FALSE(at(0.05, 0.05, 0)) << "no radius, no snap";
    EXPECT_FALSE(at(std::nan(""), 0, 1));
}
