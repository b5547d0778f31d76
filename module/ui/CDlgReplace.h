#pragma once
// "Zusatzmaßtexte ersetzen": replaces appended texts of the chains of the current
// drawing (or of a selection of them) that equal the search text as a whole.
#include "host/db/database/AcDbObjectId.h"
#include "host/mfc/CDialog.h"

class CDlgReplace : public CDialog {
public:
    CDlgReplace();
    BOOL OnInitDialog() override;
    void OnOK() override;

    // The chains worked on: all chains of the drawing, or the selection.
    AcDbObjectIdArray m_ids;
    // Texts replaced by the last "Ersetzen".
    int m_replaced = 0;
};

// Runs the dialog on the current drawing.
void OpenDlgReplace();
