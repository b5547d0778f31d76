// The command-line habits of CAD users: HELP, aliases, names close to a slip, Enter
// repeating the last command, UNDO with marks, OOPS, and the interrupted prompt coming
// back after a transparent command.
#include "EdSession.h"

#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/ed/commands/CommandAliases.h"
#include "host/ed/commands/CommandHelp.h"
#include "host/ed/input/InputCommands.h"
#include "host/rx/adscodes.h"
#include "host/win/Utf8.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

class CommandHabits : public DrawingSession {
protected:
    void SetUp() override {
        DrawingSession::SetUp();
        host::registerHelpCommands();
        host::registerInputCommands();
        host::commandAliases().clear();
        host::commandAliases().parse(host::CommandAliases::defaultFileText());
    }
    void TearDown() override {
        host::commandAliases().clear();
        DrawingSession::TearDown();
    }
    size_t liveEntities() const {
        AcDbBlockTableRecord* space = nullptr;
        if (acdbOpenObject(space, m_db->modelSpaceId(), AcDb::kForRead) != Acad::eOk) return 0;
        size_t n = 0;
        for (AcDbObjectId id : space->entityIds()) n += id.isErased() ? 0 : 1;
        space->close();
        return n;
    }
    size_t count(const std::wstring& text) const {
        size_t n = 0;
        for (size_t at = transcript.text().find(text); at != std::wstring::npos;
             at = transcript.text().find(text, at + 1))
            ++n;
        return n;
    }
};

TEST_F(CommandHabits, AliasesRunTheirCommandsAndNeverHideOne) {
    run(L"L\n0,0\n10,0\n\nC\n5,5\n2\n");
    EXPECT_EQ(liveEntities(), 2u) << transcript.text();

    // An alias that names a command itself is not followed in circles, and a command of
    // the same name as an alias wins.
    host::commandAliases().clear();
    host::commandAliases().parse(L"LINE, *CIRCLE\nQQ, *QQ\n");
    run(L"LINE\n0,0\n1,0\n\nQQ\n");
    EXPECT_EQ(liveEntities(), 3u);
    EXPECT_TRUE(said(L"Unknown command \"QQ\"")) << transcript.text();
}

TEST_F(CommandHabits, AliasFileIsReadLenientlyAndWrittenOnFirstStart) {
    host::CommandAliases aliases;
    const std::vector<std::wstring> skipped = aliases.parse(
        L"; comment\n  dd , *dimlinear ; trailing comment\nNOTEPAD, START NOTEPAD, 1,*File to edit: ,\n"
        L"BROKEN\n, *LINE\nX2, *\n\n");
    EXPECT_EQ(aliases.commandFor(L"DD"), L"DIMLINEAR");
    EXPECT_EQ(aliases.commandFor(L"dd"), L"DIMLINEAR");
    EXPECT_EQ(aliases.commandFor(L"NOTEPAD"), L"");
    ASSERT_EQ(skipped.size(), 3u);
    EXPECT_NE(skipped[0].find(L"line 4"), std::wstring::npos);
    EXPECT_NE(skipped[1].find(L"line 5"), std::wstring::npos);
    EXPECT_NE(skipped[2].find(L"line 6"), std::wstring::npos);

    const std::string path = ::testing::TempDir() + "habits_aliases.pgp";
    std::remove(path.c_str());
    EXPECT_TRUE(aliases.load(host::fromUtf8(path)).empty());
    EXPECT_EQ(aliases.commandFor(L"Z"), L"ZOOM");
    std::ifstream written(path);
    std::stringstream text;
    text << written.rdbuf();
    EXPECT_NE(text.str().find("CO,      *COPY"), std::string::npos);

    // The person's own file is read as it is, never overwritten.
    std::ofstream(path) << "ZZ, *ZOOM\n";
    EXPECT_TRUE(aliases.load(host::fromUtf8(path)).empty());
    EXPECT_EQ(aliases.commandFor(L"ZZ"), L"ZOOM");
    EXPECT_EQ(aliases.commandFor(L"Z"), L"");
    std::ifstream again(path);
    std::string first;
    std::getline(again, first);
    EXPECT_EQ(first, "ZZ, *ZOOM");
    std::remove(path.c_str());
}

