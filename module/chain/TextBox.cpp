#include "module/chain/TextBox.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

TextBoxCorners MakeTextBox(const AcGePoint3d& start, const TextFrame& frame, double width, double height,
                           double margin) {
    TextBoxCorners box;
    box[0] = start - frame.along * margin - frame.up * margin;
    box[1] = box[0] + frame.along * (width + 2.0 * margin);
    box[2] = box[1] + frame.up * (height + 2.0 * margin);
    box[3] = box[0] + frame.up * (height + 2.0 * margin);
    return box;
}

namespace {

struct Flat {
    double x;
    double y;
};

std::vector<Flat> Flatten(std::span<const AcGePoint3d> pts, const AcGePoint3d& origin,
                          const TextFrame& frame) {
    std::vector<Flat> out;
    out.reserve(pts.size());
    for (const AcGePoint3d& p : pts) {
        const AcGeVector3d v = p - origin;
        out.push_back({v.dotProduct(frame.along), v.dotProduct(frame.up)});
    }
    return out;
}

// True when some edge normal of `edges` separates the two polygons.
bool Separated(const std::vector<Flat>& edges, const std::vector<Flat>& a, const std::vector<Flat>& b) {
    const size_t n = edges.size();
    for (size_t i = 0; i < n; ++i) {
        const Flat& p = edges[i];
        const Flat& q = edges[(i + 1) % n];
        const double nx = -(q.y - p.y);
        const double ny = q.x - p.x;
        const double len = std::hypot(nx, ny);
        if (len <= lintaro::tol::kLayoutOverlap) continue;
        double minA = std::numeric_limits<double>::max(), maxA = -minA;
        double minB = minA, maxB = -minA;
        for (const Flat& f : a) {
            const double d = (f.x * nx + f.y * ny) / len;
            minA = std::min(minA, d);
            maxA = std::max(maxA, d);
        }
        for (const Flat& f : b) {
            const double d = (f.x * nx + f.y * ny) / len;
            minB = std::min(minB, d);
            maxB = std::max(maxB, d);
        }
        if (maxA <= minB + lintaro::tol::kLayoutOverlap || maxB <= minA + lintaro::tol::kLayoutOverlap)
            return true;
    }
    return false;
}

} // namespace

bool ConvexOverlap(std::span<const AcGePoint3d> a, std::span<const AcGePoint3d> b, const TextFrame& frame) {
    if (a.size() < 3 || b.size() < 3) return false;
    const AcGePoint3d origin = a[0];
    const std::vector<Flat> fa = Flatten(a, origin, frame);
    const std::vector<Flat> fb = Flatten(b, origin, frame);
    return !Separated(fa, fa, fb) && !Separated(fb, fa, fb);
}
