#include "host/mfc/CPropertySheet.h"

#include "host/mfc/AfxModuleState.h"
#include "host/mfc/CButton.h"
#include "host/mfc/DialogForm.h"
#include "host/win/Transcript.h"
#include "host/win/WinMessageBox.h"
#include "host/win/WinModules.h"

#include <algorithm>
#include <memory>

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : m_strCaption(pszCaption ? pszCaption : L""), m_pParentWnd(pParentWnd), m_nStartPage(iSelectPage) {}

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : m_pParentWnd(pParentWnd), m_nStartPage(iSelectPage) {
    wchar_t buffer[256] = {};
    if (LoadStringW(AfxGetResourceHandle(), nIDCaption, buffer, 256) > 0) m_strCaption = buffer;
}

void CPropertySheet::AddPage(CPropertyPage* pPage) {
    if (!pPage || GetPageIndex(pPage) >= 0) return;
    m_pages.push_back(pPage);
    if (m_tab) m_tab->InsertItem(m_tab->GetItemCount(), pPage->caption().c_str());
    if (m_hWnd && m_active < 0) SetActivePage(GetPageCount() - 1);
}

void CPropertySheet::RemovePage(CPropertyPage* pPage) {
    RemovePage(GetPageIndex(pPage));
}

void CPropertySheet::RemovePage(int nPage) {
    CPropertyPage* page = GetPage(nPage);
    if (!page) return;
    const bool wasActive = nPage == m_active;
    if (page->m_hWnd) page->DestroyWindow();
    page->m_pSheet = nullptr;
    m_pages.erase(m_pages.begin() + nPage);
    if (m_tab) m_tab->DeleteItem(nPage);
    if (m_active > nPage) --m_active;
    if (wasActive) {
        m_active = -1;
        if (m_hWnd && !m_pages.empty()) SetActivePage(std::min(nPage, GetPageCount() - 1));
    }
    if (m_tab && m_active >= 0) m_tab->SetCurSel(m_active);
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const {
    return nPage >= 0 && nPage < GetPageCount() ? m_pages[static_cast<size_t>(nPage)] : nullptr;
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage) const {
    const auto it = std::find(m_pages.begin(), m_pages.end(), pPage);
    return it == m_pages.end() ? -1 : static_cast<int>(it - m_pages.begin());
}

BOOL CPropertySheet::SetActivePage(int nPage) {
    CPropertyPage* page = GetPage(nPage);
    if (!page) return FALSE;
    if (!m_hWnd) {
        m_nStartPage = static_cast<UINT>(nPage);
        return TRUE;
    }
    if (nPage == m_active) return TRUE;
    CPropertyPage* old = GetActivePage();
    if (old && old->m_hWnd && !old->OnKillActive()) return FALSE;
    if (!page->createIn(*this) || !page->OnSetActive()) {
        if (m_tab && m_active >= 0) m_tab->SetCurSel(m_active);
        return FALSE;
    }
    if (old && old->m_hWnd) old->ShowWindow(SW_HIDE);
    page->ShowWindow(SW_SHOW);
    m_active = nPage;
    if (m_tab) m_tab->SetCurSel(nPage);
    return TRUE;
}

void CPropertySheet::SetTitle(LPCTSTR lpszText, UINT) {
    m_strCaption = lpszText ? lpszText : L"";
    if (m_hWnd) SetWindowText(m_strCaption.c_str());
}

bool CPropertySheet::build(CWnd* parent, DWORD style, bool modal) {
    if (parent && !parent->m_hWnd) parent = nullptr;
    attachWindow(modal ? nullptr : parent, 0, style & ~WS_VISIBLE, m_strCaption);
    auto tab = std::make_unique<CTabCtrl>();
    m_tab = static_cast<CTabCtrl*>(adoptChild(std::move(tab)));
    m_tab->attachWindow(this, AFX_IDC_TAB_CONTROL, WS_CHILD | WS_VISIBLE | WS_TABSTOP, L"");
    if (modal) {
        const struct {
            int id;
            const wchar_t* text;
            DWORD style;
        } buttons[] = {{IDOK, L"OK", BS_DEFPUSHBUTTON},
                       {IDCANCEL, L"Cancel", BS_PUSHBUTTON},
                       {ID_APPLY_NOW, L"&Apply", BS_PUSHBUTTON | WS_DISABLED}};
        for (const auto& b : buttons)
            adoptChild(std::make_unique<CButton>())
                ->attachWindow(this, b.id, WS_CHILD | WS_VISIBLE | b.style, b.text);
    }
    for (CPropertyPage* page : m_pages)
        m_tab->InsertItem(m_tab->GetItemCount(), page->caption().c_str());
    m_active = -1;
    // A start page that cannot be shown gives way to the first one that can.
    if (!SetActivePage(static_cast<int>(m_nStartPage)))
        for (int i = 0; i < GetPageCount() && m_active < 0; ++i)
            SetActivePage(i);
    if (style & WS_VISIBLE) ShowWindow(SW_SHOW);
    return true;
}

INT_PTR CPropertySheet::DoModal() {
    if (m_hWnd) return -1;
    if (m_pages.empty()) {
        host::transcriptWrite(L"\nA property sheet without pages cannot be shown.");
        return -1;
    }
    build(m_pParentWnd, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, true);
    m_bModal = true;
    m_bEnded = false;
    m_nModalResult = IDCANCEL;
    host::mfc::runModal(
        *this, 0, [this] { return m_bEnded || !m_hWnd; },
        [this] {
            PressButton(PSBTN_CANCEL);
            if (!m_bEnded) EndDialog(IDCANCEL);
        });
    const INT_PTR result = m_nModalResult;
    m_bModal = false;
    DestroyWindow();
    return result;
}

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD) {
    if (m_hWnd) return FALSE;
    if (dwStyle == static_cast<DWORD>(-1))
        dwStyle = pParentWnd ? WS_CHILD | WS_VISIBLE : WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
    m_bModal = false;
    return build(pParentWnd, dwStyle, false);
}

