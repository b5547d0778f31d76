#pragma once
// One control of a dialog template, as the resource files spell their dialogs: the
// palette's, the context menu's and the height marks' dialogs share it.
#include "host/mfc/AfxResources.h"

#include <string>
#include <utility>
#include <vector>

inline host::mfc::ControlTemplate control(int id, host::mfc::ControlKind kind, const wchar_t* text, DWORD style = 0,
                                          std::vector<std::wstring> items = {}) {
    host::mfc::ControlTemplate c;
    c.id = id;
    c.kind = kind;
    c.text = text;
    c.style = style;
    c.items = std::move(items);
    return c;
}
