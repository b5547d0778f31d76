// HATCH records as the host's hatches. The groups come in a fixed order (the
// loops, each a polyline or a list of edges, then the pattern and its line
// families), so they are read with a cursor. Edges become polyline loops: lines
// and circular arcs exactly (arcs as bulges), elliptic arcs and splines as chords
// through their points. A loop that cannot be made is left out and counted.
#include "host/db/entities/AcDbHatch.h"
#include "host/io/dxf/DxfImporter.h"

#include <cmath>
#include <memory>
#include <numbers>

namespace host::dxf {

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
// Chords per full turn of an elliptic arc.
constexpr int kEllipseChords = 64;

class Cursor {
public:
    explicit Cursor(std::span<const DxfGroup> groups) : m_g(groups) {}
    bool done() const { return m_i >= m_g.size(); }
    int code() const { return done() ? -1 : m_g[m_i].code; }
    const DxfGroup& take() { return m_g[m_i++]; }
    // The value of the next group when it has `code` (taken), else the fallback.
    double next(int code, double fallback = 0.0) { return this->code() == code ? take().number : fallback; }
    // Moves to the next group with `code`; false when there is none.
    bool seek(int code) {
        while (!done() && m_g[m_i].code != code) ++m_i;
        return !done();
    }
    AcGePoint2d point(int xCode, int yCode) {
        const double x = next(xCode);
        return AcGePoint2d(x, next(yCode));
    }
    AcGePoint2d point(int xCode) { return point(xCode, xCode + 10); }

private:
    std::span<const DxfGroup> m_g;
    size_t m_i = 0;
};

struct LoopIn {
    AcGePoint2dArray vertices;
    AcGeDoubleArray bulges;
    bool ok = true;
};

void readPolylineLoop(Cursor& c, LoopIn& loop) {
    const bool hasBulge = c.next(72) != 0.0;
    c.next(73); // closed: a hatch loop is closed anyway
    const int n = int(c.next(93));
    for (int i = 0; i < n && c.code() == 10; ++i) {
        loop.vertices.append(c.point(10));
        loop.bulges.append(hasBulge ? c.next(42) : 0.0);
    }
}

// Adds an edge from its start; the next edge's start closes it (the loop is closed).
void addPoint(LoopIn& loop, const AcGePoint2d& p, double bulge) {
    loop.vertices.append(p);
    loop.bulges.append(bulge);
}

void readArcEdge(Cursor& c, LoopIn& loop) {
    const AcGePoint2d centre = c.point(10);
    const double r = c.next(40);
    double a0 = c.next(50) * kDegree, a1 = c.next(51) * kDegree;
    const bool ccw = c.next(73, 1.0) != 0.0;
    // Clockwise arcs give their angles mirrored.
    if (!ccw) {
        a0 = -a0;
        a1 = -a1;
    }
    double sweep = a1 - a0;
    if (ccw ? sweep <= 0.0 : sweep >= 0.0) sweep += ccw ? 2 * std::numbers::pi : -2 * std::numbers::pi;
    if (!(r > 0.0)) {
        loop.ok = false;
        return;
    }
    // A full circle is two half circles.
    const int parts = std::fabs(sweep) > std::numbers::pi ? 2 : 1;
    for (int i = 0; i < parts; ++i) {
        const double a = a0 + sweep * i / parts;
        addPoint(loop, AcGePoint2d(centre.x + r * std::cos(a), centre.y + r * std::sin(a)), std::tan(sweep / parts / 4.0));
    }
}

void readEllipseEdge(Cursor& c, LoopIn& loop) {
    const AcGePoint2d centre = c.point(10), major = c.point(11);
    const double ratio = c.next(40, 1.0);
    double a0 = c.next(50) * kDegree, a1 = c.next(51) * kDegree;
    const bool ccw = c.next(73, 1.0) != 0.0;
    double sweep = a1 - a0;
    if (sweep <= 0.0) sweep += 2 * std::numbers::pi;
    const AcGePoint2d minor(-major.y * ratio, major.x * ratio);
    const int n = std::max(2, int(std::ceil(sweep / (2 * std::numbers::pi) * kEllipseChords)));
    for (int i = 0; i < n; ++i) {
        const double t = ccw ? a0 + sweep * i / n : -(a0 + sweep * i / n);
        addPoint(loop, AcGePoint2d(centre.x + major.x * std::cos(t) + minor.x * std::sin(t),
                                   centre.y + major.y * std::cos(t) + minor.y * std::sin(t)),
                 0.0);
    }
}

// A spline edge through its control points (the frame the curve stays inside):
// good enough to show the area, not exact.
void readSplineEdge(Cursor& c, LoopIn& loop) {
    c.next(94);
    c.next(73);
    c.next(74);
    const int knots = int(c.next(95)), controls = int(c.next(96));
    for (int i = 0; i < knots && c.code() == 40; ++i) c.take();
    for (int i = 0; i < controls && c.code() == 10; ++i) {
        addPoint(loop, c.point(10), 0.0);
        c.next(42);
    }
    const int fit = int(c.next(97));
    for (int i = 0; i < fit && c.code() == 11; ++i) c.point(11);
    if (c.code() == 12) c.point(12);
    if (c.code() == 13) c.point(13);
}

void readEdgeLoop(Cursor& c, LoopIn& loop) {
    const int n = int(c.next(93));
    for (int i = 0; i < n && c.code() == 72; ++i) {
        switch (int(c.take().number)) {
        case 1: {
            const AcGePoint2d a = c.point(10);
            c.point(11); // the end is the next edge's start
            addPoint(loop, a, 0.0);
            break;
        }
        case 2:
            readArcEdge(c, loop);
            break;
        case 3:
            readEllipseEdge(c, loop);
            break;
        case 4:
            readSplineEdge(c, loop);
            break;
        default:
            loop.ok = false;
            return;
        }
    }
}

void readPatternLines(Cursor& c, AcDbHatch* h) {
    const int n = int(c.next(78));
    for (int i = 0; i < n && c.code() == 53; ++i) {
        const double angle = c.take().number * kDegree;
        const AcGePoint2d base = c.point(43, 44), offset = c.point(45, 46);
        AcGeDoubleArray dashes;
        const int count = int(c.next(79));
        for (int k = 0; k < count && c.code() == 49; ++k) dashes.append(c.take().number);
        h->appendPatternDefinition(angle, base.x, base.y, offset.x, offset.y, dashes);
    }
}

} // namespace

