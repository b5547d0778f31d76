#pragma once
// Where scripted GUI answers come from: the "@..." lines of a command script
// ("@yes", "@no", "@dialog 1144 = abc", "@menu 32798" ...), or a test.
#include <deque>
#include <optional>
#include <string>

namespace host {

class UiEventSource {
public:
    virtual ~UiEventSource() = default;
    // The next pending event without its '@' ("yes", "dialog click 1"), without
    // consuming it; nullopt when none is pending. A script source may read ahead:
    // only an '@' line that comes next in the script is pending.
    virtual std::optional<std::wstring> peekEvent() = 0;
    // Consumes the event that peekEvent returned.
    virtual void popEvent() = 0;
};

// A plain queue of events, for tests and for hosts that collect events up front.
class UiEventList : public UiEventSource {
public:
    UiEventList() = default;
    UiEventList(std::initializer_list<std::wstring> events) : m_events(events) {}
    void push(std::wstring event) { m_events.push_back(std::move(event)); }
    std::optional<std::wstring> peekEvent() override {
        if (m_events.empty()) return std::nullopt;
        return m_events.front();
    }
    void popEvent() override {
        if (!m_events.empty()) m_events.pop_front();
    }
    size_t size() const { return m_events.size(); }

private:
    std::deque<std::wstring> m_events;
};

} // namespace host
