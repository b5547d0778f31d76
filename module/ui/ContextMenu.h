#pragma once
// The right-click context menu: the message filter remembers the object under the
// cursor when the right button goes down, classifies it when the button comes up and
// starts a one-shot timer; the timer procedure shows the menu for the object's kind and
// hands the chosen item to the popup command, which runs it in command context.
#include "host/db/database/AcDbObjectId.h"
#include "host/win/WinMsg.h"
#include "module/app/ContextMenuPort.h"

// The timer of the context menu, on the drawing view.
inline constexpr UINT_PTR kContextMenuTimerId = 123456;
inline constexpr UINT kContextMenuTimerPeriod = 100;

// filterProc (module/app/ContextMenuPort.h) is registered with acedRegisterFilterWinMsg.
// The timer procedure: runs once per right click (it kills its timer at the first tick).
void timerProc(HWND hWnd, UINT nMsg, UINT_PTR nIDEvent, DWORD dwTime);

// The object's kind for the menu: 100 + type for a chain (sub-type its kind), 200 +
// type for a section height mark, 250/251 for a group base, 300 + type for a plan mark
// (sub-type the mark's role); 0 with sub-type 60, 50 or 10 for a host radial or
// diametric dimension, another dimension or a text that carries the module's mark; 0
// with sub-type 0 for anything else and for an object that cannot be opened.
int GetObjectType(AcDbObjectId objectId, int& subType);

// The menu resource for a kind (0 when there is none) and the palette mode it selects.
int ContextMenuResource(int type, int subType, int& paletteMode);

// The object the filter remembers (null when none).
AcDbObjectId ContextMenuObject();
