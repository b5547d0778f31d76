#include "host/mfc/CComboBox.h"
#include "host/mfc/CEdit.h"
#include "host/mfc/CListBox.h"
#include "host/mfc/CTabCtrl.h"

#include <gtest/gtest.h>

namespace {

// A parent window that records the notifications of its children.
class Parent : public CWnd {
public:
    std::vector<std::pair<int, int>> commands;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM) override {
        commands.emplace_back(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    }
};

std::wstring text(const CWnd& w) {
    std::wstring t;
    w.GetWindowText(t);
    return t;
}

} // namespace

TEST(Controls, ComboListsKeepTheirSelectionThroughEdits) {
    Parent parent;
    ASSERT_TRUE(parent.Create(nullptr, L"p", WS_VISIBLE, RECT{}, nullptr, 0));
    CComboBox combo;
    ASSERT_TRUE(combo.Create(CBS_DROPDOWNLIST | CBS_SORT | WS_VISIBLE, RECT{}, &parent, 1018));
    EXPECT_EQ(combo.AddString(L"2.5"), 0);
    EXPECT_EQ(combo.AddString(L"0.18"), 0); // sorted in front
    EXPECT_EQ(combo.AddString(L"TrueType"), 2);
    EXPECT_EQ(combo.SetCurSel(1), 1);
    EXPECT_EQ(text(combo), L"2.5");
    EXPECT_EQ(combo.AddString(L"1.0"), 1); // in front of the selection: it moves along
    EXPECT_EQ(combo.GetCurSel(), 2);
    EXPECT_EQ(combo.FindStringExact(-1, L"truetype"), 3);
    EXPECT_EQ(combo.FindStringExact(3, L"0.18"), 0); // the search wraps round
    EXPECT_EQ(combo.FindString(-1, L"1"), 1);
    EXPECT_EQ(combo.DeleteString(combo.FindStringExact(-1, L"TrueType")), 3);
    EXPECT_EQ(combo.DeleteString(7), CB_ERR);
    EXPECT_EQ(combo.DeleteString(2), 2); // the selected one: nothing is selected now
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    EXPECT_EQ(text(combo), L"");
    EXPECT_EQ(combo.SelectString(-1, L"0."), 0);
    EXPECT_EQ(combo.SelectString(-1, L"9"), CB_ERR);
    EXPECT_EQ(combo.GetCurSel(), 0); // a failed SelectString keeps the selection
    std::wstring item;
    combo.GetLBText(1, item);
    EXPECT_EQ(item, L"1.0");
    EXPECT_EQ(combo.GetLBTextLen(5), CB_ERR);
    // A drop-down list shows only its entries: an unknown text changes nothing.
    combo.SetWindowText(L"7");
    EXPECT_EQ(combo.GetCurSel(), 0);
    combo.SetWindowText(L"1.0");
    EXPECT_EQ(combo.GetCurSel(), 1);
    combo.ResetContent();
    EXPECT_EQ(combo.GetCount(), 0);
    EXPECT_EQ(combo.SetCurSel(0), CB_ERR);
    EXPECT_TRUE(parent.commands.empty()); // code changes notify nobody
}

