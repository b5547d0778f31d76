// DXF export: a drawing with every kind of native entity goes out and comes back
// the same; other programs' reader accepts the files; entities of other classes go
// out as what they draw; the real plans pass through with their counts.
#include "DxfTestHelpers.h"
#include "host/db/entities/AcDb2dPolyline.h"
#include "host/db/dimensions/AcDb3PointAngularDimension.h"
#include "host/db/dimensions/AcDbAlignedDimension.h"
#include "host/db/entities/AcDbArc.h"
#include "host/db/entities/AcDbBlockReference.h"
#include "host/db/tables/AcDbBlockTable.h"
#include "host/db/entities/AcDbCircle.h"
#include "host/db/dimensions/AcDbDiametricDimension.h"
#include "host/db/entities/AcDbFace.h"
#include "host/db/tables/AcDbLayerTable.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/entities/AcDbMText.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/entities/AcDbPolyline.h"
#include "host/db/dimensions/AcDbRadialDimension.h"
#include "host/db/tables/AcDbRegAppTableRecord.h"
#include "host/db/dimensions/AcDbRotatedDimension.h"
#include "host/db/entities/AcDbSolid.h"
#include "host/db/entities/AcDbText.h"
#include "host/db/entities/AcDbXline.h"
#include "host/db/database/acutResbuf.h"
#include "host/gi/AcGiSubEntityTraits.h"
#include "host/gi/AcGiWorldDraw.h"
#include "host/gi/AcGiWorldGeometry.h"
#include "host/io/dxf/DxfExport.h"
#include "host/io/dxf/DxfImport.h"
#include "host/rx/acutString.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr double kTol = 1e-9; // what the shortest round-trip text of a double keeps exactly

// A class other programs do not know: it draws a line and a text.
class DxfTestMark : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(DxfTestMark);

protected:
    bool subWorldDraw(AcGiWorldDraw* wd) override {
        const AcGePoint3d pts[2] = {{0, 0, 0}, {5, 5, 0}};
        wd->geometry().polyline(2, pts);
        wd->geometry().text({5, 5, 0}, AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, 1.0, 1.0, 0.0, L"+1.25");
        return true;
    }
};

// Draws one of each primitive a custom entity may use.
class DxfTestShapes : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(DxfTestShapes);

protected:
    bool subWorldDraw(AcGiWorldDraw* wd) override {
        AcGiWorldGeometry& g = wd->geometry();
        const AcGePoint3d quad[4] = {{0, 0, 0}, {2, 0, 0}, {2, 1, 0}, {0, 1, 0}};
        const AcGePoint3d tri[3] = {{3, 0, 0}, {4, 0, 0}, {3, 1, 0}};
        const AcGePoint3d open[3] = {{5, 0, 0}, {6, 1, 0}, {7, 0, 0}};
        wd->subEntityTraits().setFillType(kAcGiFillAlways);
        g.polygon(4, quad);
        g.polygon(3, tri);
        g.circle({10, 0, 0}, 0.5, AcGeVector3d::kZAxis);
        wd->subEntityTraits().setFillType(kAcGiFillNever);
        g.polygon(3, open);
        g.circle({12, 0, 0}, 1.0, AcGeVector3d::kZAxis);
        g.circularArc({14, 0, 0}, 1.0, AcGeVector3d::kZAxis, AcGeVector3d::kYAxis, std::numbers::pi / 2);
        g.xline({0, 5, 0}, {1, 6, 0});
        wd->subEntityTraits().setColor(1);
        g.text({0, -2, 0}, AcGeVector3d::kZAxis, AcGeVector3d::kYAxis, 0.5, 1.0, 0.0, L"Maß");
        return true;
    }
};

AcDbObjectId append(AcDbDatabase* db, AcDbEntity* ent, AcDbObjectId space = AcDbObjectId()) {
    AcDbBlockTableRecord* block = nullptr;
    acdbOpenObject(block, space.isNull() ? db->modelSpaceId() : space, AcDb::kForWrite);
    AcDbObjectId id;
    block->appendAcDbEntity(id, ent);
    ent->close();
    block->close();
    return id;
}

