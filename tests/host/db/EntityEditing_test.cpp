#include "DbTestHelpers.h"
#include "host/db/entities/AcDbArc.h"
#include "host/db/entities/AcDbBlockReference.h"
#include "host/db/entities/AcDbCircle.h"
#include "host/db/entities/AcDbFace.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/entities/AcDbPolyline.h"
#include "host/db/entities/AcDbSolid.h"
#include "host/db/entities/DrawnGeometry.h"
#include "host/db/database/HighlightedParts.h"
#include "host/gi/RecordingWorldDraw.h"

#include <gtest/gtest.h>

#include <memory>
#include <numbers>

using dbtest::Drawing;
using dbtest::kGeomTol;

namespace {
constexpr double kPi = std::numbers::pi;

void expectPoint(const AcGePoint3d& a, const AcGePoint3d& e, const char* what) {
    EXPECT_NEAR(a.x, e.x, kGeomTol) << what;
    EXPECT_NEAR(a.y, e.y, kGeomTol) << what;
    EXPECT_NEAR(a.z, e.z, kGeomTol) << what;
}

AcDbObjectId addBlock(Drawing& d, const wchar_t* name) {
    AcDbBlockTable* blocks = nullptr;
    d.db->getBlockTable(blocks, AcDb::kForWrite);
    auto* rec = new AcDbBlockTableRecord();
    rec->setName(name);
    AcDbObjectId id;
    blocks->add(id, rec);
    rec->close();
    blocks->close();
    return id;
}

void addToBlock(AcDbObjectId block, AcDbEntity* ent) {
    AcDbBlockTableRecord* rec = nullptr;
    acdbOpenObject(rec, block, AcDb::kForWrite);
    rec->appendAcDbEntity(ent);
    ent->close();
    rec->close();
}
} // namespace

TEST(EntityEditing, GripsMoveWhatTheUserExpects) {
    AcDbLine line(AcGePoint3d(0, 0, 0), AcGePoint3d(4, 0, 0));
    AcGePoint3dArray grips;
    AcDbIntArray modes, ids;
    line.getGripPoints(grips, modes, ids);
    ASSERT_EQ(grips.length(), 3);
    expectPoint(grips[1], AcGePoint3d(2, 0, 0), "middle grip");
    line.moveGripPointsAt(AcDbIntArray{1}, AcGeVector3d(0, 1, 0));
    expectPoint(line.startPoint(), AcGePoint3d(0, 1, 0), "the middle grip moves the whole line");
    line.moveGripPointsAt(AcDbIntArray{2}, AcGeVector3d(1, 0, 0));
    expectPoint(line.endPoint(), AcGePoint3d(5, 1, 0), "the end grip moves the end only");
    expectPoint(line.startPoint(), AcGePoint3d(0, 1, 0), "and leaves the start");

    AcDbCircle circle(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 1.0);
    circle.moveGripPointsAt(AcDbIntArray{1}, AcGeVector3d(2, 0, 0));
    EXPECT_NEAR(circle.radius(), 3.0, kGeomTol) << "a quadrant grip sets the radius";
    EXPECT_EQ(circle.moveGripPointsAt(AcDbIntArray{9}, AcGeVector3d(1, 0, 0)), Acad::eInvalidIndex);

    // The middle grip of an arc bends it through the moved point.
    AcDbArc arc(AcGePoint3d(0, 0, 0), 1.0, 0.0, kPi);
    ASSERT_EQ(arc.moveGripPointsAt(AcDbIntArray{1}, AcGeVector3d(0, 1, 0)), Acad::eOk);
    AcGePoint3d s, e;
    arc.getStartPoint(s);
    arc.getEndPoint(e);
    expectPoint(s, AcGePoint3d(1, 0, 0), "start stays");
    expectPoint(e, AcGePoint3d(-1, 0, 0), "end stays");
    EXPECT_NEAR(arc.center().y, 0.75, kGeomTol) << "circle through (1,0), (0,2), (-1,0)";
    EXPECT_NEAR(arc.radius(), 1.25, kGeomTol);
    // Dragging the middle onto the chord would make no arc: refused, arc kept.
    EXPECT_EQ(arc.moveGripPointsAt(AcDbIntArray{1}, AcGeVector3d(0, -2, 0)), Acad::eDegenerateGeometry);
    EXPECT_NEAR(arc.radius(), 1.25, kGeomTol);

    AcDbPolyline pl;
    pl.addVertexAt(0, AcGePoint2d(0, 0));
    pl.addVertexAt(1, AcGePoint2d(1, 0));
    EXPECT_EQ(pl.moveGripPointsAt(AcDbIntArray{0, 5}, AcGeVector3d(1, 1, 0)), Acad::eInvalidIndex);
    AcGePoint2d v;
    pl.getPointAt(0u, v);
    EXPECT_NEAR(v.x, 0.0, kGeomTol) << "a bad index moves nothing at all";
}

