#include "host/win/ConsoleUiDriver.h"
#include "host/win/ScriptUiDriver.h"
#include "host/win/Transcript.h"
#include "host/win/UiDriver.h"
#include "host/win/UiEventSource.h"
#include "host/win/WinMessageBox.h"
#include "host/win/WinWindows.h"
#include "tests/host/win/TempFolder.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

namespace {

bool contains(const std::wstring& text, const std::wstring& part) {
    return text.find(part) != std::wstring::npos;
}

size_t count(const std::wstring& text, const std::wstring& part) {
    size_t n = 0;
    for (size_t pos = text.find(part); pos != std::wstring::npos; pos = text.find(part, pos + 1))
        ++n;
    return n;
}

class ThrowingDriver : public host::UiDriver {
public:
    int messageBox(HWND, const std::wstring&, const std::wstring&, UINT) override {
        throw std::runtime_error("x");
    }
};

} // namespace

TEST(ScriptUiDriver, QuestionsAreAnsweredByScriptedEvents) {
    host::UiEventList events{L"yes", L" NO ", L"dialog 1144 = abc"};
    host::ScriptUiDriver driver(&events);
    host::UiDriverScope scope(driver);
    host::TranscriptCapture transcript;

    EXPECT_EQ(MessageBoxW(nullptr, L"Wollen Sie die ganze Zeichnung konvertieren?", L"lintaro",
                          MB_ICONQUESTION | MB_YESNO),
              IDYES);
    EXPECT_EQ(MessageBoxW(nullptr, L"Datei x\naus der Liste entfernen?", L"lintaro", MB_YESNO), IDNO);
    EXPECT_TRUE(contains(transcript.text(), L"[lintaro] Wollen Sie die ganze Zeichnung konvertieren? <Yes>"));
    EXPECT_TRUE(contains(transcript.text(), L"<No>"));
    EXPECT_EQ(events.size(), 1u);

    // The next event is meant for a dialog: the question takes No, says so, and
    // leaves the event for the dialog.
    transcript.clear();
    EXPECT_EQ(MessageBoxW(nullptr, L"Erste Zeile\nzweite Zeile", L"lintaro", MB_YESNO), IDNO);
    EXPECT_TRUE(contains(transcript.text(),
                         L"lintaro: no scripted answer to \"Erste Zeile zweite Zeile\" - answered No."))
        << std::string(transcript.text().begin(), transcript.text().end());
    EXPECT_EQ(events.size(), 1u);

    // An information box needs no answer and does not eat the pending event.
    transcript.clear();
    EXPECT_EQ(MessageBoxW(nullptr, L"\nANY ERROR in unloadApp ", L"lintaro", MB_OK | MB_ICONINFORMATION),
              IDOK);
    EXPECT_EQ(transcript.text(), L"\n[lintaro] ANY ERROR in unloadApp ");
    EXPECT_EQ(events.size(), 1u);
}