template <class T>
std::vector<const T*> entitiesOf(AcDbDatabase* db) {
    std::vector<const T*> out;
    const auto* ms = AcDbBlockTableRecord::cast(static_cast<AcDbStub*>(db->modelSpaceId())->object);
    for (AcDbObjectId id : ms->entityIds())
        if (const T* e = T::cast(static_cast<AcDbStub*>(id)->object)) out.push_back(e);
    return out;
}

const std::wstring kLongText = std::wstring(300, L'x') + L" BMaß ± m² \u03A9";

// Every native kind, with non-ASCII texts, layer states, extended data and overrides.
void buildDrawing(AcDbDatabase* db) {
    AcDbLayerTable* layers = nullptr;
    db->getLayerTable(layers, AcDb::kForWrite);
    auto* walls = new AcDbLayerTableRecord();
    walls->setName(L"Wände");
    AcCmColor red;
    red.setColorIndex(1);
    walls->setColor(red);
    walls->setIsLocked(true);
    layers->add(walls);
    walls->close();
    auto* hidden = new AcDbLayerTableRecord();
    hidden->setName(L"Hidden");
    hidden->setIsFrozen(true);
    hidden->setIsOff(true);
    layers->add(hidden);
    hidden->close();
    layers->close();
    acdbRegApp(L"LINTARO_DATA");

    // On a locked layer: given everything before it goes in.
    auto* line = new AcDbLine({0, 0, 0}, {1234.5678901, 0.1, 0});
    line->setLayer(L"Wände");
    resbuf* xd = acutBuildList(1001, L"LINTARO_DATA", 1000, L"Maß", 1070, 7, 1040, 2.5, 0);
    EXPECT_EQ(line->setXData(xd), Acad::eOk);
    acutRelRb(xd);
    append(db, line);
    append(db, new AcDbArc({10, 10, 0}, 5.0, 0.25, 2.5));
    append(db, new AcDbCircle({-10, 5, 0}, AcGeVector3d::kZAxis, 3.0));
    auto* pl = new AcDbPolyline();
    pl->addVertexAt(0, {0, 0}, 0.5);
    pl->addVertexAt(1, {10, 0}, 0.0);
    pl->addVertexAt(2, {10, 10}, -1.0);
    pl->setClosed(true);
    append(db, pl);
    AcGePoint3dArray verts{{0, 20, 0}, {5, 25, 0}, {10, 20, 0}};
    AcGeDoubleArray bulges{0.0, 0.4142, 0.0};
    append(db, new AcDb2dPolyline(AcDb::k2dSimplePoly, verts, 0.0, false, 0.0, 0.0, &bulges));
    auto* text = new AcDbText({1, 2, 0}, L"Küche 12,5 m²", AcDbObjectId(), 0.35, std::numbers::pi / 6);
    append(db, text);
    auto* mtext = new AcDbMText();
    mtext->setLocation({30, 30, 0});
    mtext->setContents(kLongText.c_str());
    mtext->setTextHeight(0.5);
    mtext->setAttachment(AcDbMText::kMiddleCenter);
    append(db, mtext);
    append(db, new AcDbSolid({0, 40, 0}, {4, 40, 0}, {0, 44, 0}, {4, 44, 0}));
    append(db, new AcDbFace({0, 50, 0}, {4, 50, 0}, {4, 54, 1}, {0, 54, 0}));
    auto* xline = new AcDbXline();
    xline->setBasePoint({1, 1, 0});
    xline->setUnitDir({0, 1, 0});
    append(db, xline);

    AcDbBlockTable* blocks = nullptr;
    db->getBlockTable(blocks, AcDb::kForWrite);
    auto* door = new AcDbBlockTableRecord();
    door->setName(L"Tür");
    AcDbObjectId doorId;
    blocks->add(doorId, door);
    door->close();
    blocks->close();
    append(db, new AcDbArc({0, 0, 0}, 0.9, 0.0, std::numbers::pi / 2), doorId);
    auto* ref = new AcDbBlockReference({20, 0, 0}, doorId);
    ref->setScaleFactors(AcGeScale3d(1.0, -1.0, 1.0));
    ref->setRotation(std::numbers::pi / 2);
    append(db, ref);

    auto* rotated = new AcDbRotatedDimension(0.0, {0, 0, 0}, {1234.5678901, 0, 0}, {600, -20, 0}, L"<> (RH)");
    rotated->setDimtxt(0.35);
    rotated->setDimblk(L"_ArchTick");
    append(db, rotated);
    append(db, new AcDbAlignedDimension({0, 0, 0}, {30, 40, 0}, {-5, 5, 0}));
    append(db, new AcDb3PointAngularDimension({0, 0, 0}, {10, 0, 0}, {0, 10, 0}, {-5, -5, 0}));
    append(db, new AcDbRadialDimension({-10, 5, 0}, {-7, 5, 0}, 2.0));
    append(db, new AcDbDiametricDimension({-7, 5, 0}, {-13, 5, 0}, 0.0));
    append(db, new DxfTestMark());
}

} // namespace

