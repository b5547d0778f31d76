// The palette: the working mode and type it remembers, and the settings it gives chains.
#include "module/ui/CDlgMain.h"

#include "host/rx/acutString.h"
#include "module/base/ModuleInfo.h"
#include "module/ui/PaletteApp.h"
#include "module/chain/RecordFiling.h"
#include "module/chain/TRdimJig.h"
#include "module/options/ScaleMaps.h"
#include "module/resources/resource.h"
#include "module/ui/PaletteValues.h"
#include "tests/module/chain/TRdimTestEnv.h"

#include <gtest/gtest.h>

namespace {

using chaintest::ChainTest;

constexpr double kTol = 1e-12;

class PaletteTest : public ChainTest {
protected:
    // The palette opened afresh, as at the next start of the host.
    static void reopen() {
        EndApp(true, false);
        ASSERT_EQ(dlgMyApp, nullptr);
        ASSERT_TRUE(StartApp(false));
        ASSERT_NE(dlgMyApp, nullptr);
    }
    static COptionSet& chainSet() { return pGlobDimOptions->GetOptionSet(OPT_MODE_CHAIN); }
    std::unique_ptr<TRdim> newChain() const {
        return std::make_unique<TRdim>(AcGePoint3d(0, 0, 0), AcGePoint3d(4, 0, 0), kDimHorizontal,
                                       AcGePoint3d(2, -1, 0));
    }
};

} // namespace

TEST_F(PaletteTest, AFirstStartWorksWithChainsAndRemembersModeAndType) {
    ASSERT_NE(dlgMyApp, nullptr);
    EXPECT_EQ(dlgMyApp->m_iCurrentMode, OPT_MODE_CHAIN) << "nothing saved: chains";
    EXPECT_EQ(dlgMyApp->m_iCurrentType, 1);
    EXPECT_EQ(pGlobDimOptions->m_iMode, OPT_MODE_CHAIN);
    EXPECT_EQ(chainSet().arrayOptInt[IND_I_LastType], 1) << "the type is the tick of new chains";
    EXPECT_EQ(GetIniGeneralInt(L"LastMode"), 2);
    EXPECT_EQ(GetIniGeneralInt(L"LastType2"), 1);

    dlgMyApp->AdjustMode(OPT_MODE_HEIGHT);
    EXPECT_EQ(pGlobDimOptions->m_iMode, OPT_MODE_HEIGHT);
    dlgMyApp->AdjustType(4);
    dlgMyApp->AdjustMode(OPT_MODE_TEXT);
    EXPECT_EQ(dlgMyApp->m_iCurrentType, 4) << "texts have no type: it is left as it was";
    EXPECT_EQ(GetIniGeneralInt(L"LastMode"), 5);

    reopen();
    EXPECT_EQ(dlgMyApp->m_iCurrentMode, OPT_MODE_TEXT);
    EXPECT_EQ(pGlobDimOptions->m_iMode, OPT_MODE_TEXT) << "the options follow the palette";
    dlgMyApp->AdjustMode(OPT_MODE_HEIGHT);
    EXPECT_EQ(dlgMyApp->m_iCurrentType, 4) << "section marks come back with their type";
}

TEST_F(PaletteTest, OneOffTypesAndSavedValuesNoModeHasAreNotKept) {
    dlgMyApp->AdjustType(3);
    EXPECT_EQ(GetIniGeneralInt(L"LastType2"), 3);
    EXPECT_EQ(chainSet().arrayOptInt[IND_I_LastType], 3);
    dlgMyApp->AdjustType(6);
    EXPECT_EQ(dlgMyApp->m_iCurrentType, 6);
    EXPECT_EQ(GetIniGeneralInt(L"LastType2"), 3) << "type 6 of the chains is chosen for one use";

    // A hand-edited INI with values no mode or type has starts as a first start does.
    SetIniGeneral(L"LastMode", L"9");
    SetIniGeneral(L"LastType2", L"abc");
    reopen();
    EXPECT_EQ(dlgMyApp->m_iCurrentMode, OPT_MODE_CHAIN);
    EXPECT_EQ(dlgMyApp->m_iCurrentType, 1);
    SetIniGeneral(L"LastMode", L"-3");
    reopen();
    EXPECT_EQ(dlgMyApp->m_iCurrentMode, OPT_MODE_CHAIN);

    // Mode 0 or 6 is no mode: nothing changes. A negative mode or type only brings the
    // options back to the palette's mode.
    dlgMyApp->AdjustMode(6);
    dlgMyApp->AdjustMode(0);
    EXPECT_EQ(dlgMyApp->m_iCurrentMode, OPT_MODE_CHAIN);
    pGlobDimOptions->m_iMode = OPT_MODE_TEXT;
    dlgMyApp->AdjustType(-1);
    EXPECT_EQ(pGlobDimOptions->m_iMode, OPT_MODE_CHAIN);
    EXPECT_EQ(dlgMyApp->m_iCurrentType, 1);
}

