#include "host/ed/commands/HostEditCommands.h"

#include "EditCommandsDrawing.h"

#include "host/db/entities/AcDbArc.h"
#include "host/db/entities/AcDbCircle.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/entities/AcDbPolyline.h"
#include "host/db/dimensions/AcDbRotatedDimension.h"
#include "host/db/entities/AcDbText.h"

#include <cmath>
#include <numbers>

namespace {

using edittest::kAngleTol;
using edittest::kTol;
constexpr double kPi = std::numbers::pi;

// One of each kind the commands are tried on, away from each other.
class EditCommands : public EditDrawing {
protected:
    void SetUp() override {
        EditDrawing::SetUp();
        line = append(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0)));
        circle = append(new AcDbCircle(AcGePoint3d(20, 0, 0), AcGeVector3d::kZAxis, 2));
        arc = append(new AcDbArc(AcGePoint3d(30, 0, 0), 3, 0, kPi / 2));
        text = append(new AcDbText(AcGePoint3d(0, 10, 0), L"Raum", AcDbObjectId::kNull, 2.5, 0));
        auto* pl = new AcDbPolyline;
        pl->addVertexAt(0, AcGePoint2d(40, 0));
        pl->addVertexAt(1, AcGePoint2d(50, 0), 1.0); // a half circle through (55,5)
        pl->addVertexAt(2, AcGePoint2d(50, 10));
        pline = append(pl);
        dim = append(new AcDbRotatedDimension(0, AcGePoint3d(0, 20, 0), AcGePoint3d(10, 20, 0),
                                              AcGePoint3d(5, 25, 0)));
        ASSERT_EQ(entities().size(), 6u);
    }

    void expectLine(AcDbObjectId id, double x0, double y0, double x1, double y1) {
        auto* l = open<AcDbLine>(id);
        ASSERT_NE(l, nullptr);
        expectPoint(l->startPoint(), x0, y0, "line start");
        expectPoint(l->endPoint(), x1, y1, "line end");
        l->close();
    }
    void expectCircle(AcDbObjectId id, double x, double y, double r) {
        auto* c = open<AcDbCircle>(id);
        ASSERT_NE(c, nullptr);
        expectPoint(c->center(), x, y, "circle centre");
        EXPECT_NEAR(c->radius(), r, kTol);
        c->close();
    }
    void expectArcEnds(AcDbObjectId id, double sx, double sy, double ex, double ey) {
        auto* a = open<AcDbArc>(id);
        ASSERT_NE(a, nullptr);
        AcGePoint3d s, e;
        a->getStartPoint(s);
        a->getEndPoint(e);
        expectPoint(s, sx, sy, "arc start");
        expectPoint(e, ex, ey, "arc end");
        a->close();
    }
    void expectPlineVertex(AcDbObjectId id, unsigned i, double x, double y, double bulge) {
        auto* p = open<AcDbPolyline>(id);
        ASSERT_NE(p, nullptr);
        AcGePoint3d v;
        double b = 0;
        p->getPointAt(i, v);
        p->getBulgeAt(i, b);
        expectPoint(v, x, y, "polyline vertex");
        EXPECT_NEAR(b, bulge, kTol) << "bulge of vertex " << i;
        p->close();
    }

    AcDbObjectId line, circle, arc, text, pline, dim;
};

TEST_F(EditCommands, MoveShiftsEveryKindAndTellsTheModule) {
    watch();
    command(L"MOVE", L"ALL\n\n0,0\n10,5\n");
    expectLine(line, 10, 5, 20, 5);
    expectCircle(circle, 30, 5, 2);
    expectArcEnds(arc, 43, 5, 40, 8);
    expectPlineVertex(pline, 1, 60, 5, 1.0);
    auto* t = open<AcDbText>(text);
    expectPoint(t->position(), 10, 15, "text");
    t->close();
    auto* d = open<AcDbRotatedDimension>(dim);
    expectPoint(d->xLine2Point(), 20, 25, "dimension origin");
    expectPoint(d->dimLinePoint(), 15, 30, "dimension line");
    d->close();
    // Each object says it changed once, while CMDNAMES names the command.
    EXPECT_EQ(notes.modified, 6);
    ASSERT_FALSE(notes.commandsSeen.empty());
    EXPECT_EQ(notes.commandsSeen.front(), L"MOVE");

    // A displacement typed at the base point prompt; Enter at the second point takes
    // the first point as the displacement.
    command(L"MOVE", L"W 9,4 21,6\n\nD\n1,1\n");
    expectLine(line, 11, 6, 21, 6);
    expectCircle(circle, 30, 5, 2);
    command(L"MOVE", L"L\n\n0,-20\n\n");
    auto* d2 = open<AcDbRotatedDimension>(dim);
    expectPoint(d2->xLine1Point(), 10, 5, "dimension origin after displacement");
    d2->close();
}

