// The palette window as a person uses it: modes and pages, combo edits reaching the
// options and the INI file, the quick-option check boxes, folding and the saved position.
#include "tests/module/ui/PaletteWindowTestEnv.h"

#include "host/mfc/CButton.h"
#include "host/mfc/CComboBox.h"
#include "host/mfc/CMenu.h"
#include "host/mfc/CTabCtrl.h"
#include "host/mfc/PaletteWindow.h"
#include "module/chain/RecordFiling.h"
#include "module/options/OptionIndices.h"
#include "module/resources/PaletteResources.h"
#include "module/ui/PaletteValues.h"

namespace {

using palettetest::PaletteWindowTest;

constexpr double kTol = 1e-12;

CComboBox* comboOf(int id) {
    return dynamic_cast<CComboBox*>(dlgMyApp->GetDlgItem(id));
}

std::wstring menuText(UINT id) {
    std::wstring text;
    if (CMenu* menu = dlgMyApp->GetMenu()) menu->GetMenuString(id, text, MF_BYCOMMAND);
    return text;
}

bool menuGreyed(UINT id) {
    CMenu* menu = dlgMyApp->GetMenu();
    return menu && (menu->GetMenuState(id, MF_BYCOMMAND) & MF_GRAYED) != 0;
}

int tabPages() {
    auto* tab = dynamic_cast<CTabCtrl*>(dlgMyApp->GetDlgItem(IDC_TAB_PAGES));
    return tab ? tab->GetItemCount() : -1;
}

} // namespace

TEST_F(PaletteWindowTest, TheWindowIsDialog129WithItsMenuAndFollowsTheMode) {
    ASSERT_EQ(host::mfc::paletteWindow(), dlgMyApp);
    std::wstring caption;
    dlgMyApp->GetWindowText(caption);
    EXPECT_EQ(caption, L"lintaro");
    EXPECT_EQ(dlgMyApp->children().size(), 47u);
    EXPECT_EQ(dlgMyApp->m_iCurrentMode, OPT_MODE_CHAIN) << "nothing saved: chains";
    EXPECT_EQ(tabPages(), 2);
    EXPECT_EQ(menuText(ID_TEXT_CENTRE), L"Ma\u00DFzahlen zentrieren");
    EXPECT_FALSE(menuGreyed(ID_VALUES_RESET));

    // Section marks: a third page, the value rows, and the chain-only items greyed.
    dlgMyApp->AdjustMode(OPT_MODE_HEIGHT);
    EXPECT_EQ(tabPages(), 3);
    EXPECT_TRUE(dlgMyApp->GetDlgItem(IDC_BUT_W1)->IsWindowVisible());
    EXPECT_EQ(menuText(ID_TEXT_CENTRE), L"Vorgabeposition der Ma\u00DFzahlen");
    EXPECT_TRUE(menuGreyed(ID_VALUES_RESET));
    EXPECT_TRUE(menuGreyed(ID_REMOVE_POINTS));
    // Back to chains: page C goes, the rows hide.
    dlgMyApp->AdjustMode(OPT_MODE_CHAIN);
    EXPECT_EQ(tabPages(), 2);
    EXPECT_FALSE(dlgMyApp->GetDlgItem(IDC_BUT_W1)->IsWindowVisible());
    EXPECT_FALSE(menuGreyed(ID_VALUES_RESET));

    // The action buttons are off while a creation command runs.
    dlgMyApp->EnableActions(false);
    EXPECT_FALSE(dlgMyApp->GetDlgItem(IDC_BUT_MODE)->IsWindowEnabled());
    EXPECT_FALSE(dlgMyApp->GetDlgItem(IDC_BUT_SELECT)->IsWindowEnabled());
    clearTranscript();
    run(L"@palette click 1023\n");
    EXPECT_TRUE(said(L"is disabled")) << transcript();
    dlgMyApp->EnableActions(true);
    EXPECT_TRUE(dlgMyApp->ActionsEnabled());
}

