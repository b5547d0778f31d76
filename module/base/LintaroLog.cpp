#include "module/base/LintaroLog.h"

#include "host/win/FormatW.h"
#include "host/win/Utf8.h"
#include "host/win/WinFiles.h"
#include "module/base/FilePaths.h"

#include <cstdarg>
#include <cstdio>
#include <cwchar>

namespace {

// wvsprintfW writes at most 1024 characters with the terminating 0.
constexpr size_t kMaxFormatted = 1023;

struct LogState {
    std::wstring path;
    bool (*isOn)() = nullptr;
};

LogState& logState() {
    static LogState state;
    return state;
}

bool logOn() {
    const LogState& log = logState();
    return log.isOn && log.isOn();
}

std::wstring logPath() {
    wchar_t buf[MAX_PATH];
    const DWORD n = GetTempPathW(MAX_PATH, buf);
    const std::wstring folder = (n > 0 && n < MAX_PATH) ? std::wstring(buf, n) : std::wstring();
    return WithSeparator(folder) + L"Lintaro.log";
}

} // namespace

std::wstring FormatLimited(const wchar_t* format, va_list args) {
    std::wstring text = host::FormatV(format, args);
    if (text.size() > kMaxFormatted) text.resize(kMaxFormatted);
    return text;
}

void SetLogSwitch(bool (*isOn)()) {
    logState().isOn = isOn;
}

void LogMsg(const wchar_t* text) {
    if (!text || !logOn()) return;
    LogState& log = logState();
    if (log.path.empty()) {
        log.path = logPath();
        // Once per run, so the user knows where the trace goes.
        MsgBox(log.path.c_str());
    }
    FILE* f = _wfopen(log.path.c_str(), L"a");
    if (!f) return;
    const int length = static_cast<int>(std::wcslen(text));
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    if (size > 0) WideCharToMultiByte(CP_UTF8, 0, text, length, bytes.data(), size, nullptr, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

void LogFmt(const wchar_t* format, ...) {
    if (!format || !logOn()) return;
    va_list ap;
    va_start(ap, format);
    const std::wstring text = FormatLimited(format, ap);
    va_end(ap);
    LogMsg(text.c_str());
}

void DeleteLogFile() {
    LogState& log = logState();
    const std::wstring path = log.path.empty() ? logPath() : log.path;
    log.path.clear();
    if (!FileExists(path)) return;
    if (_wremove(path.c_str()) != 0) MsgBoxFmt(L"\nFile %s cannot be removed...", path.c_str());
}

CTimeLog::CTimeLog(const wchar_t* label) {
    if (label) Start(label);
}

CTimeLog::~CTimeLog() {
    Stop();
}

void CTimeLog::Start(const wchar_t* label) {
    if (m_running) Stop();
    // The clock is a system call: not taken for a log that nobody writes.
    if (!logOn()) return;
    m_hasLabel = label != nullptr;
    m_label = label ? label : L"";
    m_start = std::clock();
    m_running = true;
}

void CTimeLog::Stop() {
    if (!m_running) return;
    m_running = false;
    const double seconds = static_cast<double>(std::clock() - m_start) / CLOCKS_PER_SEC;
    if (m_hasLabel)
        LogFmt(L"\n  >> %s: %.3f sec. ", m_label.c_str(), seconds);
    else
        LogFmt(L"\n  >> ??? %.2f sec ", seconds);
}
