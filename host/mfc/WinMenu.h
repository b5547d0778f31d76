#pragma once
// Menus by handle, as user32 keeps them: items with ids, texts, flags and sub-menus.
// A handle stays valid until DestroyMenu (or the destruction of the menu that holds it
// as a sub-menu); a stale or null handle is refused, never followed.
#include "host/win/UiMenuView.h"
#include "host/win/WinUser.h"

#include <string>

HMENU CreateMenu();
HMENU CreatePopupMenu();
// Destroys the menu and its sub-menus.
BOOL DestroyMenu(HMENU hMenu);
BOOL IsMenu(HMENU hMenu);
// A menu resource (MAKEINTRESOURCE id) of the module; null when it has none.
HMENU LoadMenuW(HINSTANCE hInstance, LPCWSTR lpMenuName);
// With MF_POPUP, uIDNewItem is the sub-menu's handle, which the menu then owns.
BOOL AppendMenuW(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCWSTR lpNewItem);
BOOL InsertMenuW(HMENU hMenu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCWSTR lpNewItem);
BOOL ModifyMenuW(HMENU hMnu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCWSTR lpNewItem);
// RemoveMenu keeps a removed sub-menu alive; DeleteMenu destroys it.
BOOL RemoveMenu(HMENU hMenu, UINT uPosition, UINT uFlags);
BOOL DeleteMenu(HMENU hMenu, UINT uPosition, UINT uFlags);
// The previous MF_GRAYED/MF_DISABLED (MF_CHECKED) state, or (UINT)-1 when there is no
// such item. MF_BYCOMMAND searches sub-menus too.
UINT EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable);
DWORD CheckMenuItem(HMENU hMenu, UINT uIDCheckItem, UINT uCheck);
int GetMenuItemCount(HMENU hMenu);
// (UINT)-1 for a sub-menu or a missing position, 0 for a separator.
UINT GetMenuItemID(HMENU hMenu, int nPos);
HMENU GetSubMenu(HMENU hMenu, int nPos);
UINT GetMenuState(HMENU hMenu, UINT uId, UINT uFlags);
int GetMenuStringW(HMENU hMenu, UINT uIDItem, LPWSTR lpString, int cchMax, UINT flags);
// Shows the menu through the UI driver. With TPM_RETURNCMD it returns the chosen id (0
// for none); else it sends WM_COMMAND with that id to the window and returns whether
// one was chosen.
BOOL TrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, int nReserved, HWND hWnd, const RECT* prcRect);

namespace host::mfc {
// The menu as the UI driver sees it; empty for a stale handle.
host::UiMenuView menuView(HMENU hMenu);
// The item's text by command (searching sub-menus); false when there is none.
bool menuText(HMENU hMenu, UINT id, std::wstring& text);
// Whether the id is an enabled command item of the menu or its sub-menus.
bool menuCommandEnabled(HMENU hMenu, UINT id);
} // namespace host::mfc
