#include "tests/module/chain/TRdimTestEnv.h"

#include "host/ge/AcGeLine3d.h"
#include "host/ge/AcGeTol.h"

#include <cmath>

using namespace chaintest;

namespace {

AcGePoint3d P(double x, double y, double z = 0) {
    return AcGePoint3d(x, y, z);
}

// Every extension's dimension point lies on the line y = `y` above its input point, and
// every extension line starts `startOffset` from the dimension point towards the object.
void expectHorizontalGeometry(const TRdim& chain, double y, double startOffset, double tol) {
    const AcGePoint3dArray& pts = chain.Points();
    for (int i = 0; i < chain.GetExtensions(); ++i) {
        const AcGePoint3d input = pts[4 * i];
        EXPECT_POINT_NEAR(pts[4 * i + 2], P(input.x, y, input.z), tol) << "dimension point " << i;
        const double towards = input.y < y ? -1.0 : 1.0;
        EXPECT_POINT_NEAR(pts[4 * i + 1], P(input.x, y + towards * startOffset, input.z), tol)
            << "extension start " << i;
    }
}

} // namespace

// New points go before, between and after the existing ones; the chain stays sorted and
// each segment keeps its own text, appended texts and flags.
TEST_F(ChainTest, AddedPointsAreSortedAndTextsAndFlagsFollowTheirExtensions) {
    auto chain = makeChain({P(0, 0), P(4, 0)}, kDimHorizontal, P(0, 3));
    chain->SetDimTextPrefix(1, L"AB");
    chain->SetExtHidden(1, true); // the line at x = 4
    EXPECT_EQ(chain->AddPointInput(P(10, 0)), 2);
    chain->SetTickSymbol(2, kTickDot); // the extension at x = 10
    AppendingText note;
    note.m_strText = L"Fenster";
    chain->SetAppendingText(2, &note);

    EXPECT_EQ(chain->AddPointInput(P(-2, 0)), 0);
    EXPECT_EQ(chain->AddPointInput(P(7, 0)), 3);

    const std::vector<AcGePoint3d> order = inputs(*chain);
    const double xs[] = {-2, 0, 4, 7, 10};
    ASSERT_EQ(order.size(), 5u);
    for (int i = 0; i < 5; ++i)
        EXPECT_POINT_NEAR(order[static_cast<size_t>(i)], P(xs[i], 0), kGeomTol);
    ASSERT_EQ(chain->Texts().size(), 5u);
    EXPECT_EQ(valueOf(*chain, 1), L"2,00");
    EXPECT_EQ(valueOf(*chain, 2), L"4,00");
    EXPECT_EQ(chain->GetDimTextPrefix(2), L"AB");
    EXPECT_EQ(valueOf(*chain, 3), L"3,00");
    EXPECT_EQ(valueOf(*chain, 4), L"3,00");
    EXPECT_EQ(chain->GetDimTextPrefix(1), L"");
    EXPECT_EQ(chain->GetDimTextPrefix(3), L"");

    ASSERT_EQ(chain->ExtFlags().size(), 5u);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(chain->IsExtVisible(i), i != 2) << i;
    EXPECT_EQ(chain->GetTickSymbol(4), kTickDot);
    EXPECT_EQ(chain->GetTickSymbol(3), static_cast<int>(chain->GetParamInt(IND_I_LastType)));
    // The appended text of the old segment 4..10 stays with that segment's text, which
    // the new point 7 left on the part 7..10.
    AppendingText* found = nullptr;
    EXPECT_EQ(chain->GetAppendingText(3, &found), -1);
    ASSERT_GE(chain->GetAppendingText(4, &found), 0);
    EXPECT_EQ(found->m_strText, L"Fenster");
    expectHorizontalGeometry(*chain, 3.0, kFixedLength, kGeomTol);
    for (int k = 1; k < 5; ++k)
        EXPECT_POINT_NEAR(chain->GetPointTextPos(k), chain->DefaultTextPoint(k), kGeomTol);
}

