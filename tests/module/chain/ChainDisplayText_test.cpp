#include "module/chain/ChainDisplayText.h"

#include "module/options/OptionIndices.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A metre drawing with "m/cm", three decimals (superscript millimetres) and ",".
struct Chain {
    TRdimParams p;
    ValueFormatEnv env;

    Chain() {
        p.arrayDouble.assign(OPT_DOUBLE_COUNT, 0.0);
        p.arrayString.assign(OPT_STRING_COUNT, L"");
        p.arrayInt.assign(OPT_INT_COUNT, 0);
        p.arrayDouble[IND_D_AcadUnits] = 0.001;
        p.arrayString[IND_S_Measure] = L"m/cm";
        p.arrayString[IND_S_Delimiter] = L",";
        p.arrayInt[IND_I_Decimals] = 3;
    }
    std::vector<std::wstring> compose(const DisplayTextInputs& in, bool* superscript = nullptr) const {
        std::vector<std::wstring> parts;
        const bool sup = ComposeDisplayText(in, p, env, &parts);
        if (superscript) *superscript = sup;
        return parts;
    }
    std::wstring alt(const wchar_t* format, const std::wstring& value, double length, bool isSum = false) {
        env.altFormat = format;
        return AlternateValueText(value, isSum, length, p, env);
    }
};

DisplayTextInputs segment(const wchar_t* value, const wchar_t* prefix = L"", const wchar_t* suffix = L"") {
    DisplayTextInputs in;
    in.value = value;
    in.prefix = prefix;
    in.suffix = suffix;
    in.segmentLength = 1.234;
    return in;
}

using Parts = std::vector<std::wstring>;

} // namespace

TEST(ChainDisplayText, SegmentValue_ManualNumbersAreFormattedOtherTextsShownAsTyped) {
    Chain c;
    std::vector<std::wstring> texts = {L"",           L"1,23^4#5",        L"88#5@3.5", L"88#5@3,5",
                                       L"88#5@ca. 3", L"88#5@1,23^4@p@s", L"2,50"};
    const int ext = static_cast<int>(texts.size());
    auto text = [&](int k) { return SegmentValueText(k, texts, ext, nullptr, c.p, c.env); };
    EXPECT_EQ(text(1), L"1,23^4");
    EXPECT_EQ(text(2), L"3,50"); // a number is a length in drawing units
    EXPECT_EQ(text(3), L"3,50");
    EXPECT_EQ(text(4), L"ca. 3"); // not a number: as typed
    EXPECT_EQ(text(5), L"1,23^4");
    EXPECT_EQ(text(6), L"2,50"); // an entry without "#"
    EXPECT_EQ(text(-1), L"000");
    // A missing entry shows "???" and the list is brought to one entry per extension.
    std::vector<std::wstring> few = {L"", L"88#5"};
    EXPECT_EQ(SegmentValueText(3, few, 5, nullptr, c.p, c.env), L"???");
    ASSERT_EQ(few.size(), 5u);
    EXPECT_EQ(few[1], L"88#5");
    EXPECT_EQ(SegmentValueText(40, few, 5, nullptr, c.p, c.env), L"???");
    EXPECT_EQ(few.size(), 5u);
}

TEST(ChainDisplayText, SegmentValue_SumIsTheTotalOfUnroundedLengths) {
    Chain c;
    c.p.arrayInt[IND_I_RoundMM] = 1;
    const std::vector<double> lengths = {1.2374, 1.2374};
    std::vector<std::wstring> texts = {L"", L"1,23^5#5", L"1,23^5#5"};
    int asked = 0;
    auto total = [&] {
        ++asked;
        return lengths[0] + lengths[1];
    };
    // Each segment rounds to 1235 mm; the chain is 2474.8 mm, which rounds to 2475, not 2470.
    EXPECT_EQ(FormatValue(2, lengths[0], c.p, c.env), L"1,23^5");
    EXPECT_EQ(SegmentValueText(3, texts, 3, total, c.p, c.env), L"2,47^5");
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(SegmentValueText(1, texts, 3, total, c.p, c.env), L"1,23^5");
    EXPECT_EQ(asked, 1); // the total is only computed for the sum
}

