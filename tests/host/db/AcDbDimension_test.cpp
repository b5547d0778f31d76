// The host's dimensions as entities: what they measure and show, their style and
// overrides, filing, drawing, explode and the graphics block.
#include "DbTestHelpers.h"
#include "host/db/dimensions/AcDb2LineAngularDimension.h"
#include "host/db/dimensions/AcDb3PointAngularDimension.h"
#include "host/db/dimensions/AcDbAlignedDimension.h"
#include "host/db/dimensions/AcDbArcDimension.h"
#include "host/db/dimensions/AcDbDiametricDimension.h"
#include "host/db/tables/AcDbDimStyleTable.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/entities/AcDbMText.h"
#include "host/db/dimensions/AcDbRadialDimension.h"
#include "host/db/dimensions/AcDbRotatedDimension.h"
#include "host/db/entities/AcDbSolid.h"
#include "host/gi/RecordingWorldDraw.h"
#include "host/rx/acutString.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using dbtest::Drawing;
using dbtest::kGeomTol;

namespace {

host::gi::GiRecording drawn(AcDbEntity* ent) {
    host::gi::RecordingWorldDraw wd;
    wd.drawDrawable(ent);
    return wd.takePrimitives();
}

std::vector<std::wstring> textsOf(const host::gi::GiRecording& rec) {
    std::vector<std::wstring> out;
    for (const auto& p : rec)
        if (p.kind == host::gi::GiPrimitive::Text) out.push_back(p.text);
    return out;
}

// A dimension style of the drawing, open for write; "Standard" is the default one.
AcDbDimStyleTableRecord* openStandard(AcDbDatabase* db) {
    AcDbDimStyleTable* table = nullptr;
    if (db->getDimStyleTable(table, AcDb::kForRead) != Acad::eOk) return nullptr;
    AcDbDimStyleTableRecord* rec = nullptr;
    table->getAt(L"Standard", rec, AcDb::kForWrite);
    table->close();
    return rec;
}

AcDbRotatedDimension* horizontal(double length) {
    auto* d = new AcDbRotatedDimension(0.0, {0, 0, 0}, {length, 0, 0}, {length / 2, 20, 0});
    return d;
}

} // namespace

TEST(Dimension, MeasuresAndShowsTheValueOfItsStyle) {
    Drawing dwg;
    AcDbDimStyleTableRecord* standard = openStandard(dwg.db.get());
    ASSERT_NE(standard, nullptr);
    standard->setDimdec(2);
    standard->setDimzin(0);
    standard->setDimdsep(L',');
    standard->close();

    auto* d = horizontal(1234.5678);
    const AcDbObjectId id = dwg.append(d);
    AcDbRotatedDimension* dim = nullptr;
    ASSERT_EQ(acdbOpenObject(dim, id, AcDb::kForWrite), Acad::eOk);
    double m = 0.0;
    ASSERT_EQ(dim->measurement(m), Acad::eOk);
    EXPECT_NEAR(m, 1234.5678, kGeomTol);
    EXPECT_EQ(dim->displayText(), L"1234,57");
    dim->setDimensionText(L"<> (RH)");
    EXPECT_EQ(dim->displayText(), L"1234,57 (RH)");
    dim->setDimensionText(L" ");
    EXPECT_EQ(dim->displayText(), L"") << "a single blank shows nothing";
    EXPECT_TRUE(textsOf(drawn(dim)).empty());
    dim->setDimensionText(L"");
    dim->setDimlfac(0.1); // millimetres drawn, centimetres shown
    EXPECT_EQ(dim->displayText(), L"123,46");
    EXPECT_EQ(textsOf(drawn(dim)), std::vector<std::wstring>{L"123,46"});
    std::wstring formatted;
    dim->formatMeasurement(formatted, 500.0, L"ca. <>");
    EXPECT_EQ(formatted, L"ca. 50,00");
    dim->close();

    // The other kinds measure what they are named after and mark their values.
    AcDbAlignedDimension aligned({0, 0, 0}, {30, 40, 0}, {0, 0, 0});
    aligned.measurement(m);
    EXPECT_NEAR(m, 50.0, kGeomTol);
    AcDbRadialDimension radial({1, 1, 0}, {1, 11, 0}, 5.0);
    radial.measurement(m);
    EXPECT_NEAR(m, 10.0, kGeomTol);
    EXPECT_EQ(radial.displayText().substr(0, 1), L"R");
    AcDbDiametricDimension diametric({10, 0, 0}, {-10, 0, 0}, 0.0);
    diametric.measurement(m);
    EXPECT_NEAR(m, 20.0, kGeomTol);
    EXPECT_EQ(diametric.displayText().substr(0, 3), L"%%c");
    AcDb3PointAngularDimension angle({0, 0, 0}, {10, 0, 0}, {0, 10, 0}, {-5, -5, 0});
    angle.measurement(m);
    EXPECT_NEAR(m, 1.5 * std::numbers::pi, kGeomTol);
    EXPECT_EQ(angle.displayText().back(), L'\u00B0');
    AcDb2LineAngularDimension lines({0, 0, 0}, {10, 0, 0}, {0, 0, 0}, {10, 10, 0}, {8, 3, 0});
    lines.measurement(m);
    EXPECT_NEAR(m, std::numbers::pi / 4.0, kGeomTol);
    AcDbArcDimension arc({0, 0, 0}, {10, 0, 0}, {0, 10, 0}, {0, 12, 0});
    arc.measurement(m);
    EXPECT_NEAR(m, 5.0 * std::numbers::pi, kGeomTol);
}

