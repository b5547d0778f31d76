// Point input and extension geometry of a chain: input points are projected into the
// chain's plane, dimension points found on the dimension line, extension lines started
// by the rules of the options, and the extensions kept sorted along the dimension line.
// Arc chains hand over to their own variants.
#include "module/chain/TRdim.h"

#include "host/ge/AcGeCircArc3d.h"
#include "host/ge/AcGeTol.h"
#include "module/services/ActiveCommand.h"
#include "module/base/LintaroLog.h"
#include "module/chain/ChainScale.h"
#include "module/chain/ValueTextMemo.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/OptionIndices.h"

#include <algorithm>
#include <cmath>
#include <string_view>

using namespace lintaro::tol;

namespace {

// A global chain option (the rules of extension lines are the user's, not the chain's).
double GlobalDouble(int index) {
    if (!pGlobDimOptions) return 0.0;
    const std::vector<double>& values = pGlobDimOptions->GetOptionSet(OPT_MODE_CHAIN).arrayOptDouble;
    return index >= 0 && index < static_cast<int>(values.size()) ? values[static_cast<size_t>(index)] : 0.0;
}

bool GlobalFlag(int index) {
    return pGlobDimOptions && pGlobDimOptions->GetOptFlag(index) != 0;
}

// True while the host's own STRETCH runs: it moves points one by one and a sort in
// between would mix up which point is which.
bool InStretchCommand() {
    // The running commands, nested ones after a "'".
    const std::wstring names = GetActiveCommand(true);
    const std::wstring_view all(names);
    for (size_t start = 0; start <= all.size();) {
        const size_t end = std::min(all.find(L'\'', start), all.size());
        if (all.substr(start, end - start) == L"STRETCH") return true;
        start = end + 1;
    }
    return false;
}

void AddOnce(std::vector<int>& list, int segment) {
    if (std::find(list.begin(), list.end(), segment) == list.end()) list.push_back(segment);
}

} // namespace

// ---------------------------------------------------------------- planes and lines

AcGePlane TRdim::GetChainPlane() const {
    return m_rec.geo.Plane();
}

AcGePoint3d TRdim::ProjectToChainPlane(const AcGePoint3d& point) const {
    return m_rec.geo.ProjectToPlane(point);
}

AcGeLine3d TRdim::GetLineExt(int i) const {
    if (IsDimArc()) return GetLineExtArc(i);
    if (i < 0) i = -i;
    if (i >= GetExtensions()) LogFmt(L"\n****GetLineExt( %d ) iExtNumber >= GetExtensions ", i);
    const int slot = Slot(i, 0);
    const AcGePoint3d input = slot >= 0 ? m_rec.geo.points[slot] : AcGePoint3d::kOrigin;
    AcGeVector3d extend = m_rec.geo.vectorDim.crossProduct(m_rec.geo.axis[2]);
    if (extend.isZeroLength() || !extend.isPerpendicularTo(m_rec.geo.vectorDim)) {
        LogFmt(L"\n GetLineExt NoPerp!! m_vectorDim=%.1f,%.1f,%.1f vecExtend=%.1f,%.1f,%.1f "
               L"m_zAxis=%.1f,%.1f,%.1f",
               m_rec.geo.vectorDim.x, m_rec.geo.vectorDim.y, m_rec.geo.vectorDim.z, extend.x, extend.y,
               extend.z, m_rec.geo.zAxis.x, m_rec.geo.zAxis.y, m_rec.geo.zAxis.z);
        extend = m_rec.geo.vectorDim.crossProduct(AcGeVector3d::kZAxis);
    }
    return AcGeLine3d(input, extend);
}

bool TRdim::Intersect(const AcGeLine3d& lineA, const AcGeLine3d& lineB, AcGePoint3d& result) {
    if (lineA.intersectWith(lineB, result)) return true;
    // Far from the origin two lines of one plane may miss each other by rounding.
    for (int n = 1; n <= kIntersectTolSteps; ++n) {
        AcGeTol tol;
        tol.setEqualPoint(n * kIntersectTolStep);
        if (lineA.intersectWith(lineB, result, tol)) return true;
    }
    if (lineA.isParallelTo(lineB))
        LogMsg(L"\n*******lineDim isParallelTo lineExt ");
    else
        LogMsg(L"\n********Unknown Intersect Error ");
    return false;
}

