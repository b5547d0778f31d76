#pragma once
// The HK checker: erases group bases without members, gives members their base's layer
// and scale, and moves bases off layer "0", then tells what it did.
#include "host/mfc/CDialog.h"

#include <string>

class CDlgHDimChecker : public CDialog {
public:
    CDlgHDimChecker();
    BOOL OnInitDialog() override;
    void OnOK() override;

    bool m_bEraseLone = false;
    bool m_bSameScaleAndLayer = false;
    std::wstring m_layerFor0; // empty: bases on "0" stay there
};

// Runs the dialog and, after OK, the checks; shows the counts.
void OpenDlgHDimChecker();
