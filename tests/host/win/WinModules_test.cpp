#include "host/win/LngFile.h"
#include "host/win/Transcript.h"
#include "host/win/Utf8.h"
#include "host/win/WinError.h"
#include "host/win/WinFiles.h"
#include "host/win/WinModules.h"

#include "tests/host/win/TempFolder.h"

#include <gtest/gtest.h>

using testing_support::EnvVar;
using testing_support::TempFolder;

namespace {

std::wstring loadString(HINSTANCE h, UINT id, int size = 256) {
    std::wstring buf(static_cast<size_t>(size), L'#');
    const int n = LoadStringW(h, id, buf.data(), size);
    return buf.substr(0, static_cast<size_t>(n));
}

const host::StringResource kGerman[] = {
    {32873, L"<Unbekannt>"},
    {32927, L"Befehl %s is aktiv!\nBitte beenden Sie zuerst diesen Befehl."},
};

} // namespace

TEST(LngFile, ParsesStringsBlocksAndEscapes) {
    host::LngContents c;
    host::LngError e;
    ASSERT_TRUE(host::parseLngFile("\xEF\xBB\xBF; English\r\n"
                                   "LANGUAGE EN\r\n"
                                   "string 32927 \"Command %s is active!\\nPlease finish it.\" ; note\r\n"
                                   "STRING 7102 \"BMa\xC3\x9F \\\"anno\\\" \\\\ \\t\"\n"
                                   "  # indented comment\n"
                                   "MENU 130\n  POPUP \"Chain\"\n    ITEM 32798 \"Add points\"\nEND MENU\n",
                                   c, e))
        << e.line << ": " << std::string(e.message.begin(), e.message.end());
    EXPECT_EQ(c.language, L"EN");
    EXPECT_EQ(c.strings.at(32927), L"Command %s is active!\nPlease finish it.");
    EXPECT_EQ(c.strings.at(7102), L"BMaß \"anno\" \\ \t");
    ASSERT_EQ(c.blocks.count({L"MENU", 130}), 1u);
    EXPECT_EQ(c.blocks.at({L"MENU", 130}).size(), 2u);
    EXPECT_EQ(c.blockLines.at({L"MENU", 130}), 6u);
    // Writing a text back gives the same text.
    const std::wstring tricky = L"a \"b\"\n\\c\t";
    ASSERT_TRUE(host::parseLngFile(host::toUtf8(L"STRING 1 " + host::quoteLngText(tricky)), c, e));
    EXPECT_EQ(c.strings.at(1), tricky);
}

TEST(LngFile, RefusesDamagedFilesWithTheLineAtFault) {
    using namespace std::string_literals;
    const std::pair<std::string, size_t> cases[] = {
        {"STRING 1 \"a\"\nSTRING 1 \"b\"\n", 2},                              // id twice
        {"STRING 0 \"a\"\n", 1},                                              // id out of range
        {"STRING 70000 \"a\"\n", 1},                                          // id out of range
        {"STRING x \"a\"\n", 1},                                              // id not a number
        {"STRING 5 no quotes\n", 1},                                          // text not quoted
        {"\n\nSTRING 5 \"open\n", 3},                                         // quote not closed
        {"STRING 5 \"bad \\q escape\"\n", 1},                                 // unknown escape
        {"STRING 5 \"a\" trailing\n", 1},                                     // text after the quote
        {"HELLO world\n", 1},                                                 // unknown entry
        {"MENU 130\nITEM 1 \"x\"\n", 1},                                      // block without END
        {"DIALOG 5\nEND DIALOG\n\nDIALOG 5\nCAPTION \"b\"\nEND DIALOG\n", 4}, // block twice
        {"STRING 5 \"a\0b\"\n"s, 0},                                          // not text
    };
    for (const auto& [text, line] : cases) {
        host::LngContents out;
        host::LngError e;
        EXPECT_FALSE(host::parseLngFile(text, out, e)) << text;
        EXPECT_EQ(e.line, line) << text;
        EXPECT_FALSE(e.message.empty()) << text;
    }
}

