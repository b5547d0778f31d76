#pragma once
// The UI driver answers what a person would do at a message box, a modal dialog and a
// popup menu. The script driver answers from scripted events, an interactive driver
// asks on the console, tests drive it from code. One driver is current at a time.
#include "host/win/UiForm.h"
#include "host/win/UiMenuView.h"
#include "host/win/WinTypes.h"

#include <string>
#include <vector>

namespace host {

// What a file chooser asks for.
struct FileChooserRequest {
    std::wstring title;
    std::wstring initial;   // the path it starts at
    bool folder = false;    // a folder chooser
    bool multiple = false;  // several files may be picked
    bool mustExist = true;  // only existing files (an open dialog)
};

class UiDriver {
public:
    virtual ~UiDriver() = default;
    // Returns the button pressed (IDOK, IDCANCEL, IDYES, IDNO ...) for a box of the
    // given MB_ type; must not throw.
    virtual int messageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) = 0;
    // Works a modal dialog until it has ended: sets texts, selections and checks and
    // clicks buttons on `form`. A driver with nothing to do cancels it (formCancel).
    // Must not throw.
    virtual void runDialog(UiForm& form) { form.formCancel(); }
    // The command id a person chooses from a popup menu; 0 when nothing is chosen.
    // Must not throw.
    virtual unsigned trackPopupMenu(const UiMenuView& menu) {
        (void)menu;
        return 0;
    }
    // The files (or the folder) a person picks in a file chooser titled `title`; false
    // when the chooser is cancelled. `multiple` allows several files. Must not throw.
    virtual bool chooseFiles(const FileChooserRequest& request, std::vector<std::wstring>& chosen) {
        (void)request;
        chosen.clear();
        return false;
    }
    // The palette (a modeless window) was shown with this form (`again`: it was in view
    // already). A person at the console is shown it and told how to work it; scripts
    // and tests need nothing.
    virtual void paletteShown(const UiForm& form, bool again) {
        (void)form;
        (void)again;
    }
};

// The current driver; never null. Until one is set, the script driver on the
// process's event queue (host::uiEventQueue()) is current: information boxes go to
// the transcript, questions take the scripted "@yes"/"@no", else No.
UiDriver& uiDriver();
// Makes `driver` current (null restores the default) and returns the previous one
// (null when the default was current). The caller keeps ownership.
UiDriver* setUiDriver(UiDriver* driver);

// Sets a driver for the lifetime of the object (tests, the shell's run).
class UiDriverScope {
public:
    explicit UiDriverScope(UiDriver& driver) : m_previous(setUiDriver(&driver)) {}
    ~UiDriverScope() { setUiDriver(m_previous); }
    UiDriverScope(const UiDriverScope&) = delete;
    UiDriverScope& operator=(const UiDriverScope&) = delete;

private:
    UiDriver* m_previous;
};

} // namespace host
