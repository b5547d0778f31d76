#pragma once
// The UI driver of `lintaro serve`: a dialog, popup menu, box or file chooser the
// add-on opens is shown on the page (published as an event), and the page's answer
// comes back as the same "@dialog ...", "@menu ...", "@yes" ... input a script would
// give. The host waits for that answer as it waits for any input line.
#include "host/win/ScriptUiDriver.h"
#include "host/win/UiEventSource.h"

#include <filesystem>
#include <functional>
#include <string>

namespace serve {

class WebUiDriver : public host::ScriptUiDriver {
public:
    // publish(name, json) sends an event to the pages; `root` is the only folder
    // whose files a file chooser may answer with.
    WebUiDriver(host::UiEventSource& events, std::function<void(const std::string&, const std::string&)> publish,
                std::filesystem::path root);

    // A box that offers only OK is shown and needs no answer: the host goes on.
    int messageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) override;
    // The form is published before each answer is awaited, so the page shows what
    // the last answer changed; "dialogEnd" when it has ended.
    void runDialog(host::UiForm& form) override;
    unsigned trackPopupMenu(const host::UiMenuView& menu) override;
    // Paths outside the server's folder are refused: the chooser is cancelled.
    bool chooseFiles(const host::FileChooserRequest& request, std::vector<std::wstring>& chosen) override;

private:
    // Publishes the open dialog (when its state changed) before the source is asked.
    class Source : public host::UiEventSource {
    public:
        Source(WebUiDriver& owner, host::UiEventSource& inner) : m_owner(owner), m_inner(inner) {}
        std::optional<std::wstring> peekEvent() override;
        void popEvent() override { m_inner.popEvent(); }

    private:
        WebUiDriver& m_owner;
        host::UiEventSource& m_inner;
    };

    Source m_source;
    std::function<void(const std::string&, const std::string&)> m_publish;
    std::filesystem::path m_root;
    host::UiForm* m_form = nullptr;
    std::string m_formShown;
};

} // namespace serve