TEST_F(EditCommands, CopyLeavesTheSourcesAndKeepsTheirLayer) {
    command(L"LAYER", L"M\nAndere\n\n"); // the copies must not take the current layer
    watch();
    command(L"COPY", L"W -1,-3 23,3\n\n0,0\n0,30\n0,60\nU\n100,0\n\n");
    const std::vector<AcDbObjectId> ids = entities();
    // Line and circle, copied to +30 and (undone +60) +100.
    ASSERT_EQ(ids.size(), 10u);
    expectLine(line, 0, 0, 10, 0);
    expectCircle(circle, 20, 0, 2);
    expectLine(ids[6], 0, 30, 10, 30);
    expectCircle(ids[7], 20, 30, 2);
    expectLine(ids[8], 100, 0, 110, 0);
    expectCircle(ids[9], 120, 0, 2);
    auto* copy = open<AcDbLine>(ids[6]);
    auto* source = open<AcDbLine>(line);
    EXPECT_EQ(copy->layerId(), source->layerId());
    copy->close();
    source->close();
    EXPECT_EQ(notes.appended, 6);
    EXPECT_EQ(notes.erased, 2); // the copies Undo took back
}

TEST_F(EditCommands, RotateByAnglePointAndReference) {
    command(L"ROTATE", L"ALL\n\n0,0\n90\n");
    expectLine(line, 0, 0, 0, 10);
    expectCircle(circle, 0, 20, 2);
    expectArcEnds(arc, 0, 33, -3, 30);
    expectPlineVertex(pline, 1, 0, 50, 1.0);
    expectPlineVertex(pline, 2, -10, 50, 0.0);
    auto* t = open<AcDbText>(text);
    EXPECT_NEAR(t->rotation(), kPi / 2, kAngleTol);
    expectPoint(t->position(), -10, 0, "text");
    t->close();
    auto* d = open<AcDbRotatedDimension>(dim);
    EXPECT_NEAR(std::remainder(d->rotation() - kPi / 2, 2 * kPi), 0.0, kAngleTol);
    double m = 0;
    d->measurement(m);
    EXPECT_NEAR(m, 10.0, kTol);
    d->close();

    // A point gives the angle from the base point: back by 90 degrees.
    command(L"ROTATE", L"ALL\n\n0,0\n0,-5\n");
    expectLine(line, 0, 0, 10, 0);
    // Reference: from 90 degrees (two points) to 135 turns by 45.
    command(L"ROTATE", L"W -1,-1 11,1\n\n0,0\nR\n0,0\n0,1\n135\n");
    expectLine(line, 0, 0, 10 * std::cos(kPi / 4), 10 * std::sin(kPi / 4));
}

TEST_F(EditCommands, ScaleAboutTheBasePointAndRefuseZero) {
    command(L"SCALE", L"ALL\n\n0,0\n2\n");
    expectLine(line, 0, 0, 20, 0);
    expectCircle(circle, 40, 0, 4);
    expectArcEnds(arc, 66, 0, 60, 6);
    expectPlineVertex(pline, 1, 100, 0, 1.0);
    auto* t = open<AcDbText>(text);
    EXPECT_NEAR(t->height(), 5.0, kTol);
    t->close();
    auto* d = open<AcDbRotatedDimension>(dim);
    double m = 0;
    d->measurement(m);
    EXPECT_NEAR(m, 20.0, kTol);
    d->close();

    // Zero, and a point on the base point, are no factor: asked again, then cancelled.
    const auto before = snapshot();
    command(L"SCALE", L"ALL\n\n0,0\n0\n0,0\nESC\n");
    EXPECT_TRUE(said(L"Value must be positive and nonzero.")) << transcript.text();
    EXPECT_EQ(snapshot(), before);
    // A point's distance from the base point is the factor.
    command(L"SCALE", L"L\n\n0,20\n0,20.5\n");
    auto* d2 = open<AcDbRotatedDimension>(dim);
    expectPoint(d2->xLine2Point(), 10, 30, "dimension origin scaled by a half");
    d2->close();
}

TEST_F(EditCommands, MirrorKeepsOrErasesTheSources) {
    // Across the vertical line x = 15, keeping the sources.
    command(L"MIRROR", L"W -1,-3 34,4\n\n15,0\n15,10\n\n");
    std::vector<AcDbObjectId> ids = entities();
    ASSERT_EQ(ids.size(), 9u);
    expectLine(line, 0, 0, 10, 0);
    expectLine(ids[6], 30, 0, 20, 0);
    expectCircle(ids[7], 10, 0, 2);
    // The arc runs counter-clockwise still: from the image of its end to that of its start.
    expectArcEnds(ids[8], 0, 3, -3, 0);

    // Erasing the sources, answered in German; a diagonal line through the origin.
    command(L"MIRROR", L"W 39,-1 56,11\n\n0,0\n1,1\nJ\n");
    ids = entities();
    ASSERT_EQ(ids.size(), 9u);
    EXPECT_TRUE(pline.isErased());
    expectPlineVertex(ids.back(), 0, 0, 40, 0.0);
    expectPlineVertex(ids.back(), 1, 0, 50, -1.0);

    // The same point twice is no mirror line: asked again, then cancelled.
    const auto before = snapshot();
    command(L"MIRROR", L"ALL\n\n5,5\n5,5\nESC\n");
    EXPECT_TRUE(said(L"The mirror line needs two different points.")) << transcript.text();
    EXPECT_EQ(snapshot(), before);
}

