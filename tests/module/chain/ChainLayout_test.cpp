// The layout of a chain's texts: where the texts of an aligned and an arc chain stand,
// and that the kept layout is worked out again after each change it depends on — the
// chain itself, the options it reads, the annotation scale, its text style, and undo.
// Sizes at 1:100 in metres: text height h0 = 0.5, gap o = 0.25.
#include "tests/module/chain/TRdimTestEnv.h"

#include "host/db/database/UndoManager.h"
#include "host/db/entities/AcDbAnnotationScale.h"
#include "host/db/entities/AcDbArc.h"
#include "host/db/tables/AcDbTextStyleTable.h"
#include "host/db/tables/AcDbTextStyleTableRecord.h"
#include "module/base/LintaroLog.h"
#include "module/chain/ChainLayout.h"
#include "module/chain/ChainTextStyle.h"
#include "module/chain/KeptLayouts.h"
#include "module/resources/resource.h"

#include <cmath>
#include <numbers>

using namespace chaintest;

namespace {

constexpr double kH0 = 0.5;
constexpr double kGapO = 0.25;
constexpr double kPi = std::numbers::pi;

AcGePoint3d P(double x, double y) {
    return AcGePoint3d(x, y, 0);
}

class ChainLayoutTest : public ChainTest {
protected:
    // The layout of `chain` with its own text style, as a drawing pass sees it.
    static const ChainLayout& layoutOf(TRdim& chain) {
        ChainTextStyleScope styles;
        const std::shared_ptr<const ChainTextStyle> style =
            ChainTextStyleScope::Acquire(chain.GetTextStyleId());
        return chain.Layout(*style);
    }
    // The text of segment k (its marker is 3k + 1); fails the test when there is none.
    static const LaidText& segmentText(const ChainLayout& layout, int k) {
        const LaidText* text = layout.TextWithMarker(3 * k + 1);
        EXPECT_NE(text, nullptr) << "no text for segment " << k;
        static const LaidText none;
        return text ? *text : none;
    }
    // The middle of a laid-out text's first part on its base line.
    static AcGePoint3d baseMiddle(const TRdim& chain, const LaidText& text, double height) {
        const double w = ChainTextStyle(chain.GetTextStyleId()).Width(text.parts[0], height);
        return text.points[0] + text.frame.along * (w / 2.0);
    }
};

TEST_F(ChainLayoutTest, AnAlignedChainsTextsStandCentredAboveTheirSegments) {
    // Along (3, 4) / 5: segments of 5 and 10, the dimension line 2 to the left.
    const AcGeVector3d along(0.6, 0.8, 0);
    const AcGeVector3d left(-0.8, 0.6, 0);
    auto chain = makeChain({P(0, 0), P(3, 4), P(9, 12)}, kDimAligned, P(0, 0) + left * 2.0);
    const ChainLayout& layout = layoutOf(*chain);
    EXPECT_NEAR(layout.textHeight, kH0, kGeomTol);
    const wchar_t* values[] = {L"", L"5,00", L"10,00"};
    for (int k = 1; k <= 2; ++k) {
        const LaidText& text = segmentText(layout, k);
        ASSERT_FALSE(text.parts.empty());
        EXPECT_EQ(text.parts[0], values[k]);
        // Written along the line, read from left to right, "up" away from the objects.
        EXPECT_LE((text.frame.along - along).length(), kGeomTol);
        EXPECT_LE((text.frame.up - left).length(), kGeomTol);
        // Centred over the middle of the segment, its base line one gap above the line.
        const AcGePoint3d middle =
            chain->GetPointDim(k - 1) + (chain->GetPointDim(k) - chain->GetPointDim(k - 1)) * 0.5;
        EXPECT_POINT_NEAR(baseMiddle(*chain, text, layout.textHeight), middle + left * kGapO, kGeomTol);
    }
    EXPECT_EQ(layout.TextWithMarker(3 * 2 + 4), nullptr) << "no third segment";
}

TEST_F(ChainLayoutTest, AnArcChainsTextsStandOnTheRadiusThroughTheMiddleOfTheirArcs) {
    // A quarter arc of radius 2 about (10, 10), split at 45 degrees, its dimension arc at 3.
    const AcGePoint3d centre = P(10, 10);
    const AcDbObjectId arc = append(new AcDbArc(centre, 2, 0, kPi / 2));
    auto chain = std::make_unique<TRdim>(P(12, 10), P(10, 12), arc, 0, P(13, 10), AcGeMatrix3d());
    setChainParams(*chain, false);
    chain->ChangePointMainDim(P(13, 10), false);
    chain->Refresh();
    ASSERT_EQ(chain->AddPointInput(centre + AcGeVector3d(std::sqrt(2.0), std::sqrt(2.0), 0)), 1);
    ASSERT_EQ(chain->GetExtensions(), 3);
    // Each arc is an eighth of a circle of radius 2: pi / 2 long.
    EXPECT_NEAR(chain->GetDistance(1), kPi / 2, 1e-8);
    EXPECT_NEAR(chain->GetDistance(2), kPi / 2, 1e-8);

    const ChainLayout& layout = layoutOf(*chain);
    for (int k = 1; k <= 2; ++k) {
        const LaidText& text = segmentText(layout, k);
        ASSERT_FALSE(text.parts.empty());
        EXPECT_EQ(text.parts[0], L"1,57");
        const double middleAngle = (2 * k - 1) * kPi / 8; // 22.5 and 67.5 degrees
        const AcGeVector3d radial(std::cos(middleAngle), std::sin(middleAngle), 0);
        // Written along the tangent there, standing outside the dimension arc one gap away.
        EXPECT_NEAR(std::fabs(text.frame.along.dotProduct(radial)), 0.0, kGeomTol) << k;
        const AcGeVector3d fromCentre = baseMiddle(*chain, text, layout.textHeight) - centre;
        EXPECT_NEAR(fromCentre.dotProduct(text.frame.along), 0.0, kGeomTol) << k;
        EXPECT_NEAR(fromCentre.length(), 3.0 + kGapO, kGeomTol) << k;
    }
}

TEST_F(ChainLayoutTest, TheKeptLayoutIsWorkedOutAgainAfterEachChange) {
    auto chain = makeChain({P(0, 0), P(4, 0), P(10, 0)}, kDimHorizontal, P(0, 2));
    const ChainLayout* first = &layoutOf(*chain);
    EXPECT_EQ(&layoutOf(*chain), first) << "nothing changed: the same layout";
    EXPECT_EQ(segmentText(*first, 1).parts[0], L"4,00");

    // The chain itself: a prefix.
    ASSERT_EQ(chain->SetDimTextPrefix(1, L"ca."), 1);
    EXPECT_EQ(segmentText(layoutOf(*chain), 1).parts[0], L"ca. 4,00");

    // An option it reads: the sum follows the global flag while the chain's status is 0.
    chain->SetParamInt(IND_I_SumStatus, 0);
    pGlobDimOptions->SetOptFlag(IND_OPT_B_ShowSumOfDim, 0);
    EXPECT_EQ(layoutOf(*chain).TextWithMarker(3 * 3 + 1), nullptr);
    pGlobDimOptions->SetOptFlag(IND_OPT_B_ShowSumOfDim, 1);
    const LaidText* sum = layoutOf(*chain).TextWithMarker(3 * 3 + 1);
    ASSERT_NE(sum, nullptr) << "the sum appears";
    EXPECT_EQ(sum->parts[0], L"10,00");
    // A size of the chain options: the tick size in paper millimetres.
    std::vector<double>& sizes = pGlobDimOptions->GetOptionSet(OPT_MODE_CHAIN).arrayOptDouble;
    sizes[IND_D_TickSize] = 3.0;
    EXPECT_NEAR(layoutOf(*chain).tick, 0.3, kGeomTol);
    sizes[IND_D_TickSize] = 4.0;
    EXPECT_NEAR(layoutOf(*chain).tick, 0.4, kGeomTol);

    // The annotation scale of a chain drawn at the annotative scale.
    chain->SetParamString(IND_S_Scale, LoadStr(IDS_ANNO_SCALE));
    AcDbAnnotationScale fifty(L"1:50", 1.0, 50.0);
    AcDbAnnotationScale hundred(L"1:100", 1.0, 100.0);
    ASSERT_EQ(m_db->setCannoscale(&fifty), Acad::eOk);
    const double atFifty = layoutOf(*chain).textHeight;
    ASSERT_EQ(m_db->setCannoscale(&hundred), Acad::eOk);
    EXPECT_NEAR(layoutOf(*chain).textHeight, 2.0 * atFifty, kGeomTol);
}

TEST_F(ChainLayoutTest, ATextStyleChangeAndUndoLayTheTextsOutAgain) {
    // A style of the drawing with width factor 1, then 2: the centred text grows to both sides.
    AcDbTextStyleTable* table = nullptr;
    ASSERT_EQ(m_db->getTextStyleTable(table, AcDb::kForWrite), Acad::eOk);
    auto* record = new AcDbTextStyleTableRecord();
    record->setName(L"Breit");
    record->setFileName(L"txt");
    AcDbObjectId styleId;
    ASSERT_EQ(table->add(styleId, record), Acad::eOk);
    record->close();
    table->close();

    auto made = makeChain({P(0, 0), P(4, 0)}, kDimHorizontal, P(0, 2));
    made->SetTextStyleId(styleId);
    const AcDbObjectId id = append(made.release());
    TRdim* chain = nullptr;
    ASSERT_EQ(acdbOpenObject(chain, id, AcDb::kForRead), Acad::eOk);
    const LaidText narrow = segmentText(layoutOf(*chain), 1);
    chain->close();
    ASSERT_FALSE(narrow.parts.empty());

    AcDbTextStyleTableRecord* style = nullptr;
    ASSERT_EQ(acdbOpenObject(style, styleId, AcDb::kForWrite), Acad::eOk);
    ASSERT_EQ(style->setXScale(2.0), Acad::eOk);
    style->close();
    ASSERT_EQ(acdbOpenObject(chain, id, AcDb::kForRead), Acad::eOk);
    const LaidText wide = segmentText(layoutOf(*chain), 1);
    const double w = ChainTextStyle(styleId).Width(narrow.parts[0], kH0);
    chain->close();
    ASSERT_GT(w, 0.0);
    // Twice as wide about the same middle: the start moves back by half the old width.
    EXPECT_POINT_NEAR(wide.points[0], narrow.points[0] - narrow.frame.along * (w / 4.0), kGeomTol);

    // Undo puts the chain's record back; its layout goes with it.
    host::beginUndoGroup(m_db.get());
    ASSERT_EQ(acdbOpenObject(chain, id, AcDb::kForWrite), Acad::eOk);
    ASSERT_EQ(chain->SetDimTextSuffix(1, L"m"), 1);
    EXPECT_EQ(segmentText(layoutOf(*chain), 1).parts[0], L"4,00 m");
    chain->close();
    host::endUndoGroup(m_db.get());
    ASSERT_EQ(host::undoLastGroup(m_db.get()), Acad::eOk);
    ASSERT_EQ(acdbOpenObject(chain, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(segmentText(layoutOf(*chain), 1).parts[0], L"4,00");
    chain->close();
}

} // namespace

TEST_F(ChainLayoutTest, ALayoutGivenUpForRoomIsWorkedOutAgainTheSame) {
    auto a = makeChain({P(0, 0), P(1.25, 0), P(4, 0), P(4.5, 0)}, kDimHorizontal, P(0, 2));
    auto b = makeChain({P(0, 10), P(3, 10)}, kDimHorizontal, P(0, 12));
    const std::size_t before = KeptLayouts::KeptBytes();
    const ChainLayout& firstA = layoutOf(*a);
    const std::size_t bytesA = KeptLayouts::Bytes(firstA);
    EXPECT_GT(bytesA, sizeof(ChainLayout));
    EXPECT_EQ(KeptLayouts::KeptBytes(), before + bytesA);
    std::vector<std::vector<std::wstring>> parts;
    std::vector<AcGePoint3d> points;
    for (const LaidText& text : firstA.texts) {
        parts.push_back(text.parts);
        for (int p = 0; p < text.points.length(); ++p)
            points.push_back(text.points[p]);
    }
    ASSERT_GE(parts.size(), 3u) << "three segments, and the sum when it is shown";

    // b takes all the room there is: a gives its layout up.
    layoutOf(*b);
    KeptLayouts::Kept(b.get(), KeptLayouts::kMaxBytes);
    EXPECT_EQ(KeptLayouts::KeptBytes(), KeptLayouts::kMaxBytes) << "only b's is left";

    // Drawn again, a works out the same texts at the same points; they do not fit
    // beside b's, so b gives its up now.
    const ChainLayout& againA = layoutOf(*a);
    EXPECT_EQ(KeptLayouts::KeptBytes(), before + bytesA);
    ASSERT_EQ(againA.texts.size(), parts.size());
    size_t at = 0;
    for (size_t t = 0; t < againA.texts.size(); ++t) {
        EXPECT_EQ(againA.texts[t].parts, parts[t]) << "text " << t;
        for (int p = 0; p < againA.texts[t].points.length(); ++p, ++at) {
            ASSERT_LT(at, points.size());
            EXPECT_POINT_NEAR(againA.texts[t].points[p], points[at], kGeomTol);
        }
    }
    EXPECT_EQ(at, points.size());

    // A deleted chain gives its room back.
    b.reset();
    EXPECT_EQ(KeptLayouts::KeptBytes(), before + bytesA);
    EXPECT_EQ(&layoutOf(*a), &againA) << "kept: nothing changed";
    a.reset();
    EXPECT_EQ(KeptLayouts::KeptBytes(), before);
}
