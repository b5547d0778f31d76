#include "host/ed/commands/EditGeometry.h"

#include "host/db/entities/DrawnGeometry.h"
#include "host/ed/selection/SelectionGeometry.h"
#include "host/ge/AcGePlane.h"
#include "host/gi/GiPrimitiveGeometry.h"

#include <algorithm>
#include <cmath>

namespace host::edit {

namespace {

AcGePoint3d inUcs(const AcGeMatrix3d& ucs, const AcGePoint3d& world) {
    return ucs.inverse() * world;
}

PlanWindow boxOf(const StretchRegion& region) {
    return PlanWindow(AcGePoint3d(region.corners[0].x, region.corners[0].y, 0.0),
                      AcGePoint3d(region.corners[1].x, region.corners[1].y, 0.0));
}

// Even-odd rule; points on the border count as inside.
bool polygonContains(const std::vector<AcGePoint2d>& poly, double px, double py) {
    bool in = false;
    for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        const AcGePoint2d& a = poly[i];
        const AcGePoint2d& b = poly[j];
        // On the edge a-b: collinear and between its ends.
        const double cross = (b.x - a.x) * (py - a.y) - (b.y - a.y) * (px - a.x);
        const double len = std::hypot(b.x - a.x, b.y - a.y);
        if (std::fabs(cross) <= kSamePlanPoint * std::max(len, 1.0) &&
            px >= std::min(a.x, b.x) - kSamePlanPoint && px <= std::max(a.x, b.x) + kSamePlanPoint &&
            py >= std::min(a.y, b.y) - kSamePlanPoint && py <= std::max(a.y, b.y) + kSamePlanPoint)
            return true;
        if ((a.y > py) != (b.y > py) && px < (b.x - a.x) * (py - a.y) / (b.y - a.y) + a.x) in = !in;
    }
    return in;
}

std::vector<AcGePoint3d> ringOf(const std::vector<AcGePoint2d>& poly) {
    std::vector<AcGePoint3d> ring;
    for (const AcGePoint2d& p : poly)
        ring.emplace_back(p.x, p.y, 0.0);
    ring.push_back(ring.front());
    return ring;
}

bool hasEndlessLine(const gi::GiRecording& recording) {
    return std::any_of(recording.begin(), recording.end(), [](const gi::GiPrimitive& p) {
        return p.kind == gi::GiPrimitive::Xline || p.kind == gi::GiPrimitive::Ray;
    });
}

AcGePoint3d startOf(const DrawnPiece& piece) {
    return piece.kind == DrawnPiece::Arc ? piece.center + piece.startVector * piece.radius : piece.a;
}

} // namespace

AcGeMatrix3d rotationAboutUcsZ(const AcGeMatrix3d& ucs, const AcGePoint3d& base, double radians) {
    AcGeVector3d axis = ucs * AcGeVector3d::kZAxis;
    axis.normalize();
    return AcGeMatrix3d::rotation(radians, axis, base);
}

bool mirrorAcrossUcsLine(const AcGeMatrix3d& ucs, const AcGePoint3d& a, const AcGePoint3d& b,
                         AcGeMatrix3d& out) {
    const AcGePoint3d ua = inUcs(ucs, a), ub = inUcs(ucs, b);
    double angle = 0.0;
    if (!planAngle(ua, ub, angle)) return false;
    // The mirror plane holds the line (in the plan) and the UCS Z axis.
    const AcGeVector3d lineDir = ucs * AcGeVector3d(std::cos(angle), std::sin(angle), 0.0);
    const AcGeVector3d zAxis = ucs * AcGeVector3d::kZAxis;
    const AcGeVector3d normal = lineDir.crossProduct(zAxis).normal();
    out = AcGeMatrix3d::mirroring(AcGePlane(a, normal));
    return true;
}

bool planAngle(const AcGePoint3d& fromUcs, const AcGePoint3d& toUcs, double& radians) {
    const double dx = toUcs.x - fromUcs.x, dy = toUcs.y - fromUcs.y;
    if (!(std::hypot(dx, dy) > kSamePlanPoint)) return false;
    radians = std::atan2(dy, dx);
    return true;
}

StretchRegion StretchRegion::window(const AcGePoint3d& a, const AcGePoint3d& b) {
    StretchRegion r;
    r.corners = {AcGePoint2d(a.x, a.y), AcGePoint2d(b.x, b.y)};
    return r;
}

StretchRegion StretchRegion::closedPolygon(const std::vector<AcGePoint3d>& points) {
    StretchRegion r;
    r.polygon = true;
    for (const AcGePoint3d& p : points)
        r.corners.emplace_back(p.x, p.y);
    return r;
}

bool StretchRegion::contains(double x, double y) const {
    if (!polygon) return corners.size() == 2 && boxOf(*this).contains(x, y);
    return corners.size() >= 3 && polygonContains(corners, x, y);
}

bool regionHolds(const StretchRegion& region, const gi::GiRecording& recording) {
    if (!region.polygon) return region.corners.size() == 2 && insideWindow(recording, boxOf(region));
    if (region.corners.size() < 3 || recording.empty() || hasEndlessLine(recording)) return false;
    if (crossesFence(recording, ringOf(region.corners))) return false;
    const std::vector<DrawnPiece> pieces = planPiecesOf(recording);
    if (pieces.empty()) {
        // Nothing but points or fills: their box decides.
        AcGePoint3d lo, hi;
        return gi::recordingExtents(recording, lo, hi) && region.contains(lo.x, lo.y) &&
               region.contains(hi.x, hi.y);
    }
    return std::all_of(pieces.begin(), pieces.end(), [&](const DrawnPiece& piece) {
        const AcGePoint3d s = startOf(piece);
        return region.contains(s.x, s.y);
    });
}

bool regionCrosses(const StretchRegion& region, const gi::GiRecording& recording) {
    if (!region.polygon) return region.corners.size() == 2 && crossesWindow(recording, boxOf(region));
    if (region.corners.size() < 3 || recording.empty()) return false;
    if (crossesFence(recording, ringOf(region.corners))) return true;
    for (const DrawnPiece& piece : planPiecesOf(recording)) {
        const AcGePoint3d s = startOf(piece);
        if (region.contains(s.x, s.y)) return true;
    }
    return regionHolds(region, recording);
}

AcDbIntArray pointsInRegions(const AcGePoint3dArray& points, const std::vector<StretchRegion>& regions) {
    AcDbIntArray inside;
    for (int i = 0; i < points.length(); ++i) {
        const bool in = std::any_of(regions.begin(), regions.end(), [&](const StretchRegion& r) {
            return r.contains(points[i].x, points[i].y);
        });
        if (in) inside.append(i);
    }
    return inside;
}

int nearestGrip(const AcGePoint3dArray& grips, const AcGePoint3d& at, double halfBox) {
    int best = -1;
    double bestDistance = 0.0;
    for (int i = 0; i < grips.length(); ++i) {
        const double dx = grips[i].x - at.x, dy = grips[i].y - at.y;
        if (std::fabs(dx) > halfBox || std::fabs(dy) > halfBox) continue;
        const double d = std::hypot(dx, dy);
        if (best < 0 || d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

} // namespace host::edit
