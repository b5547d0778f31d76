#include "module/chain/ChainFormatEnv.h"

#include "module/options/CGlobDimOptions.h"
#include "module/options/IniStorage.h"
#include "tests/module/IniStorageReset.h"
#include "module/options/OptionIndices.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

// The alternate unit comes from the global options, or, when the chain names its own
// options file, from that file alone (a key missing there means none, not the global).
TEST(ChainFormatEnv, AlternateUnitFromTheGlobalOptionsOrTheChainsOwnFile) {
    const char* oldTmp = std::getenv("TMPDIR");
    const char* oldAppData = std::getenv("APPDATA");
    const std::string tmp = oldTmp ? oldTmp : "", appData = oldAppData ? oldAppData : "";
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "lintaro_chain_fmtenv";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    setenv("APPDATA", dir.c_str(), 1);
    setenv("TMPDIR", dir.c_str(), 1);
    ResetIniStorageForTests();
    CGlobDimOptions options;
    CGlobDimOptions* saved = pGlobDimOptions;
    pGlobDimOptions = &options;

    options.SetOptGeneral(IND_OPT_S_AltMeasure, L"0'-0 1/256\"");
    options.SetOptGeneral(IND_OPT_S_AltFormat, L"[#]");
    options.SetOptFlag(IND_OPT_B_AltDecimals, 1);
    ValueFormatEnv env = MakeValueFormatEnv(L"");
    EXPECT_TRUE(env.hasOptions);
    EXPECT_EQ(env.altMeasure, L"0'-0 1/256\"");
    EXPECT_EQ(env.altFormat, L"[#]");
    EXPECT_EQ(env.altDecimals, 1);

    const std::filesystem::path own = dir / "Buero.ini";
    std::ofstream(own) << "[General Info]\nAltMeasure=cm\nAltDecimals=2\nAltFormat=< # >\n";
    env = MakeValueFormatEnv(own.wstring());
    EXPECT_EQ(env.altMeasure, L"cm");
    EXPECT_EQ(env.altDecimals, 2);
    EXPECT_EQ(env.altFormat, L"< # >");
    const std::filesystem::path bare = dir / "Leer.ini";
    std::ofstream(bare) << "[General Info]\nAltDecimals=abc\n";
    env = MakeValueFormatEnv(bare.wstring());
    EXPECT_EQ(env.altMeasure, L"");
    EXPECT_EQ(env.altDecimals, 0);
    EXPECT_EQ(env.altFormat, L"");

    pGlobDimOptions = nullptr;
    EXPECT_FALSE(MakeValueFormatEnv(L"").hasOptions);
    pGlobDimOptions = saved;
    ResetIniStorageForTests();
    std::filesystem::remove_all(dir);
    for (auto [name, value] : {std::pair{"TMPDIR", tmp}, std::pair{"APPDATA", appData}}) {
        if (value.empty())
            unsetenv(name);
        else
            setenv(name, value.c_str(), 1);
    }
}
