// What a chain draws: its lines, ticks, texts and markers as the recording world draw
// keeps them, the options that add to it, explode, segment marks and a picture of a plan.
// Sizes at 1:100 in metres: tick T = 0.4, beyond the dimension line e = 0.2, beyond the
// outer ticks t = 0.2, text height 0.5, gap 0.25.
#include "tests/module/chain/TRdimTestEnv.h"

#include "host/db/entities/AcDbLine.h"
#include "host/db/entities/AcDbPolyline.h"
#include "host/db/entities/AcDbSolid.h"
#include "host/db/entities/AcDbText.h"
#include "host/db/database/DatabaseClasses.h"
#include "host/db/database/acutResbuf.h"
#include "host/gi/RecordingWorldDraw.h"
#include "host/render/DatabasePicture.h"
#include "module/chain/TRdimLayout.h"

#include <cmath>
#include <filesystem>
#include <map>

using host::gi::GiPrimitive;
using host::gi::GiRecording;
using host::gi::RecordingWorldDraw;
using namespace chaintest;

namespace {

// The host has its database classes before it loads a module, so the chain's class finds
// its parent AcDbEntity; this test program starts the same way.
class HostClasses : public ::testing::Environment {
public:
    void SetUp() override { host::registerDatabaseClasses(); }
};
[[maybe_unused]] ::testing::Environment* const kHostClasses =
    ::testing::AddGlobalTestEnvironment(new HostClasses);

constexpr double kT = 0.4;
constexpr double kE = 0.2;
constexpr double kH0 = 0.5;
constexpr double kSupH = 0.4;
constexpr double kGapO = 0.25;

std::vector<const GiPrimitive*> Select(const GiRecording& rec, LONG_PTR marker, GiPrimitive::Kind kind) {
    std::vector<const GiPrimitive*> out;
    for (const GiPrimitive& p : rec)
        if (p.traits.marker == marker && p.kind == kind) out.push_back(&p);
    return out;
}

size_t Count(const GiRecording& rec, GiPrimitive::Kind kind) {
    size_t n = 0;
    for (const GiPrimitive& p : rec)
        n += p.kind == kind;
    return n;
}

class DrawTest : public ChainTest {
protected:
    // Four extensions at x = 0, 4, 7, 12 on y = 0; dimension line at y = 2, extension
    // lines of fixed length 1 starting at y = 1.
    // Oblique ticks, as the palette sets them (the options leave the tick code 0).
    std::unique_ptr<TRdim> fourExtensions() {
        auto chain =
            makeChain({{0, 0, 0}, {4, 0, 0}, {7, 0, 0}, {12, 0, 0}}, kDimHorizontal, AcGePoint3d(0, 2, 0));
        chain->SetTickSymbol(-1, kTickOblique);
        return chain;
    }

    static GiRecording draw(TRdim& chain, bool plotting = false) {
        RecordingWorldDraw wd;
        wd.setPlotGeneration(plotting);
        wd.drawDrawable(&chain);
        return wd.takePrimitives();
    }
};

} // namespace

