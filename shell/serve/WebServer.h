#pragma once
// The local web server of `lintaro serve`: the page, its live events and the
// requests that become host input. Listens on 127.0.0.1 only. Every request needs the
// access token (401 without), a browser request from another origin is refused (403),
// a file outside the server's folder is refused (403), a malformed request gets a 4xx
// and changes nothing. Server threads never touch the host: they queue lines and
// tasks on the HostQueue and wait for the host thread's answer.
#include "shell/serve/EventHub.h"
#include "shell/serve/HostQueue.h"
#include "shell/serve/ServeState.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace serve {

// What the program does for the server on the host thread: open a drawing file, save
// the drawing (an empty path: to its own file). False with the reason.
struct DrawingHooks {
    std::function<bool(const std::wstring& path, std::wstring& error)> open;
    std::function<bool(const std::wstring& path, std::wstring& error)> save;
};

class WebServer {
public:
    WebServer(HostQueue& queue, EventHub& hub, ServeState& state, std::filesystem::path root, std::string token,
              DrawingHooks hooks);
    ~WebServer();
    WebServer(const WebServer&) = delete;
    WebServer& operator=(const WebServer&) = delete;

    // Binds 127.0.0.1:port (0: a free port); the port bound, or -1 with a message.
    int bind(int port, std::string& error);
    // Serves on a thread of its own until stop().
    void start();
    void stop();
    // http://127.0.0.1:PORT/?token=...
    std::string address() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
    std::thread m_thread;
};

} // namespace serve