bool TRdim::MyIntersect(const AcGeLine3d& line, const AcGeCircArc3d& arc, AcGePoint3d& result,
                        const AcGePoint3d& nearPoint, const AcGeCurve3d* curve) {
    int count = 0;
    AcGePoint3d p1, p2;
    if (!arc.intersectWith(line, count, p1, p2) || count < 1) return false;
    if (count == 1 || p1.isEqualTo(p2)) {
        result = p1;
        return true;
    }
    if (curve) {
        AcGeTol onCurve;
        onCurve.setEqualPoint(kOnCurve);
        const bool on1 = curve->isOn(p1, onCurve);
        const bool on2 = curve->isOn(p2, onCurve);
        if (on1 != on2) {
            result = on1 ? p1 : p2;
            return true;
        }
    }
    result = nearPoint.distanceTo(p1) <= nearPoint.distanceTo(p2) ? p1 : p2;
    return true;
}

int TRdim::SideOfDimLine(int i, double angle, const AcGePoint3d* point) {
    if (i < 0) i = -i;
    if (Slot(i, 2) < 0) return 1;
    AcGePoint3d from = m_rec.geo.points[4 * i];
    if (point) from = GetLineExt(i).closestPointTo(ProjectToChainPlane(*point));
    AcGeVector3d v = m_rec.geo.points[4 * i + 2] - from;
    v.transformBy(GetUcsMatrix().inverse());
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const double x = v.x * c + v.y * s;
    const double y = -v.x * s + v.y * c;
    if (std::fabs(x) < kSideOfDimLine) return y >= kSideOfDimLine ? 1 : -1;
    return (std::fabs(y) <= kSideOfDimLine || x < kSideOfDimLine) ? 1 : -1;
}

// ---------------------------------------------------------------- measured values

double TRdim::GetDistance(int k) {
    return IsDimArc() ? GetDistanceArc(k) : m_rec.geo.StraightLength(k);
}

int TRdim::UpdateDimText(int k) {
    if (k < 0 || (k == 0 && !IsDimArc())) k = 1;
    if (k >= GetExtensions()) return 0;
    RepairAcadUnits(m_rec.params.arrayDouble);
    const std::wstring value = MemoizedValueText(2, GetDistance(k), m_rec.params, GetFormatEnv());
    return SetDimTextDim(k, value.c_str());
}

// ---------------------------------------------------------------- adding and moving points

int TRdim::AddPointInput(const AcGePoint3d& pointIn, bool bNoCheck) {
    try {
        int n = GetExtensions();
        LogFmt(L"\n # AddPointInput %d/%d ", n, static_cast<int>(m_rec.texts.size()));
        AcGePoint3d point = n >= 1 ? ProjectToChainPlane(pointIn) : pointIn;
        if (!IsDimArc() && !bNoCheck && n >= 1) {
            const AcGePoint3d foot =
                AcGeLine3d(m_rec.geo.points[2], m_rec.geo.vectorDim).closestPointTo(point);
            for (int i = 0; i < n; ++i) {
                if (m_rec.geo.points[4 * i + 2].distanceTo(foot) >= kDimPointSame) continue;
                LogFmt(L"\n\n*** AddPointInput *** DimPoint uz existuje(iExt=%d) ", i);
                if (n >= 2) return -1;
                point += m_rec.geo.vectorDim / kDuplicateNudgeDivisor;
                break;
            }
        }
        assertWriteEnabled();
        for (int c = 0; c < 4; ++c)
            m_rec.geo.points.append(point);
        ++n;
        SyncTexts();
        // The new flag word goes in now, so that it travels with its extension while sorting.
        SyncExtFlags(n - 1, true);
        if (n <= 2) return n - 1;
        int r = SetPointInput(n - 1, point, kPointNew);
        if (r < 0) r = n - 1;
        if (GlobalFlag(IND_OPT_B_AutoPosition) && !IsDimArc()) {
            const int segment = r == 0 ? 1 : r;
            SetDimTextPos(segment, -8);
            CenterText(segment);
        }
        LogFmt(L"\nEND AddPointInput %d/%d ", r, n);
        return r;
    } catch (...) {
        LogMsg(L"\n*** ERROR AddPointInput *****");
        return -1;
    }
}

