// The palette acting on chains: the values of a selection ("<var>" where they differ, no
// option writes meanwhile), 'Aktualisieren', and the batch operations of the menu bar.
#include "tests/module/ui/PaletteWindowTestEnv.h"

#include "host/mfc/CButton.h"
#include "module/options/OptionIndices.h"
#include "module/resources/PaletteResources.h"

#include "host/ed/Ucs.h"

#include <cmath>

namespace {

using palettetest::PaletteWindowTest;

constexpr double kTol = 1e-12;

class PaletteActionsTest : public PaletteWindowTest {
protected:
    // Two chains: three points along y = 0, and two along y = 20.
    void drawTwoChains() {
        run(L"XOTA_Hdim\n0,0\n10,0\n5,-5\n20,0\n\nXOTA_Hdim\n0,20\n10,20\n5,15\n\n");
        m_chains = chains();
        ASSERT_EQ(m_chains.size(), 2u) << transcript();
    }
    double textHeight(int i) const {
        return read<double>(m_chains[static_cast<size_t>(i)],
                            [](TRdim& c) { return c.GetParamDouble(IND_D_TextHeight); });
    }
    std::wstring scale(int i) const {
        return read<std::wstring>(m_chains[static_cast<size_t>(i)],
                                  [](TRdim& c) { return c.GetParamString(IND_S_Scale); });
    }
    unsigned sumStatus(int i) const {
        return read<unsigned>(m_chains[static_cast<size_t>(i)],
                              [](TRdim& c) { return c.GetParamInt(IND_I_SumStatus); });
    }
    void setScale(int i, const wchar_t* text, double factor) const {
        change(m_chains[static_cast<size_t>(i)], [&](TRdim& c) {
            c.SetParamString(IND_S_Scale, text);
            c.SetParamDouble(IND_D_ScaleVal, factor);
        });
    }

    std::vector<AcDbObjectId> m_chains;
};

} // namespace

TEST_F(PaletteActionsTest, ASelectionShowsVarWhereChainsDifferAndBlocksEveryOptionWrite) {
    drawTwoChains();
    change(m_chains[1], [](TRdim& c) { c.SetParamDouble(IND_D_TextHeight, 0.5); });
    change(m_chains[1], [](TRdim& c) { c.SetParamInt(IND_I_MCmFrom10, 1); });
    change(m_chains[0], [](TRdim& c) { c.SetParamInt(IND_I_MCmFrom10, 0); });
    const auto& set = pGlobDimOptions->GetOptionSet(OPT_MODE_CHAIN);
    const int decimals = set.arrayOptInt[IND_I_Decimals];
    const int sumFlag = pGlobDimOptions->GetOptFlag(IND_OPT_B_ShowSumOfDim);

    run(L"XOTA_SelectLintaroObjects\nALL\n\n");
    EXPECT_TRUE(pGlobDimOptions->m_bNoWrite);
    EXPECT_EQ(dlgMyApp->GetControlText(IDC_COMBO_TEXT_HEIGHT), L"<var>");
    EXPECT_EQ(dlgMyApp->GetControlText(IDC_COMBO_SCALE), scale(0)) << "both chains share it";
    EXPECT_EQ(dlgMyApp->IsDlgButtonChecked(IDC_CHECK_REDUCED), static_cast<UINT>(BST_INDETERMINATE));
    EXPECT_EQ(dlgMyApp->CurrentObjects().length(), 2);

    // Edits show on the palette but reach neither the options nor the INI file.
    run(L"@palette select 1016 5\n@palette click 1041\n@palette 1020 = 20\n");
    EXPECT_EQ(set.arrayOptInt[IND_I_Decimals], decimals);
    EXPECT_EQ(pGlobDimOptions->GetOptFlag(IND_OPT_B_ShowSumOfDim), sumFlag);
    EXPECT_EQ(dlgMyApp->IsDlgButtonChecked(IDC_CHECK_SUM), sumFlag ? 1u : 0u);
    EXPECT_NE(set.arrayOptString[IND_S_Scale], L"1:20");

    // Setting the mode again ends it: the options' values come back.
    dlgMyApp->AdjustMode(OPT_MODE_CHAIN);
    EXPECT_FALSE(pGlobDimOptions->m_bNoWrite);
    EXPECT_EQ(dlgMyApp->GetControlText(IDC_COMBO_DECIMALS), std::to_wstring(decimals));
    EXPECT_NE(dlgMyApp->GetControlText(IDC_COMBO_TEXT_HEIGHT), L"<var>");
    auto* reduced = dynamic_cast<CButton*>(dlgMyApp->GetDlgItem(IDC_CHECK_REDUCED));
    ASSERT_NE(reduced, nullptr);
    EXPECT_EQ(reduced->GetButtonStyle() & BS_TYPEMASK, static_cast<UINT>(BS_AUTOCHECKBOX));
}

