// The palette's choice buttons, its extension-line entries, the height marks' rows and
// position combos, the text-background switch and 'Aktualisieren' on height marks.
#include "tests/module/ui/PaletteWindowTestEnv.h"

#include "host/db/entities/AcDbLine.h"
#include "host/db/tables/AcDbSortentsTable.h"
#include "host/ed/AcColorSettings.h"
#include "host/mfc/CButton.h"
#include "host/mfc/CComboBox.h"
#include "host/win/FormatW.h"
#include "host/win/UiDriver.h"
#include "host/win/UiEventQueue.h"
#include "host/win/WinProfile.h"
#include "module/height/TRdimHeight.h"
#include "module/options/OptionIndices.h"
#include "module/resources/PaletteResources.h"
#include "module/services/DbServices.h"

#include <functional>

namespace {

using palettetest::PaletteWindowTest;

// Answers a popup menu with `answer` and keeps what it offered; dialogs get `work`.
class MenuDriver : public host::UiDriver {
public:
    unsigned answer = 0;
    std::vector<std::wstring> offered;
    std::function<void(host::UiForm&)> work;
    int messageBox(HWND, const std::wstring&, const std::wstring&, UINT) override { return IDOK; }
    unsigned trackPopupMenu(const host::UiMenuView& menu) override {
        offered.clear();
        for (const host::UiMenuItem& item : menu)
            if (!item.popup && !item.separator) offered.push_back(item.text);
        return answer;
    }
    void runDialog(host::UiForm& form) override {
        if (work) work(form);
        if (!form.formEnded()) form.formCancel();
    }
};

std::wstring itemText(int id) {
    std::wstring text;
    if (CWnd* w = dlgMyApp->GetDlgItem(id)) w->GetWindowText(text);
    return text;
}

class PaletteChoicesTest : public PaletteWindowTest {
protected:
    void SetUp() override {
        PaletteWindowTest::SetUp();
        // The value dialog of a new mark takes its answers from the script lines.
        host::uiEventQueue().setFeeder([] { return host::hostInput().nextUiEvent(); });
    }
    void TearDown() override {
        host::uiEventQueue().setFeeder(nullptr);
        PaletteWindowTest::TearDown();
    }
    void choose(int button, unsigned answer) {
        m_driver.answer = answer;
        host::UiDriverScope scope(m_driver);
        run(host::FormatW(L"@palette click %d\n", button));
    }
    std::wstring iniValue(const wchar_t* section, const wchar_t* key) {
        SaveAllIniBuffers();
        wchar_t buffer[256] = {};
        GetPrivateProfileStringW(section, key, L"(none)", buffer, 256, GetIniFile().c_str());
        return buffer;
    }
    // A section mark made with the palette's rows: row 1 at 0, prefix "OK".
    AcDbObjectId drawSectionMark(const wchar_t* prefix) {
        run(std::wstring(L"@palette 1099 = ") + prefix + L"\n");
        run(L"XOTA_HdimFront\n0,0\n@dialog 1212 = 0\n@dialog click 1\n5,1\n8,1\n\n");
        for (const AcDbObjectId& id : entities())
            if (TRdimHeight* mark = ObjectId2TRdimHeight(id)) {
                const bool base = mark->GetRole() == kHeightRoleBase;
                mark->close();
                if (!base) return id;
            }
        return AcDbObjectId::kNull;
    }
    MenuDriver m_driver;
};

} // namespace

