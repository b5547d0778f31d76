// What comes in from DXF entity by entity: vertices and bulges, old polylines,
// insertions with odd scales, dimensions with their overrides, long texts, layer
// states, and what stays out (counted by type).
#include "DxfTestHelpers.h"
#include "host/db/entities/AcDb2dPolyline.h"
#include "host/db/entities/AcDbBlockReference.h"
#include "host/db/tables/AcDbLayerTable.h"
#include "host/db/entities/AcDbMText.h"
#include "host/db/entities/AcDbPolyline.h"
#include "host/db/dimensions/AcDbRotatedDimension.h"
#include "host/io/dxf/DxfImport.h"

#include <gtest/gtest.h>

#include <numbers>

namespace {

constexpr double kTol = 1e-12;

std::string file(const std::string& header, const std::string& tables, const std::string& blocks,
                 const std::string& entities) {
    return "0\nSECTION\n2\nHEADER\n" + header + "0\nENDSEC\n0\nSECTION\n2\nTABLES\n" + tables +
           "0\nENDSEC\n0\nSECTION\n2\nBLOCKS\n" + blocks + "0\nENDSEC\n0\nSECTION\n2\nENTITIES\n" + entities +
           "0\nENDSEC\n0\nEOF\n";
}

template <class T>
const T* first(AcDbDatabase* db) {
    const auto* ms = AcDbBlockTableRecord::cast(static_cast<AcDbStub*>(db->modelSpaceId())->object);
    for (AcDbObjectId id : ms->entityIds())
        if (const T* e = T::cast(static_cast<AcDbStub*>(id)->object)) return e;
    return nullptr;
}

const std::string kEntities =
    // a closed polyline with an arc segment and a constant width; its count (90) lies
    "0\nLWPOLYLINE\n8\nWalls\n90\n99\n70\n1\n43\n0.05\n10\n0\n20\n0\n42\n1.0\n10\n4\n20\n0\n10\n4\n20\n3\n"
    // an old polyline with two vertices and a bulge
    "0\nPOLYLINE\n8\n0\n66\n1\n10\n0\n20\n0\n30\n2.5\n70\n0\n"
    "0\nVERTEX\n8\n0\n10\n1\n20\n1\n42\n-0.5\n0\nVERTEX\n8\n0\n10\n3\n20\n1\n0\nSEQEND\n"
    // a door inserted with a zero Z scale (as some programs write flat blocks)
    "0\nINSERT\n8\n0\n2\nDoor\n10\n5\n20\n5\n41\n2\n42\n2\n43\n0\n50\n90\n"
    // a dimension whose own data overrides the text height and the arrowheads
    "0\nDIMENSION\n8\n0\n2\n*D7\n10\n10\n20\n-2\n30\n0\n11\n5\n21\n3\n31\n0\n70\n160\n1\n<> cm\n3\nStandard\n"
    "13\n0\n23\n0\n33\n0\n14\n10\n24\n0\n34\n0\n50\n0\n"
    "1001\nACAD\n1000\nDSTYLE\n1002\n{\n1070\n140\n1040\n0.35\n1070\n271\n1070\n0\n1002\n}\n"
    // long multiline text: pieces (3) first, then the rest (1)
    "0\nMTEXT\n8\n0\n10\n1\n20\n1\n40\n0.25\n71\n5\n3\nErdgeschoss \n1\nWohnen \\U+00B2\n"
    // what the host has no entity for, a hatch without boundary, and leaders
    // without vertices (kept as they came)
    "0\nHATCH\n8\n0\n0\nLEADER\n8\n0\n0\nLEADER\n8\n0\n0\nPOINT\n8\n0\n10\n1\n20\n1\n";

const std::string kTables = "0\nTABLE\n2\nLAYER\n0\nLAYER\n2\nWalls\n70\n5\n62\n-3\n0\nLAYER\n2\n0\n62\n6\n0\nENDTAB\n";
const std::string kBlocks = "0\nBLOCK\n2\nDoor\n70\n0\n10\n0\n20\n0\n0\nLINE\n8\n0\n10\n0\n20\n0\n11\n1\n21\n0\n0\nENDBLK\n"
                            "0\nBLOCK\n2\n*D7\n70\n1\n10\n0\n20\n0\n0\nLINE\n8\n0\n10\n0\n20\n-2\n11\n10\n21\n-2\n0\nENDBLK\n";

} // namespace

