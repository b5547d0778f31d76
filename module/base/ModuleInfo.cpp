#include "module/base/ModuleInfo.h"

#include "host/win/FormatW.h"

#include <string>

namespace {

constexpr int kVersionMajor = 2;
constexpr int kVersionMinor = 3;
constexpr int kVersionBuild = 3;

// Stopped before kInitAppMsg and after unloading: nothing runs then.
bool g_stopped = true;

} // namespace

const wchar_t* GetProgramVersion() {
    static const std::wstring text = host::FormatW(L"%d.%d.%d", kVersionMajor, kVersionMinor, kVersionBuild);
    return text.c_str();
}

int GetProgramVersionNumber() { return (kVersionMinor + kVersionMajor * 10) * 100 + kVersionBuild; }

bool IsModuleStopped() { return g_stopped; }

void SetModuleStopped(bool stopped) { g_stopped = stopped; }
