#pragma once
// The right mouse button over the drawing window. "@rclick x,y" in a script or at the
// interactive command line is a person's right click at that point (current UCS,
// drawing units): WM_RBUTTONDOWN and WM_RBUTTONUP with the point's client coordinates
// go to the modules' message filters. When no filter takes the button-up, the host
// shows its own context menu, which a script cannot choose from: it only says so.
#include "host/ge/AcGePoint3d.h"

#include <string>

namespace host {

// A right click at a world point. True when a filter took the button-up (a module
// shows its own menu); false when the host showed its context menu.
bool sendRightClick(const AcGePoint3d& world);

// Handles a GUI event (the text after '@'). False when it is not "rclick ...";
// true for every "rclick" event: clicked, or refused with a line in the transcript
// when the point cannot be read.
bool handleRightClickEvent(const std::wstring& event);

// The line the transcript shows for the host's own context menu.
const wchar_t* hostContextMenuLine();

} // namespace host
