// Menus and dialog texts of language modules, read from their text blocks.
#include "host/mfc/AfxResources.h"

#include "host/win/FormatW.h"
#include "host/win/WinCrt.h"

#include <string_view>

namespace host::mfc {

namespace {

std::wstring_view word(std::wstring_view& rest) {
    rest = trimView(rest);
    size_t n = 0;
    while (n < rest.size() && !isBlank(rest[n]) && rest[n] != L',' && rest[n] != L'"')
        ++n;
    std::wstring_view w = rest.substr(0, n);
    rest = trimView(rest.substr(n));
    return w;
}

bool quoted(std::wstring_view& rest, std::wstring& text, std::wstring& problem) {
    rest = trimView(rest);
    if (rest.empty() || rest.front() != L'"') {
        problem = L"a text in double quotes is expected";
        return false;
    }
    size_t i = 1;
    for (; i < rest.size() && rest[i] != L'"'; ++i) {
        if (rest[i] == L'\\' && i + 1 < rest.size()) {
            const wchar_t c = rest[++i];
            text.push_back(c == L'n' ? L'\n' : c == L't' ? L'\t' : c);
        } else {
            text.push_back(rest[i]);
        }
    }
    if (i >= rest.size()) {
        problem = L"the closing quote is missing";
        return false;
    }
    rest = trimView(rest.substr(i + 1));
    return true;
}

bool number(std::wstring_view w, long lo, long hi, long& value) {
    if (w.empty() || w.size() > 6) return false;
    bool neg = w.front() == L'-';
    if (neg) w.remove_prefix(1);
    if (w.empty()) return false;
    long v = 0;
    for (wchar_t c : w) {
        if (c < L'0' || c > L'9') return false;
        v = v * 10 + (c - L'0');
    }
    value = neg ? -v : v;
    return value >= lo && value <= hi;
}

// MENUITEM "Text", id [, GRAYED] [, CHECKED]  or  MENUITEM SEPARATOR.
bool menuItem(std::wstring_view rest, MenuTemplateItem& item, std::wstring& problem) {
    if (equalsNoCase(trimView(rest), L"SEPARATOR")) {
        item.flags = MF_SEPARATOR;
        return true;
    }
    if (!quoted(rest, item.text, problem)) return false;
    if (rest.empty() || rest.front() != L',') {
        problem = L"a comma and the item's id must follow its text";
        return false;
    }
    rest.remove_prefix(1);
    long id = 0;
    if (!number(word(rest), 1, 65535, id)) {
        problem = L"the item's id must be a number from 1 to 65535";
        return false;
    }
    item.id = static_cast<UINT>(id);
    while (!rest.empty()) {
        if (rest.front() != L',') {
            problem = L"options are separated by commas";
            return false;
        }
        rest.remove_prefix(1);
        const std::wstring option = toLowerCase(word(rest));
        if (option == L"grayed" || option == L"inactive")
            item.flags |= MF_GRAYED;
        else if (option == L"checked")
            item.flags |= MF_CHECKED;
        else {
            problem = L"unknown option \"" + option + L"\"";
            return false;
        }
    }
    return true;
}

// STATIC "text" "translation": the labels without an id of their own are found by
// their text; every label with that text takes the translation.
std::wstring translateStatics(std::wstring_view& rest, DialogTemplate& dialog) {
    std::wstring from, to, why;
    if (!quoted(rest, from, why) || !quoted(rest, to, why)) return why;
    bool found = false;
    for (ControlTemplate& c : dialog.controls) {
        if (c.id != IDC_STATIC || c.text != from) continue;
        c.text = to;
        found = true;
    }
    return found ? std::wstring() : L"the dialog has no label \"" + from + L"\"";
}

// ITEMS <id> "first" "second" ...: a list's first entries, as many as the add-on's own.
std::wstring translateItems(std::wstring_view& rest, DialogTemplate& dialog) {
    long id = 0;
    if (!number(word(rest), 0, 65535, id)) return L"the control id must be a number from 0 to 65535";
    ControlTemplate* list = nullptr;
    for (ControlTemplate& c : dialog.controls)
        if (c.id == id) list = &c;
    if (!list) return L"the dialog has no control " + std::to_wstring(id);
    std::vector<std::wstring> items;
    std::wstring why;
    while (!rest.empty()) {
        std::wstring text;
        if (!quoted(rest, text, why)) return why;
        items.push_back(std::move(text));
    }
    // The code picks entries by their place: a list of another length would shift them.
    if (items.size() != list->items.size())
        return host::FormatW(L"control %d has %d entries, not %d", static_cast<int>(id),
                             static_cast<int>(list->items.size()), static_cast<int>(items.size()));
    list->items = std::move(items);
    return std::wstring();
}

} // namespace

bool parseMenuBlock(const std::vector<std::wstring>& lines, MenuTemplate& out, std::wstring& problem) {
    out.items.clear();
    // The sub-menus being filled, innermost last.
    std::vector<std::vector<MenuTemplateItem>*> open{&out.items};
    for (size_t n = 0; n < lines.size(); ++n) {
        std::wstring_view rest = trimView(lines[n]);
        if (rest.empty() || rest.front() == L';' || rest.front() == L'#') continue;
        const std::wstring keyword = toLowerCase(word(rest));
        std::wstring why;
        if (keyword == L"begin" || keyword == L"{") continue;
        if (keyword == L"end" || keyword == L"}") {
            if (open.size() == 1)
                why = L"END without POPUP";
            else
                open.pop_back();
        } else if (keyword == L"popup") {
            MenuTemplateItem popup;
            popup.flags = MF_POPUP;
            if (quoted(rest, popup.text, why) && rest.empty()) {
                open.back()->push_back(std::move(popup));
                open.push_back(&open.back()->back().items);
            } else if (why.empty()) {
                why = L"unexpected text after the sub-menu's name";
            }
        } else if (keyword == L"menuitem") {
            MenuTemplateItem item;
            if (menuItem(rest, item, why)) open.back()->push_back(std::move(item));
        } else {
            why = L"unknown entry \"" + keyword + L"\"";
        }
        if (!why.empty()) {
            problem = L"line " + std::to_wstring(n + 1) + L": " + why;
            return false;
        }
    }
    if (open.size() != 1) {
        problem = L"a POPUP has no END";
        return false;
    }
    return true;
}

bool applyDialogBlock(const std::vector<std::wstring>& lines, DialogTemplate& dialog, std::wstring& problem) {
    DialogTemplate result = dialog;
    for (size_t n = 0; n < lines.size(); ++n) {
        std::wstring_view rest = trimView(lines[n]);
        if (rest.empty() || rest.front() == L';' || rest.front() == L'#') continue;
        const std::wstring keyword = toLowerCase(word(rest));
        std::wstring why, text;
        long id = 0;
        ControlTemplate* control = nullptr;
        if (keyword == L"caption") {
            if (quoted(rest, text, why)) result.caption = text;
        } else if (keyword == L"static") {
            why = translateStatics(rest, result);
        } else if (keyword == L"items") {
            why = translateItems(rest, result);
        } else if (keyword != L"control") {
            why = L"unknown entry \"" + keyword + L"\"";
        } else if (!number(word(rest), -1, 65535, id)) {
            why = L"the control id must be a number from -1 to 65535";
        } else {
            for (ControlTemplate& c : result.controls)
                if (c.id == id && id != IDC_STATIC) control = &c;
            if (!control)
                why = L"the dialog has no control " + std::to_wstring(id);
            else if (quoted(rest, text, why))
                control->text = text;
        }
        if (why.empty() && !rest.empty()) why = L"unexpected text after the closing quote";
        if (!why.empty()) {
            problem = L"line " + std::to_wstring(n + 1) + L": " + why;
            return false;
        }
    }
    dialog = std::move(result);
    return true;
}

} // namespace host::mfc
