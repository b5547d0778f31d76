#include "shell/serve/WebServer.h"

#include "host/ap/AcApDocManager.h"
#include "host/ed/DrawingView.h"
#include "host/ed/commands/CommandLine.h"
#include "host/ed/input/JigTrial.h"
#include "host/mfc/CWnd.h"
#include "host/mfc/PaletteWindow.h"
#include "host/render/DatabasePicture.h"
#include "host/win/Utf8.h"
#include "shell/serve/DrawingFiles.h"
#include "shell/serve/JsonText.h"
#include "shell/serve/ObjectSnap.h"
#include "shell/serve/PageHtml.h"
#include "shell/serve/ServeAccess.h"

#include <httplib.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <mutex>
#include <optional>
#include <sstream>
#include <sys/socket.h>

namespace serve {

namespace {

// How long a request waits for the host thread (a command may be busy for a while).
constexpr auto kHostWait = std::chrono::seconds(120);
constexpr size_t kMaxBody = 64 * 1024;
// Enough workers for the pages' event streams and a burst of input requests.
constexpr size_t kWorkers = 16;

void reply(httplib::Response& res, int status, const std::string& json) {
    res.status = status;
    res.set_content(json, "application/json");
}

void refuse(httplib::Response& res, int status, const std::string& why) {
    reply(res, status, "{\"ok\":false,\"error\":" + jsonString(why) + "}");
}

// "cx,cy,height,widthPx,heightPx": the page's view of the drawing, so that a click's
// pick box covers what it covers on the page.
std::optional<std::array<double, 5>> parseView(const std::string& text) {
    std::array<double, 5> v{};
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    for (size_t i = 0; i < v.size(); ++i) {
        char comma = ',';
        if ((i > 0 && !(in >> comma)) || comma != ',' || !(in >> v[i]) || !std::isfinite(v[i])) return std::nullopt;
    }
    in >> std::ws;
    if (!in.eof() || v[2] <= 0 || v[3] < 1 || v[4] < 1 || v[3] > 1e5 || v[4] > 1e5) return std::nullopt;
    return v;
}

// Waits for the host; false (and a 503) when it did not answer in time.
template <class Future> bool awaitHost(Future& f, httplib::Response& res) {
    if (f.wait_for(kHostWait) == std::future_status::ready) return true;
    refuse(res, 503, "the host is busy; the request is still queued");
    return false;
}

} // namespace

struct WebServer::Impl {
    HostQueue& queue;
    EventHub& hub;
    ServeState& state;
    std::filesystem::path root;
    std::string token;
    DrawingHooks hooks;
    httplib::Server http;
    int port = -1;

    Impl(HostQueue& q, EventHub& h, ServeState& s, std::filesystem::path r, std::string t, DrawingHooks k)
        : queue(q), hub(h), state(s), root(std::move(r)), token(std::move(t)), hooks(std::move(k)) {}

    httplib::Server::HandlerResponse admit(const httplib::Request& req, httplib::Response& res);
    void routes();
    void input(const httplib::Request& req, httplib::Response& res);
    void events(const httplib::Request& req, httplib::Response& res);
    void picture(httplib::Response& res);
    void download(const httplib::Request& req, httplib::Response& res);
    void drawingFile(const httplib::Request& req, httplib::Response& res, bool save);
    void snap(const httplib::Request& req, httplib::Response& res);
    void trial(const httplib::Request& req, httplib::Response& res);
    void closePalette(httplib::Response& res);

    // The window of the picture served last, for the previews drawn over it (host
    // thread only).
    DrawingPicture shown;
    // The newest cursor point for the dragging jig; a trial takes it, so points that
    // came while the host was busy are skipped for the newest.
    std::mutex trialMutex;
    std::optional<std::array<double, 2>> trialPoint;

