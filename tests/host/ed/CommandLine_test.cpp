#include "EdSession.h"

#include "host/ed/commands/CommandHooks.h"
#include "host/ed/input/EditorInput.h"
#include "host/ed/SysVars.h"
#include "host/rx/acutString.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::vector<std::wstring> g_seen; // what the test commands observed, in order

std::wstring cmdNames() {
    resbuf rb{};
    if (acedGetVar(L"CMDNAMES", &rb) != RTNORM || rb.restype != RTSTR) return L"<error>";
    std::wstring v = rb.resval.rstring;
    acutDelString(rb.resval.rstring);
    return v;
}

void recordNames() { g_seen.push_back(L"names=" + cmdNames()); }
void outer() {
    g_seen.push_back(L"outer=" + cmdNames());
    host::commandLine().execute(L"TEST_Inner");
    g_seen.push_back(L"after=" + cmdNames());
}
void inner() { g_seen.push_back(L"inner=" + cmdNames()); }
void selfCalling() { host::commandLine().execute(L"TEST_Self"); }
void throwing() { throw std::runtime_error("boom"); }

// Asks for points until Enter or cancel, as a drawing command does.
void askPoints() {
    ads_point p;
    for (;;) {
        const int rc = acedGetPoint(nullptr, L"\nNext point: ", p);
        g_seen.push_back(L"rc=" + std::to_wstring(rc));
        if (rc != RTNORM) return;
    }
}
// A careless command that asks again even after a cancel.
void neverStops() {
    ads_point p;
    for (;;) acedGetPoint(nullptr, L"\nPoint: ", p);
}
void postsAnother() {
    acedPostCommand(L"TEST_Names ");
    g_seen.push_back(L"posted while " + cmdNames());
    ads_point p;
    g_seen.push_back(L"rc=" + std::to_wstring(acedGetPoint(nullptr, L"\nPoint: ", p)));
}
void cancelsItself() {
    acedPostCommand(L"\x1b\x1b");
    ads_point p;
    g_seen.push_back(L"rc=" + std::to_wstring(acedGetPoint(nullptr, L"\nPoint: ", p)));
}

void add(const wchar_t* global, const wchar_t* local, AcRxFunctionPtr f, int flags = ACRX_CMD_MODAL) {
    ASSERT_EQ(acedRegCmds->addCommand(L"TEST_GROUP", global, local, flags, f), Acad::eOk);
}

class CommandLineTest : public EdSession {
protected:
    void SetUp() override {
        EdSession::SetUp();
        g_seen.clear();
    }
};

} // namespace

TEST_F(CommandLineTest, RunsCommandsByAnyNameAndSaysSoForUnknownOnes) {
    add(L"TEST_Names", L"TEST_Lokal", &recordNames);
    run(L"test_names\n_TEST_NAMES\n._test_names\nTEST_LOKAL\nFOO\n; a comment\n\nTEST_Names\n");
    EXPECT_EQ(g_seen.size(), 5u) << "four spellings and the run after the unknown command";
    for (const std::wstring& s : g_seen) EXPECT_EQ(s, L"names=TEST_Names") << "CMDNAMES shows the registered name";
    EXPECT_TRUE(said(L"Unknown command \"FOO\".  Type HELP for a list of commands."));
    EXPECT_TRUE(said(L"\nCommand: test_names")) << "the script's answers are echoed after the prompt";
    EXPECT_EQ(cmdNames(), L"") << "CMDNAMES is empty between commands";
}

