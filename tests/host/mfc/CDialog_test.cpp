#include "MfcTestSupport.h"

#include "host/mfc/CButton.h"
#include "host/mfc/CComboBox.h"
#include "host/mfc/CEdit.h"
#include "host/win/WinWindows.h"

#include <gtest/gtest.h>

using namespace mfctest;

namespace {

// A dialog whose button opens a second modal dialog, as an options dialog's
// "Eigenschaften..." does.
class OuterDialog : public RecordingDialog {
public:
    INT_PTR innerResult = 0;
    std::wstring innerName;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        if (LOWORD(wParam) == kRadioB && HIWORD(wParam) == BN_CLICKED) {
            RecordingDialog inner;
            innerResult = inner.DoModal();
            innerName = inner.savedName;
        }
        return RecordingDialog::OnCommand(wParam, lParam);
    }
};

} // namespace

TEST(CDialog, ScriptedAnswersFillTheControlsAndOkEndsWithTheirValues) {
    registerOptionsDialog();
    ScriptedUi ui{L"dialog 1001 = Wand Süd", L"dialog select 1020 1:100", L"dialog 1019 = 1 mm",
                  L"dialog check 1040 1",    L"dialog click 1",           L"yes"};
    RecordingDialog dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.initCalls, 1);
    EXPECT_EQ(dlg.okCalls, 1);
    EXPECT_EQ(dlg.savedName, L"Wand Süd");
    EXPECT_EQ(dlg.savedScale, L"1:100");
    EXPECT_EQ(dlg.savedUnit, 2);
    // A combo choice drops the list, selects and leaves; typing changes and leaves.
    const std::vector<std::pair<int, int>> expected = {
        {kName, EN_CHANGE},      {kName, EN_KILLFOCUS}, {kScale, CBN_DROPDOWN}, {kScale, CBN_SELCHANGE},
        {kScale, CBN_KILLFOCUS}, {kUnit, CBN_DROPDOWN}, {kUnit, CBN_SELCHANGE}, {kUnit, CBN_KILLFOCUS},
        {kReduced, BN_CLICKED},  {IDOK, BN_CLICKED}};
    EXPECT_EQ(dlg.commands, expected);
    // The run ends at OK: the next event is left for whatever comes next.
    EXPECT_EQ(ui.events.size(), 1u);
    // The window is gone after the run, and no window stays active.
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_EQ(GetActiveWindow(), nullptr);
}

TEST(CDialog, RefusedEventsChangeNothingAndAnUnansweredDialogIsCancelled) {
    registerOptionsDialog();
    ScriptedUi ui{L"dialog click 9999",       L"dialog click 1023",   L"dialog click 1103",
                  L"dialog select 1019 1 km", L"dialog check 1040 2", L"dialog 1020",
                  L"dialog frobnicate 3",     L"dialog menu 32880",   L"dialog check 1050 0"};
    RecordingDialog dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    const std::wstring& t = ui.transcript.text();
    EXPECT_TRUE(contains(t, L"there is no control 9999 - \"@dialog click 9999\" ignored.")) << narrow(t);
    EXPECT_TRUE(contains(t, L"control 1023 (\"Aktualisieren\") is disabled")) << narrow(t);
    EXPECT_TRUE(contains(t, L"control 1103 (\"W1\") is hidden")) << narrow(t);
    EXPECT_TRUE(contains(t, L"holds no entry \"1 km\"")) << narrow(t);
    EXPECT_TRUE(contains(t, L"is not a three-state check box")) << narrow(t);
    EXPECT_TRUE(contains(t, L"\"=\" is missing after the control id")) << narrow(t);
    EXPECT_TRUE(contains(t, L"\"frobnicate\" is not")) << narrow(t);
    EXPECT_TRUE(contains(t, L"a dialog has no menu")) << narrow(t);
    EXPECT_TRUE(contains(t, L"is a radio button")) << narrow(t);
    EXPECT_TRUE(contains(t, L"Globale Einstellungen: no scripted answer - dialog cancelled.")) << narrow(t);
    // Nothing reached the dialog but the drop-down of the list that lacked the entry,
    // and the cancel.
    const std::vector<std::pair<int, int>> expected = {{kUnit, CBN_DROPDOWN}, {IDCANCEL, BN_CLICKED}};
    EXPECT_EQ(dlg.commands, expected);
    EXPECT_EQ(dlg.cancelCalls, 1);
    EXPECT_EQ(dlg.okCalls, 0);
}

