#include "module/chain/ValueFormat.h"

#include "module/chain/TRdimParams.h"
#include "module/options/OptionIndices.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

// A chain's parameters as a metre drawing with "m/cm", "," and no rounding.
struct Style {
    TRdimParams p;
    ValueFormatEnv env;

    Style() {
        p.arrayDouble.assign(OPT_DOUBLE_COUNT, 0.0);
        p.arrayString.assign(OPT_STRING_COUNT, L"");
        p.arrayInt.assign(OPT_INT_COUNT, 0);
        p.arrayDouble[IND_D_AcadUnits] = 0.001;
        p.arrayString[IND_S_Measure] = L"m/cm";
        p.arrayString[IND_S_Delimiter] = L",";
        p.arrayInt[IND_I_Decimals] = 2;
    }
    Style& unit(const wchar_t* u) {
        p.arrayString[IND_S_Measure] = u;
        return *this;
    }
    Style& decimals(unsigned d) {
        p.arrayInt[IND_I_Decimals] = d;
        return *this;
    }
    Style& rounding(unsigned r) {
        p.arrayInt[IND_I_RoundMM] = r;
        return *this;
    }
    Style& trim() {
        p.arrayInt[IND_I_TrimZero] = 1;
        return *this;
    }
    Style& metresFrom10() {
        p.arrayInt[IND_I_MCmFrom10] = 1;
        return *this;
    }
    Style& delimiter(const wchar_t* d) {
        p.arrayString[IND_S_Delimiter] = d;
        return *this;
    }
    Style& acadUnits(double u) {
        p.arrayDouble[IND_D_AcadUnits] = u;
        return *this;
    }
    std::wstring operator()(double length, int mode = 2) const { return FormatValue(mode, length, p, env); }
};

std::vector<std::wstring> g_log;
void record(const wchar_t* text) {
    g_log.emplace_back(text);
}

} // namespace

TEST(ValueFormat, MetresCentimetres_SuperscriptMillimetresWithThreeDecimals) {
    EXPECT_EQ(Style().decimals(2)(1.234), L"1,23");
    EXPECT_EQ(Style().decimals(3)(1.234), L"1,23^4");
    // Four decimals: millimetres and tenths; a trailing 0 of the two is dropped, a leading one kept.
    EXPECT_EQ(Style().decimals(4)(1.234), L"1,23^4");
    EXPECT_EQ(Style().decimals(4)(1.2345), L"1,23^45");
    EXPECT_EQ(Style().decimals(4)(1.2305), L"1,23^05");
    // No superscript when the millimetres are 0; the metres are then not cut.
    EXPECT_EQ(Style().decimals(3)(1.23), L"1,23");
    EXPECT_EQ(Style().decimals(3)(1.2996), L"1,30");
    // Superscript digits come from the rounded millimetres, the metres are cut to centimetres.
    EXPECT_EQ(Style().decimals(3)(1.2376), L"1,23^8");
    EXPECT_EQ(Style().decimals(3).trim()(1.205), L"1,2^5");
}

TEST(ValueFormat, MetresCentimetres_WholeCentimetresBelowTheSwitchOver) {
    EXPECT_EQ(Style().decimals(2)(0.875), L"88");
    EXPECT_EQ(Style().decimals(3)(0.875), L"87^5");
    EXPECT_EQ(Style().decimals(4)(0.8755), L"87^55");
    // Centimetres ignore the delimiter and trailing-zero switch: they are whole numbers.
    EXPECT_EQ(Style().decimals(2).trim().delimiter(L".")(0.5), L"50");
    // Millimetres that round to a whole 10 are no superscript and no cut centimetre.
    EXPECT_EQ(Style().decimals(3)(0.8696), L"87");
    EXPECT_EQ(Style().decimals(2)(0.9999), L"100");
}

TEST(ValueFormat, MetresCentimetres_MetresFromTenMetresWhenAsked) {
    EXPECT_EQ(Style().decimals(2)(5.5), L"5,50");
    EXPECT_EQ(Style().decimals(2).metresFrom10()(5.5), L"550");
    EXPECT_EQ(Style().decimals(3).metresFrom10()(9.994), L"999^4");
    EXPECT_EQ(Style().decimals(3).metresFrom10()(12.345), L"12,34^5");
    // The unit name is matched without regard to case.
    EXPECT_EQ(Style().unit(L"M/CM").decimals(3)(1.234), L"1,23^4");
}

