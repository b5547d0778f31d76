// The shared output primitives: each call gives the same geometry on screen (the
// recording world draw) and as exploded entities.
#include "tests/module/chain/TRdimTestEnv.h"

#include "host/db/entities/AcDbArc.h"
#include "host/db/entities/AcDbCircle.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/entities/AcDbSolid.h"
#include "host/db/entities/AcDbText.h"
#include "host/db/entities/AcDbXline.h"
#include "host/gi/RecordingWorldDraw.h"
#include "module/chain/ChainPrimitives.h"

#include <cmath>
#include <numbers>

using host::gi::GiPrimitive;
using host::gi::RecordingWorldDraw;

namespace {

constexpr double kTol = 1e-9;
constexpr double kPi = std::numbers::pi;

#define EXPECT_PT(actual, ex, ey)                                                                            \
    do {                                                                                                     \
        EXPECT_NEAR((actual).x, (ex), kTol);                                                                 \
        EXPECT_NEAR((actual).y, (ey), kTol);                                                                 \
    } while (0)

// Owns the entities of an explode list.
struct EntityList {
    AcDbVoidPtrArray items;
    ~EntityList() { host::deleteEntitySet(items); }
    template <class T> T* at(int i) const { return T::cast(static_cast<AcRxObject*>(items[i])); }
};

} // namespace

TEST(ChainPrimitives, ScreenPrimitivesHaveTheirGeometryMarkerAndFill) {
    RecordingWorldDraw wd;
    ChainPrimitives out(&wd, nullptr);
    ASSERT_TRUE(out.HasTarget());
    EXPECT_FALSE(out.IsExplode());
    out.SetMarker(5);
    out.SetColor(3);
    out.Line({0, 0, 0}, {2, 0, 0});
    const AcGePoint3d quad[4] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    out.Polygon(quad, true);
    out.Polygon(quad, false);
    out.Cross({10, 10, 0}, 1.0, {1, 0, 0}, AcGeVector3d::kZAxis);
    out.Arrow({0, 0, 0}, {1, 0, 0}, 0.4, 0.08, AcGeVector3d::kZAxis);
    out.Circle({3, 3, 0}, 0.5, AcGeVector3d::kZAxis, true);
    out.Circle({3, 3, 0}, 0.5, AcGeVector3d::kZAxis, false);
    out.Arc({0, 0, 0}, 2.0, AcGeVector3d::kZAxis, {0, 1, 0}, kPi / 2);
    out.ConstructionLine({0, 0, 0}, {1, 1, 0}); // nothing on screen

    const auto& rec = wd.primitives();
    ASSERT_EQ(rec.size(), 9u);
    for (const GiPrimitive& p : rec) {
        EXPECT_EQ(p.traits.marker, 5);
        EXPECT_EQ(p.traits.colorIndex, 3);
    }
    EXPECT_EQ(rec[0].kind, GiPrimitive::Polyline);
    EXPECT_PT(rec[0].points[1], 2, 0);
    EXPECT_TRUE(rec[1].isFilled());
    EXPECT_EQ(rec[2].kind, GiPrimitive::Polygon);
    EXPECT_FALSE(rec[2].isFilled()); // the fill does not leak into what follows
    // The cross: two lines of full length 2 through the centre at 45 and 135 degrees.
    const double h = std::sqrt(0.5);
    EXPECT_PT(rec[3].points[0], 10 - h, 10 - h);
    EXPECT_PT(rec[3].points[1], 10 + h, 10 + h);
    EXPECT_PT(rec[4].points[0], 10 + h, 10 - h);
    EXPECT_PT(rec[4].points[1], 10 - h, 10 + h);
    // The arrow: tip, and its base one length further, a half width to either side.
    ASSERT_EQ(rec[5].points.size(), 3u);
    EXPECT_TRUE(rec[5].isFilled());
    EXPECT_PT(rec[5].points[0], 0, 0);
    EXPECT_PT(rec[5].points[1], 0.4, 0.08);
    EXPECT_PT(rec[5].points[2], 0.4, -0.08);
    EXPECT_TRUE(rec[6].isFilled());
    EXPECT_FALSE(rec[7].isFilled());
    EXPECT_NEAR(rec[7].radius, 0.5, kTol);
    EXPECT_EQ(rec[8].kind, GiPrimitive::Arc);
    EXPECT_NEAR(rec[8].sweep, kPi / 2, kTol);
}

