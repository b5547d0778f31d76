#include "host/mfc/CWnd.h"

#include "host/mfc/CMenu.h"
#include "host/mfc/PaletteWindow.h"
#include "host/win/FormatW.h"
#include "host/win/UiDriver.h"
#include "host/win/UiPalette.h"
#include "host/win/WinWindows.h"

#include <algorithm>
#include <deque>
#include <map>

namespace {

// Handles are numbers that are never reused, so a stale handle finds no window.
struct WindowTable {
    std::map<HWND, CWnd*> windows;
    UINT_PTR next = 0x20000;
    CWnd* focus = nullptr;
};

// Never freed: windows of static objects are destroyed after every other static.
WindowTable& windows() {
    static WindowTable* t = new WindowTable;
    return *t;
}

struct PostedMessage {
    HWND hWnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

std::deque<PostedMessage>& posted() {
    static std::deque<PostedMessage>* q = new std::deque<PostedMessage>;
    return *q;
}

CWnd* findIn(const CWnd& root, int id, bool visibleOnly, int depth) {
    if (depth > 64) return nullptr;
    for (CWnd* child : root.children()) {
        const bool visible = (child->GetStyle() & WS_VISIBLE) != 0;
        if (child->isContainer()) {
            if (!visible) continue;
            if (CWnd* found = findIn(*child, id, visibleOnly, depth + 1)) return found;
        } else if (child->GetDlgCtrlID() == id && (visible || !visibleOnly)) {
            return child;
        }
    }
    return nullptr;
}

} // namespace

CWnd::CWnd() = default;

CWnd::~CWnd() {
    // A window that is destroyed with its object: children and handle go with it.
    if (m_hWnd) CWnd::DestroyWindow();
    detachFromParent();
}

CWnd* CWnd::FromHandle(HWND hWnd) {
    const auto it = windows().windows.find(hWnd);
    return it == windows().windows.end() ? nullptr : it->second;
}

void CWnd::attachWindow(CWnd* parent, int id, DWORD style, const std::wstring& text) {
    m_hWnd = reinterpret_cast<HWND>(windows().next++);
    windows().windows[m_hWnd] = this;
    m_nID = id;
    m_dwStyle = style;
    m_strText = text;
    m_pParent = parent;
    if (parent) parent->m_children.push_back(this);
}

CWnd* CWnd::adoptChild(std::unique_ptr<CWnd> child) {
    CWnd* raw = child.get();
    m_owned.push_back(std::move(child));
    return raw;
}

BOOL CWnd::Create(LPCTSTR, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID) {
    if (m_hWnd) return FALSE;
    if (pParentWnd && !pParentWnd->m_hWnd) return FALSE;
    attachWindow(pParentWnd, static_cast<int>(nID), dwStyle, lpszWindowName ? lpszWindowName : L"");
    m_rect = rect;
    return TRUE;
}

void CWnd::detachFromParent() {
    if (!m_pParent) return;
    auto& siblings = m_pParent->m_children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    m_pParent = nullptr;
}

BOOL CWnd::DestroyWindow() {
    if (!m_hWnd) return FALSE;
    OnDestroy();
    // Children leave in reverse order of creation; the ones made from a template die.
    while (!m_children.empty())
        m_children.back()->DestroyWindow();
    m_owned.clear();
    if (host::mfc::paletteWindow() == this) host::mfc::setPaletteWindow(nullptr);
    if (windows().focus == this) windows().focus = nullptr;
    if (GetActiveWindow() == m_hWnd) host::setActiveWindow(nullptr);
    windows().windows.erase(m_hWnd);
    m_hWnd = nullptr;
    m_pMenu = nullptr;
    detachFromParent();
    return TRUE;
}

int CWnd::SetDlgCtrlID(int nID) {
    const int previous = m_nID;
    m_nID = nID;
    return previous;
}

CWnd* CWnd::GetDlgItem(int nID) const {
    for (CWnd* child : m_children)
        if (child->m_nID == nID) return child;
    return nullptr;
}

void CWnd::SetWindowText(LPCTSTR lpszString) {
    m_strText = lpszString ? lpszString : L"";
}

int CWnd::GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const {
    if (!lpszStringBuf || nMaxCount <= 0) return 0;
    std::wstring text;
    GetWindowText(text);
    const size_t n = std::min(text.size(), static_cast<size_t>(nMaxCount) - 1);
    text.copy(lpszStringBuf, n);
    lpszStringBuf[n] = 0;
    return static_cast<int>(n);
}

void CWnd::GetWindowText(std::wstring& rString) const {
    rString = m_strText;
}

int CWnd::GetWindowTextLength() const {
    std::wstring text;
    GetWindowText(text);
    return static_cast<int>(text.size());
}

void CWnd::SetDlgItemText(int nID, LPCTSTR lpszString) {
    if (CWnd* item = GetDlgItem(nID)) item->SetWindowText(lpszString);
}

int CWnd::GetDlgItemText(int nID, std::wstring& rString) const {
    rString.clear();
    if (const CWnd* item = GetDlgItem(nID)) item->GetWindowText(rString);
    return static_cast<int>(rString.size());
}

void CWnd::SetDlgItemInt(int nID, UINT nValue, BOOL bSigned) {
    const std::wstring text =
        bSigned ? host::FormatW(L"%d", static_cast<int>(nValue)) : host::FormatW(L"%u", nValue);
    SetDlgItemText(nID, text.c_str());
}

UINT CWnd::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const {
    std::wstring text;
    GetDlgItemText(nID, text);
    size_t i = 0;
    while (i < text.size() && (text[i] == L' ' || text[i] == L'\t'))
        ++i;
    const bool negative = bSigned && i < text.size() && text[i] == L'-';
    if (negative) ++i;
    long long value = 0;
    bool digits = false, ok = true;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        digits = true;
        value = value * 10 + (text[i] - L'0');
        if (value > 0xFFFFFFFFLL) ok = false;
    }
    while (i < text.size() && (text[i] == L' ' || text[i] == L'\t'))
        ++i;
    ok = ok && digits && i == text.size() && (!bSigned || value <= (negative ? 2147483648LL : 2147483647LL));
    if (lpTrans) *lpTrans = ok;
    if (!ok) return 0;
    return negative ? static_cast<UINT>(-value) : static_cast<UINT>(value);
}

