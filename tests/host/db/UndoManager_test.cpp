#include "DbTestHelpers.h"
#include "host/db/database/AcDbDatabaseReactor.h"
#include "host/db/tables/AcDbLayerTable.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/database/UndoManager.h"

#include <gtest/gtest.h>

using dbtest::Drawing;

namespace {
AcGePoint3d startOf(AcDbObjectId id) {
    AcDbLine* line = nullptr;
    if (acdbOpenObject(line, id, AcDb::kForRead, true) != Acad::eOk) return AcGePoint3d(-1, -1, -1);
    AcGePoint3d p = line->startPoint();
    line->close();
    return p;
}
} // namespace

TEST(UndoManager, UndoRestoresModifiedAppendedAndErasedObjects) {
    Drawing d;
    AcDbObjectId kept = d.append(new AcDbLine(AcGePoint3d(1, 0, 0), AcGePoint3d(2, 0, 0)));
    AcDbObjectId doomed = d.append(new AcDbLine(AcGePoint3d(3, 0, 0), AcGePoint3d(4, 0, 0)));

    host::beginUndoGroup(d.db.get());
    AcDbLine* line = nullptr;
    ASSERT_EQ(acdbOpenObject(line, kept, AcDb::kForWrite), Acad::eOk);
    line->setStartPoint(AcGePoint3d(10, 10, 0));
    line->setColorIndex(1);
    line->close();
    // A second change in the same group: undo goes back to before the first.
    ASSERT_EQ(acdbOpenObject(line, kept, AcDb::kForWrite), Acad::eOk);
    line->setStartPoint(AcGePoint3d(20, 20, 0));
    line->close();
    ASSERT_EQ(acdbOpenObject(line, doomed, AcDb::kForWrite), Acad::eOk);
    line->erase();
    line->close();
    AcDbObjectId added = d.append(new AcDbLine(AcGePoint3d(5, 0, 0), AcGePoint3d(6, 0, 0)));
    host::endUndoGroup(d.db.get());

    EXPECT_TRUE(doomed.isErased());
    ASSERT_EQ(host::undoLastGroup(d.db.get()), Acad::eOk);
    EXPECT_TRUE(startOf(kept).isEqualTo(AcGePoint3d(1, 0, 0)));
    ASSERT_EQ(acdbOpenObject(line, kept, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(line->colorIndex(), 256);
    EXPECT_FALSE(line->isUndoing()) << "undoing ends with the undo";
    line->close();
    EXPECT_FALSE(doomed.isErased()) << "what was erased is back";
    EXPECT_TRUE(startOf(doomed).isEqualTo(AcGePoint3d(3, 0, 0)));
    EXPECT_TRUE(added.isErased()) << "what was appended is gone";

    EXPECT_EQ(host::undoLastGroup(d.db.get()), Acad::eNotApplicable) << "nothing more to undo";
}

TEST(UndoManager, ReactorsSeeUndoingAndNothingIsRecordedOutsideGroups) {
    struct Watch : AcDbDatabaseReactor {
        int modified = 0, undoing = 0;
        void objectModified(const AcDbDatabase*, const AcDbObject* o) override {
            ++modified;
            if (o->isUndoing()) ++undoing;
        }
    } watch;
    Drawing d;
    AcDbObjectId id = d.append(new AcDbLine(AcGePoint3d(1, 0, 0), AcGePoint3d(2, 0, 0)));

    // Outside a group: changed, but not undoable.
    AcDbLine* line = nullptr;
    acdbOpenObject(line, id, AcDb::kForWrite);
    line->setStartPoint(AcGePoint3d(9, 0, 0));
    line->close();
    EXPECT_EQ(host::undoLastGroup(d.db.get()), Acad::eNotApplicable);

    // Nested groups make one group; an empty group makes none.
    host::beginUndoGroup(d.db.get());
    host::endUndoGroup(d.db.get());
    EXPECT_EQ(d.db->undoManager().groupCount(), 0);
    host::beginUndoGroup(d.db.get());
    host::beginUndoGroup(d.db.get());
    acdbOpenObject(line, id, AcDb::kForWrite);
    line->setStartPoint(AcGePoint3d(8, 0, 0));
    line->close();
    host::endUndoGroup(d.db.get());
    acdbOpenObject(line, id, AcDb::kForWrite);
    line->setStartPoint(AcGePoint3d(7, 0, 0));
    line->close();
    host::endUndoGroup(d.db.get());
    EXPECT_EQ(d.db->undoManager().groupCount(), 1);

    d.db->addReactor(&watch);
    ASSERT_EQ(host::undoLastGroup(d.db.get()), Acad::eOk);
    d.db->removeReactor(&watch);
    EXPECT_TRUE(startOf(id).isEqualTo(AcGePoint3d(9, 0, 0)));
    EXPECT_EQ(watch.modified, 1);
    EXPECT_EQ(watch.undoing, 1) << "the reactors hear of the restore while isUndoing() is true";
}

TEST(UndoManager, TableRecordsComeBackToo) {
    Drawing d;
    host::beginUndoGroup(d.db.get());
    AcDbLayerTable* layers = nullptr;
    ASSERT_EQ(d.db->getLayerTable(layers, AcDb::kForWrite), Acad::eOk);
    auto* rec = new AcDbLayerTableRecord();
    rec->setName(L"Bema\u00dfung");
    AcDbObjectId layerId;
    ASSERT_EQ(layers->add(layerId, rec), Acad::eOk);
    rec->close();
    layers->close();
    AcDbLayerTableRecord* zero = nullptr;
    ASSERT_EQ(acdbOpenObject(zero, d.db->layerZero(), AcDb::kForWrite), Acad::eOk);
    zero->setIsOff(true);
    AcCmColor red;
    red.setColorIndex(1);
    zero->setColor(red);
    zero->close();
    host::endUndoGroup(d.db.get());

    ASSERT_EQ(host::undoLastGroup(d.db.get()), Acad::eOk);
    ASSERT_EQ(d.db->getLayerTable(layers, AcDb::kForRead), Acad::eOk);
    EXPECT_FALSE(layers->has(L"Bema\u00dfung")) << "the added layer is gone";
    layers->close();
    ASSERT_EQ(acdbOpenObject(zero, d.db->layerZero(), AcDb::kForRead), Acad::eOk);
    EXPECT_FALSE(zero->isOff());
    EXPECT_EQ(zero->color().colorIndex(), 7);
    zero->close();
}

TEST(UndoManager, SwitchedOffRecordingLeavesTemporaryObjectsOutOfUndo) {
    Drawing d;
    host::beginUndoGroup(d.db.get());
    d.db->disableUndoRecording(true);
    EXPECT_FALSE(d.db->undoRecording());
    AcDbObjectId temp = d.append(new AcDbLine());
    d.db->disableUndoRecording(false);
    AcDbObjectId kept = d.append(new AcDbLine());
    host::endUndoGroup(d.db.get());
    ASSERT_EQ(host::undoLastGroup(d.db.get()), Acad::eOk);
    EXPECT_FALSE(temp.isErased()) << "made while recording was off: not undone";
    EXPECT_TRUE(kept.isErased());
}
