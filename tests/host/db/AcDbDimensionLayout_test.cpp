// Where a dimension's lines, arrowheads and text go: the geometry a plan shows.
#include "host/db/dimensions/AcDbDimensionLayout.h"

#include <gtest/gtest.h>

#include <numbers>

namespace {

constexpr double kTol = 1e-9; // layout arithmetic is exact up to rounding

host::DimVars metricVars() {
    host::DimVars v;
    v.dimasz = 2.5;
    v.dimexo = 0.625;
    v.dimexe = 1.25;
    v.dimgap = 0.625;
    v.dimtxt = 2.5;
    v.dimscale = 1.0;
    v.dimtad = 1;
    v.dimdle = 0.0;
    v.dimtsz = 0.0;
    return v;
}

host::DimTextSpec text(const wchar_t* s, double width, double height = 2.5) {
    host::DimTextSpec t;
    t.text = s;
    t.width = width;
    t.height = height;
    return t;
}

bool hasLine(const host::DimGraphics& g, AcGePoint2d a, AcGePoint2d b) {
    for (const auto& l : g.lines)
        if ((l.a.distanceTo(a) < kTol && l.b.distanceTo(b) < kTol) || (l.a.distanceTo(b) < kTol && l.b.distanceTo(a) < kTol))
            return true;
    return false;
}

// The tip of a closed arrow is its first corner; the tail is the middle of the other two.
AcGePoint2d tail(const host::DimGraphics::Fill& f) { return f.points[1] + (f.points[2] - f.points[1]) / 2.0; }

void expectPoint(AcGePoint2d actual, AcGePoint2d expected, const char* what) {
    EXPECT_NEAR(actual.x, expected.x, kTol) << what;
    EXPECT_NEAR(actual.y, expected.y, kTol) << what;
}

} // namespace

TEST(DimensionLayout, HorizontalDimensionWithRoomForArrowsAndText) {
    const host::LinearDimInput in{{0, 0}, {100, 0}, {50, 20}, AcGeVector2d::kXAxis};
    EXPECT_NEAR(host::linearDimMeasurement(in), 100.0, kTol);
    const host::DimGraphics g = host::layoutLinearDim(in, metricVars(), {}, text(L"100", 10.0));
    EXPECT_TRUE(hasLine(g, {0, 0.625}, {0, 21.25})) << "extension line 1: offset from the point, beyond the line";
    EXPECT_TRUE(hasLine(g, {100, 0.625}, {100, 21.25})) << "extension line 2";
    EXPECT_TRUE(hasLine(g, {0, 20}, {100, 20})) << "dimension line between the extension lines";
    ASSERT_EQ(g.fills.size(), 2u);
    expectPoint(g.fills[0].points[0], {0, 20}, "first arrow tip");
    expectPoint(tail(g.fills[0]), {2.5, 20}, "first arrow points outwards");
    expectPoint(g.fills[1].points[0], {100, 20}, "second arrow tip");
    expectPoint(tail(g.fills[1]), {97.5, 20}, "second arrow points outwards");
    ASSERT_EQ(g.texts.size(), 1u);
    expectPoint(g.texts[0].center, {50, 20 + 0.625 + 1.25}, "text above the line by the gap");
    EXPECT_NEAR(g.texts[0].rotation, 0.0, kTol);

    // dimscale scales every size.
    host::DimVars big = metricVars();
    big.dimscale = 2.0;
    const host::DimGraphics g2 = host::layoutLinearDim(in, big, {}, text(L"100", 20.0, 5.0));
    EXPECT_TRUE(hasLine(g2, {0, 1.25}, {0, 22.5}));
    expectPoint(tail(g2.fills[0]), {5.0, 20}, "arrow twice as long");
}

TEST(DimensionLayout, TextInTheLineBreaksItAndSuppressedExtensionsAreLeftOut) {
    host::DimVars v = metricVars();
    v.dimtad = 0;
    v.dimse1 = true;
    const host::LinearDimInput in{{0, 0}, {100, 0}, {50, 20}, AcGeVector2d::kXAxis};
    const host::DimGraphics g = host::layoutLinearDim(in, v, {}, text(L"100", 10.0));
    expectPoint(g.texts[0].center, {50, 20}, "text centred on the line");
    EXPECT_TRUE(hasLine(g, {0, 20}, {44.375, 20}));
    EXPECT_TRUE(hasLine(g, {55.625, 20}, {100, 20}));
    EXPECT_FALSE(hasLine(g, {0, 20}, {100, 20})) << "the line must not run through the text";
    EXPECT_FALSE(hasLine(g, {0, 0.625}, {0, 21.25})) << "dimse1 hides extension line 1";
    EXPECT_TRUE(hasLine(g, {100, 0.625}, {100, 21.25}));
}

