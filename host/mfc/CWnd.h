#pragma once
// MFC's window class without pixels: a window has an id, a text, a style (visible,
// disabled, the control's own bits), a rectangle, a parent and children, and takes
// messages. WM_COMMAND goes to OnCommand and WM_NOTIFY to OnNotify, which derived
// classes override (and call the base class for what they do not handle), as a
// message map would route them.
#include "host/win/UiForm.h"
#include "host/win/WinUser.h"

#include <memory>
#include <string>
#include <vector>

class CMenu;

class CWnd {
public:
    CWnd();
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    // The live window of the handle; null for a handle that is not (or no longer) one.
    static CWnd* FromHandle(HWND hWnd);
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return GetSafeHwnd(); }

    // Creates the window as a child of `pParentWnd` (or top-level without one).
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID);
    // Destroys the children first; the window leaves its parent and its handle dies.
    virtual BOOL DestroyWindow();

    int GetDlgCtrlID() const { return m_nID; }
    int SetDlgCtrlID(int nID);
    CWnd* GetParent() const { return m_pParent; }
    // The direct child with the id; null when there is none.
    CWnd* GetDlgItem(int nID) const;
    const std::vector<CWnd*>& children() const { return m_children; }

    virtual void SetWindowText(LPCTSTR lpszString);
    int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const;
    void GetWindowText(std::wstring& rString) const;
    int GetWindowTextLength() const;
    void SetDlgItemText(int nID, LPCTSTR lpszString);
    int GetDlgItemText(int nID, std::wstring& rString) const;
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const;
    void CheckDlgButton(int nIDButton, UINT nCheck);
    UINT IsDlgButtonChecked(int nIDButton) const;
    void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton);

    DWORD GetStyle() const { return m_dwStyle; }
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    // Returns nonzero when the window was disabled before.
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const { return m_hWnd && !(m_dwStyle & WS_DISABLED); }
    // Returns nonzero when the window was visible before.
    BOOL ShowWindow(int nCmdShow);
    // Visible itself and all its parents, as on Windows.
    BOOL IsWindowVisible() const;
    BOOL IsIconic() const { return (m_dwStyle & WS_MINIMIZE) != 0; }
    BOOL IsZoomed() const { return (m_dwStyle & WS_MAXIMIZE) != 0; }

    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void GetWindowRect(LPRECT lpRect) const;
    void GetClientRect(LPRECT lpRect) const;

    CWnd* SetFocus();
    static CWnd* GetFocus();

    // The menu bar; the window does not own it (as on Windows, the caller destroys it).
    BOOL SetMenu(CMenu* pMenu);
    CMenu* GetMenu() const;
    void DrawMenuBar() {}

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // Queued until the host is idle (host::mfc::dispatchPostedMessages).
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    // What a person does to this window as a control, for the UI driver: each sends
    // the notifications the action would, or refuses with a reason and changes
    // nothing. The base window takes none of them.
    virtual bool userSetText(const std::wstring& text, std::wstring& error);
    virtual bool userSelect(const std::wstring& item, std::wstring& error);
    virtual bool userCheck(int state, std::wstring& error);
    virtual bool userClick(std::wstring& error);
    // How the window shows to a person ("static", "button" ...).
    virtual host::UiControlView userView() const;
    // Dialogs, pages and sheets hold controls; a hidden one hides all it holds.
    virtual bool isContainer() const { return false; }

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual void OnClose();
    virtual void OnDestroy() {}

    // Tells the parent, as a control does: WM_COMMAND with (id, code), or WM_NOTIFY.
    void notifyParent(UINT code);
    LRESULT notifyParentNmhdr(UINT code);

    // For the GUI stand-in's own windows: gives the window a handle and a place.
    void attachWindow(CWnd* parent, int id, DWORD style, const std::wstring& text);
    // Takes ownership of a child made from a template; it dies with this window.
    CWnd* adoptChild(std::unique_ptr<CWnd> child);

    int m_nID = 0;
    DWORD m_dwStyle = 0;
    std::wstring m_strText;
    RECT m_rect;

private:
    friend class CDialog;
    friend class CPropertySheet;
    void detachFromParent();

    CWnd* m_pParent = nullptr;
    std::vector<CWnd*> m_children;
    std::vector<std::unique_ptr<CWnd>> m_owned;
    CMenu* m_pMenu = nullptr;
};

namespace host::mfc {
// Delivers the posted messages whose windows still live, in order (including those
// posted meanwhile); returns how many were delivered.
int dispatchPostedMessages();
// The control with the id that a person can reach inside `root`: in a visible
// container first; null when there is none.
CWnd* findUserControl(const CWnd& root, int id);
// "control 1023 (\"Aktualisieren\")" for messages.
std::wstring describeControl(const CWnd& control);
} // namespace host::mfc
