// A save killed at any moment (SIGKILL: no handler runs, nothing is cleaned up)
// must leave a drawing that reads: the old one byte for byte, or the new one whole.
// The next save must then clear away what the killed one left.
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/io/DrawingFile.h"
#include "host/win/Utf8.h"
#include "tests/host/io/IoTestHelpers.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

using namespace iotest;

namespace {

// Enough lines that a save takes a while, so that kills land inside it.
void addLines(AcDbDatabase* db, int count) {
    AcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    for (int i = 0; i < count; ++i) {
        AcDbObjectId id;
        auto* line = new AcDbLine(AcGePoint3d(i, 0, 0), AcGePoint3d(i, 0.5 * i, 0));
        ms->appendAcDbEntity(id, line);
        line->close();
    }
    ms->close();
}

std::vector<std::string> temporaries(const std::filesystem::path& folder) {
    std::vector<std::string> found;
    for (const auto& e : std::filesystem::directory_iterator(folder)) {
        const std::string name = e.path().filename().string();
        if (name.find(".saving") != std::string::npos) found.push_back(name);
    }
    return found;
}

} // namespace

TEST(SaveCrashSafety, SaveKilledAtRandomPointsLeavesAWholeDrawing) {
    TempFolder dir;
    const std::wstring path = dir.file("plan.dwg");
    std::wstring error;
    AcDbDatabase before;
    buildSample(&before);
    ASSERT_TRUE(host::io::saveDrawingFile(&before, path, false, error)) << error;
    const std::vector<uint8_t> oldBytes = readAll(path);

    AcDbDatabase after;
    buildSample(&after);
    addLines(&after, 6000);
    // What a save that runs to its end writes, and about how long it takes (only to
    // spread the kills over the save; nothing is asserted about time).
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(host::io::saveDrawingFile(&after, dir.file("whole.dwg"), false, error)) << error;
    const auto took = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
    const std::vector<uint8_t> newBytes = readAll(dir.file("whole.dwg"));
    std::filesystem::remove(std::filesystem::path(dir.file("whole.dwg")));

    std::mt19937 random(19);
    std::uniform_int_distribution<long> delay(0, std::max<long>(1000, long(took.count() * 3 / 2)));
    size_t oldSeen = 0, newSeen = 0;
    for (int round = 0; round < 10; ++round) {
        SCOPED_TRACE(round);
        writeAll(path, oldBytes);
        std::filesystem::remove(std::filesystem::path(dir.file("plan.bak")));
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            std::wstring e;
            host::io::saveDrawingFile(&after, path, true, e);
            ::_exit(0);
        }
        ::usleep(useconds_t(delay(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);

        const std::vector<uint8_t> now = readAll(path);
        ASSERT_TRUE(now == oldBytes || now == newBytes) << "the drawing is neither the old one nor the new one";
        (now == oldBytes ? oldSeen : newSeen)++;
        host::io::DrawingReadReport report;
        EXPECT_TRUE(host::io::readDrawingFile(path, report)) << host::toUtf8(report.error);
        if (std::filesystem::exists(std::filesystem::path(dir.file("plan.bak")))) {
            EXPECT_EQ(readAll(dir.file("plan.bak")), oldBytes) << "the backup is the old drawing, whole";
        }

        // The next save succeeds and leaves no temporary file, its own or the killed one's.
        ASSERT_TRUE(host::io::saveDrawingFile(&before, path, true, error)) << host::toUtf8(error);
        EXPECT_EQ(readAll(path), oldBytes);
        EXPECT_TRUE(temporaries(dir.path()).empty()) << temporaries(dir.path()).front();
    }
    // How many kills landed before and after the rename (depends on the machine's load).
    RecordProperty("old", int(oldSeen));
    RecordProperty("new", int(newSeen));
}
