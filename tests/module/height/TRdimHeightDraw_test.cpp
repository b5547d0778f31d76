// Each type of height mark draws its symbol and texts; explode leaves the same geometry
// as plain entities; a drawing of marks goes through the renderer.
#include "tests/module/height/HeightTestEnv.h"

#include "host/db/entities/AcDbCircle.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/entities/AcDbSolid.h"
#include "host/db/entities/AcDbText.h"
#include "host/db/database/DatabaseClasses.h"
#include "host/gi/RecordingWorldDraw.h"
#include "host/io/DrawingFile.h"
#include "host/render/DatabasePicture.h"
#include "host/rx/acutString.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>

using namespace heighttest;
using host::gi::GiPrimitive;
using host::gi::GiRecording;
using host::gi::RecordingWorldDraw;

namespace {

class HostClasses : public ::testing::Environment {
public:
    void SetUp() override { host::registerDatabaseClasses(); }
};
[[maybe_unused]] ::testing::Environment* const kHostClasses = ::testing::AddGlobalTestEnvironment(new HostClasses);

// The triangle's side corners: the symbol size over cos 30 degrees, at 60 and 120 degrees.
const double kCorner = kSymbol / 0.8660254;
const double kCornerX = kCorner * 0.5;
const double kCornerY = kCorner * 0.8660254037844386;
// A plan symbol: radius 3 mm, crossing lines 1 mm beyond it, at 1:100 in metres.
constexpr double kPlanRadius = 0.3;
constexpr double kPlanReach = 0.4;

GiRecording Draw(TRdimHeight& mark) {
    RecordingWorldDraw wd;
    wd.drawDrawable(&mark);
    return wd.takePrimitives();
}

std::vector<const GiPrimitive*> Select(const GiRecording& rec, GiPrimitive::Kind kind, LONG_PTR marker = -1) {
    std::vector<const GiPrimitive*> out;
    for (const GiPrimitive& p : rec)
        if (p.kind == kind && (marker < 0 || p.traits.marker == marker)) out.push_back(&p);
    return out;
}

std::vector<std::wstring> Texts(const GiRecording& rec) {
    std::vector<std::wstring> out;
    for (const GiPrimitive* p : Select(rec, GiPrimitive::Text))
        out.push_back(p->text);
    return out;
}

} // namespace

TEST_F(HeightTest, SectionTypesDrawTheirTrianglesAndValue) {
    const AcGePoint3d at(2, 1, 0);
    for (int type = 1; type <= 6; ++type) {
        SCOPED_TRACE(type);
        auto mark = makeMark(false, type, at, 1.25);
        const GiRecording rec = Draw(*mark);
        const auto polygons = Select(rec, GiPrimitive::Polygon, 1);
        ASSERT_EQ(polygons.size(), type % 3 == 0 ? 2u : 1u);
        const GiPrimitive& tri = *polygons[0];
        ASSERT_EQ(tri.points.size(), 3u);
        const double sign = type >= 4 ? -1.0 : 1.0; // tip up: the corners below
        EXPECT_POINT_NEAR(tri.points[0], at, kGeomTol);
        EXPECT_POINT_NEAR(tri.points[1], at + sign * AcGeVector3d(kCornerX, kCornerY, 0), kGeomTol);
        EXPECT_POINT_NEAR(tri.points[2], at + sign * AcGeVector3d(-kCornerX, kCornerY, 0), kGeomTol);
        EXPECT_EQ(tri.isFilled(), type == 2 || type == 5);
        if (type % 3 == 0) {
            const GiPrimitive& half = *polygons[1];
            EXPECT_TRUE(half.isFilled());
            EXPECT_POINT_NEAR(half.points[2], at + sign * AcGeVector3d(0, kCornerY, 0), kGeomTol);
        }
        EXPECT_NEAR(mark->GetSymbolSize(), kSymbol, kGeomTol);
        // The value with its sign, and "!!!" for a mark without its group base.
        const auto texts = Select(rec, GiPrimitive::Text, 2);
        ASSERT_EQ(texts.size(), 2u);
        EXPECT_EQ(texts[0]->text, L"+1,25");
        EXPECT_NEAR(texts[0]->height(), kText, kGeomTol);
        EXPECT_POINT_NEAR(texts[0]->position, mark->GetPoint(kHPointText1), kGeomTol);
        EXPECT_EQ(texts[1]->text, L"!!!");
        // "Rechts": the text starts beside the triangle's upper corner, beyond the
        // symbol away from the tip (above a tip pointing down, below one pointing up).
        const AcGeVector3d offset = texts[0]->position - at;
        EXPECT_NEAR(offset.x, kSymbol / 1.7320508, kGeomTol);
        if (type >= 4)
            EXPECT_LT(offset.y, -kSymbol);
        else
            EXPECT_GT(offset.y, kSymbol);
    }
}

