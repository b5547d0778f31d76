#pragma once
// A tabbed dialog of property pages. DoModal shows it with OK, Cancel and Apply
// (ID_APPLY_NOW) and runs it through the UI driver: "@dialog select 12320 <caption>"
// switches pages (the tab control is AFX_IDC_TAB_CONTROL), the controls of the active
// page are reached by their ids. Create makes it a modeless window, usually a child
// of a dialog, with the tabs only.
#include "host/mfc/CPropertyPage.h"
#include "host/mfc/CTabCtrl.h"

#include <string>
#include <vector>

class CPropertySheet : public CWnd {
public:
    CPropertySheet() = default;
    explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

    void AddPage(CPropertyPage* pPage);
    void RemovePage(CPropertyPage* pPage);
    void RemovePage(int nPage);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetPage(int nPage) const;
    int GetPageIndex(CPropertyPage* pPage) const;
    CPropertyPage* GetActivePage() const { return GetPage(m_active); }
    int GetActiveIndex() const { return m_active; }
    // Leaves the current page (OnKillActive) and shows the new one (OnSetActive);
    // FALSE when either refuses or the index is wrong.
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage) { return SetActivePage(GetPageIndex(pPage)); }
    CTabCtrl* GetTabControl() const { return m_tab; }
    void SetTitle(LPCTSTR lpszText, UINT nStyle = 0);

    virtual INT_PTR DoModal();
    virtual BOOL Create(CWnd* pParentWnd = nullptr, DWORD dwStyle = static_cast<DWORD>(-1),
                        DWORD dwExStyle = 0);
    void EndDialog(int nEndID);
    // PSBTN_OK 1, PSBTN_CANCEL 2, PSBTN_APPLYNOW 3, as the buttons would.
    BOOL PressButton(int nButton);

    bool isContainer() const override { return true; }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void OnClose() override { PressButton(2); }
    void OnDestroy() override {
        m_tab = nullptr;
        m_active = -1;
    }

private:
    bool build(CWnd* parent, DWORD style, bool modal);
    // Every created page, in order.
    std::vector<CPropertyPage*> createdPages() const;
    bool applyAll();

    std::wstring m_strCaption;
    CWnd* m_pParentWnd = nullptr;
    std::vector<CPropertyPage*> m_pages;
    CTabCtrl* m_tab = nullptr;
    UINT m_nStartPage = 0;
    int m_active = -1;
    int m_nModalResult = -1;
    bool m_bModal = false;
    bool m_bEnded = false;
};

#define PSBTN_OK 1
#define PSBTN_CANCEL 2
#define PSBTN_APPLYNOW 3