TEST(Dimension, OverridesWinOverTheStyleOneByOne) {
    Drawing dwg;
    const AcDbObjectId id = dwg.append(horizontal(100));
    AcDbRotatedDimension* dim = nullptr;
    ASSERT_EQ(acdbOpenObject(dim, id, AcDb::kForWrite), Acad::eOk);
    AcDbDimStyleTableRecord* standard = openStandard(dwg.db.get());
    ASSERT_NE(standard, nullptr);
    const AcDbObjectId standardId = standard->objectId();
    standard->setDimtxt(3.5);
    standard->close();
    EXPECT_EQ(dim->dimensionStyle(), standardId) << "a new dimension takes the current style";
    EXPECT_DOUBLE_EQ(dim->dimtxt(), 3.5) << "no override: the style's value";
    ASSERT_EQ(dim->setDimtxt(0.35), Acad::eOk);
    EXPECT_DOUBLE_EQ(dim->dimtxt(), 0.35);
    EXPECT_DOUBLE_EQ(dim->dimasz(), 2.5) << "other variables still follow the style";
    AcDbDimStyleTableRecord* after = openStandard(dwg.db.get());
    EXPECT_DOUBLE_EQ(after->dimtxt(), 3.5) << "an override never changes the style";
    after->close();
    EXPECT_EQ(dim->setDimtxt(std::numeric_limits<double>::infinity()), Acad::eInvalidInput);
    EXPECT_DOUBLE_EQ(dim->dimtxt(), 0.35);

    // setDimstyleData makes exactly the differences overrides.
    AcDbDimStyleTableRecord* data = nullptr;
    ASSERT_EQ(dim->getDimstyleData(data), Acad::eOk);
    EXPECT_DOUBLE_EQ(data->dimtxt(), 0.35);
    data->setDimtxt(3.5); // the style's value again
    data->setDimasz(1.0);
    ASSERT_EQ(dim->setDimstyleData(data), Acad::eOk);
    delete data;
    EXPECT_FALSE(dim->dimVarOverrides().has(host::kDimVar_dimtxt));
    EXPECT_TRUE(dim->dimVarOverrides().has(host::kDimVar_dimasz));
    EXPECT_EQ(dim->dimVarOverrides().indices().size(), 1u);
    dim->removeDimstyleOverrides();
    EXPECT_TRUE(dim->dimVarOverrides().empty());
    EXPECT_EQ(dim->setDimensionStyle(AcDbObjectId()), Acad::eInvalidInput);
    EXPECT_EQ(dim->setDimensionStyle(dwg.db->layerZero()), Acad::eInvalidInput) << "a layer is no dimension style";
    dim->close();
}

TEST(Dimension, TextPositionDefaultOrSet) {
    Drawing dwg;
    AcDbRotatedDimension* dim = horizontal(100);
    dwg.append(dim);
    AcDbRotatedDimension* d = nullptr;
    ASSERT_EQ(acdbOpenObject(d, dim->objectId(), AcDb::kForWrite), Acad::eOk);
    EXPECT_TRUE(d->isUsingDefaultTextPosition());
    const AcGePoint3d byDefault = d->textPosition();
    EXPECT_NEAR(byDefault.x, 50.0, kGeomTol) << "centred over the dimension line";
    EXPECT_GT(byDefault.y, 20.0) << "above it";
    ASSERT_EQ(d->setTextPosition({70, 35, 0}), Acad::eOk);
    EXPECT_FALSE(d->isUsingDefaultTextPosition());
    EXPECT_TRUE(d->textPosition().isEqualTo({70, 35, 0}));
    d->useDefaultTextPosition();
    EXPECT_TRUE(d->textPosition().isEqualTo(byDefault));
    d->useSetTextPosition();
    EXPECT_FALSE(d->isUsingDefaultTextPosition());
    EXPECT_TRUE(d->textPosition().isEqualTo(byDefault)) << "switching keeps the text where it is";
    d->close();
}

