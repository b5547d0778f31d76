// The file commands as a script drives them: a drawing is never replaced or
// dropped without the user's yes, and every failure is said on the command line.
#include "host/ap/DocumentCommands.h"

#include "host/ap/AcApDocManager.h"
#include "host/db/database/AcDbDatabase.h"
#include "tests/host/ap/DocSession.h"

#include <fstream>

using namespace aptest;

namespace {
std::string text(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
std::wstring w(const std::filesystem::path& p) {
    return p.wstring();
}
} // namespace

TEST(DocumentCommandsNames, TypedNamesBecomePaths) {
    using host::ap::drawingPathFromInput;
    EXPECT_EQ(drawingPathFromInput(L"  plan ", false), L"plan.dwg");
    EXPECT_EQ(drawingPathFromInput(L"\"mein plan.dwg\"", false), L"mein plan.dwg");
    EXPECT_EQ(drawingPathFromInput(L"/a.b/plan", false), L"/a.b/plan.dwg");
    EXPECT_EQ(drawingPathFromInput(L"plan.v2", false), L"plan.v2");
    EXPECT_EQ(drawingPathFromInput(L"   ", false), L"");
    EXPECT_EQ(drawingPathFromInput(L"\"\"", true), L"");
}

TEST_F(DocSession, SaveAsNamesTheDrawingAndAsksBeforeReplacingAnother) {
    run(L"NEW\nSAVEAS\n" + w(folder / "a.dwg") + L"\n");
    AcApDocument* doc = acDocManager->curDocument();
    ASSERT_TRUE(doc);
    EXPECT_STREQ(doc->docTitle(), L"a.dwg");
    ASSERT_TRUE(std::filesystem::exists(folder / "a.dwg"));

    {
        std::ofstream other(folder / "b.dwg", std::ios::binary);
        other << "someone else's drawing";
    }
    // No answer: the box takes No and b.dwg stays.
    run(L"SAVEAS\n" + w(folder / "b.dwg") + L"\n");
    EXPECT_EQ(text(folder / "b.dwg"), "someone else's drawing");
    EXPECT_TRUE(said(L"already exists"));
    EXPECT_STREQ(doc->docTitle(), L"a.dwg");
    // Yes: replaced, the old one kept as b.bak.
    run(L"SAVEAS\n" + w(folder / "b.dwg") + L"\n@yes\n");
    EXPECT_NE(text(folder / "b.dwg"), "someone else's drawing");
    EXPECT_EQ(text(folder / "b.bak"), "someone else's drawing");
    EXPECT_STREQ(doc->docTitle(), L"b.dwg");

    // Enter takes the current name; the drawing's own file is replaced without asking.
    std::filesystem::remove(folder / "b.bak");
    run(L"QSAVE\nSAVE\n\n");
    EXPECT_TRUE(std::filesystem::exists(folder / "b.bak"));
    EXPECT_FALSE(said(L"*Cancel*"));
}

TEST_F(DocSession, OpenSaysWhyAFileCannotBeOpened) {
    run(L"NEW\nSAVEAS\n" + w(folder / "good") + L"\n");
    ASSERT_TRUE(std::filesystem::exists(folder / "good.dwg")) << "the extension is added";
    std::string bytes = text(folder / "good.dwg");
    bytes.resize(bytes.size() / 2);
    std::ofstream(folder / "half.dwg", std::ios::binary) << bytes;

    run(L"OPEN\n" + w(folder / "half.dwg") + L"\n");
    EXPECT_TRUE(said(L"is damaged at byte"));
    EXPECT_EQ(acDocManager->documentCount(), 1);
    run(L"OPEN\n" + w(folder / "nothing.dwg") + L"\n");
    EXPECT_TRUE(said(L"does not exist"));
    run(L"OPEN\n\n");
    EXPECT_EQ(acDocManager->documentCount(), 1);

    run(L"CLOSE\nOPEN\n\"" + w(folder / "good") + L"\"\n");
    ASSERT_EQ(acDocManager->documentCount(), 1);
    EXPECT_STREQ(acDocManager->curDocument()->docTitle(), L"good.dwg");
}

TEST_F(DocSession, CloseAsksAboutUnsavedChanges) {
    run(L"NEW\nSAVEAS\n" + w(folder / "c.dwg") + L"\n");
    AcApDocument* doc = acDocManager->curDocument();
    const std::string saved = text(folder / "c.dwg");

    doc->database()->setModifiedSinceSave(true);
    run(L"CLOSE\n@cancel\n");
    EXPECT_EQ(acDocManager->curDocument(), doc) << "Cancel keeps the drawing open";
    EXPECT_TRUE(said(L"Save changes to"));

    run(L"CLOSE\n@yes\n");
    EXPECT_EQ(acDocManager->documentCount(), 0);
    EXPECT_TRUE(std::filesystem::exists(folder / "c.bak")) << "Yes saved before closing";

    // A drawing never saved: Yes asks for its name; No drops it.
    run(L"NEW\n");
    acDocManager->curDocument()->database()->setModifiedSinceSave(true);
    run(L"CLOSE\n@yes\n" + w(folder / "d.dwg") + L"\n");
    EXPECT_TRUE(std::filesystem::exists(folder / "d.dwg"));
    run(L"NEW\n");
    acDocManager->curDocument()->database()->setModifiedSinceSave(true);
    run(L"CLOSE\n@no\n");
    EXPECT_EQ(acDocManager->documentCount(), 0);
    run(L"QSAVE\nCLOSE\n");
    EXPECT_TRUE(said(L"No drawing is open."));
}
