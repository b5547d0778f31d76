#pragma once
// Window handles as the module asks for them. The stand-in has no pixels; windows are
// identities that the GUI stand-in hands out for its dialogs and frames.
#include "host/win/WinTypes.h"

// The window that is active for the user: the top modal dialog while one runs,
// else null.
HWND GetActiveWindow();

namespace host {
// The GUI stand-in sets the active window when a dialog opens and closes; returns
// the previous one.
HWND setActiveWindow(HWND hWnd);
} // namespace host