// A point whose foot on the dimension line is an existing dimension point adds nothing.
TEST_F(ChainTest, DuplicatePointsAreRefusedAndLeaveTheChainAsItWas) {
    auto chain = makeChain({P(0, 0), P(4, 0), P(10, 0)}, kDimHorizontal, P(0, 3));
    const AcGePoint3dArray before = chain->Points();
    const std::vector<std::wstring> texts = chain->Texts();
    EXPECT_EQ(chain->AddPointInput(P(4, -7)), -1);
    EXPECT_EQ(chain->AddPointInput(P(4.00005, 1)), -1);
    EXPECT_TRUE(chain->Points() == before);
    EXPECT_EQ(chain->Texts(), texts);
    EXPECT_EQ(chain->ExtFlags().size(), 3u);
    // Just outside the tolerance the point is a new extension.
    EXPECT_EQ(chain->AddPointInput(P(4.0002, 1)), 2);
    EXPECT_EQ(chain->GetExtensions(), 4);

    // On a chain of one extension the second point is nudged along the line instead.
    TRdim single;
    single.Initialize(false);
    EXPECT_EQ(single.AddPointInput(P(1, 1)), 0);
    EXPECT_EQ(single.AddPointInput(P(1, 1)), 1);
    ASSERT_EQ(single.GetExtensions(), 2);
    EXPECT_POINT_NEAR(single.Points()[4], P(1 + 1e-6, 1), 1e-12);
    EXPECT_EQ(single.Texts().size(), 2u);
    EXPECT_EQ(single.ExtFlags().size(), 2u);
}

// Moving a point by grip keeps hand-placed texts where they are; a new point re-centres
// both neighbouring texts; moving past a neighbour swaps the two.
TEST_F(ChainTest, MovingAnInputPointUpdatesValuesSortsAndRespectsHandPlacedTexts) {
    auto chain = makeChain({P(0, 0), P(4, 0), P(10, 0), P(15, 0), P(20, 0)}, kDimHorizontal, P(0, 3));
    const AcGePoint3d byHand(2, 5, 0);
    chain->SetPointText(1, byHand, false);
    const AcGePoint3d farText(17, 6, 0);
    chain->SetPointText(4, farText, false);

    EXPECT_EQ(chain->SetPointInput(1, P(5, -1), kPointMoved), 1);
    EXPECT_EQ(valueOf(*chain, 1), L"5,00");
    EXPECT_EQ(valueOf(*chain, 2), L"5,00");
    EXPECT_POINT_NEAR(chain->GetPointTextPos(1), byHand, kGeomTol);
    EXPECT_POINT_NEAR(chain->GetPointTextPos(2), chain->DefaultTextPoint(2), kGeomTol);
    EXPECT_POINT_NEAR(chain->GetPointDim(1), P(5, 3), kGeomTol);

    // Past its right neighbour: the extension (hidden line and all) swaps places.
    chain->SetExtHidden(1, true);
    EXPECT_EQ(chain->SetPointInput(1, P(12, 0), kPointMoved), 2);
    const double xs[] = {0, 10, 12, 15, 20};
    for (int i = 0; i < 5; ++i)
        EXPECT_POINT_NEAR(chain->Points()[4 * i], P(xs[i], 0), kGeomTol) << i;
    EXPECT_EQ(valueOf(*chain, 1), L"10,00");
    EXPECT_EQ(valueOf(*chain, 2), L"2,00");
    EXPECT_EQ(valueOf(*chain, 3), L"3,00");
    EXPECT_EQ(valueOf(*chain, 4), L"5,00");
    EXPECT_FALSE(chain->IsExtVisible(2));
    EXPECT_TRUE(chain->IsExtVisible(1));
    for (int k : {2, 3})
        EXPECT_POINT_NEAR(chain->GetPointTextPos(k), chain->DefaultTextPoint(k), kGeomTol) << k;
    EXPECT_POINT_NEAR(chain->GetPointTextPos(4), farText, kGeomTol);
    expectHorizontalGeometry(*chain, 3.0, kFixedLength, kGeomTol);

    // As a new point (mode 0) both neighbouring texts are centred, hand-placed or not.
    chain->SetPointText(4, farText, false);
    EXPECT_EQ(chain->SetPointInput(4, P(21, 0), kPointNew), 4);
    EXPECT_POINT_NEAR(chain->GetPointTextPos(4), chain->DefaultTextPoint(4), kGeomTol);
    EXPECT_EQ(valueOf(*chain, 4), L"6,00");

    // Bad indices change nothing.
    const AcGePoint3dArray before = chain->Points();
    EXPECT_EQ(chain->SetPointInput(5, P(1, 1), kPointNew), -1);
    EXPECT_EQ(chain->SetPointInput(-1, P(1, 1), kPointNew), -1);
    EXPECT_TRUE(chain->Points() == before);
}