TEST(ChainDisplayText, ManualValueOutsideToleranceIsMarked) {
    const std::vector<std::wstring> texts = {L"", L"3,49#5@3,5", L"3,49#5@ca. 3,5", L"3,49#5"};
    const double measured = 3.49;
    EXPECT_TRUE(UserTextOutOfTolerance(1, texts, true, L",", measured, 0.005));
    EXPECT_FALSE(UserTextOutOfTolerance(1, texts, true, L",", measured, 0.02));
    EXPECT_FALSE(UserTextOutOfTolerance(2, texts, true, L",", measured, 0.005)); // not a number
    EXPECT_FALSE(UserTextOutOfTolerance(3, texts, true, L",", measured, 0.005)); // no manual value
    EXPECT_FALSE(UserTextOutOfTolerance(1, texts, false, L",", measured, 0.005));
    EXPECT_FALSE(UserTextOutOfTolerance(0, texts, true, L",", measured, 0.005));
    EXPECT_FALSE(UserTextOutOfTolerance(5, texts, true, L",", measured, 0.005));
}

TEST(ChainDisplayText, Display_PrefixValueSuffixAndTheSuperscriptSplit) {
    Chain c;
    bool sup = false;
    EXPECT_EQ(c.compose(segment(L"1,23^4"), &sup), (Parts{L"1,23", L"4"}));
    EXPECT_TRUE(sup);
    EXPECT_EQ(c.compose(segment(L"88", L"ca.", L"m"), &sup), (Parts{L"ca. 88 m"}));
    EXPECT_FALSE(sup);
    EXPECT_EQ(c.compose(segment(L"1,23^4", L"ca.", L"m"), &sup), (Parts{L"ca. 1,23", L"4", L" m"}));
    EXPECT_TRUE(sup);
    // MText codes are drawn as they are, in one part.
    EXPECT_EQ(c.compose(segment(L"\\A1;1,23{\\H0.7x;\\S4^;}"), &sup), (Parts{L"\\A1;1,23{\\H0.7x;\\S4^;}"}));
    EXPECT_FALSE(sup);
    // A full circle shows its circumference after "U=", behind the prefix.
    DisplayTextInputs circle = segment(L"6,28^3", L"ca.");
    circle.fullCircle = true;
    EXPECT_EQ(c.compose(circle), (Parts{L"ca. U=6,28", L"3"}));
    // Without global options nothing is composed and the list is left alone.
    Chain none;
    none.env.hasOptions = false;
    std::vector<std::wstring> parts = {L"kept"};
    EXPECT_FALSE(ComposeDisplayText(segment(L"88"), none.p, none.env, &parts));
    EXPECT_EQ(parts, (Parts{L"kept"}));
    EXPECT_FALSE(ComposeDisplayText(segment(L"88"), c.p, c.env, nullptr));
}

TEST(ChainDisplayText, Display_ChainLabelAndAppendedTexts) {
    Chain c;
    c.p.arrayString[IND_S_DimDescription] = L"2Wohnzimmer";
    DisplayTextInputs label;
    label.k = kChainLabelIndex;
    EXPECT_EQ(c.compose(label), (Parts{L"Wohnzimmer"}));
    c.p.arrayString[IND_S_DimDescription] = L"";
    EXPECT_EQ(c.compose(label), (Parts{L""}));

    AppendingText app;
    app.m_dValue = 1.234;
    app.m_strText = L"ignored";
    DisplayTextInputs in = segment(L"88", L"ca.", L"m");
    in.appendingText = &app;
    bool sup = false;
    EXPECT_EQ(c.compose(in, &sup), (Parts{L"1,23", L"4"})); // its value, formatted like a segment
    EXPECT_TRUE(sup);
    app.m_iAutoPos = 0;
    EXPECT_EQ(c.compose(in), (Parts{L"ignored"}));
    app.m_strText = L"BMaß 2,01^5";
    EXPECT_EQ(c.compose(in), (Parts{L"BMaß 2,01", L"5"}));
}