TEST(ChainPrimitives, TextsGoWithOrWithoutStyleAndExplodeLikeTheyShow) {
    RecordingWorldDraw wd;
    ChainPrimitives screen(&wd, nullptr);
    AcGiTextStyle style(L"DejaVuSans.ttf", L"", 1.0, 0.8, 0.1, 1.0, false, false, false, false, false);
    const AcGeVector3d dir(std::cos(kPi / 6), std::sin(kPi / 6), 0);
    screen.Text({1, 2, 0}, AcGeVector3d::kZAxis, dir, L"3,50", 0.5, nullptr, AcDbObjectId::kNull, 4);
    screen.Text({1, 2, 0}, AcGeVector3d::kZAxis, dir, L"3,50", 0.5, &style, AcDbObjectId::kNull, 4);
    screen.Text({1, 2, 0}, AcGeVector3d::kZAxis, dir, L"", 0.5, nullptr, AcDbObjectId::kNull, 4);
    const auto& rec = wd.primitives();
    ASSERT_EQ(rec.size(), 2u); // an empty text draws nothing
    EXPECT_NEAR(rec[0].height(), 0.5, kTol);
    EXPECT_NEAR(rec[0].widthFactor(), 1.0, kTol);
    EXPECT_NEAR(rec[1].height(), 0.5, kTol);
    EXPECT_NEAR(rec[1].widthFactor(), 0.8, kTol);
    EXPECT_NEAR(rec[1].oblique(), 0.1, kTol);
    EXPECT_EQ(rec[1].traits.colorIndex, 4);
    EXPECT_NEAR(rec[1].direction.dotProduct(dir), 1.0, kTol);

    EntityList list;
    ChainPrimitives boom(nullptr, &list.items);
    ASSERT_TRUE(boom.IsExplode());
    boom.SetColor(256);
    boom.Text({1, 2, 0}, AcGeVector3d::kZAxis, dir, L"3,50", 0.5, &style, AcDbObjectId::kNull, 4);
    boom.Line({0, 0, 0}, {1, 0, 0});
    ASSERT_EQ(list.items.length(), 2);
    AcDbText* text = list.at<AcDbText>(0);
    ASSERT_NE(text, nullptr);
    EXPECT_PT(text->position(), 1, 2);
    EXPECT_NEAR(text->rotation(), kPi / 6, kTol);
    EXPECT_NEAR(text->height(), 0.5, kTol);
    EXPECT_NEAR(text->widthFactor(), 0.8, kTol);
    EXPECT_NEAR(text->oblique(), 0.1, kTol);
    EXPECT_STREQ(text->textStringConst(), L"3,50");
    EXPECT_EQ(text->colorIndex(), 4);
    ASSERT_NE(list.at<AcDbLine>(1), nullptr);
    EXPECT_EQ(list.at<AcDbLine>(1)->colorIndex(), 256); // lines keep the current colour, not the text's
}

