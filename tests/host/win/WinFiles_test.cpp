#include "host/win/WinCrt.h"
#include "host/win/WinFiles.h"
#include "host/win/WinProfile.h"

#include "tests/host/win/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using testing_support::EnvVar;
using testing_support::TempFolder;

namespace {

std::wstring appData(int csidl = CSIDL_APPDATA, HRESULT* result = nullptr) {
    wchar_t buf[MAX_PATH];
    const HRESULT hr = SHGetFolderPathW(nullptr, csidl, nullptr, 0, buf);
    if (result) *result = hr;
    return hr == S_OK ? std::wstring(buf) : std::wstring(L"<failed>");
}

std::wstring tempPath() {
    wchar_t buf[MAX_PATH];
    const DWORD n = GetTempPathW(MAX_PATH, buf);
    return std::wstring(buf, n);
}

} // namespace

TEST(WinFiles, ApplicationDataFolderComesFromTheEnvironment) {
    TempFolder tmp;
    EXPECT_EQ(appData(), tmp.path("appdata").wstring());
    {
        // XDG_CONFIG_HOME when APPDATA is not set (an empty value counts as not set).
        EnvVar noAppData("APPDATA", std::string());
        EnvVar xdg("XDG_CONFIG_HOME", tmp.path("xdg/").string());
        EXPECT_EQ(appData(), tmp.path("xdg").wstring());
        {
            EnvVar noXdg("XDG_CONFIG_HOME", std::nullopt);
            EnvVar home("HOME", tmp.path("home").string());
            EXPECT_EQ(appData(), tmp.path("home/.config").wstring());
            // CSIDL_FLAG_CREATE creates the folder, with its parents.
            EXPECT_FALSE(std::filesystem::exists(tmp.path("home/.config")));
            EXPECT_EQ(appData(CSIDL_APPDATA | CSIDL_FLAG_CREATE), tmp.path("home/.config").wstring());
            EXPECT_TRUE(std::filesystem::is_directory(tmp.path("home/.config")));
        }
    }
    HRESULT hr = S_OK;
    appData(0x0005, &hr);
    EXPECT_NE(hr, S_OK);
    // A folder that cannot be created is a failure, not a path to nowhere.
    TempFolder::write(tmp.path("blocker"), "x");
    EnvVar blocked("APPDATA", tmp.path("blocker/sub").string());
    appData(CSIDL_APPDATA | CSIDL_FLAG_CREATE, &hr);
    EXPECT_EQ(hr, E_FAIL);
}

TEST(WinFiles, TemporaryFolderEndsInASeparator) {
    TempFolder tmp;
    EXPECT_EQ(tempPath(), tmp.path("tmp").wstring() + L"/");
    {
        EnvVar slash("TMPDIR", tmp.path("tmp").string() + "/");
        EXPECT_EQ(tempPath(), tmp.path("tmp").wstring() + L"/");
    }
    {
        EnvVar none("TMPDIR", std::nullopt);
        EXPECT_EQ(tempPath(), L"/tmp/");
    }
    // Too small a buffer gets the size needed, with the terminating 0.
    wchar_t small[4];
    EXPECT_EQ(GetTempPathW(4, small), tempPath().size() + 1);
}

