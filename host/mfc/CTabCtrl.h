#pragma once
// A tab control: captions with item data and the current tab. A person's choice asks
// the parent first (TCN_SELCHANGING; a nonzero answer keeps the tab), then switches
// and tells it (TCN_SELCHANGE). SetCurSel switches without telling, as on Windows.
#include "host/mfc/CWnd.h"
#include "host/mfc/ItemList.h"

class CTabCtrl : public CWnd {
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // The new tab's index, or -1.
    LONG InsertItem(int nItem, LPCTSTR lpszItem);
    LONG InsertItem(int nItem, TCITEM* pTabCtrlItem);
    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();
    int GetItemCount() const { return m_items.count(); }
    // Fills pszText (up to cchTextMax) and lParam as the mask asks.
    BOOL GetItem(int nItem, TCITEM* pTabCtrlItem) const;
    BOOL SetItem(int nItem, TCITEM* pTabCtrlItem);
    int GetCurSel() const { return m_cur; }
    // The previous tab, or -1.
    int SetCurSel(int nItem);

    bool userSetText(const std::wstring& text, std::wstring& error) override {
        return userSelect(text, error);
    }
    bool userSelect(const std::wstring& item, std::wstring& error) override;
    host::UiControlView userView() const override;

private:
    host::mfc::ItemList m_items;
    int m_cur = -1;
};
