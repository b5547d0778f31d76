// STRETCH, EXPLODE and GRIPMOVE from scripts.
#include "host/ed/commands/HostEditCommands.h"

#include "EditCommandsDrawing.h"

#include "host/db/entities/AcDbArc.h"
#include "host/db/entities/AcDbCircle.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/entities/AcDbPolyline.h"
#include "host/db/dimensions/AcDbRotatedDimension.h"
#include "host/db/entities/AcDbText.h"

#include <numbers>

namespace {

using edittest::kTol;

class StretchExplode : public EditDrawing {
protected:
    AcGePoint3d vertex(AcDbObjectId id, unsigned i) {
        auto* p = open<AcDbPolyline>(id);
        AcGePoint3d v;
        if (p) {
            p->getPointAt(i, v);
            p->close();
        }
        return v;
    }
    template <class T> std::vector<AcDbObjectId> all() {
        std::vector<AcDbObjectId> out;
        for (AcDbObjectId id : entities()) {
            AcDbEntity* ent = nullptr;
            if (acdbOpenAcDbEntity(ent, id, AcDb::kForRead) != Acad::eOk) continue;
            if (T::cast(ent)) out.push_back(id);
            ent->close();
        }
        return out;
    }
};

TEST_F(StretchExplode, StretchMovesOnlyWhatLiesInTheWindow) {
    auto* room = new AcDbPolyline;
    const AcGePoint2d corners[] = {{0, 0}, {20, 0}, {20, 10}, {0, 10}};
    for (unsigned i = 0; i < 4; ++i)
        room->addVertexAt(i, corners[i]);
    room->setClosed(true);
    const AcDbObjectId roomId = append(room);
    const AcDbObjectId wall = append(new AcDbLine(AcGePoint3d(0, 20, 0), AcGePoint3d(20, 20, 0)));
    // Only its middle is in the window: a stretch must leave it.
    const AcDbObjectId through = append(new AcDbLine(AcGePoint3d(10, 25, 0), AcGePoint3d(30, 25, 0)));
    // A quadrant in the window, the centre outside: the radius must stay.
    const AcDbObjectId edgeCircle = append(new AcDbCircle(AcGePoint3d(26, 15, 0), AcGeVector3d::kZAxis, 2));
    const AcDbObjectId insideCircle = append(new AcDbCircle(AcGePoint3d(22, 30, 0), AcGeVector3d::kZAxis, 1));
    const AcDbObjectId label = append(new AcDbText(AcGePoint3d(16, 6, 0), L"Bad", AcDbObjectId::kNull, 1.0));
    const AcDbObjectId dim = append(
        new AcDbRotatedDimension(0, AcGePoint3d(0, 40, 0), AcGePoint3d(20, 40, 0), AcGePoint3d(10, 45, 0)));
    watch();
    command(L"STRETCH", L"C 15,-5 25,42\n\n0,0\n5,0\n");

    EXPECT_NEAR(vertex(roomId, 0).x, 0, kTol);
    EXPECT_NEAR(vertex(roomId, 1).x, 25, kTol);
    EXPECT_NEAR(vertex(roomId, 2).x, 25, kTol);
    EXPECT_NEAR(vertex(roomId, 3).x, 0, kTol);
    auto* l = open<AcDbLine>(wall);
    expectPoint(l->startPoint(), 0, 20, "wall start");
    expectPoint(l->endPoint(), 25, 20, "wall end");
    l->close();
    l = open<AcDbLine>(through);
    expectPoint(l->startPoint(), 10, 25, "line through the window");
    expectPoint(l->endPoint(), 30, 25, "line through the window");
    l->close();
    auto* c = open<AcDbCircle>(edgeCircle);
    expectPoint(c->center(), 26, 15, "crossed circle");
    EXPECT_NEAR(c->radius(), 2, kTol);
    c->close();
    c = open<AcDbCircle>(insideCircle);
    expectPoint(c->center(), 27, 30, "circle inside");
    EXPECT_NEAR(c->radius(), 1, kTol);
    c->close();
    auto* t = open<AcDbText>(label);
    expectPoint(t->position(), 21, 6, "text");
    t->close();
    auto* d = open<AcDbRotatedDimension>(dim);
    expectPoint(d->xLine1Point(), 0, 40, "dimension origin outside");
    expectPoint(d->xLine2Point(), 25, 40, "dimension origin inside");
    double m = 0;
    d->measurement(m);
    EXPECT_NEAR(m, 25, kTol);
    d->close();
    EXPECT_EQ(notes.modified, 5);

    // A crossing polygon typed on one line: a triangle round the room's right end.
    command(L"STRETCH", L"CP 24,-5 32,5 24,14\n\n0,0\n0,2\n");
    EXPECT_TRUE(said(L"1 found")) << transcript.text();
    expectPoint(vertex(roomId, 1), 25, 2, "vertex in the polygon");
    expectPoint(vertex(roomId, 2), 25, 12, "vertex in the polygon");
    expectPoint(vertex(roomId, 0), 0, 0, "vertex outside the polygon");
}

TEST_F(StretchExplode, ExplodeReplacesObjectsByTheirPieces) {
    command(L"LAYER", L"M\nGrundriss\nC\n3\nGrundriss\n\n");
    auto* outline = new AcDbPolyline;
    outline->addVertexAt(0, AcGePoint2d(0, 0));
    outline->addVertexAt(1, AcGePoint2d(10, 0), 1.0); // a half circle to (10,10)
    outline->addVertexAt(2, AcGePoint2d(10, 10));
    const AcDbObjectId outlineId = append(outline);
    AcDbEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(ent, outlineId, AcDb::kForWrite), Acad::eOk);
    ent->setColorIndex(5);
    ent->close();
    command(L"LAYER", L"S\n0\n\n"); // the pieces keep the source's layer, not the current one

