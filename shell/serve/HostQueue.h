#pragma once
// The one way into the host from the web server's threads. The host stays
// single-threaded: a server thread only queues an input line (read by the command
// line exactly as a script line) or a task (rendering, saving ...) and waits for the
// host thread to take it. The host thread drains the queue through QueuedSource,
// which is the command line's input source while `lintaro serve` runs.
#include "host/ed/input/InputSource.h"


#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <optional>
#include <string>

namespace serve {

class HostQueue {
public:
    // Queues an input line. The future gives its number in the order the host read
    // the lines (1, 2, ...) once the host has taken it; a closed queue gives 0.
    // `before`, when given, runs on the host thread just before the host reads the
    // line, with nothing between them (the page's view for a click).
    std::future<std::uint64_t> postLine(std::wstring line, std::function<void()> before = {});
    // Runs `task` on the host thread when the host next reads input (between two
    // input lines, never inside one). The future is ready when it has run; a closed
    // queue never runs it and the future is ready at once.
    std::future<void> runOnHost(std::function<void()> task);
    // Ends the input: the host reads the end of its input once the lines before are read.
    void close();
    bool closed() const;
    // The host has stopped reading: everything still queued is released unrun (lines
    // get 0), so that no server thread waits for it.
    void shutdown();

    // Host thread: runs the queued tasks and returns the next line, waiting for one;
    // nullopt when the queue is closed and empty. `waiting` runs each time the queue
    // is found empty, before the host waits (the host tells the page it is idle).
    std::optional<std::wstring> takeLine(const std::function<void()>& waiting);
    // Host thread: runs the queued tasks up to the first line, without waiting.
    void runPendingTasks();
    // Host thread, for a busy command's acedUsrBrk: takes the first queued ESC line out
    // of the queue (it counts as read) and says whether there was one. The lines
    // around it stay queued in their order.
    bool takeBreak();
    // Lines read so far.
    std::uint64_t linesRead() const;

private:
    struct Item {
        bool isLine = false;
        std::wstring line;
        std::promise<std::uint64_t> taken;
        std::function<void()> task; // for a line: what runs just before it is read
        std::promise<void> done;
    };
    bool runFrontTask(std::unique_lock<std::mutex>& lock);

    mutable std::mutex m_mutex;
    std::condition_variable m_ready;
    std::deque<Item> m_items;
    bool m_closed = false;
    std::uint64_t m_read = 0;
};

// The command line's input while the server runs: lines from the queue, read as a
// person's typing (Enter repeats the last command; the host never looks ahead for an
// ESC, which would wait for the page's next line). The answers are echoed after their
// prompts, as a script's are, so the transcript reads like the command line's history.
class QueuedSource : public host::InputSource {
public:
    QueuedSource(HostQueue& queue, std::function<void()> waiting)
        : m_queue(queue), m_waiting(std::move(waiting)) {}
    std::optional<std::wstring> readLine() override;
    bool isInteractive() const override { return true; }
    std::wstring where() const override { return L"browser"; }
    // ESC from the page reaches a command that is busy and does not ask.
    bool takeBreak() override { return m_queue.takeBreak(); }

private:
    HostQueue& m_queue;
    std::function<void()> m_waiting;
};

} // namespace serve