void CPropertySheet::EndDialog(int nEndID) {
    m_nModalResult = nEndID;
    if (m_bModal)
        m_bEnded = true;
    else
        ShowWindow(SW_HIDE);
}

std::vector<CPropertyPage*> CPropertySheet::createdPages() const {
    std::vector<CPropertyPage*> out;
    for (CPropertyPage* page : m_pages)
        if (page->m_hWnd) out.push_back(page);
    return out;
}

bool CPropertySheet::applyAll() {
    CPropertyPage* active = GetActivePage();
    if (active && active->m_hWnd && !active->OnKillActive()) return false;
    for (CPropertyPage* page : createdPages()) {
        if (!page->OnApply()) {
            SetActivePage(page);
            return false;
        }
        page->m_bModified = false;
    }
    return true;
}

BOOL CPropertySheet::PressButton(int nButton) {
    switch (nButton) {
    case PSBTN_OK:
        if (applyAll()) EndDialog(IDOK);
        return TRUE;
    case PSBTN_CANCEL:
        for (CPropertyPage* page : createdPages())
            page->OnCancel();
        EndDialog(IDCANCEL);
        return TRUE;
    case PSBTN_APPLYNOW:
        if (applyAll())
            if (CWnd* apply = GetDlgItem(ID_APPLY_NOW)) apply->EnableWindow(FALSE);
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
        case IDOK:
            return PressButton(PSBTN_OK);
        case IDCANCEL:
            return PressButton(PSBTN_CANCEL);
        case ID_APPLY_NOW:
            return PressButton(PSBTN_APPLYNOW);
        default:
            break;
        }
    }
    return CWnd::OnCommand(wParam, lParam);
}

BOOL CPropertySheet::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!header || !m_tab || header->hwndFrom != m_tab->m_hWnd)
        return CWnd::OnNotify(wParam, lParam, pResult);
    if (header->code == TCN_SELCHANGING) {
        // The page that is left may keep the sheet on it (a value that does not convert).
        CPropertyPage* active = GetActivePage();
        *pResult = active && active->m_hWnd && !active->OnKillActive() ? TRUE : FALSE;
        return TRUE;
    }
    if (header->code == TCN_SELCHANGE) {
        const int wanted = m_tab->GetCurSel();
        CPropertyPage* page = GetPage(wanted);
        CPropertyPage* old = GetActivePage();
        if (page && page->createIn(*this) && page->OnSetActive()) {
            if (old && old->m_hWnd && old != page) old->ShowWindow(SW_HIDE);
            page->ShowWindow(SW_SHOW);
            m_active = wanted;
        } else {
            m_tab->SetCurSel(m_active);
        }
        *pResult = 0;
        return TRUE;
    }
    return CWnd::OnNotify(wParam, lParam, pResult);
}
