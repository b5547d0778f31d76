// Text layout of chains: text angles, the default points of the fifteen codes, where a
// text stands relative to its point, automatic placement on short segments, appended
// texts and the chain label. Sizes at 1:100 in metres: text height h0 = 0.5, gap o = 0.25.
#include "tests/module/chain/TRdimTestEnv.h"

#include "module/chain/ChainDisplayText.h"
#include "module/chain/ChainTextStyle.h"
#include "module/chain/PositionCode.h"
#include "module/chain/TRdimLayout.h"
#include "module/chain/TextBox.h"
#include "module/chain/TextFrame.h"

#include <cmath>
#include <numbers>

using namespace chaintest;

namespace {

constexpr double kAngleTol = 1e-12;
// The rules compute text angles with pi cut to ten digits: a turned text is off by up to
// 2e-10 radians (2e-9 of a drawing unit across a text ten units long).
constexpr double kRulePiTol = 1e-9;
constexpr double kH0 = 0.5;
constexpr double kGapO = 0.25;
constexpr double kSupH = 0.4;
constexpr double kDeg = std::numbers::pi / 180.0;

AcGeVector3d Dir(double degrees) {
    return {std::cos(degrees * kDeg), std::sin(degrees * kDeg), 0.0};
}

#define EXPECT_VEC_NEAR(actual, expected, tol)                                                               \
    do {                                                                                                     \
        const AcGeVector3d av_ = (actual);                                                                   \
        const AcGeVector3d ev_ = (expected);                                                                 \
        EXPECT_LE((av_ - ev_).length(), (tol))                                                               \
            << "actual (" << av_.x << ", " << av_.y << ", " << av_.z << ") expected (" << ev_.x << ", "      \
            << ev_.y << ", " << ev_.z << ") tolerance " << (tol);                                            \
    } while (0)

class LayoutTest : public ChainTest {
protected:
    // A horizontal chain along y = 0 with its dimension line at y = 2.
    std::unique_ptr<TRdim> horizontal(const std::vector<double>& xs) {
        std::vector<AcGePoint3d> pts;
        for (double x : xs)
            pts.emplace_back(x, 0.0, 0.0);
        return makeChain(pts, kDimHorizontal, AcGePoint3d(0, 2, 0));
    }

    static double width(TRdim& chain, const std::wstring& text, double height) {
        return ChainTextStyle(chain.GetTextStyleId()).Width(text, height);
    }

    // Every text box of a chain against every other one and against the chain's line and
    // the region between each segment and its objects.
    static void expectNoCollisions(TRdim& chain) {
        const int n = chain.GetExtensions();
        std::vector<std::array<AcGePoint3d, 4>> boxes;
        for (int k = 1; k < n; ++k)
            boxes.push_back(chain.TextBox(k, 0.0));
        const TextFrame frame = ChainTextFrame(chain, 1);
        const AcGePoint3d line[4] = {chain.GetPointDim(0), chain.GetPointDim(n - 1), chain.GetPointDim(n - 1),
                                     chain.GetPointDim(0)};
        for (size_t a = 0; a < boxes.size(); ++a) {
            EXPECT_FALSE(ConvexOverlap(boxes[a], line, frame))
                << "text " << a + 1 << " crosses the dimension line";
            for (int k = 1; k < n; ++k) {
                const AcGePoint3d region[4] = {chain.GetPointDim(k - 1), chain.GetPointDim(k),
                                               chain.GetPointExt(k), chain.GetPointExt(k - 1)};
                EXPECT_FALSE(ConvexOverlap(boxes[a], region, frame))
                    << "text " << a + 1 << " on segment " << k;
            }
            for (size_t b = a + 1; b < boxes.size(); ++b)
                EXPECT_FALSE(ConvexOverlap(boxes[a], boxes[b], frame))
                    << "texts " << a + 1 << " and " << b + 1;
        }
    }
};

} // namespace