void CWnd::CheckDlgButton(int nIDButton, UINT nCheck) {
    if (CWnd* item = GetDlgItem(nIDButton)) item->SendMessage(BM_SETCHECK, nCheck, 0);
}

UINT CWnd::IsDlgButtonChecked(int nIDButton) const {
    CWnd* item = GetDlgItem(nIDButton);
    return item ? static_cast<UINT>(item->SendMessage(BM_GETCHECK, 0, 0)) : 0;
}

void CWnd::CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton) {
    for (int id = nIDFirstButton; id <= nIDLastButton; ++id)
        CheckDlgButton(id, id == nIDCheckButton ? BST_CHECKED : BST_UNCHECKED);
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT) {
    const DWORD before = m_dwStyle;
    m_dwStyle = (m_dwStyle & ~dwRemove) | dwAdd;
    return before != m_dwStyle;
}

BOOL CWnd::EnableWindow(BOOL bEnable) {
    const BOOL wasDisabled = (m_dwStyle & WS_DISABLED) != 0;
    if (bEnable)
        m_dwStyle &= ~WS_DISABLED;
    else
        m_dwStyle |= WS_DISABLED;
    return wasDisabled;
}

BOOL CWnd::ShowWindow(int nCmdShow) {
    const BOOL wasVisible = (m_dwStyle & WS_VISIBLE) != 0;
    switch (nCmdShow) {
    case SW_HIDE:
        m_dwStyle &= ~WS_VISIBLE;
        return wasVisible;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
        m_dwStyle = (m_dwStyle & ~WS_MAXIMIZE) | WS_MINIMIZE;
        break;
    case SW_SHOWMAXIMIZED:
        m_dwStyle = (m_dwStyle & ~WS_MINIMIZE) | WS_MAXIMIZE;
        break;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
        m_dwStyle &= ~(WS_MINIMIZE | WS_MAXIMIZE);
        break;
    default:
        break;
    }
    m_dwStyle |= WS_VISIBLE;
    // A person at the console sees the palette only as text: tell the driver it appeared.
    if (host::mfc::paletteWindow() == this && host::paletteForm())
        host::uiDriver().paletteShown(*host::paletteForm(), wasVisible != 0);
    return wasVisible;
}

BOOL CWnd::IsWindowVisible() const {
    if (!m_hWnd) return FALSE;
    for (const CWnd* w = this; w; w = w->m_pParent)
        if (!(w->m_dwStyle & WS_VISIBLE)) return FALSE;
    return TRUE;
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL) {
    m_rect.left = x;
    m_rect.top = y;
    m_rect.right = x + nWidth;
    m_rect.bottom = y + nHeight;
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint) {
    if (lpRect)
        MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top,
                   bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd*, int x, int y, int cx, int cy, UINT nFlags) {
    if (!m_hWnd) return FALSE;
    const LONG width = (nFlags & SWP_NOSIZE) ? m_rect.right - m_rect.left : cx;
    const LONG height = (nFlags & SWP_NOSIZE) ? m_rect.bottom - m_rect.top : cy;
    if (!(nFlags & SWP_NOMOVE)) {
        m_rect.left = x;
        m_rect.top = y;
    }
    m_rect.right = m_rect.left + width;
    m_rect.bottom = m_rect.top + height;
    if (nFlags & SWP_SHOWWINDOW) ShowWindow(SW_SHOWNA);
    if (nFlags & SWP_HIDEWINDOW) ShowWindow(SW_HIDE);
    return TRUE;
}

