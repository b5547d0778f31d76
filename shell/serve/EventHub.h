#pragma once
// What the host tells the pages: server-sent events, each with a number, a name
// ("output", "prompt", "changed", "dialog", "menu", "box", "palette") and a JSON text.
// The host thread publishes; each page's stream waits for events after the last one
// it has sent. The newest events are kept, so a page that reconnects with its last
// number gets what it missed while the hub still has it.
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

namespace serve {

struct HubEvent {
    std::uint64_t id = 0;
    std::string name;
    std::string data; // JSON, one line
};

class EventHub {
public:
    explicit EventHub(size_t keep = 2000) : m_keep(keep) {}
    // Any thread; returns the event's number.
    std::uint64_t publish(std::string name, std::string data);
    // The events after `after`, waiting up to `waitMs` for one when there is none.
    // Empty when the wait ran out or the hub closed.
    std::vector<HubEvent> after(std::uint64_t after, int waitMs);
    // Wakes every waiting stream; they end.
    void close();
    bool closed() const;
    std::uint64_t lastId() const;

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<HubEvent> m_events;
    size_t m_keep;
    std::uint64_t m_next = 1;
    bool m_closed = false;
};

// An event as the text/event-stream wire carries it: "id:", "event:" and "data:"
// lines and a blank line.
std::string sseText(const HubEvent& event);

} // namespace serve
