// What an edited row of the properties dialog stores in an object's arrays: the entries
// users type or pick, and the texts that must be turned away with the arrays untouched.
#include "module/ui/PropertyRows.h"

#include "module/options/OptionIndices.h"
#include "module/ui/PalettePositions.h"
#include "module/resources/PaletteResources.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr double kTol = 1e-12;

// Arrays of the options' sizes with recognisable values, as a chain holds them.
TRdimParams sample() {
    TRdimParams p;
    p.arrayDouble.assign(OPT_DOUBLE_COUNT, 0.0);
    p.arrayString.assign(OPT_STRING_COUNT, std::wstring());
    p.arrayInt.assign(OPT_INT_COUNT, 0u);
    p.arrayDouble[IND_D_ScaleVal] = 0.01;
    p.arrayDouble[IND_D_TextHeight] = 2.5;
    p.arrayDouble[IND_D_ExtLineLength] = 10;
    p.arrayDouble[IND_D_AcadUnits] = 0.001;
    p.arrayString[IND_S_Scale] = L"1:100";
    p.arrayString[IND_S_Measure] = L"m/cm";
    p.arrayString[IND_S_DimDescription] = L"1Achse A";
    p.arrayInt[IND_I_ExtLine] = 1;
    p.arrayInt[IND_I_Decimals] = 2;
    return p;
}

// ParamChanged on a chain's arrays.
int edit(TRdimParams& p, int type, int index, const std::wstring& text, int kind = kPropKindChains) {
    return ParamChanged(kind, type, index, text, p.arrayString, p.arrayInt, p.arrayDouble);
}

bool same(const TRdimParams& a, const TRdimParams& b) {
    return a.arrayDouble == b.arrayDouble && a.arrayString == b.arrayString && a.arrayInt == b.arrayInt;
}

} // namespace

TEST(PropertyRows, YesNoSwitchesAndNamesStoreTheirCodes) {
    TRdimParams p = sample();
    EXPECT_EQ(edit(p, OPT_TYPE_INT, IND_I_MCmFrom10, L"Ja"), 1);
    EXPECT_EQ(p.arrayInt[IND_I_MCmFrom10], 1u);
    EXPECT_EQ(edit(p, OPT_TYPE_INT, IND_I_MCmFrom10, L"ja"), 0) << "the same value changes nothing";
    EXPECT_EQ(edit(p, OPT_TYPE_INT, IND_I_MCmFrom10, L"Nein"), 1);
    EXPECT_EQ(p.arrayInt[IND_I_MCmFrom10], 0u);
    // Sum, background and direction: "Ein" 1, "-" 0, "Aus" 2.
    EXPECT_EQ(edit(p, OPT_TYPE_INT, IND_I_SumStatus, L"Aus"), 1);
    EXPECT_EQ(p.arrayInt[IND_I_SumStatus], 2u);
    EXPECT_EQ(edit(p, OPT_TYPE_INT, IND_I_WipeOutStatus, L"Ein"), 1);
    EXPECT_EQ(p.arrayInt[IND_I_WipeOutStatus], 1u);
    EXPECT_EQ(edit(p, OPT_TYPE_INT, IND_I_SumStatus, L"-"), 1);
    EXPECT_EQ(p.arrayInt[IND_I_SumStatus], 0u);
    EXPECT_EQ(edit(p, OPT_TYPE_INT, IND_I_LastType, L"Kreuz"), 1);
    EXPECT_EQ(p.arrayInt[IND_I_LastType], 5u);
    EXPECT_EQ(edit(p, OPT_TYPE_INT, IND_I_TextPosition, L"\u00DCber"), 1);
    EXPECT_EQ(p.arrayInt[IND_I_TextPosition], 1u);
    EXPECT_EQ(edit(p, OPT_TYPE_INT, IND_I_RoundMM, L"2.5 mm"), 1);
    EXPECT_EQ(p.arrayInt[IND_I_RoundMM], 2u);
    // Rows read the codes back as the same names.
    const PropertyRow* tick = FindPropertyRow(kPropKindChains, OPT_TYPE_INT, IND_I_LastType);
    ASSERT_NE(tick, nullptr);
    EXPECT_EQ(PropertyRowText(*tick, p), L"Kreuz");
    const PropertyRow* sum = FindPropertyRow(kPropKindChains, OPT_TYPE_INT, IND_I_SumStatus);
    ASSERT_NE(sum, nullptr);
    EXPECT_EQ(PropertyRowText(*sum, p), L"-");
}