void CWnd::GetWindowRect(LPRECT lpRect) const {
    if (lpRect) *lpRect = m_rect;
}

void CWnd::GetClientRect(LPRECT lpRect) const {
    if (!lpRect) return;
    *lpRect = RECT{0, 0, m_rect.right - m_rect.left, m_rect.bottom - m_rect.top};
}

CWnd* CWnd::SetFocus() {
    CWnd* previous = windows().focus;
    if (m_hWnd) windows().focus = this;
    return previous;
}

CWnd* CWnd::GetFocus() {
    return windows().focus;
}

BOOL CWnd::SetMenu(CMenu* pMenu) {
    if (!m_hWnd) return FALSE;
    m_pMenu = pMenu;
    return TRUE;
}

CMenu* CWnd::GetMenu() const {
    return m_pMenu && IsMenu(m_pMenu->GetSafeHmenu()) ? m_pMenu : nullptr;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!m_hWnd) return 0;
    return WindowProc(message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!m_hWnd) return FALSE;
    posted().push_back({m_hWnd, message, wParam, lParam});
    return TRUE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        return OnCommand(wParam, lParam) ? 0 : DefWindowProc(message, wParam, lParam);
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (OnNotify(wParam, lParam, &result)) return result;
        return DefWindowProc(message, wParam, lParam);
    }
    case WM_CLOSE:
        OnClose();
        return 0;
    default:
        return DefWindowProc(message, wParam, lParam);
    }
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
    case WM_SETTEXT:
        SetWindowText(reinterpret_cast<LPCTSTR>(lParam));
        return TRUE;
    case WM_GETTEXTLENGTH:
        return GetWindowTextLength();
    default:
        return 0;
    }
}

BOOL CWnd::OnCommand(WPARAM, LPARAM) {
    return FALSE;
}

BOOL CWnd::OnNotify(WPARAM, LPARAM, LRESULT*) {
    return FALSE;
}

void CWnd::OnClose() {
    DestroyWindow();
}

void CWnd::notifyParent(UINT code) {
    if (m_pParent && m_hWnd)
        m_pParent->SendMessage(WM_COMMAND, MAKEWPARAM(m_nID, code), reinterpret_cast<LPARAM>(m_hWnd));
}

LRESULT CWnd::notifyParentNmhdr(UINT code) {
    if (!m_pParent || !m_hWnd) return 0;
    NMHDR header{m_hWnd, static_cast<UINT_PTR>(static_cast<UINT>(m_nID)), code};
    return m_pParent->SendMessage(WM_NOTIFY, static_cast<WPARAM>(m_nID), reinterpret_cast<LPARAM>(&header));
}

bool CWnd::userSetText(const std::wstring&, std::wstring& error) {
    error = host::mfc::describeControl(*this) + L" cannot be typed into";
    return false;
}

bool CWnd::userSelect(const std::wstring&, std::wstring& error) {
    error = host::mfc::describeControl(*this) + L" has no items to select";
    return false;
}

bool CWnd::userCheck(int, std::wstring& error) {
    error = host::mfc::describeControl(*this) + L" is not a check box";
    return false;
}

bool CWnd::userClick(std::wstring& error) {
    error = host::mfc::describeControl(*this) + L" is not a button";
    return false;
}

host::UiControlView CWnd::userView() const {
    host::UiControlView v;
    v.id = m_nID;
    v.kind = L"window";
    GetWindowText(v.text);
    v.enabled = IsWindowEnabled();
    v.visible = IsWindowVisible();
    return v;
}

namespace host::mfc {

int dispatchPostedMessages() {
    int delivered = 0;
    // Bounded, so a handler that posts to itself for ever cannot hang the host.
    for (int guard = 0; !posted().empty() && guard < 10000; ++guard) {
        const PostedMessage m = posted().front();
        posted().pop_front();
        if (CWnd* wnd = CWnd::FromHandle(m.hWnd)) {
            wnd->SendMessage(m.message, m.wParam, m.lParam);
            ++delivered;
        }
    }
    return delivered;
}

CWnd* findUserControl(const CWnd& root, int id) {
    if (CWnd* visible = findIn(root, id, true, 0)) return visible;
    return findIn(root, id, false, 0);
}

std::wstring describeControl(const CWnd& control) {
    std::wstring text;
    control.GetWindowText(text);
    if (text.empty()) return host::FormatW(L"control %d", control.GetDlgCtrlID());
    return host::FormatW(L"control %d (\"%s\")", control.GetDlgCtrlID(), text.c_str());
}

} // namespace host::mfc
