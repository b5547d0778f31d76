#include "module/height/HeightText.h"

#include "module/options/OptionIndices.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// Arrays of a section mark that shows metres with two decimals in a drawing in metres.
struct SectionArrays {
    std::vector<double> doubles = std::vector<double>(OPT_DOUBLE_COUNT, 0.0);
    std::vector<std::wstring> strings = std::vector<std::wstring>(OPT_STRING_COUNT);
    std::vector<std::uint32_t> ints = std::vector<std::uint32_t>(OPT_INT_COUNT, 0);

    explicit SectionArrays(const std::wstring& delimiter = L".") {
        doubles[IND_D_ScaleVal] = 0.01;
        doubles[IND_D_AcadUnits] = 0.001;
        strings[IND_S_Measure] = L"m";
        strings[IND_S_Delimiter] = delimiter;
        ints[IND_I_Decimals] = 2;
    }
    ParamArraysView view() const { return ParamArraysView(strings, ints, doubles); }
};

HeightRowInput Section(const SectionArrays& arrays, double value) {
    HeightRowInput in;
    in.plan = false;
    in.value = value;
    in.params = arrays.view();
    in.delimiter = arrays.strings[IND_S_Delimiter];
    return in;
}

HeightRowInput Plan(double value, const std::wstring& delimiter = L".") {
    HeightRowInput in;
    in.plan = true;
    in.value = value;
    in.decimals = 2;
    in.delimiter = delimiter;
    return in;
}

std::wstring Shown(const HeightRowInput& in) {
    const HeightRowText t = ComposeHeightRow(in);
    return t.exponent.empty() ? t.main : t.main + L"^" + t.exponent;
}

} // namespace

TEST(HeightText, ZeroShowsPlusMinusWithTwoDecimalsAndTheMarksDelimiter) {
    const SectionArrays dot;
    EXPECT_EQ(Shown(Section(dot, 0.0000004)), L"\u00B10.00");
    HeightRowInput hidden = Section(dot, -0.0000004);
    hidden.plusMinusHide = true;
    EXPECT_EQ(Shown(hidden), L"0.00");
    const SectionArrays comma(L",");
    EXPECT_EQ(Shown(Section(comma, 0.0)), L"\u00B10,00");
    EXPECT_EQ(Shown(Plan(0.0, L",")), L"\u00B10,00");
}

TEST(HeightText, SectionMarksCarryTheirSignPlanMarksOnlyTheMinus) {
    const SectionArrays arrays;
    EXPECT_EQ(Shown(Section(arrays, 1.25)), L"+1.25");
    EXPECT_EQ(Shown(Section(arrays, -1.25)), L"-1.25");
    HeightRowInput hidden = Section(arrays, 1.25);
    hidden.plusMinusHide = true;
    EXPECT_EQ(Shown(hidden), L"1.25");
    EXPECT_EQ(Shown(Plan(1.25)), L"1.25");
    EXPECT_EQ(Shown(Plan(-1.25)), L"-1.25");
    HeightRowInput trimmed = Plan(3.5, L",");
    trimmed.trimZero = true;
    EXPECT_EQ(Shown(trimmed), L"3,5");
}

TEST(HeightText, UserTextReplacesTheValueOnlyWhereTheMarkAllowsIt) {
    const SectionArrays arrays;
    HeightRowInput off = Section(arrays, 1.25);
    off.userText = L"OKFF";
    EXPECT_EQ(Shown(off), L"+1.25");
    HeightRowInput on = off;
    on.userTextOn = true;
    EXPECT_EQ(Shown(on), L"OKFF");
    // A number typed as a section mark's value is formatted like every value.
    on.userText = L"2,5";
    EXPECT_EQ(Shown(on), L"2.50");
    HeightRowInput plan = Plan(1.25);
    plan.userText = L"EG";
    EXPECT_EQ(Shown(plan), L"EG");
}

TEST(HeightText, PrefixSuffixAndRowStateTwo) {
    const SectionArrays arrays;
    HeightRowInput in = Section(arrays, 1.25);
    in.prefix = L"OKRD";
    in.suffix = L"m\u00FC.NN ";
    EXPECT_EQ(Shown(in), L"OKRD +1.25 m\u00FC.NN");
    in.rowState = 2;
    EXPECT_EQ(Shown(in), L"OKRD m\u00FC.NN");
    // State 2 with neither text shows the value as state 1 does.
    in.prefix.clear();
    in.suffix.clear();
    EXPECT_EQ(Shown(in), L"+1.25");
    // The part behind "^" is the exponent text.
    HeightRowInput up = Plan(1.0);
    up.userText = L"12^5";
    const HeightRowText t = ComposeHeightRow(up);
    EXPECT_EQ(t.main, L"12");
    EXPECT_EQ(t.exponent, L"5");
}

TEST(HeightText, RowStatesUseTheirOwnBits) {
    EXPECT_EQ(HeightRowState(0, 1), 0);
    EXPECT_EQ(HeightRowState(1, 1), 1);
    EXPECT_EQ(HeightRowState(5, 1), 2);
    EXPECT_EQ(HeightRowState(1, 2), 0);
    EXPECT_EQ(HeightRowState(2, 2), 1);
    EXPECT_EQ(HeightRowState(10, 2), 2);
    std::uint32_t f = SetHeightRowState(0, 1, 2);
    EXPECT_EQ(f, 4u);
    f = SetHeightRowState(f, 2, 1);
    EXPECT_EQ(f, 6u);
    f = SetHeightRowState(f, 1, 1);
    EXPECT_EQ(f, 3u);
    f = SetHeightRowState(f, 2, 0);
    EXPECT_EQ(f, 1u);
    // Bits outside the two rows are kept.
    EXPECT_EQ(SetHeightRowState(0x30u, 1, 1), 0x31u);
}

TEST(HeightText, TypeAndAlignmentNamesReadBack) {
    EXPECT_EQ(HeightTypeName(true, 1), L"Grundriss-HK - Typ 2");
    EXPECT_EQ(HeightTypeName(true, 2), L"Grundriss-HK - Typ 1");
    EXPECT_EQ(HeightTypeName(true, 4), L"Rohbaumaß - Spitze unten");
    EXPECT_EQ(HeightTypeName(false, 5), L"Rohbaumaß - Spitze oben");
    EXPECT_EQ(HeightTypeName(false, 9), L"");
    for (int code : {4, 5, 6, 7, 9, 10, 11, 12})
        EXPECT_EQ(HeightTextAlignCode(false, HeightTextAlignName(false, code)), code) << code;
    EXPECT_EQ(HeightTextAlignName(true, 4), L"Links");
    EXPECT_EQ(HeightTextAlignName(true, 12), L"Rechts");
    EXPECT_EQ(HeightTextAlignCode(true, L"Links"), 7);
    EXPECT_EQ(HeightTextAlignCode(true, L"Rechts"), 9);
    EXPECT_EQ(HeightTextAlignCode(false, L"irgendwo"), 7);
    EXPECT_TRUE(IsLeftAlignCode(1));
    EXPECT_TRUE(IsLeftAlignCode(10));
    EXPECT_FALSE(IsLeftAlignCode(11));
}
