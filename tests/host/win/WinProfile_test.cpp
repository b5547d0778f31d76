#include "host/win/WinProfile.h"

#include "host/win/WinError.h"
#include "tests/host/win/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/stat.h>

using testing_support::TempFolder;

namespace {

std::wstring readValue(const std::wstring& file, const wchar_t* section, const wchar_t* key,
                       const wchar_t* def = L"<none>", DWORD size = 512) {
    std::wstring buf(size, L'#');
    const DWORD n = GetPrivateProfileStringW(section, key, def, buf.data(), size, file.c_str());
    return buf.substr(0, n);
}

ino_t inodeOf(const std::filesystem::path& p) {
    struct stat st {};
    ::stat(p.c_str(), &st);
    return st.st_ino;
}

size_t filesIn(const std::filesystem::path& dir) {
    size_t n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir))
        ++n;
    return n;
}

} // namespace

TEST(WinProfile, ReadsWithTheWindowsRules) {
    TempFolder tmp;
    const auto file = tmp.path("a.ini");
    TempFolder::write(file, "\xEF\xBB\xBF"
                            "orphan=before any section\r\n"
                            "[General Info]\r\n"
                            "  DebugMsg =  1  \r\n"
                            "; Comment=not an entry\r\n"
                            "Quoted=\"  spaced  \"\r\n"
                            "Single='x'\r\n"
                            "Half=\"open\r\n"
                            "Inline=a;b ; c\r\n"
                            "Dup=first\r\n"
                            "dup=second\r\n"
                            "no equals sign here\r\n"
                            "Empty=\r\n"
                            "[ Other ]\r\n"
                            "Key=other\r\n"
                            "[general info]\r\n"
                            "Later=in the duplicate section\r\n"
                            "[Umlaute]\r\n"
                            "Maßstab=BMaß\r\n");
    const std::wstring f = file.wstring();
    EXPECT_EQ(readValue(f, L"GENERAL INFO", L"debugmsg"), L"1");
    EXPECT_EQ(readValue(f, L" General Info ", L" DebugMsg "), L"1");
    EXPECT_EQ(readValue(f, L"General Info", L"Quoted"), L"  spaced  ");
    EXPECT_EQ(readValue(f, L"General Info", L"Single"), L"x");
    EXPECT_EQ(readValue(f, L"General Info", L"Half"), L"\"open");
    EXPECT_EQ(readValue(f, L"General Info", L"Inline"), L"a;b ; c");
    EXPECT_EQ(readValue(f, L"General Info", L"Comment"), L"<none>");
    EXPECT_EQ(readValue(f, L"General Info", L"DUP"), L"first");
    EXPECT_EQ(readValue(f, L"General Info", L"no equals sign here"), L"<none>");
    EXPECT_EQ(readValue(f, L"General Info", L"Empty"), L"");
    EXPECT_EQ(readValue(f, L"General Info", L"orphan"), L"<none>");
    EXPECT_EQ(readValue(f, L"General Info", L"Later"), L"<none>");
    EXPECT_EQ(readValue(f, L"other", L"KEY"), L"other");
    EXPECT_EQ(readValue(f, L"UMLAUTE", L"MASSSTAB"), L"<none>");
    EXPECT_EQ(readValue(f, L"umlaute", L"MAßSTAB"), L"BMaß");
    EXPECT_EQ(GetPrivateProfileIntW(L"General Info", L"DebugMsg", 7, f.c_str()), 1u);
    EXPECT_EQ(GetPrivateProfileIntW(L"General Info", L"Absent", 7, f.c_str()), 7u);
    EXPECT_EQ(GetPrivateProfileIntW(L"General Info", L"Inline", 7, f.c_str()), 0u);
}

