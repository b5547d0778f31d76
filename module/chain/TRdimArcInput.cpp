// Point input of arc chains: a measured point is put onto the arc along the line from
// its centre, its dimension point onto the dimension arc, and the extensions stay
// sorted along the arc; moving the dimension arc keeps it concentric with the measured
// one.
#include "module/chain/TRdim.h"

#include "host/ge/AcGeCircArc3d.h"
#include "host/ge/AcGeTol.h"
#include "module/base/LintaroLog.h"
#include "module/chain/ArcGeometry.h"
#include "module/options/OptionIndices.h"

#include <algorithm>
#include <cmath>
#include <memory>

using namespace lintaro::tol;

namespace {

constexpr int kWholeDimCircle = -100;

void AddSegment(std::vector<int>& list, int segment) {
    if (std::find(list.begin(), list.end(), segment) == list.end()) list.push_back(segment);
}

// `point` moved along the line from `centre` so that its distance grows by `delta`.
AcGePoint3d Radially(const AcGePoint3d& centre, const AcGePoint3d& point, double delta) {
    const AcGeVector3d v = point - centre;
    if (v.isZeroLength()) return point;
    return centre + v.normal() * std::max(0.0, v.length() + delta);
}

} // namespace

void TRdim::BuildArc(const AcGePoint3d& first, const AcGePoint3d& second) {
    m_rec.geo.arcPoints.setLogicalLength(7);
    for (AcGePoint3d& p : m_rec.geo.arcPoints)
        p = AcGePoint3d::kOrigin;
    m_rec.geo.arcParams.removeAll();
    SetParamInt(IND_I_ArcDimMinPoint, 0);
    SetParamInt(IND_I_ArcDimMaxPoint, 0);
    std::unique_ptr<AcGeCircArc3d> arc(GetArcInput(false));
    const bool circle = GetParamInt(IND_I_ArcDimInputArcIsCircle) != 0;
    // Two equal points on a circle measure the whole circumference.
    SetParamInt(IND_I_ArcDimAsCircle, circle && first.isEqualTo(second) ? 1 : 0);
    if (circle) SetParamInt(IND_I_ArcDimMaxPoint, 1);
    for (int i = 0; i < 2; ++i)
        SetPointInputArc(i, GetPointInput(i), kPointNew);
}

bool TRdim::OrderTwoOnArc() {
    // Two extensions are never sorted by the general rule, but an arc chain measures
    // counter-clockwise from its first extension: the lower parameter comes first.
    if (GetExtensions() != 2 || m_rec.geo.arcParams.length() != 2 ||
        GetParamInt(IND_I_ArcDimInputArcIsCircle))
        return false;
    if (!(m_rec.geo.arcParams[1] < m_rec.geo.arcParams[0])) return false;
    LogMsg(L" reverseParam ");
    SwapExtensions(0, 1);
    return true;
}

AcGePoint3d TRdim::ArcExtensionStart(int i, const AcGePoint3d& dimPoint, const AcGePoint3d& oldStart,
                                     const AcGePoint3d& oldDim, int iMode) {
    if (iMode == kPointNew)
        return GetParamInt(IND_I_ExtLine) == 1 ? FixedLengthStart(i, dimPoint) : m_rec.geo.points[4 * i];
    // A moved point keeps the length of its extension line.
    const AcGeVector3d towards = m_rec.geo.points[4 * i] - dimPoint;
    if (towards.isZeroLength()) return oldStart;
    return dimPoint + towards.normal() * oldStart.distanceTo(oldDim);
}

