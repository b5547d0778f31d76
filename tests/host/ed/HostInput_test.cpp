#include "EdSession.h"

#include "host/ed/input/EditorInput.h"
#include "host/win/UiEventQueue.h"

#include <sstream>

using host::InputItem;
using host::InputKind;

namespace {
std::vector<std::wstring> kinds(const std::vector<InputItem>& items) {
    std::vector<std::wstring> out;
    for (const InputItem& i : items) {
        switch (i.kind) {
        case InputKind::Text: out.push_back(L"T:" + i.text); break;
        case InputKind::Enter: out.push_back(L"Enter"); break;
        case InputKind::Cancel: out.push_back(L"Cancel"); break;
        case InputKind::End: out.push_back(L"End"); break;
        }
    }
    return out;
}

class HostInputTest : public EdSession {};
} // namespace

TEST(InputLines, EachLineKindIsRecognised) {
    std::wstring event;
    auto kind = [&](const std::wstring& line) -> std::wstring {
        std::optional<InputItem> i = host::classifyLine(line, &event);
        if (!event.empty()) return L"event:" + event;
        if (!i) return L"comment";
        return kinds({*i}).front();
    };
    EXPECT_EQ(kind(L"XOTA_Hdim"), L"T:XOTA_Hdim");
    EXPECT_EQ(kind(L"  10,20  "), L"T:10,20") << "blanks around an answer do not count";
    EXPECT_EQ(kind(L"Text with  inner blanks"), L"T:Text with  inner blanks");
    EXPECT_EQ(kind(L""), L"Enter");
    EXPECT_EQ(kind(L"   \t"), L"Enter");
    EXPECT_EQ(kind(L"ESC"), L"Cancel");
    EXPECT_EQ(kind(L"esc"), L"Cancel");
    EXPECT_EQ(kind(L"ESCAPE"), L"T:ESCAPE");
    EXPECT_EQ(kind(L"\x1b"), L"Cancel");
    EXPECT_EQ(kind(L"; comment"), L"comment");
    EXPECT_EQ(kind(L"  ;indented comment"), L"comment");
    EXPECT_EQ(kind(L"@yes"), L"event:yes");
    EXPECT_EQ(kind(L"@dialog 1144 = abc"), L"event:dialog 1144 = abc");
    EXPECT_EQ(kind(L"@10,5"), L"T:@10,5") << "a relative point is an answer, not an event";
    EXPECT_EQ(kind(L"@-3,4"), L"T:@-3,4");
    EXPECT_EQ(kind(L"@"), L"T:@");
}

TEST(InputLines, PostedTextSplitsLikeTheCommandLine) {
    EXPECT_EQ(kinds(host::postedWords(L"XOTA_LintaroPopUp ")), std::vector<std::wstring>{L"T:XOTA_LintaroPopUp"});
    EXPECT_EQ(kinds(host::postedWords(L"\x1b\x1b")), (std::vector<std::wstring>{L"Cancel", L"Cancel"}));
    EXPECT_EQ(kinds(host::postedWords(L"_LINE 0,0 1,1  ")),
              (std::vector<std::wstring>{L"T:_LINE", L"T:0,0", L"T:1,1", L"Enter"}));
    EXPECT_EQ(kinds(host::postedWords(L"half\x1bNEXT\n")), (std::vector<std::wstring>{L"Cancel", L"T:NEXT"}))
        << "ESC throws away what was typed before it";
    EXPECT_EQ(kinds(host::postedWords(L"UNENDED")), std::vector<std::wstring>{L"T:UNENDED"});
    EXPECT_TRUE(host::postedWords(L"").empty());
}

TEST_F(HostInputTest, ScriptsEndWithEnterThenCancelAndNestedScriptsComeFirst) {
    host::HostInput& in = host::hostInput();
    script(L"outer1\nouter2\n");
    EXPECT_EQ(in.readAtCommandPrompt().text, L"outer1");
    script(L"; nested script\r\ninner1\r\n");
    EXPECT_EQ(in.readAnswer().text, L"inner1") << "CR LF line ends are fine";
    EXPECT_EQ(in.readAnswer().text, L"outer2");
    EXPECT_EQ(in.readAnswer().kind, InputKind::Enter) << "the first answer after the end is Enter";
    EXPECT_EQ(in.readAnswer().kind, InputKind::Cancel);
    EXPECT_EQ(in.readAnswer().kind, InputKind::Cancel);
    EXPECT_EQ(in.readAtCommandPrompt().kind, InputKind::End);
    EXPECT_THROW(
        {
            for (int i = 0; i < 1000; ++i) in.readAnswer();
        },
        host::InputExhausted)
        << "a command that keeps asking is ended, never left hanging";
}