TEST(DimensionLayout, NarrowDimensionPutsArrowsAndTextOutside) {
    const host::LinearDimInput in{{0, 0}, {3, 0}, {0, 10}, AcGeVector2d::kXAxis};
    const host::DimGraphics g = host::layoutLinearDim(in, metricVars(), {}, text(L"3", 2.0));
    ASSERT_EQ(g.fills.size(), 2u);
    expectPoint(g.fills[0].points[0], {0, 10}, "tip stays on the extension line");
    expectPoint(tail(g.fills[0]), {-2.5, 10}, "the arrow comes from outside");
    expectPoint(tail(g.fills[1]), {5.5, 10}, "and on the other side too");
    EXPECT_TRUE(hasLine(g, {-5, 10}, {0, 10})) << "a piece of line carries the outside arrow";
    // The text goes beyond the second extension line, clear of its arrow.
    expectPoint(g.texts[0].center, {3 + 5 + 0.625 + 1.0, 10 + 0.625 + 1.25}, "text outside");
}

TEST(DimensionLayout, TicksReplaceArrowsAndTheLineRunsPast) {
    host::DimVars v = metricVars();
    v.dimtsz = 1.0;
    v.dimdle = 1.5;
    const host::LinearDimInput in{{0, 0}, {100, 0}, {50, 20}, AcGeVector2d::kXAxis};
    const host::DimGraphics g = host::layoutLinearDim(in, v, {}, text(L"100", 10.0));
    EXPECT_TRUE(g.fills.empty());
    EXPECT_TRUE(hasLine(g, {-1.5, 20}, {101.5, 20})) << "dimension line extended by dimdle";
    EXPECT_TRUE(hasLine(g, {-0.5, 19.5}, {0.5, 20.5})) << "oblique tick at the first extension line";
    EXPECT_TRUE(hasLine(g, {99.5, 19.5}, {100.5, 20.5})) << "ticks lean the same way at both ends";
    // The oblique arrowhead block does the same without dimtsz.
    host::DimArrows oblique;
    oblique.first = oblique.second = host::DimArrowKind::Oblique;
    const host::DimGraphics g2 = host::layoutLinearDim(in, metricVars(), oblique, text(L"100", 10.0));
    EXPECT_TRUE(g2.fills.empty());
    EXPECT_TRUE(hasLine(g2, {-1.25, 18.75}, {1.25, 21.25}));
}

TEST(DimensionLayout, VerticalAndReversedDimensionsStayReadable) {
    const host::LinearDimInput vertical{{0, 0}, {0, 50}, {-10, 25}, AcGeVector2d::kYAxis};
    const host::DimGraphics g = host::layoutLinearDim(vertical, metricVars(), {}, text(L"50", 6.0));
    EXPECT_TRUE(hasLine(g, {-10, 0}, {-10, 50}));
    EXPECT_NEAR(g.texts[0].rotation, std::numbers::pi / 2.0, kTol) << "reads from the bottom up";
    expectPoint(g.texts[0].center, {-10 - 1.875, 25}, "on the outer side of the line");

    const host::LinearDimInput reversed{{100, 0}, {0, 0}, {50, -20}, AcGeVector2d::kXAxis};
    const host::DimGraphics r = host::layoutLinearDim(reversed, metricVars(), {}, text(L"100", 10.0));
    EXPECT_NEAR(r.texts[0].rotation, 0.0, kTol) << "never upside down";
    expectPoint(r.texts[0].center, {50, -20 + 1.875}, "above in the text's own frame");

    // A rotated dimension measures along its direction only.
    const host::LinearDimInput slanted{{0, 0}, {30, 40}, {0, 60}, AcGeVector2d::kXAxis};
    EXPECT_NEAR(host::linearDimMeasurement(slanted), 30.0, kTol);
    const host::DimGraphics s = host::layoutLinearDim(slanted, metricVars(), {}, text(L"30", 4.0));
    EXPECT_TRUE(hasLine(s, {30, 40.625}, {30, 61.25})) << "extension line 2 from its point up to the line";
}

TEST(DimensionLayout, TextPlacedByTheUserMovesTheLineOrGetsALeader) {
    host::DimVars v = metricVars();
    host::DimTextSpec t = text(L"100", 10.0);
    t.userPosition = true;
    t.position = {30, 40};
    const host::LinearDimInput in{{0, 0}, {100, 0}, {50, 20}, AcGeVector2d::kXAxis};
    v.dimtmove = 0; // the dimension line follows the text
    host::DimGraphics g = host::layoutLinearDim(in, v, {}, t);
    EXPECT_TRUE(hasLine(g, {0, 40 - 1.875}, {100, 40 - 1.875}));
    expectPoint(g.texts[0].center, {30, 40}, "text where the user put it");
    v.dimtmove = 1; // the line stays, a leader joins the text
    g = host::layoutLinearDim(in, v, {}, t);
    EXPECT_TRUE(hasLine(g, {0, 20}, {100, 20}));
    EXPECT_TRUE(hasLine(g, {30, 40 - 1.875}, {50, 20})) << "leader from the text to the line's middle";
    v.dimtmove = 2; // the text is free
    g = host::layoutLinearDim(in, v, {}, t);
    EXPECT_FALSE(hasLine(g, {30, 40 - 1.875}, {50, 20}));
}

