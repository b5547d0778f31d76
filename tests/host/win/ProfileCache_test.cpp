// The profile functions keep what they read; whatever changes the file afterwards —
// this program or another, in place or by replacement, within the same clock tick and
// with the same size — must be seen by the very next read.
#include "host/win/WinFiles.h"
#include "host/win/WinProfile.h"
#include "tests/host/win/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using testing_support::TempFolder;

namespace {

std::wstring readValue(const std::wstring& file, const wchar_t* section, const wchar_t* key) {
    wchar_t buf[64] = {};
    GetPrivateProfileStringW(section, key, L"<none>", buf, 64, file.c_str());
    return buf;
}

// Writes in place (same file, same inode) and puts the old time stamps back, so
// only a real change notice can tell that the file changed.
void rewriteKeepingStamps(const std::filesystem::path& file, const std::string& text) {
    struct stat before {};
    ASSERT_EQ(::stat(file.c_str(), &before), 0);
    TempFolder::write(file, text);
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
}

} // namespace

TEST(ProfileCache, EveryChangeToAReadFileIsSeenAtOnce) {
    TempFolder tmp;
    const auto path = tmp.path("kept.ini");
    const std::wstring file = path.wstring();
    TempFolder::write(path, "[General Info]\nAltFormat=[#]\nab=1\n[a]\nbc=2\n");
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(readValue(file, L"General Info", L"AltFormat"), L"[#]");
        // Section and key split differently are different entries.
        EXPECT_EQ(readValue(file, L"a", L"bc"), L"2");
        EXPECT_EQ(readValue(file, L"ab", L"c"), L"<none>");
    }

    // In place, same size, same time stamps.
    rewriteKeepingStamps(path, "[General Info]\nAltFormat=<#>\nab=1\n[a]\nbc=3\n");
    EXPECT_EQ(readValue(file, L"General Info", L"AltFormat"), L"<#>");
    EXPECT_EQ(readValue(file, L"a", L"bc"), L"3");
    EXPECT_EQ(GetPrivateProfileIntW(L"a", L"bc", -1, file.c_str()), 3u);

    // Replaced by another file renamed over it.
    const auto other = tmp.path("other.ini");
    TempFolder::write(other, "[General Info]\nAltFormat=(#)\n");
    std::filesystem::rename(other, path);
    EXPECT_EQ(readValue(file, L"General Info", L"AltFormat"), L"(#)");
    EXPECT_EQ(readValue(file, L"a", L"bc"), L"<none>");

    // Written through the profile functions, then by hand again.
    ASSERT_TRUE(WritePrivateProfileStringW(L"General Info", L"AltFormat", L"{#}", file.c_str()));
    EXPECT_EQ(readValue(file, L"General Info", L"AltFormat"), L"{#}");
    rewriteKeepingStamps(path, "[General Info]\nAltFormat=|#|\n");
    EXPECT_EQ(readValue(file, L"General Info", L"AltFormat"), L"|#|");

    // Made read-only: the attributes say so, and a write is refused.
    EXPECT_EQ(GetFileAttributesW(file.c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL));
    std::filesystem::permissions(path,
                                 std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                     std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
    EXPECT_EQ(GetFileAttributesW(file.c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    if (::geteuid() != 0) {
        EXPECT_FALSE(WritePrivateProfileStringW(L"General Info", L"X", L"1", file.c_str()));
    }
    std::filesystem::permissions(path, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);

    // Removed: defaults again, and no attributes.
    std::filesystem::remove(path);
    EXPECT_EQ(readValue(file, L"General Info", L"AltFormat"), L"<none>");
    EXPECT_EQ(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);
    // Made again.
    TempFolder::write(path, "[General Info]\nAltFormat=again\n");
    EXPECT_EQ(readValue(file, L"General Info", L"AltFormat"), L"again");
}

TEST(ProfileCache, FilesAndTheirFoldersStayApart) {
    TempFolder tmp;
    std::filesystem::create_directories(tmp.path("one"));
    std::filesystem::create_directories(tmp.path("two"));
    const auto a = tmp.path("one/x.ini"), b = tmp.path("two/x.ini");
    TempFolder::write(a, "[S]\nK=a\n");
    TempFolder::write(b, "[S]\nK=b\n");
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(readValue(a.wstring(), L"S", L"K"), L"a");
        EXPECT_EQ(readValue(b.wstring(), L"S", L"K"), L"b");
    }
    // A change to one file leaves the other as it is, and both read right after.
    rewriteKeepingStamps(b, "[S]\nK=c\n");
    EXPECT_EQ(readValue(a.wstring(), L"S", L"K"), L"a");
    EXPECT_EQ(readValue(b.wstring(), L"S", L"K"), L"c");
    // The whole folder moved away and another put in its place.
    std::filesystem::rename(tmp.path("one"), tmp.path("gone"));
    std::filesystem::create_directories(tmp.path("one"));
    TempFolder::write(a, "[S]\nK=new\n");
    EXPECT_EQ(readValue(a.wstring(), L"S", L"K"), L"new");
}
