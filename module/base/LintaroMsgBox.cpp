#include "module/base/LintaroLog.h"

#include "host/win/FormatW.h"
#include "host/win/WinMessageBox.h"
#include "host/win/WinWindows.h"

#include <cstdarg>
#include <string>

namespace {

constexpr const wchar_t* kTitle = L"lintaro";

// Without a parent the box belongs to the main window; a dialog that is active at the
// moment takes its place, so the box stays on top of it.
HWND boxParent(HWND given) {
    if (given) return given;
    return GetActiveWindow();
}

} // namespace

void MsgBox(const wchar_t* text, HWND parent) {
    if (!text || !*text) return;
    MessageBoxW(boxParent(parent), text, kTitle, MB_OK | MB_ICONINFORMATION);
}

void MsgBox(UINT stringId, HWND parent) {
    const std::wstring text = LoadStr(stringId);
    MsgBox(text.c_str(), parent);
}

void MsgBoxFmt(const wchar_t* format, ...) {
    if (!format) return;
    va_list ap;
    va_start(ap, format);
    const std::wstring text = FormatLimited(format, ap);
    va_end(ap);
    MsgBox(text.c_str());
}

bool AskYesNo(const wchar_t* text, HWND parent) {
    return MessageBoxW(boxParent(parent), text ? text : L"", kTitle, MB_ICONQUESTION | MB_YESNO) == IDYES;
}

bool AskYesNo(UINT stringId, HWND parent) {
    const std::wstring text = LoadStr(stringId);
    return AskYesNo(text.c_str(), parent);
}

bool AskYesNoFmt(const wchar_t* format, ...) {
    if (!format) return false;
    va_list ap;
    va_start(ap, format);
    const std::wstring text = FormatLimited(format, ap);
    va_end(ap);
    return AskYesNo(text.c_str());
}
