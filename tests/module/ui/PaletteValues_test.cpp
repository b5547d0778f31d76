// What the palette's value combos write into an object: the entries users pick and the
// texts that must be turned away without touching the object.
#include "module/ui/PaletteValues.h"

#include "module/options/OptionIndices.h"
#include "module/resources/resource.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

constexpr double kTol = 1e-12;

// Arrays of the options' sizes with recognisable values, as a chain holds them.
TRdimParams sampleParams() {
    TRdimParams p;
    p.arrayDouble.assign(OPT_DOUBLE_COUNT, 0.0);
    p.arrayString.assign(OPT_STRING_COUNT, std::wstring());
    p.arrayInt.assign(OPT_INT_COUNT, 0u);
    p.arrayDouble[IND_D_ScaleVal] = 0.01;
    p.arrayDouble[IND_D_TextHeight] = 25;
    p.arrayDouble[IND_D_ExtLineLength] = 10;
    p.arrayDouble[IND_D_DimLinesDistance] = 10;
    p.arrayDouble[IND_D_AcadUnits] = 0.001;
    p.arrayString[IND_S_Scale] = L"1:100";
    p.arrayString[IND_S_TextStyle] = L"Standard";
    p.arrayString[IND_S_Measure] = L"m/cm";
    p.arrayInt[IND_I_ExtLine] = 1;
    p.arrayInt[IND_I_RoundMM] = 1;
    p.arrayInt[IND_I_Decimals] = 2;
    return p;
}

bool sameParams(const TRdimParams& a, const TRdimParams& b) {
    return a.arrayDouble == b.arrayDouble && a.arrayString == b.arrayString && a.arrayInt == b.arrayInt;
}

} // namespace

TEST(PaletteValues, TheScaleComboWritesTheTextAndItsFactor) {
    TRdimParams p = sampleParams();
    ASSERT_TRUE(ApplyPaletteText(IDC_COMBO_SCALE, L"1:50", p));
    EXPECT_EQ(p.arrayString[IND_S_Scale], L"1:50");
    EXPECT_NEAR(p.arrayDouble[IND_D_ScaleVal], 0.02, kTol);
    ASSERT_TRUE(ApplyPaletteText(IDC_COMBO_SCALE, L"2:1", p));
    EXPECT_NEAR(p.arrayDouble[IND_D_ScaleVal], 2.0, kTol);
    // The annotative scale stands for 1:100 in the chain's own arrays.
    ASSERT_TRUE(ApplyPaletteText(IDC_COMBO_SCALE, L"BMa\u00DF", p));
    EXPECT_NEAR(p.arrayDouble[IND_D_ScaleVal], 0.01, kTol);

    // A factor that would divide by zero, or a text that is no scale, changes nothing.
    const TRdimParams before = p;
    for (const wchar_t* bad : {L"1:0", L"0:50", L"abc", L"1:", L":", L"", L"50", L"1:-5", L"1:5x"})
        EXPECT_FALSE(ApplyPaletteText(IDC_COMBO_SCALE, bad, p));
    EXPECT_TRUE(sameParams(p, before));
}

TEST(PaletteValues, NumbersArePositiveWholeTextsWithPointOrComma) {
    TRdimParams p = sampleParams();
    ASSERT_TRUE(ApplyPaletteText(IDC_COMBO_TEXT_HEIGHT, L"3,5", p));
    EXPECT_NEAR(p.arrayDouble[IND_D_TextHeight], 3.5, kTol);
    ASSERT_TRUE(ApplyPaletteText(IDC_COMBO_DIM_LINES_DISTANCE, L" 7.5 ", p));
    EXPECT_NEAR(p.arrayDouble[IND_D_DimLinesDistance], 7.5, kTol);

    const TRdimParams before = p;
    for (const wchar_t* bad : {L"0", L"-2", L"2.5.1", L"2,5mm", L"1e3", L"", L"abc", L"."})
        EXPECT_FALSE(ApplyPaletteText(IDC_COMBO_TEXT_HEIGHT, bad, p));
    EXPECT_TRUE(sameParams(p, before));
}

