#include "DbTestHelpers.h"
#include "host/db/database/AcDbDatabaseReactor.h"
#include "host/db/database/AcDbIdMapping.h"
#include "host/db/database/AcDbObjectReactor.h"
#include "host/db/tables/AcDbLayerTable.h"
#include "host/db/entities/AcDbLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using dbtest::Drawing;

namespace {

// Remembers what the database tells it.
struct LogReactor : AcDbDatabaseReactor {
    std::vector<std::wstring> log;
    void objectAppended(const AcDbDatabase*, const AcDbObject* o) override { log.push_back(L"appended " + h(o)); }
    void objectModified(const AcDbDatabase*, const AcDbObject* o) override { log.push_back(L"modified " + h(o)); }
    void objectErased(const AcDbDatabase*, const AcDbObject* o, Adesk::Boolean e) override {
        log.push_back((e ? L"erased " : L"unerased ") + h(o));
    }
    static std::wstring h(const AcDbObject* o) { return o->handle().text(); }
};

} // namespace

// A line that follows another: its persistent-reactor callbacks count and, on
// `modified`, copy the source's start point into itself.
class FollowerLine : public AcDbLine {
public:
    ACRX_DECLARE_MEMBERS(FollowerLine);
    int modifiedCalls = 0;
    int erasedCalls = 0;
    bool sawUndoing = false;
    void modified(const AcDbObject* src) override {
        ++modifiedCalls;
        sawUndoing = sawUndoing || src->isUndoing();
        const auto* line = AcDbLine::cast(src);
        Adesk::Boolean was = false;
        if (line && upgradeFromNotify(was) == Acad::eOk) {
            setEndPoint(line->startPoint());
            downgradeToNotify(was);
        }
    }
    void erased(const AcDbObject*, Adesk::Boolean) override { ++erasedCalls; }
};
ACRX_HOST_DEFINE_MEMBERS(FollowerLine, AcDbLine, L"LINE", &host::makeObject<FollowerLine>)

TEST(AcDbObject, OpenCloseProtocolRefusesConflictingOpens) {
    Drawing d;
    AcDbObjectId id = d.append(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0)));
    ASSERT_FALSE(id.isNull());

    AcDbObject *r1 = nullptr, *r2 = nullptr, *w = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(r1, id, AcDb::kForRead), Acad::eOk);
    ASSERT_EQ(acdbOpenAcDbObject(r2, id, AcDb::kForRead), Acad::eOk) << "many readers are allowed";
    EXPECT_EQ(r1, r2);
    EXPECT_EQ(acdbOpenAcDbObject(w, id, AcDb::kForWrite), Acad::eWasOpenForRead);
    EXPECT_EQ(w, nullptr);
    EXPECT_EQ(r1->upgradeOpen(), Acad::eHadMultipleReaders);
    r2->close();
    ASSERT_EQ(r1->upgradeOpen(), Acad::eOk) << "the only reader may upgrade";
    EXPECT_TRUE(r1->isWriteEnabled());
    EXPECT_EQ(acdbOpenAcDbObject(w, id, AcDb::kForRead), Acad::eWasOpenForWrite);
    EXPECT_EQ(acdbOpenAcDbObject(w, id, AcDb::kForWrite), Acad::eWasOpenForWrite);
    ASSERT_EQ(r1->downgradeOpen(), Acad::eOk);
    EXPECT_FALSE(r1->isWriteEnabled());
    EXPECT_TRUE(r1->isReadEnabled());
    EXPECT_EQ(r1->close(), Acad::eOk);
    EXPECT_EQ(r1->close(), Acad::eNotOpenForRead) << "closing what is not open is refused, not a crash";

    // Typed opens check the class.
    AcDbLayerTableRecord* layer = nullptr;
    EXPECT_EQ(acdbOpenObject(layer, id, AcDb::kForRead), Acad::eNotThatKindOfClass);
    EXPECT_EQ(layer, nullptr);
    AcDbEntity* ent = nullptr;
    EXPECT_EQ(acdbOpenAcDbEntity(ent, d.db->layerZero(), AcDb::kForRead), Acad::eNotAnEntity);
    EXPECT_EQ(acdbOpenAcDbObject(w, AcDbObjectId(), AcDb::kForRead), Acad::eNullObjectId);
    // A failed typed open leaves nothing open.
    ASSERT_EQ(acdbOpenAcDbObject(w, id, AcDb::kForWrite), Acad::eOk);
    w->close();

    // Erased objects open only when asked for.
    ASSERT_EQ(acdbOpenAcDbObject(w, id, AcDb::kForWrite), Acad::eOk);
    EXPECT_EQ(w->erase(), Acad::eOk);
    EXPECT_EQ(w->erase(), Acad::eWasErased);
    w->close();
    EXPECT_TRUE(id.isErased());
    EXPECT_EQ(acdbOpenAcDbObject(w, id, AcDb::kForRead), Acad::eWasErased);
    ASSERT_EQ(acdbOpenAcDbObject(w, id, AcDb::kForWrite, true), Acad::eOk);
    EXPECT_EQ(w->erase(false), Acad::eOk);
    EXPECT_EQ(w->erase(false), Acad::eWasNotErased);
    w->close();
    EXPECT_FALSE(id.isErased());

    // Erasing needs write access.
    ASSERT_EQ(acdbOpenAcDbObject(r1, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(r1->erase(), Acad::eNotOpenForWrite);
    r1->close();
    EXPECT_FALSE(id.isErased());
}

TEST(AcDbObject, EntitiesOnLockedLayersCannotBeOpenedForWrite) {
    Drawing d;
    AcDbObjectId id = d.append(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0)));
    AcDbLayerTableRecord* layer = nullptr;
    ASSERT_EQ(acdbOpenObject(layer, d.db->layerZero(), AcDb::kForWrite), Acad::eOk);
    layer->setIsLocked(true);
    layer->close();

    AcDbEntity* ent = nullptr;
    EXPECT_EQ(acdbOpenAcDbEntity(ent, id, AcDb::kForWrite), Acad::eOnLockedLayer);
    ASSERT_EQ(acdbOpenAcDbEntity(ent, id, AcDb::kForRead), Acad::eOk) << "reading is fine";
    EXPECT_EQ(ent->upgradeOpen(), Acad::eOnLockedLayer) << "and upgrading is refused too";
    EXPECT_FALSE(ent->isWriteEnabled());
    ent->close();

    ASSERT_EQ(acdbOpenObject(layer, d.db->layerZero(), AcDb::kForWrite), Acad::eOk);
    layer->setIsLocked(false);
    layer->close();
    ASSERT_EQ(acdbOpenAcDbEntity(ent, id, AcDb::kForWrite), Acad::eOk);
    ent->close();
}