TEST_F(PaletteWindowTest, ComboEditsReachTheOptionsAndTheIniFile) {
    auto& set = pGlobDimOptions->GetOptionSet(OPT_MODE_CHAIN);
    // A typed whole number is a scale "1:n"; it goes into every mode's set.
    run(L"@palette 1020 = 50\n");
    EXPECT_EQ(dlgMyApp->GetControlText(IDC_COMBO_SCALE), L"1:50");
    EXPECT_EQ(set.arrayOptString[IND_S_Scale], L"1:50");
    EXPECT_NEAR(set.arrayOptDouble[IND_D_ScaleVal], 0.02, kTol);
    EXPECT_EQ(pGlobDimOptions->GetOptionSet(OPT_MODE_TEXT).arrayOptString[IND_S_Scale], L"1:50");
    // A typed text with a colon, and a number of 1 or less, give the last valid scale back.
    for (const wchar_t* typed : {L"1:20", L"1", L"0", L"abc", L"-5"}) {
        clearTranscript();
        run(std::wstring(L"@palette 1020 = ") + typed + L"\n");
        EXPECT_EQ(dlgMyApp->GetControlText(IDC_COMBO_SCALE), L"1:50") << typed;
        EXPECT_EQ(set.arrayOptString[IND_S_Scale], L"1:50") << typed;
        EXPECT_TRUE(said(L"the box keeps \"1:50\"")) << transcript();
    }

    run(L"@palette select 1016 3\n@palette 1018 = 0.35\n@palette 1022 = 8\n");
    EXPECT_EQ(set.arrayOptInt[IND_I_Decimals], 3);
    EXPECT_NEAR(set.arrayOptDouble[IND_D_TextHeight], 0.35, kTol);
    EXPECT_NEAR(set.arrayOptDouble[IND_D_DimLinesDistance], 8.0, kTol);
    // A text height that is no number is refused and changes nothing.
    clearTranscript();
    run(L"@palette 1018 = viel\n");
    EXPECT_NEAR(set.arrayOptDouble[IND_D_TextHeight], 0.35, kTol);
    EXPECT_EQ(dlgMyApp->GetControlText(IDC_COMBO_TEXT_HEIGHT), PaletteTextOf(IDC_COMBO_TEXT_HEIGHT,
                                                                               ParamsFromOptions(2)));
    EXPECT_TRUE(said(L"\"viel\" is no value for \"Texth\u00F6he\"")) << transcript();

    // Extension lines: "<maximal>" is 2, a length is 1 with that length; both move the
    // extension lines again.
    pGlobDimOptions->SetOptFlag(IND_OPT_B_ExtNewPosition, 0);
    run(L"@palette select 1021 <maximal>\n");
    EXPECT_EQ(set.arrayOptInt[IND_I_ExtLine], 2);
    EXPECT_EQ(pGlobDimOptions->GetOptFlag(IND_OPT_B_ExtNewPosition), 1);
    run(L"@palette 1021 = 7.5\n");
    EXPECT_EQ(set.arrayOptInt[IND_I_ExtLine], 1);
    EXPECT_NEAR(set.arrayOptDouble[IND_D_ExtLineLength], 7.5, kTol);

    // The values are in the INI file: a fresh start reads them back.
    EndApp(true, true);
    ASSERT_TRUE(StartApp(false));
    const auto& reread = pGlobDimOptions->GetOptionSet(OPT_MODE_CHAIN);
    EXPECT_EQ(reread.arrayOptString[IND_S_Scale], L"1:50");
    EXPECT_EQ(reread.arrayOptInt[IND_I_Decimals], 3);
    EXPECT_NEAR(reread.arrayOptDouble[IND_D_TextHeight], 0.35, kTol);
    EXPECT_NEAR(reread.arrayOptDouble[IND_D_ExtLineLength], 7.5, kTol);
    EXPECT_EQ(dlgMyApp->GetControlText(IDC_COMBO_SCALE), L"1:50");
}

