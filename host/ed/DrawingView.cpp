#include "host/ed/DrawingView.h"
#include "host/ed/DrawingWindow.h"

#include "host/ed/input/AcEdFilterWinMsg.h"
#include "host/ed/SysVars.h"

#include <algorithm>
#include <cmath>

namespace host {

namespace {

struct DrawingWindowTag {};

bool onScreen(const AcGePoint2d& s, const gi::View& v) {
    return std::isfinite(s.x) && std::isfinite(s.y) && s.x >= 0 && s.y >= 0 && s.x < v.windowWidth() &&
           s.y < v.windowHeight();
}

} // namespace

MSG buttonMessage(UINT message, const POINT& client, WPARAM keys) {
    MSG msg;
    msg.hwnd = drawingViewWindow();
    msg.message = message;
    msg.wParam = keys;
    msg.lParam = MAKELPARAM(client.x, client.y);
    msg.pt = client;
    return msg;
}

gi::View& drawingView() {
    static gi::View view;
    return view;
}

HWND drawingViewWindow() {
    static DrawingWindowTag tag;
    return reinterpret_cast<HWND>(&tag);
}

double pickBoxHalfSize() {
    int pixels = 3;
    if (std::optional<VarValue> v = sysVars().get(L"PICKBOX"))
        pixels = v->type == RTSHORT ? v->integer : pixels;
    return drawingView().pixelsToUnits(std::max(pixels, 1));
}

POINT clientPointOf(const AcGePoint3d& world) {
    gi::View& view = drawingView();
    AcGePoint2d s = view.drawingToScreen(world);
    if (!onScreen(s, view) && view.setCenter(AcGePoint2d(world.x, world.y))) s = view.drawingToScreen(world);
    POINT p;
    p.x = static_cast<LONG>(std::lround(std::clamp(s.x, 0.0, double(view.windowWidth() - 1))));
    p.y = static_cast<LONG>(std::lround(std::clamp(s.y, 0.0, double(view.windowHeight() - 1))));
    return p;
}

AcGePoint3d worldPointOf(int x, int y) {
    return drawingView().screenToDrawing(x, y);
}

bool sendPickMessages(const AcGePoint3d& world) {
    if (!std::isfinite(world.x) || !std::isfinite(world.y)) return false;
    const POINT client = clientPointOf(world);
    MSG down = buttonMessage(WM_LBUTTONDOWN, client, MK_LBUTTON);
    const bool taken = filterWinMsg(&down);
    MSG up = buttonMessage(WM_LBUTTONUP, client, 0);
    filterWinMsg(&up);
    return taken;
}

} // namespace host

HWND adsw_acadDocWnd() { return host::drawingViewWindow(); }

bool acedCoordFromPixelToWorld(const POINT& ptIn, AcGePoint3d& ptOut) {
    ptOut = host::worldPointOf(ptIn.x, ptIn.y);
    return std::isfinite(ptOut.x) && std::isfinite(ptOut.y);
}

bool acedCoordFromWorldToPixel(int, const AcGePoint3d& ptIn, POINT& ptOut) {
    if (!std::isfinite(ptIn.x) || !std::isfinite(ptIn.y)) return false;
    const AcGePoint2d s = host::drawingView().drawingToScreen(ptIn);
    // Far outside the window the pixels are clamped rather than overflowing.
    ptOut.x = static_cast<LONG>(std::lround(std::clamp(s.x, -1e9, 1e9)));
    ptOut.y = static_cast<LONG>(std::lround(std::clamp(s.y, -1e9, 1e9)));
    return true;
}
