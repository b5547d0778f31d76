#pragma once
// What the pages see of the host: the transcript, the prompt, the drawing's revision
// (counted from the database's notifications), the palette, and the dialog, menu or
// box that is open. The host thread writes; server threads read a copy.
#include "shell/serve/EventHub.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

class AcDbDatabase;

namespace serve {

class ServeState {
public:
    explicit ServeState(EventHub& hub);
    ~ServeState();
    ServeState(const ServeState&) = delete;
    ServeState& operator=(const ServeState&) = delete;

    // Host thread. The transcript's sink: kept, and sent as "output" events.
    void writeTranscript(const std::wstring& text);
    // Host thread. The host waits for input: the pages get the output so far, the
    // prompt, a "changed" event when the drawing changed, the palette when it changed.
    void hostWaiting();
    // Host thread. Sends an event after the output written before it; remembers an
    // open dialog, menu or box for pages that load later ("dialogEnd" ... forget it).
    void publish(const std::string& name, const std::string& json);
    // Host thread. The drawing the pages show: attaches to the current drawing.
    void followCurrentDrawing();

    // Any thread. The transcript from byte `from` of its UTF-8 text.
    std::string transcript(std::size_t from) const;
    // Any thread. {"prompt":..., "revision":N, "busy":bool, "dragging":bool, "palette":..., "dialog":...,
    // "menu":..., "box":..., "lastEvent":N}; null for what is not open.
    std::string stateJson() const;
    std::uint64_t revision() const;

private:
    class Reactor;
    void flushOutput();

    EventHub& m_hub;
    std::unique_ptr<Reactor> m_reactor;
    std::string m_pending; // output not yet sent (host thread)
    mutable std::mutex m_mutex;
    std::string m_transcript;
    std::string m_prompt;
    std::string m_palette;
    std::string m_dialog, m_menu, m_box;
    bool m_busy = false;
    bool m_dragging = false; // a jig waits for its point
    std::uint64_t m_revision = 0;
    std::uint64_t m_changesSeen = 0;
    std::uint64_t m_shownRevision = 0;
};

} // namespace serve
