#include "host/win/ScriptUiDriver.h"

#include "host/win/FormatW.h"
#include "host/win/Transcript.h"
#include "host/win/WinCrt.h"
#include "host/win/WinFiles.h"
#include "host/win/WinMessageBox.h"

#include <cwctype>

namespace host {

namespace {

std::wstring normalisedEvent(const std::wstring& event) {
    size_t b = 0, e = event.size();
    while (b < e && std::iswspace(event[b]))
        ++b;
    while (e > b && std::iswspace(event[e - 1]))
        --e;
    std::wstring out = event.substr(b, e - b);
    for (wchar_t& c : out)
        if (c < 0x80) c = static_cast<wchar_t>(std::towlower(c));
    return out;
}

// The box's text on one line, for the "no answer" note.
std::wstring oneLine(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        if (c == L'\r') continue;
        if (c == L'\n') {
            if (!out.empty() && out.back() != L' ') out.push_back(L' ');
            continue;
        }
        out.push_back(c);
    }
    while (!out.empty() && out.back() == L' ')
        out.pop_back();
    return out;
}

} // namespace

// Texts often begin with "\n" for the command line; the box starts its own line.
std::wstring boxTranscriptLine(const std::wstring& caption, const std::wstring& text) {
    size_t b = 0;
    while (b < text.size() && (text[b] == L'\n' || text[b] == L'\r'))
        ++b;
    return L"\n[" + caption + L"] " + text.substr(b);
}

bool boxHasButton(UINT type, int id) {
    switch (type & MB_TYPEMASK) {
    case MB_OK:
        return id == IDOK;
    case MB_OKCANCEL:
        return id == IDOK || id == IDCANCEL;
    case MB_ABORTRETRYIGNORE:
        return id == IDABORT || id == IDRETRY || id == IDIGNORE;
    case MB_YESNOCANCEL:
        return id == IDYES || id == IDNO || id == IDCANCEL;
    case MB_YESNO:
        return id == IDYES || id == IDNO;
    case MB_RETRYCANCEL:
        return id == IDRETRY || id == IDCANCEL;
    default:
        return id == IDOK;
    }
}

int scriptedButton(const std::wstring& event, UINT type) {
    static const struct {
        const wchar_t* name;
        int id;
    } kNames[] = {{L"yes", IDYES},     {L"no", IDNO},       {L"ok", IDOK},        {L"cancel", IDCANCEL},
                  {L"abort", IDABORT}, {L"retry", IDRETRY}, {L"ignore", IDIGNORE}};
    const std::wstring e = normalisedEvent(event);
    for (const auto& n : kNames)
        if (e == n.name) return boxHasButton(type, n.id) ? n.id : 0;
    return 0;
}

int unansweredButton(UINT type) {
    if (boxHasButton(type, IDNO)) return IDNO;
    if (boxHasButton(type, IDCANCEL)) return IDCANCEL;
    if (boxHasButton(type, IDABORT)) return IDABORT;
    return IDOK;
}

const wchar_t* buttonName(int id) {
    switch (id) {
    case IDOK:
        return L"OK";
    case IDCANCEL:
        return L"Cancel";
    case IDABORT:
        return L"Abort";
    case IDRETRY:
        return L"Retry";
    case IDIGNORE:
        return L"Ignore";
    case IDYES:
        return L"Yes";
    case IDNO:
        return L"No";
    default:
        return L"?";
    }
}

int ScriptUiDriver::messageBox(HWND, const std::wstring& text, const std::wstring& caption, UINT type) {
    const bool onlyOk = (type & MB_TYPEMASK) == MB_OK;
    int answer = 0;
    if (m_events) {
        if (std::optional<std::wstring> pending = m_events->peekEvent()) {
            answer = scriptedButton(*pending, type);
            if (answer) m_events->popEvent();
        }
    }
    std::wstring out = boxTranscriptLine(caption, text);
    if (onlyOk) {
        transcriptWrite(out);
        return IDOK;
    }
    if (answer) {
        transcriptWrite(out + L" <" + buttonName(answer) + L">");
        return answer;
    }
    answer = unansweredButton(type);
    transcriptWrite(out + L"\n" + caption + L": no scripted answer to \"" + oneLine(text) +
                    L"\" - answered " + buttonName(answer) + L".");
    return answer;
}

