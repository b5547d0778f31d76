#include "host/db/entities/DrawnGeometry.h"

#include "host/db/entities/AcDbEntity.h"
#include "host/ge/AcGePoint2d.h"
#include "host/gi/RecordingWorldDraw.h"

#include <cmath>
#include <numbers>

namespace host {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

AcGeVector3d perp(const DrawnPiece& arc) { return arc.normal.crossProduct(arc.startVector); }

AcGePoint3d arcPoint(const DrawnPiece& arc, double angle) {
    return arc.center + arc.startVector * (arc.radius * std::cos(angle)) + perp(arc) * (arc.radius * std::sin(angle));
}

// The angle of a point about the arc's centre, from its start, in [0, 2 pi).
double angleOnArc(const DrawnPiece& arc, const AcGePoint3d& p) {
    AcGeVector3d d = p - arc.center;
    double a = std::atan2(d.dotProduct(perp(arc)), d.dotProduct(arc.startVector));
    return a < 0.0 ? a + kTwoPi : a;
}

bool onArc(const DrawnPiece& arc, const AcGePoint3d& p, double tol) {
    if (arc.sweep >= kTwoPi) return true;
    double a = angleOnArc(arc, p);
    double angTol = arc.radius > tol ? tol / arc.radius : 0.0;
    return a <= arc.sweep + angTol || a >= kTwoPi - angTol;
}

void addArcExtents(AcDbExtents& ext, const DrawnPiece& arc) {
    ext.addPoint(arcPoint(arc, 0.0));
    ext.addPoint(arcPoint(arc, std::min(arc.sweep, kTwoPi)));
    // Where each coordinate is extreme: tan(theta) = v_i / u_i, and the opposite.
    AcGeVector3d u = arc.startVector, v = perp(arc);
    for (int i = 0; i < 3; ++i) {
        double t = std::atan2(v[i], u[i]);
        for (double cand : {t, t + std::numbers::pi}) {
            double a = std::fmod(cand + 2.0 * kTwoPi, kTwoPi);
            if (a <= arc.sweep) ext.addPoint(arcPoint(arc, a));
        }
    }
}

DrawnPiece arcPiece(const gi::GiPrimitive& p, bool full) {
    DrawnPiece arc;
    arc.kind = DrawnPiece::Arc;
    arc.center = p.center;
    arc.radius = p.radius;
    arc.normal = p.normal.normal();
    arc.startVector = full ? acgeArbitraryXAxis(arc.normal) : p.startVector.normal();
    arc.sweep = full ? kTwoPi : p.sweep;
    if (arc.sweep < 0.0) {
        // A clockwise arc is the same arc counter-clockwise from its other end.
        arc.startVector.rotateBy(arc.sweep, arc.normal);
        arc.sweep = -arc.sweep;
    }
    return arc;
}

void addText(AcDbExtents& ext, const gi::GiPrimitive& p) {
    AcGePoint2d lo, hi;
    p.style().extentsBox(p.text.c_str(), false, -1, p.raw, lo, hi);
    AcGeVector3d dir = p.direction.normal();
    AcGeVector3d up = p.normal.normal().crossProduct(dir);
    for (double x : {lo.x, hi.x})
        for (double y : {lo.y, hi.y}) ext.addPoint(p.position + dir * x + up * y);
}

void addUnique(AcGePoint3dArray& points, const AcGePoint3d& p, double tol) {
    for (const AcGePoint3d& q : points)
        if (q.distanceTo(p) <= tol) return;
    points.append(p);
}

// Closest approach of two lines; false when they are parallel.
bool lineLine(const DrawnPiece& l1, const DrawnPiece& l2, double& s, double& t, AcGePoint3d& p, double tol) {
    AcGeVector3d d1 = l1.b - l1.a, d2 = l2.b - l2.a, r = l1.a - l2.a;
    double a = d1.dotProduct(d1), e = d2.dotProduct(d2), b = d1.dotProduct(d2);
    double c = d1.dotProduct(r), f = d2.dotProduct(r);
    double denom = a * e - b * b;
    if (a <= 0.0 || e <= 0.0 || std::fabs(denom) <= 1e-15 * a * e) return false;
    s = (b * f - c * e) / denom;
    t = (a * f - b * c) / denom;
    AcGePoint3d p1 = l1.a + d1 * s, p2 = l2.a + d2 * t;
    if (p1.distanceTo(p2) > tol) return false;
    p = p1 + (p2 - p1) * 0.5;
    return true;
}

bool withinSegment(const DrawnPiece& l, double param, double tol) {
    if (l.kind == DrawnPiece::Line) return true;
    double len = l.a.distanceTo(l.b);
    double slack = len > 0.0 ? tol / len : 0.0;
    return param >= -slack && param <= 1.0 + slack;
}

void lineArc(const DrawnPiece& l, const DrawnPiece& arc, AcGePoint3dArray& out, double tol) {
    AcGeVector3d d = l.b - l.a;
    double dn = d.dotProduct(arc.normal);
    double h = (l.a - arc.center).dotProduct(arc.normal);
    std::vector<double> params;
    if (std::fabs(dn) > 1e-12 * d.length()) {
        // Crossing the arc's plane: one candidate point.
        params.push_back(-h / dn);
    } else if (std::fabs(h) <= tol) {
        // In the plane: |a + t d - c|^2 = r^2.
        AcGeVector3d m = l.a - arc.center;
        double A = d.dotProduct(d), B = 2.0 * m.dotProduct(d), C = m.dotProduct(m) - arc.radius * arc.radius;
        double disc = B * B - 4.0 * A * C;
        double slack = 2.0 * arc.radius * tol * A; // a tangent within tol still touches
        if (A <= 0.0 || disc < -slack) return;
        double root = std::sqrt(std::max(disc, 0.0));
        params.push_back((-B - root) / (2.0 * A));
        if (root > 0.0) params.push_back((-B + root) / (2.0 * A));
    }
    for (double t : params) {
        AcGePoint3d p = l.a + d * t;
        if (std::fabs(p.distanceTo(arc.center) - arc.radius) > tol) continue;
        if (withinSegment(l, t, tol) && onArc(arc, p, tol)) addUnique(out, p, tol);
    }
}

void arcArc(const DrawnPiece& a1, const DrawnPiece& a2, AcGePoint3dArray& out, double tol) {
    if (!a1.normal.isParallelTo(a2.normal)) return;
    if (std::fabs((a2.center - a1.center).dotProduct(a1.normal)) > tol) return;
    AcGeVector3d u = a1.startVector, v = perp(a1);
    AcGeVector3d cc = a2.center - a1.center;
    double dx = cc.dotProduct(u), dy = cc.dotProduct(v);
    double d = std::hypot(dx, dy);
    if (d <= tol) return; // concentric: no points, or the same circle
    if (d > a1.radius + a2.radius + tol || d < std::fabs(a1.radius - a2.radius) - tol) return;
    double along = (d * d + a1.radius * a1.radius - a2.radius * a2.radius) / (2.0 * d);
    double across = std::sqrt(std::max(a1.radius * a1.radius - along * along, 0.0));
    double ex = dx / d, ey = dy / d;
    for (double sign : {-1.0, 1.0}) {
        double x = along * ex - sign * across * ey, y = along * ey + sign * across * ex;
        AcGePoint3d p = a1.center + u * x + v * y;
        if (onArc(a1, p, tol) && onArc(a2, p, tol)) addUnique(out, p, tol);
        if (across <= tol) break;
    }
}

} // namespace