// Removing the first, the last or an inner extension keeps the right texts with the
// remaining segments; the appended texts of the two joined segments go.
TEST_F(ChainTest, RemovingExtensionsAtBothEndsAndInTheMiddle) {
    auto chain = makeChain({P(0, 0), P(4, 0), P(10, 0), P(15, 0)}, kDimHorizontal, P(0, 3));
    chain->SetDimTextPrefix(1, L"a");
    chain->SetDimTextPrefix(2, L"b");
    chain->SetDimTextPrefix(3, L"c");
    AppendingText first, third;
    first.m_strText = L"eins";
    third.m_strText = L"drei";
    chain->SetAppendingText(1, &first);
    chain->SetAppendingText(3, &third);
    chain->SetExtHidden(3, true);

    EXPECT_EQ(chain->RemoveDimExt(0), 3);
    EXPECT_POINT_NEAR(chain->Points()[0], P(4, 0), kGeomTol);
    EXPECT_EQ(chain->Texts().size(), 3u);
    EXPECT_EQ(chain->GetDimTextPrefix(1), L"b");
    EXPECT_EQ(valueOf(*chain, 1), L"6,00");
    EXPECT_EQ(chain->GetDimTextPrefix(2), L"c");
    EXPECT_EQ(valueOf(*chain, 2), L"5,00");
    ASSERT_EQ(chain->AppTexts().size(), 1u);
    EXPECT_EQ(chain->AppTexts()[0].m_strText, L"drei");
    EXPECT_EQ(chain->AppTexts()[0].m_iSegment, 2);
    EXPECT_FALSE(chain->IsExtVisible(2));

    EXPECT_EQ(chain->RemoveDimExt(2), 2);
    EXPECT_EQ(chain->GetDimTextPrefix(1), L"b");
    EXPECT_EQ(valueOf(*chain, 1), L"6,00");
    EXPECT_TRUE(chain->AppTexts().empty());
    EXPECT_EQ(chain->ExtFlags().size(), 2u);

    // Two extensions are the least a chain has.
    const AcGePoint3dArray two = chain->Points();
    EXPECT_EQ(chain->RemoveDimExt(0), 0);
    EXPECT_TRUE(chain->Points() == two);

    auto middle = makeChain({P(0, 0), P(4, 0), P(10, 0), P(15, 0)}, kDimHorizontal, P(0, 3));
    middle->SetDimTextPrefix(3, L"c");
    middle->SetExtHidden(3, true);
    const AcGePoint3dArray before = middle->Points();
    EXPECT_EQ(middle->RemoveDimExt(7), 0);
    EXPECT_EQ(middle->RemoveDimExt(-1), 0);
    EXPECT_TRUE(middle->Points() == before);
    EXPECT_EQ(middle->RemoveDimExt(1), 3);
    EXPECT_EQ(valueOf(*middle, 1), L"10,00");
    EXPECT_POINT_NEAR(middle->GetPointTextPos(1), middle->DefaultTextPoint(1), kGeomTol);
    EXPECT_EQ(middle->GetDimTextPrefix(2), L"c");
    EXPECT_EQ(valueOf(*middle, 2), L"5,00");
    EXPECT_FALSE(middle->IsExtVisible(2));
    EXPECT_TRUE(middle->IsExtVisible(1));
    expectHorizontalGeometry(*middle, 3.0, kFixedLength, kGeomTol);

    // Points entered twice (only possible unchecked) are cleaned up.
    EXPECT_EQ(middle->AddPointInput(P(10, 0), true), 2);
    EXPECT_EQ(middle->GetExtensions(), 4);
    EXPECT_EQ(middle->RemoveDoubleExtensions(), 1);
    EXPECT_EQ(middle->GetExtensions(), 3);
    EXPECT_EQ(middle->RemoveDoubleExtensions(), 0);
}