TEST(PaletteValues, ExtensionLineEntries) {
    TRdimParams p = sampleParams();
    ASSERT_TRUE(ApplyPaletteText(IDC_COMBO_EXT_LINE, L"<MAXIMAL>", p));
    EXPECT_EQ(p.arrayInt[IND_I_ExtLine], 2u);
    EXPECT_NEAR(p.arrayDouble[IND_D_ExtLineLength], 10, kTol) << "the length stays for later";
    EXPECT_EQ(PaletteTextOf(IDC_COMBO_EXT_LINE, p), L"<maximal>");

    ASSERT_TRUE(ApplyPaletteText(IDC_COMBO_EXT_LINE, L"<keine>", p));
    EXPECT_EQ(p.arrayInt[IND_I_ExtLine], 0u);
    EXPECT_EQ(PaletteTextOf(IDC_COMBO_EXT_LINE, p), L"<keine>");

    ASSERT_TRUE(ApplyPaletteText(IDC_COMBO_EXT_LINE, L"7.5", p));
    EXPECT_EQ(p.arrayInt[IND_I_ExtLine], 1u);
    EXPECT_NEAR(p.arrayDouble[IND_D_ExtLineLength], 7.5, kTol);
    EXPECT_EQ(PaletteTextOf(IDC_COMBO_EXT_LINE, p), L"7.5");

    EXPECT_FALSE(ApplyPaletteText(IDC_COMBO_EXT_LINE, L"<lang>", p));
    EXPECT_FALSE(ApplyPaletteText(IDC_COMBO_EXT_LINE, L"-3", p));
    EXPECT_EQ(p.arrayInt[IND_I_ExtLine], 1u);
}

TEST(PaletteValues, RoundingUnitsAndDecimals) {
    TRdimParams p = sampleParams();
    // Every rounding code but 0 and 2 rounds to 5 mm, and the combo says so.
    EXPECT_EQ(PaletteTextOf(IDC_COMBO_ROUNDING, p), L"5   mm");
    ASSERT_TRUE(ApplyPaletteText(IDC_COMBO_ROUNDING, L"2.5 mm", p));
    EXPECT_EQ(p.arrayInt[IND_I_RoundMM], 2u);
    ASSERT_TRUE(ApplyPaletteText(IDC_COMBO_ROUNDING, L"5 mm", p));
    EXPECT_EQ(p.arrayInt[IND_I_RoundMM], 5u);
    ASSERT_TRUE(ApplyPaletteText(IDC_COMBO_ROUNDING, L"", p));
    EXPECT_EQ(p.arrayInt[IND_I_RoundMM], 0u);
    EXPECT_FALSE(ApplyPaletteText(IDC_COMBO_ROUNDING, L"3 mm", p));

    // Drawing units are drawing units per millimetre.
    ASSERT_TRUE(ApplyPaletteText(IDC_COMBO_DRAWING_UNIT, L"1 cm", p));
    EXPECT_NEAR(p.arrayDouble[IND_D_AcadUnits], 0.1, kTol);
    ASSERT_TRUE(ApplyPaletteText(IDC_COMBO_DRAWING_UNIT, L"1 mm", p));
    EXPECT_NEAR(p.arrayDouble[IND_D_AcadUnits], 1.0, kTol);
    p.arrayDouble[IND_D_AcadUnits] = 0; // filed as 0 by old drawings: metres
    EXPECT_EQ(PaletteTextOf(IDC_COMBO_DRAWING_UNIT, p), L"1 m");
    EXPECT_FALSE(ApplyPaletteText(IDC_COMBO_DRAWING_UNIT, L"1 km", p));

    ASSERT_TRUE(ApplyPaletteText(IDC_COMBO_DISPLAY_UNIT, L"M/cm", p));
    EXPECT_EQ(p.arrayString[IND_S_Measure], L"m/cm");
    ASSERT_TRUE(ApplyPaletteText(IDC_COMBO_DISPLAY_UNIT, L"ft", p));
    EXPECT_EQ(p.arrayString[IND_S_Measure], L"ft");
    EXPECT_FALSE(ApplyPaletteText(IDC_COMBO_DISPLAY_UNIT, L"yards", p));

    ASSERT_TRUE(ApplyPaletteText(IDC_COMBO_DECIMALS, L"6", p));
    EXPECT_EQ(p.arrayInt[IND_I_Decimals], 6u);
    for (const wchar_t* bad : {L"7", L"-1", L"2.5", L"", L"12"})
        EXPECT_FALSE(ApplyPaletteText(IDC_COMBO_DECIMALS, bad, p));
    EXPECT_EQ(p.arrayInt[IND_I_Decimals], 6u);
}