ACRX_HOST_DEFINE_MEMBERS(DxfTestMark, AcDbEntity, L"DXFTESTMARK", &host::makeObject<DxfTestMark>)
ACRX_HOST_DEFINE_MEMBERS(DxfTestShapes, AcDbEntity, L"DXFTESTSHAPES", &host::makeObject<DxfTestShapes>)

TEST(DxfExport, OtherClassesGoOutAsTheShapesTheyDraw) {
    dxftest::Drawing source;
    append(source.db.get(), new DxfTestShapes());
    std::string bytes;
    host::dxf::DxfExportReport exported;
    std::wstring error;
    ASSERT_TRUE(host::dxf::exportDxf(source.db.get(), bytes, exported, error));
    dxftest::Drawing back;
    host::dxf::DxfImportReport report;
    ASSERT_TRUE(host::dxf::importDxf(bytes, back.db.get(), report, error)) << dxftest::narrow(error);
    const auto counts = dxftest::countByType(back.db.get());
    EXPECT_EQ(counts.at("SOLID"), 2u) << "filled outlines stay filled";
    EXPECT_EQ(counts.at("LWPOLYLINE"), 2u) << "the open outline and the filled dot";
    EXPECT_EQ(counts.at("CIRCLE"), 1u);
    EXPECT_EQ(counts.at("ARC"), 1u);
    EXPECT_EQ(counts.at("XLINE"), 1u);
    const AcDbArc* arc = entitiesOf<AcDbArc>(back.db.get())[0];
    EXPECT_NEAR(arc->startAngle(), std::numbers::pi / 2, kTol);
    EXPECT_NEAR(arc->endAngle(), std::numbers::pi, kTol);
    const AcDbText* text = entitiesOf<AcDbText>(back.db.get())[0];
    EXPECT_STREQ(text->textStringConst(), L"Maß");
    EXPECT_NEAR(text->rotation(), std::numbers::pi / 2, kTol) << "the text's direction";
    EXPECT_EQ(text->colorIndex(), 1) << "the colour it was drawn in";
    const AcDbSolid* solid = entitiesOf<AcDbSolid>(back.db.get())[0];
    AcGePoint3d corner;
    solid->getPointAt(3, corner);
    EXPECT_TRUE(corner.isEqualTo({2, 1, 0})) << "corners in the solid's own order";

    // A place that cannot be written: a clear refusal, no file.
    EXPECT_FALSE(host::dxf::exportDxfFile(source.db.get(), "/nonexistent-folder/x.dxf", exported, error));
    EXPECT_NE(dxftest::narrow(error).find("cannot be written"), std::string::npos);
    EXPECT_FALSE(host::dxf::exportDxf(nullptr, bytes, exported, error));
}