TEST(TextFrame, AnglesReadLeftToRightAndUpwards) {
    struct Case {
        double direction, angle;
        int sign;
        AcGeVector3d along, up;
    } cases[] = {
        {0, 0, 1, Dir(0), Dir(90)},
        {180, 0, 1, Dir(0), Dir(90)},   // drawn right to left: never upside
                                        // down
        {90, 90, 1, Dir(90), Dir(180)}, // vertical: read from the right
        {270, 90, 1, Dir(90), Dir(180)},
        {135, 135, -1, Dir(-45), Dir(45)}, // texts turned to stay readable
        {-45, 135, -1, Dir(-45), Dir(45)},
        {30, 30, 1, Dir(30), Dir(120)},
        {210, 30, 1, Dir(30), Dir(120)},
    };
    for (const Case& c : cases) {
        const TextFrame f = MakeTextFrame(Dir(c.direction), AcGeVector3d::kZAxis);
        EXPECT_NEAR(f.angle, c.angle * kDeg, kRulePiTol) << "direction " << c.direction;
        EXPECT_EQ(f.sign, c.sign) << "direction " << c.direction;
        EXPECT_VEC_NEAR(f.along, c.along, kRulePiTol);
        EXPECT_VEC_NEAR(f.up, c.up, kRulePiTol);
    }
    // A mirrored chain (normal down) keeps its texts readable from above.
    const TextFrame mirrored = MakeTextFrame(Dir(0), -AcGeVector3d::kZAxis);
    EXPECT_VEC_NEAR(mirrored.normal, AcGeVector3d::kZAxis, kAngleTol);
    EXPECT_VEC_NEAR(mirrored.up, Dir(90), kAngleTol);
    // Snapping only catches the rounding of the rules' pi, not real angles.
    EXPECT_EQ(NormalizeAngle(lintaro::tol::kArcPi), std::numbers::pi);
    EXPECT_NEAR(NormalizeAngle(0.5 * kDeg), 0.5 * kDeg, kAngleTol);
    EXPECT_NEAR(NormalizeAngle(-90 * kDeg), 270 * kDeg, kAngleTol);
    EXPECT_EQ(NormalizeAngle(std::nan("")), 0.0);
}

TEST(PositionCode, GridAnchorsAndCandidates) {
    for (int code = 1; code <= 15; ++code) {
        EXPECT_EQ(IsBeforeCode(code), code <= 3) << code;
        EXPECT_EQ(IsAfterCode(code), code >= 13) << code;
        EXPECT_EQ(IsInnerCode(code), code >= 4 && code <= 12) << code;
        EXPECT_EQ(static_cast<int>(RowOf(code)), (code - 1) % 3) << code;
    }
    for (int odd : {0, 16, 99, -8, -100})
        EXPECT_EQ(EffectiveCode(odd), 8) << odd;
    EXPECT_EQ(EffectiveCode(-14), 14);
    // The configured order, 8 put in before its first 7 or 9, mirrored for the second half.
    EXPECT_EQ(AutoPositionCandidates({14, 2, 13, 15, 3}, false), (std::vector<int>{14, 2, 13, 15, 3}));
    EXPECT_EQ(AutoPositionCandidates({14, 9, 7, 2}, false), (std::vector<int>{14, 8, 9, 7, 2}));
    EXPECT_EQ(AutoPositionCandidates({14, 2, 13, 9, 3}, true), (std::vector<int>{2, 14, 1, 8, 9, 15}));
}

TEST_F(LayoutTest, TextAnglesOfChainsInEveryDirection) {
    double angle = -1;
    int side = 0;
    auto h = horizontal({0, 4});
    EXPECT_EQ(h->GetTextAngle(1, angle, side), 1);
    EXPECT_NEAR(angle, 0.0, kAngleTol);

    auto v = makeChain({{0, 0, 0}, {0, 4, 0}}, kDimVertical, AcGePoint3d(-2, 0, 0));
    EXPECT_EQ(v->GetTextAngle(1, angle, side), 1);
    EXPECT_NEAR(angle, 90 * kDeg, kAngleTol);
    // Read from the right: the default text stands left of a vertical line, centred.
    EXPECT_POINT_NEAR(v->GetPointTextPos(1), AcGePoint3d(-2 - kGapO, 2, 0), kGeomTol);

    auto diag = makeChain({{0, 0, 0}, {-3, 3, 0}}, kDimAligned, AcGePoint3d(1, 1, 0));
    EXPECT_EQ(diag->GetTextAngle(1, angle, side), -1);
    EXPECT_NEAR(angle, 135 * kDeg, kRulePiTol);

    // Drawn from right to left, an aligned chain reads like one drawn from left to right.
    auto back = makeChain({{4, 0, 0}, {0, 0, 0}}, kDimAligned, AcGePoint3d(4, 2, 0));
    EXPECT_EQ(back->GetTextAngle(1, angle, side), 1);
    EXPECT_NEAR(angle, 0.0, kAngleTol);
    EXPECT_POINT_NEAR(back->GetPointTextPos(1), AcGePoint3d(2, 2 + kGapO, 0), kGeomTol);

    // Out-of-range indices are clamped, never refused.
    EXPECT_EQ(h->GetTextAngle(99, angle, side), 1);
    EXPECT_EQ(h->GetTextAngle(-1, angle, side), 1);
}

