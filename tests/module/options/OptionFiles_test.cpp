#include "module/options/OptionFiles.h"

#include "tests/module/options/OptionsTestEnv.h"

#include "module/options/IniStorage.h"
#include "module/options/ScaleMaps.h"

#include "host/win/UiEventQueue.h"

#include <string>
#include <vector>

namespace {

constexpr double kValueTol = 1e-12;

class OptionFiles : public OptionsTestEnv {
protected:
    void TearDown() override {
        host::uiEventQueue().clear();
        OptionsTestEnv::TearDown();
    }

    // An options file of an office standard: its own scale, text height and tables.
    std::wstring officeFile(const std::string& name) {
        const std::wstring path = wpath(name);
        writeBytes(path, "[MainOptions]\n"
                         "Measure=cm\n"
                         "Decimals=2\n"
                         "Scale=1:50\n"
                         "TextHeight=35\n"
                         "TickSize=3\n"
                         "[Scale2Layer]\n"
                         "Item_0=<Unbekannt>=BUERO_X=7\n"
                         "Item_1=1:50=BUERO_50=2\n"
                         "[TextHeight2Color]\n"
                         "Item_0=35=9\n");
        return path;
    }

    // Marks the parameters an office keeps in its own file (the rest stays in the main INI).
    void keepInOptionsFile() {
        writeBytes(wpath("appdata/tessaron/lintaro/DimParam.ini"), "[Parameters_STR]\n"
                                                                   "Item_0=Scale=1\n"
                                                                   "Item_1=Measure=1\n"
                                                                   "[Parameters_DBL]\n"
                                                                   "Item_0=TextHeight=1\n"
                                                                   "[Parameters_INT]\n"
                                                                   "Item_0=Decimals=1\n"
                                                                   "Item_1=RoundMM=0\n");
    }

