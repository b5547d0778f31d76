#pragma once
// The UI driver of the interactive command line: a box shows its text in the
// transcript and, when it asks something, reads the answer from the console.
#include "host/win/UiDriver.h"

#include <istream>

namespace host {

class ConsoleUiDriver : public UiDriver {
public:
    explicit ConsoleUiDriver(std::istream& in) : m_in(in) {}

    // Answers: the button's name or its first letter, in English or German ("y",
    // "yes", "j", "ja", "n", "nein", "ok", "c", "cancel", "abbrechen" ...), any case.
    // An answer the box does not offer asks again; the end of the input takes the
    // unanswered default (No, else Cancel).
    int messageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) override;
    // Shows the dialog as a text form and reads actions as a script writes them after
    // "@dialog" ("1144 = abc", "click 1", "check 1040 1", "select 1020 1:50"); "ok"
    // and "cancel" click those buttons, "?" shows the form again. The end of the
    // input cancels the dialog.
    void runDialog(UiForm& form) override;
    // Lists the items with their ids and reads one; Enter or the end of the input
    // chooses nothing, an id that cannot be chosen asks again.
    unsigned trackPopupMenu(const UiMenuView& menu) override;
    // Asks for the path (several separated by "|" where several are allowed); a path
    // the chooser cannot take asks again; Enter or the end of the input cancels.
    bool chooseFiles(const FileChooserRequest& request, std::vector<std::wstring>& chosen) override;
    // While the add-on starts (the palette reopening as it was left): one line saying it
    // is open. Afterwards, the first time it appears and whenever it is asked for while in
    // view (XOTA_Lintaro): its form and the "@palette" lines that work it.
    void paletteShown(const UiForm& form, bool again) override;
    // The add-on has started: what shows the palette now is the person's doing.
    void startupDone() { m_startup = false; }

private:
    bool readLine(std::wstring& line);

    std::istream& m_in;
    bool m_startup = true;
    bool m_paletteShown = false;
};

// The button a typed answer names for a box of this MB_ type; 0 when none.
int typedButton(const std::wstring& answer, UINT type);

} // namespace host