TEST_F(LayoutTest, DefaultPointsOfAllFifteenCodes) {
    auto chain = horizontal({0, 4});
    ASSERT_NEAR(chain->GetTextHeight(), kH0, kGeomTol);
    ASSERT_NEAR(chain->AdaptByTextHeight(IND_D_TextOffset), kGapO, kGeomTol);
    // Columns: dimension point 0 shifted out, in; the middle; dimension point 1 in, out.
    const double xs[5] = {-kGapO, kGapO, 2.0, 4 - kGapO, 4 + kGapO};
    // Rows: raised one line, above the line, below it (unit "m": no superscript room).
    const double ys[3] = {2 + kH0 + 2 * kGapO, 2 + kGapO, 2 - kGapO - kH0};
    for (int code = 1; code <= 15; ++code)
        EXPECT_POINT_NEAR(chain->DefaultTextPoint(1, code),
                          AcGePoint3d(xs[(code - 1) / 3], ys[(code - 1) % 3], 0), kGeomTol)
            << "code " << code;
    EXPECT_POINT_NEAR(chain->DefaultTextPoint(1, 0), chain->DefaultTextPoint(1, 8), kGeomTol);
    EXPECT_POINT_NEAR(chain->DefaultTextPoint(1, 16), chain->DefaultTextPoint(1, 8), kGeomTol);

    // An automatic code keeps closer to its dimension point: -0.1 h0 and +0.2 h0.
    chain->SetDimTextPos(1, -2);
    EXPECT_POINT_NEAR(chain->DefaultTextPoint(1), AcGePoint3d(-0.1 * kH0, 2 + kGapO, 0), kGeomTol);
    EXPECT_POINT_NEAR(chain->DefaultTextPoint(1, 15), AcGePoint3d(4 + 0.2 * kH0, 2 - kGapO - kH0, 0),
                      kGeomTol);

    // "m/cm" leaves room for a superscript in the block height: 0.66 h0 + its height.
    chain->SetParamString(IND_S_Measure, L"M/CM");
    const double block = 0.66 * kH0 + kSupH;
    EXPECT_POINT_NEAR(chain->DefaultTextPoint(1, 7), AcGePoint3d(2, 2 + block + 2 * kGapO, 0), kGeomTol);
    EXPECT_POINT_NEAR(chain->DefaultTextPoint(1, 9), AcGePoint3d(2, 2 - kGapO - block, 0), kGeomTol);
    // Index 0 and bad indices give the dimension line's own point, not garbage.
    EXPECT_POINT_NEAR(chain->DefaultTextPoint(0, 8), chain->GetPointTextPos(0), kGeomTol);
    EXPECT_POINT_NEAR(chain->DefaultTextPoint(7, 8), chain->GetPointTextPos(0), kGeomTol);
}

