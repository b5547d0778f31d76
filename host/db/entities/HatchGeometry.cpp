#include "host/db/entities/HatchGeometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace host {

namespace {

double dot(const AcGePoint2d& a, double x, double y) { return a.x * x + a.y * y; }

// The chords of the arc from p to q with bulge b (the tangent of a quarter of its
// sweep; positive: counter-clockwise), without p and q.
void addArc(std::vector<AcGePoint2d>& out, const AcGePoint2d& p, const AcGePoint2d& q, double b, double deviation) {
    const double dx = q.x - p.x, dy = q.y - p.y, c = std::hypot(dx, dy);
    if (c <= 0.0 || !std::isfinite(b)) return;
    const double sweep = 4.0 * std::atan(b);
    const double k = (1.0 - b * b) / (4.0 * b); // distance of the centre from the chord's middle, in chords
    const AcGePoint2d centre(p.x + dx / 2.0 - dy * k, p.y + dy / 2.0 + dx * k);
    const double r = std::hypot(p.x - centre.x, p.y - centre.y);
    const double a0 = std::atan2(p.y - centre.y, p.x - centre.x);
    const double step = deviation > 0.0 && deviation < r ? 2.0 * std::acos(1.0 - deviation / r) : std::numbers::pi / 8;
    const int n = std::clamp(int(std::ceil(std::fabs(sweep) / step)), 1, 4096);
    for (int i = 1; i < n; ++i) {
        const double a = a0 + sweep * double(i) / double(n);
        out.emplace_back(centre.x + r * std::cos(a), centre.y + r * std::sin(a));
    }
}

// Where the loops' edges cross the line through `origin` along (dx, dy): distances
// along it, sorted. An edge counts from its first end inclusive to its second
// exclusive, so a vertex on the line is crossed once.
std::vector<double> crossings(const std::vector<std::vector<AcGePoint2d>>& loops, const AcGePoint2d& origin,
                              double dx, double dy) {
    std::vector<double> u;
    for (const auto& loop : loops) {
        for (size_t i = 0; i < loop.size(); ++i) {
            const AcGePoint2d& p = loop[i];
            const AcGePoint2d& q = loop[(i + 1) % loop.size()];
            const double sp = (p.x - origin.x) * -dy + (p.y - origin.y) * dx;
            const double sq = (q.x - origin.x) * -dy + (q.y - origin.y) * dx;
            if ((sp < 0.0) == (sq < 0.0)) continue;
            const double t = sp / (sp - sq);
            const double x = p.x + (q.x - p.x) * t - origin.x, y = p.y + (q.y - p.y) * t - origin.y;
            u.push_back(x * dx + y * dy);
        }
    }
    std::sort(u.begin(), u.end());
    return u;
}

// The dashes of the pattern that fall in [a, b] along the line; false when there
// would be more than `room` of them.
bool addDashes(std::vector<HatchSegment>& out, const AcGePoint2d& origin, double dx, double dy, double a, double b,
               const std::vector<double>& dashes, size_t room) {
    auto at = [&](double u) { return AcGePoint2d(origin.x + dx * u, origin.y + dy * u); };
    double repeat = 0.0;
    for (double d : dashes) repeat += std::fabs(d);
    if (dashes.empty() || !(repeat > 0.0)) {
        out.emplace_back(at(a), at(b));
        return out.size() <= room;
    }
    if ((b - a) / repeat * double(dashes.size()) > double(room)) return false;
    for (double start = std::floor(a / repeat) * repeat; start < b; start += repeat) {
        double pos = start;
        for (double d : dashes) {
            const double len = std::fabs(d);
            if (d >= 0.0 && pos + len >= a && pos <= b) out.emplace_back(at(std::max(pos, a)), at(std::min(pos + len, b)));
            pos += len;
        }
        if (out.size() > room) return false;
    }
    return true;
}

} // namespace

std::vector<AcGePoint2d> hatchLoopPoints(const HatchLoop& loop, double deviation) {
    std::vector<AcGePoint2d> out;
    const size_t n = loop.vertices.size();
    for (size_t i = 0; i < n; ++i) {
        out.push_back(loop.vertices[i]);
        const double b = i < loop.bulges.size() ? loop.bulges[i] : 0.0;
        if (b != 0.0) addArc(out, loop.vertices[i], loop.vertices[(i + 1) % n], b, deviation);
    }
    return out;
}

std::vector<AcGePoint2d> hatchJoinedOutline(const std::vector<std::vector<AcGePoint2d>>& loops) {
    std::vector<AcGePoint2d> out;
    for (const auto& loop : loops) {
        if (loop.empty()) continue;
        if (out.empty()) {
            out = loop;
            out.push_back(loop.front());
            continue;
        }
        const AcGePoint2d home = out.front();
        out.insert(out.end(), loop.begin(), loop.end());
        out.push_back(loop.front());
        out.push_back(home);
    }
    return out;
}

std::vector<HatchSegment> hatchPatternSegments(const std::vector<std::vector<AcGePoint2d>>& loops,
                                               const HatchPatternLine& line, double minSpacing, size_t maxSegments) {
    std::vector<HatchSegment> out;
    const double dx = std::cos(line.angle), dy = std::sin(line.angle);
    const double spacing = dot(line.offset, -dy, dx);
    if (!std::isfinite(spacing) || std::fabs(spacing) <= minSpacing) return out;
    double lo = 0.0, hi = 0.0;
    bool first = true;
    for (const auto& loop : loops)
        for (const AcGePoint2d& p : loop) {
            const double t = dot(p, -dy, dx);
            lo = first ? t : std::min(lo, t);
            hi = first ? t : std::max(hi, t);
            first = false;
        }
    if (first) return out;
    const double b0 = dot(line.base, -dy, dx);
    const double k0 = std::ceil((std::min(lo, hi) - b0) / std::fabs(spacing));
    const double k1 = std::floor((std::max(lo, hi) - b0) / std::fabs(spacing));
    if (k1 - k0 > double(maxSegments)) return {};
    const double sign = spacing > 0.0 ? 1.0 : -1.0;
    for (double k = k0; k <= k1; ++k) {
        const double m = k * sign; // the how-manieth copy of the line this is
        const AcGePoint2d origin(line.base.x + line.offset.x * m, line.base.y + line.offset.y * m);
        const std::vector<double> u = crossings(loops, origin, dx, dy);
        for (size_t i = 0; i + 1 < u.size(); i += 2)
            if (!addDashes(out, origin, dx, dy, u[i], u[i + 1], line.dashes, maxSegments)) return {};
    }
    return out;
}

} // namespace host
