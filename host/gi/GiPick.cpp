#include "host/gi/GiPick.h"

#include "host/gi/GiPrimitiveGeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace host::gi {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct Box {
    double x0, y0, x1, y1;
};

// Liang-Barsky: does the part t0..t1 of a + t (b - a) cross the box?
bool crossesBox(double ax, double ay, double dx, double dy, double t0, double t1, const Box& box) {
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {ax - box.x0, box.x1 - ax, ay - box.y0, box.y1 - ay};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        double r = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, r);
        else
            t1 = std::min(t1, r);
        if (t0 > t1) return false;
    }
    return true;
}

// Plan distance from (px,py) to a + t (b - a) for t in t0..t1 (infinite ends allowed).
double distanceTo(double ax, double ay, double dx, double dy, double t0, double t1, double px, double py) {
    double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((px - ax) * dx + (py - ay) * dy) / len2 : 0.0;
    t = std::clamp(t, t0, t1);
    if (!std::isfinite(t)) t = 0;
    return std::hypot(ax + t * dx - px, ay + t * dy - py);
}

bool insidePolygon(const std::vector<AcGePoint3d>& pts, double px, double py) {
    bool in = false;
    for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
        const auto& a = pts[i];
        const auto& b = pts[j];
        if ((a.y > py) != (b.y > py) && px < (b.x - a.x) * (py - a.y) / (b.y - a.y) + a.x) in = !in;
    }
    return in;
}

struct Probe {
    double px, py;
    Box box;
    bool under = false;
    double best = kInf;
    size_t bestSegment = 0;

    void segment(const AcGePoint3d& a, const AcGePoint3d& b, size_t index, double t0 = 0, double t1 = 1) {
        double dx = b.x - a.x, dy = b.y - a.y;
        if (!crossesBox(a.x, a.y, dx, dy, t0, t1, box)) return;
        under = true;
        double d = distanceTo(a.x, a.y, dx, dy, t0, t1, px, py);
        if (d < best) {
            best = d;
            bestSegment = index;
        }
    }
    void chain(const std::vector<AcGePoint3d>& pts, bool closed) {
        if (pts.size() == 1) segment(pts[0], pts[0], 0);
        for (size_t i = 0; i + 1 < pts.size(); ++i)
            segment(pts[i], pts[i + 1], i);
        if (closed && pts.size() > 2) segment(pts.back(), pts.front(), pts.size() - 1);
    }
};

// The outline of a closed arc type: the arc and its chord or its two radii.
std::vector<AcGePoint3d> closedArc(const GiPrimitive& p, std::vector<AcGePoint3d> pts) {
    if (p.kind == GiPrimitive::Arc && p.arcType == kAcGiArcSector) pts.push_back(p.center);
    return pts;
}

} // namespace

bool primitiveUnderBox(const GiPrimitive& p, const AcGePoint3d& point, double halfSize, double& distance,
                       bool& inside, LONG_PTR& marker) {
    if (!std::isfinite(point.x) || !std::isfinite(point.y) || !std::isfinite(halfSize) || halfSize < 0)
        return false;
    Probe probe{
        point.x, point.y, {point.x - halfSize, point.y - halfSize, point.x + halfSize, point.y + halfSize}};
    std::vector<AcGePoint3d> area; // a filled shape or a text box
    switch (p.kind) {
    case GiPrimitive::Polyline:
        probe.chain(p.points, false);
        break;
    case GiPrimitive::Polygon:
        probe.chain(p.points, true);
        if (p.isFilled()) area = p.points;
        break;
    case GiPrimitive::Circle:
    case GiPrimitive::Arc: {
        // Quick refusal: the point is far from the curve's ring.
        double dc = std::hypot(point.x - p.center.x, point.y - p.center.y);
        bool closed = p.kind == GiPrimitive::Circle || p.arcType != kAcGiArcSimple;
        if (!closed && (dc > p.radius + 2 * halfSize || dc < p.radius - 2 * halfSize) &&
            std::fabs(p.normal.z) > 0.99)
            return false;
        std::vector<AcGePoint3d> pts = closedArc(p, arcPoints(p, std::max(halfSize / 8, p.radius * 1e-9)));
        probe.chain(pts, closed);
        if (p.isFilled()) area = std::move(pts);
        break;
    }
    case GiPrimitive::Text: {
        // Laying out the text is costly: first a generous circle around it.
        double reach = (double(p.text.size()) + 1) * std::fabs(p.height()) *
                       (std::fabs(p.widthFactor()) + std::fabs(std::tan(p.oblique())) + 1) * 3;
        if (std::hypot(point.x - p.position.x, point.y - p.position.y) > reach + 2 * halfSize) return false;
        auto c = textBoxCorners(p);
        area.assign(c.begin(), c.end());
        probe.chain(area, true);
        break;
    }
    case GiPrimitive::Xline:
    case GiPrimitive::Ray:
        if (p.points.size() == 2)
            probe.segment(p.points[0], p.points[1], 0, p.kind == GiPrimitive::Xline ? -kInf : 0.0, kInf);
        break;
    }
    inside = area.size() > 2 && insidePolygon(area, point.x, point.y);
    if (!probe.under && !inside) return false;
    distance = inside ? 0.0 : probe.best;
    marker = (p.kind == GiPrimitive::Polyline && p.baseMarker != -1)
                 ? p.baseMarker + LONG_PTR(probe.bestSegment)
                 : p.traits.marker;
    return true;
}

std::optional<PickHit> pickNearest(const std::vector<const GiRecording*>& recordings,
                                   const AcGePoint3d& point, double halfSize) {
    std::optional<PickHit> best;
    bool bestInside = false;
    for (size_t r = 0; r < recordings.size(); ++r) {
        if (!recordings[r]) continue;
        const GiRecording& rec = *recordings[r];
        for (size_t i = 0; i < rec.size(); ++i) {
            double d = 0;
            bool inside = false;
            LONG_PTR marker = 0;
            if (!primitiveUnderBox(rec[i], point, halfSize, d, inside, marker)) continue;
            // Later primitives lie on top and win ties; an outline beats an area.
            bool better = !best || d < best->distance || (d == best->distance && (bestInside || !inside));
            if (better) {
                best = PickHit{r, i, marker, d};
                bestInside = inside;
            }
        }
    }
    return best;
}

std::optional<PickHit> pickNearest(const GiRecording& recording, const AcGePoint3d& point, double halfSize) {
    return pickNearest(std::vector<const GiRecording*>{&recording}, point, halfSize);
}

} // namespace host::gi