TEST_F(LayoutTest, TextsEndStartOrCentreOnTheirPointAndSuperscriptsRise) {
    auto chain = horizontal({0, 4});
    const double w = width(*chain, L"4,00", kH0);
    ASSERT_GT(w, 0.5);
    AcGePoint3dArray pts;
    std::vector<std::wstring> parts;
    const struct {
        int code;
        double startX;
    } cases[] = {{2, -kGapO - w}, {5, kGapO}, {8, 2 - w / 2}, {11, 4 - kGapO - w}, {14, 4 + kGapO}};
    for (const auto& c : cases) {
        chain->SetDimTextPos(1, c.code);
        chain->CenterText(1);
        EXPECT_FALSE(chain->GetPointText(1, pts, parts));
        ASSERT_EQ(pts.length(), 1);
        EXPECT_EQ(parts[0], L"4,00");
        EXPECT_NEAR(pts[0].x, c.startX, kGeomTol) << "code " << c.code;
    }

    // 1.234 in "m/cm" with three decimals shows 1,23 and a raised 4.
    auto sup = horizontal({0, 1.234});
    sup->SetParamString(IND_S_Measure, L"m/cm");
    sup->SetParamInt(IND_I_Decimals, 3);
    sup->UpdateDimText(1);
    sup->CenterText(1);
    ASSERT_TRUE(sup->GetPointText(1, pts, parts));
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0], L"1,23");
    EXPECT_EQ(parts[1], L"4");
    const double w0 = width(*sup, L"1,23", kH0);
    const double w1 = width(*sup, L"4", kSupH);
    EXPECT_NEAR(pts[0].x, 0.617 - (w0 + w1) / 2, kGeomTol);
    EXPECT_NEAR(pts[1].x, pts[0].x + w0, kGeomTol);
    EXPECT_NEAR(pts[1].y - pts[0].y, 0.66 * kH0, kGeomTol);
    // The box is as high as the raised block and as wide as both parts.
    const auto box = sup->TextBox(1, 0.0);
    EXPECT_NEAR(box[1].x - box[0].x, w0 + w1, kGeomTol);
    EXPECT_NEAR(box[3].y - box[0].y, 0.66 * kH0 + kSupH, kGeomTol);

    // Bad indices give nothing, not a crash.
    EXPECT_FALSE(chain->GetPointText(9, pts, parts));
    EXPECT_TRUE(pts.isEmpty());
    EXPECT_FALSE(chain->GetPointText(-3, pts, parts));
}

TEST_F(LayoutTest, AutomaticPlacementKeepsShortSegmentTextsApart) {
    pGlobDimOptions->SetOptFlag(IND_OPT_B_AutoPosition, 1);
    // Short segments after, before and between long ones; the third short one has its
    // neighbours' texts so close that only the raised row is left.
    auto chain = horizontal({0, 6, 6.4, 12, 12.5, 18, 20, 20.4, 22.4});
    ASSERT_EQ(chain->GetExtensions(), 9);
    EXPECT_EQ(chain->AdjustTexts('A'), 1);
    EXPECT_EQ(chain->GetDimTextPos(1, false), -8);
    EXPECT_EQ(chain->GetDimTextPos(2, false), -14);
    EXPECT_EQ(chain->GetDimTextPos(4, false), -14);
    EXPECT_EQ(chain->GetDimTextPos(7, false), -13);
    expectNoCollisions(*chain);

    // With the next segment short as well, the first text goes before its segment; the
    // second then finds the place before it taken and the one after it crowded by the
    // next text, and rises a line after its segment.
    auto pair = horizontal({0, 6, 6.4, 6.8, 12});
    pair->AdjustTexts('A');
    EXPECT_EQ(pair->GetDimTextPos(2, true), 2);
    EXPECT_EQ(pair->GetDimTextPos(3, true), 13);
    expectNoCollisions(*pair);

    // A label at the end of the chain keeps the last segment's text off that end.
    auto labelled = horizontal({0, 6, 6.4});
    labelled->SetParamString(IND_S_DimDescription, L"2Achse");
    labelled->AdjustTexts('A');
    EXPECT_EQ(labelled->GetDimTextPos(2, true), 8);
    // 'C' puts every text back to the standard place.
    chain->AdjustTexts('C');
    for (int k = 1; k < chain->GetExtensions(); ++k)
        EXPECT_EQ(chain->GetDimTextPos(k, false), 8) << k;
}

