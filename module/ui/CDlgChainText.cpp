#include "module/ui/CDlgChainText.h"

#include "module/resources/ContextMenuResources.h"

CDlgChainText::CDlgChainText(Use use, CWnd* pParent) : CDialog(IDD_DLG_CHAIN_TEXT, pParent), m_use(use) {}

BOOL CDlgChainText::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(m_strTitle.c_str());
    SetDlgItemText(IDC_CHAIN_TEXT_INFO, m_strInfo.c_str());
    SetDlgItemText(IDC_CHAIN_TEXT_LABEL, m_strLabel.c_str());
    SetDlgItemText(IDC_CHAIN_TEXT_EDIT, m_strText.c_str());
    SetDlgItemText(IDC_CHAIN_TEXT_LABEL2, m_strLabel2.c_str());
    SetDlgItemText(IDC_CHAIN_TEXT_EDIT2, m_strText2.c_str());
    const bool two = m_use == kPrefixSuffix;
    const bool sides = m_use == kLabel;
    for (int id : {IDC_CHAIN_TEXT_LABEL2, IDC_CHAIN_TEXT_EDIT2})
        if (CWnd* w = GetDlgItem(id)) w->ShowWindow(two ? SW_SHOW : SW_HIDE);
    for (int id : {IDC_CHAIN_TEXT_LEFT, IDC_CHAIN_TEXT_RIGHT})
        if (CWnd* w = GetDlgItem(id)) w->ShowWindow(sides ? SW_SHOW : SW_HIDE);
    CheckDlgButton(IDC_CHAIN_TEXT_LEFT, m_bLeft ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_CHAIN_TEXT_RIGHT, m_bRight ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

void CDlgChainText::OnOK() {
    GetDlgItemText(IDC_CHAIN_TEXT_EDIT, m_strText);
    GetDlgItemText(IDC_CHAIN_TEXT_EDIT2, m_strText2);
    m_bLeft = IsDlgButtonChecked(IDC_CHAIN_TEXT_LEFT) == BST_CHECKED;
    m_bRight = IsDlgButtonChecked(IDC_CHAIN_TEXT_RIGHT) == BST_CHECKED;
    CDialog::OnOK();
}