TEST(PaletteValues, KeepEntriesWriteNothingAndKeepOwnCopiesEverySlotOfTheCombo) {
    EXPECT_TRUE(IsKeepOwnValue(L"<var>"));
    EXPECT_TRUE(IsKeepOwnValue(L" <VAR> "));
    EXPECT_TRUE(IsKeepOwnValue(L"<Beibehalten>"));
    EXPECT_FALSE(IsKeepOwnValue(L"var"));

    TRdimParams p = sampleParams();
    const TRdimParams before = p;
    for (int id : PaletteValueCombos()) {
        EXPECT_FALSE(ApplyPaletteText(id, L"<var>", p)) << id;
        EXPECT_FALSE(ApplyPaletteText(id, L"<beibehalten>", p)) << id;
    }
    EXPECT_TRUE(sameParams(p, before));

    TRdimParams own = sampleParams();
    own.arrayString[IND_S_Scale] = L"1:20";
    own.arrayDouble[IND_D_ScaleVal] = 0.05;
    KeepOwnSlots(IDC_COMBO_SCALE, own, p);
    EXPECT_EQ(p.arrayString[IND_S_Scale], L"1:20");
    EXPECT_NEAR(p.arrayDouble[IND_D_ScaleVal], 0.05, kTol) << "the factor goes with its text";

    // Short arrays filed by an old version leave the slots they lack alone.
    TRdimParams shortOwn;
    KeepOwnSlots(IDC_COMBO_EXT_LINE, shortOwn, p);
    EXPECT_EQ(p.arrayInt[IND_I_ExtLine], 1u);
}

TEST(PaletteValues, EveryComboReadsBackWhatItShows) {
    const TRdimParams shown = sampleParams();
    for (int id : PaletteValueCombos()) {
        TRdimParams p = sampleParams();
        // Disturb the combo's slots, then write the text it showed: the values return.
        for (const ParamSlot& slot : PaletteComboSlots(id)) {
            if (slot.type == OPT_TYPE_DOUBLE) p.arrayDouble[slot.index] = 123;
            if (slot.type == OPT_TYPE_STRING) p.arrayString[slot.index] = L"x";
            if (slot.type == OPT_TYPE_INT) p.arrayInt[slot.index] = 9;
        }
        const std::wstring text = PaletteTextOf(id, shown);
        ASSERT_TRUE(ApplyPaletteText(id, text, p)) << id;
        for (const ParamSlot& slot : PaletteComboSlots(id)) {
            if (slot.type == OPT_TYPE_DOUBLE)
                EXPECT_NEAR(p.arrayDouble[slot.index], shown.arrayDouble[slot.index], kTol) << id;
            if (slot.type == OPT_TYPE_STRING)
                EXPECT_EQ(p.arrayString[slot.index], shown.arrayString[slot.index]) << id;
            // Rounding code 1 shows as "5   mm", which writes the 5 it means.
            if (slot.type == OPT_TYPE_INT)
                EXPECT_EQ(p.arrayInt[slot.index], id == IDC_COMBO_ROUNDING ? 5u : shown.arrayInt[slot.index])
                    << id;
        }
    }
}
