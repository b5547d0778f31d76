#pragma once
// What the shell calls in the add-on: its entry point (the host's application
// messages) and its exit (standing for the module-lifetime object's destruction at
// FreeLibrary). The add-on defines them in module/app/LintaroApp.cpp.
#include "host/rx/AcRx.h"

extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* pkt);
extern "C" void lintaroModuleExit();
// "2.3.3"
const wchar_t* GetProgramVersion();

namespace shell {
// The file name the module is known by to the host.
inline constexpr const wchar_t* kModuleFileName = L"lintaro.arx";
} // namespace shell
