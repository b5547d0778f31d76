#include "host/mfc/WinMenu.h"

#include "host/mfc/AfxResources.h"
#include "host/mfc/CWnd.h"
#include "host/win/UiDriver.h"

#include <exception>
#include <map>
#include <memory>
#include <vector>

namespace {

struct MenuItem {
    UINT flags = 0;
    UINT id = 0;
    std::wstring text;
    HMENU sub = nullptr;
};

struct MenuData {
    std::vector<MenuItem> items;
};

// Handles are numbers that are never reused, so a stale handle cannot reach a newer menu.
struct MenuTable {
    std::map<HMENU, std::unique_ptr<MenuData>> menus;
    UINT_PTR next = 0x10000;
};

// Never freed: menus of static objects are destroyed after every other static.
MenuTable& table() {
    static MenuTable* t = new MenuTable;
    return *t;
}

MenuData* data(HMENU h) {
    const auto it = table().menus.find(h);
    return it == table().menus.end() ? nullptr : it->second.get();
}

HMENU newMenu() {
    const HMENU h = reinterpret_cast<HMENU>(table().next++);
    table().menus.emplace(h, std::make_unique<MenuData>());
    return h;
}

struct Found {
    MenuData* menu = nullptr;
    size_t index = 0;
};

// Deep search by command id (MF_BYCOMMAND), as Windows does.
Found byCommand(HMENU h, UINT id, int depth = 0) {
    MenuData* m = data(h);
    if (!m || depth > 32) return {};
    for (size_t i = 0; i < m->items.size(); ++i) {
        const MenuItem& item = m->items[i];
        if (item.flags & MF_POPUP) {
            if (Found f = byCommand(item.sub, id, depth + 1); f.menu) return f;
        } else if (!(item.flags & MF_SEPARATOR) && item.id == id) {
            return {m, i};
        }
    }
    return {};
}

Found locate(HMENU h, UINT position, UINT flags) {
    if (!(flags & MF_BYPOSITION)) return byCommand(h, position);
    MenuData* m = data(h);
    if (!m || position >= m->items.size()) return {};
    return {m, position};
}

// The item the flags and id describe; false for a sub-menu handle that is not a menu.
bool makeItem(UINT flags, UINT_PTR idNew, LPCWSTR text, MenuItem& item) {
    item.flags = flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_POPUP | MF_SEPARATOR | MF_MENUBREAK |
                          MF_MENUBARBREAK);
    if (flags & MF_POPUP) {
        item.sub = reinterpret_cast<HMENU>(idNew);
        if (!data(item.sub)) return false;
    } else {
        item.id = static_cast<UINT>(idNew);
    }
    if (!(flags & MF_SEPARATOR) && text) item.text = text;
    return true;
}

HMENU buildMenu(const std::vector<host::mfc::MenuTemplateItem>& items, HMENU h, int depth) {
    for (const host::mfc::MenuTemplateItem& t : items) {
        const bool popup = (t.flags & MF_POPUP) || !t.items.empty();
        if (popup && depth < 32) {
            const HMENU sub = buildMenu(t.items, newMenu(), depth + 1);
            AppendMenuW(h, (t.flags | MF_POPUP) & ~MF_SEPARATOR, reinterpret_cast<UINT_PTR>(sub),
                        t.text.c_str());
        } else {
            AppendMenuW(h, t.flags & ~MF_POPUP, t.id, t.text.c_str());
        }
    }
    return h;
}

void viewOf(HMENU h, int depth, host::UiMenuView& out) {
    const MenuData* m = data(h);
    if (!m || depth > 32) return;
    for (const MenuItem& item : m->items) {
        host::UiMenuItem v;
        v.id = (item.flags & MF_POPUP) ? 0 : item.id;
        v.text = item.text;
        v.depth = depth;
        v.popup = (item.flags & MF_POPUP) != 0;
        v.separator = (item.flags & MF_SEPARATOR) != 0;
        v.enabled = !(item.flags & (MF_GRAYED | MF_DISABLED));
        v.checked = (item.flags & MF_CHECKED) != 0;
        out.push_back(v);
        // A greyed sub-menu cannot be opened: its items are out of reach.
        if (v.popup && v.enabled) viewOf(item.sub, depth + 1, out);
    }
}

} // namespace

