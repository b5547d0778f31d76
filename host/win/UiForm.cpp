#include "host/win/UiForm.h"

#include "host/win/FormatW.h"
#include "host/win/WinCrt.h"

#include <cwctype>

namespace host {

namespace {

std::wstring_view nextWord(std::wstring_view& rest) {
    rest = trimView(rest);
    size_t n = 0;
    while (n < rest.size() && !isBlank(rest[n]) && rest[n] != L'=')
        ++n;
    std::wstring_view word = rest.substr(0, n);
    rest.remove_prefix(n);
    rest = trimView(rest);
    return word;
}

// Control ids are what a dialog template gives: -1 (IDC_STATIC) to 65535.
bool parseId(std::wstring_view word, int& id) {
    if (word.empty() || word.size() > 6) return false;
    bool negative = false;
    if (word.front() == L'-') {
        negative = true;
        word.remove_prefix(1);
        if (word.empty()) return false;
    }
    int v = 0;
    for (wchar_t c : word) {
        if (c < L'0' || c > L'9') return false;
        v = v * 10 + (c - L'0');
    }
    if (v > 65535 || (negative && v != 1)) return false;
    id = negative ? -v : v;
    return true;
}

bool needId(std::wstring_view word, int& id, std::wstring& error) {
    if (parseId(word, id)) return true;
    error =
        word.empty() ? L"a control id is missing" : L"\"" + std::wstring(word) + L"\" is not a control id";
    return false;
}

std::wstring quoted(const std::wstring& s) {
    return L"\"" + s + L"\"";
}

} // namespace

std::wstring eventWord(std::wstring_view event, std::wstring* rest) {
    std::wstring_view r = event;
    const std::wstring word = toLowerCase(nextWord(r));
    if (rest) *rest = std::wstring(r);
    return word;
}

std::optional<UiFormAction> parseFormAction(std::wstring_view words, std::wstring& error) {
    std::wstring_view rest = trimView(words);
    UiFormAction a;
    const std::wstring first = toLowerCase(nextWord(rest));
    if (first == L"click" || first == L"menu") {
        a.kind = first == L"click" ? UiFormAction::Kind::Click : UiFormAction::Kind::Menu;
        if (!needId(nextWord(rest), a.id, error)) return std::nullopt;
    } else if (first == L"check") {
        a.kind = UiFormAction::Kind::Check;
        if (!needId(nextWord(rest), a.id, error)) return std::nullopt;
        const std::wstring_view state = nextWord(rest);
        if (state.size() != 1 || state[0] < L'0' || state[0] > L'2') {
            error = L"a check state is 0, 1 or 2";
            return std::nullopt;
        }
        a.state = state[0] - L'0';
    } else if (first == L"select") {
        a.kind = UiFormAction::Kind::Select;
        if (!needId(nextWord(rest), a.id, error)) return std::nullopt;
        a.text = std::wstring(rest);
        rest = {};
        if (a.text.empty()) {
            error = L"the item to select is missing";
            return std::nullopt;
        }
    } else if (parseId(first, a.id)) {
        // "<id> = <text>": everything after '=' is the text, inner blanks kept;
        // an empty text empties the control.
        a.kind = UiFormAction::Kind::SetText;
        if (rest.empty() || rest.front() != L'=') {
            error = L"\"=\" is missing after the control id";
            return std::nullopt;
        }
        a.text = std::wstring(trimView(rest.substr(1)));
        rest = {};
    } else {
        error = first.empty() ? L"nothing to do is given"
                              : L"\"" + first + L"\" is not \"<id> = <text>\", click, check or select";
        return std::nullopt;
    }
    if (!rest.empty()) {
        error = L"unexpected \"" + std::wstring(rest) + L"\" at the end";
        return std::nullopt;
    }
    return a;
}

bool applyFormAction(UiForm& form, const UiFormAction& action, std::wstring& error) {
    switch (action.kind) {
    case UiFormAction::Kind::SetText:
        return form.formSetText(action.id, action.text, error);
    case UiFormAction::Kind::Click:
        return form.formClick(action.id, error);
    case UiFormAction::Kind::Check:
        return form.formCheck(action.id, action.state, error);
    case UiFormAction::Kind::Select:
        return form.formSelect(action.id, action.text, error);
    case UiFormAction::Kind::Menu:
        return form.formMenuCommand(action.id, error);
    }
    return false;
}

namespace {

std::wstring controlsAsText(const UiForm& form, std::wstring out) {
    for (const UiControlView& c : form.formControls()) {
        if (!c.visible) continue;
        out += FormatW(L"\n  [%d] %s %s", c.id, c.kind.c_str(), quoted(c.text).c_str());
        if (c.check >= 0) out += c.check == 2 ? L" [?]" : c.check ? L" [x]" : L" [ ]";
        if (!c.items.empty()) {
            out += L" {";
            for (size_t i = 0; i < c.items.size(); ++i)
                out += (i ? L"|" : L"") + c.items[i];
            out += L"}";
        }
        if (!c.enabled) out += L" (disabled)";
    }
    return out;
}

} // namespace

std::wstring formAsText(const UiForm& form) {
    return controlsAsText(form, FormatW(L"\n[Dialog %d] %s", form.formId(), form.formCaption().c_str()));
}

std::wstring paletteAsText(const UiForm& form) {
    return controlsAsText(form, L"\n[Palette] " + form.formCaption());
}

} // namespace host
