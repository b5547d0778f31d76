#include "shell/serve/WebUiDriver.h"

#include "host/win/Transcript.h"
#include "host/win/Utf8.h"
#include "host/win/WinMessageBox.h"
#include "shell/serve/JsonText.h"
#include "shell/serve/ServeAccess.h"

namespace serve {

WebUiDriver::WebUiDriver(host::UiEventSource& events,
                         std::function<void(const std::string&, const std::string&)> publish,
                         std::filesystem::path root)
    : host::ScriptUiDriver(&m_source), m_source(*this, events), m_publish(std::move(publish)),
      m_root(std::move(root)) {}

std::optional<std::wstring> WebUiDriver::Source::peekEvent() {
    if (m_owner.m_form) {
        const std::string now = formJson(*m_owner.m_form);
        if (now != m_owner.m_formShown) {
            m_owner.m_formShown = now;
            m_owner.m_publish("dialog", now);
        }
    }
    return m_inner.peekEvent();
}

int WebUiDriver::messageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) {
    m_publish("box", "{\"caption\":" + jsonString(caption) + ",\"text\":" + jsonString(text) +
                         ",\"type\":" + std::to_string(type & MB_TYPEMASK) + "}");
    if ((type & MB_TYPEMASK) == MB_OK) {
        host::transcriptWrite(host::boxTranscriptLine(caption, text));
        m_publish("boxEnd", "{}"); // shown as a note: nothing stays open for pages that come later
        return IDOK;
    }
    const int answer = host::ScriptUiDriver::messageBox(owner, text, caption, type);
    m_publish("boxEnd", "{}");
    return answer;
}

void WebUiDriver::runDialog(host::UiForm& form) {
    host::UiForm* outer = m_form;
    const std::string outerShown = m_formShown;
    m_form = &form;
    m_formShown.clear();
    host::ScriptUiDriver::runDialog(form);
    m_publish("dialogEnd", "{\"id\":" + std::to_string(form.formId()) + "}");
    // A dialog opened from a dialog gives the page back the one beneath.
    m_form = outer;
    m_formShown = outer ? outerShown : std::string();
    if (outer) m_publish("dialog", outerShown);
}

unsigned WebUiDriver::trackPopupMenu(const host::UiMenuView& menu) {
    m_publish("menu", menuJson(menu));
    const unsigned chosen = host::ScriptUiDriver::trackPopupMenu(menu);
    m_publish("menuEnd", "{\"id\":" + std::to_string(chosen) + "}");
    return chosen;
}

bool WebUiDriver::chooseFiles(const host::FileChooserRequest& request, std::vector<std::wstring>& chosen) {
    m_publish("file", "{\"title\":" + jsonString(request.title) + ",\"initial\":" + jsonString(request.initial) +
                          ",\"folder\":" + (request.folder ? "true" : "false") + "}");
    bool ok = host::ScriptUiDriver::chooseFiles(request, chosen);
    for (const std::wstring& path : chosen) {
        std::string why;
        if (ok && !pathInside(m_root, host::toUtf8(path), why)) {
            host::transcriptWrite(host::fromUtf8("\n" + why + " - the file chooser is cancelled."));
            ok = false;
        }
    }
    if (!ok) chosen.clear();
    m_publish("fileEnd", "{}");
    return ok;
}

} // namespace serve
