// Saving drawings and reading them back: everything the user drew comes back
// object for object, and a save never costs the user the file they had.
#include "host/io/DrawingFile.h"

#include "host/db/entities/AcDbArc.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/entities/AcDbMText.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/entities/AcDbPolyline.h"
#include "host/db/entities/AcDbText.h"
#include "host/db/database/acutResbuf.h"
#include "host/rx/acutString.h"
#include "tests/host/io/IoTestHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

using namespace iotest;

namespace {

template <class T> struct Opened {
    T* p = nullptr;
    Opened(AcDbObjectId id) { acdbOpenObject(p, id, AcDb::kForRead, true); }
    ~Opened() {
        if (p) p->close();
    }
    T* operator->() const { return p; }
};

AcDbObjectId same(AcDbDatabase* db, AcDbObjectId original) {
    AcDbObjectId id;
    db->getAcDbObjectId(id, false, original.handle());
    return id;
}

} // namespace

TEST(DrawingFile, SavedDrawingReadsBackObjectForObject) {
    TempFolder dir;
    MarkClassScope marks;
    AcDbDatabase db;
    SampleIds ids = buildSample(&db);
    const std::wstring path = dir.file("plan.dwg");
    std::wstring error;
    ASSERT_TRUE(host::io::saveDrawingFile(&db, path, true, error)) << error;

    host::io::DrawingReadReport report;
    std::unique_ptr<AcDbDatabase> back = host::io::readDrawingFile(path, report);
    ASSERT_TRUE(back) << report.error;
    EXPECT_TRUE(report.warnings.empty());
    EXPECT_EQ(report.proxyCount, 0u);
    EXPECT_EQ(imageOf(back.get()), imageOf(&db));
    EXPECT_EQ(back->handseed(), db.handseed());
    EXPECT_FALSE(back->isModifiedSinceSave());

    // Values a user sees, through the read objects themselves.
    Opened<AcDbLine> line(same(back.get(), ids.line));
    ASSERT_TRUE(line.p);
    EXPECT_NEAR(line->endPoint().x, 1250.5, kGeomTol);
    wchar_t* layer = line->layer();
    EXPECT_STREQ(layer, L"Wände");
    acutDelString(layer);
    resbuf* xd = line->xData(L"LINTARO_TEST");
    ASSERT_TRUE(xd && xd->rbnext);
    EXPECT_STREQ(xd->rbnext->resval.rstring, L"BMaß ±2²");
    acutRelRb(xd);
    Opened<AcDbArc> arc(same(back.get(), ids.arc));
    ASSERT_TRUE(arc.p);
    EXPECT_NEAR(arc->radius(), 7.25, kGeomTol);
    EXPECT_NEAR(arc->endAngle(), 2.9, kGeomTol);
    Opened<AcDbPolyline> pl(same(back.get(), ids.polyline));
    ASSERT_TRUE(pl.p);
    EXPECT_EQ(pl->numVerts(), 4u);
    double bulge = 0;
    pl->getBulgeAt(2, bulge);
    EXPECT_NEAR(bulge, -0.25, kGeomTol);
    EXPECT_TRUE(pl->isClosed());
    Opened<AcDbText> text(same(back.get(), ids.text));
    ASSERT_TRUE(text.p);
    wchar_t* string = text->textString();
    EXPECT_STREQ(string, L"Fläche 12,5 m²");
    acutDelString(string);
    EXPECT_NEAR(text->height(), 0.35, kGeomTol);
    Opened<AcDbMText> mtext(same(back.get(), ids.mtext));
    ASSERT_TRUE(mtext.p);
    string = mtext->contents();
    EXPECT_STREQ(string, L"Zeile 1\\PZeile ±2");
    acutDelString(string);
    Opened<IoTestMark> mark(same(back.get(), ids.mark));
    ASSERT_TRUE(mark.p);
    EXPECT_EQ(mark->label(), L"Höhe +2,50");
    EXPECT_EQ(mark->link(), same(back.get(), ids.line)) << "a link between objects must survive the file";
    EXPECT_TRUE(same(back.get(), ids.erasedLine).isErased());
    EXPECT_EQ(back->modelSpaceId().handle(), db.modelSpaceId().handle());
}

