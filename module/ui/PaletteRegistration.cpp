#include "module/ui/PaletteRegistration.h"

#include "host/mfc/PaletteWindow.h"

void RegisterPaletteWindow(CWnd* wnd) {
    host::mfc::setPaletteWindow(wnd);
}

void UnregisterPaletteWindow(CWnd* wnd) {
    if (host::mfc::paletteWindow() == wnd) host::mfc::setPaletteWindow(nullptr);
}
