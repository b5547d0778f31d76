// The dimension text an architect reads: units, precision, zeros, separator,
// factor, rounding, prefix/suffix patterns and the user's text.
#include "host/db/dimensions/AcDbDimensionFormat.h"
#include "host/db/dimensions/AcDbDimensionVars.h"

#include <gtest/gtest.h>

#include <numbers>

using host::DimVars;

TEST(DimensionFormat, LengthFollowsPrecisionZerosSeparatorFactorAndRounding) {
    DimVars v;
    v.dimdec = 2;
    v.dimzin = 0;
    v.dimdsep = L',';
    EXPECT_EQ(host::formatDimLength(3.456, v), L"3,46");
    v.dimdsep = L'.';
    EXPECT_EQ(host::formatDimLength(3.456, v), L"3.46");
    v.dimzin = 8; // trailing zeros go
    EXPECT_EQ(host::formatDimLength(3.5, v), L"3.5");
    EXPECT_EQ(host::formatDimLength(3.0, v), L"3");
    v.dimzin = 4; // leading zero goes
    EXPECT_EQ(host::formatDimLength(0.25, v), L".25");
    v.dimzin = 0;
    v.dimlfac = 100.0; // drawn in metres, shown in centimetres
    EXPECT_EQ(host::formatDimLength(1.2345, v), L"123.45");
    v.dimlfac = 1.0;
    v.dimdec = 0;
    v.dimrnd = 5.0;
    EXPECT_EQ(host::formatDimLength(1237.0, v), L"1235");
    EXPECT_EQ(host::formatDimLength(1238.0, v), L"1240");
    // Architectural units keep their own marks and ignore the decimal separator.
    DimVars a;
    a.dimlunit = 4;
    a.dimdec = 1;
    a.dimdsep = L',';
    EXPECT_EQ(host::formatDimLength(17.5, a), L"1'-5 1/2\"");
    // A value that is no number shows nothing rather than garbage.
    EXPECT_EQ(host::formatDimLength(std::numeric_limits<double>::infinity(), v), L"");
}

TEST(DimensionFormat, AnglesCarryTheirUnitMark) {
    DimVars v;
    v.dimadec = 1;
    v.dimazin = 0;
    v.dimdsep = L',';
    EXPECT_EQ(host::formatDimAngle(std::numbers::pi / 4.0, v), L"45,0\u00B0");
    v.dimazin = 2;
    EXPECT_EQ(host::formatDimAngle(std::numbers::pi / 4.0, v), L"45\u00B0");
    v.dimadec = -1; // take dimdec
    v.dimdec = 3;
    v.dimazin = 0;
    v.dimdsep = L'.';
    EXPECT_EQ(host::formatDimAngle(std::numbers::pi / 3.0, v), L"60.000\u00B0");
    v.dimaunit = 1;
    v.dimadec = 2;
    EXPECT_EQ(host::formatDimAngle((45.5) * std::numbers::pi / 180.0, v), L"45\u00B030'");
    v.dimaunit = 2;
    v.dimadec = 0;
    EXPECT_EQ(host::formatDimAngle(std::numbers::pi / 2.0, v), L"100g");
    v.dimaunit = 3;
    v.dimadec = 2;
    EXPECT_EQ(host::formatDimAngle(1.0, v), L"1.00r");
}

TEST(DimensionFormat, UserTextAndPostPatternsPlaceTheValue) {
    EXPECT_EQ(host::applyDimPost(L"12.5", L""), L"12.5");
    EXPECT_EQ(host::applyDimPost(L"12.5", L" m"), L"12.5 m");
    EXPECT_EQ(host::applyDimPost(L"12.5", L"ca. <> m"), L"ca. 12.5 m");
    EXPECT_EQ(host::applyDimensionText(L"", L"12.5"), L"12.5");
    EXPECT_EQ(host::applyDimensionText(L"<>", L"12.5"), L"12.5");
    EXPECT_EQ(host::applyDimensionText(L"<> (RH)", L"12.5"), L"12.5 (RH)");
    EXPECT_EQ(host::applyDimensionText(L"BMaß", L"12.5"), L"BMaß");
    // Only the first "<>" is the value.
    EXPECT_EQ(host::applyDimensionText(L"<>/<>", L"3"), L"3/<>");
    EXPECT_TRUE(host::isSuppressedDimensionText(L" "));
    EXPECT_FALSE(host::isSuppressedDimensionText(L""));
    EXPECT_FALSE(host::isSuppressedDimensionText(L"  x"));
}

TEST(DimensionVars, NamesCodesAndOverridesAgree) {
    // The table other programs read: names and group codes must be the exchange ones.
    const int txt = host::dimVarIndexByName(L"$DIMTXT");
    ASSERT_EQ(txt, host::kDimVar_dimtxt);
    EXPECT_EQ(host::dimVarInfo(txt).dxfCode, 140);
    EXPECT_EQ(host::dimVarIndexByDxfCode(41), host::kDimVar_dimasz);
    EXPECT_EQ(host::dimVarIndexByDxfCode(342), host::kDimVar_dimblk);
    EXPECT_EQ(host::dimVarIndexByDxfCode(278), host::kDimVar_dimdsep);
    EXPECT_EQ(host::dimVarIndexByName(L"nosuchvar"), -1);
    EXPECT_EQ(host::dimVarIndexByDxfCode(999), -1);

    host::DimVarOverrides o;
    EXPECT_TRUE(o.empty());
    EXPECT_TRUE(o.set(host::kDimVar_dimtxt, 0.35));
    EXPECT_FALSE(o.set(host::kDimVar_dimtxt, 3)) << "an int is no real";
    EXPECT_FALSE(o.set(host::kDimVar_dimasz, std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(o.set(host::kDimVar_dimdsep, wchar_t(0)));
    EXPECT_FALSE(o.has(host::kDimVar_dimasz));
    DimVars base;
    base.dimtxt = 2.5;
    base.dimasz = 1.0;
    const DimVars drawn = o.applyTo(base);
    EXPECT_DOUBLE_EQ(drawn.dimtxt, 0.35);
    EXPECT_DOUBLE_EQ(drawn.dimasz, 1.0);
    o.clear(host::kDimVar_dimtxt);
    EXPECT_TRUE(o.empty());
}