bool TRdim::TextAtDefault(int k) {
    return GetPointTextPos(k).distanceTo(DefaultTextPoint(k)) < kTextAtDefault;
}

AcGePoint3d TRdim::FixedLengthStart(int i, const AcGePoint3d& dimPoint) {
    const double length = PaperToModel(GetParamDouble(IND_D_ExtLineLength));
    AcGeVector3d toObject = m_rec.geo.points[4 * i] - dimPoint;
    if (toObject.length() < kDimPointSame)
        toObject = m_rec.geo.vectorDim.crossProduct(GetUcsNormal()); // below the line
    if (toObject.isZeroLength()) return dimPoint;
    return dimPoint + toObject.normal() * length;
}

void TRdim::CentreTexts(const std::vector<int>& segments) {
    const int n = GetExtensions();
    for (int k : segments)
        if (k >= 1 && k < n) CenterText(k);
}

int TRdim::SetPointInput(int i, const AcGePoint3d& pointIn, int iMode) {
    if (IsDimArc()) return SetPointInputArc(i, pointIn, iMode);
    const int n = GetExtensions();
    if (i < 0 || i >= n || n < 2) {
        LogFmt(L"\n******* SetPointInput !!! %d / %d ", i, n);
        return -1;
    }
    LogFmt(L"\nSetPointInput %d/%d ", i, n);
    assertWriteEnabled();
    const AcGePoint3d point = ProjectToChainPlane(pointIn);
    std::vector<int> centre;
    for (int s : {i, i + 1})
        if (s >= 1 && s < n && (iMode == kPointNew || TextAtDefault(s))) centre.push_back(s);

    const AcGePoint3d oldDim = m_rec.geo.points[4 * i + 2];
    m_rec.geo.points[4 * i] = point;
    const AcGePoint3d other = m_rec.geo.points[4 * (i == 0 ? 1 : 0) + 2];
    AcGePoint3d dimPoint;
    if (!Intersect(AcGeLine3d(other, m_rec.geo.vectorDim), GetLineExt(i), dimPoint)) {
        const AcGeVector3d ext = GetLineExt(i).direction();
        LogMsg(L"\nERR 6 ");
        LogFmt(L"\n SPI- No INTERSECT!! m_vectorDim=%.1f,%.1f,%.1f Ext=%.1f,%.1f,%.1f ",
               m_rec.geo.vectorDim.x, m_rec.geo.vectorDim.y, m_rec.geo.vectorDim.z, ext.x, ext.y, ext.z);
        m_rec.geo.points[4 * i + 1] = point;
        return i;
    }
    m_rec.geo.points[4 * i + 2] = dimPoint;

    AcGePoint3d candidate = point;
    if (iMode != kPointNew)
        candidate = m_rec.geo.points[4 * i + 1];
    else if (GetParamInt(IND_I_ExtLine) == 1)
        candidate = FixedLengthStart(i, dimPoint);
    AcGePoint3d start;
    if (!Intersect(AcGeLine3d(candidate, m_rec.geo.vectorDim), GetLineExt(i), start)) {
        LogMsg(L"\nERR 5 SetPointInput ");
        LogMsg(L" - SPI No INTERSECT!! ");
        start = point;
    }
    SetPointExt(i, start, false);

    int r = i;
    if (iMode == kPointStretch) {
        if (i >= 1) SetPointText(i, m_rec.geo.points[4 * i + 3] + (dimPoint - oldDim), false);
    } else if (n > 2) {
        r = RearrangeExtensions(i);
        if (r != i && iMode != kPointNew && GlobalFlag(IND_OPT_B_AutoPosition)) {
            std::vector<int> moved{r, r + 1};
            if (r > 1 && r < n - 1) moved.push_back(r - 1);
            for (int s : moved)
                if (s >= 1 && s < n && TextAtDefault(s)) AddOnce(centre, s);
        }
    }
    if (r != i) {
        LogFmt(L"\n!!! iOriginalExt=%d teraz=%d ", i, r);
        for (int s : {i, i + 1})
            if (s >= 1 && s < n) UpdateDimText(s);
    }
    // Both segments at the new place changed their length, whatever the mode.
    for (int s : {r, r + 1})
        if (s >= 1 && s < n) UpdateDimText(s);
    if (iMode == kPointNew)
        centre.assign({r, r + 1});
    else if (r != i) {
        AddOnce(centre, r);
        AddOnce(centre, r + 1);
    }
    CentreTexts(centre);
    return r;
}