TEST(CDialog, CheckBoxesRadioGroupsAndCancelByEscape) {
    registerOptionsDialog();
    // A click on an auto check box toggles it; a three-state box cycles; a radio
    // button clears the other one of its group.
    ScriptedUi ui{L"dialog click 1040", L"dialog click 1041",   L"dialog click 1041", L"dialog click 1050",
                  L"dialog click 1051", L"dialog check 1041 0", L"dialog click 2"};
    struct Probe : RecordingDialog {
        int reduced = -1, mixed = -1, a = -1, b = -1;
        void OnCancel() override {
            reduced = static_cast<CButton*>(GetDlgItem(kReduced))->GetCheck();
            mixed = static_cast<CButton*>(GetDlgItem(kMixed))->GetCheck();
            a = static_cast<int>(IsDlgButtonChecked(kRadioA));
            b = static_cast<int>(IsDlgButtonChecked(kRadioB));
            RecordingDialog::OnCancel();
        }
    } dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.reduced, BST_CHECKED);
    EXPECT_EQ(dlg.mixed, BST_UNCHECKED); // checked, mixed, then set back to 0
    EXPECT_EQ(dlg.a, BST_UNCHECKED);
    EXPECT_EQ(dlg.b, BST_CHECKED);
    EXPECT_FALSE(contains(ui.transcript.text(), L"no scripted answer"));
}

TEST(CDialog, MissingTemplatesFailingSetUpAndNestedDialogs) {
    registerOptionsDialog();
    {
        ScriptedUi ui{L"dialog click 1"};
        RecordingDialog missing(9199);
        EXPECT_EQ(missing.DoModal(), -1);
        EXPECT_TRUE(contains(ui.transcript.text(), L"no dialog 9199")) << narrow(ui.transcript.text());
        EXPECT_EQ(ui.events.size(), 1u); // the event waits for a dialog that is shown
    }
    {
        ScriptedUi ui{L"dialog click 1"};
        RecordingDialog failing;
        failing.throwOnInit = true;
        EXPECT_EQ(failing.DoModal(), -1);
        EXPECT_EQ(failing.okCalls, 0);
        EXPECT_EQ(failing.m_hWnd, nullptr);
    }
    {
        // The events after the click answer the inner dialog first, then the outer.
        ScriptedUi ui{L"dialog click 1051", L"dialog 1001 = innen", L"dialog click 1", L"dialog 1001 = außen",
                      L"dialog click 1"};
        OuterDialog outer;
        EXPECT_EQ(outer.DoModal(), IDOK);
        EXPECT_EQ(outer.innerResult, IDOK);
        EXPECT_EQ(outer.innerName, L"innen");
        EXPECT_EQ(outer.savedName, L"außen");
    }
}

TEST(CDialog, ModelessDialogsLiveUntilDestroyedAndCloseToHidden) {
    registerOptionsDialog();
    RecordingDialog dlg;
    ASSERT_TRUE(dlg.Create(kOptionsDialog));
    EXPECT_EQ(dlg.initCalls, 1);
    EXPECT_FALSE(dlg.IsWindowVisible()); // the template does not ask to be shown
    dlg.ShowWindow(SW_SHOW);
    EXPECT_TRUE(dlg.IsWindowVisible());
    auto* edit = dynamic_cast<CEdit*>(dlg.GetDlgItem(kName));
    ASSERT_NE(edit, nullptr);
    const HWND editHandle = edit->m_hWnd;
    EXPECT_EQ(CWnd::FromHandle(editHandle), edit);
    // A second Create on a live window is refused.
    EXPECT_FALSE(dlg.Create(kOptionsDialog));
    // OK on a modeless dialog hides it; it stays alive.
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(dlg.okCalls, 1);
    EXPECT_FALSE(dlg.IsWindowVisible());
    EXPECT_NE(dlg.m_hWnd, nullptr);
    EXPECT_TRUE(dlg.DestroyWindow());
    EXPECT_EQ(CWnd::FromHandle(editHandle), nullptr); // stale handles find nothing
    EXPECT_EQ(dlg.GetDlgItem(kName), nullptr);
}
