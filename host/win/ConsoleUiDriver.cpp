#include "host/win/ConsoleUiDriver.h"

#include "host/win/ScriptUiDriver.h"
#include "host/win/Transcript.h"
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

} // namespace host
