#pragma once
// "HK: DWG Pfad & Dateiname ersetzen": replaces a part of the drawing paths in the
// links of the height marks of the current drawing that take their values from marks
// in other drawings, after those drawings were moved or renamed.
#include "host/db/database/AcDbObjectId.h"
#include "host/mfc/CDialog.h"

class CDlgReplacePath : public CDialog {
public:
    CDlgReplacePath();
    BOOL OnInitDialog() override;
    void OnOK() override;

    AcDbObjectIdArray m_ids; // the marks that link another drawing
    int m_replaced = 0;      // link texts changed by the last "Ersetzen"

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};

// Runs the dialog on the current drawing.
void OpenDlgReplacePath();
