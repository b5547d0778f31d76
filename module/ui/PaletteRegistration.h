#pragma once
// Where the host finds the palette window. In the real host the palette set is part of
// the host's frame from its creation on; the stand-in host asks for the window to be
// named instead, and this is the one place the module does that.
class CWnd;

// Makes the window the palette the host sends palette events to; null removes it.
void RegisterPaletteWindow(CWnd* wnd);
// Removes the window when it is the registered one.
void UnregisterPaletteWindow(CWnd* wnd);
