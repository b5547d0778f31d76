#pragma once
// The module's entry point and lifecycle: what happens between the host loading the
// module and unloading it.
#include "host/rx/AcRx.h"

// The host calls this for every application message; it answers kRetOK always.
extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* pkt);
// The module's exit, long after kUnloadAppMsg (the module-lifetime object's end).
extern "C" void lintaroModuleExit();

// The module's AutoLISP dispatch for kInvkSubrMsg: RSRSLT when the function returned
// RTNORM, RSERR otherwise, RTERROR for a code outside the table.
int DispatchLispFunction();
