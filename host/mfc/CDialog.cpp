#include "host/mfc/CDialog.h"

#include "host/mfc/AfxModuleState.h"
#include "host/mfc/AfxResources.h"
#include "host/mfc/CButton.h"
#include "host/mfc/CComboBox.h"
#include "host/mfc/CDataExchange.h"
#include "host/mfc/CEdit.h"
#include "host/mfc/CListBox.h"
#include "host/mfc/CStatic.h"
#include "host/mfc/CTabCtrl.h"
#include "host/mfc/DialogForm.h"
#include "host/win/FormatW.h"
#include "host/win/Transcript.h"
#include "host/win/WinMessageBox.h"

#include <exception>
#include <memory>

namespace {

std::unique_ptr<CWnd> makeControl(const host::mfc::ControlTemplate& t) {
    switch (t.kind) {
    case host::mfc::ControlKind::Button:
        return std::make_unique<CButton>();
    case host::mfc::ControlKind::Edit:
        return std::make_unique<CEdit>();
    case host::mfc::ControlKind::ComboBox:
        return std::make_unique<CComboBox>();
    case host::mfc::ControlKind::ListBox:
        return std::make_unique<CListBox>();
    case host::mfc::ControlKind::Tab:
        return std::make_unique<CTabCtrl>();
    case host::mfc::ControlKind::Static:
        break;
    }
    return std::make_unique<CStatic>();
}

void fillItems(CWnd* control, const std::vector<std::wstring>& items) {
    if (auto* combo = dynamic_cast<CComboBox*>(control))
        for (const std::wstring& item : items)
            combo->AddString(item.c_str());
    else if (auto* list = dynamic_cast<CListBox*>(control))
        for (const std::wstring& item : items)
            list->AddString(item.c_str());
    else if (auto* tab = dynamic_cast<CTabCtrl*>(control))
        for (const std::wstring& item : items)
            tab->InsertItem(tab->GetItemCount(), item.c_str());
}

} // namespace

bool CDialog::buildFromTemplate(UINT nIDTemplate, CWnd* pParent, bool child) {
    const HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCE(nIDTemplate), RT_DIALOG);
    const std::optional<host::mfc::DialogTemplate> t = host::mfc::findDialogTemplate(module, nIDTemplate);
    if (!t) {
        host::transcriptWrite(
            host::FormatW(L"\nThe resources hold no dialog %u; it cannot be shown.", nIDTemplate));
        return false;
    }
    if (pParent && !pParent->m_hWnd) pParent = nullptr;
    const DWORD style = child ? (t->style & ~(WS_POPUP | WS_CAPTION)) | WS_CHILD : t->style;
    // The parent of a top-level dialog is only its owner: it is not one of its children.
    attachWindow(child ? pParent : nullptr, 0, style & ~WS_VISIBLE, t->caption);
    m_rect = t->rect;
    m_nIDTemplate = nIDTemplate;
    m_bTemplateVisible = (t->style & WS_VISIBLE) != 0;
    for (const host::mfc::ControlTemplate& c : t->controls) {
        CWnd* control = adoptChild(makeControl(c));
        DWORD cs = c.style | WS_CHILD;
        if (c.visible) cs |= WS_VISIBLE;
        control->attachWindow(this, c.id, cs, c.text);
        fillItems(control, c.items);
    }
    return true;
}

bool CDialog::initDialog() {
    try {
        OnInitDialog();
        return true;
    } catch (const std::exception&) {
    } catch (...) {
    }
    host::transcriptWrite(host::FormatW(L"\nDialog %u could not be set up.", m_nIDTemplate));
    return false;
}

INT_PTR CDialog::DoModal() {
    if (m_hWnd) return -1;
    if (!buildFromTemplate(m_nIDTemplate, m_pParentWnd, false)) return -1;
    m_bModal = true;
    m_bEnded = false;
    m_nModalResult = IDCANCEL;
    if (!initDialog()) EndDialog(-1);
    if (m_hWnd) ShowWindow(SW_SHOW);
    host::mfc::runModal(
        *this, static_cast<int>(m_nIDTemplate), [this] { return m_bEnded || !m_hWnd; },
        [this] {
            SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            // The close box ends the run even when the dialog's Cancel would not.
            if (!m_bEnded) EndDialog(IDCANCEL);
        });
    const INT_PTR result = m_nModalResult;
    m_bModal = false;
    DestroyWindow();
    return result;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
    if (m_hWnd) return FALSE;
    m_pParentWnd = pParentWnd;
    if (!buildFromTemplate(nIDTemplate, pParentWnd, false)) return FALSE;
    m_bModal = false;
    if (!initDialog()) {
        DestroyWindow();
        return FALSE;
    }
    if (m_hWnd && m_bTemplateVisible) ShowWindow(SW_SHOW);
    return m_hWnd != nullptr;
}

void CDialog::EndDialog(int nResult) {
    m_nModalResult = nResult;
    if (m_bModal)
        m_bEnded = true;
    else
        ShowWindow(SW_HIDE);
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return !dx.failed();
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM) {
    if (HIWORD(wParam) != BN_CLICKED) return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK:
        OnOK();
        return TRUE;
    case IDCANCEL:
        OnCancel();
        return TRUE;
    default:
        return FALSE;
    }
}
