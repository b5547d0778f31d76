// Every input the fuzzer keeps in the corpus is read again in each test run, under
// the sanitizers of `make test`: an input that once crashed the reader stays a test.
#include "LintaroTestPaths.h"
#include "tests/fuzz/DrawingReaderFuzz.h"
#include "tests/host/io/IoTestHelpers.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(FuzzCorpus, DrawingReaderSurvivesEveryKeptInput) {
    const std::filesystem::path corpus =
        std::filesystem::path(LINTARO_SOURCE_DIR) / "tests/fuzz/corpus/drawing_reader";
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        if (!entry.is_regular_file()) continue;
        const std::vector<uint8_t> bytes = iotest::readAll(entry.path().wstring());
        SCOPED_TRACE(entry.path().filename().string());
        EXPECT_EQ(fuzz::fuzzDrawingReader(bytes.data(), bytes.size()), 0);
        ++files;
    }
    EXPECT_GE(files, 5u) << "the corpus is missing";
}
