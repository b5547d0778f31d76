#include "host/mfc/DialogForm.h"

#include "host/mfc/CMenu.h"
#include "host/mfc/WinMenu.h"
#include "host/win/FormatW.h"
#include "host/win/UiDriver.h"
#include "host/win/WinMessageBox.h"
#include "host/win/WinWindows.h"

#include <exception>

namespace host::mfc {

namespace {

void collect(const CWnd& root, std::vector<host::UiControlView>& out, int depth) {
    if (depth > 64) return;
    for (const CWnd* child : root.children()) {
        if (child->isContainer()) {
            if (child->GetStyle() & WS_VISIBLE) collect(*child, out, depth + 1);
        } else {
            out.push_back(child->userView());
        }
    }
}

} // namespace

std::wstring DialogForm::formCaption() const {
    std::wstring caption;
    m_root.GetWindowText(caption);
    return caption.empty() ? host::FormatW(L"Dialog %d", m_id) : caption;
}

std::vector<host::UiControlView> DialogForm::formControls() const {
    std::vector<host::UiControlView> out;
    collect(m_root, out, 0);
    return out;
}

CWnd* DialogForm::reachable(int id, std::wstring& error) const {
    if (!m_root.m_hWnd) {
        error = L"the window is closed";
        return nullptr;
    }
    if (!m_root.IsWindowVisible()) {
        error = L"the window is hidden";
        return nullptr;
    }
    CWnd* control = findUserControl(m_root, id);
    if (!control) {
        error = host::FormatW(L"there is no control %d", id);
        return nullptr;
    }
    if (!control->IsWindowVisible()) {
        error = describeControl(*control) + L" is hidden";
        return nullptr;
    }
    for (const CWnd* w = control; w && w != &m_root; w = w->GetParent()) {
        if (!w->IsWindowEnabled()) {
            error = describeControl(*control) + L" is disabled";
            return nullptr;
        }
    }
    return control;
}

bool DialogForm::guarded(const std::function<bool(std::wstring&)>& action, std::wstring& error) {
    bool done = false;
    try {
        done = action(error);
        dispatchPostedMessages();
    } catch (const std::exception&) {
        error = L"the dialog failed on it";
        done = false;
    } catch (...) {
        error = L"the dialog failed on it";
        done = false;
    }
    return done;
}

bool DialogForm::formSetText(int id, const std::wstring& text, std::wstring& error) {
    CWnd* control = reachable(id, error);
    return control && guarded([&](std::wstring& e) { return control->userSetText(text, e); }, error);
}

bool DialogForm::formSelect(int id, const std::wstring& item, std::wstring& error) {
    CWnd* control = reachable(id, error);
    return control && guarded([&](std::wstring& e) { return control->userSelect(item, e); }, error);
}

bool DialogForm::formCheck(int id, int state, std::wstring& error) {
    CWnd* control = reachable(id, error);
    return control && guarded([&](std::wstring& e) { return control->userCheck(state, e); }, error);
}

bool DialogForm::formClick(int id, std::wstring& error) {
    // Enter and Escape reach OK and Cancel even in a dialog without those buttons.
    if ((id == IDOK || id == IDCANCEL) && m_root.m_hWnd && !findUserControl(m_root, id)) {
        return guarded(
            [&](std::wstring&) {
                m_root.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
                return true;
            },
            error);
    }
    CWnd* control = reachable(id, error);
    return control && guarded([&](std::wstring& e) { return control->userClick(e); }, error);
}

bool DialogForm::formMenuCommand(int id, std::wstring& error) {
    const CMenu* menu = m_root.m_hWnd ? m_root.GetMenu() : nullptr;
    if (!menu) {
        error = L"the window has no menu";
        return false;
    }
    if (!m_root.IsWindowVisible()) {
        error = L"the window is hidden";
        return false;
    }
    const HMENU h = menu->GetSafeHmenu();
    std::wstring text;
    if (id <= 0 || !menuText(h, static_cast<UINT>(id), text)) {
        error = host::FormatW(L"the menu has no item %d", id);
        return false;
    }
    if (!menuCommandEnabled(h, static_cast<UINT>(id))) {
        error = host::FormatW(L"menu item %d (\"%s\") is greyed", id, text.c_str());
        return false;
    }
    return guarded(
        [&](std::wstring&) {
            m_root.SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0);
            return true;
        },
        error);
}

void runModal(CWnd& root, int id, const std::function<bool()>& ended, const std::function<void()>& cancel) {
    const HWND previous = host::setActiveWindow(root.m_hWnd);
    dispatchPostedMessages();
    DialogForm form(root, id, ended, cancel);
    if (!ended()) {
        try {
            host::uiDriver().runDialog(form);
        } catch (...) {
            // A driver must not throw; if one does, the dialog is cancelled below.
        }
    }
    if (!ended()) form.formCancel();
    host::setActiveWindow(previous);
}

void DialogForm::formCancel() {
    try {
        m_cancel();
        dispatchPostedMessages();
    } catch (...) {
        // Closing must close even when a handler fails; the caller ends the run.
    }
}

} // namespace host::mfc
