#include "shell/serve/HostQueue.h"

#include "host/ed/input/HostInput.h"
#include "host/win/Transcript.h"

namespace serve {

std::future<std::uint64_t> HostQueue::postLine(std::wstring line, std::function<void()> before) {
    Item item;
    item.isLine = true;
    item.line = std::move(line);
    item.task = std::move(before);
    std::future<std::uint64_t> taken = item.taken.get_future();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_closed) {
            item.taken.set_value(0);
            return taken;
        }
        m_items.push_back(std::move(item));
    }
    m_ready.notify_all();
    return taken;
}

std::future<void> HostQueue::runOnHost(std::function<void()> task) {
    Item item;
    item.task = std::move(task);
    std::future<void> done = item.done.get_future();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_closed) {
            item.done.set_value();
            return done;
        }
        m_items.push_back(std::move(item));
    }
    m_ready.notify_all();
    return done;
}

void HostQueue::close() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_closed = true;
    }
    m_ready.notify_all();
}

void HostQueue::shutdown() {
    std::deque<Item> left;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_closed = true;
        left.swap(m_items);
    }
    for (Item& item : left) {
        if (item.isLine)
            item.taken.set_value(0);
        else
            item.done.set_value();
    }
    m_ready.notify_all();
}

bool HostQueue::closed() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_closed;
}

std::uint64_t HostQueue::linesRead() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_read;
}

// Runs the task at the front with the lock released (a task may queue more work).
bool HostQueue::runFrontTask(std::unique_lock<std::mutex>& lock) {
    if (m_items.empty() || m_items.front().isLine) return false;
    Item item = std::move(m_items.front());
    m_items.pop_front();
    lock.unlock();
    try {
        item.task();
    } catch (...) {
        // A task reports its own failure through what it captured; the host goes on.
    }
    item.done.set_value();
    lock.lock();
    return true;
}

void HostQueue::runPendingTasks() {
    std::unique_lock<std::mutex> lock(m_mutex);
    while (runFrontTask(lock)) {
    }
}

bool HostQueue::takeBreak() {
    std::unique_lock<std::mutex> lock(m_mutex);
    for (auto it = m_items.begin(); it != m_items.end(); ++it) {
        if (!it->isLine) continue;
        std::wstring event;
        const std::optional<host::InputItem> item = host::classifyLine(it->line, &event);
        if (!event.empty() || !item || item->kind != host::InputKind::Cancel) continue;
        Item esc = std::move(*it);
        m_items.erase(it);
        esc.taken.set_value(++m_read);
        return true;
    }
    return false;
}

std::optional<std::wstring> HostQueue::takeLine(const std::function<void()>& waiting) {
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        while (runFrontTask(lock)) {
        }
        if (!m_items.empty()) {
            Item item = std::move(m_items.front());
            m_items.pop_front();
            const std::uint64_t number = ++m_read;
            if (item.task) {
                lock.unlock();
                try {
                    item.task();
                } catch (...) {
                }
            }
            item.taken.set_value(number);
            return std::move(item.line);
        }
        if (m_closed) {
            // Tasks queued after the close are released unrun: nobody waits for the host.
            return std::nullopt;
        }
        if (waiting) {
            lock.unlock();
            waiting();
            lock.lock();
            if (!m_items.empty() || m_closed) continue;
        }
        m_ready.wait(lock, [this] { return !m_items.empty() || m_closed; });
    }
}

std::optional<std::wstring> QueuedSource::readLine() {
    std::optional<std::wstring> line = m_queue.takeLine(m_waiting);
    if (!line) return line;
    std::wstring event;
    const std::optional<host::InputItem> item = host::classifyLine(*line, &event);
    if (event.empty() && item && item->kind == host::InputKind::Text) host::transcriptWrite(item->text);
    return line;
}

} // namespace serve
