#pragma once
// The module's entry point and lifecycle: what happens between the host loading the
// module and unloading it.
#include "host/rx/AcRx.h"

// The host calls this for every application message; it answers kRetOK always.
extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* pkt);
// The module's exit, long after kUnloadAppMsg (the module-lifetime object's end).
extern "C" void lintaroModuleExit();

// "2.3.3" and (minor + major * 10) * 100 + build = 2303.
const wchar_t* GetProgramVersion();
int GetProgramVersionNumber();

// True before kInitAppMsg and after the unload sequence: the module then ignores
// what reaches it.
bool IsModuleStopped();

// The module's AutoLISP dispatch for kInvkSubrMsg: RSRSLT when the function returned
// RTNORM, RSERR otherwise, RTERROR for a code outside the table.
int DispatchLispFunction();