TEST(DxfImport, EntitiesComeInWithTheirDetails) {
    dxftest::Drawing dwg;
    host::dxf::DxfImportReport report;
    std::wstring error;
    const std::string bytes = file("9\n$ACADVER\n1\nAC1015\n", kTables, kBlocks, kEntities);
    ASSERT_TRUE(host::dxf::importDxf(bytes, dwg.db.get(), report, error)) << dxftest::narrow(error);

    const AcDbPolyline* pl = first<AcDbPolyline>(dwg.db.get());
    ASSERT_NE(pl, nullptr);
    EXPECT_EQ(pl->numVerts(), 3u) << "vertices are counted, not taken from group 90";
    double bulge = 0.0, width = 0.0;
    pl->getBulgeAt(0, bulge);
    EXPECT_DOUBLE_EQ(bulge, 1.0);
    EXPECT_EQ(pl->getConstantWidth(width), Acad::eOk);
    EXPECT_DOUBLE_EQ(width, 0.05);
    EXPECT_TRUE(pl->isClosed());

    const AcDb2dPolyline* old = first<AcDb2dPolyline>(dwg.db.get());
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(old->numVerts(), 2u);
    EXPECT_DOUBLE_EQ(old->elevation(), 2.5);
    AcDb2dVertex v;
    old->getVertexAt(0, v);
    EXPECT_DOUBLE_EQ(v.bulge(), -0.5);

    const AcDbBlockReference* door = first<AcDbBlockReference>(dwg.db.get());
    ASSERT_NE(door, nullptr) << "a zero scale must not keep the insertion out";
    EXPECT_DOUBLE_EQ(door->scaleFactors().sx, 2.0);
    EXPECT_NEAR(door->scaleFactors().sz, 0.0, 1e-6);
    EXPECT_NEAR(door->rotation(), std::numbers::pi / 2, kTol);

    const AcDbRotatedDimension* dim = first<AcDbRotatedDimension>(dwg.db.get());
    ASSERT_NE(dim, nullptr);
    EXPECT_EQ(dim->dimensionTextString(), L"<> cm");
    EXPECT_DOUBLE_EQ(dim->dimtxt(), 0.35);
    EXPECT_EQ(dim->dimdec(), 0);
    EXPECT_FALSE(dim->isUsingDefaultTextPosition()) << "flag 128: the text was placed by hand";
    EXPECT_TRUE(dim->textPosition().isEqualTo({5, 3, 0}));
    EXPECT_FALSE(dim->dimBlockId().isNull()) << "the file's graphics block stays with its dimension";
    double m = 0.0;
    dim->measurement(m);
    EXPECT_NEAR(m, 10.0, kTol);

    const AcDbMText* mtext = first<AcDbMText>(dwg.db.get());
    ASSERT_NE(mtext, nullptr);
    EXPECT_EQ(mtext->contentsString(), L"Erdgeschoss Wohnen ²");
    EXPECT_EQ(mtext->attachment(), AcDbMText::kMiddleCenter);

    EXPECT_EQ(report.notImportedLine(), L"DXF import: 1 HATCH (no boundary), 1 POINT not imported");
    EXPECT_EQ(dxftest::countByType(dwg.db.get())["LEADER"], 2u);
    AcDbLayerTable* layers = nullptr;
    dwg.db->getLayerTable(layers);
    AcDbLayerTableRecord* walls = nullptr;
    ASSERT_EQ(layers->getAt(L"Walls", walls, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(walls->isFrozen());
    EXPECT_TRUE(walls->isLocked());
    EXPECT_TRUE(walls->isOff()) << "a negative colour means off";
    EXPECT_EQ(walls->color().colorIndex(), 3);
    walls->close();
    layers->close();
}

TEST(DxfImport, ADrawingWithContentKeepsItsOwnRecords) {
    dxftest::Drawing dwg;
    host::dxf::DxfImportReport report;
    std::wstring error;
    const std::string once = file("", kTables, "", "0\nLINE\n8\nWalls\n10\n0\n20\n0\n11\n1\n21\n1\n");
    ASSERT_TRUE(host::dxf::importDxf(once, dwg.db.get(), report, error));
    // Now the drawing has content: a second file's layer 0 and Walls do not change it.
    const std::string again = file("", "0\nTABLE\n2\nLAYER\n0\nLAYER\n2\nWalls\n62\n1\n0\nENDTAB\n", "",
                                   "0\nLINE\n8\nWalls\n10\n0\n20\n0\n11\n2\n21\n2\n");
    ASSERT_TRUE(host::dxf::importDxf(again, dwg.db.get(), report, error));
    EXPECT_EQ(dxftest::countByType(dwg.db.get()).at("LINE"), 2u);
    AcDbLayerTable* layers = nullptr;
    dwg.db->getLayerTable(layers);
    AcDbLayerTableRecord* walls = nullptr;
    ASSERT_EQ(layers->getAt(L"Walls", walls, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(walls->color().colorIndex(), 3);
    walls->close();
    layers->close();
}

TEST(DxfImport, OldFilesKeepTheirDimensionVariablesInTheHeader) {
    dxftest::Drawing dwg;
    host::dxf::DxfImportReport report;
    std::wstring error;
    const std::string r12 = file("9\n$ACADVER\n1\nAC1009\n9\n$DIMTXT\n40\n0.18\n9\n$DIMTAD\n70\n0\n9\n$DIMBLK\n1\n_OBLIQUE\n", "",
                                 "", "0\nDIMENSION\n8\n0\n70\n1\n10\n0\n20\n1\n13\n0\n23\n0\n14\n3\n24\n4\n");
    ASSERT_TRUE(host::dxf::importDxf(r12, dwg.db.get(), report, error)) << dxftest::narrow(error);
    const auto* dim = first<AcDbDimension>(dwg.db.get());
    ASSERT_NE(dim, nullptr);
    EXPECT_DOUBLE_EQ(dim->dimtxt(), 0.18);
    EXPECT_EQ(dim->dimtad(), 0);
    const auto* tick = AcDbBlockTableRecord::cast(static_cast<AcDbStub*>(dim->dimblk())->object);
    ASSERT_NE(tick, nullptr);
    EXPECT_EQ(tick->name(), L"_Oblique");
    double m = 0.0;
    dim->measurement(m);
    EXPECT_NEAR(m, 5.0, kTol) << "an aligned dimension without its graphics block";
}