void ScriptUiDriver::runDialog(UiForm& form) {
    while (!form.formEnded()) {
        std::optional<std::wstring> pending = m_events ? m_events->peekEvent() : std::nullopt;
        std::wstring rest;
        if (!pending || eventWord(*pending, &rest) != L"dialog") {
            transcriptWrite(
                FormatW(L"\n%s: no scripted answer - dialog cancelled.", form.formCaption().c_str()));
            form.formCancel();
            return;
        }
        m_events->popEvent();
        std::wstring error;
        const std::optional<UiFormAction> action = parseFormAction(rest, error);
        if (!action || action->kind == UiFormAction::Kind::Menu || !applyFormAction(form, *action, error)) {
            if (action && action->kind == UiFormAction::Kind::Menu) error = L"a dialog has no menu";
            transcriptWrite(FormatW(L"\n%s: %s - \"@%s\" ignored.", form.formCaption().c_str(), error.c_str(),
                                    pending->c_str()));
        }
    }
}

unsigned ScriptUiDriver::trackPopupMenu(const UiMenuView& menu) {
    std::optional<std::wstring> pending = m_events ? m_events->peekEvent() : std::nullopt;
    std::wstring rest;
    if (!pending || eventWord(*pending, &rest) != L"menu") return 0;
    m_events->popEvent();
    std::wstring_view id = trimView(rest);
    unsigned value = 0;
    bool number = !id.empty() && id.size() <= 5;
    for (wchar_t c : id) {
        if (c < L'0' || c > L'9')
            number = false;
        else
            value = value * 10 + static_cast<unsigned>(c - L'0');
    }
    bool found = false;
    if (number)
        if (const UiMenuItem* item = choosableItem(menu, value, &found)) {
            std::wstring shown;
            for (wchar_t c : item->text)
                if (c != L'&') shown.push_back(c);
            transcriptWrite(L" <" + shown + L">");
            return value;
        }
    const wchar_t* why = !number ? L"is not a menu item id" : found ? L"is greyed" : L"is not in this menu";
    transcriptWrite(FormatW(L"\nMenu: \"%s\" %s - nothing chosen.", std::wstring(id).c_str(), why));
    return 0;
}

std::vector<std::wstring> splitChosenPaths(std::wstring_view answer) {
    std::vector<std::wstring> chosen;
    std::wstring_view all = trimView(answer);
    while (!all.empty()) {
        const size_t bar = all.find(L'|');
        const std::wstring_view one = trimView(all.substr(0, bar));
        if (!one.empty()) chosen.emplace_back(one);
        all = bar == std::wstring_view::npos ? std::wstring_view() : all.substr(bar + 1);
    }
    return chosen;
}

std::wstring chosenPathsProblem(const FileChooserRequest& request, const std::vector<std::wstring>& chosen) {
    if (chosen.size() > 1 && !request.multiple) return L"takes one path only";
    for (const std::wstring& path : chosen)
        if (request.mustExist && !(request.folder ? folderExists(path) : fileExists(path)))
            return L"\"" + path + L"\" does not exist";
    return {};
}

bool ScriptUiDriver::chooseFiles(const FileChooserRequest& request, std::vector<std::wstring>& chosen) {
    chosen.clear();
    std::optional<std::wstring> pending = m_events ? m_events->peekEvent() : std::nullopt;
    std::wstring rest;
    if (!pending || eventWord(*pending, &rest) != L"file") {
        transcriptWrite(FormatW(L"\n%s: no scripted answer - cancelled.", request.title.c_str()));
        return false;
    }
    m_events->popEvent();
    chosen = splitChosenPaths(rest);
    const std::wstring why = chosenPathsProblem(request, chosen);
    if (!why.empty()) {
        transcriptWrite(FormatW(L"\n%s: %s - cancelled.", request.title.c_str(), why.c_str()));
        chosen.clear();
        return false;
    }
    if (chosen.empty()) return false;
    std::wstring shown;
    for (const std::wstring& path : chosen)
        shown += (shown.empty() ? L"" : L" | ") + path;
    transcriptWrite(FormatW(L"\n%s: <%s>", request.title.c_str(), shown.c_str()));
    return true;
}

} // namespace host
