#include "host/mfc/CPropertyPage.h"

#include "host/mfc/AfxModuleState.h"
#include "host/mfc/AfxResources.h"
#include "host/mfc/CPropertySheet.h"
#include "host/win/WinModules.h"

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption)
    : CDialog(nIDTemplate), m_nIDCaption(nIDCaption) {}

std::wstring CPropertyPage::caption() const {
    if (m_nIDCaption) {
        wchar_t buffer[256] = {};
        if (LoadStringW(AfxGetResourceHandle(), m_nIDCaption, buffer, 256) > 0 ||
            LoadStringW(AfxGetInstanceHandle(), m_nIDCaption, buffer, 256) > 0)
            return buffer;
    }
    if (m_hWnd) {
        std::wstring text;
        GetWindowText(text);
        return text;
    }
    const std::optional<host::mfc::DialogTemplate> t = host::mfc::findDialogTemplate(
        AfxFindResourceHandle(MAKEINTRESOURCE(m_nIDTemplate), RT_DIALOG), m_nIDTemplate);
    return t ? t->caption : std::wstring();
}

void CPropertyPage::SetModified(BOOL bChanged) {
    m_bModified = bChanged != FALSE;
    if (m_pSheet && m_bModified)
        if (CWnd* apply = m_pSheet->GetDlgItem(ID_APPLY_NOW)) apply->EnableWindow(TRUE);
}

bool CPropertyPage::createIn(CPropertySheet& sheet) {
    if (m_hWnd) return true;
    const std::wstring text = caption();
    if (!buildFromTemplate(m_nIDTemplate, &sheet, true)) return false;
    SetWindowText(text.c_str());
    m_pSheet = &sheet;
    if (!initDialog()) {
        DestroyWindow();
        return false;
    }
    return m_hWnd != nullptr;
}
