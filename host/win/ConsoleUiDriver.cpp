#include "host/win/ConsoleUiDriver.h"

#include "host/win/FormatW.h"
#include "host/win/ScriptUiDriver.h"
#include "host/win/Transcript.h"
#include "host/win/UiPalette.h"
#include "host/win/Utf8.h"
#include "host/win/WinCrt.h"
#include "host/win/WinMessageBox.h"

#include <string>

namespace host {

namespace {

struct Choice {
    const wchar_t* words;
    int id;
};

// Words that name each button, separated by '|'.
const Choice kChoices[] = {
    {L"yes|y|ja|j", IDYES},
    {L"no|n|nein", IDNO},
    {L"ok|o", IDOK},
    {L"cancel|c|abbrechen|a", IDCANCEL},
    {L"retry|r|wiederholen", IDRETRY},
    {L"ignore|i|ignorieren", IDIGNORE},
    {L"abort|abbruch|a", IDABORT},
};

bool namesWord(const wchar_t* words, const std::wstring& answer) {
    std::wstring_view all(words);
    while (!all.empty()) {
        const size_t bar = all.find(L'|');
        if (all.substr(0, bar) == answer) return true;
        if (bar == std::wstring_view::npos) break;
        all.remove_prefix(bar + 1);
    }
    return false;
}

std::wstring buttonList(UINT type) {
    std::wstring list;
    for (int id : {IDYES, IDNO, IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE}) {
        if (!boxHasButton(type, id)) continue;
        if (!list.empty()) list += L"/";
        list += buttonName(id);
    }
    return list;
}

} // namespace

int typedButton(const std::wstring& answer, UINT type) {
    const std::wstring a = toLowerCase(trimView(answer));
    // The first button the box has that the word names: "a" is Cancel where there
    // is one, else Abort.
    for (const Choice& c : kChoices)
        if (namesWord(c.words, a) && boxHasButton(type, c.id)) return c.id;
    return 0;
}

int ConsoleUiDriver::messageBox(HWND, const std::wstring& text, const std::wstring& caption, UINT type) {
    transcriptWrite(boxTranscriptLine(caption, text));
    if ((type & MB_TYPEMASK) == MB_OK) return IDOK;
    const std::wstring prompt = L" [" + buttonList(type) + L"]: ";
    for (;;) {
        transcriptWrite(prompt);
        std::string line;
        if (!std::getline(m_in, line)) {
            const int answer = unansweredButton(type);
            transcriptWrite(std::wstring(L"\n") + buttonName(answer));
            return answer;
        }
        if (const int id = typedButton(fromUtf8(line), type)) return id;
    }
}

bool ConsoleUiDriver::readLine(std::wstring& line) {
    std::string bytes;
    if (!std::getline(m_in, bytes)) return false;
    line = std::wstring(trimView(fromUtf8(bytes)));
    return true;
}

void ConsoleUiDriver::paletteShown(const UiForm& form, bool again) {
    if (m_startup) {
        if (!m_paletteShown)
            transcriptWrite(L"\nThe palette is open beside the command line; \"@palette ?\" shows its fields.");
        m_paletteShown = true;
        return;
    }
    // Hidden and shown again around a pick: nothing new to tell.
    if (m_paletteShown && !again) return;
    m_paletteShown = true;
    transcriptWrite(paletteAsText(form));
    transcriptWrite(paletteHelpText());
}

void ConsoleUiDriver::runDialog(UiForm& form) {
    transcriptWrite(formAsText(form));
    while (!form.formEnded()) {
        transcriptWrite(
            L"\nDialog (<id> = <text>, click <id>, check <id> 0|1|2, select <id> <item>, ok, cancel, ?): ");
        std::wstring line;
        if (!readLine(line)) {
            transcriptWrite(L"\nCancel");
            form.formCancel();
            return;
        }
        const std::wstring word = toLowerCase(line);
        if (word == L"?") {
            transcriptWrite(formAsText(form));
            continue;
        }
        if (word == L"ok") line = L"click 1";
        if (word == L"cancel") line = L"click 2";
        std::wstring error;
        const std::optional<UiFormAction> action = parseFormAction(line, error);
        if (action && action->kind == UiFormAction::Kind::Menu)
            error = L"a dialog has no menu";
        else if (action && applyFormAction(form, *action, error))
            continue;
        transcriptWrite(L"\n" + error + L" - nothing changed.");
    }
}

unsigned ConsoleUiDriver::trackPopupMenu(const UiMenuView& menu) {
    std::wstring list = L"\nMenu:";
    for (const UiMenuItem& item : menu) {
        const std::wstring indent(static_cast<size_t>(item.depth + 1) * 2, L' ');
        if (item.separator) {
            list += L"\n" + indent + L"----";
            continue;
        }
        list += L"\n" + indent;
        if (!item.popup) list += FormatW(L"[%u] ", item.id);
        list += item.text;
        if (item.popup) list += L" >";
        if (item.checked) list += L" [x]";
        if (!item.enabled) list += L" (greyed)";
    }
    transcriptWrite(list);
    for (;;) {
        transcriptWrite(L"\nItem id (Enter for none): ");
        std::wstring line;
        if (!readLine(line) || line.empty()) return 0;
        unsigned id = 0;
        bool number = line.size() <= 5;
        for (wchar_t c : line) {
            if (c < L'0' || c > L'9')
                number = false;
            else
                id = id * 10 + static_cast<unsigned>(c - L'0');
        }
        if (number && choosableItem(menu, id)) return id;
        transcriptWrite(L"\n\"" + line + L"\" cannot be chosen.");
    }
}

bool ConsoleUiDriver::chooseFiles(const FileChooserRequest& request, std::vector<std::wstring>& chosen) {
    chosen.clear();
    const wchar_t* what = request.folder ? L"folder" : request.multiple ? L"file(s), separated by |" : L"file";
    for (;;) {
        transcriptWrite(FormatW(L"\n%s - %s (Enter to cancel): ", request.title.c_str(), what));
        std::wstring line;
        if (!readLine(line)) return false;
        chosen = splitChosenPaths(line);
        if (chosen.empty()) return false;
        const std::wstring why = chosenPathsProblem(request, chosen);
        if (why.empty()) return true;
        transcriptWrite(L"\n" + why + L".");
        chosen.clear();
    }
}

} // namespace host