TEST_F(HeightTest, PlanTypesDrawCrossAndCircleOrATriangle) {
    const AcGePoint3d at(-3, 4, 0);
    for (int type = 1; type <= 4; ++type) {
        SCOPED_TRACE(type);
        auto mark = makeMark(true, type, at, 1.25);
        const GiRecording rec = Draw(*mark);
        EXPECT_EQ(Texts(rec), std::vector<std::wstring>{L"1,25"});
        if (type >= 3) {
            // Drawn as section types 1 and 2, tip down.
            const auto polygons = Select(rec, GiPrimitive::Polygon, 1);
            ASSERT_EQ(polygons.size(), 1u);
            EXPECT_EQ(polygons[0]->isFilled(), type == 4);
            EXPECT_POINT_NEAR(polygons[0]->points[1], at + AcGeVector3d(kCornerX, kCornerY, 0), kGeomTol);
            EXPECT_TRUE(Select(rec, GiPrimitive::Circle).empty());
            continue;
        }
        const auto lines = Select(rec, GiPrimitive::Polyline, 1);
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_POINT_NEAR(lines[0]->points[0], at - AcGeVector3d(kPlanReach, 0, 0), kGeomTol);
        EXPECT_POINT_NEAR(lines[0]->points[1], at + AcGeVector3d(kPlanReach, 0, 0), kGeomTol);
        EXPECT_POINT_NEAR(lines[1]->points[0], at - AcGeVector3d(0, kPlanReach, 0), kGeomTol);
        EXPECT_POINT_NEAR(lines[1]->points[1], at + AcGeVector3d(0, kPlanReach, 0), kGeomTol);
        const auto circles = Select(rec, GiPrimitive::Circle, 1);
        ASSERT_EQ(circles.size(), 1u);
        EXPECT_NEAR(circles[0]->radius, kPlanRadius, kGeomTol);
        EXPECT_POINT_NEAR(circles[0]->center, at, kGeomTol);
        const auto sectors = Select(rec, GiPrimitive::Polygon, 1);
        ASSERT_EQ(sectors.size(), type == 2 ? 2u : 0u);
        for (const GiPrimitive* s : sectors) {
            EXPECT_TRUE(s->isFilled());
            EXPECT_POINT_NEAR(s->points.front(), at, kGeomTol);
            for (size_t i = 1; i < s->points.size(); ++i)
                EXPECT_NEAR(s->points[i].distanceTo(at), kPlanRadius, kGeomTol);
        }
        if (type == 2) {
            // Opposite quarters: the second starts half a turn after the first.
            const AcGeVector3d a = sectors[0]->points[1] - at, b = sectors[1]->points[1] - at;
            EXPECT_NEAR(a.angleTo(b), M_PI, kGeomTol);
        }
    }
}

