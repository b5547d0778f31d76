#include "host/ed/selection/SelectionGeometry.h"

#include "host/gi/GiPrimitiveGeometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace host {

namespace {

// Points closer than this meet: far below a drawing's precision, far above rounding
// of plan coordinates.
constexpr double kMeetTol = 1e-9;
// Chords of an arc out of the plan.
constexpr int kChordsOutOfPlan = 64;

AcGePoint3d flat(const AcGePoint3d& p) {
    return {p.x, p.y, 0.0};
}

DrawnPiece segment(const AcGePoint3d& a, const AcGePoint3d& b) {
    DrawnPiece s;
    s.a = flat(a);
    s.b = flat(b);
    return s;
}

void addArc(std::vector<DrawnPiece>& out, DrawnPiece arc) {
    if (std::fabs(std::fabs(arc.normal.z) - 1.0) < 1e-12) {
        arc.center = flat(arc.center);
        arc.normal = AcGeVector3d(0, 0, arc.normal.z > 0 ? 1.0 : -1.0);
        arc.startVector = AcGeVector3d(arc.startVector.x, arc.startVector.y, 0.0).normal();
        out.push_back(arc);
        return;
    }
    // Seen from above, a tilted arc is an ellipse: its chords are close enough for picking.
    const AcGeVector3d v = arc.normal.crossProduct(arc.startVector);
    AcGePoint3d prev = arc.center + arc.startVector * arc.radius;
    const double sweep = std::min(arc.sweep, 2.0 * std::numbers::pi);
    for (int i = 1; i <= kChordsOutOfPlan; ++i) {
        const double a = sweep * i / kChordsOutOfPlan;
        const AcGePoint3d p =
            arc.center + arc.startVector * (arc.radius * std::cos(a)) + v * (arc.radius * std::sin(a));
        if (!flat(prev).isEqualTo(flat(p))) out.push_back(segment(prev, p));
        prev = p;
    }
}

// Filled areas and text boxes, whose inside belongs to the entity.
std::vector<std::vector<AcGePoint3d>> areasOf(const gi::GiRecording& recording) {
    std::vector<std::vector<AcGePoint3d>> areas;
    for (const gi::GiPrimitive& p : recording) {
        if (p.kind == gi::GiPrimitive::Text) {
            auto c = gi::textBoxCorners(p);
            areas.emplace_back(c.begin(), c.end());
        } else if (p.isFilled() && p.kind == gi::GiPrimitive::Polygon) {
            areas.push_back(p.points);
        } else if (p.isFilled()) {
            areas.push_back(gi::arcPoints(p, std::max(p.radius * 1e-3, 1e-9)));
            if (p.kind == gi::GiPrimitive::Arc && p.arcType == kAcGiArcSector)
                areas.back().push_back(p.center);
        }
    }
    return areas;
}

bool insidePolygon(const std::vector<AcGePoint3d>& pts, double px, double py) {
    bool in = false;
    if (pts.size() < 3) return false;
    for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
        const AcGePoint3d& a = pts[i];
        const AcGePoint3d& b = pts[j];
        if ((a.y > py) != (b.y > py) && px < (b.x - a.x) * (py - a.y) / (b.y - a.y) + a.x) in = !in;
    }
    return in;
}

bool hasEndlessLine(const gi::GiRecording& recording) {
    return std::any_of(recording.begin(), recording.end(), [](const gi::GiPrimitive& p) {
        return p.kind == gi::GiPrimitive::Xline || p.kind == gi::GiPrimitive::Ray;
    });
}

std::vector<DrawnPiece> edgesOf(const PlanWindow& w) {
    const AcGePoint3d c[4] = {{w.x0, w.y0, 0}, {w.x1, w.y0, 0}, {w.x1, w.y1, 0}, {w.x0, w.y1, 0}};
    std::vector<DrawnPiece> edges;
    for (int i = 0; i < 4; ++i)
        edges.push_back(segment(c[i], c[(i + 1) % 4]));
    return edges;
}