    // The drawing's straight pieces for snapping, kept while the drawing is unchanged
    // (host thread only).
    std::vector<SnapSegment> snapSegments;
    std::uint64_t snapRevision = ~std::uint64_t(0);
    const void* snapDatabase = nullptr;
};

httplib::Server::HandlerResponse WebServer::Impl::admit(const httplib::Request& req, httplib::Response& res) {
    using R = httplib::Server::HandlerResponse;
    if (req.remote_addr != "127.0.0.1") {
        refuse(res, 403, "only this machine may connect");
        return R::Handled;
    }
    // A page of another site (or a name that resolves here by a trick) is not ours.
    const std::string host = req.get_header_value("Host");
    if (!originAllowed(req.get_header_value("Origin"), port) || (!host.empty() && !originAllowed("http://" + host, port))) {
        refuse(res, 403, "requests from other origins are refused");
        return R::Handled;
    }
    const std::string given =
        req.has_param("token") ? req.get_param_value("token") : req.get_header_value("X-Lintaro-Token");
    if (!tokenMatches(given, token)) {
        refuse(res, 401, "the access token is missing or wrong: use the address lintaro serve printed");
        return R::Handled;
    }
    return R::Unhandled;
}

void WebServer::Impl::routes() {
    http.set_pre_routing_handler([this](const httplib::Request& req, httplib::Response& res) { return admit(req, res); });
    http.set_payload_max_length(kMaxBody);
    http.new_task_queue = [] { return new httplib::ThreadPool(kWorkers); };
    http.Get("/", [](const httplib::Request&, httplib::Response& res) {
        res.set_header("Cache-Control", "no-store");
        res.set_header("Content-Security-Policy", "default-src 'self' 'unsafe-inline'; img-src 'self' data: blob:");
        res.set_content(pageHtml(), "text/html; charset=utf-8");
    });
    http.Get("/api/state", [this](const httplib::Request&, httplib::Response& res) { reply(res, 200, state.stateJson()); });
    http.Get("/api/transcript", [this](const httplib::Request& req, httplib::Response& res) {
        const size_t from = req.has_param("from") ? std::strtoull(req.get_param_value("from").c_str(), nullptr, 10) : 0;
        res.set_content(state.transcript(from), "text/plain; charset=utf-8");
    });
    http.Post("/api/input", [this](const httplib::Request& req, httplib::Response& res) { input(req, res); });
    http.Get("/api/events", [this](const httplib::Request& req, httplib::Response& res) { events(req, res); });
    http.Get("/api/drawing.svg", [this](const httplib::Request&, httplib::Response& res) { picture(res); });
    http.Get("/api/download", [this](const httplib::Request& req, httplib::Response& res) { download(req, res); });
    http.Get("/api/snap", [this](const httplib::Request& req, httplib::Response& res) { snap(req, res); });
    http.Post("/api/trial", [this](const httplib::Request& req, httplib::Response& res) { trial(req, res); });
    http.Post("/api/palette/close", [this](const httplib::Request&, httplib::Response& res) { closePalette(res); });
    http.Post("/api/open", [this](const httplib::Request& req, httplib::Response& res) { drawingFile(req, res, false); });
    http.Post("/api/save", [this](const httplib::Request& req, httplib::Response& res) { drawingFile(req, res, true); });
}

void WebServer::Impl::input(const httplib::Request& req, httplib::Response& res) {
    std::string why;
    if (!inputLineAcceptable(req.body, why)) return refuse(res, 400, why);
    std::function<void()> before;
    if (req.has_param("view")) {
        const std::optional<std::array<double, 5>> v = parseView(req.get_param_value("view"));
        if (!v) return refuse(res, 400, "view is cx,cy,height,widthPx,heightPx with a positive height and size");
        before = [v = *v] {
            host::gi::View& view = host::drawingView();
            view.setWindowSize(int(v[3]), int(v[4]));
            view.setHeight(v[2]);
            view.setCenter(AcGePoint2d(v[0], v[1]));
        };
    }
    std::future<std::uint64_t> taken = queue.postLine(host::fromUtf8(req.body), std::move(before));
    if (!awaitHost(taken, res)) return;
    const std::uint64_t seq = taken.get();
    if (seq == 0) return refuse(res, 503, "the host has stopped");
    reply(res, 200, "{\"ok\":true,\"seq\":" + std::to_string(seq) + "}");
}

void WebServer::Impl::events(const httplib::Request& req, httplib::Response& res) {
    std::string from = req.get_header_value("Last-Event-ID");
    if (from.empty() && req.has_param("after")) from = req.get_param_value("after");
    auto last = std::make_shared<std::uint64_t>(from.empty() ? hub.lastId() : std::strtoull(from.c_str(), nullptr, 10));
    res.set_header("Cache-Control", "no-store");
    res.set_chunked_content_provider("text/event-stream", [this, last](size_t, httplib::DataSink& sink) {
        const std::vector<HubEvent> events = hub.after(*last, 10000);
        if (hub.closed()) {
            sink.done();
            return false;
        }
        std::string text = events.empty() ? std::string(": idle\n\n") : std::string();
        for (const HubEvent& e : events) {
            text += sseText(e);
            *last = e.id;
        }
        return sink.write(text.data(), text.size());
    });
}

void WebServer::Impl::picture(httplib::Response& res) {
    auto picture = std::make_shared<DrawingPicture>();
    auto error = std::make_shared<std::wstring>();
    auto ok = std::make_shared<bool>(false);
    std::future<void> done = queue.runOnHost([=, this] {
        AcApDocument* doc = acDocManager->curDocument();
        if (!doc) {
            *error = L"no drawing is open";
            return;
        }
        *ok = drawingSvg(doc->database(), *picture, *error);
        if (*ok) {
            shown = *picture;
            shown.svg.clear();
        }
    });
    if (!awaitHost(done, res)) return;
    if (!*ok) return refuse(res, 500, host::toUtf8(*error));
    char window[200];
    std::snprintf(window, sizeof window, "%.17g %.17g %.17g %.17g", picture->x1, picture->y1, picture->x2, picture->y2);
    res.set_header("X-Lintaro-Window", window);
    res.set_header("X-Lintaro-Revision", std::to_string(state.revision()));
    res.set_header("Cache-Control", "no-store");
    res.set_content(picture->svg, "image/svg+xml");
}

void WebServer::Impl::download(const httplib::Request& req, httplib::Response& res) {
    const std::string format = req.get_param_value("format");
    auto bytes = std::make_shared<std::string>();
    auto error = std::make_shared<std::wstring>();
    auto name = std::make_shared<std::string>("drawing");
    auto ok = std::make_shared<bool>(false);
    std::future<void> done = queue.runOnHost([=] {
        AcApDocument* doc = acDocManager->curDocument();
        if (doc) *name = std::filesystem::path(host::toUtf8(doc->fileName())).stem().string();
        *ok = drawingFileBytes(doc ? doc->database() : nullptr, format, *bytes, *error);
    });
    if (!awaitHost(done, res)) return;
    if (!*ok) return refuse(res, format == "dwg" || format == "dxf" || format == "png" || format == "pdf" || format == "svg" ? 500 : 400,
                            host::toUtf8(*error));
    if (name->empty()) *name = "drawing";
    res.set_header("Content-Disposition", "attachment; filename=\"" + *name + "." + format + "\"");
    res.set_content(std::move(*bytes), formatMimeType(format));
}

void WebServer::Impl::drawingFile(const httplib::Request& req, httplib::Response& res, bool save) {
    std::wstring path;
    if (req.has_param("path") || !save) {
        std::string why;
        const std::optional<std::filesystem::path> inside = pathInside(root, req.get_param_value("path"), why);
        if (!inside) return refuse(res, 403, why);
        path = host::fromUtf8(inside->string());
    }
    auto error = std::make_shared<std::wstring>();
    auto ok = std::make_shared<bool>(false);
    auto busy = std::make_shared<bool>(false);
    std::future<void> done = queue.runOnHost([=, this] {
        // A drawing is opened or saved only between commands, never under one.
        if (host::commandLine().depth() > 0) {
            *busy = true;
            *error = L"a command is running: finish or cancel it first";
            return;
        }
        *ok = save ? hooks.save(path, *error) : hooks.open(path, *error);
        state.hostWaiting();
    });
    if (!awaitHost(done, res)) return;
    if (!*ok) return refuse(res, *busy ? 409 : 422, host::toUtf8(*error));
    reply(res, 200, "{\"ok\":true}");
}

namespace {
// The request's parameters of those names as finite numbers; false when one is not.
template <size_t N> bool numberParams(const httplib::Request& req, const char* const (&names)[N], double (&v)[N]) {
    for (size_t i = 0; i < N; ++i) {
        char* end = nullptr;
        const std::string text = req.get_param_value(names[i]);
        v[i] = std::strtod(text.c_str(), &end);
        if (text.empty() || *end != '\0' || !std::isfinite(v[i])) return false;
    }
    return true;
}
} // namespace

void WebServer::Impl::closePalette(httplib::Response& res) {
    auto why = std::make_shared<std::string>();
    std::future<void> done = queue.runOnHost([=, this] {
        CWnd* palette = host::mfc::paletteWindow();
        // As its close box: between commands only, the palette's work may be under way.
        if (!palette) {
            *why = "the palette is not open";
        } else if (host::commandLine().depth() > 0) {
            *why = "a command is running: finish or cancel it first";
        } else {
            palette->SendMessage(WM_CLOSE);
            state.hostWaiting();
        }
    });
    if (!awaitHost(done, res)) return;
    if (!why->empty()) return refuse(res, 409, *why);
    reply(res, 200, "{\"ok\":true}");
}

void WebServer::Impl::snap(const httplib::Request& req, httplib::Response& res) {
    double v[3] = {};
    if (!numberParams(req, {"x", "y", "r"}, v)) return refuse(res, 400, "snap needs x, y and r as numbers");
    auto found = std::make_shared<std::optional<SnapPoint>>();
    std::future<void> done = queue.runOnHost([=, this] {
        AcApDocument* doc = acDocManager->curDocument();
        if (!doc) return;
        if (snapRevision != state.revision() || snapDatabase != doc->database()) {
            host::gi::GiRecording primitives;
            std::wstring error;
            snapSegments.clear();
            if (host::render::recordModelSpace(doc->database(), primitives, error, false))
                snapSegments = serve::snapSegments(primitives);
            snapRevision = state.revision();
            snapDatabase = doc->database();
        }
        *found = nearestSnap(snapSegments, v[0], v[1], v[2]);
    });
    if (!awaitHost(done, res)) return;
    if (!*found) return reply(res, 200, "{\"snap\":null}");
    char text[160];
    std::snprintf(text, sizeof text, "{\"snap\":{\"x\":%.17g,\"y\":%.17g,\"kind\":\"%s\"}}", (*found)->x, (*found)->y,
                  snapKindName((*found)->kind));
    reply(res, 200, text);
}

void WebServer::Impl::trial(const httplib::Request& req, httplib::Response& res) {
    double v[2] = {};
    if (!numberParams(req, {"x", "y"}, v)) return refuse(res, 400, "a trial point needs x and y as numbers");
    {
        std::lock_guard<std::mutex> lock(trialMutex);
        trialPoint = std::array<double, 2>{v[0], v[1]};
    }
    auto dragging = std::make_shared<bool>(false);
    auto skipped = std::make_shared<bool>(false);
    auto preview = std::make_shared<DrawingPicture>();
    auto drawn = std::make_shared<bool>(false);
    std::future<void> done = queue.runOnHost([=, this] {
        std::optional<std::array<double, 2>> at;
        {
            std::lock_guard<std::mutex> lock(trialMutex);
            at.swap(trialPoint);
        }
        *skipped = !at; // an earlier trial took this point, or a newer one
        if (!at) return;
        AcApDocument* doc = acDocManager->curDocument();
        AcDbDatabase* db = doc ? doc->database() : nullptr;
        *dragging = host::tryJigPoint(AcGePoint3d((*at)[0], (*at)[1], 0), [&](AcDbEntity* entity) {
            std::wstring error;
            *drawn = entity && entitySvg(entity, db, shown, *preview, error);
        });
    });
    if (!awaitHost(done, res)) return;
    if (*skipped) return reply(res, 200, "{\"skipped\":true,\"preview\":null}");
    if (!*drawn) return reply(res, 200, std::string("{\"dragging\":") + (*dragging ? "true" : "false") + ",\"preview\":null}");
    char window[200];
    std::snprintf(window, sizeof window, "[%.17g,%.17g,%.17g,%.17g]", preview->x1, preview->y1, preview->x2, preview->y2);
    reply(res, 200, std::string("{\"dragging\":true,\"preview\":{\"window\":") + window +
                        ",\"svg\":" + jsonString(preview->svg) + "}}");
}

WebServer::WebServer(HostQueue& queue, EventHub& hub, ServeState& state, std::filesystem::path root,
                     std::string token, DrawingHooks hooks)
    : m_impl(std::make_unique<Impl>(queue, hub, state, std::move(root), std::move(token), std::move(hooks))) {
    m_impl->routes();
}

WebServer::~WebServer() {
    stop();
}

int WebServer::bind(int port, std::string& error) {
    // The library listens with a backlog of 5, too short for a burst of page requests:
    // the listening socket is asked for a longer queue once it listens.
    auto listening = std::make_shared<int>(-1);
    m_impl->http.set_socket_options([listening](socket_t sock) {
        httplib::default_socket_options(sock);
        *listening = sock;
    });
    const int bound = port == 0 ? m_impl->http.bind_to_any_port("127.0.0.1")
                                : (m_impl->http.bind_to_port("127.0.0.1", port) ? port : -1);
    if (bound < 0) error = "cannot listen on 127.0.0.1:" + std::to_string(port) + " (in use, or not allowed)";
    if (bound >= 0 && *listening >= 0) ::listen(*listening, SOMAXCONN);
    m_impl->port = bound;
    return bound;
}

void WebServer::start() {
    m_thread = std::thread([this] { m_impl->http.listen_after_bind(); });
}

void WebServer::stop() {
    m_impl->hub.close();
    m_impl->http.stop();
    if (m_thread.joinable()) m_thread.join();
}

std::string WebServer::address() const {
    return "http://127.0.0.1:" + std::to_string(m_impl->port) + "/?token=" + m_impl->token;
}

} // namespace serve
