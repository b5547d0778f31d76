#include "shell/ReplaceReport.h"

#include "host/win/Utf8.h"

#include <algorithm>
#include <cstdio>

namespace shell {

namespace {

constexpr int kBarWidth = 24;

const char* statusText(DrawingStatus status) {
    switch (status) {
    case DrawingStatus::Changed:
        return "changed";
    case DrawingStatus::Unchanged:
        return "unchanged";
    case DrawingStatus::ReadFailed:
        return "NOT READ";
    case DrawingStatus::SaveFailed:
        return "NOT SAVED";
    case DrawingStatus::NotReached:
        return "not reached";
    }
    return "?";
}

} // namespace

std::string baseName(const std::string& path) {
    const size_t cut = path.find_last_of("/\\");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

void ReplaceProgress::bar(const std::string& file) {
    const int filled = m_total > 0 ? m_done * kBarWidth / m_total : kBarWidth;
    std::string shown = baseName(file);
    if (shown.size() > 32) shown = shown.substr(0, 29) + "...";
    std::printf("\r[%s%s] %d/%d %-32s changes: %d\x1b[K", std::string(static_cast<size_t>(filled), '#').c_str(),
                std::string(static_cast<size_t>(kBarWidth - filled), '.').c_str(), m_done + 1 > m_total ? m_total : m_done + 1,
                m_total, shown.c_str(), m_changes);
    std::fflush(stdout);
}

void ReplaceProgress::starting(const std::string& file) {
    if (m_terminal) bar(file);
}

void ReplaceProgress::finished(const DrawingOutcome& outcome) {
    ++m_done;
    m_changes += outcome.texts;
    if (m_terminal) {
        bar(outcome.file);
        return;
    }
    std::printf("%d/%d %s: %s, %d changes so far\n", m_done, m_total, baseName(outcome.file).c_str(),
                statusText(outcome.status), m_changes);
    std::fflush(stdout);
}

void ReplaceProgress::done() {
    if (m_terminal && m_done > 0) std::printf("\n");
    std::fflush(stdout);
}

void printReplaceSummary(const std::vector<DrawingOutcome>& outcomes, bool interrupted) {
    size_t width = 7;
    for (const DrawingOutcome& o : outcomes)
        width = std::max(width, o.file.size());
    width = std::min<size_t>(width, 72);
    const int w = static_cast<int>(width);
    std::printf("\n%-*s  %-11s  %6s  %7s\n", w, "Drawing", "Result", "Texts", "Objects");
    std::printf("%s\n", std::string(width + 32, '-').c_str());
    int counts[5] = {0, 0, 0, 0, 0};
    int texts = 0, objects = 0;
    for (const DrawingOutcome& o : outcomes) {
        ++counts[static_cast<int>(o.status)];
        texts += o.texts;
        objects += o.objects;
        std::printf("%-*s  %-11s  %6d  %7d\n", w, o.file.c_str(), statusText(o.status), o.texts, o.objects);
        if (!o.message.empty()) std::printf("%-*s    %s\n", w, "", host::toUtf8(o.message).c_str());
    }
    std::printf("%s\n", std::string(width + 32, '-').c_str());
    std::printf("%zu drawings: %d changed, %d unchanged, %d not read, %d not saved; %d texts in %d objects\n",
                outcomes.size(), counts[0], counts[1], counts[2], counts[3], texts, objects);
    if (interrupted)
        std::printf("Stopped by Ctrl-C: %d drawings not reached are untouched; every drawing is either fully "
                    "replaced or as it was.\n",
                    counts[4]);
    std::fflush(stdout);
}

} // namespace shell