TEST(WinProfile, MissingFilesDefaultsAndBufferSizes) {
    TempFolder tmp;
    const std::wstring missing = tmp.wpath("nowhere/missing.ini");
    EXPECT_EQ(readValue(missing, L"S", L"K", L"dflt  "), L"dflt");
    EXPECT_EQ(readValue(missing, L"S", L"K", nullptr), L"");
    EXPECT_EQ(readValue(L"", L"S", L"K", L"d"), L"d");
    EXPECT_EQ(GetPrivateProfileIntW(L"S", L"K", -3, missing.c_str()), static_cast<UINT>(-3));
    EXPECT_FALSE(std::filesystem::exists(tmp.path("nowhere")));

    const auto file = tmp.path("b.ini");
    TempFolder::write(file, "[S]\nLong=0123456789\nNeg=-5\nNum=12abc\n[T]\nx=1\n");
    const std::wstring f = file.wstring();
    // The value is cut to the buffer: nSize-1 characters and the terminating 0.
    wchar_t small[5] = {L'#', L'#', L'#', L'#', L'#'};
    EXPECT_EQ(GetPrivateProfileStringW(L"S", L"Long", L"", small, 5, f.c_str()), 4u);
    EXPECT_EQ(std::wstring(small), L"0123");
    EXPECT_EQ(GetPrivateProfileStringW(L"S", L"Long", L"", small, 0, f.c_str()), 0u);
    EXPECT_EQ(GetPrivateProfileIntW(L"S", L"Neg", 9, f.c_str()), 0u);
    EXPECT_EQ(GetPrivateProfileIntW(L"S", L"Num", 9, f.c_str()), 12u);

    // Null key lists the keys, null section the sections: 0-separated, 00-terminated.
    wchar_t list[32];
    DWORD n = GetPrivateProfileStringW(L"s", nullptr, L"", list, 32, f.c_str());
    EXPECT_EQ(std::wstring(list, n), std::wstring(L"Long\0Neg\0Num\0", 13));
    EXPECT_EQ(list[n], 0);
    n = GetPrivateProfileStringW(nullptr, nullptr, L"", list, 32, f.c_str());
    EXPECT_EQ(std::wstring(list, n), std::wstring(L"S\0T\0", 4));
    // A list that does not fit is cut and still ends in two 0s.
    n = GetPrivateProfileStringW(L"S", nullptr, L"", list, 8, f.c_str());
    EXPECT_EQ(n, 6u);
    EXPECT_EQ(std::wstring(list, 8), std::wstring(L"Long\0N\0\0", 8));
}