TEST_F(HeightTest, GroupBaseShowsOnlyWithInputPointsAndReducedSizeIsRepaired) {
    auto base = makeMark(false, 1, AcGePoint3d(0, 0, 0), 0.0);
    base->SetRole(kHeightRoleBase);
    pGlobDimOptions->SetOptFlag(IND_OPT_B_ShowInputPoints, 0);
    EXPECT_TRUE(Draw(*base).empty());
    pGlobDimOptions->SetOptFlag(IND_OPT_B_ShowInputPoints, 1);
    pGlobDimOptions->SetOptFlag(IND_OPT_B_ShowBaseHDAsXline, 0);
    GiRecording rec = Draw(*base);
    const auto circles = Select(rec, GiPrimitive::Circle, 1);
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_NEAR(circles[0]->radius, kSymbol * 0.5, kGeomTol);
    EXPECT_TRUE(Texts(rec).empty());
    EXPECT_TRUE(Select(rec, GiPrimitive::Polygon).empty());
    pGlobDimOptions->SetOptFlag(IND_OPT_B_ShowBaseHDAsXline, 1);
    rec = Draw(*base);
    EXPECT_EQ(Select(rec, GiPrimitive::Xline).size(), 1u);
    EXPECT_TRUE(Select(rec, GiPrimitive::Circle).empty());
    pGlobDimOptions->SetOptFlag(IND_OPT_B_ShowInputPoints, 0);

    auto reduced = makeMark(false, 1, AcGePoint3d(0, 0, 0), 0.0);
    reduced->SetParamInt(IND_I_HIsReducedSize, 1);
    reduced->SetParamDouble(IND_D_HDimReducedSize, 0.0);
    rec = Draw(*reduced);
    EXPECT_EQ(reduced->GetParamDouble(IND_D_HDimReducedSize), 60.0);
    EXPECT_NEAR(reduced->GetSymbolSize(), kSymbol * 0.6, kGeomTol);
    const auto tri = Select(rec, GiPrimitive::Polygon, 1);
    ASSERT_EQ(tri.size(), 1u);
    EXPECT_NEAR(tri[0]->points[1].y, 0.6 * kCornerY, kGeomTol);
    EXPECT_EQ(Texts(rec)[0], L"\u00B10,00");
}

TEST_F(HeightTest, TwoRowsUnderlinesAndOddValuesDrawWithoutHarm) {
    auto mark = makeMark(false, 1, AcGePoint3d(0, 0, 0), 2.5);
    mark->SetHeight(2, -0.75);
    mark->SetRowState(2, 1);
    mark->SetText(2, L"UK");
    mark->SetParamInt(IND_I_HDimTextUnderline, 1);
    mark->InitPointText();
    GiRecording rec = Draw(*mark);
    const auto texts = Texts(rec);
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0], L"+2,50");
    EXPECT_EQ(texts[2], L"UK -0,75");
    // Each row is underlined on its base line, reaching across from the symbol.
    const auto lines = Select(rec, GiPrimitive::Polyline, 2);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NEAR(lines[0]->points[0].y, mark->GetPoint(kHPointText1).y, kGeomTol);
    EXPECT_NEAR(std::min(lines[0]->points[0].x, lines[0]->points[1].x), 0.0, kGeomTol);
    EXPECT_GT(mark->GetPoint(kHPointText1).y - mark->GetPoint(kHPointText2).y, kText);
    // A zero scale and unit factor are repaired and kept; an unknown type draws as type 1.
    mark->SetParamDouble(IND_D_ScaleVal, 0.0);
    mark->SetParamDouble(IND_D_AcadUnits, 0.0);
    mark->SetType(77);
    rec = Draw(*mark);
    EXPECT_EQ(mark->GetParamDouble(IND_D_ScaleVal), 0.01);
    EXPECT_EQ(mark->GetParamDouble(IND_D_AcadUnits), 0.001);
    EXPECT_EQ(Select(rec, GiPrimitive::Polygon, 1).size(), 1u);
    // Without parameters nothing is drawn.
    TRdimHeight empty;
    EXPECT_TRUE(Draw(empty).empty());
}