TEST_F(PaletteChoicesTest, TheModeButtonSwitchesToSectionMarksAndBack) {
    EXPECT_EQ(itemText(IDC_BUT_MODE), L"Ma\u00DFketten") << "the button shows the mode";
    choose(IDC_BUT_MODE, 3);
    EXPECT_EQ(m_driver.offered, (std::vector<std::wstring>{L"Alle Objekte", L"Ma\u00DFketten", L"Schnitt-HK",
                                                            L"Grundriss-HK", L"Texte"}));
    EXPECT_EQ(dlgMyApp->m_iCurrentMode, OPT_MODE_HEIGHT);
    EXPECT_EQ(pGlobDimOptions->m_iMode, OPT_MODE_HEIGHT);
    EXPECT_EQ(itemText(IDC_BUT_MODE), L"Schnitt-HK");
    EXPECT_EQ(iniValue(L"General Info", L"LastMode"), L"3");
    EXPECT_TRUE(dlgMyApp->GetDlgItem(IDC_BUT_W1)->IsWindowVisible());
    // The type button offers the section marks' types; a choice is their LastType.
    choose(IDC_BUT_TYPE, 4);
    EXPECT_EQ(m_driver.offered.size(), 4u);
    EXPECT_EQ(dlgMyApp->m_iCurrentType, 4);
    EXPECT_EQ(pGlobDimOptions->GetOptionSet(OPT_MODE_HEIGHT).arrayOptInt[IND_I_LastType], 4u);
    EXPECT_EQ(itemText(IDC_BUT_TYPE), L"Fertigma\u00DF - Spitze oben");
    // Nothing chosen: the mode stays.
    choose(IDC_BUT_MODE, 0);
    EXPECT_EQ(dlgMyApp->m_iCurrentMode, OPT_MODE_HEIGHT);
    choose(IDC_BUT_MODE, 2);
    EXPECT_EQ(dlgMyApp->m_iCurrentMode, OPT_MODE_CHAIN);
    EXPECT_FALSE(dlgMyApp->GetDlgItem(IDC_BUT_W1)->IsWindowVisible());
    // Tick types 2 to 5 of chains; texts have no types at all.
    choose(IDC_BUT_TYPE, 5);
    EXPECT_EQ(pGlobDimOptions->GetOptionSet(OPT_MODE_CHAIN).arrayOptInt[IND_I_LastType], 5u);
    EXPECT_EQ(itemText(IDC_BUT_TYPE), L"Kreuz");
    // Plan marks: tool bars and menus are resources of different kinds, so the bar that
    // shares its number with the host dimensions' context menu still offers the types.
    choose(IDC_BUT_MODE, 4);
    choose(IDC_BUT_TYPE, 1);
    EXPECT_EQ(m_driver.offered, (std::vector<std::wstring>{L"Fertigma\u00DF - Spitze unten",
                                                            L"Rohbauma\u00DF - Spitze unten",
                                                            L"Grundriss-HK - Typ 2", L"Grundriss-HK - Typ 1"}));
    EXPECT_EQ(itemText(IDC_BUT_TYPE), L"Grundriss-HK - Typ 2");
    choose(IDC_BUT_MODE, 5);
    EXPECT_FALSE(dlgMyApp->GetDlgItem(IDC_BUT_TYPE)->IsWindowEnabled());
    EXPECT_EQ(itemText(IDC_BUT_TYPE), L"");
}

TEST_F(PaletteChoicesTest, NoExtensionLinesIsOfferedAndWritesExtLineZero) {
    auto* ext = dynamic_cast<CComboBox*>(dlgMyApp->GetDlgItem(IDC_COMBO_EXT_LINE));
    ASSERT_NE(ext, nullptr);
    EXPECT_GE(ext->FindStringExact(-1, L"<keine>"), 0);
    EXPECT_GE(ext->FindStringExact(-1, L"<maximal>"), 0);
    run(L"@palette select 1021 <keine>\n");
    EXPECT_EQ(pGlobDimOptions->GetOptionSet(OPT_MODE_CHAIN).arrayOptInt[IND_I_ExtLine], 0u);
    EXPECT_EQ(iniValue(L"MainOptions", L"ExtLine"), L"0");
    // A new chain has none.
    run(L"XOTA_Hdim\n0,0\n10,0\n5,-5\n\n");
    ASSERT_EQ(chains().size(), 1u) << transcript();
    EXPECT_EQ(read<unsigned>(chains()[0], [](TRdim& c) { return c.GetParamInt(IND_I_ExtLine); }), 0u);
    // "<beibehalten>" is never saved.
    run(L"@palette select 1021 <beibehalten>\n");
    EXPECT_EQ(iniValue(L"MainOptions", L"ExtLine"), L"0");
}