TEST(WinModules, LanguageModuleStringsAndFallbackToTheOwnTable) {
    TempFolder tmp;
    host::registerModuleStrings(host::addOnModule(), kGerman, std::size(kGerman));
    EXPECT_EQ(loadString(host::addOnModule(), 32873), L"<Unbekannt>");
    EXPECT_EQ(loadString(host::addOnModule(), 1), L"");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));

    const auto lng = tmp.path("lintaroEN.lng");
    TempFolder::write(lng, "LANGUAGE EN\nSTRING 32873 \"<Unknown>\"\n");
    HMODULE h = LoadLibraryW(lng.wstring().c_str());
    ASSERT_NE(h, nullptr);
    EXPECT_TRUE(host::isLanguageModule(h));
    EXPECT_EQ(loadString(h, 32873), L"<Unknown>");
    // A string the language module lacks is not found there; the own table still has it.
    EXPECT_EQ(loadString(h, 32927), L"");
    EXPECT_EQ(loadString(host::addOnModule(), 32927).substr(0, 6), L"Befehl");
    // Cut to the buffer; with size 0 a read-only pointer to the text.
    EXPECT_EQ(loadString(h, 32873, 4), L"<Un");
    const wchar_t* direct = nullptr;
    EXPECT_EQ(LoadStringW(h, 32873, reinterpret_cast<LPWSTR>(&direct), 0), 9);
    EXPECT_EQ(std::wstring(direct, 9), L"<Unknown>");

    // Loading again shares the module; it stays until the last FreeLibrary.
    EXPECT_EQ(LoadLibraryW(lng.wstring().c_str()), h);
    EXPECT_EQ(GetModuleHandleW(lng.wstring().c_str()), h);
    wchar_t path[MAX_PATH];
    EXPECT_EQ(std::wstring(path, GetModuleFileNameW(h, path, MAX_PATH)), lng.wstring());
    EXPECT_TRUE(FreeLibrary(h));
    EXPECT_EQ(loadString(h, 32873), L"<Unknown>");
    EXPECT_TRUE(FreeLibrary(h));
    EXPECT_FALSE(host::isLanguageModule(h));
    EXPECT_FALSE(FreeLibrary(h));
    EXPECT_EQ(loadString(h, 32873), L"");
}

TEST(WinModules, MissingOrDamagedModulesAreRefusedWithAMessage) {
    TempFolder tmp;
    host::TranscriptCapture transcript;
    EXPECT_EQ(LoadLibraryW(tmp.wpath("lintaroXX.lng").c_str()), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_TRUE(transcript.text().empty());
    EXPECT_EQ(LoadLibraryW(nullptr), nullptr);

    const auto bad = tmp.path("lintaroBAD.lng");
    TempFolder::write(bad, "STRING 1 \"ok\"\nSTRING 2 broken\n");
    EXPECT_EQ(LoadLibraryW(bad.wstring().c_str()), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BAD_EXE_FORMAT));
    EXPECT_NE(transcript.text().find(L"line 2"), std::wstring::npos)
        << std::string(transcript.text().begin(), transcript.text().end());
    EXPECT_NE(transcript.text().find(L"lintaroBAD.lng"), std::wstring::npos);

    // Binary junk is refused the same way.
    const auto junk = tmp.path("junk.lng");
    TempFolder::write(junk, std::string("\x7f"
                                        "ELF\x02\x01\x01\0\0\0",
                                        10));
    EXPECT_EQ(LoadLibraryW(junk.wstring().c_str()), nullptr);
    // Only language modules are loaded.
    TempFolder::write(tmp.path("x.dll"), "MZ");
    EXPECT_EQ(LoadLibraryW(tmp.wpath("x.dll").c_str()), nullptr);
}

TEST(WinModules, TheAddOnFileLiesInTheModuleFolder) {
    TempFolder tmp;
    wchar_t buf[MAX_PATH];
    {
        EnvVar dir("LINTARO_MODULE_DIR", tmp.root().string() + "/");
        EXPECT_EQ(std::wstring(buf, GetModuleFileNameW(host::addOnModule(), buf, MAX_PATH)),
                  tmp.root().wstring() + L"/lintaro.arx");
    }
    EnvVar none("LINTARO_MODULE_DIR", std::nullopt);
    const std::wstring program(buf, GetModuleFileNameW(nullptr, buf, MAX_PATH));
    EXPECT_TRUE(host::fileExists(program));
    const std::wstring addOn(buf, GetModuleFileNameW(host::addOnModule(), buf, MAX_PATH));
    EXPECT_EQ(addOn, program.substr(0, program.rfind(L'/')) + L"/lintaro.arx");
    EXPECT_EQ(GetModuleHandleW(L"LINTARO.ARX"), host::addOnModule());
    // A path that does not fit is cut, terminated, and reports the buffer size.
    wchar_t small[8];
    EXPECT_EQ(GetModuleFileNameW(host::addOnModule(), small, 8), 8u);
    EXPECT_EQ(std::wstring(small), addOn.substr(0, 7));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}