TEST(PropertyRows, NumbersAndPaletteValuesConvertAsTheUserMeansThem) {
    TRdimParams p = sample();
    EXPECT_EQ(edit(p, OPT_TYPE_DOUBLE, IND_D_TextHeight, L"3,5"), 1);
    EXPECT_NEAR(p.arrayDouble[IND_D_TextHeight], 3.5, kTol);
    EXPECT_EQ(edit(p, OPT_TYPE_DOUBLE, IND_D_TextOffset, L"-20"), 1) << "an offset may be negative";
    EXPECT_NEAR(p.arrayDouble[IND_D_TextOffset], -20.0, kTol);
    // Extension lines: "<keine>" 0 with the length kept, a length 1, "<maximal>" 2.
    EXPECT_EQ(edit(p, OPT_TYPE_DOUBLE, IND_D_ExtLineLength, L"<keine>"), 1);
    EXPECT_EQ(p.arrayInt[IND_I_ExtLine], 0u);
    EXPECT_NEAR(p.arrayDouble[IND_D_ExtLineLength], 10.0, kTol);
    EXPECT_EQ(edit(p, OPT_TYPE_DOUBLE, IND_D_ExtLineLength, L"7.5"), 1);
    EXPECT_EQ(p.arrayInt[IND_I_ExtLine], 1u);
    EXPECT_NEAR(p.arrayDouble[IND_D_ExtLineLength], 7.5, kTol);
    EXPECT_EQ(edit(p, OPT_TYPE_DOUBLE, IND_D_ExtLineLength, L"<maximal>"), 1);
    EXPECT_EQ(p.arrayInt[IND_I_ExtLine], 2u);
    // Drawing units and the scale, with the scale's factor beside it.
    EXPECT_EQ(edit(p, OPT_TYPE_DOUBLE, IND_D_AcadUnits, L"1 cm"), 1);
    EXPECT_NEAR(p.arrayDouble[IND_D_AcadUnits], 0.1, kTol);
    EXPECT_EQ(edit(p, OPT_TYPE_STRING, IND_S_Scale, L"1:50"), 1);
    EXPECT_EQ(p.arrayString[IND_S_Scale], L"1:50");
    EXPECT_NEAR(p.arrayDouble[IND_D_ScaleVal], 0.02, kTol);
}

TEST(PropertyRows, WrongEntriesAndVariesChangeNothing) {
    const TRdimParams before = sample();
    TRdimParams p = before;
    const struct {
        int type, index;
        const wchar_t* text;
    } wrong[] = {
        {OPT_TYPE_DOUBLE, IND_D_TextHeight, L"abc"},     {OPT_TYPE_DOUBLE, IND_D_TextHeight, L"0"},
        {OPT_TYPE_DOUBLE, IND_D_TextHeight, L"2.5.1"},   {OPT_TYPE_DOUBLE, IND_D_TextHeight, L""},
        {OPT_TYPE_DOUBLE, IND_D_TextOffset, L"1e999"},   {OPT_TYPE_INT, IND_I_MCmFrom10, L"vielleicht"},
        {OPT_TYPE_INT, IND_I_Decimals, L"-1"},           {OPT_TYPE_INT, IND_I_SumStatus, L"An"},
        {OPT_TYPE_INT, IND_I_LastType, L"Dreieck"},      {OPT_TYPE_STRING, IND_S_Scale, L"1:x"},
        {OPT_TYPE_DOUBLE, IND_D_ExtLineLength, L"lang"}, {OPT_TYPE_DOUBLE, IND_D_AcadUnits, L"1 km"},
    };
    for (const auto& w : wrong) {
        EXPECT_EQ(edit(p, w.type, w.index, w.text), -1) << w.text;
        EXPECT_TRUE(same(p, before)) << w.text;
        const PropertyRow* row = FindPropertyRow(kPropKindChains, w.type, w.index);
        ASSERT_NE(row, nullptr) << w.text;
        std::wstring why;
        EXPECT_FALSE(PropertyRowAccepts(*row, w.text, &why)) << w.text;
        EXPECT_FALSE(why.empty()) << w.text;
    }
    // "<var>" stands for differing values: it is never stored.
    EXPECT_EQ(edit(p, OPT_TYPE_DOUBLE, IND_D_TextHeight, L"<var>"), 0);
    EXPECT_EQ(edit(p, OPT_TYPE_STRING, IND_S_TextStyle, L"<VAR>"), 0);
    EXPECT_TRUE(same(p, before));
}

TEST(PropertyRows, TheLabelKeepsItsSide) {
    TRdimParams p = sample();
    const PropertyRow* label = FindPropertyRow(kPropKindChains, OPT_TYPE_STRING, IND_S_DimDescription);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(PropertyRowText(*label, p), L"Achse A") << "the side digit is not shown";
    EXPECT_EQ(edit(p, OPT_TYPE_STRING, IND_S_DimDescription, L"Achse B"), 1);
    EXPECT_EQ(p.arrayString[IND_S_DimDescription], L"1Achse B");
    p.arrayString[IND_S_DimDescription] = L"3Mitte";
    EXPECT_EQ(edit(p, OPT_TYPE_STRING, IND_S_DimDescription, L"Beide"), 1);
    EXPECT_EQ(p.arrayString[IND_S_DimDescription], L"3Beide");
    // A chain without a label gets one on the right.
    p.arrayString[IND_S_DimDescription].clear();
    EXPECT_EQ(edit(p, OPT_TYPE_STRING, IND_S_DimDescription, L"Neu"), 1);
    EXPECT_EQ(p.arrayString[IND_S_DimDescription], L"2Neu");
    EXPECT_EQ(edit(p, OPT_TYPE_STRING, IND_S_DimDescription, L""), 1);
    EXPECT_EQ(p.arrayString[IND_S_DimDescription], L"");
}