AcDbExtents extentsOf(const gi::GiRecording& recording) {
    AcDbExtents ext;
    for (const gi::GiPrimitive& p : recording) {
        switch (p.kind) {
        case gi::GiPrimitive::Polyline:
        case gi::GiPrimitive::Polygon:
            for (const AcGePoint3d& q : p.points) ext.addPoint(q);
            break;
        case gi::GiPrimitive::Circle:
            addArcExtents(ext, arcPiece(p, true));
            break;
        case gi::GiPrimitive::Arc: {
            DrawnPiece arc = arcPiece(p, false);
            addArcExtents(ext, arc);
            if (p.arcType == kAcGiArcSector) ext.addPoint(p.center);
            break;
        }
        case gi::GiPrimitive::Text:
            addText(ext, p);
            break;
        case gi::GiPrimitive::Xline:
        case gi::GiPrimitive::Ray:
            if (!p.points.empty()) ext.addPoint(p.points.front());
            break;
        }
    }
    return ext;
}

std::vector<DrawnPiece> piecesOf(const gi::GiRecording& recording) {
    std::vector<DrawnPiece> pieces;
    auto segment = [&](const AcGePoint3d& a, const AcGePoint3d& b) {
        DrawnPiece s;
        s.a = a;
        s.b = b;
        if (!a.isEqualTo(b)) pieces.push_back(s);
    };
    for (const gi::GiPrimitive& p : recording) {
        switch (p.kind) {
        case gi::GiPrimitive::Polyline:
        case gi::GiPrimitive::Polygon:
            for (size_t i = 1; i < p.points.size(); ++i) segment(p.points[i - 1], p.points[i]);
            if (p.kind == gi::GiPrimitive::Polygon && p.points.size() > 2) segment(p.points.back(), p.points.front());
            break;
        case gi::GiPrimitive::Circle:
            pieces.push_back(arcPiece(p, true));
            break;
        case gi::GiPrimitive::Arc: {
            DrawnPiece arc = arcPiece(p, false);
            pieces.push_back(arc);
            AcGePoint3d s = arcPoint(arc, 0.0), e = arcPoint(arc, arc.sweep);
            if (p.arcType == kAcGiArcChord) segment(s, e);
            if (p.arcType == kAcGiArcSector) segment(p.center, s), segment(p.center, e);
            break;
        }
        case gi::GiPrimitive::Xline:
        case gi::GiPrimitive::Ray:
            if (p.points.size() == 2) {
                DrawnPiece l;
                l.kind = DrawnPiece::Line;
                l.a = p.points[0];
                l.b = p.points[1];
                if (!l.a.isEqualTo(l.b)) pieces.push_back(l);
            }
            break;
        case gi::GiPrimitive::Text:
            break;
        }
    }
    return pieces;
}

void intersectPieces(const std::vector<DrawnPiece>& first, const std::vector<DrawnPiece>& second,
                     AcGePoint3dArray& points, double tol) {
    for (const DrawnPiece& x : first) {
        for (const DrawnPiece& y : second) {
            bool xArc = x.kind == DrawnPiece::Arc, yArc = y.kind == DrawnPiece::Arc;
            if (!xArc && !yArc) {
                double s = 0, t = 0;
                AcGePoint3d p;
                if (lineLine(x, y, s, t, p, tol) && withinSegment(x, s, tol) && withinSegment(y, t, tol))
                    addUnique(points, p, tol);
            } else if (!xArc) {
                lineArc(x, y, points, tol);
            } else if (!yArc) {
                lineArc(y, x, points, tol);
            } else {
                arcArc(x, y, points, tol);
            }
        }
    }
}

gi::GiRecording drawEntity(const AcDbEntity* ent) {
    gi::RecordingWorldDraw wd(kAcGiForExtents);
    wd.setDatabase(ent->database());
    wd.drawDrawable(const_cast<AcDbEntity*>(ent));
    return wd.takePrimitives();
}

} // namespace host
