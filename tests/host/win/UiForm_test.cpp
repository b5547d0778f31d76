#include "host/win/ConsoleUiDriver.h"
#include "host/win/ScriptUiDriver.h"
#include "host/win/Transcript.h"
#include "host/win/UiForm.h"
#include "host/win/UiPalette.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

bool contains(const std::wstring& text, const std::wstring& part) {
    return text.find(part) != std::wstring::npos;
}

// A form with one edit (7) and OK (1): records the actions, OK ends it.
class FakeForm : public host::UiForm {
public:
    std::vector<std::wstring> log;
    bool ended = false, cancelled = false;

    int formId() const override { return 42; }
    std::wstring formCaption() const override { return L"Test"; }
    std::vector<host::UiControlView> formControls() const override {
        host::UiControlView edit;
        edit.id = 7;
        edit.kind = L"edit";
        edit.text = m_text;
        host::UiControlView list;
        list.id = 8;
        list.kind = L"combo";
        list.items = {L"a", L"b"};
        list.enabled = false;
        return {edit, list};
    }
    bool formSetText(int id, const std::wstring& text, std::wstring& error) override {
        if (id != 7) return refuse(error);
        m_text = text;
        log.push_back(L"text " + text);
        return true;
    }
    bool formSelect(int, const std::wstring&, std::wstring& error) override { return refuse(error); }
    bool formCheck(int, int, std::wstring& error) override { return refuse(error); }
    bool formClick(int id, std::wstring& error) override {
        if (id != 1) return refuse(error);
        ended = true;
        return true;
    }
    bool formMenuCommand(int, std::wstring& error) override { return refuse(error); }
    bool formEnded() const override { return ended; }
    void formCancel() override { cancelled = ended = true; }

private:
    static bool refuse(std::wstring& error) {
        error = L"refused";
        return false;
    }
    std::wstring m_text;
};

} // namespace

TEST(UiForm, ActionsAreReadAsWrittenAndMalformedOnesAreRefused) {
    std::wstring error;
    auto a = host::parseFormAction(L"1144 =  Wand  Süd ", error);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->kind, host::UiFormAction::Kind::SetText);
    EXPECT_EQ(a->id, 1144);
    EXPECT_EQ(a->text, L"Wand  Süd"); // inner blanks kept
    a = host::parseFormAction(L"1144=", error);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->text, L""); // empties the control
    a = host::parseFormAction(L"select 1020 5   mm", error);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->text, L"5   mm");
    a = host::parseFormAction(L"CHECK 1040 2", error);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->state, 2);
    a = host::parseFormAction(L"click -1", error);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->id, -1);

    for (const wchar_t* bad : {L"click", L"click x", L"click 70000", L"click -2", L"click 1 2",
                               L"check 1040 3", L"check 1040", L"select 1020", L"1020 abc", L"", L"open 5"}) {
        error.clear();
        EXPECT_FALSE(host::parseFormAction(bad, error)) << bad;
        EXPECT_FALSE(error.empty()) << bad;
    }
}

TEST(UiForm, TheScriptDriverWorksADialogUntilItEndsOrCancelsIt) {
    host::TranscriptCapture transcript;
    {
        host::UiEventList events{L"dialog 7 = abc", L"dialog click 9", L"dialog click 1",
                                 L"dialog 7 = later"};
        host::ScriptUiDriver driver(&events);
        FakeForm form;
        driver.runDialog(form);
        EXPECT_FALSE(form.cancelled);
        EXPECT_EQ(form.log, std::vector<std::wstring>{L"text abc"});
        EXPECT_EQ(events.size(), 1u); // left for the next dialog
        EXPECT_TRUE(contains(transcript.text(), L"Test: refused - \"@dialog click 9\" ignored."));
    }
    {
        // A message-box answer is not a dialog event: the dialog is cancelled and the
        // answer stays for the box.
        host::UiEventList events{L"yes"};
        host::ScriptUiDriver driver(&events);
        FakeForm form;
        transcript.clear();
        driver.runDialog(form);
        EXPECT_TRUE(form.cancelled);
        EXPECT_EQ(events.size(), 1u);
        EXPECT_TRUE(contains(transcript.text(), L"Test: no scripted answer - dialog cancelled."));
        host::ScriptUiDriver silent;
        FakeForm other;
        silent.runDialog(other);
        EXPECT_TRUE(other.cancelled);
    }
}

TEST(UiForm, TheConsoleDriverShowsTheFormAndAsksUntilTheDialogEnds) {
    host::TranscriptCapture transcript;
    std::istringstream in("?\nclick 9\n7 = typed\nok\n");
    host::ConsoleUiDriver driver(in);
    FakeForm form;
    driver.runDialog(form);
    EXPECT_FALSE(form.cancelled);
    EXPECT_EQ(form.log, std::vector<std::wstring>{L"text typed"});
    const std::wstring& t = transcript.text();
    EXPECT_TRUE(contains(t, L"[Dialog 42] Test\n  [7] edit \"\"\n  [8] combo \"\" {a|b} (disabled)"));
    EXPECT_TRUE(contains(t, L"refused - nothing changed."));

    std::istringstream ended("7 = x\n");
    host::ConsoleUiDriver short_(ended);
    FakeForm cut;
    short_.runDialog(cut);
    EXPECT_TRUE(cut.cancelled); // the end of the input cancels

    host::UiMenuView menu = {{10, L"&Summe", 0, false, false, true, false},
                             {0, L"Führung", 0, true, false, true, false},
                             {11, L"zeichnen", 1, false, false, false, false}};
    std::istringstream answers("11\nabc\n10\n");
    host::ConsoleUiDriver asker(answers);
    transcript.clear();
    EXPECT_EQ(asker.trackPopupMenu(menu), 10u); // greyed 11 and a word are asked again
    EXPECT_TRUE(contains(transcript.text(), L"[11] zeichnen (greyed)"));
    std::istringstream enter("\n");
    host::ConsoleUiDriver none(enter);
    EXPECT_EQ(none.trackPopupMenu(menu), 0u);
}
