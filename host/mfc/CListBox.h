#pragma once
// A list box: entries, one selected (or several with LBS_MULTIPLESEL/LBS_EXTENDEDSEL).
// A person's choice sends LBN_SELCHANGE.
#include "host/mfc/CWnd.h"
#include "host/mfc/ItemList.h"

class CListBox : public CWnd {
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int AddString(LPCTSTR lpszItem);
    int InsertString(int nIndex, LPCTSTR lpszItem);
    int DeleteString(UINT nIndex);
    void ResetContent();
    int GetCount() const { return m_items.count(); }
    // Single selection lists; LB_ERR when nothing is selected.
    int GetCurSel() const { return m_cur; }
    int SetCurSel(int nSelect);
    int GetText(int nIndex, LPTSTR lpszBuffer) const;
    void GetText(int nIndex, std::wstring& rString) const;
    int GetTextLen(int nIndex) const;
    int FindString(int nStartAfter, LPCTSTR lpszItem) const;
    int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const;
    int SelectString(int nStartAfter, LPCTSTR lpszItem);
    int SetItemData(int nIndex, DWORD_PTR dwItemData);
    DWORD_PTR GetItemData(int nIndex) const;
    // Multiple selection lists; nIndex -1 means every entry.
    int GetSel(int nIndex) const;
    int SetSel(int nIndex, BOOL bSelect = TRUE);
    int GetSelCount() const;
    int GetSelItems(int nMaxItems, LPINT rgIndex) const;

    bool userSetText(const std::wstring& text, std::wstring& error) override {
        return userSelect(text, error);
    }
    // In a multiple selection list the entry is added to the selection.
    bool userSelect(const std::wstring& item, std::wstring& error) override;
    host::UiControlView userView() const override;

private:
    bool isMulti() const { return (m_dwStyle & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }

    host::mfc::ItemList m_items;
    int m_cur = LB_ERR;
};
