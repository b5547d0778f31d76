#include "host/gi/GiPrimitiveGeometry.h"

#include "host/gi/TextLayout.h"

#include <algorithm>
#include <cmath>

namespace host::gi {

std::vector<AcGePoint3d> arcPoints(const GiPrimitive& arc, double maxDeviation) {
    std::vector<AcGePoint3d> pts;
    if (!(arc.radius > 0) || !std::isfinite(arc.radius)) return pts;
    double sweep = std::clamp(arc.sweep, 0.0, 2 * M_PI);
    // The chord of angle a stays within r (1 - cos(a/2)) of the arc.
    double ratio =
        std::isfinite(maxDeviation) && maxDeviation > 0 ? std::min(maxDeviation / arc.radius, 1.0) : 1.0;
    double step = 2.0 * std::acos(1.0 - ratio);
    int n = step > 0 ? int(std::ceil(sweep / step)) : 4096;
    n = std::clamp(n, 4, 4096);
    AcGeVector3d u = arc.startVector.normal() * arc.radius;
    AcGeVector3d v = arc.normal.normal().crossProduct(arc.startVector.normal()) * arc.radius;
    pts.reserve(size_t(n) + 1);
    for (int i = 0; i <= n; ++i) {
        double a = sweep * i / n;
        pts.push_back(arc.center + u * std::cos(a) + v * std::sin(a));
    }
    return pts;
}

std::array<AcGePoint3d, 4> textBoxCorners(const GiPrimitive& text) {
    TextShape shape;
    shape.height = text.style().textSize();
    shape.widthFactor = text.style().xScale();
    shape.oblique = text.style().obliquingAngle();
    shape.tracking = text.style().trackingPercent() > 0 ? text.style().trackingPercent() : 1.0;
    shape.backward = text.style().isBackward();
    shape.upsideDown = text.style().isUpsideDown();
    TextLayout layout = layoutText(text.style().face(), decodeTextCodes(text.text, -1, text.raw), shape);
    TextBox b = layout.box(true);
    AcGeVector3d d = text.direction.normal();
    AcGeVector3d up = text.normal.normal().crossProduct(d);
    auto at = [&](double x, double y) { return text.position + d * x + up * y; };
    return {at(b.minX, b.minY), at(b.maxX, b.minY), at(b.maxX, b.maxY), at(b.minX, b.maxY)};
}

namespace {

void grow(AcGePoint3d& lo, AcGePoint3d& hi, bool& any, const AcGePoint3d& p) {
    if (!any) {
        lo = hi = p;
        any = true;
        return;
    }
    lo.set(std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z));
    hi.set(std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z));
}

} // namespace

bool primitiveExtents(const GiPrimitive& p, AcGePoint3d& minPt, AcGePoint3d& maxPt) {
    bool any = false;
    switch (p.kind) {
    case GiPrimitive::Polyline:
    case GiPrimitive::Polygon:
        for (const auto& pt : p.points)
            grow(minPt, maxPt, any, pt);
        break;
    case GiPrimitive::Circle:
    case GiPrimitive::Arc:
        for (const auto& pt : arcPoints(p, p.radius * 1e-5))
            grow(minPt, maxPt, any, pt);
        if (p.kind == GiPrimitive::Arc && p.arcType == kAcGiArcSector) grow(minPt, maxPt, any, p.center);
        break;
    case GiPrimitive::Text:
        for (const auto& pt : textBoxCorners(p))
            grow(minPt, maxPt, any, pt);
        break;
    case GiPrimitive::Xline:
    case GiPrimitive::Ray:
        break;
    }
    return any;
}

bool recordingExtents(const GiRecording& recording, AcGePoint3d& minPt, AcGePoint3d& maxPt) {
    bool any = false;
    for (const auto& p : recording) {
        AcGePoint3d lo, hi;
        if (!primitiveExtents(p, lo, hi)) continue;
        grow(minPt, maxPt, any, lo);
        grow(minPt, maxPt, any, hi);
    }
    return any;
}

} // namespace host::gi