TEST_F(PaletteActionsTest, AktualisierenGivesTheTextHeightAndVarKeepsEachChainsScale) {
    drawTwoChains();
    setScale(0, L"1:50", 0.02);
    setScale(1, L"1:200", 0.005);
    change(m_chains[1], [](TRdim& c) { c.SetParamDouble(IND_D_TextHeight, 0.5); });
    const double optionHeight =
        pGlobDimOptions->GetOptionSet(OPT_MODE_CHAIN).arrayOptDouble[IND_D_TextHeight];

    run(L"XOTA_SelectLintaroObjects\nALL\n\n");
    EXPECT_EQ(dlgMyApp->GetControlText(IDC_COMBO_SCALE), L"<var>");
    run(L"@palette 1018 = 0.4\n@palette click 1023\nALL\n\n");
    EXPECT_NEAR(textHeight(0), 0.4, kTol) << transcript();
    EXPECT_NEAR(textHeight(1), 0.4, kTol);
    EXPECT_EQ(scale(0), L"1:50");
    EXPECT_EQ(scale(1), L"1:200");
    // The palette shows the options again, which the selection never changed.
    EXPECT_FALSE(pGlobDimOptions->m_bNoWrite);
    EXPECT_NEAR(pGlobDimOptions->GetOptionSet(OPT_MODE_CHAIN).arrayOptDouble[IND_D_TextHeight], optionHeight,
                kTol);
    EXPECT_TRUE(dlgMyApp->IsWindowVisible());
}

TEST_F(PaletteActionsTest, MenuBatchOperationsChangeEverySelectedChain) {
    drawTwoChains();
    run(L"@palette menu 32889\nALL\n\n");
    EXPECT_TRUE(said(L"Ma\u00DFketten (zum Summe der Ma\u00DFe darstellen) w\u00E4hlen...")) << transcript();
    EXPECT_EQ(sumStatus(0), 1u);
    EXPECT_EQ(sumStatus(1), 1u);
    run(L"@palette menu 32890\nALL\n\n");
    EXPECT_EQ(sumStatus(0), 2u);
    EXPECT_EQ(sumStatus(1), 2u);

    run(L"@palette menu 32854\nALL\n\n");
    EXPECT_TRUE(read<bool>(m_chains[0], [](TRdim& c) { return c.IsExtLeader(1) && c.IsExtLeader(2); }));
    EXPECT_TRUE(read<bool>(m_chains[1], [](TRdim& c) { return c.IsExtLeader(1); }));
    run(L"@palette menu 32852\nALL\n\n");
    EXPECT_FALSE(read<bool>(m_chains[0], [](TRdim& c) { return c.IsExtLeader(1) || c.IsExtLeader(2); }));

    // Manual values go back to the measured ones.
    change(m_chains[0], [](TRdim& c) { c.SetDimTextUser(1, L"9,99"); });
    run(L"@palette menu 32811\nALL\n\n");
    EXPECT_EQ(read<std::wstring>(m_chains[0], [](TRdim& c) { return c.GetDimTextUser(1); }), L"");

    // Without a selection nothing changes, and the palette is back.
    run(L"@palette menu 32889\n\n");
    EXPECT_EQ(sumStatus(0), 2u);
    EXPECT_TRUE(dlgMyApp->IsWindowVisible());

    // Quick options that change how chains are drawn leave their values alone.
    const int shown = pGlobDimOptions->GetOptFlag(IND_OPT_B_ShowInputPoints);
    run(L"@palette click 1017\n@palette click 1045\n");
    EXPECT_EQ(pGlobDimOptions->GetOptFlag(IND_OPT_B_ShowInputPoints), shown ? 0 : 1);
    EXPECT_EQ(sumStatus(0), 2u);
    EXPECT_EQ(read<int>(m_chains[0], [](TRdim& c) { return c.GetExtensions(); }), 3);

    // The options files' dialog opens; left without an answer it is cancelled and
    // changes nothing.
    clearTranscript();
    run(L"@palette menu 32788\n");
    EXPECT_TRUE(said(L"Globale Einstellungen: no scripted answer - dialog cancelled.")) << transcript();
    EXPECT_EQ(sumStatus(1), 2u);
    EXPECT_EQ(chains().size(), 2u);
}

TEST_F(PaletteActionsTest, AligningToTheUcsGivesChainsTheCurrentUcsAndKeepsTheirValues) {
    drawTwoChains();
    // The value part of a text entry (before its position code).
    const auto value = [](TRdim& c) {
        const std::wstring& entry = c.GetTextEntry(1);
        return entry.substr(0, entry.find(L'#'));
    };
    const std::wstring before = read<std::wstring>(m_chains[0], value);
    // A UCS turned by 30 degrees about a point away from the origin.
    AcGeMatrix3d ucs;
    const double a = 30.0 * 3.14159265358979323846 / 180.0;
    ucs.setCoordSystem(AcGePoint3d(5, 5, 0), AcGeVector3d(std::cos(a), std::sin(a), 0),
                       AcGeVector3d(-std::sin(a), std::cos(a), 0), AcGeVector3d::kZAxis);
    ASSERT_EQ(acedSetCurrentUCS(ucs), Acad::eOk);

    // Height-mark mode leaves chains alone.
    dlgMyApp->AdjustMode(OPT_MODE_HEIGHT);
    run(L"@palette menu 32805\nALL\n\n");
    EXPECT_TRUE(
        read<bool>(m_chains[0], [](TRdim& c) { return c.GetUcsAxis(0).isEqualTo(AcGeVector3d::kXAxis); }));

    dlgMyApp->AdjustMode(OPT_MODE_CHAIN);
    run(L"@palette menu 32805\nALL\n\n");
    EXPECT_TRUE(said(L"Ma\u00DFketten zur Textausrichtung w\u00E4hlen...")) << transcript();
    for (const AcDbObjectId& id : m_chains) {
        const AcGeVector3d x = read<AcGeVector3d>(id, [](TRdim& c) { return c.GetUcsAxis(0); });
        EXPECT_NEAR(x.x, std::cos(a), kTol);
        EXPECT_NEAR(x.y, std::sin(a), kTol);
    }
    EXPECT_EQ(read<std::wstring>(m_chains[0], value), before) << "the measured values stay";
    EXPECT_EQ(before, L"10.00");
}
