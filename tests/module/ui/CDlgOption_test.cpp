// The options dialog and the options-file dialog as a person works them through a
// script: values per mode, Cancel, wrong entries, the tables and lists, "Save as...",
// the page it reopens on, and the list of options files.
#include "module/ui/CDlgOption.h"

#include "host/win/ScriptUiDriver.h"
#include "host/win/UiDriver.h"
#include "host/win/UiEventQueue.h"
#include "host/win/WinProfile.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/IniStorage.h"
#include "module/options/OptionIndices.h"
#include "module/options/ScaleMaps.h"
#include "module/ui/COptPages.h"
#include "module/ui/OptionFields.h"
#include "tests/module/ui/PaletteWindowTestEnv.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

std::string fileText(const std::wstring& path) {
    std::ifstream f(fs::path(path), std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

std::wstring iniValue(const std::wstring& file, const wchar_t* section, const wchar_t* key) {
    wchar_t buf[512] = {};
    GetPrivateProfileStringW(section, key, L"", buf, 512, file.c_str());
    return buf;
}

class OptionDialog : public palettetest::PaletteWindowTest {
protected:
    void SetUp() override {
        PaletteWindowTest::SetUp();
        if (HasFatalFailure()) return;
        // Dialogs and file choosers take their answers from the script lines that follow.
        host::uiEventQueue().setFeeder([] { return host::hostInput().nextUiEvent(); });
        m_driverScope = std::make_unique<host::UiDriverScope>(m_driver);
    }
    void TearDown() override {
        m_driverScope.reset();
        host::uiEventQueue().setFeeder(nullptr);
        PaletteWindowTest::TearDown();
    }
    CGlobDimOptions& options() { return *pGlobDimOptions; }
    std::wstring mainIni() { return options().strIniFile; }
    double chainDouble(int i) { return options().m_setChain.arrayOptDouble[static_cast<std::size_t>(i)]; }
    double heightDouble(int i) { return options().m_setHeight.arrayOptDouble[static_cast<std::size_t>(i)]; }
    // A second options file beside the main INI, as a copy of it.
    std::wstring writeOther(const std::wstring& name) {
        SaveAllIniBuffers();
        const std::wstring path = GetSettingsFolder() + name;
        fs::copy_file(fs::path(mainIni()), fs::path(path), fs::copy_options::overwrite_existing);
        return path;
    }

    host::ScriptUiDriver m_driver{&host::uiEventQueue()};
    std::unique_ptr<host::UiDriverScope> m_driverScope;
};

} // namespace

TEST(OptionDialogRows, TableRowsAndNumbersAreCheckedBeforeTheyAreTaken) {
    std::wstring item;
    EXPECT_TRUE(MakeScaleRow(L" 1:25 ", L"DIM_1_25", L"3", item));
    EXPECT_EQ(item, L"1:25=DIM_1_25=3");
    EXPECT_TRUE(MakeScaleRow(L"<Unbekannt>", L"DIM_X", L"", item));
    EXPECT_EQ(item, L"<Unbekannt>=DIM_X=7");
    EXPECT_TRUE(MakeScaleRow(L"BMa\u00DF", L"DIM_B", L"1", item));
    for (const auto& bad : std::vector<std::vector<std::wstring>>{{L"1:x", L"L", L"1"},
                                                                  {L"", L"L", L"1"},
                                                                  {L"1:0", L"L", L"1"},
                                                                  {L"1:50", L"", L"1"},
                                                                  {L"1:50", L"A=B", L"1"},
                                                                  {L"1:50", L"L", L"257"},
                                                                  {L"1:50", L"L", L"rot"}}) {
        item = L"unchanged";
        EXPECT_FALSE(MakeScaleRow(bad[0], bad[1], bad[2], item))
            << bad[0] << L"|" << bad[1] << L"|" << bad[2];
        EXPECT_EQ(item, L"unchanged");
    }
    EXPECT_TRUE(MakeHeightRow(L"3,5", L"2", item));
    EXPECT_EQ(item, L"3.5=2");
    EXPECT_TRUE(MakeHeightRow(L"truetype", L"7", item));
    EXPECT_EQ(item, L"TrueType=7");
    EXPECT_FALSE(MakeHeightRow(L"0", L"2", item));
    EXPECT_FALSE(MakeHeightRow(L"-5", L"2", item));
    EXPECT_FALSE(MakeHeightRow(L"35", L"-1", item));
    EXPECT_TRUE(MakeListEntry(L"ExtLineLength", L"12,50", item));
    EXPECT_EQ(item, L"12.5");
    EXPECT_FALSE(MakeListEntry(L"ExtLineLength", L"12 cm", item));
    // The layers' default colours take "layer=colour", the formats need their "#".
    EXPECT_TRUE(MakeListEntry(L"Layer2DefaultColor", L" WAND = 3 ", item));
    EXPECT_EQ(item, L"WAND=3");
    item = L"unchanged";
    for (const wchar_t* bad : {L"WAND", L"WAND=", L"WAND=300", L"A<B=3", L"=3"})
        EXPECT_FALSE(MakeListEntry(L"Layer2DefaultColor", bad, item)) << bad;
    EXPECT_EQ(item, L"unchanged");
    EXPECT_TRUE(MakeListEntry(L"AltFormatList", L"(#)", item));
    EXPECT_EQ(item, L"(#)");
    EXPECT_FALSE(MakeListEntry(L"AltFormatList", L"[#],x", item));
    EXPECT_FALSE(MakeListEntry(L"AltFormatList", L"ohne", item));
    EXPECT_FALSE(MakeListEntry(L"DimLinesDistance", L"WAND=3", item));

    // A row with the key of an existing one replaces it (key without case), else it is added.
    std::vector<std::wstring> items = {L"1:50=DIM_1_50=7", L"1:100=DIM_1_100=7"};
    PutRow(items, L"1:50=NEU=2");
    PutRow(items, L"1:20=DIM_1_20=7");
    EXPECT_EQ(items, (std::vector<std::wstring>{L"1:50=NEU=2", L"1:100=DIM_1_100=7", L"1:20=DIM_1_20=7"}));

    double v = 0.0;
    EXPECT_TRUE(ParseFieldNumber(L" 2,5 ", false, 0.0, 10.0, v));
    EXPECT_DOUBLE_EQ(v, 2.5);
    for (const wchar_t* bad : {L"", L"abc", L"2.5x", L"11", L"-0.5", L"1e3", L"nan", L"inf"})
        EXPECT_FALSE(ParseFieldNumber(bad, false, 0.0, 10.0, v)) << bad;
    EXPECT_FALSE(ParseFieldNumber(L"2.5", true, 0.0, 10.0, v));
    EXPECT_TRUE(ParseFieldNumber(L"3", true, 0.0, 10.0, v));

    // The title keeps a long path's beginning and its file name.
    const std::wstring longPath = L"/home/architekt/Projekte/2026/Wohnhaus am See/Einstellungen/buero.ini";
    const std::wstring shown = ShortenTitlePath(longPath, 40);
    EXPECT_LE(shown.size(), 41u);
    EXPECT_EQ(shown.substr(0, 5), L"/home");
    EXPECT_NE(shown.find(L".../buero.ini"), std::wstring::npos) << shown;
    EXPECT_EQ(ShortenTitlePath(L"/a/b.ini", 40), L"/a/b.ini");
}

TEST_F(OptionDialog, EachModeKeepsItsOwnValuesAndCancelWritesNothing) {
    const std::wstring ini = mainIni();
    // Chains get 7.5, then the mode combo switches to height marks, which get 6.
    run(L"XOTA_Doption\n@dialog 1201 = 7.5\n@dialog select 1107 H\u00F6henkoten\n@dialog 1201 = 6\n"
        L"@dialog 1209 = 3\n@dialog click 1\n");
    EXPECT_FALSE(said(L"ignored")) << transcript();
    EXPECT_DOUBLE_EQ(chainDouble(IND_D_TickSize), 7.5);
    EXPECT_DOUBLE_EQ(heightDouble(IND_D_HDimSize), 6.0);
    EXPECT_DOUBLE_EQ(heightDouble(IND_D_OffsetFromOrigin), 3.0);
    EXPECT_EQ(iniValue(ini, L"MainOptions", L"TickSize"), L"7.5");
    EXPECT_EQ(iniValue(ini, L"DH_MainOptions", L"HDimSize"), L"6");
    EXPECT_EQ(iniValue(ini, L"General Info", L"OptionsActiveMode"), L"1");

    // Cancel after a change: neither the options nor the file change.
    const std::string before = fileText(ini);
    run(L"XOTA_Doption\n@dialog 1201 = 9\n@dialog check 1210 1\n@dialog click 2\n");
    EXPECT_DOUBLE_EQ(chainDouble(IND_D_TickSize), 7.5);
    EXPECT_EQ(options().m_setChain.arrayOptInt[IND_I_ForbidLayer0], 0);
    SaveAllIniBuffers();
    EXPECT_EQ(fileText(ini), before);
}

TEST_F(OptionDialog, AWrongEntryIsToldAndChangesNothing) {
    const std::wstring ini = mainIni();
    SaveAllIniBuffers();
    const std::string before = fileText(ini);
    // Save with a word in a number field: told, the dialog stays; then cancelled.
    run(L"XOTA_Doption\n@dialog 1201 = vier\n@dialog click 1\n@dialog click 2\n");
    EXPECT_TRUE(
        said(L"Ung\u00FCltiger Wert f\u00FCr \"Symbolgr\u00F6\u00DFe (Ma\u00DFbegrenzung)\": \"vier\""))
        << transcript();
    EXPECT_DOUBLE_EQ(chainDouble(IND_D_TickSize), 4.0);
    // A wrong entry also keeps the mode: the text typed for chains is not lost to a switch.
    run(L"XOTA_Doption\n@dialog 1205 = -1\n@dialog select 1107 Text\n@dialog click 1\n@dialog click 2\n");
    EXPECT_DOUBLE_EQ(chainDouble(IND_D_ExtendBeyondDimLine), 2.0);
    // A delimiter the chain texts use themselves is refused too.
    run(L"XOTA_Doption\n@dialog select 12320 Text\n@dialog 1235 = #\n@dialog click 1\n@dialog click 2\n");
    EXPECT_TRUE(options().m_setChain.arrayOptString[IND_S_Delimiter].empty());
    SaveAllIniBuffers();
    EXPECT_EQ(fileText(ini), before);
}

TEST_F(OptionDialog, ReopensOnTheLastSavedPageAndSavesConversionAndTables) {
    run(L"XOTA_Doption\n@dialog select 12320 Konvert\n@dialog click 1281\n@dialog click 1282\n@dialog click "
        L"1\n");
    EXPECT_EQ(GetIniGeneral(L"OptionsActivePage"), L"4");
    EXPECT_EQ(GetIniInt(L"Convert", L"ExplodeDim"), 1);
    EXPECT_EQ(options().GetOptFlag(IND_OPT_B_AcadDimAssociative), 1);
    // Opened again, the "Konvert" page is the one shown: its control is reachable at once.
    run(L"XOTA_Doption\n@dialog click 1281\n@dialog click 1\n");
    EXPECT_FALSE(said(L"ignored")) << transcript();
    EXPECT_EQ(GetIniInt(L"Convert", L"ExplodeDim"), 0);

    // "Maßstab": a new row, a wrong one (refused), and the paper-space scale.
    run(L"XOTA_Doption\n@dialog select 12320 Ma\u00DFstab\n@dialog 1261 = 1:25\n@dialog 1262 = DIM_1_25\n"
        L"@dialog 1263 = 3\n@dialog click 1264\n@dialog 1261 = 1:x\n@dialog click 1264\n@dialog 1266 = 1:10\n"
        L"@dialog click 1\n");
    EXPECT_TRUE(said(L"Ung\u00FCltiger Eintrag: \"1:x=DIM_1_25=3\"")) << transcript();
    EXPECT_EQ(GetLayerForScale(L"1:25"), L"DIM_1_25");
    EXPECT_EQ(GetLayerForScale(L"1:50"), L"DIM_1_50");
    EXPECT_EQ(GetIniGeneral(L"ScalePaperSpace"), L"1:10");
    EXPECT_EQ(iniValue(options().CurOptionsFile, L"Scale2Layer", L"Item_8"), L"1:25=DIM_1_25=3");

    // "Listen": an entry added to the dimension-line distances of chains.
    run(L"XOTA_Doption\n@dialog select 12320 Listen\n@dialog 1292 = 12,5\n@dialog click 1293\n@dialog click "
        L"1\n");
    std::vector<std::wstring> list;
    LoadSection(list, L"DimLinesDistance");
    EXPECT_NE(std::find(list.begin(), list.end(), L"12.5"), list.end());
}

TEST_F(OptionDialog, SaveAsCopiesAndSwitchesButOntoItselfOnlySaves) {
    const std::wstring ini = mainIni();
    const std::wstring copy = GetSettingsFolder() + L"buero.ini";
    run(L"XOTA_Doption\n@dialog select 12320 Ma\u00DFstab\n@dialog 1261 = 1:33\n@dialog 1262 = DIM_33\n"
        L"@dialog click 1264\n@dialog click 1006\n@file " +
        copy + L"\n");
    ASSERT_TRUE(fs::exists(fs::path(copy))) << transcript();
    EXPECT_EQ(options().CurOptionsFile, copy);
    EXPECT_EQ(iniValue(ini, L"General Info", L"CurOptionsFile"), copy);
    EXPECT_EQ(GetLayerForScale(L"1:33"), L"DIM_33");
    // The copy has the table with the new row; the first file has it without.
    EXPECT_EQ(iniValue(copy, L"Scale2Layer", L"Item_8"), L"1:33=DIM_33=7");
    EXPECT_EQ(iniValue(ini, L"Scale2Layer", L"Item_8"), L"");
    EXPECT_EQ(iniValue(copy, L"MainOptions", L"Measure"), L"m/cm");

    // Onto the file in use: nothing copied, the values saved, the file stays in use.
    run(L"XOTA_Doption\n@dialog select 12320 Ma\u00DFstab\n@dialog 1261 = 1:44\n@dialog 1262 = DIM_44\n"
        L"@dialog click 1264\n@dialog click 1006\n@file " +
        copy + L"\n");
    EXPECT_EQ(options().CurOptionsFile, copy);
    EXPECT_EQ(iniValue(copy, L"Scale2Layer", L"Item_9"), L"1:44=DIM_44=7");
    EXPECT_FALSE(said(L"PROBLEM")) << transcript();

    // A write-protected target: told, the dialog stays open, no file changes.
    const std::wstring locked = writeOther(L"gesperrt.ini");
    fs::permissions(fs::path(locked), fs::perms::owner_read);
    const std::string lockedBefore = fileText(locked);
    run(L"XOTA_Doption\n@dialog click 1006\n@file " + locked + L"\n@dialog click 2\n");
    EXPECT_TRUE(said(L"ist schreibgesch\u00FCtzt...")) << transcript();
    EXPECT_EQ(options().CurOptionsFile, copy);
    EXPECT_EQ(fileText(locked), lockedBefore);
    fs::permissions(fs::path(locked), fs::perms::owner_all);
}

TEST_F(OptionDialog, OptionsFileDialogAddsChoosesAndRemoves) {
    const std::wstring other = writeOther(L"Zweite.ini");
    const std::wstring ini = mainIni();
    // "•••" with a valid file makes it the file in use at once, even when cancelled after.
    run(L"@palette menu 32788\n@dialog click 1081\n@file " + other + L"\n@dialog click 2\n");
    EXPECT_EQ(options().CurOptionsFile, other) << transcript();
    // A file that holds no options is refused and changes nothing.
    const std::wstring empty = GetSettingsFolder() + L"leer.ini";
    std::ofstream(fs::path(empty)) << "[Other]\nx=1\n";
    run(L"@palette menu 32788\n@dialog click 1081\n@file " + empty + L"\n@dialog click 2\n");
    EXPECT_TRUE(said(L"Ung\u00FCltige Lintaro-INI-Datei!")) << transcript();
    EXPECT_EQ(options().CurOptionsFile, other);
    // Choosing the main INI and OK makes it the file in use.
    run(L"@palette menu 32788\n@dialog select 1078 " + ini + L"\n@dialog click 1\n");
    EXPECT_EQ(options().CurOptionsFile, ini);
    // The main INI cannot be removed; the other one can, and stays on disk.
    run(L"@palette menu 32788\n@dialog click 1080\n@dialog select 1078 " + other +
        L"\n@dialog click 1080\n@yes\n"
        L"@dialog click 2\n");
    EXPECT_TRUE(said(L"kann nicht entfernt werden.")) << transcript();
    std::vector<std::wstring> files;
    LoadSection(files, L"OptionsFiles", ini);
    EXPECT_EQ(files, std::vector<std::wstring>{ini});
    EXPECT_TRUE(fs::exists(fs::path(other)));
    // "Eigenschaften..." opens the options dialog on the chosen file (its title names
    // it); left without answers, both dialogs are cancelled.
    clearTranscript();
    run(L"@palette menu 32788\n@dialog click 1079\n");
    EXPECT_TRUE(said(L"Globale Einstellungen: ")) << transcript();
    EXPECT_TRUE(said(L"lintaro.ini: no scripted answer - dialog cancelled.")) << transcript();
    EXPECT_EQ(options().CurOptionsFile, ini);
}

TEST_F(OptionDialog, ThePaletteStoresItsPlaceWhenTheModuleEndsItButNotWhenACommandDiscardsIt) {
    dlgMyApp->MoveWindow(11, 22, 230, 480);
    EndApp(true, true);
    EXPECT_EQ(dlgMyApp, nullptr);
    EXPECT_EQ(GetIniGeneral(L"DlgMain"), L"11,22,230,480,0");
    // A palette a command made for itself goes without storing anything.
    ASSERT_TRUE(StartApp(false));
    dlgMyApp->MoveWindow(500, 600, 230, 480);
    EndApp(true, false);
    EXPECT_EQ(GetIniGeneral(L"DlgMain"), L"11,22,230,480,0");
    // The next palette opens where the first was left.
    ASSERT_TRUE(StartApp(true));
    RECT r{};
    dlgMyApp->GetWindowRect(&r);
    EXPECT_EQ(r.left, 11);
    EXPECT_EQ(r.top, 22);
}

TEST_F(OptionDialog, LockedSettingsCanBeSeenButNotSaved) {
    SetIniGeneral(L"NoEditableParams", L"1");
    options().LoadOptions();
    ASSERT_TRUE(options().m_bNoEditableParams);
    run(L"XOTA_Doption\n@dialog 1201 = 8\n@dialog click 1\n@dialog click 1006\n@dialog click 2\n");
    EXPECT_TRUE(said(L"control 1 (\"Save\") is disabled")) << transcript();
    EXPECT_TRUE(said(L"control 1006 (\"Save as...\") is disabled")) << transcript();
    EXPECT_DOUBLE_EQ(chainDouble(IND_D_TickSize), 4.0);
}
