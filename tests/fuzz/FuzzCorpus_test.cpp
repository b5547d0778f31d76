// Every input the fuzzers keep, replayed in each test run under the sanitizers of
// `make test`: an input that once crashed a reader or the interpreter stays a test.
#include "LintaroTestPaths.h"
#include "tests/fuzz/AddOnFuzz.h"
#include "tests/fuzz/DrawingReaderFuzz.h"
#include "tests/fuzz/DxfImportFuzz.h"
#include "tests/fuzz/IniReaderFuzz.h"
#include "tests/fuzz/LngReaderFuzz.h"
#include "tests/fuzz/ScriptFuzz.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

using Target = int (*)(const uint8_t*, size_t);

// Replays corpus/<name>; the number of inputs replayed.
size_t replay(const char* name, Target target) {
    const std::filesystem::path corpus = std::filesystem::path(LINTARO_SOURCE_DIR) / "tests/fuzz/corpus" / name;
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        SCOPED_TRACE(entry.path().filename().string());
        EXPECT_EQ(target(bytes.data(), bytes.size()), 0);
        ++files;
    }
    return files;
}

} // namespace

TEST(FuzzCorpus, DrawingReaderWithTheAddOnsClasses) {
    AcDbDatabase db;
    fuzz::freshSettings();
    ASSERT_TRUE(fuzz::loadAddOn(&db));
    EXPECT_GE(replay("drawing_reader", fuzz::fuzzDrawingReader), 8u);
    fuzz::unloadAddOn();
}

TEST(FuzzCorpus, DxfImport) { EXPECT_GE(replay("dxf_import", fuzz::fuzzDxfImport), 8u); }

TEST(FuzzCorpus, IniReader) { EXPECT_GE(replay("ini_reader", fuzz::fuzzIniReader), 5u); }

TEST(FuzzCorpus, LanguageModuleReader) { EXPECT_GE(replay("lng_reader", fuzz::fuzzLngReader), 3u); }

TEST(FuzzCorpus, Scripts) { EXPECT_GE(replay("script", fuzz::fuzzScript), 8u); }