TEST_F(DrawTest, FourExtensionsDrawExactlyTheirLinesTicksTextsAndMarkers) {
    auto chain = fourExtensions();
    const GiRecording rec = draw(*chain);
    EXPECT_EQ(Count(rec, GiPrimitive::Polyline), 11u); // 4 extension lines, 3 dimension lines, 4 ticks
    EXPECT_EQ(Count(rec, GiPrimitive::Text), 3u);
    EXPECT_EQ(rec.size(), 14u);
    const double xs[4] = {0, 4, 7, 12};
    for (int i = 0; i < 4; ++i) {
        const auto lines = Select(rec, 3 * i + 2, GiPrimitive::Polyline);
        ASSERT_EQ(lines.size(), 2u) << "extension " << i;
        // The extension line from its start to e beyond the dimension line ...
        EXPECT_POINT_NEAR(lines[0]->points[0], AcGePoint3d(xs[i], 1, 0), kGeomTol);
        EXPECT_POINT_NEAR(lines[0]->points[1], AcGePoint3d(xs[i], 2 + kE, 0), kGeomTol);
        // ... and the oblique tick through the dimension point at 45 degrees.
        EXPECT_POINT_NEAR(lines[1]->points[0], AcGePoint3d(xs[i] - kT / 2, 2 - kT / 2, 0), kGeomTol);
        EXPECT_POINT_NEAR(lines[1]->points[1], AcGePoint3d(xs[i] + kT / 2, 2 + kT / 2, 0), kGeomTol);
        const auto dim = Select(rec, 3 * i + 3, GiPrimitive::Polyline);
        ASSERT_EQ(dim.size(), i == 0 ? 0u : 1u) << "dimension line to " << i;
        if (i == 0) continue;
        // The outer segments run t past the outer ticks.
        EXPECT_POINT_NEAR(dim[0]->points[0], AcGePoint3d(xs[i - 1] - (i == 1 ? 0.2 : 0), 2, 0), kGeomTol);
        EXPECT_POINT_NEAR(dim[0]->points[1], AcGePoint3d(xs[i] + (i == 3 ? 0.2 : 0), 2, 0), kGeomTol);
        const auto texts = Select(rec, 3 * i + 1, GiPrimitive::Text);
        ASSERT_EQ(texts.size(), 1u) << "text of segment " << i;
        EXPECT_NEAR(texts[0]->position.y, 2 + kGapO, kGeomTol);
        EXPECT_NEAR(texts[0]->height(), kH0, kGeomTol);
        EXPECT_EQ(texts[0]->traits.colorIndex, 4); // text height 50 maps to colour 4
    }
    EXPECT_EQ(Select(rec, 4, GiPrimitive::Text)[0]->text, L"4,00");
    EXPECT_EQ(Select(rec, 7, GiPrimitive::Text)[0]->text, L"3,00");
    EXPECT_EQ(Select(rec, 10, GiPrimitive::Text)[0]->text, L"5,00");
    for (const GiPrimitive& p : rec)
        if (p.kind == GiPrimitive::Polyline) EXPECT_EQ(p.traits.colorIndex, chain->colorIndex());
}

