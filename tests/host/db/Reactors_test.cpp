#include "DbTestHelpers.h"
#include "host/db/database/AcDbDatabaseReactor.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/database/AcDbObjectReactor.h"
#include "host/db/tables/AcDbRegAppTableRecord.h"
#include "host/db/database/UndoManager.h"
#include "host/db/database/acutResbuf.h"

#include <gtest/gtest.h>

using dbtest::Drawing;

namespace {
struct Transient : AcDbObjectReactor {
    int opened = 0, modifies = 0, erasures = 0, unerasures = 0, xdata = 0;
    void openedForModify(const AcDbObject*) override { ++opened; }
    void modified(const AcDbObject*) override { ++modifies; }
    void modifiedXData(const AcDbObject*) override { ++xdata; }
    void erased(const AcDbObject*, Adesk::Boolean e) override { e ? ++erasures : ++unerasures; }
};
} // namespace

TEST(Reactors, TransientReactorsHearEachStepOnce) {
    Drawing d;
    acdbRegApp(L"LINTARO_OBJECT");
    AcDbObjectId id = d.append(new AcDbLine());
    Transient t;
    AcDbLine* line = nullptr;
    acdbOpenObject(line, id, AcDb::kForRead);
    line->addReactor(&t);
    line->addReactor(&t); // twice is once
    line->close();

    acdbOpenObject(line, id, AcDb::kForWrite);
    line->setStartPoint(AcGePoint3d(1, 0, 0));
    line->setEndPoint(AcGePoint3d(2, 0, 0));
    EXPECT_EQ(t.opened, 1) << "the first change of an open tells it, the second does not";
    EXPECT_EQ(t.modifies, 0) << "modified comes with close";
    line->close();
    EXPECT_EQ(t.modifies, 1);

    acdbOpenObject(line, id, AcDb::kForWrite);
    resbuf* rb = acutBuildList(1001, L"LINTARO_OBJECT", 1000, L"AB", 0);
    line->setXData(rb);
    acutRelRb(rb);
    line->close();
    EXPECT_EQ(t.xdata, 1);

    acdbOpenObject(line, id, AcDb::kForWrite);
    line->erase();
    line->erase(false);
    line->close();
    EXPECT_EQ(t.erasures, 1);
    EXPECT_EQ(t.unerasures, 1);

    acdbOpenObject(line, id, AcDb::kForRead);
    line->removeReactor(&t);
    line->close();
    acdbOpenObject(line, id, AcDb::kForWrite);
    line->setStartPoint(AcGePoint3d(5, 0, 0));
    line->close();
    EXPECT_EQ(t.modifies, 3) << "a removed reactor hears nothing more";
}

TEST(Reactors, AReactorMayLeaveWhileBeingToldAndUpgradeNeedsANotifyOpen) {
    struct Leaver : AcDbDatabaseReactor {
        AcDbDatabase* db = nullptr;
        int calls = 0;
        void objectModified(const AcDbDatabase*, const AcDbObject*) override {
            ++calls;
            db->removeReactor(this);
        }
    } leaver;
    struct Stayer : AcDbDatabaseReactor {
        int calls = 0;
        void objectModified(const AcDbDatabase*, const AcDbObject*) override { ++calls; }
    } stayer;
    Drawing d;
    leaver.db = d.db.get();
    d.db->addReactor(&leaver);
    d.db->addReactor(&stayer);
    AcDbObjectId id = d.append(new AcDbLine());
    for (int i = 0; i < 2; ++i) {
        AcDbLine* line = nullptr;
        acdbOpenObject(line, id, AcDb::kForWrite);
        line->setEndPoint(AcGePoint3d(i + 1.0, 0, 0));
        line->close();
    }
    EXPECT_EQ(leaver.calls, 1);
    EXPECT_EQ(stayer.calls, 2) << "the others are still told";
    d.db->removeReactor(&stayer);

    AcDbLine* line = nullptr;
    acdbOpenObject(line, id, AcDb::kForRead);
    Adesk::Boolean was = true;
    EXPECT_EQ(line->upgradeFromNotify(was), Acad::eNotOpenForRead) << "only a notify open upgrades that way";
    EXPECT_FALSE(was);
    EXPECT_FALSE(line->isWriteEnabled());
    EXPECT_EQ(line->downgradeOpen(), Acad::eNotOpenForWrite);
    line->close();
}

TEST(Reactors, UndoBringsBackExtendedDataAndPersistentReactors) {
    Drawing d;
    acdbRegApp(L"LINTARO_DATA");
    AcDbObjectId follower = d.append(new AcDbLine());
    AcDbObjectId id = d.append(new AcDbLine());
    AcDbLine* line = nullptr;
    acdbOpenObject(line, id, AcDb::kForWrite);
    resbuf* rb = acutBuildList(1001, L"LINTARO_DATA", 1000, L"vorher", 0);
    line->setXData(rb);
    acutRelRb(rb);
    line->addPersistentReactor(follower);
    line->close();

    host::beginUndoGroup(d.db.get());
    acdbOpenObject(line, id, AcDb::kForWrite);
    rb = acutBuildList(1001, L"LINTARO_DATA", 0);
    line->setXData(rb); // removes it
    acutRelRb(rb);
    line->removePersistentReactor(follower);
    line->close();
    host::endUndoGroup(d.db.get());

    ASSERT_EQ(host::undoLastGroup(d.db.get()), Acad::eOk);
    acdbOpenObject(line, id, AcDb::kForRead);
    resbuf* back = line->xData(L"LINTARO_DATA");
    ASSERT_NE(back, nullptr);
    EXPECT_STREQ(back->rbnext->resval.rstring, L"vorher");
    acutRelRb(back);
    EXPECT_TRUE(line->hasPersistentReactor(follower));
    line->close();
}

namespace {
// Looks at the object that tells it of a change, the way a reactor reads a curve.
struct Reader : AcDbObjectReactor {
    Acad::ErrorStatus opened = Acad::eNotApplicable, closed = Acad::eNotApplicable;
    void modified(const AcDbObject* obj) override {
        AcDbLine* line = nullptr;
        opened = acdbOpenObject(line, obj->objectId(), AcDb::kForRead);
        if (line) closed = line->close();
    }
};
} // namespace

TEST(Reactors, AReadOpenDuringTheNotificationLeavesTheObjectWritableAfterwards) {
    Drawing d;
    AcDbObjectId id = d.append(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0)));
    Reader reader;
    AcDbLine* line = nullptr;
    ASSERT_EQ(acdbOpenObject(line, id, AcDb::kForWrite), Acad::eOk);
    line->addReactor(&reader);
    line->setEndPoint(AcGePoint3d(2, 0, 0));
    ASSERT_EQ(line->close(), Acad::eOk);
    EXPECT_EQ(reader.opened, Acad::eOk);
    EXPECT_EQ(reader.closed, Acad::eOk);

    // Nothing is left open: the next writer gets the line.
    ASSERT_EQ(acdbOpenObject(line, id, AcDb::kForWrite), Acad::eOk);
    EXPECT_FALSE(line->isNotifying());
    line->removeReactor(&reader);
    line->close();
}