int TRdim::SetPointInputArc(int i, const AcGePoint3d& pointIn, int iMode) {
    const int n = GetExtensions();
    if (i < 0 || i >= n || n < 2) {
        LogFmt(L"\n******* SetPointInput !!! %d / %d ", i, n);
        return -1;
    }
    LogFmt(L"\nSetPointInputArc %d/%d ", i, n);
    assertWriteEnabled();
    const AcGePoint3d point = ProjectToChainPlane(pointIn);
    std::vector<int> centre;
    for (int s : {i, i + 1})
        if (s >= 1 && s < n && (iMode == kPointNew || TextAtDefault(s))) centre.push_back(s);

    // Onto the measured arc (its circle, so that a point beyond the arc's end stays
    // beside it) along the line from the centre.
    AcGePoint3d onArc = point;
    std::unique_ptr<AcGeCircArc3d> arc(ArcInput(false, i));
    if (!arc) {
        LogMsg(L" !!!SPI !pArcInput ");
    } else {
        const AcGeCircArc3d circle(arc->center(), arc->normal(), arc->radius());
        AcGeVector3d dir = point - arc->center();
        if (dir.length() < kArcPointNearCentre) dir = arc->startPoint() - arc->center();
        if (dir.isZeroLength() || !MyIntersect(AcGeLine3d(arc->center(), dir), circle, onArc, point)) {
            LogMsg(L"\n******* SPIA=!MyIntrsct");
            onArc = point;
        }
    }
    const AcGePoint3d oldDim = m_rec.geo.points[4 * i + 2];
    const AcGePoint3d oldStart = m_rec.geo.points[4 * i + 1];
    m_rec.geo.points[4 * i] = onArc;
    AcGePoint3d dimPoint = oldDim;
    std::unique_ptr<AcGeCircArc3d> dimArc(GetArcDim(kWholeDimCircle));
    if (dimArc && MyIntersect(GetLineExtArc(i), *dimArc, dimPoint, onArc))
        m_rec.geo.points[4 * i + 2] = dimPoint;
    else
        LogFmt(L"\n SPIA - DimPoint %d No INTERSECT!! ", i);
    SetPointExt(i, ArcExtensionStart(i, m_rec.geo.points[4 * i + 2], oldStart, oldDim, iMode), false);

    MakeParamArray();
    int r = i;
    if (iMode == kPointStretch) {
        if (i >= 1)
            SetPointText(i, m_rec.geo.points[4 * i + 3] + (m_rec.geo.points[4 * i + 2] - oldDim), false);
    } else if (n > 2) {
        r = RearrangeExtensions(i);
    } else if (OrderTwoOnArc()) {
        r = 1 - i;
    }
    if (r != i) {
        LogFmt(L"\n!!! iOriginalExt=%d teraz=%d ", i, r);
        for (int s : {i, i + 1})
            if (s >= 1 && s < n) UpdateDimText(s);
    }
    for (int s : {r, r + 1})
        if (s >= 1 && s < n) UpdateDimText(s);
    if (iMode == kPointNew) {
        centre.assign({r, r + 1});
    } else if (r != i) {
        AddSegment(centre, r);
        AddSegment(centre, r + 1);
    }
    CentreTexts(centre);
    return r;
}

void TRdim::ChangePointMainDimArc(const AcGePoint3d& pointIn, bool bKeepExt) {
    LogMsg(L"\n--- ChangePointMainDimArc ");
    const int n = GetExtensions();
    if (n < 2) {
        LogFmt(L"\n******* ChangePointMainDim !!! %d ", n);
        return;
    }
    assertWriteEnabled();
    std::unique_ptr<AcGeCircArc3d> old(GetArcDim(kWholeDimCircle));
    if (!old) return;
    const AcGePoint3d c = old->center();
    AcGePoint3d point = ProjectToChainPlane(pointIn);
    if (point.distanceTo(c) < kArcCentreNearOrigin) {
        LogMsg(L" !center<0.01!  ");
        point += m_rec.geo.axis[0] * kArcCentreNudge;
    }
    const double oldRadius = c.distanceTo(GetPointDim(0));
    const AcGeCircArc3d circle(c, old->normal(), point.distanceTo(c));
    const std::uint32_t extLine = GetParamInt(IND_I_ExtLine);
    const double fixed = extLine == 1 ? PaperToModel(GetParamDouble(IND_D_ExtLineLength)) : 0.0;
    for (int i = 0; i < n; ++i) {
        LogFmt(L" i=%d/%d ", i, n);
        const AcGePoint3d oldDim = m_rec.geo.points[4 * i + 2];
        const AcGePoint3d oldStart = m_rec.geo.points[4 * i + 1];
        AcGePoint3d dim = oldDim;
        if (MyIntersect(GetLineExtArc(i), circle, dim, oldDim))
            m_rec.geo.points[4 * i + 2] = dim;
        else
            LogFmt(L"\n ChPMDA - DimPoint %d No INTERSECT!! ", i);
        AcGePoint3d candidate = oldStart;
        if (!bKeepExt && extLine == 1)
            candidate = FixedLengthStart(i, dim);
        else if (bKeepExt && std::fabs(oldStart.distanceTo(oldDim) - fixed) < kFixedExtLength)
            candidate = Radially(c, oldStart, dim.distanceTo(c) - oldDim.distanceTo(c));
        SetPointExt(i, candidate, false);
    }
    // Where the line was placed; on a full circle the place of its circle text.
    m_rec.geo.points[3] = point;
    const double grown = circle.radius() - oldRadius;
    if (std::fabs(grown) > kDimPointSame)
        for (int k = 1; k < n; ++k)
            SetPointText(k, Radially(c, m_rec.geo.points[4 * k + 3], grown), true);
}
