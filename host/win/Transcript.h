#pragma once
// The host's transcript: the command line's text output. Prompts, acutPrintf and the
// texts of message boxes all go through one sink so that they land in order.
#include <functional>
#include <string>

namespace host {

using TranscriptSink = std::function<void(const std::wstring&)>;

// Writes the text as it stands (no newline is added).
void transcriptWrite(const std::wstring& text);

// Installs a sink and returns the previous one. An empty sink restores the default,
// which writes UTF-8 to stdout and flushes, so the transcript interleaves correctly
// with anything else the process prints.
TranscriptSink setTranscriptSink(TranscriptSink sink);

// Collects the transcript for the lifetime of the object (tests); restores the
// previous sink when destroyed.
class TranscriptCapture {
public:
    TranscriptCapture();
    ~TranscriptCapture();
    TranscriptCapture(const TranscriptCapture&) = delete;
    TranscriptCapture& operator=(const TranscriptCapture&) = delete;

    const std::wstring& text() const { return m_text; }
    void clear() { m_text.clear(); }

private:
    std::wstring m_text;
    TranscriptSink m_previous;
};

} // namespace host
