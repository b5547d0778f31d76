#include "host/ed/input/HostInput.h"

#include "host/ed/input/InputParse.h"
#include "host/ed/input/JigTrial.h"
#include "host/win/FormatW.h"
#include "host/win/WinKeyState.h"
#include "host/win/Transcript.h"

#include <cwctype>

namespace host {

namespace {
// Enter once, then Cancel this many times, then the command is ended by force.
constexpr int kCancelsAfterEnd = 20;

// Counts one more for its lifetime, also when left by an exception.
class Counted {
public:
    explicit Counted(int& count) : m_count(count) { ++m_count; }
    ~Counted() { --m_count; }
    Counted(const Counted&) = delete;
    Counted& operator=(const Counted&) = delete;

private:
    int& m_count;
};

bool isEscWord(const std::wstring& t) {
    return t.size() == 3 && std::towupper(t[0]) == L'E' && std::towupper(t[1]) == L'S' &&
           std::towupper(t[2]) == L'C';
}
} // namespace

std::optional<InputItem> classifyLine(const std::wstring& line, std::wstring* event) {
    if (event) event->clear();
    const std::wstring t = trimmed(line);
    if (t.empty()) return InputItem{InputKind::Enter, L""};
    if (t[0] == L';') return std::nullopt;
    if (t[0] == L'@' && t.size() > 1 && t[1] < 0x80 && std::iswalpha(t[1])) {
        if (event) *event = t.substr(1);
        return std::nullopt;
    }
    if (isEscWord(t) || t.find(L'\x1b') != std::wstring::npos) return InputItem{InputKind::Cancel, L""};
    return InputItem{InputKind::Text, t};
}

std::vector<InputItem> postedWords(const std::wstring& text) {
    std::vector<InputItem> words;
    std::wstring word;
    bool pending = false; // characters since the last word end
    for (wchar_t c : text) {
        if (c == L'\x1b') {
            // ESC throws away what was typed and cancels.
            word.clear();
            pending = false;
            words.push_back(InputItem{InputKind::Cancel, L""});
        } else if (c == L' ' || c == L'\n' || c == L'\r') {
            words.push_back(word.empty() ? InputItem{InputKind::Enter, L""} : InputItem{InputKind::Text, word});
            word.clear();
            pending = false;
        } else {
            word.push_back(c);
            pending = true;
        }
    }
    if (pending && !word.empty()) words.push_back(InputItem{InputKind::Text, word});
    return words;
}

void HostInput::pushSource(std::unique_ptr<InputSource> source) {
    if (!source) return;
    // A line read ahead belongs to the source below: it goes back under the new one.
    if (m_peeked) {
        m_sources.push_back(std::make_unique<ScriptSource>(*m_peeked, L""));
        m_peeked.reset();
    }
    m_sources.push_back(std::move(source));
}

void HostInput::clearSources() {
    m_sources.clear();
    m_peeked.reset();
}

bool HostInput::isInteractive() const { return !m_sources.empty() && m_sources.back()->isInteractive(); }

void HostInput::reset() {
    clearSources();
    m_prompt.clear();
    m_ready.clear();
    m_held.clear();
    m_cancels = 0;
    m_depth = 0;
    m_handling = 0;
    m_exhausted = 0;
    m_cancelsRead = 0;
}

std::optional<std::wstring> HostInput::rawLine() {
    if (m_peeked) {
        std::optional<std::wstring> l = std::move(m_peeked);
        m_peeked.reset();
        return l;
    }
    while (!m_sources.empty()) {
        if (std::optional<std::wstring> l = m_sources.back()->readLine()) return l;
        m_sources.pop_back();
    }
    return std::nullopt;
}

void HostInput::echo(const InputItem& item, bool always) {
    if (item.kind == InputKind::Cancel) {
        transcriptWrite(L"*Cancel*");
        return;
    }
    if (item.kind == InputKind::Text && (always || (m_echo && !isInteractive()))) transcriptWrite(item.text);
}

void HostInput::onEvent(const std::wstring& event) {
    // What the event's work asks (a palette button that selects) is not what the wait
    // that received it asks: that prompt comes back afterwards.
    const std::wstring waiting = m_prompt;
    // Held keys belong to the host itself, whatever else listens to events.
    bool taken = handleKeyEvent(event);
    if (!taken && m_eventHandler) {
        const Counted handling(m_handling);
        try {
            taken = m_eventHandler(event);
        } catch (...) {
            taken = false;
        }
    }
    if (!taken) transcriptWrite(FormatW(L"\nlintaro: nothing is waiting for \"@%s\" - ignored.", event.c_str()));
    m_prompt = waiting;
    reprompt(); // the wait goes on: show what is asked again
}

void HostInput::reprompt() {
    if (!m_prompt.empty()) transcriptWrite(m_prompt.front() == L'\n' ? m_prompt : L"\n" + m_prompt);
}

void HostInput::prompt(const std::wstring& text) {
    m_prompt = text;
    transcriptWrite(text);
}

std::optional<InputItem> HostInput::fromPosted() {
    if (m_cancels > 0) {
        --m_cancels;
        return InputItem{InputKind::Cancel, L""};
    }
    if (m_ready.empty()) return std::nullopt;
    InputItem item = std::move(m_ready.front());
    m_ready.pop_front();
    return item;
}

std::optional<InputItem> HostInput::fromSource(bool atPrompt) {
    for (;;) {
        std::optional<std::wstring> line = rawLine();
        if (!line) return std::nullopt;
        std::wstring event;
        std::optional<InputItem> item = classifyLine(*line, &event);
        if (!event.empty()) {
            onEvent(event);
            // The event may have posted input (a palette button starts a command).
            if (std::optional<InputItem> posted = fromPosted()) return posted;
            continue;
        }
        if (!item) continue; // comment
        if (!atPrompt && item->kind == InputKind::Text && item->text[0] == L'\'' && m_transparent) {
            echo(*item, false);
            const Counted handling(m_handling);
            if (m_transparent(item->text)) continue;
        }
        return item;
    }
}

InputItem HostInput::readAtCommandPrompt() {
    // Whatever was posted during the last command is due now.
    while (!m_held.empty()) {
        m_ready.push_back(std::move(m_held.front()));
        m_held.pop_front();
    }
    m_exhausted = 0;
    if (std::optional<InputItem> posted = fromPosted()) {
        echo(*posted, true);
        if (posted->kind == InputKind::Cancel) ++m_cancelsRead;
        return *posted;
    }
    std::optional<InputItem> item = fromSource(true);
    if (!item) return InputItem{InputKind::End, L""};
    echo(*item, false);
    if (item->kind == InputKind::Cancel) ++m_cancelsRead;
    return *item;
}

InputItem HostInput::readAnswer() {
    // A jig's sampler trying the cursor's point reads nothing: the next line is the
    // answer to the wait the trial interrupted.
    if (jigTrialRunning()) return InputItem{InputKind::Cancel, L""};
    std::optional<InputItem> item = fromPosted();
    const bool posted = item.has_value();
    if (!item) item = fromSource(false);
    if (!item) {
        // The input has ended while a command still asks.
        ++m_exhausted;
        if (m_exhausted > kCancelsAfterEnd + 1) throw InputExhausted{};
        item = m_exhausted == 1 ? InputItem{InputKind::Enter, L""} : InputItem{InputKind::Cancel, L""};
    }
    echo(*item, posted);
    if (item->kind == InputKind::Cancel) ++m_cancelsRead;
    return *item;
}

void HostInput::post(const std::wstring& text) {
    for (InputItem& w : postedWords(text)) {
        if (m_depth > 0 && w.kind == InputKind::Cancel)
            ++m_cancels; // cancels the prompt that is up now
        else if (m_depth > 0)
            m_held.push_back(std::move(w));
        else
            m_ready.push_back(std::move(w));
    }
}

bool HostInput::takeUserBreak() {
    if (m_cancels > 0) {
        --m_cancels;
        return true;
    }
    if (isInteractive()) return m_sources.back()->takeBreak();
    for (;;) {
        std::optional<std::wstring> line = rawLine();
        if (!line) return false;
        std::wstring event;
        std::optional<InputItem> item = classifyLine(*line, &event);
        if (event.empty() && !item) continue; // a comment
        if (event.empty() && item->kind == InputKind::Cancel) return true;
        m_peeked = std::move(line);
        return false;
    }
}

std::optional<std::wstring> HostInput::nextUiEvent() {
    for (;;) {
        std::optional<std::wstring> line = rawLine();
        if (!line) return std::nullopt;
        std::wstring event;
        std::optional<InputItem> item = classifyLine(*line, &event);
        if (!event.empty()) return event;
        if (!item) continue; // a comment between the dialog's answers
        m_peeked = std::move(line);
        return std::nullopt;
    }
}

HostInput& hostInput() {
    static HostInput input;
    return input;
}

} // namespace host
