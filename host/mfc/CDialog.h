#pragma once
// MFC's dialog, built from a dialog template of the resources (host/mfc/AfxResources.h):
// each control of the template becomes a child window of its kind (CButton, CEdit,
// CComboBox ...) that GetDlgItem finds, so module code casts it as it would in MFC.
//
// DoModal runs the dialog through the UI driver (scripted "@dialog ..." events, the
// console, or a test) and returns what EndDialog was given; IDCANCEL when the driver
// had no answer; -1 when the template is missing or OnInitDialog failed. Create makes
// a modeless dialog that lives until DestroyWindow.
//
// A derived dialog overrides OnInitDialog, OnOK, OnCancel and OnCommand / OnNotify
// (calling CDialog's for what it does not handle); CDialog::OnCommand turns a click
// on IDOK into OnOK and on IDCANCEL into OnCancel.
#include "host/mfc/CWnd.h"
#include "host/win/WinMessageBox.h" // IDOK, IDCANCEL

class CDataExchange;

class CDialog : public CWnd {
public:
    CDialog() = default;
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr)
        : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

    virtual INT_PTR DoModal();
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    // Ends a modal run with the result; a modeless dialog is only hidden.
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    // Runs DoDataExchange: controls to members (TRUE) or members to controls (FALSE);
    // FALSE when a control held a value that does not convert.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    void GotoDlgCtrl(CWnd* pWndCtrl) {
        if (pWndCtrl) pWndCtrl->SetFocus();
    }

    UINT m_nIDTemplate = 0;
    CWnd* m_pParentWnd = nullptr;

    bool isContainer() const override { return true; }

protected:
    virtual void DoDataExchange(CDataExchange* pDX) { (void)pDX; }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // The close box of a dialog is Cancel.
    void OnClose() override { OnCancel(); }

    // The window and the controls of template `nIDTemplate`, as a child of `pParent`
    // when `child` (property pages, dialogs inside dialogs). False, with a transcript
    // line, when the resources have no such template.
    bool buildFromTemplate(UINT nIDTemplate, CWnd* pParent, bool child);
    // OnInitDialog under a guard: false when it threw.
    bool initDialog();
    bool modalEnded() const { return m_bEnded; }

private:
    int m_nModalResult = -1;
    bool m_bModal = false;
    bool m_bEnded = false;
    bool m_bTemplateVisible = false;
};