TEST(ValueFormat, HeightMarkModes_ThreeForcesMetresFiveWritesMTextAndKeepsTheSign) {
    EXPECT_EQ(Style().decimals(2)(0.875, 3), L"0,88");
    EXPECT_EQ(Style().decimals(3)(0.875, 3), L"0,87^5");
    EXPECT_EQ(Style().decimals(3)(1.234, 5), L"\\A1;1,23{\\H0.7x;\\S4^;}");
    EXPECT_EQ(Style().decimals(4)(0.8755, 5), L"\\A1;87{\\H0.7x;\\S55^;}");
    // Mode 5 passes the sign on to the number itself; other modes put "-" in front.
    EXPECT_EQ(Style().unit(L"m").decimals(2)(-1.234, 5), L"-1,23");
    EXPECT_EQ(Style().decimals(2)(-0.5, 5), L"-50");
    EXPECT_EQ(Style().decimals(3)(-1.234), L"-1,23^4");
    EXPECT_EQ(Style().decimals(2)(-0.875), L"-88");
    EXPECT_EQ(Style().unit(L"mm").decimals(0).rounding(1)(-1.2376), L"-1240");
}

TEST(ValueFormat, RoundingToFiveMillimetres_ByTheLastTwoDigitsOfTenths) {
    const Style mm = Style().unit(L"mm").decimals(0).rounding(1);
    EXPECT_EQ(mm(1.2374), L"1235");
    EXPECT_EQ(mm(1.2376), L"1240");
    EXPECT_EQ(mm(1.23244), L"1230");
    EXPECT_EQ(mm(1.23249), L"1235"); // the tenths are rounded first: 12325
    // Any rounding value other than 0 and 2 means 5 mm.
    EXPECT_EQ(Style().unit(L"mm").decimals(0).rounding(7)(1.2376), L"1240");
    EXPECT_EQ(Style().decimals(3).rounding(1)(1.2374), L"1,23^5");
    EXPECT_EQ(Style().decimals(3).rounding(1)(1.2376), L"1,24");
    EXPECT_EQ(Style().decimals(2).rounding(1)(0.8774), L"88");
}

TEST(ValueFormat, RoundingToTwoAndAHalfMillimetres_AtTheDigitBoundaries) {
    const Style mm = Style().unit(L"mm").decimals(1).delimiter(L".").rounding(2);
    EXPECT_EQ(mm(1.2312), L"1230.0");
    EXPECT_EQ(mm(1.2313), L"1232.5");
    EXPECT_EQ(mm(1.2338), L"1235.0");
    EXPECT_EQ(mm(1.2363), L"1237.5");
    EXPECT_EQ(mm(1.2387), L"1237.5");
    EXPECT_EQ(mm(1.2388), L"1240.0");
    EXPECT_EQ(mm(1.9988), L"2000.0");
}

TEST(ValueFormat, RoundingSkipsValuesBelowOneMillimetreAndSaysSo) {
    g_log.clear();
    Style s = Style().unit(L"mm").decimals(2).delimiter(L".").rounding(1);
    s.env.log = &record;
    EXPECT_EQ(s(0.0004), L"0.40");
    ASSERT_EQ(g_log.size(), 1u);
    EXPECT_EQ(g_log[0], L" iLastPos <= 0 ");
    EXPECT_EQ(s(0.00095), L"0.00"); // 9.5 tenths -> 10 -> digits "10" -> down to 0
}

TEST(ValueFormat, ZeroLengthIsEmptyAndMissingOptionsAreShownRaw) {
    EXPECT_EQ(Style()(0.0), L"");
    EXPECT_EQ(Style()(-0.0), L"");
    Style none;
    none.env.hasOptions = false;
    EXPECT_EQ(none(1.234), L"...<1.234000>");
}

