#pragma once
// The module's diagnostic log, message boxes and string loading.
#include "host/win/WinTypes.h"

#include <cstdarg>
#include <ctime>
#include <string>

// Appends to "Lintaro.log" in the temporary folder when General Info "DebugMsg" is 1
// (off until the options exist). The first line of a run shows the log's path once.
void LogMsg(const wchar_t* text);
// The options own "DebugMsg", and they sit above the log: they hand it the question
// whether it is on. Null (the start) keeps the log off.
void SetLogSwitch(bool (*isOn)());
void LogFmt(const wchar_t* format, ...);
// At module exit: a log covers one run.
void DeleteLogFile();

// Formats as wvsprintfW does: Windows rules, at most 1023 characters.
std::wstring FormatLimited(const wchar_t* format, va_list args);

// Information box (title "lintaro"); an empty text shows nothing.
void MsgBox(const wchar_t* text, HWND parent = nullptr);
void MsgBox(UINT stringId, HWND parent = nullptr);
void MsgBoxFmt(const wchar_t* format, ...);
// Yes/No question (title "lintaro"); true only for Yes.
bool AskYesNo(const wchar_t* text, HWND parent = nullptr);
bool AskYesNo(UINT stringId, HWND parent = nullptr);
bool AskYesNoFmt(const wchar_t* format, ...);

// The text of a string resource from the language module (or the module's own table,
// also for strings the language module lacks); empty for an unknown id. Returns the
// module's static buffer: the next call overwrites it, so copy at once.
const wchar_t* LoadStr(UINT stringId);

// Stopwatch that writes "\n  >> %s: %.3f sec. " to the log when stopped or destroyed.
class CTimeLog {
public:
    explicit CTimeLog(const wchar_t* label = nullptr);
    ~CTimeLog();
    void Start(const wchar_t* label);
    void Stop();

private:
    std::clock_t m_start = 0;
    std::wstring m_label;
    bool m_running = false;
    bool m_hasLabel = false;
};
