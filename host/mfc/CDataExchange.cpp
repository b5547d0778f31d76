#include "host/mfc/CDataExchange.h"

#include "host/mfc/CButton.h"
#include "host/mfc/CComboBox.h"
#include "host/mfc/CWnd.h"
#include "host/win/FormatW.h"
#include "host/win/WinCrt.h"
#include "host/win/WinMessageBox.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace {

void refuse(CDataExchange* pDX, CWnd* control, const wchar_t* what) {
    MessageBoxW(pDX->m_pDlgWnd ? pDX->m_pDlgWnd->GetSafeHwnd() : nullptr, what, L"lintaro",
                MB_OK | MB_ICONEXCLAMATION);
    if (control) control->SetFocus();
    pDX->Fail();
}

} // namespace

CWnd* CDataExchange::control(int nIDC) {
    CWnd* c = m_pDlgWnd ? host::mfc::findUserControl(*m_pDlgWnd, nIDC) : nullptr;
    if (!c) Fail();
    return c;
}

void DDX_Text(CDataExchange* pDX, int nIDC, std::wstring& value) {
    CWnd* c = pDX->control(nIDC);
    if (!c) return;
    if (pDX->m_bSaveAndValidate)
        c->GetWindowText(value);
    else
        c->SetWindowText(value.c_str());
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) {
    CWnd* c = pDX->control(nIDC);
    if (!c) return;
    if (!pDX->m_bSaveAndValidate) {
        c->SetWindowText(host::FormatW(L"%d", value).c_str());
        return;
    }
    std::wstring text;
    c->GetWindowText(text);
    const std::wstring trimmed(host::trimView(text));
    wchar_t* end = nullptr;
    errno = 0;
    const long v = trimmed.empty() ? 0 : std::wcstol(trimmed.c_str(), &end, 10);
    if (trimmed.empty() || *end || errno == ERANGE || v < INT_MIN || v > INT_MAX)
        return refuse(pDX, c, L"Please enter an integer.");
    value = static_cast<int>(v);
}

void DDX_Text(CDataExchange* pDX, int nIDC, double& value) {
    CWnd* c = pDX->control(nIDC);
    if (!c) return;
    if (!pDX->m_bSaveAndValidate) {
        c->SetWindowText(host::FormatW(L"%.15g", value).c_str());
        return;
    }
    std::wstring text;
    c->GetWindowText(text);
    const std::wstring trimmed(host::trimView(text));
    wchar_t* end = nullptr;
    errno = 0;
    // wcstod follows the C locale, which the host keeps: '.' is the decimal mark.
    const double v = trimmed.empty() ? 0.0 : std::wcstod(trimmed.c_str(), &end);
    if (trimmed.empty() || *end || errno == ERANGE || !std::isfinite(v))
        return refuse(pDX, c, L"Please enter a number.");
    value = v;
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
    auto* b = dynamic_cast<CButton*>(pDX->control(nIDC));
    if (!b) return pDX->Fail();
    if (pDX->m_bSaveAndValidate)
        value = b->GetCheck();
    else
        b->SetCheck(value);
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index) {
    auto* combo = dynamic_cast<CComboBox*>(pDX->control(nIDC));
    if (!combo) return pDX->Fail();
    if (pDX->m_bSaveAndValidate)
        index = combo->GetCurSel();
    else
        combo->SetCurSel(index);
}

void DDX_CBString(CDataExchange* pDX, int nIDC, std::wstring& value) {
    auto* combo = dynamic_cast<CComboBox*>(pDX->control(nIDC));
    if (!combo) return pDX->Fail();
    if (pDX->m_bSaveAndValidate) {
        combo->GetWindowText(value);
        return;
    }
    if (combo->SelectString(-1, value.c_str()) == CB_ERR) combo->SetWindowText(value.c_str());
}