TEST_F(DrawTest, HiddenExtensionLinesSumLeadersAndInputPoints) {
    auto chain = fourExtensions();
    chain->SetExtHidden(2, true);
    GiRecording rec = draw(*chain);
    // Extension 2 keeps its tick and its dimension line, only its extension line goes.
    ASSERT_EQ(Select(rec, 8, GiPrimitive::Polyline).size(), 1u);
    EXPECT_POINT_NEAR(Select(rec, 8, GiPrimitive::Polyline)[0]->points[0],
                      AcGePoint3d(7 - kT / 2, 2 - kT / 2, 0), kGeomTol);
    EXPECT_EQ(Select(rec, 9, GiPrimitive::Polyline).size(), 1u);

    // The sum: the whole length after the chain, framed by four lines h0/5 off its box.
    chain->SetParamInt(IND_I_SumStatus, 1);
    rec = draw(*chain);
    const auto sum = Select(rec, 13, GiPrimitive::Text);
    ASSERT_EQ(sum.size(), 1u);
    EXPECT_EQ(sum[0]->text, L"12,00");
    EXPECT_NEAR(sum[0]->position.x, 12 + kGapO, kGeomTol); // starts after the last dimension point
    const auto frame = Select(rec, 13, GiPrimitive::Polyline);
    ASSERT_EQ(frame.size(), 4u);
    const auto box = chain->TextBox(4, kH0 / 5);
    EXPECT_POINT_NEAR(frame[0]->points[0], box[0], kGeomTol);
    EXPECT_POINT_NEAR(box[0], AcGePoint3d(12 + kGapO - kH0 / 5, 2 + kGapO - kH0 / 5, 0), kGeomTol);
    auto two = makeChain({{0, 0, 0}, {4, 0, 0}}, kDimHorizontal, AcGePoint3d(0, 2, 0));
    two->SetParamInt(IND_I_SumStatus, 1);
    EXPECT_TRUE(Select(draw(*two), 7, GiPrimitive::Text).empty()); // a single segment has no sum

    // Leaders: wanted on segment 2, drawn once its text is moved or raised.
    pGlobDimOptions->SetOptFlag(IND_OPT_B_LeadersShow, 1);
    chain->SetExtLeader(2, true);
    EXPECT_TRUE(Select(draw(*chain), 7, GiPrimitive::Polyline).empty());
    chain->SetPointText(2, AcGePoint3d(5.5, 4, 0), false);
    rec = draw(*chain);
    auto leader = Select(rec, 7, GiPrimitive::Polyline);
    ASSERT_EQ(leader.size(), 1u); // above its segment: straight down to the line
    EXPECT_NEAR(leader[0]->points[1].y, 2, kGeomTol);
    EXPECT_NEAR(leader[0]->points[0].x, leader[0]->points[1].x, kGeomTol);
    EXPECT_NEAR(leader[0]->points[0].y, 4 - kH0 / 5, kGeomTol);
    chain->SetPointText(2, AcGePoint3d(10, 4, 0), false);
    rec = draw(*chain);
    leader = Select(rec, 7, GiPrimitive::Polyline);
    ASSERT_EQ(leader.size(), 2u); // beside it: along the text's foot, then to the segment's middle
    EXPECT_POINT_NEAR(leader[1]->points[1], AcGePoint3d(5.5, 2, 0), kGeomTol);
    EXPECT_NEAR(leader[0]->points[0].y, 4 - kH0 / 5, kGeomTol);
    chain->SetDimTextPos(2, 7);
    chain->CenterText(2);
    EXPECT_EQ(Select(draw(*chain), 7, GiPrimitive::Polyline).size(), 1u); // raised row

    // Input points get a small cross each (two lines of half size T/5).
    pGlobDimOptions->SetOptFlag(IND_OPT_B_ShowInputPoints, 1);
    rec = draw(*chain);
    const auto marks = Select(rec, 2, GiPrimitive::Polyline);
    ASSERT_EQ(marks.size(), 4u); // extension line, tick, two cross lines
    EXPECT_NEAR(marks[2]->points[0].distanceTo(marks[2]->points[1]), 2 * kT / 5, kGeomTol);
    EXPECT_POINT_NEAR(marks[2]->points[0] + (marks[2]->points[1] - marks[2]->points[0]) * 0.5,
                      AcGePoint3d(0, 0, 0), kGeomTol);
}