TEST_F(HeightTest, ExplodeLeavesTheDrawnGeometryAsEntities) {
    auto section = makeMark(false, 2, AcGePoint3d(1, 1, 0), 1.25);
    section->SetParamInt(IND_I_ExtLine, 1);
    section->SetPoint(kHPointExt1, AcGePoint3d(1, -2, 0));
    section->SetPoint(kHPointExt2, AcGePoint3d(1, 1, 0));
    AcDbVoidPtrArray parts;
    ASSERT_EQ(section->explode(parts), Acad::eOk);
    int lines = 0, solids = 0, texts = 0, other = 0;
    for (void* p : parts) {
        auto* ent = static_cast<AcDbEntity*>(p);
        if (AcDbLine::cast(ent))
            ++lines;
        else if (AcDbSolid::cast(ent))
            ++solids;
        else if (auto* t = AcDbText::cast(ent)) {
            ++texts;
            // The host hands out a copy of the text, which the caller frees.
            wchar_t* text = t->textString();
            if (texts == 1) EXPECT_STREQ(text, L"+1,25");
            acutDelString(text);
        } else
            ++other;
        delete ent;
    }
    EXPECT_EQ(lines, 1);  // the extension line
    EXPECT_EQ(solids, 1); // the filled triangle
    EXPECT_EQ(texts, 2);  // the value and "!!!"
    EXPECT_EQ(other, 0);

    auto plan = makeMark(true, 1, AcGePoint3d(0, 0, 0), 1.0);
    AcDbVoidPtrArray planParts;
    ASSERT_EQ(plan->explode(planParts), Acad::eOk);
    int circles = 0;
    for (void* p : planParts) {
        auto* ent = static_cast<AcDbEntity*>(p);
        if (auto* c = AcDbCircle::cast(ent)) {
            ++circles;
            EXPECT_NEAR(c->radius(), kPlanRadius, kGeomTol);
        }
        delete ent;
    }
    EXPECT_EQ(circles, 1);
    EXPECT_EQ(planParts.length(), 4); // two lines, the circle, the value
}

TEST_F(HeightTest, ADrawingOfMarksIsSavedReadAndRendered) {
    for (int type = 1; type <= 6; ++type)
        ASSERT_FALSE(append(makeMark(false, type, AcGePoint3d(2.0 * type, 0, 0), 0.5 * type).release()).isNull());
    for (int type = 1; type <= 4; ++type)
        ASSERT_FALSE(append(makeMark(true, type, AcGePoint3d(2.0 * type, 5, 0), type).release()).isNull());
    // Saved and opened again, as `lintaro render` opens a drawing; kept where
    // LINTARO_HEIGHT_DWG says, for `lintaro render` or a person to look at.
    const char* keep = std::getenv("LINTARO_HEIGHT_DWG");
    const std::filesystem::path dwg =
        keep ? std::filesystem::path(keep) : std::filesystem::temp_directory_path() / "lintaro-height-marks.dwg";
    std::wstring error;
    ASSERT_TRUE(host::io::saveDrawingFile(m_db.get(), dwg.wstring(), false, error));
    host::io::DrawingReadReport report;
    const std::unique_ptr<AcDbDatabase> reopenedDb = host::io::readDrawingFile(dwg.wstring(), report);
    ASSERT_NE(reopenedDb, nullptr);
    AcDbDatabase& reopened = *reopenedDb;
    GiRecording picture;
    ASSERT_TRUE(host::render::recordModelSpace(&reopened, picture, error));
    // Every mark its value, the section marks without group base their "!!!" too.
    EXPECT_EQ(Select(picture, GiPrimitive::Text).size(), 6u * 2 + 4u);
    EXPECT_EQ(Select(picture, GiPrimitive::Circle).size(), 2u);
    const std::filesystem::path png = std::filesystem::temp_directory_path() / "lintaro-height-marks.png";
    host::render::RenderOptions options;
    options.widthPx = 800;
    ASSERT_TRUE(host::render::renderDatabaseToFile(&reopened, png.wstring(), options, error))
        << std::string(error.begin(), error.end());
    EXPECT_GT(std::filesystem::file_size(png), 1000u);
}