TEST(Dimension, FilesEverythingAndRefusesDamagedBytes) {
    Drawing dwg;
    const AcDbObjectId id = dwg.append(new AcDbRotatedDimension(0.5, {1, 2, 0}, {40, 7, 0}, {10, 30, 0}, L"BMaß <>"));
    AcDbRotatedDimension* dim = nullptr;
    ASSERT_EQ(acdbOpenObject(dim, id, AcDb::kForWrite), Acad::eOk);
    dim->setDimtxt(0.35);
    dim->setDimdsep(L'.');
    dim->setDimclrt(AcCmColor(AcGiColor(10, 20, 30)));
    dim->setDimpost(L"<> m");
    dim->setTextPosition({5, 6, 0});
    dim->setOblique(0.3);
    dim->close();
    ASSERT_EQ(acdbOpenObject(dim, id, AcDb::kForRead), Acad::eOk);
    auto copy = dbtest::roundTrip(dim, dwg.db.get());
    ASSERT_TRUE(copy);
    EXPECT_TRUE(copy->xLine1Point().isEqualTo(dim->xLine1Point()));
    EXPECT_TRUE(copy->xLine2Point().isEqualTo(dim->xLine2Point()));
    EXPECT_TRUE(copy->dimLinePoint().isEqualTo(dim->dimLinePoint()));
    EXPECT_DOUBLE_EQ(copy->rotation(), 0.5);
    EXPECT_DOUBLE_EQ(copy->oblique(), 0.3);
    EXPECT_EQ(copy->dimensionTextString(), L"BMaß <>");
    EXPECT_FALSE(copy->isUsingDefaultTextPosition());
    EXPECT_TRUE(copy->textPosition().isEqualTo({5, 6, 0}));
    EXPECT_EQ(copy->dimVarOverrides(), dim->dimVarOverrides());
    EXPECT_EQ(copy->dimensionStyle(), dim->dimensionStyle());
    EXPECT_EQ(copy->displayText(), dim->displayText());

    // Cut the bytes anywhere: the read fails and the fresh object learns nothing.
    host::DwgBufferFiler out(AcDb::kFileFiler, dwg.db.get());
    ASSERT_EQ(dim->dwgOut(&out), Acad::eOk);
    const std::vector<uint8_t> bytes = out.bytes();
    for (size_t cut = 0; cut < bytes.size(); cut += 7) {
        host::DwgBufferFiler in(std::vector<uint8_t>(bytes.begin(), bytes.begin() + long(cut)), AcDb::kFileFiler,
                                dwg.db.get());
        AcDbRotatedDimension fresh;
        EXPECT_NE(fresh.dwgIn(&in), Acad::eOk) << "cut at " << cut;
    }
    dim->close();
}

