// The palette in English: its position choices and box names follow the language
// module, and what a script or an older settings file types in German still works.
#include "LintaroTestPaths.h"
#include "module/ui/PalettePositions.h"

#include "host/win/Utf8.h"
#include "module/base/LanguageModule.h"
#include "module/options/OptionIndices.h"
#include "module/resources/LintaroStrings.h"
#include "module/resources/PaletteResources.h"
#include "module/ui/PaletteValues.h"

#include <gtest/gtest.h>

namespace {

TRdimParams sample() {
    TRdimParams p;
    p.arrayDouble.assign(OPT_DOUBLE_COUNT, 0.0);
    p.arrayString.assign(OPT_STRING_COUNT, std::wstring());
    p.arrayInt.assign(OPT_INT_COUNT, 0u);
    return p;
}

// The English module for the test's time.
struct English {
    English() {
        RegisterLintaroResources();
        UseLanguageModule(host::fromUtf8(LINTARO_SOURCE_DIR "/module/resources/lintaroEN.lng"));
    }
    ~English() { FreeLanguageModule(); }
};

} // namespace

TEST(PaletteLanguage, PositionsAndBoxNamesFollowTheLanguageAndTakeTheGermanNamesToo) {
    English english;
    ASSERT_NE(GetLanguageModule(), nullptr);
    const std::vector<std::wstring> section = PalettePositionChoices(IDC_COMBO_TEXT_ALIGN, OPT_MODE_HEIGHT);
    ASSERT_EQ(section.size(), 8u);
    EXPECT_EQ(section[0], L"Left - at the tip");
    EXPECT_EQ(section[7], L"Middle");
    EXPECT_EQ(PalettePositionChoices(IDC_COMBO_TEXT_ALIGN, OPT_MODE_HEIGHT_PLAN),
              (std::vector<std::wstring>{L"Left", L"Right"}));
    EXPECT_EQ(PaletteComboLabel(IDC_COMBO_TEXT_HEIGHT), L"Text height");

    TRdimParams p = sample();
    EXPECT_TRUE(ApplyPalettePosition(IDC_COMBO_TEXT_ALIGN, OPT_MODE_HEIGHT, L"right - centred", p));
    EXPECT_EQ(p.arrayInt[IND_I_TextAlign], 9u);
    EXPECT_EQ(PalettePositionText(IDC_COMBO_TEXT_ALIGN, OPT_MODE_HEIGHT, p), L"Right - centred");
    // Codes without a name of their own read as the plain side, in English too.
    p.arrayInt[IND_I_TextAlign] = 1u;
    EXPECT_EQ(PalettePositionText(IDC_COMBO_TEXT_ALIGN, OPT_MODE_HEIGHT, p), L"Left");
    EXPECT_TRUE(ApplyPalettePosition(IDC_COMBO_TEXT_ALIGN, OPT_MODE_HEIGHT, L"Links - bei der Spitze", p));
    EXPECT_EQ(p.arrayInt[IND_I_TextAlign], 4u);
    EXPECT_TRUE(ApplyPalettePosition(IDC_COMBO_TEXT_ALIGN, OPT_MODE_HEIGHT_PLAN, L"Right", p));
    EXPECT_EQ(p.arrayInt[IND_I_TextAlignPlan], 9u);
    // A name of the other kind of mark, or none at all, changes nothing.
    const TRdimParams before = p;
    EXPECT_FALSE(ApplyPalettePosition(IDC_COMBO_TEXT_ALIGN, OPT_MODE_HEIGHT_PLAN, L"Middle", p));
    EXPECT_FALSE(ApplyPalettePosition(IDC_COMBO_TEXT_ALIGN, OPT_MODE_HEIGHT, L"somewhere", p));
    EXPECT_EQ(p.arrayInt, before.arrayInt);
}
