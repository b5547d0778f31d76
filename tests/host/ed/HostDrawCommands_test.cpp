#include "host/ed/commands/HostDrawCommands.h"

#include "EdSession.h"

#include "host/db/entities/AcDbArc.h"
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/entities/AcDbCircle.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/db/tables/AcDbLayerTable.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/entities/AcDbMText.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/entities/AcDbPolyline.h"
#include "host/db/entities/AcDbText.h"
#include "host/ed/commands/HostDrawCommandsCommon.h"
#include "host/ed/SysVars.h"
#include "host/ge/AcGeCircArc3d.h"
#include "host/ge/AcGeTol.h"

#include <cmath>
#include <memory>
#include <vector>

namespace {

constexpr double kPointTol = lintaro::tol::kHostEqualPoint;
constexpr double kAngleTol = 1e-12;

class DrawCommands : public EdSession {
protected:
    void SetUp() override {
        EdSession::SetUp();
        host::registerDrawCommands();
        m_db = std::make_unique<AcDbDatabase>();
        acdbHostApplicationServices()->setWorkingDatabase(m_db.get());
        host::sysVars().set(L"LASTPOINT", host::VarValue::ofPoint(0, 0, 0));
    }
    void TearDown() override {
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
        m_db.reset();
        EdSession::TearDown();
    }

    // Runs the command with the answers, one a line; what is left of them is dropped.
    void command(const wchar_t* name, const std::wstring& answers = L"") {
        script(answers);
        host::commandLine().execute(name);
        host::hostInput().clearSources();
    }

    // Model-space entities that are not erased, oldest first.
    std::vector<AcDbObjectId> entities() const {
        std::vector<AcDbObjectId> ids;
        AcDbBlockTableRecord* space = nullptr;
        EXPECT_EQ(acdbOpenObject(space, m_db->modelSpaceId(), AcDb::kForRead), Acad::eOk);
        for (AcDbObjectId id : space->entityIds())
            if (!id.isErased()) ids.push_back(id);
        space->close();
        return ids;
    }

    // The only (or last) entity as a T, open for read; the test closes it.
    template <class T> T* last() const {
        const std::vector<AcDbObjectId> ids = entities();
        T* obj = nullptr;
        if (ids.empty() || acdbOpenObject(obj, ids.back(), AcDb::kForRead) != Acad::eOk) return nullptr;
        return obj;
    }

    std::wstring layerOf(AcDbObjectId id) const {
        AcDbEntity* ent = nullptr;
        if (acdbOpenAcDbEntity(ent, id, AcDb::kForRead) != Acad::eOk) return L"";
        AcDbLayerTableRecord* layer = nullptr;
        std::wstring name;
        if (acdbOpenObject(layer, ent->layerId(), AcDb::kForRead) == Acad::eOk) {
            name = layer->name();
            layer->close();
        }
        ent->close();
        return name;
    }

    AcDbLayerTableRecord* layer(const wchar_t* name) const {
        AcDbLayerTable* table = nullptr;
        AcDbLayerTableRecord* rec = nullptr;
        if (m_db->getLayerTable(table, AcDb::kForRead) != Acad::eOk) return nullptr;
        table->getAt(name, rec, AcDb::kForRead);
        table->close();
        return rec;
    }

    static void expectPoint(const AcGePoint3d& p, double x, double y) {
        EXPECT_NEAR(p.x, x, kPointTol) << "x of (" << p.x << ", " << p.y << ")";
        EXPECT_NEAR(p.y, y, kPointTol) << "y of (" << p.x << ", " << p.y << ")";
    }

