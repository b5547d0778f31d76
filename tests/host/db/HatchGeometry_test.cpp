// Hatch geometry: loops with arcs, islands left empty, pattern lines clipped and
// dashed where the boundary says.
#include "host/db/entities/HatchGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace host;

namespace {

constexpr double kTol = 1e-9;

double length(const HatchSegment& s) { return std::hypot(s.second.x - s.first.x, s.second.y - s.first.y); }

HatchLoop square(double x0, double y0, double size) {
    HatchLoop l;
    l.vertices = {{x0, y0}, {x0 + size, y0}, {x0 + size, y0 + size}, {x0, y0 + size}};
    return l;
}

} // namespace

TEST(HatchGeometry, LoopsWithArcsStayOnTheirCircle) {
    // A half disc: the chord from (2,0) to (-2,0) closed by a counter-clockwise half circle.
    HatchLoop half;
    half.vertices = {{-2, 0}, {2, 0}};
    half.bulges = {0.0, 1.0};
    const auto pts = hatchLoopPoints(half, 0.001);
    ASSERT_GT(pts.size(), 20u);
    double highest = 0.0;
    for (size_t i = 2; i < pts.size(); ++i) {
        EXPECT_NEAR(std::hypot(pts[i].x, pts[i].y), 2.0, kTol) << "arc points lie on the circle";
        highest = std::max(highest, pts[i].y);
    }
    EXPECT_NEAR(highest, 2.0, 0.001) << "counter-clockwise from (2,0) to (-2,0) runs over the top";

    // Loops joined for the even-odd fill: the first loop closed, then each island there and back.
    const auto joined = hatchJoinedOutline({hatchLoopPoints(square(0, 0, 10), 0.1), hatchLoopPoints(square(4, 4, 2), 0.1)});
    ASSERT_EQ(joined.size(), 5u + 4u + 2u);
    EXPECT_TRUE(joined[4].isEqualTo(joined[0]));
    EXPECT_TRUE(joined.back().isEqualTo(joined[0]));
}

TEST(HatchGeometry, PatternLinesAreClippedToTheAreaAroundIslands) {
    const std::vector<std::vector<AcGePoint2d>> loops = {hatchLoopPoints(square(0, 0, 10), 0.1),
                                                         hatchLoopPoints(square(4, 4, 2), 0.1)};
    HatchPatternLine horizontal; // every unit upwards, from y = 0.5
    horizontal.base = {0, 0.5};
    horizontal.offset = {0, 1};
    const auto segs = hatchPatternSegments(loops, horizontal, 1e-6, 10000);
    // 10 lines; the two crossing the island (y 4.5 and 5.5) are cut in two.
    ASSERT_EQ(segs.size(), 12u);
    double total = 0.0;
    for (const auto& s : segs) {
        total += length(s);
        EXPECT_NEAR(s.first.y, s.second.y, kTol);
        const bool inIsland = s.first.y > 4 && s.first.y < 6 && std::min(s.first.x, s.second.x) < 6 - kTol
                              && std::max(s.first.x, s.second.x) > 4 + kTol;
        EXPECT_FALSE(inIsland) << "no line crosses the island at y " << s.first.y;
    }
    EXPECT_NEAR(total, 10 * 10 - 2 * 2, kTol);

    // Dashed 45-degree lines: dash 1, gap 1 along each line.
    HatchPatternLine diagonal;
    diagonal.angle = std::numbers::pi / 4;
    diagonal.offset = {-std::sqrt(0.5), std::sqrt(0.5)};
    diagonal.dashes = {1.0, -1.0};
    for (const auto& s : hatchPatternSegments({loops[0]}, diagonal, 1e-6, 10000)) {
        EXPECT_LE(length(s), 1.0 + kTol) << "a dash is at most its length";
        for (const AcGePoint2d& p : {s.first, s.second}) {
            EXPECT_GE(p.x, -kTol);
            EXPECT_LE(p.x, 10 + kTol);
            EXPECT_GE(p.y, -kTol);
            EXPECT_LE(p.y, 10 + kTol);
        }
    }
}

TEST(HatchGeometry, PatternsTooDenseToDrawGiveNothing) {
    const std::vector<std::vector<AcGePoint2d>> loops = {hatchLoopPoints(square(0, 0, 1000), 0.1)};
    HatchPatternLine fine;
    fine.offset = {0, 0.001};
    EXPECT_TRUE(hatchPatternSegments(loops, fine, 1e-6, 100000).empty()) << "a million lines";
    EXPECT_TRUE(hatchPatternSegments(loops, fine, 0.01, 100000000).empty()) << "closer than the drawing shows";
    HatchPatternLine none;
    none.offset = {1, 0}; // repeats along the line only: no spacing across
    EXPECT_TRUE(hatchPatternSegments(loops, none, 1e-6, 1000).empty());
    EXPECT_TRUE(hatchPatternSegments({}, fine, 1e-6, 1000).empty());
}