TEST(EntityEditing, SnapPointsOfCurves) {
    AcDbArc arc(AcGePoint3d(0, 0, 0), 2.0, 0.0, kPi / 2);
    AcGePoint3dArray snaps;
    AcDbIntArray ids;
    arc.getOsnapPoints(AcDb::kOsModeMid, 0, AcGePoint3d(), AcGePoint3d(), AcGeMatrix3d(), snaps, ids);
    ASSERT_EQ(snaps.length(), 1);
    expectPoint(snaps[0], AcGePoint3d(std::sqrt(2.0), std::sqrt(2.0), 0), "arc middle");
    snaps.removeAll();
    arc.getOsnapPoints(AcDb::kOsModeQuad, 0, AcGePoint3d(), AcGePoint3d(), AcGeMatrix3d(), snaps, ids);
    EXPECT_EQ(snaps.length(), 2) << "only the quadrants on the arc";
    snaps.removeAll();
    AcDbLine line(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0));
    line.getOsnapPoints(AcDb::kOsModePerp, 0, AcGePoint3d(), AcGePoint3d(3, 5, 0), AcGeMatrix3d(), snaps, ids);
    ASSERT_EQ(snaps.length(), 1);
    expectPoint(snaps[0], AcGePoint3d(3, 0, 0), "foot of the perpendicular from the last point");
}

TEST(EntityEditing, ExplodeAndExtents) {
    AcDbPolyline pl;
    pl.addVertexAt(0, AcGePoint2d(0, 0));
    pl.addVertexAt(1, AcGePoint2d(10, 0), 1.0);
    pl.addVertexAt(2, AcGePoint2d(10, 10));
    pl.setColorIndex(2);
    AcDbVoidPtrArray parts;
    ASSERT_EQ(pl.explode(parts), Acad::eOk);
    ASSERT_EQ(parts.length(), 2);
    auto* first = AcDbLine::cast(static_cast<AcRxObject*>(parts[0]));
    auto* second = AcDbArc::cast(static_cast<AcRxObject*>(parts[1]));
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->colorIndex(), 2) << "the pieces keep the polyline's properties";
    AcGePoint3d s, e, m;
    second->getStartPoint(s);
    second->getEndPoint(e);
    expectPoint(s, AcGePoint3d(10, 0, 0), "arc piece start");
    expectPoint(e, AcGePoint3d(10, 10, 0), "arc piece end");
    second->getPointAtParam(second->startAngle() + kPi / 2, m);
    expectPoint(m, AcGePoint3d(15, 5, 0), "the arc piece bulges the same way");
    host::deleteEntitySet(parts);

    // The box of an arc reaches its outermost point, not just its ends.
    AcDbArc arc(AcGePoint3d(0, 0, 0), 1.0, -kPi / 4, kPi / 4);
    AcDbExtents ext;
    ASSERT_EQ(arc.getGeomExtents(ext), Acad::eOk);
    EXPECT_NEAR(ext.maxPoint().x, 1.0, kGeomTol);
    EXPECT_NEAR(ext.minPoint().x, std::sqrt(0.5), kGeomTol);
    EXPECT_NEAR(ext.maxPoint().y, std::sqrt(0.5), kGeomTol);

    // A solid draws filled, corners in the host's order.
    AcDbSolid solid(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0), AcGePoint3d(0, 1, 0), AcGePoint3d(1, 1, 0));
    host::gi::RecordingWorldDraw wd;
    wd.drawDrawable(&solid);
    ASSERT_EQ(wd.primitives().size(), 1u);
    const auto& poly = wd.primitives()[0];
    EXPECT_TRUE(poly.isFilled());
    ASSERT_EQ(poly.points.size(), 4u);
    expectPoint(poly.points[2], AcGePoint3d(1, 1, 0), "third outline corner is corner 3");

    AcDbFace face(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0), AcGePoint3d(1, 1, 0), AcGePoint3d(0, 1, 0), true, false);
    host::gi::RecordingWorldDraw fd;
    fd.drawDrawable(&face);
    EXPECT_EQ(fd.primitives().size(), 3u) << "the hidden edge is not drawn";
}

