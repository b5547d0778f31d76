#include "shell/serve/EventHub.h"

#include <chrono>

namespace serve {

std::uint64_t EventHub::publish(std::string name, std::string data) {
    std::uint64_t id = 0;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        id = m_next++;
        m_events.push_back(HubEvent{id, std::move(name), std::move(data)});
        while (m_events.size() > m_keep)
            m_events.pop_front();
    }
    m_changed.notify_all();
    return id;
}

std::vector<HubEvent> EventHub::after(std::uint64_t after, int waitMs) {
    std::unique_lock<std::mutex> lock(m_mutex);
    const auto fresh = [&] { return m_closed || (!m_events.empty() && m_events.back().id > after); };
    if (!fresh()) m_changed.wait_for(lock, std::chrono::milliseconds(waitMs), fresh);
    std::vector<HubEvent> out;
    for (const HubEvent& e : m_events)
        if (e.id > after) out.push_back(e);
    return out;
}

void EventHub::close() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_closed = true;
    }
    m_changed.notify_all();
}

bool EventHub::closed() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_closed;
}

std::uint64_t EventHub::lastId() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_next - 1;
}

std::string sseText(const HubEvent& event) {
    // The data is one line of JSON: no line breaks to split.
    return "id: " + std::to_string(event.id) + "\nevent: " + event.name + "\ndata: " + event.data + "\n\n";
}

} // namespace serve
