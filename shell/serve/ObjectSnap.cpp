#include "shell/serve/ObjectSnap.h"

#include <algorithm>
#include <cmath>

namespace serve {

std::vector<SnapSegment> snapSegments(const host::gi::GiRecording& primitives) {
    std::vector<SnapSegment> out;
    for (const host::gi::GiPrimitive& p : primitives) {
        if (p.kind != host::gi::GiPrimitive::Polyline && p.kind != host::gi::GiPrimitive::Polygon) continue;
        for (size_t i = 1; i < p.points.size(); ++i)
            out.push_back({p.points[i - 1].x, p.points[i - 1].y, p.points[i].x, p.points[i].y});
        if (p.kind == host::gi::GiPrimitive::Polygon && p.points.size() > 2)
            out.push_back({p.points.back().x, p.points.back().y, p.points.front().x, p.points.front().y});
    }
    return out;
}

namespace {

bool nearBox(const SnapSegment& s, double x, double y, double r) {
    return x >= std::min(s.x1, s.x2) - r && x <= std::max(s.x1, s.x2) + r && y >= std::min(s.y1, s.y2) - r &&
           y <= std::max(s.y1, s.y2) + r;
}

// Where two segments cross (ends included); nullopt for parallel ones.
std::optional<SnapPoint> crossing(const SnapSegment& a, const SnapSegment& b) {
    const double dax = a.x2 - a.x1, day = a.y2 - a.y1, dbx = b.x2 - b.x1, dby = b.y2 - b.y1;
    const double den = dax * dby - day * dbx;
    const double scale = std::hypot(dax, day) * std::hypot(dbx, dby);
    if (scale == 0 || std::fabs(den) <= 1e-12 * scale) return std::nullopt;
    const double t = ((b.x1 - a.x1) * dby - (b.y1 - a.y1) * dbx) / den;
    const double u = ((b.x1 - a.x1) * day - (b.y1 - a.y1) * dax) / den;
    constexpr double kEnds = 1e-9; // a corner where two lines meet counts as crossing
    if (t < -kEnds || t > 1 + kEnds || u < -kEnds || u > 1 + kEnds) return std::nullopt;
    return SnapPoint{a.x1 + t * dax, a.y1 + t * day, SnapPoint::Intersection};
}

} // namespace

std::optional<SnapPoint> nearestSnap(const std::vector<SnapSegment>& segments, double x, double y, double radius) {
    if (!(radius > 0) || !std::isfinite(x) || !std::isfinite(y)) return std::nullopt;
    std::vector<const SnapSegment*> near;
    for (const SnapSegment& s : segments)
        if (nearBox(s, x, y, radius)) near.push_back(&s);
    std::optional<SnapPoint> best;
    double bestDistance = radius;
    const auto offer = [&](const SnapPoint& p) {
        const double d = std::hypot(p.x - x, p.y - y);
        // Ends and intersections go first at the same distance: the list is offered in that order.
        if (d < bestDistance || (!best && d <= bestDistance)) {
            best = p;
            bestDistance = d;
        }
    };
    for (const SnapSegment* s : near) {
        offer({s->x1, s->y1, SnapPoint::End});
        offer({s->x2, s->y2, SnapPoint::End});
    }
    // Pairs only among the few segments near the cursor.
    constexpr size_t kMaxPairs = 400;
    for (size_t i = 0; i < near.size() && i < kMaxPairs; ++i)
        for (size_t j = i + 1; j < near.size() && j < kMaxPairs; ++j)
            if (const std::optional<SnapPoint> c = crossing(*near[i], *near[j])) offer(*c);
    for (const SnapSegment* s : near)
        offer({(s->x1 + s->x2) / 2, (s->y1 + s->y2) / 2, SnapPoint::Mid});
    return best;
}

const char* snapKindName(SnapPoint::Kind kind) {
    switch (kind) {
    case SnapPoint::End: return "end";
    case SnapPoint::Intersection: return "intersection";
    case SnapPoint::Mid: return "mid";
    }
    return "end";
}

} // namespace serve