// The dimension line moves as a whole; fixed-length extension lines keep their length,
// free ones start a gap short of the object, and texts move along.
TEST_F(ChainTest, MovingTheDimensionLineWithFixedAndFreeExtensionLines) {
    auto chain = makeChain({P(0, 0), P(4, 1), P(10, -1)}, kDimHorizontal, P(0, 5));
    expectHorizontalGeometry(*chain, 5.0, kFixedLength, kGeomTol);
    const AcGePoint3d text1 = chain->GetPointTextPos(1);
    chain->ChangePointMainDim(P(50, 8), false);
    expectHorizontalGeometry(*chain, 8.0, kFixedLength, kGeomTol);
    EXPECT_POINT_NEAR(chain->GetPointTextPos(1), text1 + AcGeVector3d(0, 3, 0), kGeomTol);
    EXPECT_EQ(valueOf(*chain, 1), L"4,00");
    // Below the objects the extension lines point up towards them.
    chain->ChangePointMainDim(P(0, -6), false);
    expectHorizontalGeometry(*chain, -6.0, kFixedLength, kGeomTol);

    // Kept extension starts: fixed-length lines move along, a line placed by hand stays.
    chain->ChangePointMainDim(P(0, 5), false);
    chain->SetPointExt(1, P(4, 3), false);
    EXPECT_POINT_NEAR(chain->GetPointExt(1), P(4, 3), kGeomTol);
    chain->ChangePointMainDim(P(0, 8), true);
    EXPECT_POINT_NEAR(chain->GetPointExt(0), P(0, 7), kGeomTol);
    EXPECT_POINT_NEAR(chain->GetPointExt(1), P(4, 3), kGeomTol);
    EXPECT_POINT_NEAR(chain->GetPointExt(2), P(10, 7), kGeomTol);

    auto free = makeChain({P(0, 0), P(4, 1), P(10, -1)}, kDimHorizontal, P(0, 5), false);
    for (double y : {5.0, 8.0}) {
        free->ChangePointMainDim(P(0, y), false);
        EXPECT_POINT_NEAR(free->GetPointExt(0), P(0, kGap), kGeomTol) << y;
        EXPECT_POINT_NEAR(free->GetPointExt(1), P(4, 1 + kGap), kGeomTol) << y;
        EXPECT_POINT_NEAR(free->GetPointExt(2), P(10, -1 + kGap), kGeomTol) << y;
    }
    // Too close to the object for the gap: the line still reaches beyond the dimension line.
    free->ChangePointMainDim(P(0, 0.6), false);
    EXPECT_POINT_NEAR(free->GetPointExt(0), P(0, 0.6 - kBeyond), kGeomTol);
    // A start asked for on the far side of the dimension line is mirrored to the object's side.
    free->ChangePointMainDim(P(0, 5), false);
    free->SetPointExt(0, P(0, 7), false);
    EXPECT_POINT_NEAR(free->GetPointExt(0), P(0, 3), kGeomTol);
    free->SetPointExt(0, P(0, 7), true);
    EXPECT_POINT_NEAR(free->GetPointExt(0), P(0, 5 - kBeyond), kGeomTol);
}

