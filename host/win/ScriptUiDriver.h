#pragma once
// The UI driver of command scripts: answers come from the scripted GUI events.
#include "host/win/UiDriver.h"
#include "host/win/UiEventSource.h"

#include <string_view>
#include <vector>

namespace host {

class ScriptUiDriver : public UiDriver {
public:
    // Without a source no event is ever pending.
    explicit ScriptUiDriver(UiEventSource* events = nullptr) : m_events(events) {}
    void setEventSource(UiEventSource* events) { m_events = events; }

    // The box's text goes to the transcript. A pending event naming one of the box's
    // buttons ("@yes", "@no", "@ok", "@cancel", "@retry", "@abort", "@ignore") is
    // taken as the answer. A box that offers only OK needs no answer. Otherwise the
    // box takes No (or Cancel when it has no No) and the transcript says so; the
    // pending event stays for whatever comes next.
    int messageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) override;
    // Takes the pending "@dialog ..." events one by one until the dialog ends. An
    // event the dialog refuses prints why and changes nothing. When the next input
    // is not a dialog event and the dialog is still up, it is cancelled and the
    // transcript says so.
    void runDialog(UiForm& form) override;
    // Takes a pending "@menu <id>". An id the menu does not offer (or offers greyed)
    // prints why and chooses nothing; no pending menu event chooses nothing.
    unsigned trackPopupMenu(const UiMenuView& menu) override;
    // Takes a pending "@file PATH" ("@file A | B" for several files); "@file" alone
    // cancels. A path that must exist and does not, or several paths where one is
    // asked, prints why and cancels. No pending file event cancels, with a note.
    bool chooseFiles(const FileChooserRequest& request, std::vector<std::wstring>& chosen) override;

private:
    UiEventSource* m_events;
};

// How a box shows in the transcript: "\n[caption] text", leading line breaks dropped.
std::wstring boxTranscriptLine(const std::wstring& caption, const std::wstring& text);
// Whether a box of this MB_ type has the button (IDOK, IDYES ...).
bool boxHasButton(UINT type, int id);
// The button a scripted answer names, if the box of this MB_ type has it; 0 otherwise.
int scriptedButton(const std::wstring& event, UINT type);
// The answer a box takes when nobody answers it: No, else Cancel, else OK.
int unansweredButton(UINT type);
// The paths of a file chooser's answer: "A | B" gives A and B, blanks around each
// trimmed, empty ones dropped.
std::vector<std::wstring> splitChosenPaths(std::wstring_view answer);
// Why the chooser cannot take these paths (several where one is asked, a path that
// must exist and does not); empty when it can.
std::wstring chosenPathsProblem(const FileChooserRequest& request, const std::vector<std::wstring>& chosen);
// "Yes", "No", "OK", "Cancel" ... for the transcript.
const wchar_t* buttonName(int id);

} // namespace host