TEST(ChainPrimitives, ExplodeMakesTheMatchingEntities) {
    EntityList list;
    ChainPrimitives out(nullptr, &list.items);
    out.SetColor(2);
    const AcGePoint3d quad[4] = {{0, 0, 0}, {2, 0, 0}, {2, 1, 0}, {0, 1, 0}};
    out.Polygon(quad, false);                                          // 4 lines
    out.Polygon(quad, true);                                           // 1 solid
    out.Arrow({0, 0, 0}, {0, 1, 0}, 1.0, 0.2, AcGeVector3d::kZAxis);   // 1 solid
    out.Cross({0, 0, 0}, 1.0, {1, 0, 0}, AcGeVector3d::kZAxis);        // 2 lines
    out.Circle({5, 5, 0}, 0.25, AcGeVector3d::kZAxis, true);           // 1 circle
    out.Arc({0, 0, 0}, 2.0, AcGeVector3d::kZAxis, {0, 1, 0}, kPi / 2); // 1 arc
    out.ConstructionLine({1, 1, 0}, {1, 3, 0});                        // 1 xline
    out.ConstructionLine({1, 1, 0}, {1, 1, 0});                        // nothing: no direction
    ASSERT_EQ(list.items.length(), 11);
    for (int i = 0; i < 4; ++i)
        ASSERT_NE(list.at<AcDbLine>(i), nullptr) << i;
    EXPECT_PT(list.at<AcDbLine>(3)->endPoint(), 0, 0); // the outline closes
    AcDbSolid* face = list.at<AcDbSolid>(4);
    ASSERT_NE(face, nullptr);
    AcGePoint3d c;
    face->getPointAt(2, c);
    EXPECT_PT(c, 0, 1); // solids run 0, 1, 3, 2 around the outline
    face->getPointAt(3, c);
    EXPECT_PT(c, 2, 1);
    AcDbSolid* arrow = list.at<AcDbSolid>(5);
    ASSERT_NE(arrow, nullptr);
    arrow->getPointAt(1, c);
    EXPECT_PT(c, -0.2, 1);
    ASSERT_NE(list.at<AcDbLine>(6), nullptr);
    ASSERT_NE(list.at<AcDbCircle>(8), nullptr);
    EXPECT_NEAR(list.at<AcDbCircle>(8)->radius(), 0.25, kTol);
    AcDbArc* arc = list.at<AcDbArc>(9);
    ASSERT_NE(arc, nullptr);
    EXPECT_NEAR(arc->startAngle(), kPi / 2, kTol);
    EXPECT_NEAR(arc->endAngle(), kPi, kTol);
    AcDbXline* xline = list.at<AcDbXline>(10);
    ASSERT_NE(xline, nullptr);
    EXPECT_NEAR(xline->unitDir().y, 1.0, kTol);
    for (int i = 0; i < list.items.length(); ++i)
        EXPECT_EQ(static_cast<AcDbEntity*>(list.items[i])->colorIndex(), 2) << i;

    // Without a target every call is a no-op.
    ChainPrimitives none(nullptr, nullptr);
    EXPECT_FALSE(none.HasTarget());
    none.Line({0, 0, 0}, {1, 0, 0});
    none.Text({0, 0, 0}, AcGeVector3d::kZAxis, {1, 0, 0}, L"x", 1.0, nullptr, AcDbObjectId::kNull, 1);
}

class ChainPrimitivesMask : public chaintest::ChainTest {};

TEST_F(ChainPrimitivesMask, MaskCoversTheTextInTheBackgroundColourAndRestoresTheTraits) {
    pGlobDimOptions->SetOptFlag(IND_OPT_B_WipeOut, 1);
    pGlobDimOptions->m_backgroundColor = OptRgbColor{10, 20, 30};
    RecordingWorldDraw wd;
    ChainPrimitives out(&wd, nullptr);
    out.SetColor(5);
    const double h = 0.5;
    out.Text({1, 1, 0}, AcGeVector3d::kZAxis, {1, 0, 0}, L"12,00", h, nullptr, AcDbObjectId::kNull, 5);
    out.Line({0, 0, 0}, {1, 0, 0});
    const auto& rec = wd.primitives();
    ASSERT_EQ(rec.size(), 3u);
    ASSERT_EQ(rec[0].kind, GiPrimitive::Polygon);
    EXPECT_TRUE(rec[0].isFilled());
    EXPECT_EQ(rec[0].traits.trueColor, AcGiColor(10, 20, 30));
    const double w = AcGiTextStyle(L"", L"", h, 1, 0, 1, false, false, false, false, false)
                         .extents(L"12,00", true, -1, false)
                         .x;
    const double m = h / 15;
    EXPECT_PT(rec[0].points[0], 1 - m, 1 - m);
    EXPECT_PT(rec[0].points[2], 1 + w + m, 1 + h + m);
    EXPECT_EQ(rec[1].kind, GiPrimitive::Text);
    EXPECT_EQ(rec[1].traits.colorIndex, 5);
    EXPECT_FALSE(rec[2].isFilled());
    EXPECT_EQ(rec[2].traits.colorIndex, 5);

    // On paper the mask is white whatever the screen shows.
    RecordingWorldDraw plot;
    plot.setPlotGeneration(true);
    ChainPrimitives paper(&plot, nullptr);
    paper.Text({1, 1, 0}, AcGeVector3d::kZAxis, {1, 0, 0}, L"12,00", h, nullptr, AcDbObjectId::kNull, 5);
    ASSERT_EQ(plot.primitives().size(), 2u);
    EXPECT_EQ(plot.primitives()[0].traits.trueColor, AcGiColor(255, 255, 255));
}