    std::unique_ptr<AcDbDatabase> m_db;
};

TEST_F(DrawCommands, LineDrawsOneLinePerSegmentOnTheCurrentLayer) {
    command(L"LAYER", L"M\nWaende\n\n");
    command(L"LINE", L"0,0\n10,0\n@0,5\n\n");
    std::vector<AcDbObjectId> ids = entities();
    ASSERT_EQ(ids.size(), 2u);
    auto* line = last<AcDbLine>();
    ASSERT_NE(line, nullptr);
    expectPoint(line->startPoint(), 10, 0);
    expectPoint(line->endPoint(), 10, 5);
    line->close();
    EXPECT_EQ(layerOf(ids[0]), L"Waende");
    EXPECT_EQ(layerOf(ids[1]), L"Waende");

    // Undo takes back the last segment, Close ends at the first point.
    command(L"LINE", L"20,0\n25,0\nU\n30,0\n30,10\nC\n");
    ids = entities();
    ASSERT_EQ(ids.size(), 5u);
    line = last<AcDbLine>();
    expectPoint(line->startPoint(), 30, 10);
    expectPoint(line->endPoint(), 20, 0);
    line->close();
}

TEST_F(DrawCommands, BadAnswersAreAskedAgainAndChangeNothing) {
    command(L"LINE", L"1,,2\nabc\n0,0\n0,0\nx\n5,5\n\n");
    EXPECT_TRUE(said(L"Point or option keyword required.")) << transcript.text();
    EXPECT_TRUE(said(L"The next point must differ from the last one."));
    ASSERT_EQ(entities().size(), 1u);
    auto* line = last<AcDbLine>();
    expectPoint(line->startPoint(), 0, 0);
    expectPoint(line->endPoint(), 5, 5);
    line->close();

    command(L"CIRCLE", L"2,3\n0\n-1\nabc\n2,3\n4\n");
    EXPECT_TRUE(said(L"Value must be positive and nonzero."));
    auto* circle = last<AcDbCircle>();
    ASSERT_NE(circle, nullptr);
    expectPoint(circle->center(), 2, 3);
    EXPECT_NEAR(circle->radius(), 4, kPointTol);
    circle->close();

    command(L"TEXT", L"1,1\n0\n-2\n3\nrechts\n90\nBad\n");
    EXPECT_TRUE(said(L"Requires numeric value."));
    auto* text = last<AcDbText>();
    ASSERT_NE(text, nullptr);
    EXPECT_NEAR(text->height(), 3, kPointTol);
    EXPECT_NEAR(text->rotation(), M_PI / 2, kAngleTol);
    EXPECT_STREQ(text->textStringConst(), L"Bad");
    text->close();
    EXPECT_EQ(entities().size(), 3u);
}

TEST_F(DrawCommands, CirclesAndArcsHaveTheirGeometry) {
    command(L"CIRCLE", L"0,0\nD\n10\n");
    command(L"CIRCLE", L"1,1\n4,5\n");
    auto* circle = last<AcDbCircle>();
    EXPECT_NEAR(circle->radius(), 5, kPointTol) << "a point gives the radius by its distance";
    circle->close();
    AcDbCircle* first = nullptr;
    ASSERT_EQ(acdbOpenObject(first, entities()[0], AcDb::kForRead), Acad::eOk);
    EXPECT_NEAR(first->radius(), 5, kPointTol);
    first->close();

    // Picked clockwise: the arc still runs counter-clockwise through the middle point.
    command(L"ARC", L"0,0\n5,5\n10,0\n");
    auto* arc = last<AcDbArc>();
    ASSERT_NE(arc, nullptr);
    expectPoint(arc->center(), 5, 0);
    EXPECT_NEAR(arc->radius(), 5, kPointTol);
    EXPECT_NEAR(arc->startAngle(), 0, kAngleTol);
    EXPECT_NEAR(arc->endAngle(), M_PI, kAngleTol);
    arc->close();

    // Points on one line have no arc: the end point is asked again.
    command(L"ARC", L"4,-4\n8,0\n12,4\n4,4\n");
    EXPECT_TRUE(said(L"The three points lie on one line"));
    arc = last<AcDbArc>();
    expectPoint(arc->center(), 4, 0);
    EXPECT_NEAR(arc->radius(), 4, kPointTol);
    EXPECT_NEAR(arc->startAngle(), 1.5 * M_PI, kAngleTol) << "angles are kept in the host's range";
    EXPECT_NEAR(arc->endAngle(), 0.5 * M_PI, kAngleTol);
    arc->close();
}

TEST_F(DrawCommands, PolylineWithTangentArcSegments) {
    command(L"PLINE", L"0,0\n10,0\nA\n10,10\nL\n0,10\n\n");
    ASSERT_EQ(entities().size(), 1u);
    auto* pline = last<AcDbPolyline>();
    ASSERT_NE(pline, nullptr);
    ASSERT_EQ(pline->numVerts(), 4u);
    const double expected[4][3] = {{0, 0, 0}, {10, 0, 1}, {10, 10, 0}, {0, 10, 0}};
    for (unsigned i = 0; i < 4; ++i) {
        AcGePoint2d p;
        double bulge = 0;
        pline->getPointAt(i, p);
        pline->getBulgeAt(i, bulge);
        EXPECT_NEAR(p.x, expected[i][0], kPointTol) << i;
        EXPECT_NEAR(p.y, expected[i][1], kPointTol) << i;
        EXPECT_NEAR(bulge, expected[i][2], kPointTol) << i;
    }
    AcGeCircArc3d seg;
    ASSERT_EQ(pline->getArcSegAt(1, seg), Acad::eOk);
    expectPoint(seg.center(), 10, 5);
    EXPECT_FALSE(pline->isClosed());
    pline->close();

    // Close in arc mode; Undo removes the last vertex and its bend.
    command(L"PLINE", L"0,0\n10,0\n5,5\nU\n10,10\nA\nCL\n");
    pline = last<AcDbPolyline>();
    ASSERT_EQ(pline->numVerts(), 3u);
    EXPECT_TRUE(pline->isClosed());
    double bulge = 0;
    pline->getBulgeAt(1, bulge);
    EXPECT_NEAR(bulge, 0, kPointTol);
    pline->getBulgeAt(2, bulge);
    EXPECT_GT(std::abs(bulge), 0.1) << "the closing segment is an arc";
    pline->close();
}

TEST_F(DrawCommands, TangentArcsAndThreePointArcsAsGeometry) {
    double bulge = 0;
    AcGeVector2d out;
    // A quarter turn to the left: 90 degrees swept, arriving heading north.
    ASSERT_TRUE(host::draw::tangentArc(AcGeVector2d(1, 0), AcGePoint2d(0, 0), AcGePoint2d(5, 5), bulge, out));
    EXPECT_NEAR(bulge, std::tan(M_PI / 8), kAngleTol);
    EXPECT_NEAR(out.x, 0, kAngleTol);
    EXPECT_NEAR(out.y, 1, kAngleTol);
    // To the right it turns clockwise.
    ASSERT_TRUE(
        host::draw::tangentArc(AcGeVector2d(1, 0), AcGePoint2d(0, 0), AcGePoint2d(5, -5), bulge, out));
    EXPECT_NEAR(bulge, -std::tan(M_PI / 8), kAngleTol);
    // Straight ahead is a straight segment; straight behind has no arc.
    ASSERT_TRUE(host::draw::tangentArc(AcGeVector2d(2, 0), AcGePoint2d(0, 0), AcGePoint2d(5, 0), bulge, out));
    EXPECT_NEAR(bulge, 0, kAngleTol);
    EXPECT_FALSE(
        host::draw::tangentArc(AcGeVector2d(1, 0), AcGePoint2d(0, 0), AcGePoint2d(-5, 0), bulge, out));
    EXPECT_FALSE(
        host::draw::tangentArc(AcGeVector2d(1, 0), AcGePoint2d(1, 1), AcGePoint2d(1, 1), bulge, out));

    AcGePoint3d c;
    double r = 0, a0 = 0, a1 = 0;
    EXPECT_FALSE(host::draw::arcThroughPoints(AcGePoint3d(0, 0, 0), AcGePoint3d(0, 0, 0),
                                              AcGePoint3d(1, 1, 0), c, r, a0, a1));
    ASSERT_TRUE(host::draw::arcThroughPoints(AcGePoint3d(1, 0, 2), AcGePoint3d(0, 1, 2),
                                             AcGePoint3d(-1, 0, 2), c, r, a0, a1));
    EXPECT_NEAR(c.distanceTo(AcGePoint3d(0, 0, 2)), 0, kPointTol) << "at the start's elevation";
    EXPECT_NEAR(r, 1, kPointTol);
    EXPECT_NEAR(a0, 0, kAngleTol);
    EXPECT_NEAR(a1, M_PI, kAngleTol);
}

TEST_F(DrawCommands, TextsKeepTheirWordsHeightAndBox) {
    const double size = m_db->textsize();
    command(L"TEXT", L"1,2\n\n\nMaß ± 2,50\n");
    auto* text = last<AcDbText>();
    ASSERT_NE(text, nullptr);
    expectPoint(text->position(), 1, 2);
    EXPECT_NEAR(text->height(), size, kPointTol) << "Enter keeps the current height";
    EXPECT_NEAR(text->rotation(), 0, kAngleTol);
    EXPECT_STREQ(text->textStringConst(), L"Maß ± 2,50");
    text->close();
    command(L"TEXT", L"0,0\n5\n0\n\n");
    EXPECT_EQ(entities().size(), 1u) << "an empty text makes nothing";

    command(L"MTEXT", L"20,0\n0,10\nErste Zeile\nZweite\n\n");
    auto* mtext = last<AcDbMText>();
    ASSERT_NE(mtext, nullptr);
    expectPoint(mtext->location(), 0, 10);
    EXPECT_NEAR(mtext->width(), 20, kPointTol);
    EXPECT_EQ(mtext->attachment(), AcDbMText::kTopLeft);
    EXPECT_EQ(mtext->contentsString(), L"Erste Zeile\\PZweite");
    mtext->close();
}

TEST_F(DrawCommands, LayerOptionsChangeTheTableAndRefuseWhatCannotBe) {
    command(L"LAYER", L"N\nA, B\nC\n1\nA\nM\nWaende\nF\nWaende\nF\nA\nLO\nB\nS\nA\nS\nFehlt\n\n");
    EXPECT_TRUE(said(L"Cannot freeze layer \"Waende\".  It is the CURRENT layer.")) << transcript.text();
    EXPECT_TRUE(said(L"Cannot set current layer to \"A\": it is frozen."));
    EXPECT_TRUE(said(L"Cannot find layer \"Fehlt\"."));
    resbuf rb{};
    ASSERT_EQ(acedGetVar(L"CLAYER", &rb), RTNORM);
    EXPECT_STREQ(rb.resval.rstring, L"Waende");
    free(rb.resval.rstring);

    AcDbLayerTableRecord* a = layer(L"A");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->color().colorIndex(), 1);
    EXPECT_TRUE(a->isFrozen());
    a->close();
    AcDbLayerTableRecord* b = layer(L"B");
    ASSERT_NE(b, nullptr);
    EXPECT_TRUE(b->isLocked());
    EXPECT_EQ(b->color().colorIndex(), 7);
    b->close();