HMENU CreateMenu() {
    return newMenu();
}

HMENU CreatePopupMenu() {
    return newMenu();
}

BOOL DestroyMenu(HMENU hMenu) {
    const auto it = table().menus.find(hMenu);
    if (it == table().menus.end()) return FALSE;
    std::unique_ptr<MenuData> gone = std::move(it->second);
    table().menus.erase(it);
    for (const MenuItem& item : gone->items)
        if (item.flags & MF_POPUP) DestroyMenu(item.sub);
    return TRUE;
}

BOOL IsMenu(HMENU hMenu) {
    return data(hMenu) != nullptr;
}

HMENU LoadMenuW(HINSTANCE hInstance, LPCWSTR lpMenuName) {
    if (!IS_INTRESOURCE(lpMenuName) || !lpMenuName) return nullptr;
    const UINT id = static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpMenuName));
    const std::optional<host::mfc::MenuTemplate> t = host::mfc::findMenuTemplate(hInstance, id);
    if (!t) return nullptr;
    return buildMenu(t->items, newMenu(), 0);
}

BOOL AppendMenuW(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCWSTR lpNewItem) {
    MenuData* m = data(hMenu);
    MenuItem item;
    if (!m || !makeItem(uFlags, uIDNewItem, lpNewItem, item) || item.sub == hMenu) return FALSE;
    m->items.push_back(std::move(item));
    return TRUE;
}

BOOL InsertMenuW(HMENU hMenu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCWSTR lpNewItem) {
    MenuData* m = data(hMenu);
    MenuItem item;
    if (!m || !makeItem(uFlags, uIDNewItem, lpNewItem, item) || item.sub == hMenu) return FALSE;
    if (uFlags & MF_BYPOSITION) {
        // A position past the end (such as -1) appends, as on Windows.
        const size_t at = uPosition < m->items.size() ? uPosition : m->items.size();
        m->items.insert(m->items.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
        return TRUE;
    }
    const Found f = byCommand(hMenu, uPosition);
    if (!f.menu) return FALSE;
    f.menu->items.insert(f.menu->items.begin() + static_cast<std::ptrdiff_t>(f.index), std::move(item));
    return TRUE;
}

BOOL ModifyMenuW(HMENU hMnu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCWSTR lpNewItem) {
    const Found f = locate(hMnu, uPosition, uFlags);
    MenuItem item;
    if (!f.menu || !makeItem(uFlags, uIDNewItem, lpNewItem, item) || item.sub == hMnu) return FALSE;
    MenuItem& old = f.menu->items[f.index];
    // A sub-menu that is replaced is destroyed, as Windows does.
    if ((old.flags & MF_POPUP) && old.sub != item.sub) DestroyMenu(old.sub);
    old = std::move(item);
    return TRUE;
}

BOOL RemoveMenu(HMENU hMenu, UINT uPosition, UINT uFlags) {
    const Found f = locate(hMenu, uPosition, uFlags);
    if (!f.menu) return FALSE;
    f.menu->items.erase(f.menu->items.begin() + static_cast<std::ptrdiff_t>(f.index));
    return TRUE;
}

BOOL DeleteMenu(HMENU hMenu, UINT uPosition, UINT uFlags) {
    const Found f = locate(hMenu, uPosition, uFlags);
    if (!f.menu) return FALSE;
    const MenuItem item = f.menu->items[f.index];
    f.menu->items.erase(f.menu->items.begin() + static_cast<std::ptrdiff_t>(f.index));
    if (item.flags & MF_POPUP) DestroyMenu(item.sub);
    return TRUE;
}

UINT EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable) {
    const Found f = locate(hMenu, uIDEnableItem, uEnable);
    if (!f.menu) return static_cast<UINT>(-1);
    UINT& flags = f.menu->items[f.index].flags;
    const UINT previous = flags & (MF_GRAYED | MF_DISABLED);
    flags = (flags & ~(MF_GRAYED | MF_DISABLED)) | (uEnable & (MF_GRAYED | MF_DISABLED));
    return previous;
}