// Vertical chains run along the UCS Y axis and sort by Y; aligned ones run from the
// first point to the second.
TEST_F(ChainTest, VerticalAndAlignedChains) {
    auto vertical = makeChain({P(0, 0), P(1, 5), P(-1, 12)}, kDimVertical, P(4, 0));
    EXPECT_NEAR(vertical->GetRotation(), M_PI / 2, kGeomTol);
    EXPECT_EQ(vertical->AddPointInput(P(2, 8)), 2);
    EXPECT_EQ(vertical->AddPointInput(P(0, -3)), 0);
    const double ys[] = {-3, 0, 5, 8, 12};
    for (int i = 0; i < 5; ++i) {
        const AcGePoint3d input = vertical->Points()[4 * i];
        EXPECT_NEAR(input.y, ys[i], kGeomTol) << i;
        EXPECT_POINT_NEAR(vertical->GetPointDim(i), P(4, ys[i]), kGeomTol) << i;
        EXPECT_POINT_NEAR(vertical->GetPointExt(i), P(4 - kFixedLength, ys[i]), kGeomTol) << i;
    }
    EXPECT_EQ(valueOf(*vertical, 1), L"3,00");
    EXPECT_EQ(valueOf(*vertical, 4), L"4,00");

    // Aligned from (0,0) to (3,4): direction (0.6, 0.8), the line 2 to the left of it.
    const AcGeVector3d left(-0.8, 0.6, 0);
    auto aligned = makeChain({P(0, 0), P(3, 4)}, kDimAligned, P(0, 0) + left * 2);
    EXPECT_POINT_NEAR(P(0, 0) + aligned->GetVectorDim(), P(0.6, 0.8), kGeomTol);
    EXPECT_NEAR(aligned->GetRotation(), std::atan2(0.8, 0.6), kGeomTol);
    EXPECT_EQ(valueOf(*aligned, 1), L"5,00");
    EXPECT_EQ(aligned->AddPointInput(P(6, 8)), 2);
    EXPECT_EQ(aligned->AddPointInput(P(4, 5)), 2); // foot at 6.4 along the line
    EXPECT_POINT_NEAR(aligned->GetPointDim(2), P(0, 0) + AcGeVector3d(0.6, 0.8, 0) * 6.4 + left * 2,
                      kGeomTol);
    EXPECT_EQ(valueOf(*aligned, 2), L"1,40");
    EXPECT_EQ(valueOf(*aligned, 3), L"3,60");
    for (int i = 0; i < aligned->GetExtensions(); ++i) {
        const AcGeVector3d across = aligned->GetPointDim(i) - aligned->GetPointExt(i);
        EXPECT_NEAR(across.length(), kFixedLength, kGeomTol) << i;
        EXPECT_NEAR(across.dotProduct(aligned->GetVectorDim()), 0.0, kGeomTol) << i;
    }
}

// A chain a million units from the origin measures and places exactly as one near it.
TEST_F(ChainTest, ChainsFarFromTheOrigin) {
    const AcGeVector3d far(1e6, 1e6, 0);
    auto chain = makeChain({P(0, 0) + far, P(4, 0) + far}, kDimHorizontal, P(0, 3) + far);
    EXPECT_EQ(chain->AddPointInput(P(10, 0) + far), 2);
    EXPECT_EQ(chain->AddPointInput(P(-2, 0) + far), 0);
    EXPECT_EQ(chain->AddPointInput(P(4, 0) + far), -1);
    EXPECT_EQ(valueOf(*chain, 1), L"2,00");
    EXPECT_EQ(valueOf(*chain, 3), L"6,00");
    expectHorizontalGeometry(*chain, 3.0 + far.y, kFixedLength, kFarGeomTol);

    const AcGeVector3d left(-0.8, 0.6, 0);
    auto aligned = makeChain({P(0, 0) + far, P(3, 4) + far}, kDimAligned, P(0, 0) + far + left * 2);
    EXPECT_EQ(aligned->AddPointInput(P(6, 8) + far), 2);
    EXPECT_EQ(valueOf(*aligned, 1), L"5,00");
    EXPECT_EQ(valueOf(*aligned, 2), L"5,00");
    EXPECT_POINT_NEAR(aligned->GetPointDim(2), P(6, 8) + far + left * 2, kFarGeomTol);
}