TEST(ValueFormat, OtherUnits_TrailingZerosDelimitersAndDrawingUnits) {
    EXPECT_EQ(Style().unit(L"m").decimals(3)(1.2), L"1,200");
    EXPECT_EQ(Style().unit(L"m").decimals(3).trim()(1.2), L"1,2");
    EXPECT_EQ(Style().unit(L"cm").decimals(1)(1.2345), L"123,5");
    EXPECT_EQ(Style().unit(L"cm").decimals(2).trim()(0.5), L"50");
    EXPECT_EQ(Style().unit(L"mm").decimals(0)(1.234), L"1234");
    // Millimetre drawings, and AcadUnits 0 read as a metre drawing.
    EXPECT_EQ(Style().decimals(3).acadUnits(1.0)(1234.0), L"1,23^4");
    EXPECT_EQ(Style().decimals(3).acadUnits(0.0)(1.234), L"1,23^4");
    EXPECT_EQ(Style().unit(L"").decimals(1)(1.2345), L"1234,5");
    EXPECT_EQ(Style().unit(L"m").decimals(2).delimiter(L".")(1.234), L"1.23");
    // An unset delimiter keeps the point rather than gluing the digits together.
    EXPECT_EQ(Style().unit(L"m").decimals(2).delimiter(L"")(1.234), L"1.23");
    EXPECT_EQ(Style().unit(L"m").decimals(2).delimiter(L"·")(1.234), L"1·23");
    // Decimals past 14 print with six and trim.
    EXPECT_EQ(Style().unit(L"m").decimals(0xFFFFFFFFu)(1.25), L"1,25");
    // Exact unit words only: "M" is not metres.
    EXPECT_EQ(Style().unit(L"M").decimals(0)(1.234), L"1234");
}

TEST(ValueFormat, FeetAndInches_ThroughTheHostConversion) {
    EXPECT_EQ(Style().unit(kUnitFeetFractionalInches).decimals(4)(1.234), L"4'-0 9/16\"");
    EXPECT_EQ(Style().unit(kUnitFeetFractionalInches).decimals(8)(0.3048), L"1'");
    EXPECT_EQ(Style().unit(kUnitFeetDecimalInches).decimals(3)(1.234), L"4'-0.583\"");
    EXPECT_EQ(Style().unit(kUnitFeetDecimalInches).decimals(2)(0.4445), L"1'-5.50\"");
    EXPECT_EQ(Style().unit(kUnitFeetFractionalInches).decimals(2)(-0.4445), L"-1'-5 1/2\"");
    // Any other name containing "0'-" is architectural.
    EXPECT_EQ(Style().unit(L"0'-0 1/16\"").decimals(1)(0.4445), L"1'-5 1/2\"");
    EXPECT_EQ(Style().unit(L"ft").decimals(3).trim()(0.4572), L"1,5");
}

TEST(ValueFormat, AlternateUnit_TakesUnitAndDecimalsFromTheEnvironment) {
    Style s = Style().decimals(3);
    s.env.altMeasure = L"m";
    s.env.altDecimals = 3;
    EXPECT_EQ(s(1.2346, -2), L"1,235");
    EXPECT_EQ(s(1.2346, 2), L"1,23^5");
    s.env.altMeasure = kUnitFeetFractionalInches;
    s.env.altDecimals = 4;
    EXPECT_EQ(s(1.234, -2), L"4'-0 9/16\"");
    s.env.altMeasure = L"";
    s.env.altDecimals = 0;
    EXPECT_EQ(s(1.234, -2), L"1234");
}

TEST(ValueFormat, HostileInputNeverCrashes) {
    const Style s = Style().decimals(3).rounding(1);
    EXPECT_FALSE(s(std::numeric_limits<double>::quiet_NaN()).empty());
    EXPECT_FALSE(s(std::numeric_limits<double>::infinity()).empty());
    EXPECT_FALSE(s(1e300).empty());
    EXPECT_FALSE(Style().unit(kUnitFeetFractionalInches).decimals(4)(1e300).empty());
    EXPECT_EQ(s(1.234, INT_MIN), s(1.234, -2));
    EXPECT_EQ(Style().decimals(3).acadUnits(1e-320)(1.0), L"inf");
    // Short or empty arrays (an old drawing) read as neutral values.
    const ValueFormatEnv env;
    EXPECT_EQ(FormatValue(2, 1.234, ParamArraysView(), env), L"1234");
    const std::vector<std::wstring> strings = {L"1:100", L"", L"m/cm"};
    const std::vector<std::uint32_t> ints = {0, 0, 0};
    const std::vector<double> doubles = {0.01};
    EXPECT_EQ(FormatValue(2, 1.234, strings, ints, doubles, env), L"1.23");
}