TEST(DxfExport, LayerNamesDifferingOnlyInTheCaseOfAnUmlautGoOutAsOneRecord) {
    dxftest::Drawing source;
    AcDbLayerTable* layers = nullptr;
    ASSERT_EQ(source.db->getLayerTable(layers, AcDb::kForWrite), Acad::eOk);
    auto* first = new AcDbLayerTableRecord();
    first->setName(L"Wände");
    ASSERT_EQ(layers->add(first), Acad::eOk);
    first->close();
    auto* second = new AcDbLayerTableRecord();
    second->setName(L"WÄNDE");
    EXPECT_EQ(layers->add(second), Acad::eDuplicateRecordName);
    delete second;
    EXPECT_TRUE(layers->has(L"wÄNDE"));
    layers->close();

    host::dxf::DxfExportReport exported;
    std::string bytes;
    std::wstring error;
    ASSERT_TRUE(host::dxf::exportDxf(source.db.get(), bytes, exported, error)) << dxftest::narrow(error);
    // LAYER records in the file: the "0" groups that say LAYER.
    std::istringstream in(bytes);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    int records = 0;
    for (size_t i = 0; i + 1 < lines.size(); i += 2)
        records += std::atoi(lines[i].c_str()) == 0 && lines[i + 1] == "LAYER";
    EXPECT_EQ(records, 2) << "\"0\" and \"Wände\"";

    dxftest::Drawing back;
    host::dxf::DxfImportReport report;
    ASSERT_TRUE(host::dxf::importDxf(bytes, back.db.get(), report, error)) << dxftest::narrow(error);
    ASSERT_EQ(back.db->getLayerTable(layers, AcDb::kForRead), Acad::eOk);
    AcDbLayerTableRecord* walls = nullptr;
    ASSERT_EQ(layers->getAt(L"WÄNDE", walls, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(walls->name(), L"Wände");
    walls->close();
    layers->close();
}

TEST(DxfExport, EveryNativeKindComesBackAsItWent) {
    dxftest::Drawing source;
    buildDrawing(source.db.get());
    host::dxf::DxfExportReport exported;
    std::string bytes;
    std::wstring error;
    ASSERT_TRUE(host::dxf::exportDxf(source.db.get(), bytes, exported, error)) << dxftest::narrow(error);
    EXPECT_EQ(exported.asGeometry.at(L"DxfTestMark"), 1u) << "an unknown class goes out as what it draws";
    EXPECT_EQ(bytes.find('\r'), std::string::npos);

    dxftest::Drawing back;
    host::dxf::DxfImportReport report;
    ASSERT_TRUE(host::dxf::importDxf(bytes, back.db.get(), report, error)) << dxftest::narrow(error);
    EXPECT_TRUE(report.notImportedLine().empty()) << dxftest::narrow(report.notImportedLine());
    const auto counts = dxftest::countByType(back.db.get());
    EXPECT_EQ(counts.at("LINE"), 2u) << "the line, and the test mark's line";
    EXPECT_EQ(counts.at("TEXT"), 2u) << "the text, and the test mark's text";
    for (const char* kind : {"ARC", "CIRCLE", "LWPOLYLINE", "POLYLINE", "MTEXT", "SOLID", "3DFACE", "XLINE", "INSERT"})
        EXPECT_EQ(counts.count(kind) ? counts.at(kind) : 0, 1u) << kind;
    EXPECT_EQ(counts.at("DIMENSION"), 5u);

    const AcDbLine* line = entitiesOf<AcDbLine>(back.db.get())[0];
    EXPECT_NEAR(line->endPoint().x, 1234.5678901, kTol);
    wchar_t* layer = line->layer();
    EXPECT_STREQ(layer, L"Wände");
    acutDelString(layer);
    resbuf* xd = line->xData(L"LINTARO_DATA");
    ASSERT_NE(xd, nullptr) << "extended data must survive";
    EXPECT_STREQ(xd->rbnext->resval.rstring, L"Maß");
    EXPECT_EQ(xd->rbnext->rbnext->resval.rint, 7);
    EXPECT_DOUBLE_EQ(xd->rbnext->rbnext->rbnext->resval.rreal, 2.5);
    acutRelRb(xd);
    const AcDbArc* arc = entitiesOf<AcDbArc>(back.db.get())[0];
    EXPECT_NEAR(arc->startAngle(), 0.25, kTol);
    EXPECT_NEAR(arc->endAngle(), 2.5, kTol);
    const AcDbPolyline* pl = entitiesOf<AcDbPolyline>(back.db.get())[0];
    ASSERT_EQ(pl->numVerts(), 3u);
    double bulge = 0.0;
    pl->getBulgeAt(2, bulge);
    EXPECT_DOUBLE_EQ(bulge, -1.0);
    EXPECT_TRUE(pl->isClosed());
    const AcDb2dPolyline* old = entitiesOf<AcDb2dPolyline>(back.db.get())[0];
    AcDb2dVertex v;
    ASSERT_EQ(old->numVerts(), 3u);
    old->getVertexAt(1, v);
    EXPECT_DOUBLE_EQ(v.bulge(), 0.4142);
    const AcDbText* text = entitiesOf<AcDbText>(back.db.get())[0];
    EXPECT_STREQ(text->textStringConst(), L"Küche 12,5 m²");
    EXPECT_NEAR(text->rotation(), std::numbers::pi / 6, kTol);
    EXPECT_NEAR(text->height(), 0.35, kTol);
    const AcDbMText* mtext = entitiesOf<AcDbMText>(back.db.get())[0];
    EXPECT_EQ(mtext->contentsString(), kLongText) << "long and non-Latin-1 contents survive";
    EXPECT_EQ(mtext->attachment(), AcDbMText::kMiddleCenter);
    const AcDbBlockReference* ref = entitiesOf<AcDbBlockReference>(back.db.get())[0];
    EXPECT_DOUBLE_EQ(ref->scaleFactors().sy, -1.0);
    EXPECT_NEAR(ref->rotation(), std::numbers::pi / 2, kTol);
    const auto* door = AcDbBlockTableRecord::cast(static_cast<AcDbStub*>(ref->blockTableRecord())->object);
    ASSERT_NE(door, nullptr);
    EXPECT_EQ(door->name(), L"Tür");

    const AcDbRotatedDimension* dim = entitiesOf<AcDbRotatedDimension>(back.db.get())[0];
    EXPECT_EQ(dim->dimensionTextString(), L"<> (RH)");
    EXPECT_DOUBLE_EQ(dim->dimtxt(), 0.35) << "the override comes back as an override";
    const auto* tick = AcDbBlockTableRecord::cast(static_cast<AcDbStub*>(dim->dimblk())->object);
    ASSERT_NE(tick, nullptr);
    EXPECT_EQ(tick->name(), L"_ArchTick");
    double m = 0.0;
    entitiesOf<AcDb3PointAngularDimension>(back.db.get())[0]->measurement(m);
    EXPECT_NEAR(m, 1.5 * std::numbers::pi, kTol);
    entitiesOf<AcDbDiametricDimension>(back.db.get())[0]->measurement(m);
    EXPECT_NEAR(m, 6.0, kTol);
    entitiesOf<AcDbRadialDimension>(back.db.get())[0]->measurement(m);
    EXPECT_NEAR(m, 3.0, kTol);

    AcDbLayerTable* layers = nullptr;
    back.db->getLayerTable(layers);
    AcDbLayerTableRecord* hidden = nullptr;
    ASSERT_EQ(layers->getAt(L"Hidden", hidden, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(hidden->isFrozen());
    EXPECT_TRUE(hidden->isOff());
    hidden->close();
    AcDbLayerTableRecord* walls = nullptr;
    ASSERT_EQ(layers->getAt(L"Wände", walls, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(walls->isLocked());
    EXPECT_EQ(walls->color().colorIndex(), 1);
    walls->close();
    layers->close();

    // The drawing that was exported is unchanged: no graphics block was added to it.
    EXPECT_TRUE(entitiesOf<AcDbRotatedDimension>(source.db.get())[0]->dimBlockId().isNull());

    if (!dxftest::ezdxfAvailable()) GTEST_SKIP() << "/usr/bin/python3 with ezdxf is missing: the audit was skipped";
    const std::string path = (std::filesystem::temp_directory_path() / "lintaro_every_kind.dxf").string();
    ASSERT_TRUE(host::dxf::exportDxfFile(source.db.get(), path, exported, error));
    int errors = -1, fixes = -1;
    const std::string audit = dxftest::ezdxfAudit(path, errors, fixes);
    EXPECT_EQ(errors, 0) << audit;
    EXPECT_EQ(fixes, 0) << audit;
    std::filesystem::remove(path);
}
