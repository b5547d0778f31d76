#include "DbTestHelpers.h"
#include "host/db/tables/AcDbDimStyleTable.h"
#include "host/db/tables/AcDbLinetypeTable.h"
#include "host/db/tables/AcDbTextStyleTable.h"
#include "host/gi/AcGiTextStyle.h"
#include "host/rx/acutString.h"

#include <gtest/gtest.h>

#include <numbers>

using dbtest::Drawing;
using dbtest::roundTrip;

namespace {
constexpr double kDeg = std::numbers::pi / 180.0;
}

TEST(TableRecords, TextStylesKeepTheirFontAndRefuseImpossibleValues) {
    Drawing d;
    AcDbTextStyleTableRecord style;
    style.setName(L"ISO");
    ASSERT_EQ(style.setFont(L"Arial", true, false, 0, 34), Acad::eOk);
    ASSERT_EQ(style.setXScale(0.8), Acad::eOk);
    ASSERT_EQ(style.setObliquingAngle(15 * kDeg), Acad::eOk);
    ASSERT_EQ(style.setTextSize(0.35), Acad::eOk);
    EXPECT_EQ(style.setXScale(0.0), Acad::eInvalidInput);
    EXPECT_EQ(style.setObliquingAngle(86 * kDeg), Acad::eInvalidInput) << "the host allows 85 degrees at most";
    EXPECT_EQ(style.setTextSize(-1.0), Acad::eInvalidInput);
    EXPECT_DOUBLE_EQ(style.xScale(), 0.8);

    auto copy = roundTrip(&style, d.db.get());
    ASSERT_TRUE(copy);
    wchar_t* face = nullptr;
    bool bold = false, italic = true;
    int charset = -1, pitch = 0;
    copy->font(face, bold, italic, charset, pitch);
    EXPECT_STREQ(face, L"Arial");
    acutDelString(face);
    EXPECT_TRUE(bold);
    EXPECT_FALSE(italic);
    EXPECT_EQ(pitch, 34);
    EXPECT_DOUBLE_EQ(copy->obliquingAngle(), 15 * kDeg);
    EXPECT_EQ(copy->name(), L"ISO");

    // The drawing layer's style takes the record's font and sizes.
    AcDbTextStyleTable* table = nullptr;
    ASSERT_EQ(d.db->getTextStyleTable(table, AcDb::kForWrite), Acad::eOk);
    auto* rec = new AcDbTextStyleTableRecord();
    rec->setName(L"ISO");
    rec->setXScale(0.8);
    rec->setTextSize(0.35);
    AcDbObjectId id;
    ASSERT_EQ(table->add(id, rec), Acad::eOk);
    rec->close();
    table->close();
    AcGiTextStyle gi;
    ASSERT_EQ(fromAcDbTextStyle(gi, id), Acad::eOk);
    EXPECT_DOUBLE_EQ(gi.xScale(), 0.8);
    EXPECT_DOUBLE_EQ(gi.textSize(), 0.35);
    EXPECT_EQ(fromAcDbTextStyle(gi, d.db->layerZero()), Acad::eKeyNotFound) << "a layer is no text style";
    EXPECT_EQ(fromAcDbTextStyle(gi, L"ISO"), Acad::eOk);
    EXPECT_EQ(fromAcDbTextStyle(gi, L"missing"), Acad::eKeyNotFound);
}

TEST(TableRecords, DimensionStylesCarryTheirVariablesThroughFiling) {
    Drawing d;
    AcDbDimStyleTableRecord dim;
    dim.setName(L"Lintaro 1-50");
    ASSERT_EQ(dim.setDimtxt(0.25), Acad::eOk);
    ASSERT_EQ(dim.setDimasz(0.18), Acad::eOk);
    ASSERT_EQ(dim.setDimexo(0.0625), Acad::eOk);
    ASSERT_EQ(dim.setDimdec(3), Acad::eOk);
    ASSERT_EQ(dim.setDimdsep(L'.'), Acad::eOk);
    ASSERT_EQ(dim.setDimtad(0), Acad::eOk);
    ASSERT_EQ(dim.setDimtxsty(d.db->textstyle()), Acad::eOk);
    AcCmColor blue;
    blue.setColorIndex(5);
    ASSERT_EQ(dim.setDimclrt(blue), Acad::eOk);
    ASSERT_EQ(dim.setDimpost(L"<> m"), Acad::eOk);
    EXPECT_EQ(dim.setDimscale(std::numeric_limits<double>::infinity()), Acad::eInvalidInput);
    EXPECT_EQ(dim.setDimdsep(L'\0'), Acad::eInvalidInput);

    auto copy = roundTrip(&dim, d.db.get());
    ASSERT_TRUE(copy);
    EXPECT_DOUBLE_EQ(copy->dimtxt(), 0.25);
    EXPECT_DOUBLE_EQ(copy->dimasz(), 0.18);
    EXPECT_DOUBLE_EQ(copy->dimexo(), 0.0625);
    EXPECT_EQ(copy->dimdec(), 3);
    EXPECT_EQ(copy->dimdsep(), L'.');
    EXPECT_EQ(copy->dimtad(), 0);
    EXPECT_EQ(copy->dimtxsty(), d.db->textstyle());
    EXPECT_EQ(copy->dimclrt().colorIndex(), 5);
    EXPECT_STREQ(copy->dimpost(), L"<> m");
    EXPECT_DOUBLE_EQ(copy->dimscale(), 1.0) << "untouched variables keep their defaults";

    // A record cut anywhere is refused and the target keeps its values.
    host::DwgBufferFiler out(AcDb::kFileFiler, d.db.get());
    dim.dwgOut(&out);
    for (size_t cut = 1; cut < out.bytes().size(); cut += 7) {
        AcDbDimStyleTableRecord target;
        target.setDimtxt(9.0);
        host::DwgBufferFiler in(std::vector<uint8_t>(out.bytes().begin(), out.bytes().begin() + long(cut)),
                                AcDb::kFileFiler, d.db.get());
        EXPECT_NE(target.dwgIn(&in), Acad::eOk);
        EXPECT_DOUBLE_EQ(target.dimtxt(), 9.0) << "cut at " << cut;
    }
}

TEST(TableRecords, LinetypesKeepTheirDashPattern) {
    Drawing d;
    AcDbLinetypeTableRecord lt;
    lt.setName(L"STRICHPUNKT");
    ASSERT_EQ(lt.setNumDashes(4), Acad::eOk);
    lt.setDashLengthAt(0, 12.0);
    lt.setDashLengthAt(1, -3.0);
    lt.setDashLengthAt(2, 0.0);
    lt.setDashLengthAt(3, -3.0);
    EXPECT_EQ(lt.setDashLengthAt(4, 1.0), Acad::eInvalidIndex);
    EXPECT_EQ(lt.setNumDashes(-1), Acad::eInvalidInput);
    EXPECT_DOUBLE_EQ(lt.patternLength(), 18.0);
    auto copy = roundTrip(&lt, d.db.get());
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->numDashes(), 4);
    EXPECT_DOUBLE_EQ(copy->dashLengthAt(1), -3.0);
    EXPECT_DOUBLE_EQ(copy->dashLengthAt(9), 0.0) << "an index out of range reads as no dash";

    // The standard linetypes cannot be renamed.
    AcDbLinetypeTableRecord* cont = nullptr;
    ASSERT_EQ(acdbOpenObject(cont, d.db->continuousLinetype(), AcDb::kForWrite), Acad::eOk);
    EXPECT_NE(cont->setName(L"Durchgehend"), Acad::eOk);
    cont->close();
}
