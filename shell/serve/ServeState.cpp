#include "shell/serve/ServeState.h"

#include "host/ap/AcApDocManager.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbDatabaseReactor.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/ed/commands/CommandLine.h"
#include "host/ed/input/HostInput.h"
#include "host/ed/input/JigTrial.h"
#include "host/win/UiPalette.h"
#include "host/win/Utf8.h"
#include "shell/serve/JsonText.h"

namespace serve {

namespace {
// The transcript kept for pages that load late; older text is dropped first.
constexpr std::size_t kTranscriptKeep = std::size_t(8) << 20;
} // namespace

// Counts the changes of one drawing; forgets it when the drawing goes.
class ServeState::Reactor : public AcDbDatabaseReactor {
public:
    ~Reactor() override { detach(); }
    void attach(AcDbDatabase* db) {
        detach();
        m_db = db;
        if (m_db) m_db->addReactor(this);
    }
    void detach() {
        if (m_db) m_db->removeReactor(this);
        m_db = nullptr;
    }
    AcDbDatabase* database() const { return m_db; }
    std::uint64_t changes() const { return m_changes; }

    void objectAppended(const AcDbDatabase*, const AcDbObject*) override { ++m_changes; }
    void objectUnAppended(const AcDbDatabase*, const AcDbObject*) override { ++m_changes; }
    void objectReAppended(const AcDbDatabase*, const AcDbObject*) override { ++m_changes; }
    void objectModified(const AcDbDatabase*, const AcDbObject*) override { ++m_changes; }
    void objectErased(const AcDbDatabase*, const AcDbObject*, Adesk::Boolean) override { ++m_changes; }
    void goodbye(const AcDbDatabase* dwg) override {
        if (dwg == m_db) m_db = nullptr;
    }

private:
    AcDbDatabase* m_db = nullptr;
    std::uint64_t m_changes = 0;
};

ServeState::ServeState(EventHub& hub) : m_hub(hub), m_reactor(std::make_unique<Reactor>()) {}

ServeState::~ServeState() = default;

void ServeState::writeTranscript(const std::wstring& text) {
    const std::string utf8 = host::toUtf8(text);
    m_pending += utf8;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_transcript += utf8;
    if (m_transcript.size() > kTranscriptKeep) m_transcript.erase(0, m_transcript.size() - kTranscriptKeep / 2);
}

void ServeState::flushOutput() {
    if (m_pending.empty()) return;
    m_hub.publish("output", "{\"text\":" + jsonString(m_pending) + "}");
    m_pending.clear();
}

void ServeState::publish(const std::string& name, const std::string& json) {
    flushOutput();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (name == "dialog") m_dialog = json;
        if (name == "dialogEnd") m_dialog.clear();
        if (name == "menu") m_menu = json;
        if (name == "menuEnd") m_menu.clear();
        if (name == "box") m_box = json;
        if (name == "boxEnd") m_box.clear();
    }
    m_hub.publish(name, json);
}

void ServeState::followCurrentDrawing() {
    AcApDocument* doc = acDocManager->curDocument();
    AcDbDatabase* db = doc ? doc->database() : acdbHostApplicationServices()->workingDatabase();
    if (db == m_reactor->database()) return;
    m_reactor->attach(db);
    std::lock_guard<std::mutex> lock(m_mutex);
    ++m_revision; // another drawing is a changed picture
}

void ServeState::hostWaiting() {
    followCurrentDrawing();
    flushOutput();
    const std::string prompt = host::toUtf8(host::hostInput().lastPrompt());
    const bool busy = host::commandLine().depth() > 0;
    const bool dragging = host::waitingJig() != nullptr;
    const host::UiForm* palette = host::paletteForm();
    const std::string paletteNow = palette ? formJson(*palette) : std::string();
    bool changed = false, paletteChanged = false;
    std::uint64_t revision = 0;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_reactor->changes() != m_changesSeen) {
            m_changesSeen = m_reactor->changes();
            ++m_revision;
        }
        changed = m_revision != m_shownRevision;
        m_shownRevision = m_revision;
        revision = m_revision;
        paletteChanged = paletteNow != m_palette;
        m_palette = paletteNow;
        m_prompt = prompt;
        m_busy = busy;
        m_dragging = dragging;
    }
    if (changed) m_hub.publish("changed", "{\"revision\":" + std::to_string(revision) + "}");
    if (paletteChanged) m_hub.publish("palette", paletteNow.empty() ? "null" : paletteNow);
    m_hub.publish("prompt", "{\"prompt\":" + jsonString(prompt) + ",\"busy\":" + (busy ? "true" : "false") +
                              ",\"dragging\":" + (dragging ? "true" : "false") + "}");
}

std::string ServeState::transcript(std::size_t from) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return from < m_transcript.size() ? m_transcript.substr(from) : std::string();
}

std::uint64_t ServeState::revision() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_revision;
}

std::string ServeState::stateJson() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto orNull = [](const std::string& s) { return s.empty() ? std::string("null") : s; };
    return "{\"prompt\":" + jsonString(m_prompt) + ",\"revision\":" + std::to_string(m_revision) +
           ",\"busy\":" + (m_busy ? "true" : "false") +
           ",\"dragging\":" + (m_dragging ? "true" : "false") + ",\"palette\":" + orNull(m_palette) +
           ",\"dialog\":" + orNull(m_dialog) + ",\"menu\":" + orNull(m_menu) + ",\"box\":" + orNull(m_box) +
           ",\"lastEvent\":" + std::to_string(m_hub.lastId()) + "}";
}

} // namespace serve