TEST_F(DrawTest, EveryTickSymbolAndTheOuterDimensionLine) {
    auto chain = fourExtensions();
    const double xs[4] = {0, 4, 7, 12};
    chain->SetTickSymbol(-1, kTickDot);
    GiRecording rec = draw(*chain);
    for (int i = 0; i < 4; ++i) {
        const auto dots = Select(rec, 3 * i + 2, GiPrimitive::Circle);
        ASSERT_EQ(dots.size(), 1u);
        EXPECT_TRUE(dots[0]->isFilled());
        EXPECT_NEAR(dots[0]->radius, kT / 4, kGeomTol);
        EXPECT_POINT_NEAR(dots[0]->center, AcGePoint3d(xs[i], 2, 0), kGeomTol);
    }
    chain->SetTickSymbol(-1, kTickCircle);
    rec = draw(*chain);
    EXPECT_EQ(Count(rec, GiPrimitive::Circle), 4u);
    EXPECT_FALSE(Select(rec, 5, GiPrimitive::Circle)[0]->isFilled());

    // Arrows point outwards from each segment; the line ends at the outer arrows' tips.
    chain->SetTickSymbol(-1, kTickArrow);
    rec = draw(*chain);
    EXPECT_EQ(Count(rec, GiPrimitive::Polygon), 6u);
    const auto first = Select(rec, 2, GiPrimitive::Polygon);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_TRUE(first[0]->isFilled());
    EXPECT_POINT_NEAR(first[0]->points[0], AcGePoint3d(0, 2, 0), kGeomTol);
    EXPECT_POINT_NEAR(first[0]->points[1], AcGePoint3d(kT, 2 + kT / 5, 0), kGeomTol);
    const auto middle = Select(rec, 5, GiPrimitive::Polygon);
    ASSERT_EQ(middle.size(), 2u);
    EXPECT_NEAR(middle[1]->points[1].x, 4 - kT, kGeomTol);
    EXPECT_POINT_NEAR(Select(rec, 6, GiPrimitive::Polyline)[0]->points[0], AcGePoint3d(0, 2, 0), kGeomTol);
    EXPECT_POINT_NEAR(Select(rec, 12, GiPrimitive::Polyline)[0]->points[1], AcGePoint3d(12, 2, 0), kGeomTol);

    // An arrow only at the last extension: the start still runs t past its oblique tick.
    chain->SetTickSymbol(-1, kTickOblique);
    chain->SetTickSymbol(3, kTickArrow);
    rec = draw(*chain);
    EXPECT_EQ(Count(rec, GiPrimitive::Polygon), 1u);
    EXPECT_POINT_NEAR(Select(rec, 6, GiPrimitive::Polyline)[0]->points[0], AcGePoint3d(-0.2, 2, 0), kGeomTol);
    EXPECT_POINT_NEAR(Select(rec, 12, GiPrimitive::Polyline)[0]->points[1], AcGePoint3d(12, 2, 0), kGeomTol);

    chain->SetTickSymbol(-1, kTickCross);
    rec = draw(*chain);
    const auto cross = Select(rec, 5, GiPrimitive::Polyline);
    ASSERT_EQ(cross.size(), 3u); // extension line and two cross lines
    EXPECT_NEAR(cross[1]->points[0].distanceTo(cross[1]->points[1]), kT, kGeomTol);
    EXPECT_NEAR(std::fabs(cross[1]->points[1].x - cross[1]->points[0].x),
                std::fabs(cross[1]->points[1].y - cross[1]->points[0].y), kGeomTol);

    chain->SetTickSymbol(-1, kTickNone);
    rec = draw(*chain);
    EXPECT_EQ(Count(rec, GiPrimitive::Polyline), 7u);
    EXPECT_POINT_NEAR(Select(rec, 6, GiPrimitive::Polyline)[0]->points[0], AcGePoint3d(-0.2, 2, 0), kGeomTol);
}

TEST_F(DrawTest, MasksManualValuesAndTheMaskFlagComesBack) {
    auto chain = fourExtensions();
    chain->SetParamInt(IND_I_WipeOutStatus, 1);
    pGlobDimOptions->m_backgroundColor = OptRgbColor{33, 40, 48};
    AppendingText rec;
    rec.m_strText = L"RH 2,50";
    chain->SetAppendingText(1, &rec);
    chain->SetParamInt(IND_I_SumStatus, 1);
    GiRecording drawn = draw(*chain);
    EXPECT_EQ(pGlobDimOptions->GetOptFlag(IND_OPT_B_WipeOut), 0); // the global flag is restored
    size_t texts = 0;
    for (size_t i = 0; i < drawn.size(); ++i) {
        if (drawn[i].kind != GiPrimitive::Text) continue;
        ++texts;
        ASSERT_GE(i, 1u);
        const GiPrimitive& mask = drawn[i - 1];
        ASSERT_EQ(mask.kind, GiPrimitive::Polygon)
            << "no mask before " << std::string(drawn[i].text.begin(), drawn[i].text.end());
        EXPECT_TRUE(mask.isFilled());
        EXPECT_EQ(mask.traits.trueColor, AcGiColor(33, 40, 48));
        const double m = drawn[i].height() / 15;
        EXPECT_POINT_NEAR(mask.points[0], drawn[i].position - AcGeVector3d(m, m, 0), kGeomTol);
        EXPECT_NEAR(mask.points[3].y - mask.points[0].y, drawn[i].height() + 2 * m, kGeomTol);
    }
    EXPECT_EQ(texts, 5u); // three segments, the appended text and the sum
    // On paper every mask is white.
    for (const GiPrimitive& p : draw(*chain, true))
        if (p.kind == GiPrimitive::Polygon) EXPECT_EQ(p.traits.trueColor, AcGiColor(255, 255, 255));

    // A manual value out of tolerance is marked by a line over its text, h0/3 above its box.
    chain->SetParamInt(IND_I_WipeOutStatus, 2);
    chain->SetDimTextUser(2, L"3.5");
    drawn = draw(*chain);
    const auto mark = Select(drawn, 7, GiPrimitive::Polyline);
    ASSERT_EQ(mark.size(), 1u);
    const auto box = chain->TextBox(2, kH0 / 3);
    EXPECT_POINT_NEAR(mark[0]->points[0], box[3], kGeomTol);
    EXPECT_POINT_NEAR(mark[0]->points[1], box[2], kGeomTol);
    EXPECT_EQ(Select(drawn, 7, GiPrimitive::Text)[0]->text, L"3,50");
}