TEST_F(LayoutTest, AdjustTextsResetsOrKeepsHandPlacedTexts) {
    auto chain = horizontal({0, 4, 9});
    const AcGePoint3d moved(1, 5, 0);
    chain->SetPointText(1, moved, true);
    EXPECT_EQ(chain->AdjustTexts('G'), 1);
    EXPECT_POINT_NEAR(chain->GetPointTextPos(1), moved, kGeomTol);
    EXPECT_POINT_NEAR(chain->GetPointTextPos(2), AcGePoint3d(6.5, 2 + kGapO, 0), kGeomTol);
    EXPECT_EQ(chain->AdjustTexts('C'), 1);
    EXPECT_POINT_NEAR(chain->GetPointTextPos(1), AcGePoint3d(2, 2 + kGapO, 0), kGeomTol);
}

TEST_F(LayoutTest, AppendedTextsHangBelowTheirSegmentTextAndFollowIt) {
    auto chain = horizontal({0, 4, 9});
    AppendingText rec;
    rec.m_strText = L"OK FFB";
    ASSERT_GE(chain->SetAppendingText(2, &rec), 0);
    AppendingText* stored = nullptr;
    ASSERT_GE(chain->GetAppendingText(2, &stored), 0);
    const double drop = 2 * kGapO + 1.4 * kH0;
    EXPECT_POINT_NEAR(stored->m_position, chain->GetPointTextPos(2) - AcGeVector3d(0, drop, 0), kGeomTol);

    // It moves with its text while it is automatic, and stays once placed by hand.
    chain->SetDimTextPos(2, 14);
    chain->CenterText(2);
    EXPECT_POINT_NEAR(stored->m_position, chain->GetPointTextPos(2) - AcGeVector3d(0, drop, 0), kGeomTol);
    AcGePoint3dArray pts;
    std::vector<std::wstring> parts;
    chain->GetPointText(2, pts, parts, stored);
    EXPECT_NEAR(pts[0].x, 9 + kGapO, kGeomTol); // in the column of its segment text: starting there
    stored->m_iAutoPos = 0;
    const AcGePoint3d byHand = stored->m_position;
    chain->SetPointText(2, AcGePoint3d(6, 6, 0), false);
    EXPECT_POINT_NEAR(stored->m_position, byHand, kGeomTol);

    // On a vertical chain "below" is to the right of a text read from the right.
    auto v = makeChain({{0, 0, 0}, {0, 4, 0}}, kDimVertical, AcGePoint3d(-2, 0, 0));
    v->SetAppendingText(1, &rec);
    ASSERT_GE(v->GetAppendingText(1, &stored), 0);
    EXPECT_POINT_NEAR(stored->m_position, v->GetPointTextPos(1) + AcGeVector3d(drop, 0, 0), kGeomTol);
    EXPECT_EQ(v->SetAppendingTextPos(5, stored), 0);
    EXPECT_EQ(v->SetAppendingTextPos(0, nullptr), 0);
}

TEST_F(LayoutTest, LabelSitsBeyondTheEndsAndSizesFallBackSafely) {
    auto chain = horizontal({0, 4, 9});
    chain->SetParamString(IND_S_DimDescription, L"3Achse B");
    AcGePoint3dArray pts;
    std::vector<std::wstring> parts;
    chain->GetPointText(kChainLabelIndex, pts, parts);
    ASSERT_EQ(parts.size(), 1u);
    EXPECT_EQ(parts[0], L"Achse B");
    ASSERT_EQ(pts.length(), 2);
    const double w = width(*chain, L"Achse B", kH0);
    EXPECT_POINT_NEAR(pts[0], AcGePoint3d(-kH0 / 2 - w, 2 + kGapO, 0), kGeomTol); // ends before the chain
    EXPECT_POINT_NEAR(pts[1], AcGePoint3d(9 + kH0 / 2, 2 + kGapO, 0), kGeomTol);  // starts after it

    // A percentage of 0 counts as 10; an index beyond every array too.
    pGlobDimOptions->GetOptionSet(OPT_MODE_CHAIN).arrayOptDouble[IND_D_ExpTextHeight] = 0;
    EXPECT_NEAR(chain->AdaptByTextHeight(IND_D_ExpTextHeight), 0.1 * kH0, kGeomTol);
    EXPECT_NEAR(chain->AdaptByTextHeight(500), 0.1 * kH0, kGeomTol);
    EXPECT_NEAR(chain->AdaptByTextHeight(-1), 0.1 * kH0, kGeomTol);
}
