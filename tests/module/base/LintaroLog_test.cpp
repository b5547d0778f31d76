#include "module/base/LintaroLog.h"

#include "host/win/ScriptUiDriver.h"
#include "host/win/Transcript.h"
#include "host/win/UiDriver.h"
#include "host/win/UiEventSource.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/IniStorage.h"
#include "tests/module/IniStorageReset.h"
#include "tests/host/win/TempFolder.h"

#include <gtest/gtest.h>

#include <regex>

using testing_support::TempFolder;

namespace {

std::string narrow(const std::wstring& w) {
    return std::string(w.begin(), w.end());
}

size_t count(const std::wstring& text, const std::wstring& part) {
    size_t n = 0;
    for (size_t pos = text.find(part); pos != std::wstring::npos; pos = text.find(part, pos + 1))
        ++n;
    return n;
}

class LogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetIniStorageForTests();
        DeleteLogFile();
        pGlobDimOptions = &m_options;
    }
    void TearDown() override {
        pGlobDimOptions = nullptr;
        DeleteLogFile();
        ResetIniStorageForTests();
    }
    std::filesystem::path logFile() const { return m_tmp.path("tmp/Lintaro.log"); }

    TempFolder m_tmp;
    CGlobDimOptions m_options;
    host::TranscriptCapture m_transcript;
};

} // namespace

TEST_F(LogTest, NothingIsLoggedUnlessDebugMsgIsOn) {
    pGlobDimOptions = nullptr;
    LogMsg(L"\nwithout options");
    LogFmt(L"\n%s", L"without options");
    pGlobDimOptions = &m_options;
    m_options.m_bDebugMsg = false;
    LogMsg(L"\noff");
    { CTimeLog timer(L"--off--"); }
    EXPECT_FALSE(std::filesystem::exists(logFile()));
    EXPECT_EQ(m_transcript.text(), L"");
}

TEST_F(LogTest, LogShowsItsPathOnceAndAppendsEveryLine) {
    m_options.m_bDebugMsg = true;
    LogMsg(L"\nerste Zeile ");
    LogFmt(L"\nSaveIniBuffer(%d,%d) %s ", 1, 0, L"lintaro.ini");
    LogMsg(nullptr);
    LogFmt(nullptr);
    EXPECT_EQ(TempFolder::read(logFile()), "\nerste Zeile \nSaveIniBuffer(1,0) lintaro.ini ");
    // The path box comes once per run, and only the box: the lines stay in the file.
    EXPECT_EQ(count(m_transcript.text(), logFile().wstring()), 1u) << narrow(m_transcript.text());
    EXPECT_EQ(count(m_transcript.text(), L"erste Zeile"), 0u);

    // wvsprintfW's limit: a formatted line is cut, never overruns.
    const size_t before = TempFolder::read(logFile()).size();
    const std::wstring longText(5000, L'x');
    LogFmt(L"%s", longText.c_str());
    EXPECT_EQ(TempFolder::read(logFile()).size(), before + 1023u);

    // A new run (after the exit deleted the log) shows the path again.
    DeleteLogFile();
    EXPECT_FALSE(std::filesystem::exists(logFile()));
    LogMsg(L"\nzweiter Lauf");
    EXPECT_EQ(count(m_transcript.text(), logFile().wstring()), 2u);
    EXPECT_EQ(TempFolder::read(logFile()), "\nzweiter Lauf");
}

TEST_F(LogTest, TimedSectionsWriteTheirLines) {
    m_options.m_bDebugMsg = true;
    {
        CTimeLog timer(L"--CGlobDimOptions::LoadOptions--");
        timer.Start(L" xx SaveIniBuffer xx "); // writes the pending line first
    }
    {
        CTimeLog unnamed;
        unnamed.Start(nullptr);
        unnamed.Stop();
        unnamed.Stop(); // a stopped timer writes nothing more
    }
    const std::string log = TempFolder::read(logFile());
    const std::regex expected("\n  >> --CGlobDimOptions::LoadOptions--: [0-9]+\\.[0-9]{3} sec\\. "
                              "\n  >>  xx SaveIniBuffer xx : [0-9]+\\.[0-9]{3} sec\\. "
                              "\n  >> \\?\\?\\? [0-9]+\\.[0-9]{2} sec ");
    EXPECT_TRUE(std::regex_match(log, expected)) << log;
}

TEST_F(LogTest, ExitRemovesTheLogOfTheRun) {
    // Nothing to delete is no error and no message.
    DeleteLogFile();
    EXPECT_EQ(m_transcript.text(), L"");
    // A log left by an earlier run goes at exit even when this run logged nothing.
    TempFolder::write(logFile(), "old run");
    DeleteLogFile();
    EXPECT_FALSE(std::filesystem::exists(logFile()));
    EXPECT_EQ(m_transcript.text(), L"");
}

TEST_F(LogTest, MessageBoxesCarryTheTitleAndFollowTheScript) {
    host::UiEventList events{L"yes", L"no"};
    host::ScriptUiDriver driver(&events);
    host::UiDriverScope scope(driver);

    MsgBox(L"");
    MsgBox(static_cast<const wchar_t*>(nullptr));
    EXPECT_EQ(m_transcript.text(), L"");
    MsgBox(L"Ungültige Lintaro-INI-Datei!");
    EXPECT_EQ(m_transcript.text(), L"\n[lintaro] Ungültige Lintaro-INI-Datei!");
    m_transcript.clear();
    MsgBoxFmt(L"\nDatei '%s' nicht gefunden...", L"/x/a.ini");
    EXPECT_EQ(m_transcript.text(), L"\n[lintaro] Datei '/x/a.ini' nicht gefunden...");
    // Information boxes leave the scripted answers for the questions.
    EXPECT_EQ(events.size(), 2u);

    EXPECT_TRUE(AskYesNo(L"Wollen Sie die ganze Zeichnung konvertieren?"));
    EXPECT_FALSE(AskYesNoFmt(L"Wollen Sie die Datei %s\naus der Liste wirklich entfernen?", L"b.ini"));
    m_transcript.clear();
    EXPECT_FALSE(AskYesNo(L"Noch eine Frage?"));
    EXPECT_NE(m_transcript.text().find(L"no scripted answer to \"Noch eine Frage?\" - answered No."),
              std::wstring::npos);
}
