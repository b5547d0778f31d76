#pragma once
// The modeless window that takes a script's "@palette ..." events (host/win/UiPalette.h):
// the add-on's palette registers itself after it is created. Destroying the window
// unregisters it.
class CWnd;

namespace host::mfc {

// Registers the window (null: none); the previous one no longer takes the events.
void setPaletteWindow(CWnd* wnd);
CWnd* paletteWindow();

} // namespace host::mfc
