#include "host/mfc/PaletteWindow.h"

#include "host/mfc/DialogForm.h"
#include "host/win/UiPalette.h"

#include <memory>

namespace host::mfc {

namespace {

struct Palette {
    CWnd* wnd = nullptr;
    std::unique_ptr<DialogForm> form;
};

// Never freed: a palette that is a static object is destroyed after every other static.
Palette& palette() {
    static Palette* p = new Palette;
    return *p;
}

} // namespace

void setPaletteWindow(CWnd* wnd) {
    Palette& p = palette();
    if (p.form && host::paletteForm() == p.form.get()) host::setPaletteForm(nullptr);
    p.form.reset();
    p.wnd = wnd && wnd->m_hWnd ? wnd : nullptr;
    if (!p.wnd) return;
    CWnd* w = p.wnd;
    // A modeless window never "ends"; closing it is its own business.
    p.form = std::make_unique<DialogForm>(
        *w, w->GetDlgCtrlID(), [w] { return w->m_hWnd == nullptr; }, [] {});
    host::setPaletteForm(p.form.get());
}

CWnd* paletteWindow() {
    return palette().wnd;
}

} // namespace host::mfc
