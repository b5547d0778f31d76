#pragma once
// The right-click menu and its operations belong to the palette's side (module/ui);
// the module's entry registers the message filter and its AutoLISP function
// "C:XOTA_LintaroPopUp" (chains) and "C:XOTA_LintaroPopUpH" (height marks) run the
// chosen operation through these, which ui implements.
#include "host/win/WinMsg.h"

// The message filter: 1 swallows the message, 0 passes it on.
BOOL filterProc(MSG* pMsg);
// Runs the pending context operation on a chain (or a marked host object); RTNORM.
int XOTA_OnPopupVargo();
// Runs the pending context operation on a height mark; RTNORM.
int XOTA_OnPopupMHDim();
