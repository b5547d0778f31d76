#include "module/chain/ChainFormatEnv.h"

#include "module/options/CGlobDimOptions.h"
#include "module/options/IniStorage.h"
#include "module/options/OptionIndices.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace {

// A fresh settings and temporary folder, and global options that are only constructed.
class ChainFormatEnvTest : public ::testing::Test {
protected:
    void SetUp() override {
        saveEnv("APPDATA", m_appData);
        saveEnv("TMPDIR", m_tmpDir);
        m_dir = std::filesystem::temp_directory_path() /
                ("lintaro_fmtenv_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
        setenv("APPDATA", m_dir.c_str(), 1);
        setenv("TMPDIR", m_dir.c_str(), 1);
        ResetIniStorageForTests();
        m_saved = pGlobDimOptions;
        pGlobDimOptions = &m_options;
    }
    void TearDown() override {
        pGlobDimOptions = m_saved;
        ResetIniStorageForTests();
        std::filesystem::remove_all(m_dir);
        restoreEnv("APPDATA", m_appData);
        restoreEnv("TMPDIR", m_tmpDir);
    }
    static void saveEnv(const char* name, std::optional<std::string>& slot) {
        const char* v = std::getenv(name);
        if (v) slot = v;
    }
    static void restoreEnv(const char* name, const std::optional<std::string>& slot) {
        if (slot) setenv(name, slot->c_str(), 1);
        else unsetenv(name);
    }
    std::wstring writeOptionsFile(const char* content) {
        const std::filesystem::path file = m_dir / "Buero.ini";
        std::ofstream(file) << content;
        return file.wstring();
    }

    std::filesystem::path m_dir;
    std::optional<std::string> m_appData;
    std::optional<std::string> m_tmpDir;
    CGlobDimOptions m_options;
    CGlobDimOptions* m_saved = nullptr;
};

} // namespace

TEST_F(ChainFormatEnvTest, AlternateUnitComesFromTheGlobalOptionsOrTheChainsOwnFile) {
    m_options.SetOptGeneral(IND_OPT_S_AltMeasure, L"0'-0 1/256\"");
    m_options.SetOptGeneral(IND_OPT_S_AltFormat, L"[#]");
    m_options.SetOptFlag(IND_OPT_B_AltDecimals, 1);
    ValueFormatEnv env = MakeValueFormatEnv(L"");
    EXPECT_TRUE(env.hasOptions);
    EXPECT_EQ(env.altMeasure, L"0'-0 1/256\"");
    EXPECT_EQ(env.altFormat, L"[#]");
    EXPECT_EQ(env.altDecimals, 1);

    const std::wstring file = writeOptionsFile("[General Info]\nAltMeasure=cm\nAltDecimals=2\nAltFormat=< # >\n");
    env = MakeValueFormatEnv(file);
    EXPECT_EQ(env.altMeasure, L"cm");
    EXPECT_EQ(env.altDecimals, 2);
    EXPECT_EQ(env.altFormat, L"< # >");

    // A file without the keys means no alternate text at all, not the global one.
    const std::wstring bare = writeOptionsFile("[General Info]\nAltDecimals=abc\n");
    ResetIniStorageForTests();
    env = MakeValueFormatEnv(bare);
    EXPECT_EQ(env.altMeasure, L"");
    EXPECT_EQ(env.altDecimals, 0);
    EXPECT_EQ(env.altFormat, L"");
}

TEST_F(ChainFormatEnvTest, WithoutGlobalOptionsValuesShowRaw) {
    pGlobDimOptions = nullptr;
    const ValueFormatEnv env = MakeValueFormatEnv(L"");
    EXPECT_FALSE(env.hasOptions);
    EXPECT_EQ(FormatValue(2, 1.5, ParamArraysView(), env), L"...<1.500000>");
}