    command(L"LAYER", L"T\nA\nU\nb\nOFF\n*\nN\nbad<name\n\n");
    EXPECT_TRUE(said(L"Invalid layer name \"bad<name\"."));
    a = layer(L"A");
    EXPECT_FALSE(a->isFrozen());
    EXPECT_TRUE(a->isOff());
    a->close();
    b = layer(L"B");
    EXPECT_FALSE(b->isLocked());
    b->close();

    // The variable refuses a layer the drawing lacks.
    resbuf value{};
    value.restype = RTSTR;
    value.resval.rstring = const_cast<wchar_t*>(L"Fehlt");
    EXPECT_NE(acedSetVar(L"CLAYER", &value), RTNORM);
}

TEST_F(DrawCommands, LayerNamesDifferingOnlyInTheCaseOfAnUmlautAreOneLayer) {
    command(L"LAYER", L"M\nWände\nM\nWÄNDE\nS\nwÄnde\n\n");
    EXPECT_FALSE(said(L"Cannot find layer")) << transcript.text();
    resbuf rb{};
    ASSERT_EQ(acedGetVar(L"CLAYER", &rb), RTNORM);
    EXPECT_STREQ(rb.resval.rstring, L"Wände") << "the layer keeps the name it was made with";
    free(rb.resval.rstring);

    AcDbLayerTable* table = nullptr;
    ASSERT_EQ(m_db->getLayerTable(table, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(table->recordIds().size(), 2u) << "\"0\" and \"Wände\" only";
    table->close();
    AcDbLayerTableRecord* rec = layer(L"WÄNDE");
    ASSERT_NE(rec, nullptr);
    EXPECT_EQ(rec->name(), L"Wände");
    rec->close();
}

TEST_F(DrawCommands, EscapeCancelsWithoutLeftovers) {
    command(L"CIRCLE", L"0,0\nESC\n");
    command(L"ARC", L"0,0\n1,1\nESC\n");
    command(L"PLINE", L"0,0\n10,0\nA\n10,10\nESC\n");
    command(L"TEXT", L"0,0\n2\n0\nESC\n");
    command(L"MTEXT", L"0,0\n10,10\nZeile\nESC\n");
    command(L"CIRCLE", L"0,0\n"); // the script ends while the command asks
    EXPECT_TRUE(entities().empty());
    // A line's finished segments stay: each is an object of its own.
    command(L"LINE", L"0,0\n1,0\n2,0\nESC\n");
    EXPECT_EQ(entities().size(), 2u);
}

TEST_F(DrawCommands, EraseListAndUndo) {
    command(L"LINE", L"0,0\n10,0\n\n");
    command(L"CIRCLE", L"5,5\n2\n");
    const std::vector<AcDbObjectId> ids = entities();
    ASSERT_EQ(ids.size(), 2u);

    command(L"LIST", L"L\n\n");
    EXPECT_TRUE(said(L"CIRCLE")) << transcript.text();
    EXPECT_TRUE(said(L"Layer: \"0\""));

    // A pick on the line, then the last object.
    command(L"ERASE", L"zz\n5,0\nL\n\n");
    EXPECT_TRUE(said(L"*Invalid selection*"));
    EXPECT_TRUE(entities().empty());

    // U brings back what ERASE took, then takes away what CIRCLE appended.
    command(L"U");
    EXPECT_EQ(entities(), ids);
    command(L"U");
    EXPECT_EQ(entities(), std::vector<AcDbObjectId>{ids[0]});

    // A change is undone to the state before it.
    command(L"LAYER", L"C\n3\n0\n\n");
    AcDbLayerTableRecord* zero = layer(L"0");
    EXPECT_EQ(zero->color().colorIndex(), 3);
    zero->close();
    command(L"U");
    zero = layer(L"0");
    EXPECT_EQ(zero->color().colorIndex(), 7);
    zero->close();

    command(L"U");
    command(L"U");
    EXPECT_TRUE(entities().empty());
    command(L"U");
    EXPECT_TRUE(said(L"Everything has been undone"));
}

TEST_F(DrawCommands, LockedLayersKeepTheirObjects) {
    command(L"LAYER", L"M\nFest\n\n");
    command(L"LINE", L"0,0\n1,1\n\n");
    command(L"LAYER", L"LO\nFest\n\n");
    command(L"ERASE", L"ALL\n\n");
    EXPECT_TRUE(said(L"1 was on a locked layer.")) << transcript.text();
    EXPECT_EQ(entities().size(), 1u);

    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    command(L"LINE", L"0,0\n1,1\n\n");
    EXPECT_TRUE(said(L"No drawing is open."));
    acdbHostApplicationServices()->setWorkingDatabase(m_db.get());
    EXPECT_EQ(entities().size(), 1u);
}

} // namespace