TEST(DimensionLayout, AnglesPickTheSideOfTheArcPoint) {
    host::AngularDimInput a;
    ASSERT_TRUE(host::resolveTwoLineAngle({0, 0}, {10, 0}, {0, 0}, {0, 10}, {5, 5}, a));
    EXPECT_NEAR(a.sweep, std::numbers::pi / 2.0, kTol);
    EXPECT_NEAR(a.startAngle, 0.0, kTol);
    ASSERT_TRUE(host::resolveTwoLineAngle({0, 0}, {10, 0}, {0, 0}, {0, 10}, {-5, 5}, a));
    EXPECT_NEAR(a.sweep, std::numbers::pi / 2.0, kTol) << "two lines never measure more than 180 degrees";
    ASSERT_TRUE(host::resolveTwoLineAngle({0, 0}, {10, 0}, {0, 0}, {10, 10}, {5, 1}, a));
    EXPECT_NEAR(a.sweep, std::numbers::pi / 4.0, kTol);
    ASSERT_TRUE(host::resolveTwoLineAngle({0, 0}, {10, 0}, {0, 0}, {10, 10}, {-5, -1}, a));
    EXPECT_NEAR(a.sweep, std::numbers::pi / 4.0, kTol) << "the opposite quarter has the same angle";
    EXPECT_FALSE(host::resolveTwoLineAngle({0, 0}, {10, 0}, {0, 5}, {10, 5}, {5, 2}, a)) << "parallel lines";

    ASSERT_TRUE(host::resolveThreePointAngle({0, 0}, {10, 0}, {0, 10}, {5, 5}, a));
    EXPECT_NEAR(a.sweep, std::numbers::pi / 2.0, kTol);
    ASSERT_TRUE(host::resolveThreePointAngle({0, 0}, {10, 0}, {0, 10}, {-5, -5}, a));
    EXPECT_NEAR(a.sweep, 1.5 * std::numbers::pi, kTol) << "three points may measure the reflex angle";
    EXPECT_FALSE(host::resolveThreePointAngle({0, 0}, {0, 0}, {0, 10}, {5, 5}, a));
}

TEST(DimensionLayout, AngularExtensionLinesReachFromTheLegsToTheArc) {
    host::AngularDimInput a;
    // Legs that start away from the vertex; the arc (radius 3) misses both.
    ASSERT_TRUE(host::resolveTwoLineAngle({5, 0}, {10, 0}, {0, 5}, {0, 10}, {2.1213203435596424, 2.1213203435596424}, a));
    EXPECT_NEAR(a.radius, 3.0, 1e-9);
    const host::DimGraphics g = host::layoutAngularDim(a, metricVars(), {}, text(L"90°", 4.0));
    EXPECT_TRUE(hasLine(g, {5 - 0.625, 0}, {3 - 1.25, 0})) << "from the leg's near end to past the arc";
    EXPECT_TRUE(hasLine(g, {0, 5 - 0.625}, {0, 3 - 1.25}));
    ASSERT_FALSE(g.arcs.empty());
    EXPECT_NEAR(g.arcs[0].radius, 3.0, kTol);
    // The arc meets the legs themselves: no extension lines.
    ASSERT_TRUE(host::resolveTwoLineAngle({0, 0}, {10, 0}, {0, 0}, {0, 10}, {5, 5}, a));
    EXPECT_FALSE(a.hasExt1);
    EXPECT_FALSE(a.hasExt2);
}

TEST(DimensionLayout, RadiusDiameterAndArcLength) {
    const host::DimGraphics r = host::layoutRadialDim({0, 0}, {10, 0}, 5.0, metricVars(), {}, text(L"R10", 6.0));
    ASSERT_EQ(r.fills.size(), 1u);
    expectPoint(r.fills[0].points[0], {10, 0}, "the arrow touches the circle");
    expectPoint(tail(r.fills[0]), {12.5, 0}, "from outside, pointing at the centre");
    ASSERT_EQ(r.texts.size(), 1u);
    EXPECT_GT(r.texts[0].center.x, 10.0 + 5.0) << "text beyond the leader length";

    const host::DimGraphics d = host::layoutDiametricDim({10, 0}, {-10, 0}, 0.0, metricVars(), {}, text(L"%%c20", 6.0));
    EXPECT_TRUE(hasLine(d, {-10, 0}, {10, 0})) << "the line spans the diameter";
    ASSERT_EQ(d.fills.size(), 2u);

    const host::ArcLengthDimInput arc{{0, 0}, {10, 0}, {0, 10}, {0, 15}};
    EXPECT_NEAR(host::arcLengthDimMeasurement(arc), 10.0 * std::numbers::pi / 2.0, kTol);
    const host::DimGraphics g = host::layoutArcLengthDim(arc, metricVars(), {}, text(L"15.71", 8.0));
    EXPECT_TRUE(hasLine(g, {10.625, 0}, {16.25, 0})) << "radial extension line";
    ASSERT_FALSE(g.arcs.empty());
    EXPECT_NEAR(g.arcs[0].radius, 15.0, kTol);
}
