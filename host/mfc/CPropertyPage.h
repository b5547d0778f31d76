#pragma once
// A page of a property sheet: a dialog made from its own template, created as a child
// of the sheet the first time it is shown and hidden while another page is active.
// Its caption is the template's (or string nIDCaption). Leaving a page asks
// OnKillActive (FALSE keeps it); the sheet's OK calls OnOK on every page that was
// created, Cancel calls OnCancel; neither ends anything by itself.
#include "host/mfc/CDialog.h"

#include <string>

class CPropertySheet;

class CPropertyPage : public CDialog {
public:
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);

    virtual BOOL OnSetActive() { return TRUE; }
    // Takes the controls into the members (UpdateData); FALSE keeps the page.
    virtual BOOL OnKillActive() { return UpdateData(TRUE); }
    void OnOK() override {}
    void OnCancel() override {}
    virtual BOOL OnApply() {
        OnOK();
        return TRUE;
    }
    void SetModified(BOOL bChanged = TRUE);
    bool isModified() const { return m_bModified; }

    // The caption of the page's tab.
    std::wstring caption() const;

private:
    friend class CPropertySheet;
    bool createIn(CPropertySheet& sheet);

    UINT m_nIDCaption;
    CPropertySheet* m_pSheet = nullptr;
    bool m_bModified = false;
};
