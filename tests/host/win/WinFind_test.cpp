// Folder search: patterns, case, folders and the dot entries, and the end of a search.
#include "host/win/WinFind.h"

#include "tests/host/win/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using testing_support::TempFolder;

std::vector<std::wstring> found(const std::wstring& pattern, std::vector<bool>* folders = nullptr) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE h = FindFirstFileW(pattern.c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        names.push_back(data.cFileName);
        if (folders) folders->push_back((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
    } while (FindNextFileW(h, &data));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
    EXPECT_TRUE(FindClose(h));
    return names;
}

TEST(WinFind, PatternsMatchNamesWithoutCaseSortedWithFoldersMarked) {
    TempFolder tmp;
    std::filesystem::create_directories(tmp.path("d/sub"));
    for (const char* name : {"d/b.dwg", "d/A.DWG", "d/c.txt", "d/noext", "d/Ma\xC3\x9F.dwg"})
        TempFolder::write(tmp.path(name), "12345");
    const std::wstring d = tmp.wpath("d");

    EXPECT_EQ(found(d + L"/*.dwg"), (std::vector<std::wstring>{L"A.DWG", L"Ma\u00DF.dwg", L"b.dwg"}));
    EXPECT_EQ(found(d + L"\\?.dwg"), (std::vector<std::wstring>{L"A.DWG", L"b.dwg"}));
    std::vector<bool> folders;
    const std::vector<std::wstring> all = found(d + L"/*.*", &folders);
    EXPECT_EQ(all, (std::vector<std::wstring>{L".", L"..", L"A.DWG", L"Ma\u00DF.dwg", L"b.dwg", L"c.txt", L"noext",
                                              L"sub"}));
    ASSERT_EQ(folders.size(), all.size());
    EXPECT_TRUE(folders[0] && folders[1] && folders.back());
    EXPECT_FALSE(folders[2]);

    WIN32_FIND_DATAW data;
    EXPECT_EQ(FindFirstFileW((d + L"/*.xyz").c_str(), &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(FindFirstFileW(tmp.wpath("missing/*.*").c_str(), &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(FindFirstFileW(nullptr, &data), INVALID_HANDLE_VALUE);
    HANDLE one = FindFirstFileW((d + L"/c.txt").c_str(), &data);
    ASSERT_NE(one, INVALID_HANDLE_VALUE);
    EXPECT_EQ(data.nFileSizeLow, 5u);
    EXPECT_FALSE(FindNextFileW(one, &data));
    EXPECT_TRUE(FindClose(one));
    EXPECT_FALSE(FindClose(INVALID_HANDLE_VALUE));
}

TEST(WinFind, WildcardRules) {
    EXPECT_TRUE(host::wildcardMatch(L"*.*", L"noext"));
    EXPECT_TRUE(host::wildcardMatch(L"*", L""));
    EXPECT_TRUE(host::wildcardMatch(L"a*b*c", L"aXXbYYc"));
    EXPECT_FALSE(host::wildcardMatch(L"a*b*c", L"aXXbYY"));
    EXPECT_TRUE(host::wildcardMatch(L"EG??.DWG", L"eg01.dwg"));
    EXPECT_FALSE(host::wildcardMatch(L"EG?.dwg", L"EG.dwg"));
}

} // namespace
