// Which drawings a replace over files finds: by mask, in a folder, with subfolders.
#include "module/replace/DrawingFileList.h"

#include "tests/host/win/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using testing_support::TempFolder;

std::vector<std::wstring> names(const std::vector<std::wstring>& paths) {
    std::vector<std::wstring> out;
    for (const std::wstring& p : paths)
        out.push_back(std::filesystem::path(p).filename().wstring());
    return out;
}

TEST(DrawingFileList, MasksFoldersAndSubfoldersListOnlyDrawings) {
    TempFolder tmp;
    std::filesystem::create_directories(tmp.path("plans/sub/deeper"));
    for (const char* name : {"plans/EG.dwg", "plans/OG.DWG", "plans/EG.bak", "plans/notes.txt", "plans/sub/UG.dwg",
                             "plans/sub/deeper/Dach.dwg", "plans/dwg"})
        TempFolder::write(tmp.path(name), "x");
    std::filesystem::create_directories(tmp.path("plans/folder.dwg"));
    const std::wstring plans = tmp.wpath("plans");

    EXPECT_EQ(names(DrawingFilesByMask(plans + L"/*.dwg")), (std::vector<std::wstring>{L"EG.dwg", L"OG.DWG"}));
    EXPECT_EQ(names(DrawingFilesByMask(plans + L"/E?.*")), (std::vector<std::wstring>{L"EG.dwg"}));
    EXPECT_EQ(names(DrawingFilesByMask(plans + L"/OG.dwg")), (std::vector<std::wstring>{L"OG.DWG"}));
    EXPECT_EQ(names(DrawingFilesByMask(plans + L"/EG.dwg; " + plans + L"/sub/UG.dwg")),
              (std::vector<std::wstring>{L"EG.dwg", L"UG.dwg"}));
    EXPECT_TRUE(DrawingFilesByMask(plans + L"/none*.dwg").empty());
    EXPECT_TRUE(DrawingFilesByMask(tmp.wpath("missing") + L"/*.dwg").empty());
    EXPECT_TRUE(DrawingFilesByMask(L"").empty());

    EXPECT_EQ(names(DrawingFilesInFolder(plans, false)), (std::vector<std::wstring>{L"EG.dwg", L"OG.DWG"}));
    EXPECT_EQ(names(DrawingFilesInFolder(plans + L"/", true)),
              (std::vector<std::wstring>{L"EG.dwg", L"OG.DWG", L"UG.dwg", L"Dach.dwg"}));
    EXPECT_TRUE(DrawingFilesInFolder(tmp.wpath("missing"), true).empty());
}

TEST(DrawingFileList, DrawingNamesEndInTheExtension) {
    EXPECT_TRUE(IsDrawingFileName(L"a.dwg"));
    EXPECT_TRUE(IsDrawingFileName(L"A.DwG"));
    EXPECT_FALSE(IsDrawingFileName(L".dwg"));
    EXPECT_FALSE(IsDrawingFileName(L"a.dwg.bak"));
    EXPECT_FALSE(IsDrawingFileName(L"a.dxf"));
}

} // namespace
