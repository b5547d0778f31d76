#pragma once
// A dialog, property sheet or palette as the UI driver works it (host/win/UiForm.h):
// finds the control a person means, refuses what a person could not do (a control
// that is not there, hidden or disabled) and lets the control act.
#include "host/mfc/CWnd.h"
#include "host/win/UiForm.h"

#include <functional>

namespace host::mfc {

class DialogForm : public host::UiForm {
public:
    // `ended` tells whether a modal run is over; `cancel` closes the window as its
    // close box does.
    DialogForm(CWnd& root, int id, std::function<bool()> ended, std::function<void()> cancel)
        : m_root(root), m_id(id), m_ended(std::move(ended)), m_cancel(std::move(cancel)) {}

    int formId() const override { return m_id; }
    std::wstring formCaption() const override;
    std::vector<host::UiControlView> formControls() const override;
    bool formSetText(int id, const std::wstring& text, std::wstring& error) override;
    bool formSelect(int id, const std::wstring& item, std::wstring& error) override;
    bool formCheck(int id, int state, std::wstring& error) override;
    bool formClick(int id, std::wstring& error) override;
    bool formMenuCommand(int id, std::wstring& error) override;
    bool formEnded() const override { return m_ended(); }
    void formCancel() override;

private:
    // The control a person can act on, or null with the reason.
    CWnd* reachable(int id, std::wstring& error) const;
    // Runs a handler path; a handler that throws counts as refused.
    bool guarded(const std::function<bool(std::wstring&)>& action, std::wstring& error);

    CWnd& m_root;
    int m_id;
    std::function<bool()> m_ended;
    std::function<void()> m_cancel;
};

// Runs a modal window through the current UI driver until `ended` says so: the window
// is the active one meanwhile, and a driver that fails cancels it.
void runModal(CWnd& root, int id, const std::function<bool()>& ended, const std::function<void()>& cancel);

} // namespace host::mfc