TEST(Dimension, DrawsPartsInTheirColoursAndArrowheadsByName) {
    Drawing dwg;
    const AcDbObjectId id = dwg.append(horizontal(100));
    AcDbRotatedDimension* dim = nullptr;
    ASSERT_EQ(acdbOpenObject(dim, id, AcDb::kForWrite), Acad::eOk);
    AcCmColor red, blue, green;
    red.setColorIndex(1);
    blue.setColorIndex(5);
    green.setColorIndex(3);
    dim->setDimclrd(red);
    dim->setDimclre(blue);
    dim->setDimclrt(green);
    host::gi::GiRecording rec = drawn(dim);
    int lines = 0, fills = 0;
    for (const auto& p : rec) {
        if (p.kind == host::gi::GiPrimitive::Polyline) {
            const bool vertical = std::fabs(p.points[0].x - p.points[1].x) < kGeomTol;
            EXPECT_EQ(p.traits.colorIndex, vertical ? 5 : 1) << "extension lines blue, dimension line red";
            ++lines;
        }
        if (p.isFilled()) {
            EXPECT_EQ(p.traits.colorIndex, 1) << "arrowheads go with the dimension line";
            ++fills;
        }
        if (p.kind == host::gi::GiPrimitive::Text) EXPECT_EQ(p.traits.colorIndex, 3);
    }
    EXPECT_EQ(lines, 3);
    EXPECT_EQ(fills, 2);

    // The host's arrowheads by name: the block appears in the drawing, ticks are drawn.
    ASSERT_EQ(dim->setDimblk(L"_OBLIQUE"), Acad::eOk);
    AcDbBlockTableRecord* block = nullptr;
    ASSERT_EQ(acdbOpenObject(block, dim->dimblk(), AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(block->name(), L"_Oblique");
    EXPECT_FALSE(block->entityIds().empty()) << "other programs need the tick's geometry";
    block->close();
    rec = drawn(dim);
    for (const auto& p : rec) EXPECT_FALSE(p.isFilled()) << "ticks instead of filled arrows";
    EXPECT_EQ(dim->setDimblk(L"NoSuchBlock"), Acad::eKeyNotFound);
    EXPECT_EQ(dim->setDimblk(L""), Acad::eOk);
    EXPECT_TRUE(dim->dimblk().isNull()) << "the default arrow needs no block";
    dim->close();
}

TEST(Dimension, GraphicsBlockAndExplodeHoldTheDrawnGeometry) {
    Drawing dwg;
    const AcDbObjectId id = dwg.append(horizontal(100));
    AcDbRotatedDimension* dim = nullptr;
    ASSERT_EQ(acdbOpenObject(dim, id, AcDb::kForWrite), Acad::eOk);
    ASSERT_TRUE(dim->dimBlockId().isNull());
    ASSERT_EQ(dim->recomputeDimBlock(), Acad::eOk);
    const AcDbObjectId blockId = dim->dimBlockId();
    AcDbBlockTableRecord* block = nullptr;
    ASSERT_EQ(acdbOpenObject(block, blockId, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(block->isAnonymous());
    EXPECT_EQ(block->name().substr(0, 2), L"*D");
    int lines = 0, solids = 0, texts = 0;
    for (AcDbObjectId e : block->entityIds()) {
        AcDbEntity* ent = nullptr;
        ASSERT_EQ(acdbOpenAcDbEntity(ent, e, AcDb::kForRead), Acad::eOk);
        lines += ent->isKindOf(AcDbLine::desc());
        solids += ent->isKindOf(AcDbSolid::desc());
        if (auto* t = AcDbMText::cast(ent)) {
            ++texts;
            EXPECT_EQ(t->contentsString(), dim->displayText());
            EXPECT_NEAR(t->location().x, 50.0, kGeomTol);
        }
        ent->close();
    }
    block->close();
    EXPECT_EQ(lines, 3);
    EXPECT_EQ(solids, 2);
    EXPECT_EQ(texts, 1);

    // A second pass refreshes the same block instead of making another.
    dim->setDimensionText(L"X");
    ASSERT_EQ(dim->recomputeDimBlock(), Acad::eOk);
    EXPECT_EQ(dim->dimBlockId(), blockId);
    ASSERT_EQ(acdbOpenObject(block, blockId, AcDb::kForRead), Acad::eOk);
    int live = 0;
    for (AcDbObjectId e : block->entityIds()) live += !e.isErased();
    EXPECT_EQ(live, 6);
    block->close();

    AcDbVoidPtrArray parts;
    ASSERT_EQ(dim->explode(parts), Acad::eOk);
    EXPECT_EQ(parts.length(), 6);
    for (void* p : parts) {
        auto* ent = static_cast<AcDbEntity*>(p);
        EXPECT_EQ(ent->layerId(), dim->layerId()) << "exploded pieces stay on the dimension's layer";
    }
    host::deleteEntitySet(parts);
    dim->close();
}

TEST(Dimension, TransformKeepsTheMeasurementAndTurnsTheDirection) {
    Drawing dwg;
    const AcDbObjectId id = dwg.append(horizontal(100));
    AcDbRotatedDimension* dim = nullptr;
    ASSERT_EQ(acdbOpenObject(dim, id, AcDb::kForWrite), Acad::eOk);
    ASSERT_EQ(dim->transformBy(AcGeMatrix3d::rotation(std::numbers::pi / 2.0, AcGeVector3d::kZAxis)), Acad::eOk);
    EXPECT_NEAR(dim->rotation(), std::numbers::pi / 2.0, kGeomTol);
    EXPECT_NEAR(dim->xLine2Point().y, 100.0, kGeomTol);
    double m = 0.0;
    dim->measurement(m);
    EXPECT_NEAR(m, 100.0, kGeomTol);
    ASSERT_EQ(dim->transformBy(AcGeMatrix3d::scaling(2.0)), Acad::eOk);
    dim->measurement(m);
    EXPECT_NEAR(m, 200.0, kGeomTol);
    dim->close();
}