TEST(EntityEditing, BlocksInsideBlocksAndABlockThatHoldsItself) {
    Drawing d;
    AcDbObjectId inner = addBlock(d, L"Tuer");
    addToBlock(inner, new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0)));
    AcDbObjectId outer = addBlock(d, L"Raum");
    addToBlock(outer, new AcDbBlockReference(AcGePoint3d(5, 0, 0), inner));

    AcDbBlockReference ref(AcGePoint3d(100, 0, 0), outer);
    host::gi::RecordingWorldDraw wd;
    wd.drawDrawable(&ref);
    ASSERT_EQ(wd.primitives().size(), 1u);
    expectPoint(wd.primitives()[0].points[1], AcGePoint3d(106, 0, 0), "both insertions add up");

    // A block that (wrongly) inserts itself draws to a limit and stops.
    AcDbObjectId loop = addBlock(d, L"Schleife");
    addToBlock(loop, new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0)));
    addToBlock(loop, new AcDbBlockReference(AcGePoint3d(1, 0, 0), loop));
    AcDbBlockReference self(AcGePoint3d(0, 0, 0), loop);
    host::gi::RecordingWorldDraw loopDraw;
    loopDraw.drawDrawable(&self);
    EXPECT_GT(loopDraw.primitives().size(), 1u);
    EXPECT_LT(loopDraw.primitives().size(), 100u) << "the nesting is cut off";

    // Transforming a reference transforms its insertion, and the drawing follows.
    ASSERT_EQ(ref.transformBy(AcGeMatrix3d::rotation(kPi / 2, AcGeVector3d::kZAxis)), Acad::eOk);
    expectPoint(ref.position(), AcGePoint3d(0, 100, 0), "rotated insertion point");
    EXPECT_NEAR(ref.rotation(), kPi / 2, kGeomTol);
    host::gi::RecordingWorldDraw turned;
    turned.drawDrawable(&ref);
    expectPoint(turned.primitives()[0].points[1], AcGePoint3d(0, 106, 0), "the block turned with it");
    AcGeMatrix3d squash;
    squash(0, 0) = 2.0;
    squash(0, 1) = 1.0;
    EXPECT_EQ(ref.transformBy(squash), Acad::eCannotScaleNonUniformly) << "a shear cannot be an insertion";
    expectPoint(ref.position(), AcGePoint3d(0, 100, 0), "refused, unchanged");
}

TEST(EntityEditing, PiecesAndIntersectionsOfArcs) {
    // Two arcs of the same plane cross where their circles do, if both cover the point.
    AcDbArc a(AcGePoint3d(0, 0, 0), 1.0, 0.0, kPi);
    AcDbArc b(AcGePoint3d(1, 0, 0), 1.0, 0.0, kPi);
    AcGePoint3dArray pts;
    ASSERT_EQ(a.intersectWith(&b, AcDb::kOnBothOperands, pts), Acad::eOk);
    ASSERT_EQ(pts.length(), 1) << "the lower crossing is on neither arc";
    expectPoint(pts[0], AcGePoint3d(0.5, std::sqrt(0.75), 0), "upper crossing");
    pts.removeAll();
    a.intersectWith(&b, AcDb::kExtendBoth, pts);
    EXPECT_EQ(pts.length(), 2) << "as full circles both crossings count";

    AcDbCircle c1(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 1.0);
    AcDbCircle far(AcGePoint3d(5, 0, 0), AcGeVector3d::kZAxis, 1.0);
    pts.removeAll();
    c1.intersectWith(&far, AcDb::kOnBothOperands, pts);
    EXPECT_EQ(pts.length(), 0);
    AcDbCircle touching(AcGePoint3d(2, 0, 0), AcGeVector3d::kZAxis, 1.0);
    c1.intersectWith(&touching, AcDb::kOnBothOperands, pts);
    ASSERT_EQ(pts.length(), 1) << "touching circles meet once";
    expectPoint(pts[0], AcGePoint3d(1, 0, 0), "touch point");
}

// Parts highlighted on their own are kept by marker, each once, and go one by one; the
// whole entity's highlight is separate, and taking it away ends every part's too, as
// does the entity going away.
TEST(EntityEditing, PartsHighlightOneByOne) {
    auto line = std::make_unique<AcDbLine>(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0));
    const AcDbFullSubentPath four(AcDb::kEdgeSubentType, 4), six(AcDb::kEdgeSubentType, 6);
    line->highlight(four);
    line->highlight(six);
    line->highlight(four);
    EXPECT_FALSE(line->isHighlighted()) << "parts only, not the whole line";
    EXPECT_EQ(host::highlightedMarkers(line.get()), (std::vector<Adesk::GsMarker>{4, 6}));
    line->unhighlight(four);
    EXPECT_EQ(host::highlightedMarkers(line.get()), (std::vector<Adesk::GsMarker>{6}));
    line->highlight();
    EXPECT_TRUE(line->isHighlighted());
    EXPECT_EQ(host::highlightedMarkers(line.get()).size(), 1u);
    line->unhighlight();
    EXPECT_FALSE(line->isHighlighted());
    EXPECT_TRUE(host::highlightedMarkers(line.get()).empty());
    line->highlight(six);
    const AcDbLine* gone = line.get();
    line.reset();
    EXPECT_TRUE(host::highlightedMarkers(gone).empty());
}