TEST(DrawingFile, SaveKeepsTheOldFileAsBakAndReplacesItWhole) {
    TempFolder dir;
    const std::wstring path = dir.file("plan.dwg");
    std::wstring error;
    AcDbDatabase first;
    ASSERT_TRUE(host::io::saveDrawingFile(&first, path, true, error)) << error;
    EXPECT_FALSE(std::filesystem::exists(dir.file("plan.bak"))) << "nothing to back up on the first save";
    const std::vector<uint8_t> firstBytes = readAll(path);
    ::chmod(std::filesystem::path(path).c_str(), 0640);

    AcDbDatabase second;
    buildSample(&second);
    ASSERT_TRUE(host::io::saveDrawingFile(&second, path, true, error)) << error;
    EXPECT_EQ(readAll(dir.file("plan.bak")), firstBytes);
    EXPECT_NE(readAll(path), firstBytes);
    struct stat st;
    ASSERT_EQ(::stat(std::filesystem::path(path).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u) << "the drawing keeps its permissions";

    // Without a backup the .bak stays as it was.
    const std::vector<uint8_t> secondBytes = readAll(path);
    ASSERT_TRUE(host::io::saveDrawingFile(&first, path, false, error)) << error;
    EXPECT_EQ(readAll(dir.file("plan.bak")), firstBytes);
    // No temporary file is left behind.
    size_t files = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.path()))
        files += e.is_regular_file();
    EXPECT_EQ(files, 2u);
}

TEST(DrawingFile, FailedSaveLeavesTheOldFileAlone) {
    TempFolder dir;
    const std::wstring path = dir.file("plan.dwg");
    std::wstring error;
    AcDbDatabase db;
    buildSample(&db);
    ASSERT_TRUE(host::io::saveDrawingFile(&db, path, true, error));
    const std::vector<uint8_t> saved = readAll(path);

    // A folder that cannot be written: nothing changes, and the message says where.
    ::chmod(dir.path().c_str(), 0500);
    if (::access(dir.path().c_str(), W_OK) != 0) { // root writes anyway
        EXPECT_FALSE(host::io::saveDrawingFile(&db, path, true, error));
        EXPECT_NE(error.find(L"plan.dwg"), std::wstring::npos) << error;
        EXPECT_EQ(readAll(path), saved);
    }
    ::chmod(dir.path().c_str(), 0700);

    // A folder in the drawing's place is never replaced.
    const std::wstring folderPath = dir.file("folder.dwg");
    std::filesystem::create_directory(std::filesystem::path(folderPath));
    EXPECT_FALSE(host::io::saveDrawingFile(&db, folderPath, true, error));
    EXPECT_TRUE(std::filesystem::is_directory(std::filesystem::path(folderPath)));

    // An interrupted save (the hook stands for a kill) leaves the old file and no backup.
    host::io::setSaveInterruptHook([](const std::wstring&) { return false; });
    AcDbDatabase other;
    EXPECT_FALSE(host::io::saveDrawingFile(&other, path, true, error));
    host::io::setSaveInterruptHook(nullptr);
    EXPECT_EQ(readAll(path), saved);
    EXPECT_FALSE(std::filesystem::exists(dir.file("plan.bak")));
}

