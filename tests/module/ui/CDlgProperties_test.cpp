// The properties dialog as a person works it: what the grid shows for several chains,
// which values OK writes and which it leaves, refused entries, the remembered view, and
// the ways it is opened (commands, context menu, the palette's button).
#include "tests/module/ui/PaletteWindowTestEnv.h"

#include "host/win/UiDriver.h"
#include "host/win/UiEventQueue.h"
#include "module/height/TRdimHeight.h"
#include "module/app/PropertiesPort.h"
#include "module/options/OptionIndices.h"
#include "module/resources/ContextMenuResources.h"
#include "module/resources/PropertiesResources.h"
#include "module/ui/ChainPopup.h"
#include "module/ui/PropertyRows.h"

#include <functional>

namespace {

using palettetest::PaletteWindowTest;

constexpr double kTol = 1e-12;
constexpr int kTextHeightRow = IDC_PROP_ROW_DOUBLE + IND_D_TextHeight;
constexpr int kTextOffsetRow = IDC_PROP_ROW_DOUBLE + IND_D_TextOffset;
constexpr int kReducedRow = IDC_PROP_ROW_INT + IND_I_MCmFrom10;
constexpr int kDecimalsRow = IDC_PROP_ROW_INT + IND_I_Decimals;
constexpr int kLabelRow = IDC_PROP_ROW_STRING + IND_S_DimDescription;

// Works the dialog from code: `work` acts on the form; a form still open afterwards is
// cancelled. A popup menu gets `menuAnswer`.
class FormDriver : public host::UiDriver {
public:
    std::function<void(host::UiForm&)> work;
    unsigned menuAnswer = 0;
    int dialogs = 0;
    int messageBox(HWND, const std::wstring&, const std::wstring&, UINT) override { return IDOK; }
    void runDialog(host::UiForm& form) override {
        ++dialogs;
        if (work) work(form);
        if (!form.formEnded()) form.formCancel();
    }
    unsigned trackPopupMenu(const host::UiMenuView&) override { return menuAnswer; }
};

const host::UiControlView* control(const std::vector<host::UiControlView>& controls, int id) {
    for (const host::UiControlView& c : controls)
        if (c.id == id) return &c;
    return nullptr;
}

// The text of control `id` as the form shows it; "(none)" when it is not shown.
std::wstring shownText(const host::UiForm& form, int id) {
    const std::vector<host::UiControlView> controls = form.formControls();
    const host::UiControlView* c = control(controls, id);
    return c && c->visible ? c->text : L"(none)";
}

void setText(host::UiForm& form, int id, const std::wstring& text) {
    std::wstring error;
    EXPECT_TRUE(form.formSetText(id, text, error)) << id << ": " << error;
}

void click(host::UiForm& form, int id) {
    std::wstring error;
    EXPECT_TRUE(form.formClick(id, error)) << id << ": " << error;
}

class PropertiesTest : public PaletteWindowTest {
protected:
    void SetUp() override {
        PaletteWindowTest::SetUp();
        // The value dialog of a new height mark takes its answers from the script lines.
        host::uiEventQueue().setFeeder([] { return host::hostInput().nextUiEvent(); });
    }
    void TearDown() override {
        host::uiEventQueue().setFeeder(nullptr);
        PaletteWindowTest::TearDown();
    }
    void drawTwoChains(double height1, double height2) {
        run(L"XOTA_Hdim\n0,0\n10,0\n5,-5\n20,0\n\nXOTA_Hdim\n0,20\n10,20\n5,15\n\n");
        m_chains = chains();
        ASSERT_EQ(m_chains.size(), 2u) << transcript();
        change(m_chains[0], [&](TRdim& c) { c.SetParamDouble(IND_D_TextHeight, height1); });
        change(m_chains[1], [&](TRdim& c) { c.SetParamDouble(IND_D_TextHeight, height2); });
    }
    double paramDouble(size_t i, int index) const {
        return read<double>(m_chains[i], [index](TRdim& c) { return c.GetParamDouble(index); });
    }
    unsigned paramInt(size_t i, int index) const {
        return read<unsigned>(m_chains[i], [index](TRdim& c) { return c.GetParamInt(index); });
    }
    std::wstring paramString(size_t i, int index) const {
        return read<std::wstring>(m_chains[i], [index](TRdim& c) { return c.GetParamString(index); });
    }
    bool open(std::function<void(host::UiForm&)> work, int kind = kDimPropChains) {
        m_driver.work = std::move(work);
        host::UiDriverScope scope(m_driver);
        const AcDbObjectIdArray ids = idArray(m_chains);
        return OpenDlgProperties(&ids, kind);
    }