TEST_F(PaletteChoicesTest, MarkRowsAndPositionCombosShowAndWriteTheMarksValues) {
    choose(IDC_BUT_MODE, 3);
    auto* align = dynamic_cast<CComboBox*>(dlgMyApp->GetDlgItem(IDC_COMBO_TEXT_ALIGN));
    ASSERT_NE(align, nullptr);
    EXPECT_EQ(align->GetCount(), 8);
    run(L"@palette select 1025 Rechts - Zentriert\n@palette select 1026 \u00DCber\n");
    const auto& set = pGlobDimOptions->GetOptionSet(OPT_MODE_HEIGHT);
    EXPECT_EQ(set.arrayOptInt[IND_I_TextAlign], 9u);
    EXPECT_EQ(set.arrayOptInt[IND_I_TextPosition], 1u);
    EXPECT_EQ(iniValue(L"DH_MainOptions", L"TextAlign"), L"9");
    // Page B hides the rows of page A.
    run(L"@palette select 1028    B \n");
    EXPECT_FALSE(dlgMyApp->GetDlgItem(IDC_BUT_W1)->IsWindowVisible());
    run(L"@palette select 1028    A \n");
    EXPECT_TRUE(dlgMyApp->GetDlgItem(1099)->IsWindowVisible());

    // A selected mark shows its rows' texts and alignment.
    const AcDbObjectId mark = drawSectionMark(L"OK");
    ASSERT_FALSE(mark.isNull()) << transcript();
    run(L"@palette 1099 = \n");
    dlgMyApp->SelectObjects(idArray({mark}));
    EXPECT_EQ(itemText(1099), L"OK");
    EXPECT_EQ(dlgMyApp->GetControlText(IDC_COMBO_TEXT_ALIGN), L"Rechts - Zentriert");
    EXPECT_EQ(static_cast<CButton*>(dlgMyApp->GetDlgItem(IDC_BUT_W1))->GetCheck(), 1);
}

TEST_F(PaletteChoicesTest, UpdateStoresTheBackgroundAndTakesSectionMarks) {
    choose(IDC_BUT_MODE, 3);
    const AcDbObjectId mark = drawSectionMark(L"");
    ASSERT_FALSE(mark.isNull()) << transcript();
    AcColorSettings colours;
    ASSERT_TRUE(acedGetCurrentColors(&colours));
    colours.dwGfxModelBkColor = 0x00203040; // blue 0x20, green 0x30, red 0x40
    ASSERT_TRUE(acedSetCurrentColors(&colours));
    run(L"@palette 1018 = 7\n@palette click 1023\nALL\n\n");
    EXPECT_EQ(pGlobDimOptions->m_backgroundColor.red, 0x40);
    EXPECT_EQ(pGlobDimOptions->m_backgroundColor.green, 0x30);
    EXPECT_EQ(pGlobDimOptions->m_backgroundColor.blue, 0x20);
    TRdimHeight* m = ObjectId2TRdimHeight(mark);
    ASSERT_NE(m, nullptr);
    EXPECT_NEAR(m->GetParamDouble(IND_D_TextHeight), 7.0, 1e-12) << transcript();
    m->close();
    EXPECT_FALSE(said(L"not available yet")) << transcript();
    colours.dwGfxModelBkColor = 0x00FFFFFF;
    acedSetCurrentColors(&colours);
}

TEST_F(PaletteChoicesTest, TextBackgroundsOnBringTheChainsToTheFront) {
    run(L"XOTA_Hdim\n0,0\n10,0\n5,-5\n\n");
    ASSERT_EQ(chains().size(), 1u);
    const AcDbObjectId chain = chains()[0];
    // A line drawn after the chain lies over it until the backgrounds are switched on.
    const AcDbObjectId line = add(new AcDbLine(AcGePoint3d(0, -5, 0), AcGePoint3d(10, -5, 0)));
    run(L"@palette check 1045 1\n");
    EXPECT_EQ(pGlobDimOptions->GetOptFlag(IND_OPT_B_WipeOut), 1);
    AcDbEntity* entity = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(entity, chain, AcDb::kForRead), Acad::eOk);
    AcDbSortentsTable* order = GetSortentsTable(entity);
    entity->close();
    ASSERT_NE(order, nullptr);
    AcDbObjectIdArray drawOrder;
    order->getFullDrawOrder(drawOrder);
    order->close();
    int chainAt = -1, lineAt = -1;
    for (int i = 0; i < drawOrder.length(); ++i) {
        if (drawOrder[i] == chain) chainAt = i;
        if (drawOrder[i] == line) lineAt = i;
    }
    EXPECT_GT(chainAt, lineAt) << "the chain is drawn last";
}
