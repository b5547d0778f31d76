// The lightweight polyline as a curve: parameters, points and distances along
// its line and arc segments.
#include "host/db/entities/AcDbPolyline.h"

#include "host/db/entities/ClosestPoints.h"

#include <cmath>

namespace {
constexpr double kTwoPi = 6.28318530717958647692;
}

AcGePoint3d AcDbPolyline::segPoint(unsigned int seg, double t) const {
    const Vertex& a = m_verts[seg];
    const Vertex& b = m_verts[nextIndex(seg)];
    if (segType(seg) == kArc) {
        host::BulgeArc arc = host::bulgeArc(a.pt, b.pt, a.bulge);
        double ang = arc.startAngle + t * arc.sweep;
        return toWorld(AcGePoint2d(arc.center.x + arc.radius * std::cos(ang), arc.center.y + arc.radius * std::sin(ang)));
    }
    return toWorld(AcGePoint2d(a.pt.x + (b.pt.x - a.pt.x) * t, a.pt.y + (b.pt.y - a.pt.y) * t));
}

double AcDbPolyline::segLength(unsigned int seg) const {
    const Vertex& a = m_verts[seg];
    const Vertex& b = m_verts[nextIndex(seg)];
    if (segType(seg) == kArc) {
        host::BulgeArc arc = host::bulgeArc(a.pt, b.pt, a.bulge);
        return arc.radius * std::fabs(arc.sweep);
    }
    return a.pt.distanceTo(b.pt);
}

double AcDbPolyline::segClosest(unsigned int seg, const AcGePoint3d& p, AcGePoint3d& on, double& t) const {
    const Vertex& a = m_verts[seg];
    const Vertex& b = m_verts[nextIndex(seg)];
    AcGePoint2d q = toPlane(p);
    // Out of the plane counts too: the distance is measured in space.
    if (segType(seg) == kArc) {
        host::BulgeArc arc = host::bulgeArc(a.pt, b.pt, a.bulge);
        AcGeVector2d d = q - arc.center;
        double ang = d.length() > 0.0 ? std::atan2(d.y, d.x) : arc.startAngle;
        // Angle from the start in the sweep's direction, in [0, 2 pi).
        double rel = std::fmod((ang - arc.startAngle) * (arc.sweep > 0.0 ? 1.0 : -1.0) + 2.0 * kTwoPi, kTwoPi);
        double span = std::fabs(arc.sweep);
        t = span > 0.0 ? host::nearestArcOffset(rel, span) / span : 0.0;
    } else {
        AcGeVector2d ab = b.pt - a.pt;
        double len2 = ab.x * ab.x + ab.y * ab.y;
        t = len2 > 0.0 ? std::clamp(((q.x - a.pt.x) * ab.x + (q.y - a.pt.y) * ab.y) / len2, 0.0, 1.0) : 0.0;
    }
    on = segPoint(seg, t);
    return on.distanceTo(p);
}

