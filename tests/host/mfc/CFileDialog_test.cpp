// File choosers answered by scripted "@file" events: one file, several, a folder,
// cancel, and paths refused because they do not exist or are too many.
#include "host/mfc/CFileDialog.h"

#include "host/win/ScriptUiDriver.h"
#include "host/win/Transcript.h"
#include "host/win/UiEventSource.h"
#include "tests/host/win/TempFolder.h"

#include <gtest/gtest.h>

namespace {

using testing_support::TempFolder;

std::vector<std::wstring> chosen(const CFileDialog& dialog) {
    std::vector<std::wstring> out;
    for (POSITION pos = dialog.GetStartPosition(); pos;)
        out.push_back(dialog.GetNextPathName(pos));
    return out;
}

TEST(CFileDialog, ScriptedAnswersChooseFilesOrCancel) {
    TempFolder tmp;
    TempFolder::write(tmp.path("a.dwg"), "x");
    TempFolder::write(tmp.path("b.dwg"), "x");
    const std::wstring a = tmp.wpath("a.dwg"), b = tmp.wpath("b.dwg");
    host::UiEventList events{L"file " + a, L"file " + a + L" | " + b, L"file " + a + L" | " + b,
                             L"file " + tmp.wpath("none.dwg"), L"file", L"file " + tmp.wpath("b"),
                             L"file " + tmp.root().wstring(), L"yes"};
    host::ScriptUiDriver driver(&events);
    host::UiDriverScope scope(driver);
    host::TranscriptCapture transcript;

    CFileDialog one(TRUE, L"DWG", nullptr, OFN_FILEMUSTEXIST);
    EXPECT_EQ(one.DoModal(), IDOK);
    EXPECT_EQ(one.GetPathName(), a);
    CFileDialog several(TRUE, L"DWG", nullptr, OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT);
    EXPECT_EQ(several.DoModal(), IDOK);
    EXPECT_EQ(chosen(several), (std::vector<std::wstring>{a, b}));
    // Two files where one is asked: refused, nothing chosen.
    EXPECT_EQ(one.DoModal(), IDCANCEL);
    EXPECT_TRUE(one.GetPathName().empty());
    EXPECT_NE(transcript.text().find(L"takes one path only"), std::wstring::npos);
    EXPECT_EQ(one.DoModal(), IDCANCEL);
    EXPECT_NE(transcript.text().find(L"does not exist"), std::wstring::npos);
    EXPECT_EQ(one.DoModal(), IDCANCEL) << "an empty answer cancels";
    // A save dialog takes a new name and adds the default extension.
    CFileDialog save(FALSE, L"dwg");
    EXPECT_EQ(save.DoModal(), IDOK);
    EXPECT_EQ(save.GetPathName(), b);
    CFolderPickerDialog folder;
    EXPECT_EQ(folder.DoModal(), IDOK);
    EXPECT_EQ(folder.GetFolderPath(), tmp.root().wstring());
    // Not a file event: cancelled with a note, the event left for what comes next.
    EXPECT_EQ(one.DoModal(), IDCANCEL);
    EXPECT_NE(transcript.text().find(L"Open: no scripted answer - cancelled."), std::wstring::npos);
    EXPECT_EQ(events.size(), 1u);
}

} // namespace