TEST(WinFiles, FoldersFilesAndTheirErrors) {
    TempFolder tmp;
    const std::wstring dir = tmp.wpath("made");
    ASSERT_TRUE(CreateDirectoryW(dir.c_str(), nullptr));
    EXPECT_FALSE(CreateDirectoryW(dir.c_str(), nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_FALSE(CreateDirectoryW(tmp.wpath("missing/child").c_str(), nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(GetFileAttributesW(dir.c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(GetFileAttributesW(tmp.wpath("nothing").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(host::folderExists(dir));
    EXPECT_FALSE(host::fileExists(dir));

    // '\' separators as the module writes them.
    const std::wstring file = tmp.root().wstring() + L"\\made\\Lintaro.log";
    FILE* f = _wfopen(file.c_str(), L"at, ccs=UTF-8");
    ASSERT_NE(f, nullptr);
    std::fputs("line\n", f);
    std::fclose(f);
    EXPECT_TRUE(host::fileExists(file));
    EXPECT_EQ(TempFolder::read(tmp.path("made/Lintaro.log")), "line\n");
    EXPECT_EQ(_waccess(file.c_str(), 0), 0);
    EXPECT_EQ(_waccess(tmp.wpath("nothing").c_str(), 0), -1);
    EXPECT_EQ(_wfopen(file.c_str(), L"q"), nullptr);
    EXPECT_EQ(GetFileAttributesW(file.c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL));

    EXPECT_FALSE(DeleteFileW(dir.c_str()));
    EXPECT_TRUE(DeleteFileW(file.c_str()));
    EXPECT_FALSE(DeleteFileW(file.c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(_wmkdir(tmp.wpath("made/sub").c_str()), 0);
    EXPECT_EQ(_wmkdir(tmp.wpath("made/sub").c_str()), -1);
    EXPECT_EQ(_wremove(tmp.wpath("made/sub").c_str()), 0);
    EXPECT_EQ(host::nativePath(L"C:\\a\\Maß.ini"), "C:/a/Ma\xC3\x9F.ini");
}

TEST(WinCrt, CaseInsensitiveComparisonAndNumbers) {
    EXPECT_EQ(_wcsicmp(L"LastStatus", L"laststatus"), 0);
    EXPECT_EQ(_wcsicmp(L"ÄNDERUNG", L"änderung"), 0);
    EXPECT_EQ(_wcsicmp(L"\\LINTARO.INI", L"\\lintaro.ini"), 0);
    EXPECT_LT(_wcsicmp(L"a", L"B"), 0);
    EXPECT_GT(_wcsicmp(L"ab", L"A"), 0);
    EXPECT_EQ(_wcsnicmp(L"Item_12", L"ITEM_99", 5), 0);
    EXPECT_EQ(_wcsicmp(nullptr, L""), 0);
    wchar_t text[] = L"BMaß Öl";
    EXPECT_EQ(std::wstring(_wcsupr(text)), L"BMAß ÖL");
    EXPECT_EQ(std::wstring(_wcslwr(text)), L"bmaß öl");
    // Names fold as the host folds them: umlauts too, "ß" has no capital.
    EXPECT_EQ(host::toUpperCase(L"M Wände ßx"), L"M WÄNDE ßX");
    EXPECT_EQ(host::toUpperCase(L"WÄNDE"), host::toUpperCase(L"wände"));
    EXPECT_EQ(_wtoi(L"  42abc"), 42);
    EXPECT_EQ(_wtoi(L"-7"), -7);
    EXPECT_EQ(_wtoi(L"x1"), 0);
    EXPECT_EQ(_wtoi(L"99999999999999"), 2147483647);
    EXPECT_EQ(_wtoi(nullptr), 0);
    constexpr double kExact = 1e-12;
    EXPECT_NEAR(_wtof(L"0.001"), 0.001, kExact);
    EXPECT_NEAR(_wtof(L" 2.5mm"), 2.5, kExact);
}

// Copying settings files: the copy is exact, a profile read afterwards sees the new
// contents, and a copy that cannot be made leaves the target as it was.
TEST(WinFiles, CopyFileCopiesExactlyAndRefusesWithoutHarm) {
    TempFolder tmp;
    const std::string source = "[MainOptions]\nMeasure=m/cm\nText=Ma\xC3\x9F\n";
    TempFolder::write(tmp.path("a.ini"), source);
    TempFolder::write(tmp.path("b.ini"), "[MainOptions]\nMeasure=mm\n");
    wchar_t value[64] = {};
    // The target is read (and kept) before the copy replaces it.
    GetPrivateProfileStringW(L"MainOptions", L"Measure", L"", value, 64, tmp.wpath("b.ini").c_str());
    EXPECT_STREQ(value, L"mm");

    ASSERT_TRUE(CopyFileW(tmp.wpath("a.ini").c_str(), tmp.wpath("b.ini").c_str(), FALSE));
    EXPECT_EQ(TempFolder::read(tmp.path("b.ini")), source);
    GetPrivateProfileStringW(L"MainOptions", L"Measure", L"", value, 64, tmp.wpath("b.ini").c_str());
    EXPECT_STREQ(value, L"m/cm");

    // A new file in an existing folder is made; one in a missing folder is not.
    ASSERT_TRUE(CopyFileW(tmp.wpath("a.ini").c_str(), tmp.wpath("c.ini").c_str(), TRUE));
    EXPECT_EQ(TempFolder::read(tmp.path("c.ini")), source);
    EXPECT_FALSE(CopyFileW(tmp.wpath("a.ini").c_str(), tmp.wpath("none/d.ini").c_str(), FALSE));
    EXPECT_FALSE(std::filesystem::exists(tmp.path("none")));

    // Refusals change nothing: an existing target with bFailIfExists, a missing source,
    // a file onto itself, a read-only target.
    TempFolder::write(tmp.path("keep.ini"), "keep");
    EXPECT_FALSE(CopyFileW(tmp.wpath("a.ini").c_str(), tmp.wpath("keep.ini").c_str(), TRUE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
    EXPECT_FALSE(CopyFileW(tmp.wpath("missing.ini").c_str(), tmp.wpath("keep.ini").c_str(), FALSE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(CopyFileW(tmp.wpath("a.ini").c_str(), tmp.wpath("a.ini").c_str(), FALSE));
    EXPECT_EQ(TempFolder::read(tmp.path("a.ini")), source);
    std::filesystem::permissions(tmp.path("keep.ini"), std::filesystem::perms::owner_read);
    EXPECT_FALSE(CopyFileW(tmp.wpath("a.ini").c_str(), tmp.wpath("keep.ini").c_str(), FALSE));
    EXPECT_EQ(TempFolder::read(tmp.path("keep.ini")), "keep");
    EXPECT_EQ(GetFileAttributesW(tmp.wpath("keep.ini").c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(CopyFileW(nullptr, tmp.wpath("keep.ini").c_str(), FALSE));
    // No temporary file is left beside the targets.
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(tmp.root()))
        if (entry.is_regular_file()) ++files;
    EXPECT_EQ(files, 4); // a, b, c, keep
}
