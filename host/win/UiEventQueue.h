#pragma once
// The scripted GUI events ("@yes", "@dialog 1144 = abc", "@menu 32798" ...) on their
// way from the input to the UI driver. Events are read lazily: when the driver asks
// and nothing is queued, the feeder (the editor's input) hands over the next input
// line if, and only if, that line is an event. So an event answers the dialog or box
// that is up when the script reaches it, never one that comes later by accident.
#include "host/win/UiEventSource.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>

namespace host {

class UiEventQueue : public UiEventSource {
public:
    // Returns the next input event (without '@'), consuming it, or nullopt when the
    // next input is not an event.
    using Feeder = std::function<std::optional<std::wstring>()>;

    void push(std::wstring event) { m_events.push_back(std::move(event)); }
    // Returns the previous feeder.
    Feeder setFeeder(Feeder feeder) {
        Feeder old = std::move(m_feeder);
        m_feeder = std::move(feeder);
        return old;
    }

    std::optional<std::wstring> peekEvent() override {
        if (m_events.empty() && m_feeder)
            if (std::optional<std::wstring> e = m_feeder()) m_events.push_back(std::move(*e));
        if (m_events.empty()) return std::nullopt;
        return m_events.front();
    }
    void popEvent() override {
        if (!m_events.empty()) m_events.pop_front();
    }

    size_t size() const { return m_events.size(); }
    void clear() { m_events.clear(); }

private:
    std::deque<std::wstring> m_events;
    Feeder m_feeder;
};

// The process's one queue: the script reader feeds it, the UI driver reads it.
inline UiEventQueue& uiEventQueue() {
    static UiEventQueue queue;
    return queue;
}

} // namespace host
