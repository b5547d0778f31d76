#pragma once
// The drawing window as a window: its handle, which modules use for timers and menus
// over the drawing, and the mouse messages the host sends through the message filters.
#include "host/win/WinMsg.h"

// The window of the current drawing's view.
HWND adsw_acadDocWnd();

namespace host {
// A mouse button message of the drawing window at client coordinates.
MSG buttonMessage(UINT message, const POINT& client, WPARAM keys);
} // namespace host