    std::vector<std::wstring> listOnDisk() {
        std::vector<std::wstring> items;
        for (int i = 0; i < 10; ++i) {
            std::wstring v = onDisk(settingsIni(), L"OptionsFiles", L"Item_" + std::to_wstring(i), L"");
            if (v.empty()) break;
            items.push_back(v);
        }
        return items;
    }
};

TEST_F(OptionFiles, ListShedsMissingFilesAndDuplicatesAndIsSavedShorter) {
    std::vector<std::wstring> list{L"stale"};
    EXPECT_EQ(LoadOptionsFiles(list), -1) << "no options yet";
    EXPECT_TRUE(list.empty());

    loadOptions();
    const std::wstring ini = settingsIni();
    const std::wstring office = officeFile("Office.ini");
    std::wstring shouted = office;
    shouted.replace(shouted.size() - 10, 10, L"OFFICE.INI");
    // The same file twice, once more in other letters, and one that was deleted.
    WritePrivateProfileStringW(L"OptionsFiles", L"Item_1", office.c_str(), ini.c_str());
    WritePrivateProfileStringW(L"OptionsFiles", L"Item_2", wpath("gone.ini").c_str(), ini.c_str());
    WritePrivateProfileStringW(L"OptionsFiles", L"Item_3", office.c_str(), ini.c_str());
    WritePrivateProfileStringW(L"OptionsFiles", L"Item_4", shouted.c_str(), ini.c_str());

    EXPECT_EQ(LoadOptionsFiles(list), 2);
    EXPECT_EQ(list, (std::vector<std::wstring>{ini, office}));
    EXPECT_EQ(listOnDisk(), list) << "the shorter list is written back";

    // A clean list is left as it is.
    const std::string before = bytes(ini);
    EXPECT_EQ(LoadOptionsFiles(list), 2);
    EXPECT_EQ(bytes(ini), before);
}

TEST_F(OptionFiles, SwitchingFilesReloadsOptionsAndMaps) {
    keepInOptionsFile();
    CGlobDimOptions& o = loadOptions();
    const std::wstring ini = settingsIni();
    EXPECT_EQ(GetLayerForScale(L"1:50"), L"DIM_1_50");
    const std::wstring office = officeFile("Office.ini");

    ASSERT_TRUE(UseOptionsFile(office));
    EXPECT_EQ(o.GetCurOptionsFile(), office);
    EXPECT_EQ(o.GetOptString(IND_S_Scale), L"1:50");
    EXPECT_EQ(o.GetOptString(IND_S_Measure), L"cm");
    EXPECT_NEAR(o.GetOptDouble(IND_D_ScaleVal), 0.02, kValueTol);
    EXPECT_NEAR(o.GetOptDouble(IND_D_TextHeight), 35.0, kValueTol);
    EXPECT_EQ(GetLayerForScale(L"1:50"), L"BUERO_50");
    EXPECT_EQ(GetLayerForScale(L"1:100"), L"BUERO_X");
    EXPECT_EQ(GetColorForTextHeight(-1.0), 9);
    std::vector<std::wstring> list;
    EXPECT_EQ(LoadOptionsFiles(list), 2) << "the file in use is listed";

    // The choice survives a restart.
    SaveAllIniBuffers();
    freshRun();
    CGlobDimOptions& again = loadOptions();
    EXPECT_EQ(again.GetCurOptionsFile(), office);
    EXPECT_EQ(GetLayerForScale(L"1:50"), L"BUERO_50");

    // Back to the main INI: its own tables again.
    ASSERT_TRUE(UseOptionsFile(ini));
    EXPECT_EQ(GetLayerForScale(L"1:50"), L"DIM_1_50");
    EXPECT_EQ(again.GetOptString(IND_S_Scale), L"1:100");
}

TEST_F(OptionFiles, MissingOrInvalidFilesAreRefusedAndChangeNothing) {
    keepInOptionsFile();
    CGlobDimOptions& o = loadOptions();
    const std::wstring ini = settingsIni();
    const std::wstring missing = wpath("appdata/tessaron/lintaro/other/lintaro.ini");
    EXPECT_FALSE(UseOptionsFile(missing));
    EXPECT_FALSE(AddOptionsFile(missing));
    EXPECT_NE(transcript().find(L"nicht gefunden"), std::wstring::npos) << transcript();
    EXPECT_FALSE(IsValidOptionsFile(missing));
    EXPECT_FALSE(fs::exists(fs::path(missing))) << "asking must not create the file";

    const std::wstring foreign = wpath("foreign.ini");
    writeBytes(foreign, "[MainOptions]\nScale=1:20\n[Fenster]\nBreite=3\n");
    const std::string foreignBytes = bytes(foreign);
    EXPECT_FALSE(IsValidOptionsFile(foreign));
    EXPECT_NE(transcript().find(L"Ung\u00FCltige Lintaro-INI-Datei!"), std::wstring::npos);
    EXPECT_FALSE(AddOptionsFile(foreign));
    EXPECT_EQ(bytes(foreign), foreignBytes) << "a refused file is left untouched";
    EXPECT_EQ(o.GetCurOptionsFile(), ini);
    EXPECT_EQ(GetIniGeneral(L"CurOptionsFile"), ini);

    // A file with only "Decimals" counts; adding it makes it the file in use and lists it.
    const std::wstring decimals = wpath("decimals.ini");
    writeBytes(decimals, "[MainOptions]\nDecimals=3\n");
    EXPECT_TRUE(IsValidOptionsFile(decimals));
    EXPECT_TRUE(AddOptionsFile(decimals));
    EXPECT_EQ(o.GetCurOptionsFile(), decimals);
    EXPECT_EQ(o.GetOptInt(IND_I_Decimals), 3) << "defaults fill gaps and keep what the file has";
    EXPECT_EQ(onDisk(decimals, L"MainOptions", L"Decimals"), L"3");
    EXPECT_EQ(onDisk(decimals, L"MainOptions", L"Measure"), L"m/cm");
    std::vector<std::wstring> list;
    LoadOptionsFiles(list);
    EXPECT_EQ(list, (std::vector<std::wstring>{ini, decimals}));
}

TEST_F(OptionFiles, RemovingAnEntryAsksAndHandsTheUseToTheFirstRemaining) {
    CGlobDimOptions& o = loadOptions();
    const std::wstring ini = settingsIni();
    const std::wstring office = officeFile("Office.ini");
    ASSERT_TRUE(UseOptionsFile(office));

    // The main INI stays on the list, whatever the answer would be.
    EXPECT_FALSE(RemoveOptionsFile(ini));
    EXPECT_NE(transcript().find(L"kann nicht entfernt werden."), std::wstring::npos) << transcript();

    // "No" keeps everything.
    host::uiEventQueue().push(L"no");
    EXPECT_FALSE(RemoveOptionsFile(office));
    EXPECT_EQ(o.GetCurOptionsFile(), office);

    host::uiEventQueue().push(L"yes");
    EXPECT_TRUE(RemoveOptionsFile(office));
    EXPECT_EQ(o.GetCurOptionsFile(), ini);
    EXPECT_EQ(GetLayerForScale(L"1:50"), L"DIM_1_50");
    EXPECT_EQ(listOnDisk(), (std::vector<std::wstring>{ini}));
    EXPECT_TRUE(fs::exists(fs::path(office))) << "the file itself is kept";

    // Not on the list: nothing to remove.
    host::uiEventQueue().push(L"yes");
    EXPECT_FALSE(RemoveOptionsFile(office));
}

} // namespace