// In a turned or tilted UCS the chain runs along that UCS's axes and sorts in it.
TEST_F(ChainTest, ChainsInATurnedAndATiltedUcs) {
    const double a = M_PI / 6;
    AcGeMatrix3d ucs;
    ucs.setCoordSystem(P(100, 50), AcGeVector3d(std::cos(a), std::sin(a), 0),
                       AcGeVector3d(-std::sin(a), std::cos(a), 0), AcGeVector3d::kZAxis);
    auto W = [&](double x, double y) { return ucs * P(x, y); };
    auto chain = makeChain({W(0, 0), W(4, 0)}, kDimHorizontal, W(0, 3), true, ucs);
    EXPECT_NEAR(chain->GetRotation(), 0.0, kGeomTol);
    EXPECT_EQ(chain->AddPointInput(W(10, -1)), 2);
    EXPECT_EQ(chain->AddPointInput(W(-2, 1)), 0);
    const double xs[] = {-2, 0, 4, 10};
    for (int i = 0; i < 4; ++i) {
        EXPECT_POINT_NEAR(chain->GetPointDim(i), W(xs[i], 3), kGeomTol) << i;
        EXPECT_POINT_NEAR(chain->GetPointExt(i), W(xs[i], 3 - kFixedLength), kGeomTol) << i;
    }
    EXPECT_EQ(valueOf(*chain, 3), L"6,00");

    auto vertical = makeChain({W(0, 0), W(0, 5)}, kDimVertical, W(4, 0), true, ucs);
    EXPECT_EQ(vertical->AddPointInput(W(1, 2)), 1);
    EXPECT_EQ(vertical->AddPointInput(W(-1, -2)), 0);
    EXPECT_POINT_NEAR(vertical->GetPointDim(2), W(4, 2), kGeomTol);
    EXPECT_EQ(valueOf(*vertical, 2), L"2,00");

    // A UCS standing upright (a section): points off its plane are projected onto it.
    AcGeMatrix3d wall;
    wall.setCoordSystem(P(0, 0), AcGeVector3d::kXAxis, AcGeVector3d::kZAxis, -AcGeVector3d::kYAxis);
    auto section = makeChain({P(0, 0, 0), P(4, 0, 0)}, kDimHorizontal, P(0, 0, 3), true, wall);
    EXPECT_EQ(section->AddPointInput(P(10, 7, 1)), 2);
    EXPECT_POINT_NEAR(section->Points()[8], P(10, 0, 1), kGeomTol);
    EXPECT_POINT_NEAR(section->GetPointDim(2), P(10, 0, 3), kGeomTol);
    EXPECT_POINT_NEAR(section->GetPointExt(2), P(10, 0, 2), kGeomTol);
    EXPECT_EQ(valueOf(*section, 2), L"6,00");
}

// On which side of the dimension line an object lies, and intersections that need the
// widening tolerance.
TEST_F(ChainTest, SideOfTheDimensionLineAndTolerantIntersections) {
    auto chain = makeChain({P(0, 0), P(4, 0)}, kDimHorizontal, P(0, 3));
    EXPECT_EQ(chain->SideOfDimLine(0, 0.0), 1);
    const AcGePoint3d above(50, 10, 0), below(50, -10, 0);
    EXPECT_EQ(chain->SideOfDimLine(1, 0.0, &above), -1);
    EXPECT_EQ(chain->SideOfDimLine(-1, 0.0, &below), 1);
    chain->ChangePointMainDim(P(0, -3), false);
    EXPECT_EQ(chain->SideOfDimLine(0, 0.0), -1);

    // Two lines that miss each other by 5e-9 a million units out still meet.
    const AcGeLine3d a(P(1e6, 1e6, 0), AcGeVector3d(1, 0, 0));
    const AcGeLine3d b(P(1e6 + 3, 1e6 - 2, 5e-9), AcGeVector3d(0, 1, 0));
    AcGePoint3d at;
    ASSERT_TRUE(TRdim::Intersect(a, b, at));
    EXPECT_POINT_NEAR(at, P(1e6 + 3, 1e6, 0), kFarGeomTol);
    const AcGeLine3d parallel(P(0, 1, 0), AcGeVector3d(1, 0, 0));
    EXPECT_FALSE(TRdim::Intersect(a, parallel, at));
    const AcGeLine3d skew(P(0, 0, 1), AcGeVector3d(0, 1, 0));
    EXPECT_FALSE(TRdim::Intersect(AcGeLine3d(P(0, 0, 0), AcGeVector3d(1, 0, 0)), skew, at));
}