void TRdim::SetPointExt(int i, const AcGePoint3d& pointIn, bool bKeep) {
    if (i < 0 || i >= GetExtensions()) {
        LogFmt(L"\n******* SetPointExt !!! %d / %d ", i, GetExtensions());
        return;
    }
    if (!pGlobDimOptions) {
        LogMsg(L"\n SetPointExt !pGlobDimOptions ");
        return;
    }
    assertWriteEnabled();
    const AcGeLine3d ext = GetLineExt(i);
    const AcGePoint3d dim = m_rec.geo.points[4 * i + 2];
    const AcGePoint3d point = ext.closestPointTo(ProjectToChainPlane(pointIn));
    const double beyond = PaperToModel(GlobalDouble(IND_D_ExtendBeyondDimLine));
    const double gap = PaperToModel(GlobalDouble(IND_D_OffsetFromOrigin));
    // Measured from the dimension point towards the object along the extension line.
    AcGeVector3d towards = ext.closestPointTo(m_rec.geo.points[4 * i]) - dim;
    const double reach = towards.length();
    if (reach < kDimPointSame) towards = m_rec.geo.vectorDim.crossProduct(GetUcsNormal());
    if (towards.isZeroLength()) {
        m_rec.geo.points[4 * i + 1] = point;
        return;
    }
    towards.normalize();
    double t = (point - dim).dotProduct(towards);
    if (t < 0) t = bKeep ? beyond : -t;
    if (t < beyond) t = beyond;
    if (t > reach - gap) t = (reach - gap >= beyond) ? reach - gap : beyond;
    m_rec.geo.points[4 * i + 1] = dim + towards * t;
}

void TRdim::ChangePointMainDim(const AcGePoint3d& point, bool bKeepExt) {
    const std::uint32_t extLine = GetParamInt(IND_I_ExtLine);
    LogFmt(L"\n == ChangePointMainDim IND_I_ExtLine=%d ", static_cast<int>(extLine));
    if (IsDimArc()) {
        ChangePointMainDimArc(point, bKeepExt);
        return;
    }
    const int n = GetExtensions();
    if (n < 2) {
        LogFmt(L"\n******* ChangePointMainDim !!! %d ", n);
        return;
    }
    assertWriteEnabled();
    const AcGePoint3d through = ProjectToChainPlane(point);
    m_rec.geo.points[3] = through;
    const AcGeLine3d dimLine(through, m_rec.geo.vectorDim);
    const AcGePoint3d oldFirst = m_rec.geo.points[2];
    const double fixed = extLine == 1 ? PaperToModel(GetParamDouble(IND_D_ExtLineLength)) : 0.0;
    for (int i = 0; i < n; ++i) {
        const AcGePoint3d oldDim = m_rec.geo.points[4 * i + 2];
        const AcGePoint3d oldStart = m_rec.geo.points[4 * i + 1];
        AcGePoint3d dim = oldDim;
        if (Intersect(GetLineExt(i), dimLine, dim))
            m_rec.geo.points[4 * i + 2] = dim;
        else
            LogFmt(L"\n ChPMD - DimPoint %d No INTERSECT!! ", i);
        AcGePoint3d candidate = oldStart;
        if (!bKeepExt && extLine == 1) {
            const AcGePoint3d wanted = FixedLengthStart(i, dim);
            if (!Intersect(AcGeLine3d(wanted, m_rec.geo.vectorDim), GetLineExt(i), candidate)) {
                LogFmt(L"\n LengthExt=%.2f / %.2f  VEC=%.2f", fixed, wanted.distanceTo(dim),
                       m_rec.geo.vectorDim.length());
                LogMsg(L" ChPMD - No INTERSECT!! ");
                candidate = wanted;
            }
        } else if (bKeepExt && std::fabs(oldStart.distanceTo(oldDim) - fixed) < kFixedExtLength) {
            candidate = oldStart + (dim - oldDim);
        }
        SetPointExt(i, candidate, false);
    }
    const AcGeVector3d shift = m_rec.geo.points[2] - oldFirst;
    if (shift.length() > kDimPointSame)
        for (int k = 1; k < n; ++k)
            SetPointText(k, m_rec.geo.points[4 * k + 3] + shift, true);
}