TEST(PropertyRows, HeightMarksHaveTheirOwnRowsAndGroupsAreComplete) {
    // Index 4 is the tick size of chains and the symbol size of marks.
    const PropertyRow* chainSize = FindPropertyRow(kPropKindChains, OPT_TYPE_DOUBLE, IND_D_TickSize);
    const PropertyRow* markSize = FindPropertyRow(kPropKindHeights, OPT_TYPE_DOUBLE, IND_D_HDimSize);
    ASSERT_NE(chainSize, nullptr);
    ASSERT_NE(markSize, nullptr);
    EXPECT_NE(PropertyRowLabel(kPropKindChains, *chainSize), PropertyRowLabel(kPropKindHeights, *markSize));
    EXPECT_EQ(FindPropertyRow(kPropKindHeights, OPT_TYPE_STRING, IND_S_DimDescription), nullptr)
        << "index 6 is a mark's link, no label";
    TRdimParams p = sample();
    EXPECT_EQ(edit(p, OPT_TYPE_INT, IND_I_TextAlign, L"Rechts - Zentriert", kPropKindHeights), 1);
    EXPECT_EQ(p.arrayInt[IND_I_TextAlign], 9u);
    EXPECT_EQ(edit(p, OPT_TYPE_INT, IND_I_TextAlign, L"Oben", kPropKindHeights), -1);
    // Every group has rows for both kinds, and each row id is unique within a kind.
    for (int kind : {kPropKindChains, kPropKindHeights}) {
        bool groups[kGroupCount] = {};
        for (const PropertyRow& row : PropertyRowsOf(kind)) {
            groups[row.group] = true;
            EXPECT_EQ(FindPropertyRow(kind, row.type, row.index), &row) << row.labelId;
        }
        for (bool g : groups)
            EXPECT_TRUE(g) << kind;
    }
    EXPECT_TRUE(PropertyRowsOf(OPT_MODE_TEXT).empty());
    EXPECT_EQ(PropertyGroupCaption(kGroupGeneral, false), L"Allgemein");
    EXPECT_EQ(PropertyGroupCaption(kGroupGeneral, true), L"Editierbare Parameter");
}

TEST(PalettePositions, TheMarksPositionCombosOfferAndWriteTheirModesCodes) {
    EXPECT_TRUE(PalettePositionChoices(IDC_COMBO_TEXT_ALIGN, OPT_MODE_CHAIN).empty());
    EXPECT_EQ(PalettePositionChoices(IDC_COMBO_TEXT_ALIGN, OPT_MODE_HEIGHT).size(), 8u);
    EXPECT_EQ(PalettePositionChoices(IDC_COMBO_TEXT_ALIGN, OPT_MODE_HEIGHT_PLAN).size(), 2u);
    TRdimParams p = sample();
    const TRdimParams before = p;
    // Plan marks keep their alignment apart from the section marks'.
    EXPECT_TRUE(ApplyPalettePosition(IDC_COMBO_TEXT_ALIGN, OPT_MODE_HEIGHT_PLAN, L"Rechts", p));
    EXPECT_EQ(p.arrayInt[IND_I_TextAlignPlan], 9u);
    EXPECT_EQ(p.arrayInt[IND_I_TextAlign], before.arrayInt[IND_I_TextAlign]);
    EXPECT_TRUE(ApplyPalettePosition(IDC_COMBO_TEXT_ALIGN, OPT_MODE_HEIGHT, L"Links - bei der Spitze", p));
    EXPECT_EQ(p.arrayInt[IND_I_TextAlign], 4u);
    EXPECT_EQ(PalettePositionText(IDC_COMBO_TEXT_ALIGN, OPT_MODE_HEIGHT, p), L"Links - bei der Spitze");
    EXPECT_TRUE(ApplyPalettePosition(IDC_COMBO_TEXT_POSITION, OPT_MODE_HEIGHT, L"\u00DCber", p));
    EXPECT_EQ(p.arrayInt[IND_I_TextPosition], 1u);
    // Nothing of another mode, and no typed text, is taken.
    const TRdimParams now = p;
    EXPECT_FALSE(ApplyPalettePosition(IDC_COMBO_TEXT_ALIGN, OPT_MODE_HEIGHT_PLAN, L"Mitte", p));
    EXPECT_FALSE(ApplyPalettePosition(IDC_COMBO_TEXT_ALIGN, OPT_MODE_CHAIN, L"Links", p));
    EXPECT_FALSE(ApplyPalettePosition(IDC_COMBO_TEXT_POSITION, OPT_MODE_HEIGHT, L"oben", p));
    EXPECT_TRUE(same(p, now));
}