// Liang-Barsky: does the part t0..t1 of a + t (b - a) touch the window? Also true for
// a line lying along an edge.
bool lineTouchesWindow(const DrawnPiece& piece, const PlanWindow& w) {
    const double dx = piece.b.x - piece.a.x, dy = piece.b.y - piece.a.y;
    double t0 = piece.kind == DrawnPiece::Line ? -HUGE_VAL : 0.0;
    double t1 = piece.kind == DrawnPiece::Line ? HUGE_VAL : 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {piece.a.x - w.x0, w.x1 - piece.a.x, piece.a.y - w.y0, w.y1 - piece.a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double r = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, r);
        else
            t1 = std::min(t1, r);
        if (t0 > t1) return false;
    }
    return true;
}

bool pieceTouchesWindow(const DrawnPiece& piece, const PlanWindow& w) {
    if (piece.kind != DrawnPiece::Arc) return lineTouchesWindow(piece, w);
    const AcGePoint3d start = piece.center + piece.startVector * piece.radius;
    if (w.contains(start.x, start.y)) return true;
    AcGePoint3dArray meets;
    intersectPieces({piece}, edgesOf(w), meets, kMeetTol);
    return !meets.isEmpty();
}

} // namespace

PlanWindow::PlanWindow(const AcGePoint3d& a, const AcGePoint3d& b)
    : x0(std::min(a.x, b.x)), y0(std::min(a.y, b.y)), x1(std::max(a.x, b.x)), y1(std::max(a.y, b.y)) {}

std::vector<DrawnPiece> planPiecesOf(const gi::GiRecording& recording) {
    std::vector<DrawnPiece> out;
    for (const DrawnPiece& piece : piecesOf(recording)) {
        if (piece.kind == DrawnPiece::Arc) {
            addArc(out, piece);
            continue;
        }
        DrawnPiece flatPiece = piece;
        flatPiece.a = flat(piece.a);
        flatPiece.b = flat(piece.b);
        if (!flatPiece.a.isEqualTo(flatPiece.b)) out.push_back(flatPiece);
    }
    for (const gi::GiPrimitive& p : recording) {
        if (p.kind != gi::GiPrimitive::Text) continue;
        const auto c = gi::textBoxCorners(p);
        for (int i = 0; i < 4; ++i)
            out.push_back(segment(c[i], c[(i + 1) % 4]));
    }
    return out;
}

bool insideWindow(const gi::GiRecording& recording, const PlanWindow& window) {
    if (recording.empty() || hasEndlessLine(recording)) return false;
    AcGePoint3d lo, hi;
    if (!gi::recordingExtents(recording, lo, hi)) return false;
    return window.contains(lo.x, lo.y) && window.contains(hi.x, hi.y);
}

bool crossesWindow(const gi::GiRecording& recording, const PlanWindow& window) {
    if (insideWindow(recording, window)) return true;
    for (const DrawnPiece& piece : planPiecesOf(recording))
        if (pieceTouchesWindow(piece, window)) return true;
    const double cx = (window.x0 + window.x1) / 2, cy = (window.y0 + window.y1) / 2;
    for (const auto& area : areasOf(recording))
        if (insidePolygon(area, cx, cy)) return true;
    return false;
}

bool crossesFence(const gi::GiRecording& recording, const std::vector<AcGePoint3d>& fence) {
    if (fence.size() < 2) return false;
    std::vector<DrawnPiece> fencePieces;
    for (size_t i = 1; i < fence.size(); ++i)
        if (!flat(fence[i - 1]).isEqualTo(flat(fence[i])))
            fencePieces.push_back(segment(fence[i - 1], fence[i]));
    AcGePoint3dArray meets;
    intersectPieces(planPiecesOf(recording), fencePieces, meets, kMeetTol);
    return !meets.isEmpty();
}

} // namespace host