TEST_F(CommandLineTest, NestedCommandsShowInCmdNamesAndDepthIsBounded) {
    add(L"TEST_Outer", L"TEST_Outer", &outer);
    add(L"TEST_Inner", L"TEST_Inner", &inner);
    add(L"TEST_Self", L"TEST_Self", &selfCalling);
    std::vector<std::wstring> hooks;
    const int b = host::commandHooks().addBegin(
        [&](const std::wstring& n, int depth) { hooks.push_back(L"begin " + n + L" " + std::to_wstring(depth)); });
    const int e = host::commandHooks().addEnd([&](const std::wstring& n, int depth, host::CommandOutcome) {
        hooks.push_back(L"end " + n + L" " + std::to_wstring(depth));
    });
    run(L"TEST_Outer\nTEST_Self\n");
    host::commandHooks().remove(b);
    host::commandHooks().remove(e);

    EXPECT_EQ(g_seen, (std::vector<std::wstring>{L"outer=TEST_Outer", L"inner=TEST_Outer'TEST_Inner",
                                                 L"after=TEST_Outer"}));
    ASSERT_GE(hooks.size(), 4u);
    EXPECT_EQ(std::vector<std::wstring>(hooks.begin(), hooks.begin() + 4),
              (std::vector<std::wstring>{L"begin TEST_Outer 1", L"begin TEST_Inner 2", L"end TEST_Inner 2",
                                         L"end TEST_Outer 1"}));
    EXPECT_TRUE(said(L"Commands nested too deep; TEST_Self was not run.")) << "a self-calling command is stopped";
    EXPECT_EQ(host::commandLine().depth(), 0);
}

TEST_F(CommandLineTest, OutcomesReachTheHooksAndFailuresDoNotStopTheScript) {
    add(L"TEST_Points", L"TEST_Points", &askPoints);
    add(L"TEST_Throw", L"TEST_Throw", &throwing);
    std::vector<host::CommandOutcome> outcomes;
    const int e = host::commandHooks().addEnd(
        [&](const std::wstring&, int, host::CommandOutcome o) { outcomes.push_back(o); });
    run(L"TEST_Points\n1,2\n\nTEST_Points\n3,4\nESC\nTEST_Throw\nTEST_Points\n");
    host::commandHooks().remove(e);

    EXPECT_EQ(outcomes, (std::vector<host::CommandOutcome>{host::CommandOutcome::Ended,
                                                           host::CommandOutcome::Cancelled,
                                                           host::CommandOutcome::Failed,
                                                           host::CommandOutcome::Ended}));
    EXPECT_TRUE(said(L"Command TEST_Throw failed."));
    EXPECT_TRUE(said(L"*Cancel*"));
    // The last command found the script at its end and got Enter.
    EXPECT_EQ(g_seen, (std::vector<std::wstring>{L"rc=5100", L"rc=5000", L"rc=5100", L"rc=-5002", L"rc=5000"}));
}

TEST_F(CommandLineTest, ACommandThatIgnoresCancelIsEndedWhenTheInputRunsOut) {
    add(L"TEST_Forever", L"TEST_Forever", &neverStops);
    add(L"TEST_Names", L"TEST_Names", &recordNames);
    run(L"TEST_Forever\n0,0\n");
    EXPECT_TRUE(said(L"The input ended while TEST_Forever was still asking; the command was ended."));
    EXPECT_EQ(host::commandLine().depth(), 0);
    // The command line is usable again.
    run(L"TEST_Names\n");
    EXPECT_EQ(g_seen, std::vector<std::wstring>{L"names=TEST_Names"});
}

TEST_F(CommandLineTest, PostedCommandsWaitForTheCurrentOneAndEscCancelsAtOnce) {
    add(L"TEST_Poster", L"TEST_Poster", &postsAnother);
    add(L"TEST_Names", L"TEST_Names", &recordNames);
    add(L"TEST_Cancel", L"TEST_Cancel", &cancelsItself);
    run(L"TEST_Poster\n5,5\nTEST_Cancel\n");
    EXPECT_EQ(g_seen, (std::vector<std::wstring>{L"posted while TEST_Poster", L"rc=5100", L"names=TEST_Names",
                                                 L"rc=-5002"}))
        << "the posted command runs after the poster has read its own point, and ESC cancels the prompt";
    EXPECT_FALSE(host::hostInput().hasPosted()) << "a second ESC left over at the prompt is dropped";

    // Posted at the command prompt, words run in order and answer the command's prompts.
    g_seen.clear();
    add(L"TEST_Points", L"TEST_Points", &askPoints);
    acedPostCommand(L"TEST_Points 1,1 2,2  ");
    host::commandLine().run();
    EXPECT_EQ(g_seen, (std::vector<std::wstring>{L"rc=5100", L"rc=5100", L"rc=5000"}));
    EXPECT_FALSE(acedPostCommand(nullptr));
}