TEST_F(PaletteWindowTest, ImperialUnitsHideTheRoundingAndCheckBoxesSaveAtOnce) {
    CComboBox* units = comboOf(IDC_COMBO_DISPLAY_UNIT);
    ASSERT_NE(units, nullptr);
    ASSERT_EQ(units->GetCount(), 7);
    std::wstring feet, error;
    units->GetLBText(4, feet);
    ASSERT_TRUE(units->userSelect(feet, error)) << error;
    EXPECT_EQ(pGlobDimOptions->GetOptString(IND_S_Measure), feet);
    EXPECT_FALSE(dlgMyApp->GetDlgItem(IDC_COMBO_ROUNDING)->IsWindowVisible());
    EXPECT_FALSE(dlgMyApp->GetDlgItem(IDC_STATIC_ROUNDING)->IsWindowVisible());
    ASSERT_TRUE(units->userSelect(L"cm", error)) << error;
    EXPECT_TRUE(dlgMyApp->GetDlgItem(IDC_COMBO_ROUNDING)->IsWindowVisible());

    const int before = pGlobDimOptions->GetOptFlag(IND_OPT_B_ShowSumOfDim);
    run(L"@palette click 1041\n");
    EXPECT_EQ(pGlobDimOptions->GetOptFlag(IND_OPT_B_ShowSumOfDim), before ? 0 : 1);
    EndApp(true, true);
    pGlobDimOptions->SetOptFlag(IND_OPT_B_ShowSumOfDim, before);
    ASSERT_TRUE(StartApp(true));
    EXPECT_EQ(pGlobDimOptions->GetOptFlag(IND_OPT_B_ShowSumOfDim), before ? 0 : 1) << "saved at once";
    EXPECT_EQ(dlgMyApp->IsDlgButtonChecked(IDC_CHECK_SUM), before ? 0u : 1u);
}

TEST_F(PaletteWindowTest, FoldingAndTheSavedPositionSurviveAClose) {
    RECT open;
    dlgMyApp->GetWindowRect(&open);
    run(L"@palette click 1145\n");
    RECT folded;
    dlgMyApp->GetWindowRect(&folded);
    EXPECT_EQ((open.bottom - open.top) - (folded.bottom - folded.top), kPaletteQuickOptionsHeight);
    std::wstring text;
    dlgMyApp->GetDlgItemText(IDC_BUT_FOLD, text);
    EXPECT_EQ(text, L"Einstellungen >>>");
    EXPECT_FALSE(dlgMyApp->GetDlgItem(IDC_CHECK_SUM)->IsWindowVisible());
    run(L"@palette click 1145\n");
    RECT unfolded;
    dlgMyApp->GetWindowRect(&unfolded);
    EXPECT_EQ(unfolded.bottom - unfolded.top, open.bottom - open.top);

    dlgMyApp->MoveWindow(30, 40, 220, 500);
    dlgMyApp->SendMessage(WM_CLOSE);
    EXPECT_EQ(dlgMyApp, nullptr) << "closing ends the palette";
    EXPECT_EQ(host::mfc::paletteWindow(), nullptr);
    EXPECT_EQ(GetIniGeneral(L"DlgMain"), L"30,40,220,500,0");
    ASSERT_TRUE(StartApp(true));
    RECT again;
    dlgMyApp->GetWindowRect(&again);
    EXPECT_EQ(again.left, 30);
    EXPECT_EQ(again.top, 40);
    EXPECT_EQ(again.right - again.left, 220);

    // A damaged position is left alone: the palette opens where the template puts it.
    EndApp(true, false);
    SetIniGeneral(L"DlgMain", L"30,x,-4");
    ASSERT_TRUE(StartApp(true));
    dlgMyApp->GetWindowRect(&again);
    EXPECT_EQ(again.bottom - again.top, open.bottom - open.top);
}
