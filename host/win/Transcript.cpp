#include "host/win/Transcript.h"

#include "host/win/Utf8.h"

#include <cstdio>
#include <utility>

namespace host {

namespace {

void writeStdout(const std::wstring& text) {
    const std::string bytes = toUtf8(text);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    std::fflush(stdout);
}

TranscriptSink& currentSink() {
    static TranscriptSink sink;
    return sink;
}

} // namespace

void transcriptWrite(const std::wstring& text) {
    if (text.empty()) return;
    // Copy the sink first: a sink that prints may itself replace the sink.
    TranscriptSink sink = currentSink();
    if (sink)
        sink(text);
    else
        writeStdout(text);
}

TranscriptSink setTranscriptSink(TranscriptSink sink) {
    return std::exchange(currentSink(), std::move(sink));
}

TranscriptCapture::TranscriptCapture() {
    m_previous = setTranscriptSink([this](const std::wstring& t) { m_text += t; });
}

TranscriptCapture::~TranscriptCapture() {
    setTranscriptSink(std::move(m_previous));
}

} // namespace host
