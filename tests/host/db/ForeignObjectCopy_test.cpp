// Another drawing's model space read into a block of this one, as attaching an
// external reference does: the copies refer only to this drawing's records, the
// drawing's own records stay as they are, and bad requests change nothing.
#include "DbTestHelpers.h"

#include "host/db/database/ForeignObjectCopy.h"
#include "host/db/dimensions/AcDbRotatedDimension.h"
#include "host/db/entities/AcDbBlockReference.h"
#include "host/db/entities/AcDbCircle.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/tables/AcDbDimStyleTable.h"
#include "host/db/tables/AcDbLayerTable.h"
#include "host/db/tables/acdbXref.h"
#include "host/rx/acutString.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using dbtest::Drawing;

namespace {


AcDbObjectId addBlock(AcDbDatabase* db, const wchar_t* name, AcDbEntity* content = nullptr) {
    AcDbBlockTable* table = nullptr;
    AcDbObjectId id;
    if (db->getBlockTable(table, AcDb::kForWrite) != Acad::eOk) return id;
    auto* block = new AcDbBlockTableRecord();
    block->setName(name);
    if (table->add(id, block) == Acad::eOk) {
        if (content && block->appendAcDbEntity(content) == Acad::eOk) content->close();
        block->close();
    } else {
        delete block;
    }
    table->close();
    return id;
}

struct LayerSeen {
    std::wstring name;
    int colour = -1;
};

LayerSeen layerOf(const AcDbEntity* entity) {
    LayerSeen seen;
    AcDbLayerTableRecord* layer = nullptr;
    if (acdbOpenObject(layer, entity->layerId(), AcDb::kForRead) != Acad::eOk) return seen;
    seen.name = layer->name();
    seen.colour = layer->color().colorIndex();
    layer->close();
    return seen;
}

std::vector<AcDbObjectId> entitiesOf(AcDbObjectId blockId) {
    AcDbBlockTableRecord* block = nullptr;
    std::vector<AcDbObjectId> ids;
    if (acdbOpenObject(block, blockId, AcDb::kForRead) != Acad::eOk) return ids;
    ids = block->entityIds();
    block->close();
    return ids;
}

size_t blockCount(AcDbDatabase* db) {
    AcDbBlockTable* table = nullptr;
    if (db->getBlockTable(table, AcDb::kForRead) != Acad::eOk) return 0;
    const size_t n = table->recordIds().size();
    table->close();
    return n;
}

} // namespace

TEST(ForeignObjectCopy, EntitiesComeWithTheirLayersStylesAndBlocksAndReferToNothingOfTheSource) {
    Drawing target;
    AcDbDatabase* db = target.db.get();
    dbtest::addLayer(db, L"TUEREN", 1);
    const AcDbObjectId xref = addBlock(db, L"GRUNDRISS");
    ASSERT_FALSE(xref.isNull());
    {
        auto source = std::make_unique<AcDbDatabase>();
        const AcDbObjectId walls = dbtest::addLayer(source.get(), L"WAENDE", 3);
        const AcDbObjectId doors = dbtest::addLayer(source.get(), L"TUEREN", 5);
        auto* wall = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0));
        wall->setLayer(walls);
        dbtest::appendToModelSpace(source.get(), wall);
        auto* door = new AcDbLine(AcGePoint3d(2, 0, 0), AcGePoint3d(3, 1, 0));
        door->setLayer(doors);
        dbtest::appendToModelSpace(source.get(), door);
        AcDbDimStyleTable* styles = nullptr;
        ASSERT_EQ(source->getDimStyleTable(styles, AcDb::kForWrite), Acad::eOk);
        auto* arch = new AcDbDimStyleTableRecord();
        arch->setName(L"ARCH");
        AcDbObjectId archId;
        ASSERT_EQ(styles->add(archId, arch), Acad::eOk);
        arch->close();
        styles->close();
        dbtest::appendToModelSpace(source.get(),
                                   new AcDbRotatedDimension(0.0, AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0),
                                                            AcGePoint3d(5, -2, 0), nullptr, archId));
        const AcDbObjectId window =
            addBlock(source.get(), L"FENSTER", new AcDbCircle(AcGePoint3d(), AcGeVector3d::kZAxis, 0.5));
        dbtest::appendToModelSpace(source.get(), new AcDbBlockReference(AcGePoint3d(6, 0, 0), window));

        host::ForeignCopyReport report;
        ASSERT_EQ(host::copyModelSpaceInto(source.get(), xref, report), Acad::eOk);
        EXPECT_EQ(report.copied, 4);
        EXPECT_EQ(report.skipped, 0);
        EXPECT_EQ(host::copyModelSpaceInto(db, xref, report), Acad::eInvalidInput) << "a drawing into itself";
    } // the source is gone: whatever the copies kept of it would now dangle

    const std::vector<AcDbObjectId> ids = entitiesOf(xref);
    ASSERT_EQ(ids.size(), 4u);
    std::vector<LayerSeen> layers;
    for (AcDbObjectId id : ids) {
        AcDbEntity* entity = nullptr;
        ASSERT_EQ(acdbOpenAcDbEntity(entity, id, AcDb::kForRead), Acad::eOk);
        EXPECT_EQ(entity->layerId().database(), db);
        EXPECT_EQ(entity->linetypeId().database(), db);
        layers.push_back(layerOf(entity));
        if (auto* dim = AcDbRotatedDimension::cast(entity)) {
            AcDbDimStyleTableRecord* style = nullptr;
            ASSERT_EQ(acdbOpenObject(style, dim->dimensionStyle(), AcDb::kForRead), Acad::eOk);
            EXPECT_EQ(style->database(), db);
            EXPECT_EQ(style->name(), L"ARCH") << "a style this drawing lacked came along";
            style->close();
            EXPECT_NEAR(dim->xLine2Point().x, 10.0, dbtest::kGeomTol);
        }
        if (auto* ref = AcDbBlockReference::cast(entity)) {
            AcDbBlockTableRecord* block = nullptr;
            ASSERT_EQ(acdbOpenObject(block, ref->blockTableRecord(), AcDb::kForRead), Acad::eOk);
            EXPECT_EQ(block->database(), db);
            EXPECT_EQ(block->name(), L"FENSTER");
            block->close();
            EXPECT_EQ(entitiesOf(ref->blockTableRecord()).size(), 1u) << "the block came with its circle";
        }
        entity->close();
    }
    EXPECT_EQ(layers[0].name, L"WAENDE");
    EXPECT_EQ(layers[0].colour, 3) << "a layer this drawing lacked came with its colour";
    EXPECT_EQ(layers[1].name, L"TUEREN");
    EXPECT_EQ(layers[1].colour, 1) << "this drawing's own layer of the name stays as it was";
}