TEST_F(PaletteTest, SwitchingTheModeEndsTheNoWriteStateOfASelection) {
    pGlobDimOptions->m_bNoWrite = true;
    dlgMyApp->AdjustMode(OPT_MODE_CHAIN);
    EXPECT_FALSE(pGlobDimOptions->m_bNoWrite);
    EXPECT_TRUE(pGlobDimOptions->SetOptDouble(IND_D_TextHeight, 35));
}

TEST_F(PaletteTest, ANewChainTakesTheChainOptionsWhateverModeThePaletteIsIn) {
    chainSet().arrayOptDouble[IND_D_TextHeight] = 35;
    chainSet().arrayOptString[IND_S_Measure] = L"cm";
    dlgMyApp->AdjustMode(OPT_MODE_TEXT);
    auto chain = newChain();
    EXPECT_NEAR(chain->GetParamDouble(IND_D_TextHeight), 35, kTol);
    EXPECT_EQ(chain->GetParamString(IND_S_Measure), L"cm");
    EXPECT_EQ(chain->GetParamString(IND_S_IniFile), pGlobDimOptions->GetCurOptionsFile());
    EXPECT_EQ(chain->GetParamInt(IND_I_AppVersion), static_cast<std::uint32_t>(GetProgramVersionNumber()));
    EXPECT_EQ(chain->GetParamInt(IND_I_LastType), 1u) << "the chain type's tick";
    EXPECT_EQ(dlgMyApp->m_iCurrentMode, OPT_MODE_TEXT) << "the palette keeps its mode";
    EXPECT_EQ(pGlobDimOptions->m_iMode, OPT_MODE_TEXT);
}

TEST_F(PaletteTest, WithoutAPaletteTheFirstChainOpensIt) {
    EndApp(true, false);
    ASSERT_EQ(dlgMyApp, nullptr);
    auto chain = newChain();
    ASSERT_NE(dlgMyApp, nullptr);
    EXPECT_EQ(chain->GetParamInt(IND_I_LastType), 1u);
    EXPECT_FALSE(dlgMyApp->IsWindowVisible()) << "opened for the chain, not shown";
}

TEST_F(PaletteTest, UpdatingAChainWritesWhatTheCombosShowAndKeepsWhatTheySayToKeep) {
    auto chain = newChain();
    chain->SetParamDouble(IND_D_TextHeight, 18);
    chain->SetParamString(IND_S_Scale, L"1:20");
    chain->SetParamDouble(IND_D_ScaleVal, 0.05);
    chain->SetParamInt(IND_I_Decimals, 3);
    chain->SetParamDouble(IND_D_DimLinesDistance, 12);
    chain->SetParamInt(IND_I_ArcDimCW, 1);

    ASSERT_TRUE(dlgMyApp->SetControlText(IDC_COMBO_TEXT_HEIGHT, L"<var>"));
    ASSERT_TRUE(dlgMyApp->SetControlText(IDC_COMBO_SCALE, L"<Beibehalten>"));
    ASSERT_TRUE(dlgMyApp->SetControlText(IDC_COMBO_DECIMALS, L"1"));
    ASSERT_TRUE(dlgMyApp->SetControlText(IDC_COMBO_DIM_LINES_DISTANCE, L"8"));
    ASSERT_TRUE(dlgMyApp->InitParameters(chain.get()));
    EXPECT_NEAR(chain->GetParamDouble(IND_D_TextHeight), 18, kTol);
    EXPECT_EQ(chain->GetParamString(IND_S_Scale), L"1:20");
    EXPECT_NEAR(chain->GetParamDouble(IND_D_ScaleVal), 0.05, kTol);
    EXPECT_EQ(chain->GetParamInt(IND_I_Decimals), 1u);
    EXPECT_NEAR(chain->GetParamDouble(IND_D_DimLinesDistance), 8, kTol);
    EXPECT_EQ(chain->GetParamInt(IND_I_ArcDimCW), 0u) << "the options' arc settings unless asked to keep";

    chain->SetParamInt(IND_I_ArcDimCW, 1);
    ASSERT_TRUE(dlgMyApp->InitParameters(chain.get(), true));
    EXPECT_EQ(chain->GetParamInt(IND_I_ArcDimCW), 1u);

    // Mode 1 works on every kind of object and never moves their dimension lines apart.
    chain->SetParamDouble(IND_D_DimLinesDistance, 12);
    dlgMyApp->AdjustMode(OPT_MODE_ALL);
    ASSERT_TRUE(dlgMyApp->SetControlText(IDC_COMBO_DIM_LINES_DISTANCE, L"8"));
    ASSERT_TRUE(dlgMyApp->InitParameters(chain.get()));
    EXPECT_NEAR(chain->GetParamDouble(IND_D_DimLinesDistance), 12, kTol);

    // The height-mark and text modes leave a chain as it is.
    const std::uint32_t decimals = chain->GetParamInt(IND_I_Decimals);
    for (int mode : {OPT_MODE_HEIGHT, OPT_MODE_HEIGHT_PLAN, OPT_MODE_TEXT}) {
        dlgMyApp->AdjustMode(mode);
        ASSERT_TRUE(dlgMyApp->SetControlText(IDC_COMBO_DECIMALS, L"5"));
        EXPECT_FALSE(dlgMyApp->InitParameters(chain.get())) << mode;
        EXPECT_EQ(chain->GetParamInt(IND_I_Decimals), decimals) << mode;
    }
    EXPECT_FALSE(dlgMyApp->InitParameters(nullptr));
}