TEST_F(DrawTest, ExplodeGivesTheRecordedGeometryOnTheChainsLayer) {
    auto chain = fourExtensions();
    chain->SetParamInt(IND_I_SumStatus, 1);
    chain->SetTickSymbol(0, kTickArrow);
    const GiRecording rec = draw(*chain);
    AcDbVoidPtrArray set;
    ASSERT_EQ(chain->explode(set), Acad::eOk);
    std::vector<AcDbLine*> lines;
    std::vector<AcDbText*> texts;
    int solids = 0;
    for (void* p : set) {
        auto* obj = static_cast<AcRxObject*>(p);
        if (AcDbLine* l = AcDbLine::cast(obj)) lines.push_back(l);
        if (AcDbText* t = AcDbText::cast(obj)) texts.push_back(t);
        if (AcDbSolid::cast(obj)) ++solids;
        EXPECT_EQ(static_cast<AcDbEntity*>(p)->layerId(), chain->layerId());
    }
    EXPECT_EQ(static_cast<int>(set.length()), static_cast<int>(rec.size()));
    EXPECT_EQ(solids, 1);
    ASSERT_EQ(lines.size(), Count(rec, GiPrimitive::Polyline));
    ASSERT_EQ(texts.size(), Count(rec, GiPrimitive::Text));
    size_t l = 0, t = 0;
    for (const GiPrimitive& p : rec) {
        if (p.kind == GiPrimitive::Polyline) {
            EXPECT_POINT_NEAR(lines[l]->startPoint(), p.points[0], kGeomTol);
            EXPECT_POINT_NEAR(lines[l]->endPoint(), p.points[1], kGeomTol);
            ++l;
        } else if (p.kind == GiPrimitive::Text) {
            EXPECT_POINT_NEAR(texts[t]->position(), p.position, kGeomTol);
            EXPECT_EQ(std::wstring(texts[t]->textStringConst()), p.text);
            EXPECT_NEAR(texts[t]->height(), p.height(), kGeomTol);
            ++t;
        }
    }
    host::deleteEntitySet(set);
}

TEST_F(DrawTest, NothingIsDrawnWithoutOptionsOrWithoutASegment) {
    auto chain = fourExtensions();
    CGlobDimOptions* options = pGlobDimOptions;
    pGlobDimOptions = nullptr;
    EXPECT_TRUE(draw(*chain).empty());
    EXPECT_EQ(chain->drawDimension(nullptr, nullptr), Acad::eInvalidInput);
    pGlobDimOptions = options;
    EXPECT_EQ(chain->drawDimension(nullptr, nullptr), Acad::eOk); // no target: nothing happens
    TRdim empty;
    EXPECT_TRUE(draw(empty).empty());
    RecordingWorldDraw aborted;
    aborted.setRegenAbort(true);
    aborted.drawDrawable(chain.get());
    EXPECT_TRUE(aborted.primitives().empty());
}