TEST(ScriptUiDriver, ButtonsTheBoxDoesNotHaveAreNotAnswers) {
    EXPECT_EQ(host::scriptedButton(L"yes", MB_OK), 0);
    EXPECT_EQ(host::scriptedButton(L"ok", MB_OK), IDOK);
    EXPECT_EQ(host::scriptedButton(L"Cancel", MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(host::scriptedButton(L"cancel", MB_YESNO), 0);
    EXPECT_EQ(host::scriptedButton(L"retry", MB_ABORTRETRYIGNORE), IDRETRY);
    EXPECT_EQ(host::scriptedButton(L"menu 32798", MB_YESNO), 0);
    EXPECT_EQ(host::unansweredButton(MB_YESNOCANCEL), IDNO);
    EXPECT_EQ(host::unansweredButton(MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(host::unansweredButton(MB_OK), IDOK);

    host::UiEventList events{L"cancel"};
    host::ScriptUiDriver driver(&events);
    host::UiDriverScope scope(driver);
    host::TranscriptCapture transcript;
    EXPECT_EQ(MessageBoxW(nullptr, L"Speichern?", L"lintaro", MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(events.size(), 0u);
    EXPECT_EQ(MessageBoxW(nullptr, L"Speichern?", L"lintaro", MB_OKCANCEL), IDCANCEL);
    EXPECT_TRUE(contains(transcript.text(), L"answered Cancel."));
}

TEST(ScriptUiDriver, DefaultDriverAndMisbehavingDrivers) {
    host::TranscriptCapture transcript;
    // Nothing set: questions take No, information goes to the transcript.
    EXPECT_EQ(MessageBoxW(nullptr, L"Frage?", L"lintaro", MB_YESNO), IDNO);
    EXPECT_EQ(MessageBoxW(nullptr, nullptr, nullptr, MB_OK), IDOK);
    EXPECT_TRUE(contains(transcript.text(), L"[Error] "));
    ThrowingDriver bad;
    host::UiDriverScope scope(bad);
    EXPECT_EQ(MessageBoxW(nullptr, L"Frage?", L"lintaro", MB_YESNO), IDNO);

    EXPECT_EQ(GetActiveWindow(), nullptr);
    HWND dialog = reinterpret_cast<HWND>(0x1234);
    EXPECT_EQ(host::setActiveWindow(dialog), nullptr);
    EXPECT_EQ(GetActiveWindow(), dialog);
    host::setActiveWindow(nullptr);
}

TEST(ConsoleUiDriver, AsksUntilTheAnswerFitsTheBox) {
    std::istringstream in("vielleicht\nJa\nabbrechen\n\nn\n");
    host::ConsoleUiDriver driver(in);
    host::UiDriverScope scope(driver);
    host::TranscriptCapture transcript;
    EXPECT_EQ(MessageBoxW(nullptr, L"Konvertieren?", L"lintaro", MB_YESNO), IDYES);
    EXPECT_EQ(count(transcript.text(), L" [Yes/No]: "), 2u) << "asked again after a word it does not know";
    // "abbrechen" and the empty line are no answers to a yes/no question.
    EXPECT_EQ(MessageBoxW(nullptr, L"Noch einmal?", L"lintaro", MB_YESNO), IDNO);
    // Information boxes do not read anything.
    EXPECT_EQ(MessageBoxW(nullptr, L"Info", L"lintaro", MB_OK), IDOK);
    // The end of the input takes the unanswered default.
    EXPECT_EQ(MessageBoxW(nullptr, L"Speichern?", L"lintaro", MB_YESNOCANCEL), IDNO);
    EXPECT_EQ(host::typedButton(L" A ", MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(host::typedButton(L"a", MB_ABORTRETRYIGNORE), IDABORT);
    EXPECT_EQ(host::typedButton(L"ok", MB_YESNO), 0);
}

TEST(ConsoleUiDriver, FileChooserAsksUntilThePathFitsAndEnterCancels) {
    testing_support::TempFolder tmp;
    testing_support::TempFolder::write(tmp.path("a.dwg"), "x");
    const std::string a = tmp.path("a.dwg").string();
    std::istringstream in(tmp.path("none.dwg").string() + "\n" + a + " | " + a + "\n  " + a + "  \n\n");
    host::ConsoleUiDriver driver(in);
    host::TranscriptCapture transcript;
    host::FileChooserRequest request;
    request.title = L"Open";
    std::vector<std::wstring> chosen;
    ASSERT_TRUE(driver.chooseFiles(request, chosen));
    EXPECT_EQ(chosen, (std::vector<std::wstring>{tmp.wpath("a.dwg")}));
    EXPECT_TRUE(contains(transcript.text(), L"does not exist."));
    EXPECT_TRUE(contains(transcript.text(), L"takes one path only."));
    EXPECT_FALSE(driver.chooseFiles(request, chosen)) << "Enter cancels";
    EXPECT_TRUE(chosen.empty());
    EXPECT_FALSE(driver.chooseFiles(request, chosen)) << "the end of the input cancels";
}