Acad::ErrorStatus AcDbPolyline::getStartParam(double& param) const {
    param = 0.0;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getEndParam(double& param) const {
    param = double(numSegments());
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getPointAtParam(double param, AcGePoint3d& point) const {
    unsigned int n = numSegments();
    if (numVerts() == 0 || !std::isfinite(param) || param < -1e-9 || param > n + 1e-9) return Acad::eInvalidInput;
    if (n == 0) {
        point = toWorld(m_verts[0].pt);
        return Acad::eOk;
    }
    double clamped = std::clamp(param, 0.0, double(n));
    unsigned int seg = std::min(unsigned(std::floor(clamped)), n - 1);
    point = segPoint(seg, clamped - seg);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getParamAtPoint(const AcGePoint3d& point, double& param) const {
    unsigned int n = numSegments();
    if (n == 0) return Acad::eInvalidInput;
    double best = -1.0, bestParam = 0.0;
    for (unsigned int i = 0; i < n; ++i) {
        AcGePoint3d on;
        double t = 0.0;
        double d = segClosest(i, point, on, t);
        // Ties at a shared vertex go to the earlier segment's end (i + 1).
        if (best < 0.0 || d < best - 1e-12) best = d, bestParam = i + t;
    }
    if (best > onCurveTolerance()) return Acad::eInvalidInput;
    param = bestParam;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getDistAtParam(double param, double& dist) const {
    unsigned int n = numSegments();
    if (!std::isfinite(param) || param < -1e-9 || param > n + 1e-9) return Acad::eInvalidInput;
    double clamped = std::clamp(param, 0.0, double(n));
    double total = 0.0;
    unsigned int seg = 0;
    for (; seg + 1 <= clamped && seg < n; ++seg) total += segLength(seg);
    // Within a segment the distance grows in step with the parameter (the angle for arcs).
    if (seg < n) total += (clamped - seg) * segLength(seg);
    dist = total;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getParamAtDist(double dist, double& param) const {
    unsigned int n = numSegments();
    double tol = onCurveTolerance();
    if (!std::isfinite(dist) || dist < -tol) return Acad::eInvalidInput;
    double walked = 0.0;
    for (unsigned int i = 0; i < n; ++i) {
        double len = segLength(i);
        if (dist <= walked + len) {
            param = i + (len > 0.0 ? std::max(dist - walked, 0.0) / len : 0.0);
            return Acad::eOk;
        }
        walked += len;
    }
    if (dist <= walked + tol) {
        param = double(n);
        return Acad::eOk;
    }
    return Acad::eInvalidInput;
}

Acad::ErrorStatus AcDbPolyline::getFirstDeriv(double param, AcGeVector3d& firstDeriv) const {
    unsigned int n = numSegments();
    if (n == 0 || !std::isfinite(param) || param < -1e-9 || param > n + 1e-9) return Acad::eInvalidInput;
    unsigned int seg = std::min(unsigned(std::floor(std::max(param, 0.0))), n - 1);
    double t = std::clamp(param - seg, 0.0, 1.0);
    const Vertex& a = m_verts[seg];
    if (segType(seg) == kArc) {
        host::BulgeArc arc = host::bulgeArc(a.pt, m_verts[nextIndex(seg)].pt, a.bulge);
        double ang = arc.startAngle + t * arc.sweep;
        AcGeVector3d tangent2d(-std::sin(ang) * arc.radius * arc.sweep, std::cos(ang) * arc.radius * arc.sweep, 0.0);
        firstDeriv = AcGeMatrix3d::planeToWorld(m_normal) * tangent2d;
    } else {
        firstDeriv = segPoint(seg, 1.0) - segPoint(seg, 0.0);
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getClosestPointTo(const AcGePoint3d& givenPnt, AcGePoint3d& pointOnCurve,
                                                  Adesk::Boolean) const {
    unsigned int n = numSegments();
    if (numVerts() == 0) return Acad::eInvalidInput;
    if (n == 0) {
        pointOnCurve = toWorld(m_verts[0].pt);
        return Acad::eOk;
    }
    double best = -1.0;
    for (unsigned int i = 0; i < n; ++i) {
        AcGePoint3d on;
        double t = 0.0;
        double d = segClosest(i, givenPnt, on, t);
        if (best < 0.0 || d < best) best = d, pointOnCurve = on;
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getArea(double& area) const {
    // The polygon of the vertices (closed as if it were) plus the signed circular
    // segments of the bulges.
    unsigned int nv = numVerts();
    double sum = 0.0;
    for (unsigned int i = 0; i < nv; ++i) {
        const AcGePoint2d& a = m_verts[i].pt;
        const AcGePoint2d& b = m_verts[(i + 1) % nv].pt;
        sum += a.x * b.y - b.x * a.y;
        if ((i + 1 < nv || m_closed) && m_verts[i].bulge != 0.0) {
            host::BulgeArc arc = host::bulgeArc(a, b, m_verts[i].bulge);
            double theta = std::fabs(arc.sweep);
            double segment = 0.5 * arc.radius * arc.radius * (theta - std::sin(theta));
            sum += 2.0 * (arc.sweep > 0.0 ? segment : -segment);
        }
    }
    area = std::fabs(sum) / 2.0;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::reverseCurve() {
    unsigned int n = numVerts();
    if (n < 2) return Acad::eOk;
    assertWriteEnabled();
    std::vector<Vertex> out(n);
    for (unsigned int i = 0; i < n; ++i) {
        // New vertex i is old vertex j; the segment after it is the old one before j, reversed.
        unsigned int j = m_closed ? (n - i) % n : n - 1 - i;
        unsigned int before = m_closed ? (j + n - 1) % n : (j == 0 ? 0 : j - 1);
        out[i].pt = m_verts[j].pt;
        bool hasSegment = m_closed || i + 1 < n;
        out[i].bulge = hasSegment ? -m_verts[before].bulge : 0.0;
        out[i].startWidth = hasSegment ? m_verts[before].endWidth : 0.0;
        out[i].endWidth = hasSegment ? m_verts[before].startWidth : 0.0;
    }
    m_verts = std::move(out);
    return Acad::eOk;
}