    std::vector<AcDbObjectId> m_chains;
    FormDriver m_driver;
};

} // namespace

TEST_F(PropertiesTest, DifferingValuesShowVarAndOnlyEditedRowsAreWritten) {
    drawTwoChains(2.5, 3.5);
    std::wstring height, decimals;
    const bool ok = open([&](host::UiForm& form) {
        height = shownText(form, kTextHeightRow);
        decimals = shownText(form, kDecimalsRow);
        setText(form, kDecimalsRow, L"3");
        click(form, IDOK);
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(height, L"<var>");
    EXPECT_EQ(decimals, L"4") << "both chains have the options' four decimals";
    // The row left alone keeps both heights; the edited one reaches both chains.
    EXPECT_NEAR(paramDouble(0, IND_D_TextHeight), 2.5, kTol);
    EXPECT_NEAR(paramDouble(1, IND_D_TextHeight), 3.5, kTol);
    EXPECT_EQ(paramInt(0, IND_I_Decimals), 3u);
    EXPECT_EQ(paramInt(1, IND_I_Decimals), 3u);

    // The chains now share three decimals; one height typed for both.
    open([&](host::UiForm& form) {
        decimals = shownText(form, kDecimalsRow);
        setText(form, kTextHeightRow, L"3,5");
        click(form, IDOK);
    });
    EXPECT_EQ(decimals, L"3");
    EXPECT_NEAR(paramDouble(0, IND_D_TextHeight), 3.5, kTol);
    EXPECT_NEAR(paramDouble(1, IND_D_TextHeight), 3.5, kTol);
}

TEST_F(PropertiesTest, YesStoresOneAndAWrongEntryIsRefusedWithoutChangingAnything) {
    drawTwoChains(2.5, 3.5);
    change(m_chains[0], [](TRdim& c) { c.SetParamString(IND_S_DimDescription, L"1Achse A"); });
    std::wstring afterWrong;
    open([&](host::UiForm& form) {
        setText(form, kReducedRow, L"Ja");
        setText(form, kTextHeightRow, L"abc");
        afterWrong = shownText(form, kTextHeightRow);
        setText(form, kTextOffsetRow, L"-");
        setText(form, kLabelRow, L"Achse B");
        click(form, IDOK);
    });
    EXPECT_TRUE(said(L"\"abc\" ist kein Wert f\u00FCr \"Texth\u00F6he\"")) << transcript();
    EXPECT_TRUE(said(L"\"-\" ist kein Wert f\u00FCr \"Textabstand (%)\"")) << transcript();
    EXPECT_EQ(afterWrong, L"<var>") << "the row keeps what it showed";
    EXPECT_EQ(paramInt(0, IND_I_MCmFrom10), 1u);
    EXPECT_EQ(paramInt(1, IND_I_MCmFrom10), 1u);
    EXPECT_NEAR(paramDouble(0, IND_D_TextHeight), 2.5, kTol);
    EXPECT_NEAR(paramDouble(1, IND_D_TextHeight), 3.5, kTol);
    // The label keeps its side: the left one of the first chain, the right one of the
    // second, which had none.
    EXPECT_EQ(paramString(0, IND_S_DimDescription), L"1Achse B");
    EXPECT_EQ(paramString(1, IND_S_DimDescription), L"2Achse B");

    // Cancel writes nothing, whatever the rows show.
    open([&](host::UiForm& form) {
        setText(form, kReducedRow, L"Nein");
        click(form, IDCANCEL);
    });
    EXPECT_EQ(paramInt(0, IND_I_MCmFrom10), 1u);
}

TEST_F(PropertiesTest, TheCompactViewAndTheOpenGroupsAreRememberedAcrossRuns) {
    drawTwoChains(2.5, 2.5);
    open([&](host::UiForm& form) {
        EXPECT_EQ(shownText(form, IDC_PROP_GROUP_FIRST), L"Allgemein");
        EXPECT_EQ(shownText(form, kTextOffsetRow), L"50");
        click(form, IDC_PROP_GROUP_FIRST + kGroupUnits); // folds "Einheiten"
        EXPECT_EQ(shownText(form, kDecimalsRow), L"(none)");
        click(form, IDC_PROP_COMPACT);
        click(form, IDCANCEL);
    });
    EXPECT_EQ(GetIniString(L"LastStatus", L"DlgProperties"), L"120,1,0,1,1");
    EXPECT_EQ(GetIniInt(L"LastStatus", L"DlgPropertiesMini"), 1);
    open([&](host::UiForm& form) {
        EXPECT_EQ(shownText(form, IDC_PROP_GROUP_FIRST), L"Editierbare Parameter");
        EXPECT_EQ(shownText(form, kTextHeightRow), L"2.5") << "a row of the compact view";
        EXPECT_EQ(shownText(form, kDecimalsRow), L"4");
        std::wstring error;
        EXPECT_FALSE(form.formSetText(kTextOffsetRow, L"5", error)) << "not in the compact view";
        click(form, IDCANCEL);
    });
    // A damaged entry opens the full view with every group open.
    SetIniString(L"LastStatus", L"DlgProperties", L"9999,x");
    SetIniInt(L"LastStatus", L"DlgPropertiesMini", 0);
    open([&](host::UiForm& form) {
        EXPECT_EQ(shownText(form, kDecimalsRow), L"4");
        EXPECT_EQ(shownText(form, kTextOffsetRow), L"50");
        click(form, IDCANCEL);
    });
}

TEST_F(PropertiesTest, CommandsContextMenuAndPaletteOpenItForTheirObjects) {
    drawTwoChains(2.5, 3.5);
    std::wstring kinds, height;
    m_driver.work = [&](host::UiForm& form) {
        const std::vector<host::UiControlView> controls = form.formControls();
        if (const host::UiControlView* list = control(controls, IDC_PROP_KIND)) kinds = list->text;
        height = shownText(form, kTextHeightRow);
        click(form, IDCANCEL);
    };
    host::UiDriverScope scope(m_driver);
    // The command takes the objects the user selects.
    run(L"XOTA_DimPropL\nALL\n\n");
    EXPECT_EQ(m_driver.dialogs, 1) << transcript();
    EXPECT_EQ(kinds, L"Lin.Bem. (2)");
    EXPECT_EQ(height, L"<var>");
    // The context menu's "Eigenschaften..." shows the one chain it was opened on.
    RunChainPopupCommand(ID_CTX_PROPERTIES, m_chains[1]);
    EXPECT_EQ(m_driver.dialogs, 2) << transcript();
    EXPECT_EQ(kinds, L"Lin.Bem. (1)");
    EXPECT_EQ(height, L"3.5");
    EXPECT_FALSE(said(L"not available yet")) << transcript();
    // The palette's button: the chains it shows.
    dlgMyApp->SelectObjects(idArray({m_chains[0]}));
    run(L"@palette click 1117\n");
    EXPECT_EQ(m_driver.dialogs, 3) << transcript();
    EXPECT_EQ(height, L"2.5");
    EXPECT_TRUE(dlgMyApp->IsWindowVisible()) << "the palette comes back";
}

TEST_F(PropertiesTest, ChainsAndMarksAreEditedKindByKindWithoutTouchingEachOther) {
    drawTwoChains(2.5, 2.5);
    run(L"XOTA_HdimFront\n0,40\n@dialog 1212 = 0\n@dialog click 1\n5,41\n8,41\n\n");
    AcDbObjectIdArray ids = idArray(m_chains);
    std::vector<AcDbObjectId> marks;
    for (const AcDbObjectId& id : entities())
        if (TRdimHeight* mark = ObjectId2TRdimHeight(id)) {
            mark->close();
            marks.push_back(id);
            ids.append(id);
        }
    ASSERT_EQ(marks.size(), 2u) << "a base and its member: " << transcript();
    const int markSizeRow = IDC_PROP_ROW_DOUBLE + IND_D_HDimSize;
    std::vector<std::wstring> kinds;
    std::wstring markSize, chainHeightAgain;
    m_driver.work = [&](host::UiForm& form) {
        const std::vector<host::UiControlView> controls = form.formControls();
        if (const host::UiControlView* list = control(controls, IDC_PROP_KIND)) kinds = list->items;
        setText(form, kTextHeightRow, L"4");
        std::wstring error;
        EXPECT_TRUE(form.formSelect(IDC_PROP_KIND, L"HK (2)", error)) << error;
        markSize = shownText(form, markSizeRow);
        setText(form, markSizeRow, L"6");
        EXPECT_TRUE(form.formSelect(IDC_PROP_KIND, L"Lin.Bem. (2)", error)) << error;
        chainHeightAgain = shownText(form, kTextHeightRow);
        click(form, IDOK);
    };
    {
        host::UiDriverScope scope(m_driver);
        EXPECT_TRUE(OpenDlgProperties(&ids, kDimPropAll));
    }
    EXPECT_EQ(kinds, (std::vector<std::wstring>{L"Lin.Bem. (2)", L"HK (2)"}));
    EXPECT_EQ(markSize, L"5") << "the marks' own symbol size";
    EXPECT_EQ(chainHeightAgain, L"4") << "an edit survives switching the kind shown";
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_NEAR(paramDouble(i, IND_D_TextHeight), 4.0, kTol);
        EXPECT_NEAR(paramDouble(i, IND_D_TickSize), 4.0, kTol) << "index 4 of chains is not the marks' size";
    }
    for (const AcDbObjectId& id : marks) {
        TRdimHeight* mark = ObjectId2TRdimHeight(id);
        ASSERT_NE(mark, nullptr);
        EXPECT_NEAR(mark->GetParamDouble(IND_D_HDimSize), 6.0, kTol);
        EXPECT_NEAR(mark->GetParamDouble(IND_D_TextHeight), 50.0, kTol) << "the chains' edit is theirs";
        mark->close();
    }
}

// The rows' width is typed (a wrong one is told and the width stays) and remembered; a
// row's name comes from DimParam.ini's description of its key when there is one; an arc
// setting is a row of its own; the palette showing the chains shows what OK wrote.
TEST_F(PropertiesTest, SplitDescriptionsArcRowsAndThePaletteAfterOk) {
    drawTwoChains(2.5, 2.5);
    pGlobDimOptions->mapParamInfo[L"TextOffset"] = L"1;Abstand Text zu Ma\u00DFlinie";
    pGlobDimOptions->mapParamInfo[L"TextHeight"] = L"0";
    dlgMyApp->SelectObjects(idArray(m_chains));
    std::wstring splitAfterWrong;
    open([&](host::UiForm& form) {
        setText(form, IDC_PROP_SPLIT, L"150");
        setText(form, IDC_PROP_SPLIT, L"999");
        splitAfterWrong = shownText(form, IDC_PROP_SPLIT);
        setText(form, kTextOffsetRow, L"viel");
        setText(form, kTextHeightRow, L"hoch");
        setText(form, IDC_PROP_ROW_INT + IND_I_ArcDimCW, L"Ja");
        setText(form, kDecimalsRow, L"2");
        click(form, IDOK);
    });
    EXPECT_EQ(splitAfterWrong, L"150");
    EXPECT_TRUE(said(L"Spaltenbreite \"999\" ung\u00FCltig")) << transcript();
    EXPECT_EQ(GetIniString(L"LastStatus", L"DlgProperties"), L"150,1,1,1,1");
    EXPECT_TRUE(said(L"\"viel\" ist kein Wert f\u00FCr \"Abstand Text zu Ma\u00DFlinie\"")) << transcript();
    // A description of only the storage digit leaves the row its own name.
    EXPECT_TRUE(said(L"\"hoch\" ist kein Wert f\u00FCr \"Texth\u00F6he\"")) << transcript();
    EXPECT_EQ(paramInt(0, IND_I_ArcDimCW), 1u);
    EXPECT_EQ(paramInt(1, IND_I_ArcDimCW), 1u);
    EXPECT_NEAR(paramDouble(0, IND_D_TextOffset), 50.0, kTol);
    EXPECT_EQ(dlgMyApp->GetControlText(IDC_COMBO_DECIMALS), L"2") << "the palette shows the chains as they are";
    pGlobDimOptions->mapParamInfo.erase(L"TextOffset");
    pGlobDimOptions->mapParamInfo.erase(L"TextHeight");
}
