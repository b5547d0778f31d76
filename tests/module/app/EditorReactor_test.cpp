// What the module does when the host's commands start and end: the screen aids around
// plotting and saving, and the database reactor's rest during EXPLODE and block work.
#include "module/app/Reactors.h"

#include "host/ap/AcApDocManager.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/ed/commands/CommandHooks.h"
#include "host/ed/SysVars.h"
#include "host/mfc/CButton.h"
#include "module/ui/PaletteApp.h"
#include "module/services/ReactorSuspension.h"
#include "module/ui/CDlgMain.h"
#include "tests/module/chain/TRdimTestEnv.h"

#include <gtest/gtest.h>

namespace {

class EditorReactorTest : public chaintest::ChainTest {
protected:
    static void command(const wchar_t* name, host::CommandOutcome outcome = host::CommandOutcome::Ended) {
        host::commandHooks().fireBegin(name, 1);
        host::commandHooks().fireEnd(name, 1, outcome);
    }
    static int& flag(int index) { return pGlobDimOptions->arrayOptFlags[static_cast<size_t>(index)]; }
    static void setBox(int id, int check) {
        auto* box = dynamic_cast<CButton*>(dlgMyApp->GetDlgItem(id));
        ASSERT_NE(box, nullptr);
        box->SetCheck(check);
    }
};

} // namespace

TEST_F(EditorReactorTest, PlottingAndSavingHideInputPointsAndSumsAndThePaletteSaysWhatComesBack) {
    ASSERT_TRUE(AreReactorsInstalled());
    ASSERT_NE(dlgMyApp, nullptr);
    flag(IND_OPT_B_ShowInputPoints) = 1;
    flag(IND_OPT_B_ShowSumOfDim) = 1;
    setBox(1017, BST_CHECKED);
    setBox(1041, BST_UNCHECKED);

    host::commandHooks().fireBegin(L"PLOT", 1);
    EXPECT_EQ(flag(IND_OPT_B_ShowInputPoints), 0) << "not on paper";
    EXPECT_EQ(flag(IND_OPT_B_ShowSumOfDim), 0);
    host::commandHooks().fireEnd(L"PLOT", 1, host::CommandOutcome::Ended);
    EXPECT_EQ(flag(IND_OPT_B_ShowInputPoints), 1) << "the palette's box is checked";
    EXPECT_EQ(flag(IND_OPT_B_ShowSumOfDim), 0) << "the palette's box is not";

    // Saving touches nothing while input points are not shown.
    flag(IND_OPT_B_ShowInputPoints) = 0;
    flag(IND_OPT_B_ShowSumOfDim) = 1;
    host::commandHooks().fireBegin(L"QSAVE", 1);
    EXPECT_EQ(flag(IND_OPT_B_ShowSumOfDim), 1);
    host::commandHooks().fireEnd(L"QSAVE", 1, host::CommandOutcome::Ended);

    // Without a palette a failed save brings back what was shown before.
    EndApp(true, false);
    ASSERT_EQ(dlgMyApp, nullptr);
    flag(IND_OPT_B_ShowInputPoints) = 1;
    flag(IND_OPT_B_ShowSumOfDim) = 1;
    host::commandHooks().fireBegin(L"SAVEAS", 1);
    EXPECT_EQ(flag(IND_OPT_B_ShowInputPoints), 0);
    host::commandHooks().fireEnd(L"SAVEAS", 1, host::CommandOutcome::Failed);
    EXPECT_EQ(flag(IND_OPT_B_ShowInputPoints), 1);
    EXPECT_EQ(flag(IND_OPT_B_ShowSumOfDim), 1);
}

TEST_F(EditorReactorTest, ExplodeAndBlockCommandsRestTheDatabaseReactorForTheirRun) {
    host::commandHooks().fireBegin(L"EXPLODE", 1);
    EXPECT_NE(AreReactorsSuspended(), 0);
    host::commandHooks().fireEnd(L"EXPLODE", 1, host::CommandOutcome::Ended);
    EXPECT_EQ(AreReactorsSuspended(), 0);

    host::commandHooks().fireBegin(L"BLOCK", 1);
    EXPECT_NE(AreReactorsSuspended(), 0);
    host::commandHooks().fireEnd(L"BLOCK", 1, host::CommandOutcome::Cancelled);
    EXPECT_EQ(AreReactorsSuspended(), 0) << "a cancelled block command ends the rest too";

    command(L"LINE");
    EXPECT_EQ(AreReactorsSuspended(), 0);

    // Stopped reactors hear nothing.
    RemoveReactors();
    host::commandHooks().fireBegin(L"EXPLODE", 1);
    EXPECT_EQ(AreReactorsSuspended(), 0);
    host::commandHooks().fireEnd(L"EXPLODE", 1, host::CommandOutcome::Ended);
    InstallReactors();
}

// The palette belongs to the drawings: closing one of two leaves it, closing the last
// takes it away; in single-document mode it stays.
TEST_F(EditorReactorTest, ThePaletteClosesWithTheLastDrawing) {
    ASSERT_NE(dlgMyApp, nullptr);
    ASSERT_EQ(acDocManager->appContextNewDocument(nullptr), Acad::eOk);
    ASSERT_EQ(acDocManager->appContextNewDocument(nullptr), Acad::eOk);
    const int open = acDocManager->documentCount();
    ASSERT_GE(open, 2);
    while (acDocManager->documentCount() > 1) {
        ASSERT_EQ(acDocManager->closeDocument(acDocManager->curDocument()), Acad::eOk);
        EXPECT_NE(dlgMyApp, nullptr) << "another drawing is still open";
    }
    ASSERT_EQ(acDocManager->closeDocument(acDocManager->curDocument()), Acad::eOk);
    EXPECT_EQ(dlgMyApp, nullptr);

    StartApp(true);
    ASSERT_NE(dlgMyApp, nullptr);
    resbuf sdi{};
    sdi.restype = RTSHORT;
    sdi.resval.rint = 1;
    ASSERT_EQ(acedSetVar(L"SDI", &sdi), RTNORM);
    ASSERT_EQ(acDocManager->appContextNewDocument(nullptr), Acad::eOk);
    ASSERT_EQ(acDocManager->closeDocument(acDocManager->curDocument()), Acad::eOk);
    EXPECT_NE(dlgMyApp, nullptr) << "single-document mode keeps the palette";
    sdi.resval.rint = 0;
    acedSetVar(L"SDI", &sdi);
    acdbHostApplicationServices()->setWorkingDatabase(m_db.get());
}
