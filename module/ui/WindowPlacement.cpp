#include "module/ui/WindowPlacement.h"

#include "host/mfc/CWnd.h"
#include "host/win/FormatW.h"
#include "module/base/LintaroLog.h"
#include "module/options/IniStorage.h"

#include <cwchar>

namespace {
// No screen is wider or taller than this: a larger value is a damaged entry.
constexpr int kLargestWindow = 20000;
} // namespace

void SaveWindowPlacement(const CWnd& window, const wchar_t* key) {
    if (!window.m_hWnd || window.IsIconic()) return;
    RECT r;
    window.GetWindowRect(&r);
    SetIniGeneral(key, host::FormatW(L"%d,%d,%d,%d,%d", static_cast<int>(r.left), static_cast<int>(r.top),
                                     static_cast<int>(r.right - r.left), static_cast<int>(r.bottom - r.top),
                                     window.IsZoomed() ? 1 : 0));
}

bool RestoreWindowPlacement(CWnd& window, const wchar_t* key) {
    const std::wstring saved = GetIniGeneral(key);
    int left = 0, top = 0, width = 0, height = 0, maximised = 0;
    if (saved.empty()) return false;
    if (std::swscanf(saved.c_str(), L"%d,%d,%d,%d,%d", &left, &top, &width, &height, &maximised) < 4 ||
        width <= 0 || height <= 0 || width > kLargestWindow || height > kLargestWindow) {
        LogFmt(L"\nRestoreWindowPlacement: %s=%s ", key, saved.c_str());
        return false;
    }
    window.MoveWindow(left, top, width, height);
    return true;
}
