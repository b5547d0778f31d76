// Stand-ins for the add-on's entry points, so the program links while the add-on is
// being built. They are weak: the add-on's own definitions (linked whole) replace
// them. Without the add-on the host runs with no module commands.
#include "shell/ModuleEntry.h"

extern "C" __attribute__((weak)) AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode, void*) { return AcRx::kRetOK; }

extern "C" __attribute__((weak)) void lintaroModuleExit() {}

__attribute__((weak)) const wchar_t* GetProgramVersion() { return nullptr; }
