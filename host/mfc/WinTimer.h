#pragma once
// Timers as user32 keeps them. There is no clock here: a timer fires each time the
// host is idle (between input lines, and when a script has ended), which is when a
// real timer's WM_TIMER would be handled. A one-shot timer is one whose procedure
// kills it at its first tick, as Windows code does.
#include "host/win/WinTypes.h"

typedef void (*TIMERPROC)(HWND, UINT, UINT_PTR, DWORD);

// Starts (or restarts) timer `nIDEvent` of the window; returns the id, or 0 when there
// is no procedure to call (this host has no message queue to put WM_TIMER into).
// Without a window the host chooses a new id.
UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc);
// False when the window has no such timer.
BOOL KillTimer(HWND hWnd, UINT_PTR uIDEvent);

namespace host::mfc {
// Calls the procedure of every timer that runs now, once each, in the order they were
// set; a timer set by a procedure waits for the next idle time. Returns how many fired.
int fireTimers();
int timerCount();
// What the host does whenever it is idle: posted messages, then timers, then the
// messages those posted. Returns how much work was done.
int runIdleWork();
} // namespace host::mfc
