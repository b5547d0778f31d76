#include "DbTestHelpers.h"
#include "host/db/tables/AcDbDimStyleTable.h"
#include "host/db/tables/AcDbLayerTable.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/tables/AcDbLinetypeTable.h"
#include "host/db/tables/AcDbRegAppTable.h"
#include "host/db/tables/AcDbSortentsTable.h"
#include "host/db/tables/AcDbTextStyleTable.h"
#include "host/rx/acutString.h"

#include <gtest/gtest.h>

using dbtest::Drawing;

TEST(SymbolTables, ANewDrawingHasWhatANewDrawingHas) {
    Drawing d;
    AcDbDatabase* db = d.db.get();
    AcDbBlockTable* blocks = nullptr;
    ASSERT_EQ(db->getBlockTable(blocks, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(blocks->has(ACDB_MODEL_SPACE));
    EXPECT_TRUE(blocks->has(L"*paper_space")) << "names are found without regard to case";
    blocks->close();
    AcDbLayerTable* layers = nullptr;
    ASSERT_EQ(db->getLayerTable(layers, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(layers->has(L"0"));
    layers->close();
    AcDbLinetypeTable* ltypes = nullptr;
    ASSERT_EQ(db->getLinetypeTable(ltypes, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(ltypes->has(L"ByBlock") && ltypes->has(L"ByLayer") && ltypes->has(L"Continuous"));
    ltypes->close();
    AcDbTextStyleTable* styles = nullptr;
    ASSERT_EQ(db->getTextStyleTable(styles, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(styles->has(L"Standard"));
    styles->close();
    AcDbDimStyleTable* dims = nullptr;
    ASSERT_EQ(db->getDimStyleTable(dims, AcDb::kForRead), Acad::eOk);
    AcDbDimStyleTableRecord* standard = nullptr;
    ASSERT_EQ(dims->getAt(L"Standard", standard, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(standard->dimtxsty(), db->textstyle()) << "the dimension style writes in the standard text style";
    standard->close();
    dims->close();
    AcDbRegAppTable* apps = nullptr;
    ASSERT_EQ(db->getRegAppTable(apps, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(apps->has(L"ACAD"));
    apps->close();
    EXPECT_EQ(db->clayer(), db->layerZero());

    // A database read from disk starts empty: no tables until the file brings them.
    AcDbDatabase empty(false, true);
    EXPECT_EQ(empty.getBlockTable(blocks, AcDb::kForRead), Acad::eMissingSymbolTable);
    EXPECT_TRUE(empty.modelSpaceId().isNull());
}

TEST(SymbolTables, LayerStatesColoursAndNames) {
    Drawing d;
    AcDbLayerTable* layers = nullptr;
    ASSERT_EQ(d.db->getLayerTable(layers, AcDb::kForWrite), Acad::eOk);
    auto* rec = new AcDbLayerTableRecord();
    EXPECT_EQ(rec->setName(L"bad<name"), Acad::eInvalidSymbolTableName);
    EXPECT_EQ(rec->setName(L" lead"), Acad::eInvalidSymbolTableName);
    EXPECT_EQ(rec->setName(L"scale 1:50"), Acad::eInvalidSymbolTableName) << "the host allows no colon";
    ASSERT_EQ(rec->setName(L"Bema\u00dfung 1-50"), Acad::eOk);
    AcCmColor c;
    c.setColorIndex(3);
    rec->setColor(c);
    rec->setIsFrozen(true);
    rec->setIsOff(true);
    rec->setIsLocked(true);
    AcDbObjectId id;
    ASSERT_EQ(layers->add(id, rec), Acad::eOk);
    rec->close();
    auto* dup = new AcDbLayerTableRecord();
    dup->setName(L"BEMASSUNG 1-50");
    EXPECT_EQ(layers->add(dup), Acad::eOk) << "ss is not \u00df";
    dup->close();
    auto* dup2 = new AcDbLayerTableRecord();
    dup2->setName(L"bema\u00dfung 1-50");
    EXPECT_EQ(layers->add(dup2), Acad::eDuplicateRecordName);
    delete dup2;
    layers->close();

    AcDbLayerTableRecord* back = nullptr;
    ASSERT_EQ(acdbOpenObject(back, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(back->color().colorIndex(), 3);
    EXPECT_TRUE(back->isFrozen());
    EXPECT_TRUE(back->isOff());
    EXPECT_TRUE(back->isLocked());
    back->close();

    // The current layer and layer "0" stay: no freezing, no erasing, no renaming "0".
    AcDbLayerTableRecord* zero = nullptr;
    ASSERT_EQ(acdbOpenObject(zero, d.db->layerZero(), AcDb::kForWrite), Acad::eOk);
    EXPECT_NE(zero->setIsFrozen(true), Acad::eOk);
    EXPECT_FALSE(zero->isFrozen());
    EXPECT_NE(zero->erase(), Acad::eOk);
    EXPECT_NE(zero->setName(L"Null"), Acad::eOk);
    zero->close();
    EXPECT_FALSE(d.db->layerZero().isErased());

    // Renaming in the table keeps names unique and findable.
    ASSERT_EQ(acdbOpenObject(back, id, AcDb::kForWrite), Acad::eOk);
    EXPECT_EQ(back->setName(L"0"), Acad::eDuplicateRecordName);
    ASSERT_EQ(back->setName(L"Renamed"), Acad::eOk);
    back->close();
    ASSERT_EQ(d.db->getLayerTable(layers, AcDb::kForRead), Acad::eOk);
    AcDbObjectId found;
    EXPECT_EQ(layers->getAt(L"renamed", found), Acad::eOk);
    EXPECT_EQ(found, id);
    EXPECT_FALSE(layers->has(L"Bema\u00dfung 1-50"));
    auto* refused = new AcDbLayerTableRecord();
    refused->setName(L"Neu");
    EXPECT_EQ(layers->add(refused), Acad::eNotOpenForWrite) << "a table open for read takes nothing";
    delete refused; // refused: still the caller's
    layers->close();
}

TEST(SymbolTables, EntitiesTakeLayersByNameAndTheIteratorSkipsErased) {
    Drawing d;
    AcDbObjectId a = d.append(new AcDbLine());
    AcDbObjectId b = d.append(new AcDbLine());
    AcDbLine* line = nullptr;
    ASSERT_EQ(acdbOpenObject(line, a, AcDb::kForWrite), Acad::eOk);
    EXPECT_EQ(line->setLayer(L"missing"), Acad::eKeyNotFound);
    EXPECT_EQ(line->setColorIndex(300), Acad::eInvalidInput);
    EXPECT_EQ(line->colorIndex(), 256);
    wchar_t* name = line->layer();
    EXPECT_STREQ(name, L"0");
    acutDelString(name);
    line->erase();
    line->close();

    AcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(acdbOpenObject(ms, d.db->modelSpaceId(), AcDb::kForRead), Acad::eOk);
    AcDbBlockTableRecordIterator* it = nullptr;
    ms->newIterator(it);
    int count = 0;
    for (; !it->done(); it->step()) {
        AcDbObjectId id;
        it->getEntityId(id);
        EXPECT_EQ(id, b);
        ++count;
    }
    EXPECT_EQ(count, 1);
    delete it;
    auto* refused = new AcDbLine();
    EXPECT_EQ(ms->appendAcDbEntity(refused), Acad::eNotOpenForWrite);
    EXPECT_TRUE(refused->objectId().isNull());
    delete refused;
    ms->close();
}

TEST(SymbolTables, DrawOrderMovesEntitiesToTopAndBottom) {
    Drawing d;
    AcDbObjectId a = d.append(new AcDbLine()), b = d.append(new AcDbLine()), c = d.append(new AcDbLine());
    AcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(acdbOpenObject(ms, d.db->modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    AcDbSortentsTable* sort = nullptr;
    EXPECT_EQ(ms->getSortentsTable(sort, AcDb::kForWrite), Acad::eKeyNotFound);
    ASSERT_EQ(ms->getSortentsTable(sort, AcDb::kForWrite, true), Acad::eOk);
    ms->close();

    AcDbObjectIdArray order;
    sort->getFullDrawOrder(order);
    ASSERT_EQ(order.length(), 3);
    EXPECT_EQ(order[0], a);
    EXPECT_EQ(order[2], c) << "append order until moved";
    ASSERT_EQ(sort->moveToTop(AcDbObjectIdArray{a}), Acad::eOk);
    ASSERT_EQ(sort->moveToBottom(AcDbObjectIdArray{c}), Acad::eOk);
    sort->getFullDrawOrder(order);
    EXPECT_EQ(order[0], c);
    EXPECT_EQ(order[1], b);
    EXPECT_EQ(order[2], a);
    ASSERT_EQ(sort->moveAbove(AcDbObjectIdArray{c}, b), Acad::eOk);
    bool before = false;
    sort->firstEntityIsDrawnBeforeSecond(before, b, c);
    EXPECT_TRUE(before);
    EXPECT_EQ(sort->moveToTop(AcDbObjectIdArray{d.db->layerZero()}), Acad::eInvalidInput)
        << "only the block's entities move";
    sort->close();

    // The order is filed with the table.
    auto copy = dbtest::roundTrip(sort, d.db.get());
    ASSERT_TRUE(copy);
    copy->getFullDrawOrder(order);
    EXPECT_EQ(order[2], a);
}