    command(L"EXPLODE", L"L\n\n");
    EXPECT_TRUE(outlineId.isErased());
    const std::vector<AcDbObjectId> lines = all<AcDbLine>(), arcs = all<AcDbArc>();
    ASSERT_EQ(lines.size(), 1u);
    ASSERT_EQ(arcs.size(), 1u);
    auto* l = open<AcDbLine>(lines[0]);
    expectPoint(l->startPoint(), 0, 0, "exploded line");
    expectPoint(l->endPoint(), 10, 0, "exploded line");
    EXPECT_EQ(l->colorIndex(), 5);
    const AcDbObjectId layer = l->layerId();
    l->close();
    auto* a = open<AcDbArc>(arcs[0]);
    expectPoint(a->center(), 10, 5, "exploded arc");
    EXPECT_NEAR(a->radius(), 5, kTol);
    EXPECT_EQ(a->layerId(), layer);
    EXPECT_NE(layer, m_db->clayer());
    a->close();

    // A dimension becomes lines, text and arrowheads, on its layer.
    const AcDbObjectId dim = append(
        new AcDbRotatedDimension(0, AcGePoint3d(0, 40, 0), AcGePoint3d(20, 40, 0), AcGePoint3d(10, 45, 0)));
    const size_t before = entities().size();
    command(L"EXPLODE", L"L\n\n");
    EXPECT_TRUE(dim.isErased());
    EXPECT_GT(entities().size(), before + 2);

    // What cannot be exploded stays, and the user is told.
    const auto kept = snapshot();
    command(L"EXPLODE", L"W -1,-1 11,1\n\n");
    EXPECT_TRUE(said(L"1 was not explodable.")) << transcript.text();
    EXPECT_EQ(snapshot(), kept);
}

TEST_F(StretchExplode, GripMoveByNumberOrByAPointNearTheGrip) {
    const AcDbObjectId line = append(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0)));
    const AcDbObjectId circle = append(new AcDbCircle(AcGePoint3d(30, 30, 0), AcGeVector3d::kZAxis, 5));
    const AcDbObjectId dim = append(
        new AcDbRotatedDimension(0, AcGePoint3d(50, 0, 0), AcGePoint3d(60, 0, 0), AcGePoint3d(55, 5, 0)));
    command(L"GRIPMOVE", L"3,0\n2\n10,4\n");
    auto* l = open<AcDbLine>(line);
    expectPoint(l->startPoint(), 0, 0, "line start");
    expectPoint(l->endPoint(), 10, 4, "moved grip");
    l->close();
    EXPECT_TRUE(said(L"host command for scripts"));

    // The quadrant grip at (35,30), found from a point within the pick box: the radius.
    command(L"GRIPMOVE", L"35,30\n35.1,30.1\n38,30\n");
    auto* c = open<AcDbCircle>(circle);
    expectPoint(c->center(), 30, 30, "circle centre");
    EXPECT_NEAR(c->radius(), 8, kTol);
    c->close();

    // The second extension line origin of a dimension.
    command(L"GRIPMOVE", L"60,2\n1\n65,0\n");
    auto* d = open<AcDbRotatedDimension>(dim);
    double m = 0;
    d->measurement(m);
    EXPECT_NEAR(m, 15, kTol);
    d->close();
}

} // namespace