// ---------------------------------------------------------------- removing and sorting

int TRdim::RemoveDimExt(int i) {
    int n = GetExtensions();
    if (n <= 2) {
        LogMsg(L"\n RemoveDimExt Lintaro object has got single segment...");
        return 0;
    }
    if (i < 0 || i >= n) {
        LogMsg(L" !!!! RemoveDimExt NIE !!!! ");
        return 0;
    }
    assertWriteEnabled();
    // The two segments beside the extension become one: their appended texts go.
    StoreAppendingText(m_rec.appTexts, i, nullptr, &LogMsg);
    StoreAppendingText(m_rec.appTexts, i + 1, nullptr, &LogMsg);
    for (AppendingText& rec : m_rec.appTexts)
        if (rec.m_iSegment > i + 1) --rec.m_iSegment;
    if (m_rec.texts.size() != static_cast<size_t>(n)) {
        LogFmt(L"\n *** TELL ME WHY: strings=%d  nExtensions=%d ", static_cast<int>(m_rec.texts.size()), n);
        SyncTexts();
    }
    const AcGePoint3d dimLinePoint = m_rec.geo.points[3];
    m_rec.texts.erase(m_rec.texts.begin() + (i == 0 ? 1 : i));
    m_rec.geo.points.removeSubArray(4 * i, 4 * i + 3);
    // Slot 3 of extension 0 keeps where the dimension line was placed.
    if (i == 0) m_rec.geo.points[3] = dimLinePoint;
    RemoveExtFlag(m_rec.geo.extFlags, i);
    if (i < m_rec.geo.arcParams.length()) m_rec.geo.arcParams.removeAt(i);
    n = GetExtensions();
    if (IsDimArc()) {
        MakeParamArray();
        m_rec.geo.points[3] = GetPointDim(0);
        if (pGlobDimOptions) pGlobDimOptions->SetOptFlag(IND_OPT_B_ExtNewPosition, 0);
        Regenerate(1);
    }
    if (i >= 1 && i < n) {
        if (!IsDimArc()) SetPointInput(i, m_rec.geo.points[4 * i], kPointMoved);
        CenterText(i);
    }
    SyncExtFlags(0, false);
    LogFmt(L"\n END RemoveDimExt: stringov=%d  nExtensions=%d ", static_cast<int>(m_rec.texts.size()), n);
    return n;
}

int TRdim::RemoveDoubleExtensions() {
    int removed = 0;
    for (int i = 1; i < GetExtensions();) {
        const bool twice = GetInputPointCount(m_rec.geo.points[4 * i]) > 1;
        if (!twice && GetDistance(i) >= kDimPointSame) {
            ++i;
            continue;
        }
        if (RemoveDimExt(i) == 0) break;
        ++removed;
    }
    return removed;
}

