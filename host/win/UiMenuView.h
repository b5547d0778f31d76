#pragma once
// A popup menu as the UI driver sees it: its items in order, sub-menus flattened with
// their depth, so a driver can show and choose without the menu classes.
#include <string>
#include <vector>

namespace host {

struct UiMenuItem {
    unsigned id = 0;    // command id; 0 for separators and sub-menus
    std::wstring text;  // as written, '&' included
    int depth = 0;      // 0 for the menu's own items, 1 inside a sub-menu ...
    bool popup = false; // opens a sub-menu (the items that follow with depth + 1)
    bool separator = false;
    bool enabled = true;
    bool checked = false;
};

using UiMenuView = std::vector<UiMenuItem>;

// The item a person can choose with this id (enabled, not a sub-menu, not a
// separator); null when there is none. `found` tells whether the id is there at all.
inline const UiMenuItem* choosableItem(const UiMenuView& menu, unsigned id, bool* found = nullptr) {
    if (found) *found = false;
    for (const UiMenuItem& item : menu) {
        if (item.popup || item.separator || item.id != id) continue;
        if (found) *found = true;
        if (item.enabled) return &item;
    }
    return nullptr;
}

} // namespace host