TEST_F(HostInputTest, GuiEventsGoToTheirHandlerOrAreReportedAndOnlyTheNextOneFeedsADialog) {
    host::HostInput& in = host::hostInput();
    in.prompt(L"\nCommand: ");
    std::vector<std::wstring> handled;
    in.setEventHandler([&](const std::wstring& e) {
        handled.push_back(e);
        return e.starts_with(L"palette");
    });
    script(L"@palette click 1\n@yes\nCMD\n@dialog 1144 = abc\n; between\n@dialog click 1\nNEXT\n");
    EXPECT_EQ(in.readAtCommandPrompt().text, L"CMD");
    EXPECT_EQ(handled, (std::vector<std::wstring>{L"palette click 1", L"yes"}));
    EXPECT_TRUE(said(L"nothing is waiting for \"@yes\" - ignored.\nCommand: CMD"))
        << "an unexpected answer is not kept for later, and the prompt is shown again";

    // The dialog that opens now takes its answers from the lines that follow.
    host::UiEventQueue queue;
    queue.setFeeder([&] { return in.nextUiEvent(); });
    ASSERT_EQ(queue.peekEvent(), std::optional<std::wstring>(L"dialog 1144 = abc"));
    queue.popEvent();
    ASSERT_EQ(queue.peekEvent(), std::optional<std::wstring>(L"dialog click 1")) << "comments are skipped";
    queue.popEvent();
    EXPECT_EQ(queue.peekEvent(), std::nullopt) << "a command line is not a dialog answer";
    EXPECT_EQ(in.readAtCommandPrompt().text, L"NEXT") << "and it is still read by the command line";
}

// acedUsrBrk between the steps of a long command: an "ESC" line that stands next in a
// script, or an ESC posted during the command, is taken; any other next line stays for
// whoever reads next; a person at the console is never waited for.
TEST_F(HostInputTest, UserBreakTakesOnlyAnEscThatStandsNext) {
    host::HostInput& in = host::hostInput();
    script(L"LONG\n; a comment\nESC\n@yes\nanswer\n");
    EXPECT_EQ(in.readAtCommandPrompt().text, L"LONG");
    in.enterCommand();
    EXPECT_EQ(acedUsrBrk(), 1) << "the ESC after a comment is taken";
    EXPECT_EQ(acedUsrBrk(), 0) << "taken once";
    host::UiEventQueue queue;
    queue.setFeeder([&] { return in.nextUiEvent(); });
    EXPECT_EQ(queue.peekEvent(), std::optional<std::wstring>(L"yes")) << "the question's answer follows";
    queue.popEvent();
    EXPECT_EQ(acedUsrBrk(), 0);
    EXPECT_EQ(in.readAnswer().text, L"answer") << "a line looked at is not lost";
    in.post(L"\x1b");
    EXPECT_EQ(acedUsrBrk(), 1) << "a posted ESC during the command";
    EXPECT_EQ(in.readAnswer().kind, InputKind::Enter) << "and it is not answered a second time";
    in.leaveCommand();

    in.reset();
    std::istringstream typed("ESC\n");
    in.pushSource(std::make_unique<host::StreamSource>(typed, true));
    EXPECT_EQ(acedUsrBrk(), 0) << "the console is not read ahead";
    EXPECT_EQ(in.readAtCommandPrompt().kind, InputKind::Cancel);
}

TEST(InputSources, ScriptFilesAreCheckedBeforeUse) {
    std::wstring error;
    EXPECT_EQ(host::ScriptSource::open("/nonexistent/dir/x.scr", error), nullptr);
    EXPECT_NE(error.find(L"Cannot open script file"), std::wstring::npos);
    error.clear();
    EXPECT_EQ(host::ScriptSource::open("/tmp", error), nullptr) << "a folder is not a script";
    EXPECT_FALSE(error.empty());

    std::istringstream typed("first\r\nzwei \xC3\x9F\n");
    host::StreamSource console(typed, true);
    EXPECT_TRUE(console.isInteractive());
    EXPECT_EQ(console.readLine(), std::optional<std::wstring>(L"first"));
    EXPECT_EQ(console.readLine(), std::optional<std::wstring>(L"zwei \u00DF")) << "typed text is UTF-8";
    EXPECT_EQ(console.readLine(), std::nullopt);
}
