#include "host/mfc/CMenu.h"

#include "host/mfc/AfxResources.h"
#include "host/mfc/CWnd.h"

#include <map>
#include <memory>

namespace {

// Wrappers handed out by FromHandle; they own nothing and are dropped once their
// menu is gone.
struct DetachAndDelete {
    void operator()(CMenu* menu) const {
        menu->Detach();
        delete menu;
    }
};

std::map<HMENU, std::unique_ptr<CMenu, DetachAndDelete>>& temporaries() {
    static std::map<HMENU, std::unique_ptr<CMenu, DetachAndDelete>> t;
    return t;
}

} // namespace

CMenu::~CMenu() {
    if (m_hMenu) ::DestroyMenu(m_hMenu);
}

BOOL CMenu::CreateMenu() {
    if (m_hMenu) return FALSE;
    m_hMenu = ::CreateMenu();
    return TRUE;
}

BOOL CMenu::CreatePopupMenu() {
    if (m_hMenu) return FALSE;
    m_hMenu = ::CreatePopupMenu();
    return TRUE;
}

BOOL CMenu::LoadMenu(UINT nIDResource) {
    return LoadMenu(MAKEINTRESOURCE(nIDResource));
}

BOOL CMenu::LoadMenu(LPCTSTR lpszResourceName) {
    if (m_hMenu) return FALSE;
    m_hMenu = ::LoadMenuW(AfxFindResourceHandle(lpszResourceName, RT_MENU), lpszResourceName);
    return m_hMenu != nullptr;
}

BOOL CMenu::DestroyMenu() {
    if (!m_hMenu) return FALSE;
    const BOOL done = ::DestroyMenu(m_hMenu);
    m_hMenu = nullptr;
    return done;
}

BOOL CMenu::Attach(HMENU hMenu) {
    if (m_hMenu || !hMenu) return FALSE;
    m_hMenu = hMenu;
    return TRUE;
}

HMENU CMenu::Detach() {
    HMENU h = m_hMenu;
    m_hMenu = nullptr;
    return h;
}

CMenu* CMenu::FromHandle(HMENU hMenu) {
    if (!hMenu) return nullptr;
    auto& temps = temporaries();
    for (auto it = temps.begin(); it != temps.end();) {
        if (!IsMenu(it->first)) {
            it = temps.erase(it);
        } else {
            ++it;
        }
    }
    auto& wrapper = temps[hMenu];
    if (!wrapper) {
        wrapper.reset(new CMenu);
        wrapper->m_hMenu = hMenu;
    }
    return wrapper.get();
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem) {
    return ::AppendMenuW(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem) {
    return ::InsertMenuW(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem) {
    return ::ModifyMenuW(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::RemoveMenu(UINT nPosition, UINT nFlags) {
    return ::RemoveMenu(m_hMenu, nPosition, nFlags);
}

BOOL CMenu::DeleteMenu(UINT nPosition, UINT nFlags) {
    return ::DeleteMenu(m_hMenu, nPosition, nFlags);
}

UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable) {
    return ::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable);
}

UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck) {
    return ::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck);
}

UINT CMenu::GetMenuItemCount() const {
    return static_cast<UINT>(::GetMenuItemCount(m_hMenu));
}

UINT CMenu::GetMenuItemID(int nPos) const {
    return ::GetMenuItemID(m_hMenu, nPos);
}

UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const {
    return ::GetMenuState(m_hMenu, nID, nFlags);
}

int CMenu::GetMenuString(UINT nIDItem, LPTSTR lpString, int nMaxCount, UINT nFlags) const {
    return ::GetMenuStringW(m_hMenu, nIDItem, lpString, nMaxCount, nFlags);
}

int CMenu::GetMenuString(UINT nIDItem, std::wstring& rString, UINT nFlags) const {
    rString.clear();
    const int n = ::GetMenuStringW(m_hMenu, nIDItem, nullptr, 0, nFlags);
    if (n <= 0) return 0;
    rString.resize(static_cast<size_t>(n) + 1);
    ::GetMenuStringW(m_hMenu, nIDItem, rString.data(), n + 1, nFlags);
    rString.resize(static_cast<size_t>(n));
    return n;
}

CMenu* CMenu::GetSubMenu(int nPos) const {
    return FromHandle(::GetSubMenu(m_hMenu, nPos));
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect) {
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd ? pWnd->GetSafeHwnd() : nullptr, lpRect);
}