TEST(ForeignObjectCopy, AnExternalReferenceKeepsItsPathAndOverlayThroughFilingAndUndo) {
    Drawing d;
    AcDbBlockTableRecord block;
    EXPECT_FALSE(block.isFromExternalReference());
    EXPECT_EQ(block.setIsFromOverlayReference(true), Acad::eNotApplicable)
        << "only a reference is an overlay";
    ASSERT_EQ(block.setPathName(L"../Pl\u00e4ne/Grundriss EG.dwg"), Acad::eOk);
    ASSERT_EQ(block.setIsFromOverlayReference(true), Acad::eOk);
    EXPECT_TRUE(block.isFromExternalReference());
    EXPECT_TRUE(block.isFromOverlayReference());
    for (AcDb::FilerType type : {AcDb::kFileFiler, AcDb::kUndoFiler, AcDb::kCopyFiler}) {
        auto copy = dbtest::roundTrip(&block, d.db.get(), type);
        ASSERT_NE(copy, nullptr) << "filer type " << int(type);
        const wchar_t* path = nullptr;
        ASSERT_EQ(copy->pathName(path), Acad::eOk);
        EXPECT_EQ(std::wstring(path), L"../Pl\u00e4ne/Grundriss EG.dwg");
        EXPECT_TRUE(copy->isFromOverlayReference());
    }
    AcDbBlockTableRecord* model = nullptr;
    ASSERT_EQ(acdbOpenObject(model, d.db->modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    EXPECT_EQ(model->setPathName(L"other.dwg"), Acad::eIllegalReplacement) << "a layout refers to no drawing";
    EXPECT_FALSE(model->isFromExternalReference());
    model->close();
}

TEST(ForeignObjectCopy, AttachingRefusesBadRequestsAndChangesNothing) {
    Drawing d;
    AcDbDatabase* db = d.db.get();
    addBlock(db, L"TUER");
    const size_t before = blockCount(db);
    AcDbObjectId id;
    EXPECT_EQ(acdbAttachXref(nullptr, L"a.dwg", L"A", id), Acad::eInvalidInput);
    EXPECT_EQ(acdbAttachXref(db, L"", L"A", id), Acad::eInvalidInput);
    EXPECT_EQ(acdbAttachXref(db, L"a.dwg", L"A:B", id), Acad::eInvalidSymbolTableName);
    EXPECT_EQ(acdbAttachXref(db, L"tuer.dwg", L"TUER", id), Acad::eDuplicateRecordName)
        << "a block of this drawing is never replaced by a reference";
    EXPECT_NE(acdbOverlayXref(db, L"/no/such/folder/plan.dwg", L"PLAN", id), Acad::eOk);
    EXPECT_TRUE(id.isNull());
    EXPECT_EQ(blockCount(db), before);
}
