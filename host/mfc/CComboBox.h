#pragma once
// A combo box: a list of entries and the text it shows. A drop-down list
// (CBS_DROPDOWNLIST) shows only its selected entry; a drop-down combo (CBS_DROPDOWN,
// CBS_SIMPLE) also takes typed text. A person's choice drops the list down
// (CBN_DROPDOWN, where the dialog may refill it), selects (CBN_SELCHANGE) and leaves
// the box (CBN_KILLFOCUS); typing sends CBN_EDITCHANGE, then CBN_KILLFOCUS.
#include "host/mfc/CWnd.h"
#include "host/mfc/ItemList.h"

class CComboBox : public CWnd {
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int AddString(LPCTSTR lpszString);
    int InsertString(int nIndex, LPCTSTR lpszString);
    // The count left, or CB_ERR.
    int DeleteString(UINT nIndex);
    void ResetContent();
    int GetCount() const { return m_items.count(); }
    int GetCurSel() const { return m_cur; }
    // -1 clears the selection (and returns CB_ERR, as on Windows).
    int SetCurSel(int nSelect);
    int GetLBText(int nIndex, LPTSTR lpszText) const;
    void GetLBText(int nIndex, std::wstring& rString) const;
    int GetLBTextLen(int nIndex) const;
    int FindString(int nStartAfter, LPCTSTR lpszString) const;
    int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const;
    // Selects the first entry that starts with the text; CB_ERR leaves the selection.
    int SelectString(int nStartAfter, LPCTSTR lpszString);
    int SetItemData(int nIndex, DWORD_PTR dwItemData);
    DWORD_PTR GetItemData(int nIndex) const;
    BOOL LimitText(int nMaxChars) {
        m_limit = nMaxChars > 0 ? nMaxChars : 0;
        return TRUE;
    }
    void ShowDropDown(BOOL bShowIt = TRUE) { m_dropped = bShowIt != FALSE; }
    BOOL GetDroppedState() const { return m_dropped; }
    // A drop-down combo shows the text; a drop-down list selects the entry of that text.
    void SetWindowText(LPCTSTR lpszString) override;

    bool userSetText(const std::wstring& text, std::wstring& error) override;
    bool userSelect(const std::wstring& item, std::wstring& error) override;
    host::UiControlView userView() const override;

private:
    bool isList() const { return (m_dwStyle & 0x3) == CBS_DROPDOWNLIST; }
    void syncSorted() { m_items.setSorted((m_dwStyle & CBS_SORT) != 0); }

    host::mfc::ItemList m_items;
    int m_cur = -1;
    int m_limit = 0;
    bool m_dropped = false;
};