AcDbEntity* DxfImporter::makeHatch(const DxfRecord& r, std::wstring& skipped) {
    std::unique_ptr<AcDbHatch> h(new AcDbHatch());
    h->setNormal(r.normal());
    h->setElevation(r.point(10).z);
    const std::wstring name = m_doc.text(r.find(2));
    const bool solid = r.integer(70) == 1;
    h->setPattern(AcDbHatch::kPreDefined, solid ? L"SOLID" : name.empty() ? L"_USER" : name.c_str());
    Cursor c(r.groups);
    size_t dropped = 0;
    if (c.seek(91)) {
        const int loops = int(c.take().number);
        for (int i = 0; i < loops && c.code() == 92; ++i) {
            const int type = int(c.take().number);
            LoopIn loop;
            if (type & AcDbHatch::kPolyline) readPolylineLoop(c, loop);
            else readEdgeLoop(c, loop);
            // The boundary objects it was made from are not kept (no associativity).
            for (int k = int(c.next(97)); k > 0 && c.code() == 330; --k) c.take();
            if (!loop.ok || h->appendLoop(type & ~AcDbHatch::kPolyline, loop.vertices, loop.bulges) != Acad::eOk)
                ++dropped;
        }
    }
    if (c.code() == 75) h->setHatchStyle(AcDbHatch::HatchStyle(std::clamp(int(c.take().number), 0, 2)));
    if (c.code() == 76) h->setPattern(AcDbHatch::HatchPatternType(std::clamp(int(c.take().number), 0, 2)), h->patternName());
    if (!solid) {
        h->setPatternAngle(c.next(52) * kDegree);
        const double scale = c.next(41, 1.0);
        if (scale > 0.0) h->setPatternScale(scale);
        h->setPatternDouble(c.next(77) != 0.0);
        readPatternLines(c, h.get());
    }
    if (dropped) notImported(L"HATCH loop", dropped);
    if (h->numLoops() == 0) {
        skipped = L"HATCH (no boundary)";
        return nullptr;
    }
    return h.release();
}

} // namespace host::dxf
