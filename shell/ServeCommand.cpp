// lintaro serve [DRAWING] [--port N]: the host with the add-on loaded and the drawing
// open, worked from a browser. The page's requests become the host's input lines; the
// host thread alone runs the host, as at the command line.
#include "host/ap/AcApDocManager.h"
#include "host/ed/input/HostInput.h"
#include "host/win/Transcript.h"
#include "host/win/UiEventQueue.h"
#include "host/win/Utf8.h"
#include "shell/HostSession.h"
#include "shell/InputFile.h"
#include "shell/Subcommands.h"
#include "shell/serve/EventHub.h"
#include "shell/serve/HostQueue.h"
#include "shell/serve/ServeAccess.h"
#include "shell/serve/ServeState.h"
#include "shell/serve/WebServer.h"
#include "shell/serve/WebUiDriver.h"

#include <CLI/CLI.hpp>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <pthread.h>
#include <thread>

namespace shell {

namespace {

struct ServeOptions {
    std::string drawing;
    int port = 0;
};

void error(const std::string& text) {
    std::fprintf(stderr, "lintaro: %s\n", text.c_str());
}

// Ctrl-C or a termination request ends the input: the host leaves as after QUIT.
class StopSignals {
public:
    explicit StopSignals(serve::HostQueue& queue) {
        sigemptyset(&m_set);
        sigaddset(&m_set, SIGINT);
        sigaddset(&m_set, SIGTERM);
        // Blocked before the server's threads start, so only this thread takes them.
        pthread_sigmask(SIG_BLOCK, &m_set, &m_previous);
        m_thread = std::thread([this, &queue] {
            const timespec tick{0, 200 * 1000 * 1000};
            while (!m_done) {
                if (sigtimedwait(&m_set, nullptr, &tick) > 0) {
                    m_interrupted = true;
                    queue.close();
                    return;
                }
            }
        });
    }
    ~StopSignals() {
        m_done = true;
        m_thread.join();
        pthread_sigmask(SIG_SETMASK, &m_previous, nullptr);
    }
    bool interrupted() const { return m_interrupted; }

private:
    sigset_t m_set, m_previous;
    std::atomic<bool> m_done{false};
    std::atomic<bool> m_interrupted{false};
    std::thread m_thread;
};

int serveDrawing(const ServeOptions& o) {
    std::wstring problem;
    if (!o.drawing.empty() && !checkInputFile(o.drawing, InputKind::Drawing, problem)) {
        error(host::toUtf8(problem));
        return kExitFailed;
    }
    std::error_code ec;
    const std::filesystem::path root = std::filesystem::current_path(ec);
    if (ec) {
        error("the current folder cannot be read");
        return kExitFailed;
    }
    HostSession session;
    if (!session.loadModule(o.drawing.empty())) {
        error("the add-on could not be loaded.");
        return kExitFailed;
    }
    if (!o.drawing.empty() && !session.openDrawing(host::fromUtf8(o.drawing), problem)) {
        error(host::toUtf8(problem));
        return kExitFailed;
    }
    serve::EventHub hub;
    serve::HostQueue queue;
    serve::ServeState state(hub);
    const host::TranscriptSink previousSink =
        host::setTranscriptSink([&state](const std::wstring& text) { state.writeTranscript(text); });
    serve::WebUiDriver driver(
        host::uiEventQueue(), [&state](const std::string& name, const std::string& json) { state.publish(name, json); },
        root);
    host::UiDriverScope driverScope(driver);
    serve::DrawingHooks hooks;
    hooks.open = [&session](const std::wstring& path, std::wstring& why) { return session.openDrawing(path, why); };
    hooks.save = [&session](const std::wstring& path, std::wstring& why) {
        // Without a name the drawing goes back to its own file.
        const AcApDocument* doc = acDocManager->curDocument();
        if (path.empty() && doc && !doc->isNamed()) {
            why = L"the drawing has no file yet: save it under a name";
            return false;
        }
        return session.saveDrawing(path.empty() && doc ? std::wstring(doc->fileName()) : path, why);
    };
    StopSignals signals(queue);
    serve::WebServer server(queue, hub, state, root, serve::newAccessToken(), hooks);
    std::string bindError;
    if (server.bind(o.port, bindError) < 0) {
        host::setTranscriptSink(previousSink);
        error(bindError);
        return kExitFailed;
    }
    server.start();
    std::printf("\nlintaro serve: open %s in a browser on this machine.\n"
                "lintaro serve: files are opened and saved in %s only; Ctrl-C or QUIT ends.\n",
                server.address().c_str(), root.string().c_str());
    std::fflush(stdout);
    state.followCurrentDrawing();
    host::hostInput().pushSource(
        std::make_unique<serve::QueuedSource>(queue, [&state] { state.hostWaiting(); }));
    session.runCommandLine();
    // Requests still waiting for the host are answered first, then the server stops.
    queue.shutdown();
    server.stop();
    host::setTranscriptSink(previousSink);
    std::printf("lintaro serve: stopped.\n");
    return signals.interrupted() ? kExitInterrupted : kExitOk;
}

} // namespace

void addServeCommand(CLI::App& app, int& exitCode) {
    auto opts = std::make_shared<ServeOptions>();
    CLI::App* cmd = app.add_subcommand("serve", "Work on a drawing in a browser (a local web server)");
    cmd->add_option("DRAWING", opts->drawing, "The drawing to open");
    cmd->add_option("--port", opts->port, "The port on 127.0.0.1 (0: a free one)")->check(CLI::Range(0, 65535));
    cmd->callback([opts, &exitCode] { exitCode = serveDrawing(*opts); });
}

} // namespace shell
