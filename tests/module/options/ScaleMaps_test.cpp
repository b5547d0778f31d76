#include "module/options/ScaleMaps.h"

#include "tests/module/options/OptionsTestEnv.h"

#include "module/options/IniStorage.h"

#include "host/ed/SysVars.h"

#include <string>
#include <vector>

namespace {

constexpr double kScaleTol = 1e-12;

using ScaleText = OptionsTestEnv;
using Maps = OptionsTestEnv;

TEST_F(ScaleText, ScaleTextsGiveTheirFactorAndNeverZero) {
    EXPECT_NEAR(ScaleStr2Double(L"1:100"), 0.01, kScaleTol);
    EXPECT_NEAR(ScaleStr2Double(L"1:50"), 0.02, kScaleTol);
    EXPECT_NEAR(ScaleStr2Double(L"2:1"), 2.0, kScaleTol);
    EXPECT_NEAR(ScaleStr2Double(L" 1 : 20 "), 0.05, kScaleTol);
    EXPECT_NEAR(ScaleStr2Double(L"0.5"), 0.5, kScaleTol);
    // Missing parts: nothing before the colon counts as 1, a zero after it as 100.
    EXPECT_NEAR(ScaleStr2Double(L":50"), 0.02, kScaleTol);
    EXPECT_NEAR(ScaleStr2Double(L"1:0"), 0.01, kScaleTol);
    EXPECT_NEAR(ScaleStr2Double(L"1:"), 0.01, kScaleTol);
    // The annotative scale, in any case.
    EXPECT_NEAR(ScaleStr2Double(L"AnnoScale"), 0.01, kScaleTol);
    EXPECT_NEAR(ScaleStr2Double(L"bmaß"), 0.01, kScaleTol);
    // Nothing usable gives 1, so nothing is divided by zero later.
    EXPECT_NEAR(ScaleStr2Double(L""), 1.0, kScaleTol);
    EXPECT_NEAR(ScaleStr2Double(L"Maßstab"), 1.0, kScaleTol);
    EXPECT_NEAR(ScaleStr2Double(L"0:0"), 0.01, kScaleTol);
    EXPECT_NEAR(ScaleStr2Double(L"1e999"), 1.0, kScaleTol);
    EXPECT_NEAR(ScaleStr2Double(L"1e300:1e-300"), 1.0, kScaleTol);
}

TEST_F(Maps, LayerForScaleFallsBackToTheUnknownEntry) {
    EXPECT_EQ(GetLayerForScale(L"1:50"), L"") << "without options there is no table";
    CGlobDimOptions& o = loadOptions();
    EXPECT_EQ(GetLayerForScale(L"1:50"), L"DIM_1_50");
    EXPECT_EQ(GetLayerForScale(L"1:1000"), L"DIM_1_1000");
    EXPECT_EQ(GetLayerForScale(L"1:25"), L"DIM_1_X");
    EXPECT_EQ(GetLayerForScale(L""), L"DIM_1_X");

    // Height marks have their own table, shared by both height-mark modes.
    o.mapDHScale2Layer[L"1:50"] = L"HK_50=3";
    o.m_iMode = OPT_MODE_HEIGHT_PLAN;
    EXPECT_EQ(GetLayerForScale(L"1:50"), L"HK_50");
    o.m_iMode = OPT_MODE_CHAIN;
    EXPECT_EQ(GetLayerForScale(L"1:50"), L"DIM_1_50");

    // Without the unknown entry a scale without its own gets no layer.
    o.mapScale2Layer.erase(L"<Unbekannt>");
    EXPECT_EQ(GetLayerForScale(L"1:25"), L"");
}

TEST_F(Maps, ColorForTextHeightMatchesExactlyAndTrueTypeAtZero) {
    EXPECT_EQ(GetColorForTextHeight(25.0), 0) << "without options nothing matches";
    CGlobDimOptions& o = loadOptions();
    EXPECT_EQ(GetColorForTextHeight(0.0), 7);
    EXPECT_EQ(GetColorForTextHeight(25.0), 2);
    EXPECT_EQ(GetColorForTextHeight(100.0), 6);
    EXPECT_EQ(GetColorForTextHeight(24.99), 0);
    EXPECT_EQ(GetColorForTextHeight(26.0), 0);
    // A negative height means the text height of the current set (50 -> 4).
    EXPECT_EQ(GetColorForTextHeight(-1.0), 4);
    o.SetOptDouble(IND_D_TextHeight, 18.0);
    EXPECT_EQ(GetColorForTextHeight(-1.0), 1);
    // Keys that are no numbers never match a height.
    o.mapTextHeight2Color.erase(L"TrueType");
    o.mapTextHeight2Color[L"abc"] = L"9";
    EXPECT_EQ(GetColorForTextHeight(0.0), 0);
}

TEST_F(Maps, ALaterItemOfTheSameHeightWins) {
    loadOptions();
    const std::wstring ini = settingsIni();
    WritePrivateProfileStringW(L"TextHeight2Color", L"Item_7", L"25=11", ini.c_str());
    freshRun();
    CGlobDimOptions& o = loadOptions();
    EXPECT_EQ(o.mapTextHeight2Color.at(L"25"), L"11");
    EXPECT_EQ(GetColorForTextHeight(25.0), 11);
    EXPECT_EQ(GetColorForTextHeight(18.0), 1) << "the other entries stay";
}

TEST_F(Maps, ColorForLayerFromTheScaleTableThenTheDefaultList) {
    EXPECT_EQ(GetColorForLayer(L"DIM_1_50"), 7) << "without options every layer gets 7";
    loadOptions();
    const std::wstring ini = settingsIni();
    WritePrivateProfileStringW(L"Scale2Layer", L"Item_2", L"1:5=DIM_1_5=3", ini.c_str());
    WritePrivateProfileStringW(L"Layer2DefaultColor", L"Item_0", L"Waende=5", ini.c_str());
    WritePrivateProfileStringW(L"Layer2DefaultColor", L"Item_1", L"dim_1_5=9", ini.c_str());
    WritePrivateProfileStringW(L"Layer2DefaultColor", L"Item_2", L"Kaputt=rot", ini.c_str());
    freshRun();
    loadOptions();
    EXPECT_EQ(GetColorForLayer(L"DIM_1_5"), 3) << "the scale table comes first";
    EXPECT_EQ(GetColorForLayer(L"WAENDE"), 5) << "the default list ignores case";
    EXPECT_EQ(GetColorForLayer(L"Dim_1_5"), 9) << "the scale table compares with case";
    EXPECT_EQ(GetColorForLayer(L"Kaputt"), 7) << "a colour that is no number is none";
    EXPECT_EQ(GetColorForLayer(L"Nirgends"), 7);
}

TEST_F(Maps, DropDownListsLeaveOutTheUnknownEntryAndAddTheChoices) {
    loadOptions();
    std::vector<std::wstring> list{L"old"};
    EXPECT_EQ(FillListFromSection(list, OPT_MODE_CHAIN, L"Scale2Layer"), 8);
    EXPECT_EQ(list, (std::vector<std::wstring>{L"1:2", L"1:5", L"1:50", L"1:100", L"1:200", L"1:500",
                                               L"1:1000", L"BMa\u00DF"}));

    FillListFromSection(list, OPT_MODE_CHAIN, L"ExtLineLength");
    EXPECT_EQ(list, (std::vector<std::wstring>{L"4", L"5", L"6", L"7", L"8", L"9", L"10", L"<maximal>"}));
    FillListFromSection(list, OPT_MODE_HEIGHT, L"ExtLineLength");
    ASSERT_EQ(list.size(), 9u);
    EXPECT_EQ(list[7], L"<keine>");
    EXPECT_EQ(list[8], L"<maximal>");

    // A list that names BMaß already does not get it twice; placeholders are left out.
    const std::wstring ini = settingsIni();
    WritePrivateProfileStringW(L"Scale2Layer", L"Item_8", L"bmaß=DIM_BMaß=7", ini.c_str());
    WritePrivateProfileStringW(L"Scale2Layer", L"Item_9", L"<var>=X=1", ini.c_str());
    FillListFromSection(list, OPT_MODE_CHAIN, L"Scale2Layer", ini);
    EXPECT_EQ(list.size(), 8u);
    EXPECT_EQ(list.back(), L"bmaß");

    // A file that does not exist gives only the added choices.
    EXPECT_EQ(FillListFromSection(list, OPT_MODE_CHAIN, L"DimLinesDistance", wpath("none.ini")), 0);
}

TEST_F(Maps, SavedTableIsTheMapAndReadsBackFromTheFile) {
    CGlobDimOptions& o = loadOptions();
    const std::wstring ini = settingsIni();
    const MapRows rows = {
        {L"<Unbekannt>", L"DIM_1_X", L"7"},
        {L"1:20", L"DIM_1_20", L"2"},
        {L"<neu>", L"", L""},
        {L"1:75", L"", L"3"},         // no layer: skipped
        {L"1:10", L"A=B", L"1"},      // could not be read back: skipped
        {L"1:20", L"DIM_20_B", L"4"}, // a later row of the same scale wins
    };
    EXPECT_EQ(SaveMapFromList(rows, OPT_MODE_CHAIN, L"Scale2Layer"), 2);
    EXPECT_EQ(o.mapScale2Layer.at(L"1:20"), L"DIM_20_B=4");
    EXPECT_EQ(onDisk(ini, L"Scale2Layer", L"Item_0"), L"<Unbekannt>=DIM_1_X=7");
    EXPECT_EQ(onDisk(ini, L"Scale2Layer", L"Item_1"), L"1:20=DIM_1_20=2");
    EXPECT_EQ(onDisk(ini, L"Scale2Layer", L"Item_2"), L"1:20=DIM_20_B=4");
    EXPECT_EQ(onDisk(ini, L"Scale2Layer", L"Item_3"), L"");

    // Read back as the next start would: the old, longer list is cut off.
    freshRun();
    CGlobDimOptions& again = loadOptions();
    EXPECT_EQ(again.mapScale2Layer.size(), 2u);
    EXPECT_EQ(again.mapScale2Layer.at(L"1:20"), L"DIM_20_B=4");
    EXPECT_EQ(GetLayerForScale(L"1:50"), L"DIM_1_X");
    EXPECT_EQ(GetColorForLayer(L"DIM_20_B"), 4);

    // Two columns, and mode 4 saves the height-mark table.
    EXPECT_EQ(
        SaveMapFromList({{L"35", L"3"}, {L"TrueType", L"1"}}, OPT_MODE_HEIGHT_PLAN, L"TextHeight2Color"), 2);
    EXPECT_EQ(onDisk(ini, L"DH_TextHeight2Color", L"Item_1"), L"TrueType=1");
    again.m_iMode = OPT_MODE_HEIGHT;
    EXPECT_EQ(GetColorForTextHeight(0.0), 1);

    // No rows: an empty table on disk, nothing of the old one left readable.
    EXPECT_EQ(SaveMapFromList({}, OPT_MODE_TEXT, L"TextHeight2Color"), 0);
    std::vector<std::wstring> items;
    EXPECT_EQ(LoadSection(items, L"TXT_TextHeight2Color", ini), 0);
    EXPECT_EQ(SaveMapFromList({{L"1", L"2"}}, OPT_MODE_CHAIN, L"Layer2DefaultColor"), 0) << "no such map";
}

TEST_F(Maps, LayerZeroIsRefusedOnlyWhenTheSetForbidsIt) {
    EXPECT_TRUE(MayCreateOnLayer(L"0")) << "without options nothing is forbidden";
    CGlobDimOptions& o = loadOptions();
    EXPECT_TRUE(MayCreateOnLayer(L"0"));
    o.SetOptInt(IND_I_ForbidLayer0, 1);
    EXPECT_TRUE(MayCreateOnLayer(L"DIM_1_50"));
    EXPECT_EQ(transcript().find(L"verboten"), std::wstring::npos);
    EXPECT_FALSE(MayCreateOnLayer(L"0"));
    EXPECT_NE(transcript().find(L"Layer \"0\" ist verboten."), std::wstring::npos) << transcript();

    // No layer of its own: the current layer decides.
    host::sysVars().setStored(L"CLAYER", host::VarValue::ofString(L"0"));
    EXPECT_FALSE(MayCreateOnLayer(L""));
    host::sysVars().setStored(L"CLAYER", host::VarValue::ofString(L"Waende"));
    EXPECT_TRUE(MayCreateOnLayer(L""));
    host::sysVars().setStored(L"CLAYER", host::VarValue::ofString(L"0"));
}

} // namespace
