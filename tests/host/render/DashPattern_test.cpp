// Linetype patterns as cairo strokes them: scaled, merged, started with a dash,
// and continuous where the dashes would be too fine to see.
#include "host/render/DashPattern.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using host::render::deviceDashes;

namespace {
constexpr double kTol = 1e-12;
}

TEST(DashPattern, PatternsOfRealLinetypesBecomeDeviceDashes) {
    // DASHED (12.7 dash, 6.35 gap) at 2 device units per drawing unit.
    auto d = deviceDashes({12.7, -6.35}, 2.0, 1.0);
    ASSERT_EQ(d.lengths.size(), 2u);
    EXPECT_NEAR(d.lengths[0], 25.4, kTol);
    EXPECT_NEAR(d.lengths[1], 12.7, kTol);
    EXPECT_NEAR(d.offset, 0.0, kTol);

    // BORDER2: dash, gap, dash, gap, dot, gap; the dot gets the line's width.
    d = deviceDashes({6.35, -3.175, 6.35, -3.175, 0.0, -3.175}, 1.0, 0.5);
    ASSERT_EQ(d.lengths.size(), 6u);
    EXPECT_NEAR(d.lengths[4], 0.5, kTol) << "a dot is as long as the line is wide";
    EXPECT_NEAR(d.lengths[5], 3.175, kTol);

    // A pattern starting with a gap starts with its dash, the line that far in.
    d = deviceDashes({-2.0, 5.0, -1.0}, 1.0, 0.0);
    ASSERT_EQ(d.lengths.size(), 2u);
    EXPECT_NEAR(d.lengths[0], 5.0, kTol);
    EXPECT_NEAR(d.lengths[1], 3.0, kTol) << "the trailing and the leading gap are one";
    EXPECT_NEAR(d.offset, 6.0, kTol) << "the line starts at the leading gap";

    // Dash, gap, dash: the last dash runs into the first; the line starts inside it.
    d = deviceDashes({4.0, -1.0, 2.0}, 1.0, 0.0);
    ASSERT_EQ(d.lengths.size(), 2u);
    EXPECT_NEAR(d.lengths[0], 6.0, kTol);
    EXPECT_NEAR(d.lengths[1], 1.0, kTol);
    EXPECT_NEAR(d.offset, 2.0, kTol);
}

TEST(DashPattern, ContinuousWhereDashesCannotShow) {
    EXPECT_TRUE(deviceDashes({}, 1.0, 1.0).lengths.empty()) << "Continuous";
    EXPECT_TRUE(deviceDashes({5.0}, 1.0, 1.0).lengths.empty()) << "a dash without a gap";
    EXPECT_TRUE(deviceDashes({12.7, -6.35}, 0.05, 1.0).lengths.empty()) << "finer than two pixels a repeat";
    EXPECT_TRUE(deviceDashes({12.7, -6.35}, 0.0, 1.0).lengths.empty());
    EXPECT_TRUE(deviceDashes({12.7, -6.35}, std::nan(""), 1.0).lengths.empty());
    EXPECT_TRUE(deviceDashes({12.7, -std::numeric_limits<double>::infinity()}, 1.0, 1.0).lengths.empty()) << "no endless gap";
}