TEST(WinProfile, WritingChangesOnlyTheLineItWrites) {
    TempFolder tmp;
    const auto file = tmp.path("c.ini");
    const std::string before = "; lintaro settings\r\n"
                               "[General Info]\r\n"
                               "DebugMsg = 0\r\n"
                               "Junk=\xFF\xFE not UTF-8\r\n"
                               "\r\n"
                               "; the palette\r\n"
                               "[LastStatus]\r\n"
                               "Language=\r\n"
                               "; trailing comment";
    TempFolder::write(file, before);
    const std::wstring f = file.wstring();
    ASSERT_TRUE(WritePrivateProfileStringW(L"general info", L"DEBUGMSG", L"1", f.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringW(L"General Info", L"Position", L"1,2,3,4,0", f.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringW(L"LastStatus", L"Language", L"EN", f.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringW(L"Neu", L"Maß", L"a;b", f.c_str()));
    EXPECT_EQ(TempFolder::read(file), "; lintaro settings\r\n"
                                      "[General Info]\r\n"
                                      "DebugMsg = 1\r\n"
                                      "Junk=\xFF\xFE not UTF-8\r\n"
                                      "Position=1,2,3,4,0\r\n"
                                      "\r\n"
                                      "; the palette\r\n"
                                      "[LastStatus]\r\n"
                                      "Language=EN\r\n"
                                      "; trailing comment\r\n"
                                      "\r\n"
                                      "[Neu]\r\n"
                                      "Maß=a;b\r\n");
    EXPECT_EQ(readValue(f, L"NEU", L"maß"), L"a;b");

    // Deleting a key and a section removes their lines and nothing else.
    ASSERT_TRUE(WritePrivateProfileStringW(L"General Info", L"Position", nullptr, f.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringW(L"neu", nullptr, nullptr, f.c_str()));
    EXPECT_EQ(readValue(f, L"General Info", L"Position"), L"<none>");
    EXPECT_EQ(readValue(f, L"Neu", L"Maß"), L"<none>");
    EXPECT_EQ(readValue(f, L"LastStatus", L"Language"), L"EN");

    // A byte order mark and LF line ends stay as they were.
    const auto bom = tmp.path("bom.ini");
    TempFolder::write(bom, "\xEF\xBB\xBF[S]\nK=1\n");
    ASSERT_TRUE(WritePrivateProfileStringW(L"s", L"k", L"2", bom.wstring().c_str()));
    EXPECT_EQ(TempFolder::read(bom), "\xEF\xBB\xBF[S]\nK=2\n");

    // Writing the value that is already there leaves the file alone.
    const ino_t inode = inodeOf(file);
    ASSERT_TRUE(WritePrivateProfileStringW(L"LastStatus", L"Language", L"EN", f.c_str()));
    EXPECT_EQ(inodeOf(file), inode);
}

TEST(WinProfile, WritingCreatesTheFileAndFollowsLinks) {
    TempFolder tmp;
    const auto file = tmp.path("new.ini");
    ASSERT_TRUE(
        WritePrivateProfileStringW(L"General Info", L"DefaultSection", L"Decimal", file.wstring().c_str()));
    ASSERT_TRUE(WritePrivateProfileStringW(L"General Info", L"TextMoveStep", L"5", file.wstring().c_str()));
    EXPECT_EQ(TempFolder::read(file), "[General Info]\nDefaultSection=Decimal\nTextMoveStep=5\n");
    // A folder given with '\' works as well.
    const std::wstring backslashed = tmp.root().wstring() + L"\\new.ini";
    EXPECT_EQ(readValue(backslashed, L"General Info", L"TextMoveStep"), L"5");

    // Deleting from a file that is not there does not create it.
    const auto absent = tmp.path("absent.ini");
    EXPECT_TRUE(WritePrivateProfileStringW(L"S", L"K", nullptr, absent.wstring().c_str()));
    EXPECT_FALSE(std::filesystem::exists(absent));

    // The file behind a link is updated and the link stays a link.
    const auto link = tmp.path("link.ini");
    std::filesystem::create_symlink(file, link);
    ASSERT_TRUE(WritePrivateProfileStringW(L"General Info", L"TextMoveStep", L"10", link.wstring().c_str()));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readValue(file.wstring(), L"General Info", L"TextMoveStep"), L"10");
    // Existing permissions survive the rewrite.
    std::filesystem::permissions(file, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::owner_write |
                                           std::filesystem::perms::group_read);
    ASSERT_TRUE(WritePrivateProfileStringW(L"General Info", L"TextMoveStep", L"7", file.wstring().c_str()));
    EXPECT_EQ(std::filesystem::status(file).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                  std::filesystem::perms::group_read);
}

TEST(WinProfile, RefusedWritesChangeNothing) {
    TempFolder tmp;
    const auto file = tmp.path("d.ini");
    const std::string before = "[S]\nK=v\n";
    TempFolder::write(file, before);
    const std::wstring f = file.wstring();
    // Line breaks, '=' in a key or ']' in a section would read back as other entries.
    EXPECT_FALSE(WritePrivateProfileStringW(L"S", L"K", L"a\n[Evil]\nx=1", f.c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_FALSE(WritePrivateProfileStringW(L"S", L"a=b", L"v", f.c_str()));
    EXPECT_FALSE(WritePrivateProfileStringW(L"S]x", L"K", L"v", f.c_str()));
    EXPECT_FALSE(WritePrivateProfileStringW(L"S", L"  ", L"v", f.c_str()));
    EXPECT_FALSE(WritePrivateProfileStringW(L"S", L";K", L"v", f.c_str()));
    EXPECT_FALSE(WritePrivateProfileStringW(nullptr, L"K", L"v", f.c_str()));
    EXPECT_FALSE(WritePrivateProfileStringW(L"S", L"K", L"v", L""));
    EXPECT_EQ(TempFolder::read(file), before);

    // A read-only file is refused, whoever runs us.
    std::filesystem::permissions(file, std::filesystem::perms::owner_read);
    EXPECT_FALSE(WritePrivateProfileStringW(L"S", L"K", L"w", f.c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(TempFolder::read(file), before);

    // A folder that does not exist, a path through a file and a folder as the file.
    EXPECT_FALSE(WritePrivateProfileStringW(L"S", L"K", L"v", tmp.wpath("no/such/x.ini").c_str()));
    EXPECT_FALSE(WritePrivateProfileStringW(L"S", L"K", L"v", tmp.wpath("d.ini/x.ini").c_str()));
    EXPECT_FALSE(WritePrivateProfileStringW(L"S", L"K", L"v", tmp.wpath("appdata").c_str()));
    EXPECT_EQ(readValue(tmp.path("appdata").wstring(), L"S", L"K"), L"<none>");
    // No temporary file is left behind: the folder holds d.ini, appdata and tmp.
    EXPECT_EQ(filesIn(tmp.root()), 3u);
}

TEST(WinProfile, MalformedFilesNeverCrashAndSurviveWrites) {
    TempFolder tmp;
    const auto junk = tmp.path("junk.ini");
    std::string bytes;
    unsigned state = 12345;
    for (int i = 0; i < 20000; ++i) {
        state = state * 1103515245u + 12345u;
        bytes.push_back(static_cast<char>(state >> 16));
    }
    bytes += "\n[Real]\nKey=value\n";
    TempFolder::write(junk, bytes);
    const std::wstring j = junk.wstring();
    EXPECT_EQ(readValue(j, L"Real", L"Key"), L"value");
    EXPECT_EQ(readValue(j, L"Nope", L"Key"), L"<none>");
    wchar_t list[4096];
    GetPrivateProfileStringW(nullptr, nullptr, L"", list, 4096, j.c_str());
    ASSERT_TRUE(WritePrivateProfileStringW(L"Real", L"Key", L"new", j.c_str()));
    const std::string after = TempFolder::read(junk);
    EXPECT_EQ(after.substr(0, bytes.size() - 10), bytes.substr(0, bytes.size() - 10));
    EXPECT_EQ(readValue(j, L"Real", L"Key"), L"new");

    // Odd lines and a value far longer than any buffer.
    const auto odd = tmp.path("odd.ini");
    const std::string longValue(200000, 'x');
    TempFolder::write(odd, "[\n[]\n=\n==\n[S\nK=" + longValue + "\n");
    const std::wstring o = odd.wstring();
    EXPECT_EQ(readValue(o, L"S", L"K", L"", 512), std::wstring(511, L'x'));
    EXPECT_EQ(readValue(o, L"", L"K"), L"<none>");
    EXPECT_TRUE(WritePrivateProfileStringW(L"S", L"K2", L"v", o.c_str()));
    EXPECT_EQ(readValue(o, L"S", L"K2"), L"v");
    EXPECT_EQ(readValue(o, L"S", L"K", L"", 300000), std::wstring(longValue.begin(), longValue.end()));

    // A FIFO in the file's place reads as empty instead of waiting for a writer.
    const auto fifo = tmp.path("fifo.ini");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(readValue(fifo.wstring(), L"S", L"K"), L"<none>");
    EXPECT_FALSE(WritePrivateProfileStringW(L"S", L"K", L"v", fifo.wstring().c_str()));

    // A file with no sections at all, and an empty one.
    const auto flat = tmp.path("flat.ini");
    TempFolder::write(flat, "Key=value\n");
    EXPECT_EQ(readValue(flat.wstring(), L"", L"Key"), L"<none>");
    const auto empty = tmp.path("empty.ini");
    TempFolder::write(empty, "");
    EXPECT_EQ(readValue(empty.wstring(), L"S", L"K"), L"<none>");
    ASSERT_TRUE(WritePrivateProfileStringW(L"S", L"K", L"v", empty.wstring().c_str()));
    EXPECT_EQ(TempFolder::read(empty), "[S]\nK=v\n");
}
