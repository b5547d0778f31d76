#include "host/ed/commands/AcEdCommandStack.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
void cmdA() {}
void cmdB() {}

class CommandStack : public ::testing::Test {
protected:
    AcEdCommandStack stack; // a private stack: the registered one is the command line's
};
} // namespace

TEST_F(CommandStack, FindsCommandsByEitherNameWithoutCase) {
    AcEdCommand* made = nullptr;
    ASSERT_EQ(stack.addCommand(L"XOTA_LINTARO", L"XOTA_vdim", L"XOTA_Vdim", ACRX_CMD_MODAL, &cmdA, nullptr, -1,
                               nullptr, &made),
              Acad::eOk);
    ASSERT_EQ(stack.addCommand(L"XOTA_LINTARO", L"XOTA_SelectLintaroObjects", L"XOTA_DimSelectObjects",
                               ACRX_CMD_USEPICKSET | ACRX_CMD_REDRAW, &cmdB),
              Acad::eOk);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(stack.lookupGlobalCmd(L"xota_VDIM"), made);
    EXPECT_EQ(stack.lookupLocalCmd(L"XOTA_Vdim"), made);
    EXPECT_STREQ(made->globalName(), L"XOTA_vdim") << "the name keeps the case it was registered with";
    EXPECT_STREQ(made->commandGroup(), L"XOTA_LINTARO");
    EXPECT_EQ(made->functionAddr(), &cmdA);

    AcEdCommand* select = stack.lookupCmd(L"XOTA_DimSelectObjects", false);
    ASSERT_NE(select, nullptr);
    EXPECT_EQ(select->commandFlags(), 6);
    EXPECT_EQ(stack.lookupGlobalCmd(L"XOTA_DimSelectObjects"), nullptr) << "a local name is not a global one";
    EXPECT_EQ(stack.findForInput(L"xota_dimselectobjects", true), select) << "the command line finds either";
    EXPECT_EQ(stack.lookupGlobalCmd(L"NOSUCH"), nullptr);
    EXPECT_EQ(stack.lookupGlobalCmd(nullptr), nullptr);

    // An undefined command is kept but skipped by the command line.
    made->commandUndef(true);
    EXPECT_EQ(stack.findForInput(L"XOTA_vdim", true), nullptr);
    EXPECT_EQ(stack.lookupGlobalCmd(L"XOTA_vdim"), made);
    made->commandUndef(false);
    EXPECT_EQ(stack.findForInput(L"XOTA_vdim", true), made);
}

TEST_F(CommandStack, RefusesBadAndDuplicateCommandsWithoutChange) {
    ASSERT_EQ(stack.addCommand(L"G", L"ONE", L"EINS", 0, &cmdA), Acad::eOk);
    EXPECT_EQ(stack.addCommand(L"G", L"one", L"OTHER", 0, &cmdB), Acad::eDuplicateKey);
    EXPECT_EQ(stack.addCommand(L"G", L"TWO", L"eins", 0, &cmdB), Acad::eDuplicateKey);
    EXPECT_EQ(stack.addCommand(L"G", L"", L"X", 0, &cmdB), Acad::eInvalidInput);
    EXPECT_EQ(stack.addCommand(L"G", L"HAS SPACE", L"X", 0, &cmdB), Acad::eInvalidInput);
    EXPECT_EQ(stack.addCommand(L"", L"THREE", L"THREE", 0, &cmdB), Acad::eInvalidInput);
    EXPECT_EQ(stack.addCommand(L"G", L"FOUR", L"FOUR", 0, nullptr), Acad::eInvalidInput);
    EXPECT_EQ(stack.addCommand(nullptr, L"FIVE", L"FIVE", 0, &cmdB), Acad::eInvalidInput);
    EXPECT_EQ(stack.numCommands(), 1u);
    EXPECT_EQ(stack.lookupGlobalCmd(L"ONE")->functionAddr(), &cmdA) << "the first command is untouched";

    // No local name: the global one serves for both.
    ASSERT_EQ(stack.addCommand(L"G", L"SIX", nullptr, 0, &cmdB), Acad::eOk);
    EXPECT_NE(stack.lookupLocalCmd(L"six"), nullptr);
}

TEST_F(CommandStack, GroupsStackAndComeOffWhole) {
    ASSERT_EQ(stack.addCommand(L"LOWER", L"SAME", L"SAME", 0, &cmdA), Acad::eOk);
    ASSERT_EQ(stack.addCommand(L"LOWER", L"ONLYLOW", L"ONLYLOW", 0, &cmdA), Acad::eOk);
    ASSERT_EQ(stack.addCommand(L"UPPER", L"SAME", L"SAME", 0, &cmdB), Acad::eOk);
    EXPECT_EQ(stack.lookupGlobalCmd(L"SAME")->functionAddr(), &cmdB) << "the group added last is searched first";
    ASSERT_EQ(stack.popGroupToTop(L"lower"), Acad::eOk);
    EXPECT_EQ(stack.lookupGlobalCmd(L"SAME")->functionAddr(), &cmdA);
    EXPECT_EQ(stack.popGroupToTop(L"NOGROUP"), Acad::eKeyNotFound);

    // Iteration sees every command once, top group first.
    std::unique_ptr<AcEdCommandIterator> it(stack.iterator());
    std::vector<std::wstring> seen;
    for (; !it->done(); it->next()) seen.push_back(std::wstring(it->commandGroup()) + L"/" + it->command()->globalName());
    EXPECT_EQ(seen, (std::vector<std::wstring>{L"LOWER/SAME", L"LOWER/ONLYLOW", L"UPPER/SAME"}));

    EXPECT_EQ(stack.removeCmd(L"LOWER", L"nosuch"), Acad::eKeyNotFound);
    EXPECT_EQ(stack.removeCmd(L"NOGROUP", L"SAME"), Acad::eKeyNotFound);
    ASSERT_EQ(stack.removeCmd(L"lower", L"same"), Acad::eOk);
    EXPECT_EQ(stack.lookupGlobalCmd(L"SAME")->functionAddr(), &cmdB) << "the other group's SAME shows through";
    ASSERT_EQ(stack.removeGroup(L"LOWER"), Acad::eOk);
    EXPECT_EQ(stack.lookupGlobalCmd(L"ONLYLOW"), nullptr);
    EXPECT_EQ(stack.removeGroup(L"LOWER"), Acad::eKeyNotFound);
    EXPECT_EQ(stack.numCommands(), 1u);
}

TEST(RegisteredCommands, TheModulesStackIsInTheSystemRegistry) {
    EXPECT_EQ(acrxSysRegistry()->at(ACRX_COMMAND_DOCK), acedRegCmds);
    EXPECT_NE(acedRegCmds, &host::hostCommands()) << "the host's own commands are kept apart";
}