TEST_F(CommandLineTest, QuitEndsTheLoopAndTransparentCommandsRunInsideAPrompt) {
    add(L"TEST_Points", L"TEST_Points", &askPoints);
    add(L"TEST_Look", L"TEST_Look", &recordNames, ACRX_CMD_TRANSPARENT);
    run(L"TEST_Points\n'TEST_Look\n1,1\n\nQUIT\nTEST_Look\n");
    EXPECT_EQ(g_seen, (std::vector<std::wstring>{L"names=TEST_Points'TEST_Look", L"rc=5100", L"rc=5000"}));
    EXPECT_TRUE(said(L"Resuming TEST_Points command."));
    EXPECT_TRUE(host::commandLine().quitRequested()) << "nothing after QUIT ran";
}

TEST_F(CommandLineTest, AVariableNameAsksForItsValueAndABadAnswerChangesNothing) {
    auto& vars = host::sysVars();
    vars.defineStored(L"TESTSHORT", host::VarValue::ofShort(1));
    vars.defineStored(L"TESTREAL", host::VarValue::ofReal(2.5));
    vars.defineStored(L"TESTTEXT", host::VarValue::ofString(L"alt"));
    vars.defineStored(L"TESTFIXED", host::VarValue::ofShort(7), true);
    // Takes 0 or 1 only, as a switch does.
    short sw = 1;
    vars.define(
        L"TESTSWITCH", [&] { return host::VarValue::ofShort(sw); },
        [&](const host::VarValue& v) {
            if (v.integer != 0 && v.integer != 1) return false;
            sw = static_cast<short>(v.integer);
            return true;
        });
    run(L"testshort\n0\nTESTREAL\n0.25\nTESTTEXT\nneu Maß\nTESTSHORT\n\nTESTSWITCH\n0\n"
        L"TESTSWITCH\n5\nTESTSHORT\nabc\nTESTSHORT\n99999\nTESTREAL\n1,5\nTESTFIXED\n3\n");
    EXPECT_EQ(vars.get(L"TESTSHORT")->integer, 0) << "set, then kept by Enter and by bad answers";
    EXPECT_NEAR(vars.get(L"TESTREAL")->real, 0.25, 1e-12);
    EXPECT_EQ(vars.get(L"TESTTEXT")->text, L"neu Maß");
    EXPECT_EQ(sw, 0) << "5 is refused by the variable's owner";
    EXPECT_EQ(vars.get(L"TESTFIXED")->integer, 7);
    EXPECT_TRUE(said(L"Enter new value for TESTSHORT <1>: 0"));
    EXPECT_TRUE(said(L"Enter new value for TESTSHORT <0>: "));
    EXPECT_TRUE(said(L"TESTSWITCH does not take \"5\"; it stays 0."));
    EXPECT_TRUE(said(L"TESTSHORT does not take \"abc\"; it stays 0."));
    EXPECT_TRUE(said(L"TESTSHORT does not take \"99999\"; it stays 0."));
    EXPECT_TRUE(said(L"TESTREAL does not take \"1,5\"; it stays 0.25."));
    EXPECT_TRUE(said(L"TESTFIXED does not take \"3\"; it stays 7."));
    EXPECT_FALSE(said(L"Unknown command \"TESTSHORT\""));
    for (const wchar_t* name : {L"TESTSHORT", L"TESTREAL", L"TESTTEXT", L"TESTFIXED", L"TESTSWITCH"})
        vars.undefine(name);
}
