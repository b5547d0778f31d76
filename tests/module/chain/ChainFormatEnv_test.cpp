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
#include <vector>

namespace {

// A fresh settings folder and options storage for one test; the folder, the storage,
// the global options and the environment are put back afterwards.
struct OptionsSandbox {
    explicit OptionsSandbox(const char* name) : dir(std::filesystem::temp_directory_path() / name) {
        for (const char* var : {"TMPDIR", "APPDATA"}) {
            const char* old = std::getenv(var);
            saved.emplace_back(var, old ? old : "");
        }
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        setenv("APPDATA", dir.c_str(), 1);
        setenv("TMPDIR", dir.c_str(), 1);
        ResetIniStorageForTests();
    }
    ~OptionsSandbox() {
        pGlobDimOptions = savedOptions;
        ResetIniStorageForTests();
        std::filesystem::remove_all(dir);
        for (const auto& [name, value] : saved) {
            if (value.empty())
                unsetenv(name.c_str());
            else
                setenv(name.c_str(), value.c_str(), 1);
        }
    }
    std::filesystem::path dir;
    CGlobDimOptions* savedOptions = pGlobDimOptions;
    std::vector<std::pair<std::string, std::string>> saved;
};

} // namespace

// The alternate unit comes from the global options, or, when the chain names its own
// options file, from that file alone (a key missing there means none, not the global).
TEST(ChainFormatEnv, AlternateUnitFromTheGlobalOptionsOrTheChainsOwnFile) {
    const OptionsSandbox sandbox("lintaro_chain_fmtenv");
    const std::filesystem::path& dir = sandbox.dir;
    CGlobDimOptions options;
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
}

// The values are kept between draws; every way the options storage can change them
// must show in the next environment: a buffered write, the file changed on disk once
// the buffer is emptied, another file in between, the storage started afresh.
TEST(ChainFormatEnv, KeptValuesFollowEveryChangeOfTheStorage) {
    const OptionsSandbox sandbox("lintaro_chain_fmtenv_kept");
    const std::filesystem::path& dir = sandbox.dir;
    CGlobDimOptions options;
    pGlobDimOptions = &options;

    const std::filesystem::path own = dir / "Buero.ini", other = dir / "Haus.ini";
    std::ofstream(own) << "[General Info]\nAltMeasure=cm\nAltDecimals=2\nAltFormat=< # >\n";
    std::ofstream(other) << "[General Info]\nAltMeasure=mm\nAltDecimals=1\nAltFormat=[#]\n";
    EXPECT_EQ(MakeValueFormatEnv(own.wstring()).altFormat, L"< # >");
    EXPECT_EQ(MakeValueFormatEnv(own.wstring()).altDecimals, 2);

    WriteIniEntry(own.wstring(), kIniGeneralSection, L"AltFormat", L"( # )");
    WriteIniEntry(own.wstring(), kIniGeneralSection, L"AltDecimals", L"3");
    ValueFormatEnv env = MakeValueFormatEnv(own.wstring());
    EXPECT_EQ(env.altFormat, L"( # )");
    EXPECT_EQ(env.altDecimals, 3);
    EXPECT_EQ(env.altMeasure, L"cm");

    // Another file in between, then the first again: each its own values.
    env = MakeValueFormatEnv(other.wstring());
    EXPECT_EQ(env.altMeasure, L"mm");
    EXPECT_EQ(env.altFormat, L"[#]");
    env = MakeValueFormatEnv(own.wstring());
    EXPECT_EQ(env.altFormat, L"( # )");
    EXPECT_EQ(env.altDecimals, 3);

    // Changed on disk: seen once the buffer is saved and emptied, as before.
    SaveAllIniBuffers();
    std::ofstream(own) << "[General Info]\nAltMeasure=m\nAltDecimals=0\nAltFormat=#!\n";
    SaveIniBuffer(INI_BUFFER_OTHER, true);
    env = MakeValueFormatEnv(own.wstring());
    EXPECT_EQ(env.altMeasure, L"m");
    EXPECT_EQ(env.altDecimals, 0);
    EXPECT_EQ(env.altFormat, L"#!");

    std::ofstream(own) << "[General Info]\nAltMeasure=dm\n";
    ResetIniStorageForTests();
    env = MakeValueFormatEnv(own.wstring());
    EXPECT_EQ(env.altMeasure, L"dm");
    EXPECT_EQ(env.altFormat, L"");

}
