#pragma once
// "Globale Einstellungen" (the small one): which options file is in use. The list shows
// the known files that still exist; "•••" adds a file (and uses it at once),
// "Entfernen" takes the chosen one off the list (the Delete key of the list),
// "Eigenschaften..." edits the chosen file in the options dialog, OK makes the chosen
// file the one in use.
#include "host/mfc/CDialog.h"

#include <string>
#include <vector>

class CDlgOptionsLoad : public CDialog {
public:
    explicit CDlgOptionsLoad(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;
    void OnOK() override;

    // The files the list shows, in order.
    const std::vector<std::wstring>& Files() const { return m_files; }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    // Refills the list from the main INI and selects `select` (the file in use when empty).
    void fillList(const std::wstring& select);
    std::wstring selected() const;
    void onBrowse();
    void onRemove();
    void onProperties();

    std::vector<std::wstring> m_files;
};

// Runs the dialog (menu item "Globale Einstellungen..." of the palette); true after OK.
bool OpenDlgOptionsLoad();
