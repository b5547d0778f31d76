#pragma once
// The small text dialog of the chain operations: a manual value, a chain label with
// its sides, or a prefix and a suffix. The caller fills the texts before DoModal and
// reads them after IDOK; what a use does not need stays hidden.
#include "host/mfc/CDialog.h"

#include <string>

class CDlgChainText : public CDialog {
public:
    enum Use { kValue, kLabel, kPrefixSuffix };
    explicit CDlgChainText(Use use, CWnd* pParent = nullptr);

    std::wstring m_strTitle;
    std::wstring m_strInfo;   // what was picked
    std::wstring m_strLabel;  // the first field's label
    std::wstring m_strText;   // the first field
    std::wstring m_strLabel2; // the second field's label (prefix and suffix only)
    std::wstring m_strText2;
    bool m_bLeft = false; // the label's sides
    bool m_bRight = false;

    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    Use m_use;
};