TEST_F(CommandHabits, HelpListsExplainsAndSuggests) {
    run(L"HELP\n\n");
    EXPECT_TRUE(said(L"The host's commands:"));
    EXPECT_TRUE(said(L"Draws straight segments from point to point")) << transcript.text();
    EXPECT_TRUE(said(L"UNDO")) << transcript.text();

    run(L"HELP\nline\n?\nZ\n");
    EXPECT_TRUE(said(L"LINE: Draws straight segments"));
    EXPECT_TRUE(said(L"Aliases: L")) << transcript.text();
    EXPECT_TRUE(said(L"Z is an alias of ZOOM."));

    // A module's lines come through acedSetFunHelp.
    ASSERT_EQ(acedRegCmds->addCommand(L"TEST_GROUP", L"TEST_Hello", L"TEST_Hello", ACRX_CMD_MODAL, +[] {}),
              Acad::eOk);
    acedSetFunHelp(L"TEST_Hello", L"x.chm", L"Says hello", 0);
    run(L"HELP\nTEST_HELLO\n");
    EXPECT_TRUE(said(L"TEST_HELLO: Says hello")) << transcript.text();
    EXPECT_EQ(acedSetFunHelp(L"", L"", L"nothing", 0), RTERROR);

    run(L"LIEN\nXYZZYQ\n");
    EXPECT_TRUE(said(L"Unknown command \"LIEN\".  Type HELP for a list of commands.  Did you mean LINE"))
        << transcript.text();
    EXPECT_TRUE(said(L"Unknown command \"XYZZYQ\".  Type HELP for a list of commands."));
    EXPECT_FALSE(said(L"\"XYZZYQ\".  Type HELP for a list of commands.  Did you mean"));
    EXPECT_EQ(host::nearestCommands(L"XYZZYQ").size(), 0u);
    const std::vector<std::wstring> near = host::nearestCommands(L"UNOD");
    EXPECT_NE(std::find(near.begin(), near.end(), L"UNDO"), near.end());
    EXPECT_TRUE(host::nearestCommands(L"").empty());
}

TEST_F(CommandHabits, UndoNamesWhatItUndidAndGoesBackToAMark) {
    run(L"LINE\n0,0\n1,0\n\nUNDO\nM\nCIRCLE\n5,5\n1\nLINE\n2,0\n3,0\n\n");
    EXPECT_EQ(liveEntities(), 3u);
    run(L"U\n");
    EXPECT_TRUE(said(L"Undone: LINE")) << transcript.text();
    EXPECT_EQ(liveEntities(), 2u);
    run(L"UNDO\nB\n");
    EXPECT_TRUE(said(L"Undone: CIRCLE"));
    EXPECT_TRUE(said(L"Mark encountered"));
    EXPECT_EQ(liveEntities(), 1u);

    // A number undoes that many; past the beginning it says so.
    run(L"CIRCLE\n0,0\n1\nCIRCLE\n0,0\n2\nUNDO\n2\n");
    EXPECT_EQ(liveEntities(), 1u);
    run(L"UNDO\n5\n");
    EXPECT_EQ(liveEntities(), 0u);
    EXPECT_TRUE(said(L"Everything has been undone"));

    // Back without a mark asks first; No keeps everything.
    run(L"LINE\n0,0\n1,1\n\nUNDO\nB\nN\n");
    EXPECT_TRUE(said(L"This will undo everything."));
    EXPECT_EQ(liveEntities(), 1u);
    run(L"UNDO\nB\n\n");
    EXPECT_EQ(liveEntities(), 0u);

    // Bad answers are asked again and undo nothing.
    run(L"LINE\n0,0\n1,1\n\nUNDO\n-3\nzz\n\x1b\n");
    EXPECT_EQ(liveEntities(), 1u);
}

TEST_F(CommandHabits, OopsBringsBackTheLastErasureOnly) {
    run(L"LINE\n0,0\n10,0\n\nCIRCLE\n20,0\n2\nERASE\nL\n\nLINE\n0,5\n1,5\n\n");
    EXPECT_EQ(liveEntities(), 2u);
    run(L"OOPS\n");
    EXPECT_EQ(liveEntities(), 3u);
    EXPECT_TRUE(said(L"1 object is back."));
    run(L"OOPS\n");
    EXPECT_TRUE(said(L"Nothing was erased to bring back."));
    // OOPS is a command of its own: U takes it back.
    run(L"U\n");
    EXPECT_EQ(liveEntities(), 2u);
    run(L"REGEN\nREDRAW\n-LAYER\nM\nWand\n\n");
    EXPECT_TRUE(said(L"Regenerating model."));
    EXPECT_EQ(liveEntities(), 2u);
    EXPECT_FALSE(said(L"Unknown command")) << transcript.text();
}

TEST_F(CommandHabits, EnterRepeatsAtTheKeyboardButNotInScripts) {
    std::istringstream typed("LINE\n0,0\n1,0\n\n\n5,5\n6,5\n\n");
    host::hostInput().pushSource(std::make_unique<host::StreamSource>(typed, true));
    host::commandLine().run();
    EXPECT_EQ(liveEntities(), 2u) << transcript.text();

    run(L"LINE\n0,0\n1,0\n\n\n5,5\n6,5\n\n");
    // In a script the empty line does nothing: the points that follow are no command.
    EXPECT_EQ(liveEntities(), 3u);
}

TEST_F(CommandHabits, TheInterruptedPromptComesBackAfterATransparentCommand) {
    run(L"LINE\n0,0\n'ZOOM\nE\n10,0\n\n");
    const std::wstring& t = transcript.text();
    const size_t resumed = t.find(L"Resuming LINE command.");
    ASSERT_NE(resumed, std::wstring::npos) << t;
    const size_t nextPrompt = t.find(L'\n', resumed + 1);
    ASSERT_NE(nextPrompt, std::wstring::npos);
    EXPECT_EQ(t.compare(nextPrompt + 1, 16, L"Specify next poi"), 0) << t.substr(resumed);
    EXPECT_EQ(liveEntities(), 1u);
}

} // namespace
