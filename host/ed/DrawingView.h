#pragma once
// The drawing window of the editor: its plan view (host/gi/View) maps the pixels of
// picks to drawing points and back, and the pick box (PICKBOX, in pixels) becomes a
// size in the drawing through it. A pick in a script is a click in this window: its
// button messages go to the modules' message filters as a person's click would.
#include "host/ge/AcGePoint3d.h"
#include "host/gi/View.h"
#include "host/win/WinMsg.h"

// The world point (in the plan) under client coordinates of the drawing window, and
// back; false for a point that is not finite.
bool acedCoordFromPixelToWorld(const POINT& ptIn, AcGePoint3d& ptOut);
bool acedCoordFromWorldToPixel(int windnum, const AcGePoint3d& ptIn, POINT& ptOut);

namespace host {

gi::View& drawingView();
// The window handle the drawing window's messages carry.
HWND drawingViewWindow();

// Half the side of the pick box in drawing units (PICKBOX pixels, at least one).
double pickBoxHalfSize();

// Client coordinates (pixels from the top-left corner) of a world point. A point
// outside the window is first brought into view by centring the view on it, as a
// person pans before picking.
POINT clientPointOf(const AcGePoint3d& world);
// The world point (in the plan) under client coordinates.
AcGePoint3d worldPointOf(int x, int y);

// A left click at a world point: WM_LBUTTONDOWN and WM_LBUTTONUP with its client
// coordinates go to the message filters. True when a filter took the button-down.
bool sendPickMessages(const AcGePoint3d& world);

} // namespace host
