// LINE, CIRCLE, ARC and PLINE.
#include "host/db/entities/AcDbArc.h"
#include "host/db/entities/AcDbCircle.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/entities/AcDbPolyline.h"
#include "host/ed/input/EditorInput.h"
#include "host/ed/commands/HostDrawCommandsCommon.h"
#include "host/win/Transcript.h"

#include <cmath>
#include <vector>

namespace host::draw {

namespace {

// Points closer than this are one point: no segment, no arc between them.
constexpr double kSamePoint = 1e-10;
// Sines of angles below this are taken as straight (collinear points, no bend).
constexpr double kStraight = 1e-10;

void eraseEntity(AcDbObjectId id) {
    AcDbEntity* ent = nullptr;
    if (acdbOpenAcDbEntity(ent, id, AcDb::kForWrite) != Acad::eOk) return;
    ent->erase();
    ent->close();
}

bool appendLine(AcDbDatabase* db, const AcGePoint3d& from, const AcGePoint3d& to, AcDbObjectId& id) {
    return appendEntity(db, new AcDbLine(from, to), &id);
}

// A radius or diameter: a number or a point at that distance from the centre.
int getDistance(const AcGePoint3d& base, const wchar_t* prompt, const wchar_t* keywords, double& value) {
    const ads_point from = {base.x, base.y, base.z};
    for (;;) {
        acedInitGet(RSG_NONULL | RSG_NOZERO | RSG_NONEG, keywords);
        const int rc = acedGetDist(from, prompt, &value);
        if (rc != RTNORM) return rc;
        if (std::isfinite(value) && value > kSamePoint) return RTNORM;
        transcriptWrite(L"\nValue must be positive and nonzero.");
    }
}

AcGePoint2d plan(const AcGePoint3d& p) {
    return AcGePoint2d(p.x, p.y);
}

struct PlineVertex {
    AcGePoint2d point;
    double bulge = 0.0;
    AcGeVector2d tangentIn; // the direction the segment arrived in
};

// Appends the vertices as one polyline at the elevation of the start point.
void appendPolyline(AcDbDatabase* db, const std::vector<PlineVertex>& verts, double elevation, bool closed) {
    auto* pline = new AcDbPolyline(static_cast<unsigned>(verts.size()));
    for (unsigned i = 0; i < verts.size(); ++i)
        pline->addVertexAt(i, verts[i].point, verts[i].bulge);
    pline->setElevation(elevation);
    pline->setClosed(closed);
    appendEntity(db, pline);
}

// The segment from the last vertex to `to`: straight, or an arc going on from the last
// direction. False (nothing added) when there is no such segment.
bool addPlineSegment(std::vector<PlineVertex>& verts, const AcGePoint2d& to, bool arc) {
    PlineVertex& last = verts.back();
    const AcGeVector2d chord = to - last.point;
    if (chord.length() <= kSamePoint) return false;
    PlineVertex next{to, 0.0, chord / chord.length()};
    if (arc) {
        double bulge = 0.0;
        if (!tangentArc(last.tangentIn, last.point, to, bulge, next.tangentIn)) return false;
        last.bulge = bulge;
    } else {
        last.bulge = 0.0;
    }
    verts.push_back(next);
    return true;
}

} // namespace

bool arcThroughPoints(const AcGePoint3d& start, const AcGePoint3d& mid, const AcGePoint3d& end,
                      AcGePoint3d& centre, double& radius, double& startAngle, double& endAngle) {
    const AcGeVector2d ab(mid.x - start.x, mid.y - start.y);
    const AcGeVector2d ac(end.x - start.x, end.y - start.y);
    const double cross = ab.x * ac.y - ab.y * ac.x;
    if (std::abs(cross) <= kStraight * ab.length() * ac.length() || ab.length() <= kSamePoint ||
        ac.length() <= kSamePoint)
        return false;
    // The centre from the perpendicular bisectors, relative to the start point.
    const double d = 2.0 * cross;
    const double ux = (ac.y * ab.lengthSqrd() - ab.y * ac.lengthSqrd()) / d;
    const double uy = (ab.x * ac.lengthSqrd() - ac.x * ab.lengthSqrd()) / d;
    centre.set(start.x + ux, start.y + uy, start.z);
    radius = std::hypot(ux, uy);
    const double a0 = std::atan2(start.y - centre.y, start.x - centre.x);
    const double a2 = std::atan2(end.y - centre.y, end.x - centre.x);
    // Arcs run counter-clockwise: a clockwise pick order starts at the end point.
    startAngle = cross > 0 ? a0 : a2;
    endAngle = cross > 0 ? a2 : a0;
    return std::isfinite(radius);
}

bool tangentArc(const AcGeVector2d& tangent, const AcGePoint2d& from, const AcGePoint2d& to, double& bulge,
                AcGeVector2d& endTangent) {
    const AcGeVector2d chord = to - from;
    const double length = chord.length();
    if (length <= kSamePoint || tangent.length() <= kSamePoint) return false;
    const AcGeVector2d t = tangent / tangent.length();
    const AcGeVector2d c = chord / length;
    // The chord turns from the tangent by alpha; the arc sweeps twice that.
    const double alpha = std::atan2(t.x * c.y - t.y * c.x, t.x * c.x + t.y * c.y);
    if (std::abs(std::abs(alpha) - M_PI) <= kStraight) return false;
    bulge = std::tan(alpha / 2.0);
    endTangent = c;
    endTangent.rotateBy(alpha);
    return true;
}

void lineCommand() {
    AcDbDatabase* db = drawingOrSay();
    AcGePoint3d first;
    if (!db || getPoint(L"\nSpecify first point: ", nullptr, first) != RTNORM) return;
    std::vector<AcGePoint3d> points{first};
    std::vector<AcDbObjectId> segments;
    for (;;) {
        const bool canClose = segments.size() >= 2;
        AcGePoint3d next;
        const int rc = getPoint(canClose ? L"\nSpecify next point or [Close/Undo]: "
                                         : L"\nSpecify next point or [Undo]: ",
                                &points.back(), next, canClose ? L"Close Undo" : L"Undo");
        // Segments already drawn stay, also when the command is cancelled.
        if (rc != RTNORM && rc != RTKWORD) return;
        if (rc == RTKWORD && lastKeyword() == L"Close") {
            AcDbObjectId id;
            appendLine(db, points.back(), first, id);
            return;
        }
        if (rc == RTKWORD) {
            if (segments.empty()) {
                transcriptWrite(L"\nAll segments already undone.");
                continue;
            }
            eraseEntity(segments.back());
            segments.pop_back();
            points.pop_back();
            continue;
        }
        if (next.distanceTo(points.back()) <= kSamePoint) {
            transcriptWrite(L"\nThe next point must differ from the last one.");
            continue;
        }
        AcDbObjectId id;
        if (!appendLine(db, points.back(), next, id)) return;
        segments.push_back(id);
        points.push_back(next);
    }
}

void circleCommand() {
    AcDbDatabase* db = drawingOrSay();
    AcGePoint3d centre;
    if (!db || getPoint(L"\nSpecify center point for circle: ", nullptr, centre) != RTNORM) return;
    double radius = 0.0;
    int rc = getDistance(centre, L"\nSpecify radius of circle or [Diameter]: ", L"Diameter", radius);
    if (rc == RTKWORD) {
        rc = getDistance(centre, L"\nSpecify diameter of circle: ", nullptr, radius);
        radius /= 2.0;
    }
    if (rc == RTNORM) appendEntity(db, new AcDbCircle(centre, AcGeVector3d::kZAxis, radius));
}

void arcCommand() {
    AcDbDatabase* db = drawingOrSay();
    AcGePoint3d start, mid, end;
    if (!db || getPoint(L"\nSpecify start point of arc: ", nullptr, start) != RTNORM ||
        getPoint(L"\nSpecify second point of arc: ", &start, mid) != RTNORM)
        return;
    for (;;) {
        if (getPoint(L"\nSpecify end point of arc: ", &mid, end) != RTNORM) return;
        AcGePoint3d centre;
        double radius = 0.0, a0 = 0.0, a1 = 0.0;
        if (arcThroughPoints(start, mid, end, centre, radius, a0, a1)) {
            appendEntity(db, new AcDbArc(centre, AcGeVector3d::kZAxis, radius, a0, a1));
            return;
        }
        transcriptWrite(L"\nThe three points lie on one line; no arc passes through them.");
    }
}

void plineCommand() {
    AcDbDatabase* db = drawingOrSay();
    AcGePoint3d start;
    if (!db || getPoint(L"\nSpecify start point: ", nullptr, start) != RTNORM) return;
    transcriptWrite(L"\nCurrent line-width is 0.0000");
    // Without a segment before it, an arc starts along the X axis.
    std::vector<PlineVertex> verts{{plan(start), 0.0, AcGeVector2d(1.0, 0.0)}};
    bool arcMode = false;
    for (;;) {
        const bool canClose = verts.size() >= 3;
        const wchar_t* prompt = arcMode ? (canClose ? L"\nSpecify endpoint of arc or [CLose/Line/Undo]: "
                                                    : L"\nSpecify endpoint of arc or [Line/Undo]: ")
                                        : (canClose ? L"\nSpecify next point or [Arc/Close/Undo]: "
                                                    : L"\nSpecify next point or [Arc/Undo]: ");
        const wchar_t* keywords = arcMode ? (canClose ? L"CLose Line Undo" : L"Line Undo")
                                          : (canClose ? L"Arc Close Undo" : L"Arc Undo");
        const AcGePoint3d last(verts.back().point.x, verts.back().point.y, start.z);
        AcGePoint3d next;
        const int rc = getPoint(prompt, &last, next, keywords);
        // The polyline is one object: it exists only once its input is complete.
        if (rc == RTCAN) return;
        if (rc == RTNONE) {
            if (verts.size() >= 2) appendPolyline(db, verts, start.z, false);
            return;
        }
        if (rc == RTKWORD) {
            const std::wstring kw = lastKeyword();
            if (kw == L"Arc" || kw == L"Line") {
                arcMode = kw == L"Arc";
            } else if (kw == L"Undo") {
                if (verts.size() > 1) {
                    verts.pop_back();
                    verts.back().bulge = 0.0;
                } else
                    transcriptWrite(L"\nAll segments already undone.");
            } else if (addPlineSegment(verts, verts.front().point, arcMode)) {
                // Close: the last segment ends at the start, which it replaces.
                verts.pop_back();
                appendPolyline(db, verts, start.z, true);
                return;
            } else {
                transcriptWrite(L"\nNo segment can close the polyline from here.");
            }
            continue;
        }
        if (!addPlineSegment(verts, plan(next), arcMode))
            transcriptWrite(arcMode ? L"\nNo arc leads from the last segment to that point."
                                    : L"\nThe next point must differ from the last one.");
    }
}

} // namespace host::draw