TEST_F(DrawTest, SegmentMarksFrameTheTextOrTheSegment) {
    auto* chain = fourExtensions().release();
    const AcDbObjectId id = append(chain);
    ASSERT_FALSE(id.isNull());
    TRdim* open = nullptr;
    ASSERT_EQ(acdbOpenObject(open, id, AcDb::kForWrite), Acad::eOk);
    const auto box = open->TextBox(2, open->PaperToModel(0.6));
    open->SetParamString(IND_S_UTextMarkLayer, L"");
    EXPECT_EQ(open->MarkSegment(2, 1), 1);
    EXPECT_EQ(open->MarkSegment(2, 2), 1);
    EXPECT_EQ(open->MarkSegment(2, 4), 1);
    EXPECT_EQ(open->MarkSegment(9, 1), 0);
    EXPECT_EQ(open->MarkSegment(2, 7), 0);
    open->close();

    AcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(acdbOpenObject(ms, m_db->modelSpaceId(), AcDb::kForRead), Acad::eOk);
    std::vector<AcDbObjectId> polys;
    AcDbBlockTableRecordIterator* it = nullptr;
    ms->newIterator(it);
    for (; it && !it->done(); it->step()) {
        AcDbObjectId eid;
        it->getEntityId(eid);
        if (eid != id) polys.push_back(eid);
    }
    delete it;
    ms->close();
    ASSERT_EQ(polys.size(), 3u);
    AcDbPolyline* frame = nullptr;
    ASSERT_EQ(acdbOpenObject(frame, polys[0], AcDb::kForRead), Acad::eOk);
    ASSERT_EQ(frame->numVerts(), 4u);
    EXPECT_TRUE(frame->isClosed());
    AcGePoint3d v;
    frame->getPointAt(2, v);
    EXPECT_POINT_NEAR(v, box[2], kGeomTol);
    EXPECT_EQ(frame->xData(L"LINTARO_UT_MARK"), nullptr); // a temporary mark carries no record
    frame->close();
    AcDbPolyline* line = nullptr;
    ASSERT_EQ(acdbOpenObject(line, polys[1], AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(line->numVerts(), 2u);
    line->getPointAt(1, v);
    EXPECT_POINT_NEAR(v, AcGePoint3d(7, 2, 0), kGeomTol);
    line->close();
    AcDbPolyline* permanent = nullptr;
    ASSERT_EQ(acdbOpenObject(permanent, polys[2], AcDb::kForRead), Acad::eOk);
    resbuf* xd = permanent->xData(L"LINTARO_UT_MARK");
    ASSERT_NE(xd, nullptr);
    ASSERT_NE(xd->rbnext, nullptr);
    EXPECT_STREQ(xd->rbnext->resval.rstring, L"DIM_MARK");
    acutRelRb(xd);
    permanent->close();
}

TEST_F(DrawTest, APlanOfChainsReadsRightAsAPicture) {
    // A horizontal chain with superscript millimetres, a vertical one and a turned one.
    auto* h = makeChain({{0, 0, 0}, {1.234, 0, 0}, {4.5, 0, 0}, {4.875, 0, 0}, {8, 0, 0}}, kDimHorizontal,
                        AcGePoint3d(0, -2, 0))
                  .release();
    h->SetParamString(IND_S_Measure, L"m/cm");
    h->SetParamInt(IND_I_Decimals, 3);
    h->SetParamInt(IND_I_SumStatus, 1);
    for (int k = 1; k < h->GetExtensions(); ++k)
        h->UpdateDimText(k);
    pGlobDimOptions->SetOptFlag(IND_OPT_B_AutoPosition, 1);
    h->AdjustTexts('A');
    auto* v = makeChain({{0, 0, 0}, {0, 3, 0}, {0, 5.5, 0}}, kDimVertical, AcGePoint3d(-2, 0, 0)).release();
    auto* d = makeChain({{10, 0, 0}, {13, 3, 0}}, kDimAligned, AcGePoint3d(12, -1, 0)).release();
    h->SetTickSymbol(-1, kTickOblique);
    v->SetTickSymbol(-1, kTickDot);
    d->SetTickSymbol(-1, kTickArrow);
    std::vector<AcDbObjectId> ids;
    for (AcDbEntity* e :
         {static_cast<AcDbEntity*>(h), static_cast<AcDbEntity*>(v), static_cast<AcDbEntity*>(d)}) {
        ids.push_back(append(e));
        ASSERT_FALSE(ids.back().isNull());
    }

    // Every value text stands on the side of its dimension line its "up" points to, and
    // every superscript rises 0.66 h0 above the value it follows, at its own height.
    int superscripts = 0;
    for (const AcDbObjectId& id : ids) {
        TRdim* chain = nullptr;
        ASSERT_EQ(acdbOpenObject(chain, id, AcDb::kForRead), Acad::eOk);
        const GiRecording rec = draw(*chain);
        const int n = chain->GetExtensions();
        for (size_t i = 0; i < rec.size(); ++i) {
            const GiPrimitive& p = rec[i];
            const int seg = static_cast<int>(p.traits.marker / 3);
            if (p.kind != GiPrimitive::Text || p.traits.marker % 3 != 1 || seg < 1 || seg >= n) continue;
            const AcGeVector3d up = p.normal.crossProduct(p.direction).normal();
            const double above = (p.position - chain->GetPointDim(seg)).dotProduct(up);
            if (p.height() == kH0) EXPECT_GT(above, 0.0) << "text of segment " << seg << " below its line";
            if (p.height() == kSupH) {
                ++superscripts;
                ASSERT_GE(i, 1u);
                EXPECT_NEAR((p.position - rec[i - 1].position).dotProduct(up), 0.66 * kH0, kGeomTol);
            }
        }
        chain->close();
    }
    EXPECT_GE(superscripts, 3);

    std::wstring error;
    GiRecording plan;
    ASSERT_TRUE(host::render::recordModelSpace(m_db.get(), plan, error));
    EXPECT_GT(plan.size(), 40u);
    // The picture goes to the test's temporary folder, or where LINTARO_CHAIN_PNG says
    // for a person to look at.
    const char* keep = std::getenv("LINTARO_CHAIN_PNG");
    const std::filesystem::path png = keep
                                          ? std::filesystem::path(keep)
                                          : std::filesystem::temp_directory_path() / "lintaro-chain-plan.png";
    host::render::RenderOptions options;
    options.widthPx = 1200;
    ASSERT_TRUE(host::render::renderDatabaseToFile(m_db.get(), png.wstring(), options, error))
        << std::string(error.begin(), error.end());
    EXPECT_GT(std::filesystem::file_size(png), 1000u);
}

TEST_F(DrawTest, OddValuesInAChainDrawWithoutHarm) {
    auto chain = fourExtensions();
    // Codes no grid has, a label without a known digit, an empty label, a text height of
    // zero and a negative tick size: drawn as neutral as they allow, never a crash.
    chain->SetDimTextPos(1, 99);
    chain->SetDimTextPos(2, -77);
    chain->SetParamString(IND_S_DimDescription, L"9Achse");
    GiRecording rec = draw(*chain);
    EXPECT_EQ(Select(rec, 4, GiPrimitive::Text).size(), 1u);
    EXPECT_EQ(Count(rec, GiPrimitive::Text), 3u); // no label for an unknown digit
    EXPECT_POINT_NEAR(chain->DefaultTextPoint(1), chain->DefaultTextPoint(1, 8), kGeomTol);
    chain->SetParamString(IND_S_DimDescription, L"1");
    EXPECT_EQ(Count(draw(*chain), GiPrimitive::Text), 3u);
    pGlobDimOptions->arrayAutoPosOrder = {0, 99, -5, 14};
    pGlobDimOptions->SetOptFlag(IND_OPT_B_AutoPosition, 1);
    chain->AdjustTexts('A');
    for (int k = 1; k < chain->GetExtensions(); ++k) {
        const int code = chain->GetDimTextPos(k, true);
        EXPECT_TRUE(code == 8 || code == 14) << code;
    }
    chain->SetParamDouble(IND_D_TextHeight, 0.0);
    pGlobDimOptions->GetOptionSet(OPT_MODE_CHAIN).arrayOptDouble[IND_D_TickSize] = -4.0;
    rec = draw(*chain);
    EXPECT_FALSE(rec.empty());
    for (const GiPrimitive& p : rec)
        for (const AcGePoint3d& q : p.points)
            EXPECT_TRUE(std::isfinite(q.x) && std::isfinite(q.y)) << p.kind;
    AcDbVoidPtrArray set;
    EXPECT_EQ(chain->explode(set), Acad::eOk);
    host::deleteEntitySet(set);
}
