// The options kept from their last load: LoadOptions reads the files again only when
// one of them or a stored value changed, and must then give what a fresh read gives.
#include "module/options/LoadedOptions.h"

#include "tests/module/options/OptionsTestEnv.h"

#include "module/options/IniStorage.h"
#include "module/options/OptionIndices.h"

#include <string>

namespace {

constexpr double kValueTol = 1e-12;

using LoadedOptions = OptionsTestEnv;

// What the palette does before each command that opens it: the main buffer written
// and emptied, then the options loaded.
CGlobDimOptions& startPalette() {
    SetIniFile(L"");
    pGlobDimOptions->LoadOptions();
    return *pGlobDimOptions;
}

TEST_F(LoadedOptions, FilesChangedOnDiskAreReadAgain) {
    CGlobDimOptions& o = loadOptions();
    SaveAllIniBuffers();
    const std::wstring ini = settingsIni();
    const double height = o.GetOptDouble(IND_D_TextHeight);

    // Changes in memory only are undone by a load, as a full read would undo them.
    o.m_setChain.arrayOptDouble[IND_D_TextHeight] = 999.0;
    o.arrayOptFlags[IND_OPT_B_WipeOut] = 7;
    startPalette();
    EXPECT_NEAR(o.GetOptDouble(IND_D_TextHeight), height, kValueTol);
    EXPECT_NE(o.GetOptFlag(IND_OPT_B_WipeOut), 7);

    // A value of the same length written at once: same size, very likely the same
    // time stamp, other bytes.
    const std::wstring other = height == 11.0 ? L"12" : L"11";
    ASSERT_EQ(onDisk(ini, L"MainOptions", L"TextHeight").size(), other.size());
    WritePrivateProfileStringW(L"MainOptions", L"TextHeight", other.c_str(), ini.c_str());
    startPalette();
    EXPECT_NEAR(o.GetOptDouble(IND_D_TextHeight), std::stod(other), kValueTol);

    // The options file in use is watched too: its maps come back changed.
    const std::wstring options = wpath("custom.ini");
    writeBytes(options, bytes(ini));
    SetIniGeneral(L"CurOptionsFile", options);
    startPalette();
    EXPECT_EQ(o.GetCurOptionsFile(), options);
    const std::vector<std::wstring> layers = {L"1:33=A-33", L"1:100=A-100"};
    SaveSection(layers, L"Scale2Layer", options);
    startPalette();
    EXPECT_EQ(o.mapScale2Layer[L"1:33"], L"A-33");
    EXPECT_EQ(o.mapScale2Layer[L"1:100"], L"A-100");

    // The options file gone: back to the main INI, as a fresh read does.
    fs::remove(fs::path(options));
    startPalette();
    EXPECT_EQ(o.GetCurOptionsFile(), ini);
    EXPECT_EQ(o.mapScale2Layer.count(L"1:33"), 0u);
}

TEST_F(LoadedOptions, ValuesWrittenThroughTheStorageReachTheNextLoad) {
    CGlobDimOptions& o = loadOptions();
    SaveAllIniBuffers();
    const std::wstring ini = settingsIni();

    // A dialog's value, still only in the buffer.
    ASSERT_TRUE(o.SetOptValue(OPT_TYPE_DOUBLE, IND_D_TextHeight, 42.5));
    o.LoadOptions();
    EXPECT_NEAR(o.GetOptDouble(IND_D_TextHeight), 42.5, kValueTol);
    // Written out and the buffer emptied on the way: the same value.
    startPalette();
    EXPECT_NEAR(o.GetOptDouble(IND_D_TextHeight), 42.5, kValueTol);
    EXPECT_EQ(onDisk(ini, L"MainOptions", L"TextHeight"), L"42.5");

    // Into an emptied buffer: the value on disk again changes nothing, another does.
    WriteIniEntry(ini, L"MainOptions", L"TextHeight", L"42.5");
    o.m_setChain.arrayOptDouble[IND_D_TextHeight] = 1.0;
    o.LoadOptions();
    EXPECT_NEAR(o.GetOptDouble(IND_D_TextHeight), 42.5, kValueTol);
    WriteIniEntry(ini, L"MainOptions", L"TextHeight", L"17");
    o.LoadOptions();
    EXPECT_NEAR(o.GetOptDouble(IND_D_TextHeight), 17.0, kValueTol);

    // Changes lost with a main INI that went away are not kept as if they were there.
    WriteIniEntry(ini, L"MainOptions", L"TextHeight", L"23");
    o.LoadOptions();
    EXPECT_NEAR(o.GetOptDouble(IND_D_TextHeight), 23.0, kValueTol);
    fs::remove(fs::path(ini));
    SaveIniBuffer(INI_BUFFER_MAIN, true);
    o.LoadOptions();
    EXPECT_NE(o.GetOptDouble(IND_D_TextHeight), 23.0);

    // A new options object never takes what was kept for another.
    freshRun();
    CGlobDimOptions& again = loadOptions();
    EXPECT_NE(again.GetOptDouble(IND_D_TextHeight), 23.0);
}

} // namespace