TEST_F(EditCommands, UndoTakesBackEachWholeCommand) {
    const auto start = snapshot();
    const wchar_t* commands[][2] = {
        {L"MOVE", L"ALL\n\n0,0\n3,4\n"},
        {L"COPY", L"ALL\n\n0,0\n0,40\n0,80\n\n"},
        {L"ROTATE", L"ALL\n\n5,5\n33\n"},
        {L"SCALE", L"ALL\n\n5,5\n0.5\n"},
        {L"MIRROR", L"ALL\n\n0,0\n0,1\nY\n"},
        {L"STRETCH", L"C 8,-5 12,30\n\n0,0\n2,0\n"},
        {L"EXPLODE", L"ALL\n\n"},
        {L"GRIPMOVE", L"5,0\n2\n10,7\n"},
    };
    for (const auto& c : commands) {
        command(c[0], c[1]);
        EXPECT_NE(snapshot(), start) << c[0] << " changed nothing";
        command(L"U");
        EXPECT_EQ(snapshot(), start) << "U after " << c[0] << " left the drawing changed";
    }
}

TEST_F(EditCommands, RefusedInputChangesNothing) {
    const auto start = snapshot();
    // Nothing selected: an empty window, or Enter at once.
    for (const wchar_t* name : {L"MOVE", L"COPY", L"ROTATE", L"SCALE", L"MIRROR", L"EXPLODE"}) {
        command(name, L"W 70,70 80,80\n\n0,0\n1,1\n");
        EXPECT_EQ(snapshot(), start) << name;
    }
    EXPECT_TRUE(said(L"Nothing selected: the command changes nothing.")) << transcript.text();
    command(L"STRETCH", L"\n");
    EXPECT_EQ(snapshot(), start);

    // Esc at every prompt of every command.
    const wchar_t* cancelled[][2] = {
        {L"MOVE", L"ALL\nESC\n"},
        {L"MOVE", L"ALL\n\nESC\n"},
        {L"MOVE", L"ALL\n\n0,0\nESC\n"},
        {L"MOVE", L"ALL\n\nD\nESC\n"},
        {L"COPY", L"ALL\n\n0,0\nESC\n"},
        {L"ROTATE", L"ALL\n\n0,0\nESC\n"},
        {L"ROTATE", L"ALL\n\n0,0\nR\n0,0\nESC\n"},
        {L"ROTATE", L"ALL\n\n0,0\nR\n0\nESC\n"},
        {L"SCALE", L"ALL\n\n0,0\nESC\n"},
        {L"SCALE", L"ALL\n\nESC\n"},
        {L"MIRROR", L"ALL\n\n0,0\nESC\n"},
        {L"MIRROR", L"ALL\n\n0,0\n1,0\nESC\n"},
        {L"STRETCH", L"C 8,-5\nESC\n"},
        {L"STRETCH", L"C 8,-5 12,5\n\n0,0\nESC\n"},
        {L"STRETCH", L"CP\n0,0\nESC\n"},
        {L"EXPLODE", L"ALL\nESC\n"},
        {L"GRIPMOVE", L"ESC\n"},
        {L"GRIPMOVE", L"5,0\nESC\n"},
        {L"GRIPMOVE", L"5,0\n0\nESC\n"},
    };
    for (const auto& c : cancelled) {
        command(c[0], c[1]);
        EXPECT_EQ(snapshot(), start) << c[0] << " with " << std::string(c[1], c[1] + wcslen(c[1]));
    }
    // Answers that are no answer are explained and asked again.
    command(L"ROTATE", L"ALL\n\n0,0\nabc\nESC\n");
    EXPECT_TRUE(said(L"Requires valid numeric angle or second point."));
    command(L"GRIPMOVE", L"5,0\n7\n99,99\nESC\n");
    EXPECT_TRUE(said(L"The grip number must be from 0 to 2."));
    EXPECT_TRUE(said(L"No grip lies within the pick box of that point."));
    EXPECT_EQ(snapshot(), start);

    // Objects on a locked layer stay where they are.
    command(L"LAYER", L"M\nFest\n\n");
    command(L"LINE", L"60,60\n70,60\n\n");
    command(L"LAYER", L"LO\nFest\n\n");
    const auto withLocked = snapshot();
    command(L"MOVE", L"L\n\n0,0\n1,1\n");
    EXPECT_TRUE(said(L"1 was on a locked layer."));
    command(L"STRETCH", L"C 65 55 75 65\n\n0,0\n1,1\n");
    command(L"GRIPMOVE", L"65,60\n0\n1,1\n");
    EXPECT_EQ(snapshot(), withLocked);
}

TEST_F(EditCommands, CommandsWithoutADrawingSaySo) {
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    for (const wchar_t* name : {L"MOVE", L"STRETCH", L"EXPLODE", L"GRIPMOVE"})
        command(name, L"ALL\n\n");
    EXPECT_TRUE(said(L"No drawing is open."));
    acdbHostApplicationServices()->setWorkingDatabase(m_db.get());
    EXPECT_EQ(entities().size(), 6u);
}

} // namespace
