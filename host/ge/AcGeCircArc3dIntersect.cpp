// Intersections of an arc with straight lines.
#include "host/ge/AcGeCircArc3d.h"
#include "host/ge/AcGeLinearEnt3d.h"

#include <cmath>

namespace {

struct Candidate {
    AcGePoint3d pnt;
    double along = 0.0; // distance from the line's point along its direction
};

// Candidates on the full circle and the unbounded line, nearer the line's
// start first.
int circleLineCandidates(const AcGeCircArc3d& arc, const AcGeLinearEnt3d& line, Candidate out[2],
                         const AcGeTol& tol) {
    const AcGeVector3d n = arc.normal();
    const AcGeVector3d d = line.direction();
    if (d.isZeroLength(tol)) return 0;
    const AcGeVector3d w = line.pointOnLine() - arc.center();
    const double height = w.dotProduct(n);
    const double dn = d.dotProduct(n);
    if (std::fabs(dn) > tol.equalVector()) {
        // The line crosses the arc's plane once; that point may lie on the circle.
        const double s = -height / dn;
        const AcGeVector3d radial = w + d * s;
        if (std::fabs(radial.length() - arc.radius()) > tol.equalPoint()) return 0;
        out[0] = {arc.center() + radial, s};
        return 1;
    }
    if (std::fabs(height) > tol.equalPoint()) return 0;
    // In the plane: the foot of the centre on the line, then symmetric about it.
    const double footAlong = -w.dotProduct(d);
    const AcGeVector3d footRadial = (w + d * footAlong).orthoProject(n);
    const double h = footRadial.length();
    const double r = arc.radius();
    if (h > r + tol.equalPoint()) return 0;
    if (std::fabs(h - r) <= tol.equalPoint()) {
        out[0] = {arc.center() + footRadial, footAlong};
        return 1;
    }
    const double half = std::sqrt(r * r - h * h);
    out[0] = {arc.center() + footRadial - d * half, footAlong - half};
    out[1] = {arc.center() + footRadial + d * half, footAlong + half};
    return 2;
}

// Candidates lie on both curves by construction; only the bounds remain to be
// checked, in parameters, so rounding far from the origin cannot reject them.
bool withinArc(const AcGeCircArc3d& arc, const AcGePoint3d& pnt, const AcGeTol& tol) {
    if (arc.radius() <= 0.0) return true;
    const double slack = tol.equalPoint() / arc.radius();
    const double p = arc.paramOf(pnt, tol);
    return p >= arc.startAng() - slack && p <= arc.endAng() + slack;
}

bool withinLine(const AcGeLinearEnt3d& line, double along, const AcGeTol& tol) {
    AcGeInterval range;
    line.getInterval(range);
    const double len = (line.evalPoint(1.0) - line.evalPoint(0.0)).length();
    const double t = along / len;
    return range.contains(t, tol.equalPoint() / len);
}

} // namespace

bool AcGeCircArc3d::intersectWith(const AcGeLinearEnt3d& line, int& intn, AcGePoint3d& p1, AcGePoint3d& p2,
                                  const AcGeTol& tol) const {
    intn = 0;
    Candidate cand[2];
    const int n = circleLineCandidates(*this, line, cand, tol);
    AcGePoint3d found[2];
    for (int i = 0; i < n; ++i) {
        if (withinArc(*this, cand[i].pnt, tol) && withinLine(line, cand[i].along, tol))
            found[intn++] = cand[i].pnt;
    }
    if (intn > 0) p1 = found[0];
    if (intn > 1) p2 = found[1];
    return intn > 0;
}