TEST_F(PaletteTest, CombosShowTheOptionsUntilSetAndTurnAwayWhatTheyCannotHold) {
    chainSet().arrayOptString[IND_S_Scale] = L"1:50";
    // The window's combos show the options as they were loaded.
    dlgMyApp->ReloadData();
    EXPECT_EQ(dlgMyApp->GetControlText(IDC_COMBO_SCALE), L"1:50");
    EXPECT_EQ(dlgMyApp->GetControlText(IDC_COMBO_LAYER), L"");

    ASSERT_TRUE(dlgMyApp->SetControlText(IDC_COMBO_SCALE, L"1:20"));
    clearTranscript();
    EXPECT_FALSE(dlgMyApp->SetControlText(IDC_COMBO_SCALE, L"1:0"));
    EXPECT_NE(transcript().find(L"\"1:0\" is no value for \"Ma\u00DFstab\"; the box keeps \"1:20\""),
              std::wstring::npos)
        << transcript();
    EXPECT_EQ(dlgMyApp->GetControlText(IDC_COMBO_SCALE), L"1:20");
    EXPECT_FALSE(dlgMyApp->SetControlText(4711, L"1"));
    EXPECT_FALSE(dlgMyApp->SetControlText(IDC_COMBO_LAYER, L"A<B"));

    // The combos show the options again when the palette reloads them; the layer stays.
    ASSERT_TRUE(dlgMyApp->SetControlText(IDC_COMBO_LAYER, L"A-BEM"));
    dlgMyApp->ReloadData();
    EXPECT_EQ(dlgMyApp->GetControlText(IDC_COMBO_SCALE), L"1:50");
    EXPECT_EQ(dlgMyApp->GetLayerChoice(), L"A-BEM");
    // Another mode clears the layer choice.
    dlgMyApp->AdjustMode(OPT_MODE_ALL);
    EXPECT_EQ(dlgMyApp->GetLayerChoice(), L"");

    // While a command runs a typed length is not taken; "<maximal>" is a choice and stays.
    ASSERT_TRUE(dlgMyApp->SetControlText(IDC_COMBO_EXT_LINE, L"7.5"));
    dlgMyApp->EnableActions(false);
    EXPECT_FALSE(dlgMyApp->ActionsEnabled());
    EXPECT_EQ(dlgMyApp->GetControlText(IDC_COMBO_EXT_LINE),
              PaletteTextOf(IDC_COMBO_EXT_LINE, ParamsFromOptions(1)));
    ASSERT_TRUE(dlgMyApp->SetControlText(IDC_COMBO_EXT_LINE, L"<maximal>"));
    dlgMyApp->EnableActions(false);
    EXPECT_EQ(dlgMyApp->GetControlText(IDC_COMBO_EXT_LINE), L"<maximal>");
}

TEST_F(PaletteTest, TheLayerComboChoosesTheLayerOfNewAndUpdatedChains) {
    const std::wstring scaleLayer = GetLayerForScale(chainSet().arrayOptString[IND_S_Scale]);
    ASSERT_FALSE(scaleLayer.empty());
    EXPECT_EQ(NewChainLayerFor(chainSet().arrayOptString[IND_S_Scale]), scaleLayer);
    ASSERT_TRUE(dlgMyApp->SetControlText(IDC_COMBO_LAYER, CurrentLayerEntry()));
    EXPECT_EQ(NewChainLayerFor(chainSet().arrayOptString[IND_S_Scale]), L"") << "the drawing's current layer";
    ASSERT_TRUE(dlgMyApp->SetControlText(IDC_COMBO_LAYER, L"A-BEM"));
    EXPECT_EQ(NewChainLayerFor(chainSet().arrayOptString[IND_S_Scale]), L"A-BEM");

    // A chain in the drawing moves to the chosen layer when it is updated.
    const AcDbObjectId id = append(newChain().release());
    ASSERT_FALSE(id.isNull());
    TRdim* chain = nullptr;
    ASSERT_EQ(acdbOpenObject(chain, id, AcDb::kForWrite), Acad::eOk);
    ASSERT_TRUE(dlgMyApp->InitParameters(chain));
    wchar_t* layer = chain->layer();
    EXPECT_EQ(std::wstring(layer ? layer : L""), L"A-BEM");
    acutDelString(layer);
    chain->close();
}

TEST_F(PaletteTest, CommandsHideAShownPaletteAndShowItAgain) {
    dlgMyApp->ShowWindow(true);
    HideDlgMain();
    EXPECT_FALSE(dlgMyApp->IsWindowVisible());
    ShowDlgMain();
    EXPECT_TRUE(dlgMyApp->IsWindowVisible());

    // A palette the user had closed stays closed.
    dlgMyApp->ShowWindow(false);
    HideDlgMain();
    ShowDlgMain();
    EXPECT_FALSE(dlgMyApp->IsWindowVisible());
}