TEST(Controls, TypedTextInDropDownCombosAndEditsFollowTheirRules) {
    Parent parent;
    ASSERT_TRUE(parent.Create(nullptr, L"p", WS_VISIBLE, RECT{}, nullptr, 0));
    CComboBox scale;
    ASSERT_TRUE(scale.Create(CBS_DROPDOWN | WS_VISIBLE, RECT{}, &parent, 1020));
    scale.AddString(L"1:50");
    scale.AddString(L"1:100");
    std::wstring error;
    EXPECT_TRUE(scale.userSetText(L"1:100", error));
    EXPECT_EQ(scale.GetCurSel(), 1); // a typed entry counts as that entry
    EXPECT_TRUE(scale.userSetText(L"75", error));
    EXPECT_EQ(scale.GetCurSel(), -1);
    EXPECT_EQ(text(scale), L"75");
    scale.LimitText(3);
    EXPECT_FALSE(scale.userSetText(L"1:1000", error));
    EXPECT_EQ(text(scale), L"75");
    EXPECT_EQ(
        parent.commands,
        (std::vector<std::pair<int, int>>{
            {1020, CBN_EDITCHANGE}, {1020, CBN_KILLFOCUS}, {1020, CBN_EDITCHANGE}, {1020, CBN_KILLFOCUS}}));

    CEdit percent;
    ASSERT_TRUE(percent.Create(ES_NUMBER | WS_VISIBLE, RECT{}, &parent, 1099));
    percent.SetWindowText(L"70");
    EXPECT_FALSE(percent.userSetText(L"7,5", error));
    EXPECT_NE(error.find(L"digits only"), std::wstring::npos);
    percent.SetReadOnly(TRUE);
    EXPECT_FALSE(percent.userSetText(L"80", error));
    EXPECT_NE(error.find(L"read-only"), std::wstring::npos);
    EXPECT_EQ(text(percent), L"70");
    BOOL ok = FALSE;
    EXPECT_EQ(parent.GetDlgItemInt(1099, &ok), 70u);
    EXPECT_TRUE(ok);
    parent.SetDlgItemText(1099, L"-12");
    EXPECT_EQ(static_cast<int>(parent.GetDlgItemInt(1099, &ok)), -12);
    parent.SetDlgItemText(1099, L"12a");
    parent.GetDlgItemInt(1099, &ok);
    EXPECT_FALSE(ok);
}

TEST(Controls, ListBoxesAndTabsCountAndSelect) {
    Parent parent;
    ASSERT_TRUE(parent.Create(nullptr, L"p", WS_VISIBLE, RECT{}, nullptr, 0));
    CListBox files;
    ASSERT_TRUE(files.Create(LBS_MULTIPLESEL | WS_VISIBLE, RECT{}, &parent, 1200));
    files.AddString(L"a.dwg");
    files.AddString(L"b.dwg");
    files.AddString(L"c.dwg");
    EXPECT_EQ(files.SetCurSel(0), LB_ERR); // not for multiple selection lists
    files.SetSel(-1, TRUE);
    files.SetSel(1, FALSE);
    int chosen[3] = {};
    EXPECT_EQ(files.GetSelCount(), 2);
    EXPECT_EQ(files.GetSelItems(3, chosen), 2);
    EXPECT_EQ(chosen[1], 2);
    files.DeleteString(0);
    EXPECT_EQ(files.GetSel(0), 0);
    EXPECT_EQ(files.GetSel(1), 1);

    CTabCtrl tab;
    ASSERT_TRUE(tab.Create(WS_VISIBLE, RECT{}, &parent, 1028));
    EXPECT_EQ(tab.InsertItem(0, L"   A "), 0);
    EXPECT_EQ(tab.GetCurSel(), 0);
    EXPECT_EQ(tab.InsertItem(5, L"   B "), 1); // past the end appends
    EXPECT_EQ(tab.InsertItem(2, L"   C "), 2);
    EXPECT_EQ(tab.SetCurSel(2), 0);
    EXPECT_TRUE(tab.DeleteItem(2)); // switching to mode 2 removes page C
    EXPECT_EQ(tab.GetCurSel(), -1);
    EXPECT_FALSE(tab.DeleteItem(2));
    wchar_t buffer[8] = {};
    TCITEM item;
    item.mask = TCIF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = 4;
    ASSERT_TRUE(tab.GetItem(1, &item));
    EXPECT_EQ(std::wstring(buffer), L"   "); // cut to the buffer
    std::wstring error;
    EXPECT_TRUE(tab.userSelect(L"b", error)); // blanks and case do not matter to a person
    EXPECT_EQ(tab.GetCurSel(), 1);
}