DWORD CheckMenuItem(HMENU hMenu, UINT uIDCheckItem, UINT uCheck) {
    const Found f = locate(hMenu, uIDCheckItem, uCheck);
    if (!f.menu) return static_cast<DWORD>(-1);
    UINT& flags = f.menu->items[f.index].flags;
    const DWORD previous = flags & MF_CHECKED;
    flags = (flags & ~MF_CHECKED) | (uCheck & MF_CHECKED);
    return previous;
}

int GetMenuItemCount(HMENU hMenu) {
    const MenuData* m = data(hMenu);
    return m ? static_cast<int>(m->items.size()) : -1;
}

UINT GetMenuItemID(HMENU hMenu, int nPos) {
    const MenuData* m = data(hMenu);
    if (!m || nPos < 0 || static_cast<size_t>(nPos) >= m->items.size()) return static_cast<UINT>(-1);
    const MenuItem& item = m->items[static_cast<size_t>(nPos)];
    if (item.flags & MF_POPUP) return static_cast<UINT>(-1);
    return (item.flags & MF_SEPARATOR) ? 0 : item.id;
}

HMENU GetSubMenu(HMENU hMenu, int nPos) {
    const MenuData* m = data(hMenu);
    if (!m || nPos < 0 || static_cast<size_t>(nPos) >= m->items.size()) return nullptr;
    const MenuItem& item = m->items[static_cast<size_t>(nPos)];
    return (item.flags & MF_POPUP) && data(item.sub) ? item.sub : nullptr;
}

UINT GetMenuState(HMENU hMenu, UINT uId, UINT uFlags) {
    const Found f = locate(hMenu, uId, uFlags);
    if (!f.menu) return static_cast<UINT>(-1);
    const MenuItem& item = f.menu->items[f.index];
    UINT state =
        item.flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_SEPARATOR | MF_MENUBREAK | MF_MENUBARBREAK);
    // A sub-menu reports its item count in the high byte of the low word.
    if (item.flags & MF_POPUP)
        state |= MF_POPUP | (static_cast<UINT>(GetMenuItemCount(item.sub)) & 0xFF) << 8;
    return state;
}

int GetMenuStringW(HMENU hMenu, UINT uIDItem, LPWSTR lpString, int cchMax, UINT flags) {
    const Found f = locate(hMenu, uIDItem, flags);
    if (!f.menu) return 0;
    const std::wstring& text = f.menu->items[f.index].text;
    if (!lpString || cchMax <= 0) return static_cast<int>(text.size());
    const size_t n =
        text.size() < static_cast<size_t>(cchMax) ? text.size() : static_cast<size_t>(cchMax) - 1;
    text.copy(lpString, n);
    lpString[n] = 0;
    return static_cast<int>(n);
}

BOOL TrackPopupMenu(HMENU hMenu, UINT uFlags, int, int, int, HWND hWnd, const RECT*) {
    if (!data(hMenu)) return FALSE;
    const host::UiMenuView view = host::mfc::menuView(hMenu);
    unsigned chosen = 0;
    try {
        chosen = host::uiDriver().trackPopupMenu(view);
    } catch (...) {
        chosen = 0; // a driver that fails chooses nothing
    }
    // Only what the menu offers can come back, whatever the driver says.
    if (chosen && !host::choosableItem(view, chosen)) chosen = 0;
    if (uFlags & TPM_RETURNCMD) return static_cast<BOOL>(chosen);
    if (chosen && !(uFlags & TPM_NONOTIFY))
        if (CWnd* wnd = CWnd::FromHandle(hWnd)) wnd->SendMessage(WM_COMMAND, MAKEWPARAM(chosen, 0), 0);
    return chosen != 0;
}

namespace host::mfc {

host::UiMenuView menuView(HMENU hMenu) {
    host::UiMenuView view;
    viewOf(hMenu, 0, view);
    return view;
}

bool menuText(HMENU hMenu, UINT id, std::wstring& text) {
    const Found f = byCommand(hMenu, id);
    if (!f.menu) return false;
    text = f.menu->items[f.index].text;
    return true;
}

bool menuCommandEnabled(HMENU hMenu, UINT id) {
    return host::choosableItem(menuView(hMenu), id) != nullptr;
}

} // namespace host::mfc