TEST(DrawingFile, KilledSaveLeavesTheOldFileWhole) {
    TempFolder dir;
    const std::wstring path = dir.file("plan.dwg");
    std::wstring error;
    AcDbDatabase db;
    buildSample(&db);
    ASSERT_TRUE(host::io::saveDrawingFile(&db, path, true, error));
    const std::vector<uint8_t> saved = readAll(path);
    // The child process dies for real between writing the new file and renaming it.
    EXPECT_EXIT(
        {
            host::io::setSaveInterruptHook([](const std::wstring&) -> bool { ::_exit(9); });
            AcDbDatabase empty;
            std::wstring e;
            host::io::saveDrawingFile(&empty, path, true, e);
        },
        ::testing::ExitedWithCode(9), "");
    EXPECT_EQ(readAll(path), saved);
    EXPECT_FALSE(std::filesystem::exists(dir.file("plan.bak")));
    host::io::DrawingReadReport report;
    EXPECT_TRUE(host::io::readDrawingFile(path, report)) << report.error;
    // The next save goes through although the killed one left its temporary file,
    // and clears that file away; a stranger's file of a similar name stays.
    writeAll(dir.file(".plan.bak.saving-Ab3dE9"), saved);
    writeAll(dir.file(".other.dwg.saving-Ab3dE9"), saved);
    writeAll(dir.file(".plan.dwg.saving-toolongname"), saved);
    AcDbDatabase empty;
    EXPECT_TRUE(host::io::saveDrawingFile(&empty, path, true, error)) << error;
    EXPECT_EQ(readAll(dir.file("plan.bak")), saved);
    std::vector<std::string> left;
    for (auto& e : std::filesystem::directory_iterator(dir.path())) left.push_back(e.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{".other.dwg.saving-Ab3dE9", ".plan.dwg.saving-toolongname",
                                              "plan.bak", "plan.dwg"}));
}

TEST(DrawingFile, ReadOnlyDrawingIsNotSavedOver) {
    TempFolder dir;
    const std::wstring path = dir.file("plan.dwg");
    std::wstring error;
    AcDbDatabase db;
    buildSample(&db);
    ASSERT_TRUE(host::io::saveDrawingFile(&db, path, true, error)) << error;
    const std::vector<uint8_t> saved = readAll(path);
    ::chmod(std::filesystem::path(path).c_str(), 0444);
    AcDbDatabase other;
    EXPECT_FALSE(host::io::saveDrawingFile(&other, path, true, error));
    EXPECT_NE(error.find(L"read-only"), std::wstring::npos) << error;
    EXPECT_NE(error.find(L"plan.dwg"), std::wstring::npos) << error;
    EXPECT_EQ(readAll(path), saved);
    EXPECT_FALSE(std::filesystem::exists(dir.file("plan.bak")));
    struct stat st;
    ASSERT_EQ(::stat(std::filesystem::path(path).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0444u);
    // Made writable again, it saves as before.
    ::chmod(std::filesystem::path(path).c_str(), 0644);
    EXPECT_TRUE(host::io::saveDrawingFile(&other, path, true, error)) << error;
    EXPECT_EQ(readAll(dir.file("plan.bak")), saved);
}

TEST(DrawingFile, SavingThroughALinkKeepsTheLink) {
    TempFolder dir;
    const std::wstring real = dir.file("real.dwg");
    const std::wstring link = dir.file("link.dwg");
    std::wstring error;
    AcDbDatabase db;
    ASSERT_TRUE(host::io::saveDrawingFile(&db, real, true, error));
    std::filesystem::create_symlink(std::filesystem::path(real), std::filesystem::path(link));
    buildSample(&db);
    ASSERT_TRUE(host::io::saveDrawingFile(&db, link, true, error)) << error;
    EXPECT_TRUE(std::filesystem::is_symlink(std::filesystem::path(link)));
    EXPECT_EQ(readAll(real), readAll(link));
    EXPECT_TRUE(std::filesystem::exists(dir.file("real.bak")));
}

TEST(DrawingFile, BackupNames) {
    EXPECT_EQ(host::io::backupPathFor(L"/a/plan.dwg"), L"/a/plan.bak");
    EXPECT_EQ(host::io::backupPathFor(L"/a.b/plan"), L"/a.b/plan.bak");
    EXPECT_EQ(host::io::backupPathFor(L"/a/.hidden"), L"/a/.hidden.bak");
    EXPECT_EQ(host::io::backupPathFor(L"plan.v2.dwg"), L"plan.v2.bak");
}
