#pragma once
// "Suchen und Ersetzen": replaces texts of chains and height marks in many drawings at
// once: files chosen by a wildcard mask, the drawings of a folder (with subfolders if
// asked), or the drawings open in the editor. Unlike the appended-text replace it can
// also replace parts of texts.
#include "host/mfc/CDialog.h"
#include "module/ui/ReplaceExternalRun.h"

class CDlgReplaceExternal : public CDialog {
public:
    CDlgReplaceExternal();
    BOOL OnInitDialog() override;
    void OnOK() override;

    // The counters of the last run.
    ReplaceRunCounts m_counts;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    int source() const;
    void showFileLabel();
    void storeSettings();
    void browse();
};

// The command XOTA_dimReplace: runs the dialog.
void OpenDlgReplaceExternal();