TEST(AcDbObject, ClosingAChangedObjectTellsItsReactorsAndTheDatabase) {
    Drawing d;
    LogReactor dbr;
    d.db->addReactor(&dbr);
    AcDbObjectId srcId = d.append(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0)));
    AcDbObjectId folId = d.append(new FollowerLine());
    std::wstring src = srcId.handle().text(), fol = folId.handle().text();
    ASSERT_EQ(dbr.log.size(), 2u);
    EXPECT_EQ(dbr.log[0], L"appended " + src);

    AcDbLine* line = nullptr;
    ASSERT_EQ(acdbOpenObject(line, srcId, AcDb::kForWrite), Acad::eOk);
    line->addPersistentReactor(folId);
    line->close();
    dbr.log.clear();

    // Opened for write and closed unchanged: nobody hears anything.
    ASSERT_EQ(acdbOpenObject(line, srcId, AcDb::kForWrite), Acad::eOk);
    line->close();
    EXPECT_TRUE(dbr.log.empty());

    FollowerLine* f = nullptr;
    ASSERT_EQ(acdbOpenObject(f, folId, AcDb::kForRead), Acad::eOk);
    const int callsBefore = f->modifiedCalls;
    f->close();

    ASSERT_EQ(acdbOpenObject(line, srcId, AcDb::kForWrite), Acad::eOk);
    line->setStartPoint(AcGePoint3d(5, 6, 0));
    EXPECT_TRUE(line->isModified());
    line->close();

    ASSERT_EQ(acdbOpenObject(f, folId, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(f->modifiedCalls, callsBefore + 1);
    EXPECT_TRUE(f->endPoint().isEqualTo(AcGePoint3d(5, 6, 0))) << "the reactor changed itself from notify";
    f->close();
    // The source's change, then the follower's own change it made in its callback.
    ASSERT_EQ(dbr.log.size(), 2u);
    EXPECT_EQ(dbr.log[0], L"modified " + fol);
    EXPECT_EQ(dbr.log[1], L"modified " + src);

    dbr.log.clear();
    ASSERT_EQ(acdbOpenObject(line, srcId, AcDb::kForWrite), Acad::eOk);
    ASSERT_EQ(line->erase(), Acad::eOk);
    line->close();
    ASSERT_EQ(acdbOpenObject(f, folId, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(f->erasedCalls, 1);
    f->close();
    ASSERT_GE(dbr.log.size(), 1u);
    EXPECT_EQ(dbr.log[0], L"erased " + src);

    // A removed reactor hears nothing more.
    ASSERT_EQ(acdbOpenObject(line, srcId, AcDb::kForWrite, true), Acad::eOk);
    EXPECT_EQ(line->removePersistentReactor(folId), Acad::eOk);
    EXPECT_FALSE(line->hasPersistentReactor(folId));
    EXPECT_EQ(line->removePersistentReactor(folId), Acad::eKeyNotFound);
    line->erase(false);
    line->close();
    ASSERT_EQ(acdbOpenObject(f, folId, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(f->erasedCalls, 1);
    f->close();
    d.db->removeReactor(&dbr);
}

TEST(AcDbObject, ANotifyingObjectCannotBeOpenedForWriteByItsReactors) {
    // A reactor that tries to write back into its source while being told must
    // get an error, not recurse forever.
    struct Greedy : AcDbDatabaseReactor {
        Acad::ErrorStatus seen = Acad::eOk;
        void objectModified(const AcDbDatabase*, const AcDbObject* o) override {
            AcDbObject* again = nullptr;
            seen = acdbOpenAcDbObject(again, o->objectId(), AcDb::kForWrite);
            if (again) again->close();
        }
    } greedy;
    Drawing d;
    AcDbObjectId id = d.append(new AcDbLine());
    d.db->addReactor(&greedy);
    AcDbLine* line = nullptr;
    ASSERT_EQ(acdbOpenObject(line, id, AcDb::kForWrite), Acad::eOk);
    line->setEndPoint(AcGePoint3d(2, 0, 0));
    line->close();
    EXPECT_EQ(greedy.seen, Acad::eWasOpenForNotify);
    d.db->removeReactor(&greedy);
}

TEST(AcDbObject, CloneAndCopyKeepTheFiledState) {
    Drawing d;
    auto* line = new AcDbLine(AcGePoint3d(1, 2, 3), AcGePoint3d(4, 5, 6));
    line->setColorIndex(3);
    AcDbObjectId id = d.append(line);
    AcDbLine* open = nullptr;
    ASSERT_EQ(acdbOpenObject(open, id, AcDb::kForRead), Acad::eOk);
    std::unique_ptr<AcDbLine> copy(AcDbLine::cast(open->clone()));
    open->close();
    ASSERT_TRUE(copy);
    EXPECT_TRUE(copy->objectId().isNull()) << "a clone is in no database";
    EXPECT_TRUE(copy->startPoint().isEqualTo(AcGePoint3d(1, 2, 3)));
    EXPECT_TRUE(copy->endPoint().isEqualTo(AcGePoint3d(4, 5, 6)));
    EXPECT_EQ(copy->colorIndex(), 3);
    EXPECT_EQ(copy->layerId(), d.db->layerZero());
    EXPECT_EQ(copy->close(), Acad::eOk) << "closing an object in no database does nothing";
}

TEST(AcDbObject, DeepCloneAppendsCopiesAndRecordsThePairs) {
    struct CopyWatch : AcDbObjectReactor {
        int copies = 0;
        void copied(const AcDbObject*, const AcDbObject*) override { ++copies; }
    } watch;
    Drawing d;
    AcDbObjectId a = d.append(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0)));
    AcDbObjectId b = d.append(new AcDbLine(AcGePoint3d(0, 1, 0), AcGePoint3d(1, 1, 0)));
    AcDbObject* obj = nullptr;
    acdbOpenAcDbObject(obj, a, AcDb::kForRead);
    obj->addReactor(&watch);
    obj->close();

    AcDbObjectIdArray ids{a, b};
    AcDbObjectId ms = d.db->modelSpaceId();
    AcDbIdMapping map;
    ASSERT_EQ(d.db->deepCloneObjects(ids, ms, map), Acad::eOk);
    EXPECT_EQ(map.pairs().size(), 2u);
    AcDbIdPair pair(a, AcDbObjectId(), false);
    ASSERT_TRUE(map.compute(pair));
    EXPECT_TRUE(pair.isCloned());
    ASSERT_NE(pair.value(), a);
    AcDbLine* copy = nullptr;
    ASSERT_EQ(acdbOpenObject(copy, pair.value(), AcDb::kForRead), Acad::eOk) << "the copy was closed";
    EXPECT_TRUE(copy->endPoint().isEqualTo(AcGePoint3d(1, 0, 0)));
    EXPECT_EQ(copy->ownerId(), ms);
    copy->close();
    EXPECT_EQ(watch.copies, 1);
    acdbOpenAcDbObject(obj, a, AcDb::kForRead);
    obj->removeReactor(&watch);
    obj->close();
}
