#include "DbTestHelpers.h"
#include "host/db/tables/AcDbLayerTable.h"
#include "host/db/tables/AcDbLayerTableRecord.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/database/IdListCursor.h"

#include <gtest/gtest.h>

#include <vector>

using dbtest::Drawing;

namespace {
bool erase(AcDbObjectId id) {
    AcDbObject* obj = nullptr;
    if (acdbOpenObject(obj, id, AcDb::kForWrite) != Acad::eOk) return false;
    bool ok = obj->erase() == Acad::eOk;
    obj->close();
    return ok;
}

// The ids an iterator visits from where it stands, walking the given way.
template <class Iterator, class GetId>
std::vector<AcDbObjectId> walk(Iterator* it, bool forward, bool skipDeleted, GetId getId) {
    std::vector<AcDbObjectId> seen;
    for (; !it->done(); it->step(forward, skipDeleted)) {
        AcDbObjectId id;
        if (getId(*it, id) == Acad::eOk) seen.push_back(id);
    }
    return seen;
}
} // namespace

TEST(IdListCursor, BlockIteratorWalksBothWaysAndSeeksErasedEntities) {
    Drawing d;
    AcDbObjectId a = d.append(new AcDbLine()), b = d.append(new AcDbLine()), c = d.append(new AcDbLine());
    AcDbObjectId e = d.append(new AcDbLine());
    ASSERT_TRUE(erase(a));
    ASSERT_TRUE(erase(c));
    auto entityId = [](const AcDbBlockTableRecordIterator& it, AcDbObjectId& id) { return it.getEntityId(id); };

    AcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(acdbOpenObject(ms, d.db->modelSpaceId(), AcDb::kForRead), Acad::eOk);
    AcDbBlockTableRecordIterator* it = nullptr;
    ms->newIterator(it, false, true);
    EXPECT_EQ(walk(it, false, true, entityId), (std::vector<AcDbObjectId>{e, b})) << "backwards, erased skipped";
    AcDbObjectId id;
    EXPECT_EQ(it->getEntityId(id), Acad::eIteratorDone);
    AcDbEntity* ent = nullptr;
    EXPECT_EQ(it->getEntity(ent), Acad::eIteratorDone);
    EXPECT_EQ(ent, nullptr) << "nothing comes back past the end";
    it->step();
    EXPECT_TRUE(it->done()) << "stepping past the end stays there";
    delete it;

    ms->newIterator(it, true, false);
    EXPECT_EQ(walk(it, true, false, entityId), (std::vector<AcDbObjectId>{a, b, c, e})) << "erased ones kept";
    EXPECT_EQ(it->seek(c), Acad::eOk) << "an erased entity can be sought";
    ASSERT_EQ(it->getEntityId(id), Acad::eOk);
    EXPECT_EQ(id, c);
    EXPECT_EQ(it->getEntity(ent), Acad::eWasErased);
    ASSERT_EQ(it->getEntity(ent, AcDb::kForRead, true), Acad::eOk);
    EXPECT_EQ(ent->objectId(), c);
    ent->close();
    EXPECT_EQ(it->seek(d.db->modelSpaceId()), Acad::eInvalidInput) << "not one of the block's entities";
    ASSERT_EQ(it->getEntityId(id), Acad::eOk);
    EXPECT_EQ(id, c) << "a failed seek stays where it was";
    EXPECT_EQ(it->seek(static_cast<const AcDbEntity*>(nullptr)), Acad::eNullEntityPointer);
    delete it;
    ms->close();
}

TEST(IdListCursor, TableIteratorAndOwnedIdFiling) {
    Drawing d;
    AcDbLayerTable* layers = nullptr;
    ASSERT_EQ(d.db->getLayerTable(layers, AcDb::kForRead), Acad::eOk);
    AcDbLayerTableIterator* it = nullptr;
    layers->newIterator(it, false);
    auto recordId = [](const AcDbLayerTableIterator& i, AcDbObjectId& id) { return i.getRecordId(id); };
    std::vector<AcDbObjectId> backwards = walk(it, false, true, recordId);
    ASSERT_FALSE(backwards.empty());
    EXPECT_EQ(backwards.back(), d.db->layerZero()) << "layer 0 comes first, so last walking back";
    AcDbLayerTableRecord* rec = nullptr;
    EXPECT_EQ(it->getRecord(rec), Acad::eIteratorDone);
    ASSERT_EQ(it->seek(d.db->layerZero()), Acad::eOk);
    ASSERT_EQ(it->getRecord(rec), Acad::eOk);
    EXPECT_EQ(rec->objectId(), d.db->layerZero());
    rec->close();
    delete it;
    layers->close();

    // The ids go out with their count and come back; a null id is dropped.
    AcDbObjectId a = d.append(new AcDbLine()), b = d.append(new AcDbLine());
    host::DwgBufferFiler out(AcDb::kFileFiler, d.db.get());
    host::writeOwnedIds(&out, {a, AcDbObjectId::kNull, b});
    std::vector<AcDbObjectId> back;
    host::DwgBufferFiler in(out.bytes(), AcDb::kFileFiler, d.db.get());
    ASSERT_EQ(host::readOwnedIds(&in, back), Acad::eOk);
    EXPECT_EQ(back, (std::vector<AcDbObjectId>{a, b}));

    // Cut short (the count promises more than there is): refused, the list untouched.
    std::vector<uint8_t> cut(out.bytes().begin(), out.bytes().end() - 1);
    host::DwgBufferFiler shortIn(cut, AcDb::kFileFiler, d.db.get());
    EXPECT_NE(host::readOwnedIds(&shortIn, back), Acad::eOk);
    EXPECT_EQ(back, (std::vector<AcDbObjectId>{a, b}));
    // A count of four billion with nothing behind it ends at the data.
    host::DwgBufferFiler huge(AcDb::kFileFiler, d.db.get());
    huge.writeUInt32(0xFFFFFFFFu);
    host::DwgBufferFiler hugeIn(huge.bytes(), AcDb::kFileFiler, d.db.get());
    EXPECT_EQ(host::readOwnedIds(&hugeIn, back), Acad::eEndOfFile);
    EXPECT_EQ(back.size(), 2u);
}
