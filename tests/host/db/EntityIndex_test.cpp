// The entity index answers "what could be under this box" for picking and
// selecting. A stale answer picks the wrong entity or misses the right one, so
// these tests change entities in every way a drawing changes and ask again.
#include "DbTestHelpers.h"
#include "host/db/entities/AcDbBlockReference.h"
#include "host/db/entities/AcDbCircle.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/entities/AcDbPolyline.h"
#include "host/db/entities/AcDbXline.h"
#include "host/db/entities/EntityIndex.h"
#include "host/db/database/UndoManager.h"
#include "host/ge/AcGeMatrix3d.h"

#include <gtest/gtest.h>

using dbtest::Drawing;

namespace {

host::PlanBox around(double x, double y, double half = 0.5) { return {x - half, y - half, x + half, y + half}; }

std::vector<AcDbObjectId> at(AcDbDatabase* db, double x, double y) {
    return db->entityIndex().overlapping(around(x, y));
}

void move(AcDbObjectId id, double dx, double dy) {
    AcDbEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(ent, id, AcDb::kForWrite), Acad::eOk);
    ent->transformBy(AcGeMatrix3d::translation(AcGeVector3d(dx, dy, 0)));
    ent->close();
}

void erase(AcDbObjectId id) {
    AcDbEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(ent, id, AcDb::kForWrite), Acad::eOk);
    ent->erase();
    ent->close();
}

// A grid of short lines, one per 10 units, so each query has exactly one answer.
std::vector<AcDbObjectId> lineGrid(const Drawing& d, int n) {
    std::vector<AcDbObjectId> ids;
    for (int i = 0; i < n; ++i) {
        const double x = 10.0 * (i % 50), y = 10.0 * (i / 50);
        ids.push_back(d.append(new AcDbLine(AcGePoint3d(x, y, 0), AcGePoint3d(x + 2, y, 0))));
    }
    return ids;
}

} // namespace

TEST(EntityIndex, FindsWhatLiesUnderABoxAfterAppendMoveEraseAndUndo) {
    Drawing d;
    AcDbDatabase* db = d.db.get();
    const std::vector<AcDbObjectId> grid = lineGrid(d, 500);
    EXPECT_EQ(at(db, 1, 0), std::vector<AcDbObjectId>{grid[0]});
    EXPECT_EQ(at(db, 491, 90), std::vector<AcDbObjectId>{grid[499]});
    EXPECT_TRUE(at(db, 5, 5).empty()) << "nothing lies between the lines";

    // Appended after the index was made: found, and listed after older entities.
    AcDbObjectId late = d.append(new AcDbLine(AcGePoint3d(0, -1, 0), AcGePoint3d(0, 1, 0)));
    EXPECT_EQ(at(db, 0, 0), (std::vector<AcDbObjectId>{grid[0], late})) << "in append order";

    host::beginUndoGroup(db);
    move(grid[0], 1000, 1000);
    erase(grid[1]);
    host::endUndoGroup(db);
    EXPECT_EQ(at(db, 0, 0), std::vector<AcDbObjectId>{late}) << "the moved line is no longer at its old place";
    EXPECT_EQ(at(db, 1001, 1000), std::vector<AcDbObjectId>{grid[0]}) << "and is found at its new one";
    EXPECT_TRUE(at(db, 11, 0).empty()) << "an erased entity is never found";

    ASSERT_EQ(host::undoLastGroup(db), Acad::eOk);
    EXPECT_EQ(at(db, 0, 0), (std::vector<AcDbObjectId>{grid[0], late})) << "undo puts it back";
    EXPECT_TRUE(at(db, 1001, 1000).empty());
    EXPECT_EQ(at(db, 11, 0), std::vector<AcDbObjectId>{grid[1]}) << "undo brings the erased line back";

    // Endless lines can be under any box; a big window finds everything once.
    auto* endless = new AcDbXline();
    endless->setBasePoint(AcGePoint3d(-100, -100, 0));
    endless->setUnitDir(AcGeVector3d(0, 1, 0));
    AcDbObjectId xline = d.append(endless);
    EXPECT_EQ(at(db, 5, 5), std::vector<AcDbObjectId>{xline});
    EXPECT_EQ(db->entityIndex().overlapping({-1e9, -1e9, 1e9, 1e9}).size(), 502u);
}

