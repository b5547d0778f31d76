#include "module/options/CGlobDimOptions.h"

#include "tests/module/options/OptionsTestEnv.h"

#include "module/options/IniStorage.h"
#include "module/options/LanguageChoice.h"
#include "module/options/PaletteState.h"

#include <limits>
#include <string>
#include <vector>

namespace {

constexpr double kValueTol = 1e-12;

using Options = OptionsTestEnv;

TEST_F(Options, FirstLoadWritesTheDefaultSectionsOfEveryMode)
{
    CGlobDimOptions& o = loadOptions();
    const std::wstring ini = settingsIni();
    EXPECT_EQ(o.GetMainIniFile(), ini);
    EXPECT_EQ(o.GetCurOptionsFile(), ini);

    EXPECT_EQ(onDisk(ini, L"MainOptions", L"TickSize"), L"4");
    EXPECT_EQ(onDisk(ini, L"MainOptions", L"Scale"), L"1:100");
    EXPECT_EQ(onDisk(ini, L"MainOptions", L"AcadUnits"), L"0.001");
    EXPECT_EQ(onDisk(ini, L"DH_MainOptions", L"HDimSize"), L"5");
    EXPECT_EQ(onDisk(ini, L"DH_MainOptions", L"TickSize"), L"<absent>");
    EXPECT_EQ(onDisk(ini, L"TXT_MainOptions", L"TextHeight"), L"50");
    EXPECT_EQ(onDisk(ini, L"TXT_MainOptions", L"TickSize"), L"<absent>");
    EXPECT_EQ(onDisk(ini, L"TXT_MainOptions", L"ExtLineLength"), L"<absent>");
    for (const wchar_t* prefix : {L"", L"DH_", L"TXT_"}) {
        const std::wstring p(prefix);
        EXPECT_EQ(onDisk(ini, p + L"TextHeight2Color", L"Item_0"), L"TrueType=7");
        EXPECT_EQ(onDisk(ini, p + L"TextHeight2Color", L"Item_6"), L"100=6");
        EXPECT_EQ(onDisk(ini, p + L"Scale2Layer", L"Item_0"), L"<Unbekannt>=DIM_1_X=7");
        EXPECT_EQ(onDisk(ini, p + L"Scale2Layer", L"Item_7"), L"1:1000=DIM_1_1000=7");
    }
    EXPECT_EQ(onDisk(ini, L"ExtLineLength", L"Item_6"), L"10");
    EXPECT_EQ(onDisk(ini, L"DH_ExtLineLength", L"Item_0"), L"4");
    EXPECT_EQ(onDisk(ini, L"TXT_ExtLineLength", L"Item_0"), L"<absent>");

    // What the sets hold.
    EXPECT_EQ(o.m_iMode, OPT_MODE_CHAIN);
    EXPECT_NEAR(o.GetOptDouble(IND_D_ScaleVal), 0.01, kValueTol);
    EXPECT_NEAR(o.GetOptDouble(IND_D_TextHeight), 50.0, kValueTol);
    EXPECT_NEAR(o.GetOptDouble(IND_D_TickSize), 4.0, kValueTol);
    EXPECT_NEAR(o.GetOptDouble(IND_D_AcadUnits), 0.001, kValueTol);
    EXPECT_EQ(o.GetOptString(IND_S_Measure), L"m/cm");
    EXPECT_EQ(o.GetOptString(IND_S_IniFile), ini);
    EXPECT_EQ(o.GetOptInt(IND_I_Decimals), 4);
    EXPECT_EQ(o.GetOptInt(IND_I_AltUnitsStatus), 9);
    EXPECT_NEAR(o.m_setHeight.arrayOptDouble[IND_D_HDimSize], 5.0, kValueTol);
    EXPECT_NEAR(o.m_setHeight.arrayOptDouble[IND_D_HDimDiameter], 10.0, kValueTol);
    EXPECT_NEAR(o.m_setText.arrayOptDouble[IND_D_TextHeight], 50.0, kValueTol);
    EXPECT_EQ(o.GetOptGeneral(IND_OPT_S_ScalePaperSpace), L"1:1");
    EXPECT_EQ(o.arrayAutoPosOrder, (std::vector<int>{14, 2, 13, 15, 3}));
    EXPECT_EQ(o.mapScale2Layer.at(L"1:50"), L"DIM_1_50=7");
    EXPECT_EQ(o.mapDHTextHeight2Color.at(L"TrueType"), L"7");
    EXPECT_EQ(o.mapTXTScale2Layer.size(), 8u);
    EXPECT_EQ(o.GetMap(OPT_MODE_HEIGHT_PLAN, L"Scale2Layer"), &o.mapDHScale2Layer);
    EXPECT_EQ(o.GetMap(OPT_MODE_CHAIN, L"Layer2DefaultColor"), nullptr);
    EXPECT_FALSE(o.IsDebugMsg());
}

// Reloaded options keep the palette's working mode and type; without a palette they
// start in the chain mode with the stored type.
TEST_F(Options, ReloadingKeepsThePalettesModeAndType)
{
    CGlobDimOptions& o = loadOptions();
    const int storedType = o.m_setHeight.arrayOptInt[IND_I_LastType];
    SetPaletteStateSource([] { return PaletteState{OPT_MODE_HEIGHT, 2}; });
    o.LoadOptions();
    SetPaletteStateSource(nullptr);
    EXPECT_EQ(o.m_iMode, OPT_MODE_HEIGHT);
    EXPECT_EQ(o.m_setHeight.arrayOptInt[IND_I_LastType], 2);

    SetPaletteStateSource([] { return PaletteState{OPT_MODE_HEIGHT, 0}; });
    o.LoadOptions();
    SetPaletteStateSource(nullptr);
    EXPECT_EQ(o.m_iMode, OPT_MODE_HEIGHT);
    EXPECT_EQ(o.m_setHeight.arrayOptInt[IND_I_LastType], storedType) << "type 0 keeps the stored one";

    o.LoadOptions();
    EXPECT_EQ(o.m_iMode, OPT_MODE_CHAIN);
}

TEST_F(Options, LoadingAgainChangesNothingOnDisk)
{
    loadOptions();
    SaveAllIniBuffers();
    const std::string first = bytes(settingsIni());

    loadOptions();
    SaveAllIniBuffers();
    EXPECT_EQ(bytes(settingsIni()), first);

    freshRun(); // the next start of the program
    loadOptions();
    SaveAllIniBuffers();
    EXPECT_EQ(bytes(settingsIni()), first);

    // Saved options read back as they were saved.
    pGlobDimOptions->m_iMode = OPT_MODE_ALL;
    pGlobDimOptions->SaveOptions();
    SaveAllIniBuffers();
    const std::string saved = bytes(settingsIni());
    freshRun();
    loadOptions().m_iMode = OPT_MODE_ALL;
    pGlobDimOptions->SaveOptions();
    SaveAllIniBuffers();
    EXPECT_EQ(bytes(settingsIni()), saved);
}

TEST_F(Options, StoredValuesAreCorrectedWhenLoaded)
{
    GetIniFile();
    const std::wstring ini = settingsIni();
    WritePrivateProfileStringW(L"MainOptions", L"AltUnitsStatus", L"3", ini.c_str());
    WritePrivateProfileStringW(L"MainOptions", L"AcadUnits", L"0", ini.c_str());
    WritePrivateProfileStringW(L"MainOptions", L"Delimiter", L"@", ini.c_str());
    WritePrivateProfileStringW(L"MainOptions", L"MCmFrom10", L"5", ini.c_str());
    WritePrivateProfileStringW(L"MainOptions", L"Scale", L"1:50", ini.c_str());
    WritePrivateProfileStringW(L"DH_MainOptions", L"TextAlignPlan", L"7", ini.c_str());
    WritePrivateProfileStringW(L"General Info", L"AutoPosLocationOrder", L"3,5,7", ini.c_str());

    CGlobDimOptions& o = loadOptions();
    EXPECT_EQ(o.GetOptInt(IND_I_AltUnitsStatus), 9);
    EXPECT_NEAR(o.GetOptDouble(IND_D_AcadUnits), 0.001, kValueTol);
    EXPECT_EQ(o.GetOptString(IND_S_Delimiter), L"");
    EXPECT_EQ(o.m_setHeight.arrayOptString[IND_S_Delimiter], L"");
    EXPECT_EQ(o.GetOptInt(IND_I_MCmFrom10), 1);
    EXPECT_NEAR(o.GetOptDouble(IND_D_ScaleVal), 0.02, kValueTol);
    EXPECT_EQ(o.m_setHeight.arrayOptInt[IND_I_TextAlignPlan], 7);
    EXPECT_EQ(o.GetOptFlag(IND_OPT_B_AutoPosBit1), 1);
    EXPECT_EQ(o.GetOptFlag(IND_OPT_B_AutoPosBit2), 1);
    EXPECT_EQ(o.arrayAutoPosOrder, (std::vector<int>{5, 7}));

    o.SaveOptions();
    SaveAllIniBuffers();
    EXPECT_EQ(onDisk(ini, L"MainOptions", L"AltUnitsStatus"), L"9");
    EXPECT_EQ(onDisk(ini, L"MainOptions", L"AcadUnits"), L"0.001");

    // Every separator character of a segment text is refused, and the other sets follow.
    for (const wchar_t* delimiter : {L"a#", L"^", L"x@y"}) {
        WritePrivateProfileStringW(L"MainOptions", L"Delimiter", delimiter, ini.c_str());
        freshRun();
        EXPECT_EQ(loadOptions().m_setText.arrayOptString[IND_S_Delimiter], L"") << delimiter;
    }
    WritePrivateProfileStringW(L"MainOptions", L"Delimiter", L"'", ini.c_str());
    freshRun();
    EXPECT_EQ(loadOptions().m_setText.arrayOptString[IND_S_Delimiter], L"'");
}

TEST_F(Options, SettersActOnTheSetsOfTheModeAndSaveUnderTheModesKeys)
{
    CGlobDimOptions& o = loadOptions();
    const std::wstring ini = settingsIni();

    o.m_iMode = OPT_MODE_ALL;
    EXPECT_TRUE(o.SetOptInt(IND_I_LastType, 2));
    EXPECT_EQ(o.m_setChain.arrayOptInt[IND_I_LastType], 2);
    EXPECT_EQ(o.m_setHeight.arrayOptInt[IND_I_LastType], 2);
    EXPECT_EQ(o.m_setText.arrayOptInt[IND_I_LastType], 2);
    EXPECT_TRUE(o.SetOptValue(OPT_TYPE_DOUBLE, IND_D_TickSize, 7.5));
    SaveAllIniBuffers();
    EXPECT_EQ(onDisk(ini, L"MainOptions", L"TickSize"), L"7.5");
    EXPECT_EQ(onDisk(ini, L"DH_MainOptions", L"HDimSize"), L"7.5");
    EXPECT_EQ(onDisk(ini, L"TXT_MainOptions", L"TickSize"), L"7.5");

    o.m_iMode = OPT_MODE_HEIGHT_PLAN;
    EXPECT_TRUE(o.SetOptDouble(IND_D_HDimSize, 6.25));
    EXPECT_NEAR(o.m_setChain.arrayOptDouble[IND_D_TickSize], 4.0, kValueTol);
    o.SaveOptions();
    EXPECT_EQ(o.m_iMode, OPT_MODE_HEIGHT_PLAN);
    SaveAllIniBuffers();
    EXPECT_EQ(onDisk(ini, L"DH_MainOptions", L"HDimSize"), L"6.25");
    EXPECT_EQ(onDisk(ini, L"MainOptions", L"TickSize"), L"7.5");

    // Numbers are stored in the shortest "%f" form.
    o.m_iMode = OPT_MODE_CHAIN;
    o.SetOptValue(OPT_TYPE_DOUBLE, IND_D_TextHeight, 50.0);
    o.SetOptValue(OPT_TYPE_DOUBLE, IND_D_AcadUnits, 0.001);
    o.SetOptValue(OPT_TYPE_DOUBLE, IND_D_TextOffset, -0.0000001);
    EXPECT_EQ(o.GetOptValue(OPT_TYPE_DOUBLE, IND_D_TextHeight), L"50");
    EXPECT_EQ(o.GetOptValue(OPT_TYPE_DOUBLE, IND_D_AcadUnits), L"0.001");
    EXPECT_EQ(o.GetOptValue(OPT_TYPE_DOUBLE, IND_D_TextOffset), L"0");
}

TEST_F(Options, PlaceholdersNoWriteAndBadIndicesChangeNothing)
{
    CGlobDimOptions& o = loadOptions();
    SaveAllIniBuffers();
    EXPECT_TRUE(CGlobDimOptions::IsPlaceholder(L"<VAR>"));
    EXPECT_TRUE(CGlobDimOptions::IsPlaceholder(L"<beibehalten>"));
    EXPECT_FALSE(CGlobDimOptions::IsPlaceholder(L""));
    EXPECT_FALSE(CGlobDimOptions::IsPlaceholder(L"1:50"));

    EXPECT_FALSE(o.SetOptValue(OPT_TYPE_STRING, IND_S_Scale, std::wstring(L"<var>")));
    EXPECT_FALSE(o.SetOptValue(OPT_TYPE_DOUBLE, IND_D_TextHeight, std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(o.SetOptDouble(IND_D_TextHeight, std::numeric_limits<double>::infinity()));
    EXPECT_EQ(o.GetOptValue(OPT_TYPE_STRING, IND_S_Scale), L"1:100");
    EXPECT_EQ(o.GetOptValue(OPT_TYPE_DOUBLE, IND_D_TextHeight), L"50");

    o.m_bNoWrite = true;
    EXPECT_FALSE(o.SetOptInt(IND_I_Decimals, 2));
    EXPECT_FALSE(o.SetOptValue(OPT_TYPE_INT, IND_I_Decimals, 2));
    o.SaveOptions();
    EXPECT_EQ(o.GetOptInt(IND_I_Decimals), 4);
    EXPECT_FALSE(GetIniStorageStats().mainChanged);
    o.m_bNoWrite = false;

    EXPECT_FALSE(o.SetOptString(-1, L"x"));
    EXPECT_FALSE(o.SetOptInt(OPT_INT_COUNT, 1));
    EXPECT_EQ(o.GetOptString(-1), L"?");
    EXPECT_EQ(o.GetOptString(OPT_STRING_COUNT), L"?");
    EXPECT_EQ(o.GetOptInt(1000), 0);
    EXPECT_EQ(o.GetOptFlag(-3), 0);
    EXPECT_DOUBLE_EQ(o.GetOptDouble(OPT_DOUBLE_COUNT), 0.0);
    EXPECT_NE(transcript().find(L" !!!!GetDouble( 18 ) size=18 "), std::wstring::npos);
}

TEST_F(Options, KeysAndSectionsFollowTheMode)
{
    CGlobDimOptions o;
    EXPECT_EQ(o.GetParamName(OPT_TYPE_DOUBLE, IND_D_TickSize, OPT_MODE_CHAIN), L"TickSize");
    EXPECT_EQ(o.GetParamName(OPT_TYPE_DOUBLE, IND_D_HDimSize, OPT_MODE_HEIGHT_PLAN), L"HDimSize");
    EXPECT_EQ(o.GetParamName(OPT_TYPE_INT2, IND_I_HIsReducedSize, OPT_MODE_HEIGHT), L"HIsReducedSize");
    EXPECT_EQ(o.GetParamName(OPT_TYPE_INT, IND_I_MCmFrom10, OPT_MODE_TEXT), L"MCmFrom10");
    EXPECT_EQ(o.GetParamName(OPT_TYPE_STRING, IND_S_HK_Auto_Handle1, OPT_MODE_HEIGHT), L"HK_Auto_Handle1");
    EXPECT_EQ(o.GetParamName(OPT_TYPE_FLAG, IND_OPT_B_WipeOut, OPT_MODE_HEIGHT), L"WipeOut");
    EXPECT_EQ(o.GetParamName(OPT_TYPE_GENERAL, IND_OPT_S_AltFormatList, OPT_MODE_CHAIN), L"AltFormatList");
    EXPECT_EQ(o.GetParamName(OPT_TYPE_INT, IND_I_HDimFormat, OPT_MODE_HEIGHT), L"Option2-7");
    EXPECT_EQ(o.GetParamName(OPT_TYPE_FLAG, IND_OPT_B_AutoPosBit1, OPT_MODE_CHAIN), L"Option6-12");
    EXPECT_EQ(o.GetParamName(4, 0, OPT_MODE_CHAIN), L"Option4-0");
    EXPECT_NE(transcript().find(L"\n>>>>> Option2-7 <<<<<"), std::wstring::npos);

    EXPECT_EQ(CGlobDimOptions::GetSectionName(OPT_MODE_ALL, L"MainOptions"), L"MainOptions");
    EXPECT_EQ(CGlobDimOptions::GetSectionName(OPT_MODE_HEIGHT_PLAN, L"MainOptions"), L"DH_MainOptions");
    EXPECT_EQ(CGlobDimOptions::GetSectionName(OPT_MODE_TEXT, L"Scale2Layer"), L"TXT_Scale2Layer");
    EXPECT_EQ(CGlobDimOptions::GetSectionName(42, L"Scale2Layer"), L"Scale2Layer");
    o.m_iMode = OPT_MODE_HEIGHT_PLAN;
    EXPECT_TRUE(o.IsHeightMarkMode());
    EXPECT_FALSE(o.IsTextMode());
    EXPECT_TRUE(o.IsTextMode(OPT_MODE_TEXT));
}

TEST_F(Options, DimParamMarksWhichKeysLiveInTheOptionsFile)
{
    GetIniFile();
    const std::wstring lng = GetLanguageModulePath();
    const std::wstring dimParam = lng.substr(0, lng.find_last_of(L"/\\") + 1) + L"DimParam.ini";
    writeBytes(dimParam, "[Parameters_DBL]\nItem_0=TextHeight=1;Texthöhe\nItem_1=TickSize=0;Strich\n"
                         "[Parameters_INT]\nItem_0=Decimals=1\n");
    const std::wstring officeFile = wpath("office.ini");
    writeBytes(officeFile, "[MainOptions]\nTextHeight=35\nDecimals=2\nScale=1:50\nTickSize=9\n");
    const std::wstring ini = settingsIni();
    WritePrivateProfileStringW(L"General Info", L"CurOptionsFile", officeFile.c_str(), ini.c_str());
    WritePrivateProfileStringW(L"MainOptions", L"TickSize", L"3", ini.c_str());
    WritePrivateProfileStringW(L"MainOptions", L"TextHeight", L"70", ini.c_str());

    CGlobDimOptions& o = loadOptions();
    EXPECT_EQ(o.GetCurOptionsFile(), officeFile);
    EXPECT_TRUE(o.IsInOptionsFile(L"TextHeight"));
    EXPECT_TRUE(o.IsInOptionsFile(L"decimals"));
    EXPECT_FALSE(o.IsInOptionsFile(L"TickSize"));
    EXPECT_FALSE(o.IsInOptionsFile(L"Scale"));
    EXPECT_NEAR(o.GetOptDouble(IND_D_TextHeight), 35.0, kValueTol);
    EXPECT_EQ(o.GetOptInt(IND_I_Decimals), 2);
    EXPECT_NEAR(o.GetOptDouble(IND_D_TickSize), 3.0, kValueTol);

    // The options file in use joined the list of known files.
    std::vector<std::wstring> files;
    LoadSection(files, L"OptionsFiles", ini);
    EXPECT_EQ(files, (std::vector<std::wstring>{ini, officeFile}));

    o.SetOptValue(OPT_TYPE_DOUBLE, IND_D_TextHeight, 25.0);
    o.SetOptValue(OPT_TYPE_DOUBLE, IND_D_TickSize, 5.0);
    SaveAllIniBuffers();
    EXPECT_EQ(onDisk(officeFile, L"MainOptions", L"TextHeight"), L"25");
    EXPECT_EQ(onDisk(ini, L"MainOptions", L"TextHeight"), L"70");
    EXPECT_EQ(onDisk(ini, L"MainOptions", L"TickSize"), L"5");
    EXPECT_EQ(onDisk(officeFile, L"MainOptions", L"TickSize"), L"9");
}

TEST_F(Options, MalformedMainIniLoadsWithoutHarm)
{
    const std::wstring ini = settingsIni();
    std::string junk = "stray=line before any section\n[MainOptions]\nTextHeight=35\nTextHeight=99\n"
                       "Scale=" + std::string(5000, '7') + "\nMeasure=\xff\xfe\x80 broken\n"
                       "[General Info\nDecimals\n\n[]\n=\n";
    junk += std::string("\0\x01\x02[x]\x7f", 8);
    writeBytes(ini, junk);

    CGlobDimOptions& o = loadOptions();
    EXPECT_NEAR(o.GetOptDouble(IND_D_TextHeight), 35.0, kValueTol);
    EXPECT_EQ(o.GetOptString(IND_S_Scale).size(), 511u);
    EXPECT_GT(o.GetOptDouble(IND_D_ScaleVal), 0.0);
    EXPECT_NEAR(o.m_setHeight.arrayOptDouble[IND_D_HDimSize], 5.0, kValueTol); // defaults written for DH_
    SaveAllIniBuffers();
    freshRun();
    EXPECT_NEAR(loadOptions().GetOptDouble(IND_D_TextHeight), 35.0, kValueTol);
}

TEST_F(Options, MissingLintaroIniIsRecreatedWithDefaultsWhenRead)
{
    const std::wstring other = wpath("elsewhere/lintaro.ini");
    fs::create_directories(m_root / "elsewhere");
    EXPECT_EQ(ReadEntryFromIni(other, L"MainOptions", L"Measure"), L"m/cm");
    EXPECT_EQ(onDisk(other, L"DH_MainOptions", L"HDimDiameter"), L"10");
    EXPECT_EQ(onDisk(other, L"TXT_Scale2Layer", L"Item_3"), L"1:50=DIM_1_50=7");
    // Any other name stays missing.
    EXPECT_EQ(ReadEntryFromIni(wpath("elsewhere/office.ini"), L"MainOptions", L"Measure"), L"");
    EXPECT_FALSE(fs::exists(m_root / "elsewhere/office.ini"));
}

} // namespace