TEST(ChainDisplayText, AlternateUnit_FramesFromTheFormatList) {
    Chain c;
    c.env.altMeasure = L"0'-0 1/256\"";
    c.env.altDecimals = 4;
    EXPECT_EQ(c.alt(L"[#]", L"1,23^4", 1.234), L"[4'-0 9/16\"]");
    EXPECT_EQ(c.alt(L"< # >", L"1,23^4", 1.234), L"< 4'-0 9/16\" >");
    EXPECT_EQ(c.alt(L"=> #", L"1,23^4", 1.234), L"=> 4'-0 9/16\"");
    c.env.altMeasure = L"cm";
    c.env.altDecimals = 1;
    EXPECT_EQ(c.alt(L"(9 cm)", L"1,23^4", 1.234), L"(123,4 cm)"); // "9" stands in without "#"
    EXPECT_EQ(c.alt(L"9 # 9", L"1,23^4", 1.234), L"9 123,4 9");   // "#" wins over "9"
    EXPECT_EQ(c.alt(L"alt: ", L"1,23^4", 1.234), L"alt: 123,4");  // neither: appended
    EXPECT_EQ(c.alt(L"%s%d#", L"1,23^4", 1.234), L" s d123,4");   // never a format string
    EXPECT_EQ(c.alt(L"", L"1,23^4", 1.234), L"");
}

TEST(ChainDisplayText, AlternateUnit_CentimetreSegmentsAreMetresAgain) {
    Chain c;
    c.env.altMeasure = L"cm";
    c.env.altDecimals = 1;
    EXPECT_EQ(c.alt(L"[#]", L"87^5", 0.875), L"[87,5]");
    // The sum is always in metres.
    EXPECT_EQ(c.alt(L"[#]", L"1,75", 0.875, true), L"[175,0]");
    c.p.arrayInt[IND_I_MCmFrom10] = 1;
    EXPECT_EQ(c.alt(L"[#]", L"550", 5.5), L"[550,0]");
    c.p.arrayInt[IND_I_MCmFrom10] = 0;
    EXPECT_EQ(c.alt(L"[#]", L"5,50", 5.5), L"[550,0]");
    // In a millimetre drawing the switch-over is still measured in metres.
    c.p.arrayDouble[IND_D_AcadUnits] = 1.0;
    EXPECT_EQ(c.alt(L"[#]", L"87^5", 875.0), L"[0,1]"); // 0.875 drawing units are 0.875 mm
}

TEST(ChainDisplayText, Display_AlternateUnitAndSuffixFollowTheValue) {
    Chain c;
    c.env.altMeasure = L"0'-0 1/256\"";
    c.env.altDecimals = 4;
    c.env.altFormat = L"[#]";
    DisplayTextInputs in = segment(L"1,23^4", L"", L"m");
    in.altUnitsOn = true;
    bool sup = false;
    EXPECT_EQ(c.compose(in, &sup), (Parts{L"1,23", L"4", L" [4'-0 9/16\"] m"}));
    EXPECT_TRUE(sup);
    in.value = L"2,50";
    in.segmentLength = 2.5;
    EXPECT_EQ(c.compose(in, &sup), (Parts{L"2,50 [8'-2 7/16\"] m"}));
    EXPECT_FALSE(sup);
    in.altUnitsOn = false;
    EXPECT_EQ(c.compose(in), (Parts{L"2,50 m"}));
    // A superscript that only the alternate text has does not split the value.
    c.p.arrayString[IND_S_Measure] = L"m";
    c.env.altMeasure = L"m/cm";
    c.env.altDecimals = 3;
    in = segment(L"2,515");
    in.segmentLength = 2.515;
    in.altUnitsOn = true;
    EXPECT_EQ(c.compose(in, &sup), (Parts{L"2,515", L"", L" [2,51^5]"}));
    EXPECT_FALSE(sup);
}