void TRdim::SwapExtensions(int a, int b) {
    for (int c = 0; c < 4; ++c) {
        // The text slot of extension 0 is the dimension line's point, not a text.
        if (c == 3 && b == 1) continue;
        std::swap(m_rec.geo.points[4 * a + c], m_rec.geo.points[4 * b + c]);
    }
    if (b > 1) std::swap(m_rec.texts[static_cast<size_t>(a)], m_rec.texts[static_cast<size_t>(b)]);
    if (m_rec.geo.arcParams.isValid(a) && m_rec.geo.arcParams.isValid(b)) m_rec.geo.arcParams.swap(a, b);
    if (static_cast<size_t>(b) < m_rec.geo.extFlags.size())
        std::swap(m_rec.geo.extFlags[static_cast<size_t>(a)], m_rec.geo.extFlags[static_cast<size_t>(b)]);
}

void TRdim::ReassignAppendingTexts() {
    const int n = GetExtensions();
    for (size_t r = 0; r < m_rec.appTexts.size(); ++r) {
        AppendingText& rec = m_rec.appTexts[r];
        int found = -1;
        for (int k = 1; k < n && found < 0; ++k)
            if (m_rec.geo.points[4 * k + 3].isEqualTo(rec.m_refPoint)) found = k;
        if (found < 0)
            LogFmt(L"\nDEBUG: AppPoint not found %d. AppText pos:%d ", static_cast<int>(r), rec.m_iSegment);
        else
            rec.m_iSegment = found;
    }
}

int TRdim::RearrangeExtensions(int i) {
    if (InStretchCommand()) {
        LogMsg(L"\nRearrangeExtensions in STRETCH! ");
        return i;
    }
    const int n = GetExtensions();
    LogFmt(L"\nRearrangeExtensions %d/%d strings=%d ", i, n, static_cast<int>(m_rec.texts.size()));
    LogFmt(L" Min:%d Max:%d ", static_cast<int>(GetParamInt(IND_I_ArcDimMinPoint)),
           static_cast<int>(GetParamInt(IND_I_ArcDimMaxPoint)));
    if (IsDimArc() && i >= 0) MakeParamArray();
    assertWriteEnabled();
    SyncTexts();
    std::vector<double> key(static_cast<size_t>(n), 0.0);
    if (IsDimArc()) {
        for (int j = 0; j < n && j < m_rec.geo.arcParams.length(); ++j)
            key[static_cast<size_t>(j)] = m_rec.geo.arcParams[j];
    } else {
        const AcGeMatrix3d toUcs = GetUcsMatrix().inverse();
        // Measured in the chain's own UCS, so a chain made in a turned UCS sorts alike.
        AcGeVector3d along = m_rec.geo.vectorDim;
        along.transformBy(toUcs);
        double angle = std::atan2(along.y, along.x);
        if (angle < 0) angle += kArcPi;
        if (angle >= kArcPi) angle -= kArcPi;
        const bool byY = i >= 0 && std::lround(angle * 180.0 / kArcPi) == 90;
        for (int j = 0; j < n; ++j) {
            const AcGePoint3d p = toUcs * m_rec.geo.points[4 * j + 2];
            key[static_cast<size_t>(j)] = byY ? p.y : p.x;
        }
    }
    for (int k = 1; k < n; ++k)
        for (AppendingText& rec : m_rec.appTexts)
            if (rec.m_iSegment == k || (k == 1 && rec.m_iSegment == 0))
                rec.m_refPoint = m_rec.geo.points[4 * k + 3];
    int where = i;
    bool swapped = false;
    for (int j = 1; n > 2 && j < n;) {
        if (!(key[static_cast<size_t>(j)] < key[static_cast<size_t>(j - 1)])) {
            ++j;
            continue;
        }
        LogMsg(L"\nREARR ");
        SwapExtensions(j - 1, j);
        std::swap(key[static_cast<size_t>(j - 1)], key[static_cast<size_t>(j)]);
        if (where == j)
            where = j - 1;
        else if (where == j - 1)
            where = j;
        swapped = true;
        j = 1;
    }
    if (!swapped) {
        LogMsg(L"\n RearrangeExtensions OK ");
    } else {
        ReassignAppendingTexts();
        if (IsDimArc()) UpdateArcAfterSort();
    }
    LogFmt(L"\nRearrangeExtensions END=%d ", where);
    return where;
}
