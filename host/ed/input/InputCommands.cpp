#include "host/ed/input/InputCommands.h"

#include "host/ed/commands/AcEdCommandStack.h"
#include "host/ed/DrawingView.h"
#include "host/ed/input/EditorInput.h"
#include "host/ed/selection/SelectionScene.h"
#include "host/ed/Ucs.h"
#include "host/gi/GiPrimitiveGeometry.h"
#include "host/rx/adscodes.h"
#include "host/win/FormatW.h"
#include "host/win/Transcript.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace host {

namespace {

constexpr const wchar_t* kGroup = L"ACAD_VIEW_UCS";
// The margin ZOOM Extents leaves around the drawing, as a fraction of its size.
constexpr double kExtentsMargin = 0.05;

AcGePoint3d pointOf(const ads_point p) {
    return AcGePoint3d(p[0], p[1], p[2]);
}

void setUcs(const AcGePoint3d& origin, const AcGeVector3d& x, const AcGeVector3d& y) {
    AcGeMatrix3d m;
    m.setCoordSystem(origin, x, y, x.crossProduct(y));
    pushPreviousUcs();
    if (acedSetCurrentUCS(m) != Acad::eOk) transcriptWrite(L"\nThe UCS cannot be set there.");
}

void ucsOrigin(const AcGePoint3d& ucsOrigin, bool askForX) {
    const AcGeMatrix3d current = ucsToWorld();
    AcGePoint3d o;
    AcGeVector3d x, y, z;
    current.getCoordSystem(o, x, y, z);
    const AcGePoint3d origin = ucsToWorld(ucsOrigin);
    if (askForX) {
        ads_point base = {ucsOrigin.x, ucsOrigin.y, ucsOrigin.z}, q;
        if (acedGetPoint(base, L"\nSpecify point on X-axis or <Accept>: ", q) == RTNORM) {
            // The new X axis points at the given point, in the plane of the current UCS.
            AcGeVector3d dir = ucsToWorld(pointOf(q)) - origin;
            dir -= z * dir.dotProduct(z);
            if (dir.length() > 0) {
                x = dir.normal();
                y = z.crossProduct(x);
            }
        }
    }
    setUcs(origin, x, y);
}

void ucsRotateZ() {
    double degrees = 90.0;
    const int rc = acedGetReal(L"\nSpecify rotation angle about Z axis <90>: ", &degrees);
    if (rc == RTCAN) return;
    AcGePoint3d o;
    AcGeVector3d x, y, z;
    ucsToWorld().getCoordSystem(o, x, y, z);
    const double a = degrees * std::numbers::pi / 180.0;
    setUcs(o, x.rotateBy(a, z), y.rotateBy(a, z));
}

void ucsCommand() {
    acedInitGet(0, L"Origin Previous World Z");
    ads_point p;
    const int rc =
        acedGetPoint(nullptr, L"\nSpecify origin of UCS or [Origin/Previous/World/Z] <World>: ", p);
    if (rc == RTCAN) return;
    if (rc == RTNORM) return ucsOrigin(pointOf(p), true);
    wchar_t kw[32] = L"World";
    if (rc == RTKWORD) acedGetInput(kw, 32);
    const std::wstring k = kw;
    if (k == L"World") return setUcs(AcGePoint3d::kOrigin, AcGeVector3d::kXAxis, AcGeVector3d::kYAxis);
    if (k == L"Z") return ucsRotateZ();
    if (k == L"Previous") {
        if (!popPreviousUcs()) transcriptWrite(L"\nNo previous UCS saved.");
        return;
    }
    ads_point o = {0, 0, 0};
    const int rcOrigin = acedGetPoint(nullptr, L"\nSpecify new origin point <0,0,0>: ", o);
    if (rcOrigin == RTCAN) return;
    ucsOrigin(pointOf(o), false);
}

bool visibleExtents(AcGePoint3d& lo, AcGePoint3d& hi) {
    SelectionScene scene;
    bool any = false;
    for (size_t i = 0; i < scene.size(); ++i) {
        AcGePoint3d a, b;
        if (!gi::recordingExtents(scene.recording(i), a, b)) continue;
        if (!any) {
            lo = a;
            hi = b;
            any = true;
            continue;
        }
        lo.set(std::min(lo.x, a.x), std::min(lo.y, a.y), std::min(lo.z, a.z));
        hi.set(std::max(hi.x, b.x), std::max(hi.y, b.y), std::max(hi.z, b.z));
    }
    return any;
}

void zoomWindow(const AcGePoint3d& a, const AcGePoint3d& b) {
    const AcGePoint3d wa = ucsToWorld(a), wb = ucsToWorld(b);
    if (std::fabs(wa.x - wb.x) <= 0 && std::fabs(wa.y - wb.y) <= 0) {
        transcriptWrite(L"\nThe window has no size.");
        return;
    }
    drawingView().zoomExtents(wa, wb, 0.0);
}

void zoomCenter() {
    ads_point c;
    if (acedGetPoint(nullptr, L"\nSpecify center point: ", c) != RTNORM) return;
    double height = drawingView().height();
    acedInitGet(RSG_NOZERO | RSG_NONEG, nullptr);
    const std::wstring prompt = FormatW(L"\nEnter magnification or height <%g>: ", height);
    if (acedGetReal(prompt.c_str(), &height) == RTCAN) return;
    const AcGePoint3d w = ucsToWorld(pointOf(c));
    drawingView().setCenter(AcGePoint2d(w.x, w.y));
    drawingView().setHeight(height);
}

void zoomCommand() {
    acedInitGet(0, L"All Center Extents Window");
    ads_point p;
    const int rc = acedGetPoint(nullptr,
                                L"\nSpecify corner of window, enter a scale factor (nX or nXP), or\n"
                                L"[All/Center/Extents/Window] <real time>: ",
                                p);
    if (rc == RTNORM) {
        ads_point q;
        if (acedGetPoint(p, L"\nSpecify opposite corner: ", q) == RTNORM) zoomWindow(pointOf(p), pointOf(q));
        return;
    }
    if (rc != RTKWORD) return;
    wchar_t kw[32] = {};
    acedGetInput(kw, 32);
    const std::wstring k = kw;
    if (k == L"Center") return zoomCenter();
    if (k == L"Window") {
        ads_point a, b;
        if (acedGetPoint(nullptr, L"\nSpecify first corner: ", a) != RTNORM) return;
        if (acedGetPoint(a, L"\nSpecify opposite corner: ", b) != RTNORM) return;
        return zoomWindow(pointOf(a), pointOf(b));
    }
    AcGePoint3d lo, hi;
    if (!visibleExtents(lo, hi)) {
        transcriptWrite(L"\nThe drawing is empty.");
        return;
    }
    drawingView().zoomExtents(lo, hi, kExtentsMargin);
}

} // namespace

void registerInputCommands() {
    AcEdCommandStack& stack = hostCommands();
    if (stack.lookupGlobalCmd(L"UCS")) return;
    stack.addCommand(kGroup, L"UCS", L"UCS", ACRX_CMD_MODAL, &ucsCommand);
    stack.addCommand(kGroup, L"ZOOM", L"ZOOM", ACRX_CMD_TRANSPARENT, &zoomCommand);
}

} // namespace host