TEST(EntityIndex, GraphicsAreKeptUntilTheEntityChanges) {
    Drawing d;
    AcDbDatabase* db = d.db.get();
    AcDbObjectId circle = d.append(new AcDbCircle(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 2.0));
    AcDbObjectId other = d.append(new AcDbLine(AcGePoint3d(50, 0, 0), AcGePoint3d(60, 0, 0)));
    host::EntityIndex& index = db->entityIndex();

    host::SharedRecording first = index.recording(circle);
    ASSERT_TRUE(first && !first->empty());
    const uint64_t draws = index.drawCount();
    EXPECT_EQ(index.recording(circle), first) << "asked again, nothing is drawn again";
    at(db, 2, 0);
    EXPECT_EQ(index.drawCount(), draws) << "a query draws nothing that has not changed";

    AcDbCircle* c = nullptr;
    ASSERT_EQ(acdbOpenObject(c, circle, AcDb::kForWrite), Acad::eOk);
    c->setRadius(5.0);
    c->close();
    host::SharedRecording second = index.recording(circle);
    ASSERT_TRUE(second && !second->empty());
    EXPECT_NE(second, first) << "a changed entity is drawn again";
    EXPECT_NEAR((*second)[0].radius, 5.0, dbtest::kGeomTol);
    EXPECT_NEAR((*first)[0].radius, 2.0, dbtest::kGeomTol) << "a caller's old copy stays whole";
    EXPECT_EQ(at(db, 5, 0), std::vector<AcDbObjectId>{circle}) << "the box grew with the radius";
    EXPECT_EQ(index.recording(other)->size(), 1u);
}

TEST(EntityIndex, ABlockDefinitionChangeMovesItsReferences) {
    Drawing d;
    AcDbDatabase* db = d.db.get();
    AcDbBlockTable* table = nullptr;
    ASSERT_EQ(db->getBlockTable(table, AcDb::kForWrite), Acad::eOk);
    auto* block = new AcDbBlockTableRecord();
    block->setName(L"Tür");
    AcDbObjectId blockId;
    ASSERT_EQ(table->add(blockId, block), Acad::eOk);
    table->close();
    AcDbObjectId inner;
    auto* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0));
    ASSERT_EQ(block->appendAcDbEntity(inner, line), Acad::eOk);
    line->close();
    block->close();
    AcDbObjectId ref = d.append(new AcDbBlockReference(AcGePoint3d(100, 0, 0), blockId));
    EXPECT_EQ(at(db, 100.5, 0), std::vector<AcDbObjectId>{ref});

    move(inner, 0, 40); // inside the block: the reference looks different without being changed
    EXPECT_TRUE(at(db, 100.5, 0).empty());
    EXPECT_EQ(at(db, 100.5, 40), std::vector<AcDbObjectId>{ref});
}

TEST(EntityIndex, KeptGraphicsStayBoundedAndWhatIsDrawnAgainIsRight) {
    // Thirty long polylines whose graphics together hold more than the index keeps.
    constexpr int kLines = 30;
    constexpr unsigned kVertices = 80000;
    Drawing d;
    AcDbDatabase* db = d.db.get();
    std::vector<AcDbObjectId> ids;
    for (int i = 0; i < kLines; ++i) {
        auto* pline = new AcDbPolyline();
        for (unsigned v = 0; v < kVertices; ++v)
            pline->addVertexAt(v, AcGePoint2d(v * 0.01, 10.0 * i + (v % 2)));
        ids.push_back(d.append(pline));
    }
    host::EntityIndex& index = db->entityIndex();
    EXPECT_EQ(index.overlapping({-1, -1, 1000, 1000}), ids) << "every one found, in append order";
    EXPECT_EQ(at(db, 100, 10.0 * 7 + 0.5), std::vector<AcDbObjectId>{ids[7]});
    const uint64_t drawn = index.drawCount();
    EXPECT_EQ(drawn, uint64_t(kLines)) << "each drawn once to learn where it lies";

    // Asked for all graphics: some were given up and are drawn again, each exactly as before.
    for (int i = 0; i < kLines; ++i) {
        host::SharedRecording r = index.recording(ids[i]);
        ASSERT_TRUE(r && !r->empty() && !r->front().points.empty() && !r->back().points.empty())
            << "polyline " << i;
        EXPECT_NEAR(r->back().points.back().x, (kVertices - 1) * 0.01, dbtest::kGeomTol) << "polyline " << i;
        EXPECT_NEAR(r->front().points.front().y, 10.0 * i, dbtest::kGeomTol) << "polyline " << i;
    }
    EXPECT_GT(index.drawCount(), drawn) << "not all of them could be kept";
    const uint64_t now = index.drawCount();
    index.recording(ids.back());
    EXPECT_EQ(index.drawCount(), now) << "the one just drawn is kept";
    EXPECT_EQ(at(db, 100, 10.0 * 7 + 0.5), std::vector<AcDbObjectId>{ids[7]}) << "boxes outlive graphics";
}
