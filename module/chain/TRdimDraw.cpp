// Drawing of a chain: extension lines, the dimension line, tick symbols, texts with
// superscripts, masks, the framed sum, leaders, manual-value marks and input-point
// crosses, with the selection markers that map a pick back to an extension, a segment
// or a text. One pass serves the screen, proxy graphics and explode. Segment marks are
// in TRdimSegmentMark.cpp.
#include "module/chain/TRdim.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/ed/acutPrintf.h"
#include "host/ge/AcGeCircArc3d.h"
#include "host/ge/AcGeTol.h"
#include "host/gi/AcGiWorldDraw.h"
#include "host/win/FormatW.h"
#include "module/base/LintaroLog.h"
#include "module/chain/ChainDisplayText.h"
#include "module/chain/ChainPrimitives.h"
#include "module/chain/ChainTextStyle.h"
#include "module/chain/PositionCode.h"
#include "module/chain/TRdimLayout.h"
#include "module/chain/TickSymbols.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/FlagOverride.h"
#include "module/options/OptionIndices.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

using namespace lintaro::tol;

namespace {

// The marker of the circle text of an arc chain drawn as a full circle.
constexpr LONG_PTR kCircleTextMarker = 1001;
// Input-point crosses reach a fifth of the tick size.
constexpr double kInputCrossPart = 0.2;
// The sum's frame and the arc mark keep a fifth of the text height from the text, the
// straight manual-value mark a third.
constexpr double kFrameMarginPart = 1.0 / 5.0;
constexpr double kManualMarkMarginPart = 1.0 / 3.0;
// A text this far from its default place was moved by hand and gets its leader.
constexpr double kLeaderMoved = 1e-4;

// A size option of the user's: the global chain set when there is one, else the chain's.
double SizeOption(const TRdim& chain, int index) {
    if (pGlobDimOptions) {
        const std::vector<double>& d = pGlobDimOptions->GetOptionSet(OPT_MODE_CHAIN).arrayOptDouble;
        return index >= 0 && index < static_cast<int>(d.size()) ? d[static_cast<size_t>(index)] : 0.0;
    }
    return chain.GetParamDouble(index);
}

AcGeVector3d UnitOr(const AcGeVector3d& v, const AcGeVector3d& fallback) {
    return v.isZeroLength() ? fallback : v.normal();
}

} // namespace

// ---------------------------------------------------------------- the host's calls

bool TRdim::subWorldDraw(AcGiWorldDraw* worldDraw) {
    try {
        LogMsg(L"\nTRdim::worldDraw  START ");
        if (!worldDraw) return true;
        const AcGiRegenType type = worldDraw->regenType();
        LogFmt(L": %d  St.D:%d Proxy:%d ", static_cast<int>(type), static_cast<int>(kAcGiStandardDisplay),
               static_cast<int>(kAcGiSaveWorldDrawForProxy));
        if (!pGlobDimOptions) {
            LogMsg(L"\n!!!***** !!!!TRdim::worldDraw - !pGlobDimOptions !!!!!!!!!!!!!!!!!!!!!!!!");
            return true;
        }
        if (arrayInt.empty() || arrayDouble.empty() || arrayString.empty()) {
            LogMsg(
                L"\n!!!***** !!!!TRdim::worldDraw arrayInt.GetSize() <= 0 || arrayDouble.GetSize() <= 0 || "
                L"arrayString.GetSize() <= 0 ");
            return true;
        }
        if (worldDraw->regenAbort()) return true;
        Acad::ErrorStatus es = Acad::eOk;
        switch (type) {
        case kAcGiStandardDisplay:
        case kAcGiForExplode:
        case kAcGiSaveWorldDrawForProxy:
        // The host asks for the drawn geometry to find extents and intersections.
        case kAcGiForExtents:
            es = drawDimension(worldDraw, nullptr);
            break;
        case kAcGiHideOrShadeCommand:
        case kAcGiRenderCommand:
            drawFacets(worldDraw);
            es = drawDimension(worldDraw, nullptr);
            break;
        default:
            LogMsg(L"\n !!!! ****** Error on WorldDraw !!!");
            break;
        }
        if (es != Acad::eOk) {
            const std::wstring status = host::FormatW(L"%d", static_cast<int>(es));
            acutPrintf(L"\n!!! %s@%d: %s ", L"TRdimDraw.cpp", __LINE__, status.c_str());
            LogFmt(L"\n!!! %s@%d: %s ", L"TRdimDraw.cpp", __LINE__, status.c_str());
        }
        LogFmt(L"\nTRdim::worldDraw - STOP (%d) ", static_cast<int>(objectId().handle().low()));
    } catch (...) {
        LogMsg(L"\n*** ERROR ON worldDraw");
    }
    return true;
}

void TRdim::subViewportDraw(AcGiViewportDraw* /*viewportDraw*/) {
    LogMsg(L"\n   TRdim::viewPortDraw - STOP");
}

void TRdim::drawFacets(AcGiWorldDraw* /*worldDraw*/) {
    LogMsg(L"\n  drawFacets - START");
    LogMsg(L"- STOP");
}

Acad::ErrorStatus TRdim::subExplode(AcDbVoidPtrArray& entitySet) const {
    LogMsg(L"\nTRdim::explode ");
    const int before = entitySet.length();
    try {
        // Drawing reads like the chain's own layout does, which may tidy a short text list.
        const_cast<TRdim*>(this)->drawDimension(nullptr, &entitySet);
    } catch (...) {
        LogMsg(L"\n*** ERROR ON explode");
    }
    LogFmt(L"\n entitySet=%d ", entitySet.length());
    const AcDbObjectId layer = layerId();
    for (int i = before; i < entitySet.length(); ++i) {
        auto* ent = static_cast<AcDbEntity*>(entitySet[i]);
        if (ent && !layer.isNull()) ent->setLayer(layer, true);
    }
    return Acad::eOk;
}

int TRdim::GetTextColor() const {
    const std::shared_ptr<const ChainTextStyle> style = ChainTextStyleScope::Acquire(m_textStyleId);
    return ColorForTextHeight(style->IsTrueType() ? 0.0 : GetParamDouble(IND_D_TextHeight));
}

// ---------------------------------------------------------------- the chain's lines and ticks

namespace {

// The circle the dimension arc of an arc chain lies on; false without one.
bool DimensionCircle(TRdim& chain, AcGePoint3d& center, AcGeVector3d& normal) {
    std::unique_ptr<AcGeCircArc3d> arc(chain.GetArcDim(-100));
    if (!arc) return false;
    center = arc->center();
    normal = UnitOr(arc->normal(), AcGeVector3d::kZAxis);
    return true;
}

// The dimension arc from one dimension point to the next, counter-clockwise.
void DrawDimensionArc(ChainPrimitives& out, const AcGePoint3d& center, const AcGeVector3d& normal,
                      const AcGePoint3d& from, const AcGePoint3d& to) {
    const AcGeVector3d start = from - center;
    const AcGeVector3d end = to - center;
    if (start.isZeroLength() || end.isZeroLength()) return;
    double sweep = start.angleTo(end, normal);
    if (sweep == 0.0) sweep = 2.0 * std::numbers::pi;
    out.Arc(center, start.length(), normal, start, sweep);
}

// What the lines and ticks of one drawing pass share.
struct LinePen {
    double tick = 0.0;          // tick size T
    double beyondDimLine = 0.0; // e
    double beyondTick = 0.0;    // t
    int mirror = 1;
    int entityColor = 0;
    AcGeMatrix3d ucs;
    AcGeMatrix3d toUcs;
    AcGeVector3d normal;
    AcGeVector3d along; // the dimension line's direction along the sorted points
    bool arc = false;
    bool fullCircle = false;
    AcGePoint3d arcCenter;
    AcGeVector3d arcNormal;
};

// Direction of extension i's line from its start towards the dimension line.
AcGeVector3d ExtensionDirection(const TRdim& chain, int i, const LinePen& pen) {
    const AcGePoint3dArray& pts = chain.Points();
    AcGeVector3d dir = pts[4 * i + 2] - pts[4 * i + 1];
    if (dir.isZeroLength()) dir = pts[4 * i + 2] - pts[4 * i];
    if (dir.isZeroLength()) dir = chain.GetLineExt(i).direction();
    return UnitOr(dir, pen.normal.perpVector());
}

// The dimension line from the previous dimension point to that of extension i; the
// outer segments run t past their ticks unless those are arrows.
void DrawDimensionSegment(const TRdim& chain, ChainPrimitives& out, const LinePen& pen, int i) {
    const AcGePoint3dArray& pts = chain.Points();
    const int n = chain.GetExtensions();
    AcGePoint3d from = pts[4 * (i - 1) + 2];
    AcGePoint3d to = pts[4 * i + 2];
    if (pen.arc) {
        DrawDimensionArc(out, pen.arcCenter, pen.arcNormal, from, to);
        return;
    }
    if (i == 1) from -= pen.along * (chain.GetTickSymbol(0) == kTickArrow ? 0.0 : pen.beyondTick);
    if (i == n - 1) to += pen.along * (chain.GetTickSymbol(i) == kTickArrow ? 0.0 : pen.beyondTick);
    out.Line(from, to);
}

void DrawTick(const TRdim& chain, ChainPrimitives& out, const LinePen& pen, int i,
              const AcGeVector3d& extDir) {
    const AcGePoint3dArray& pts = chain.Points();
    const int n = chain.GetExtensions();
    TickMark symbol;
    symbol.code = chain.GetTickSymbol(i);
    symbol.at = pts[4 * i + 2];
    symbol.size = pen.tick;
    AcGeVector3d extInUcs = extDir;
    extInUcs.transformBy(pen.toUcs);
    symbol.extensionAngle = std::atan2(extInUcs.y, extInUcs.x);
    symbol.ucsToWorld = pen.ucs;
    symbol.mirrorSign = pen.mirror;
    symbol.normal = pen.normal;
    symbol.lineDir = pen.along;
    symbol.hasNext = i < n - 1 || pen.fullCircle;
    symbol.hasPrevious = i > 0 || pen.fullCircle;
    if (symbol.hasNext) symbol.towardsNext = pts[4 * ((i + 1) % n) + 2] - symbol.at;
    if (symbol.hasPrevious) symbol.towardsPrevious = pts[4 * ((i + n - 1) % n) + 2] - symbol.at;
    DrawTickSymbol(out, symbol);
}

// Everything of extension i: its extension line and tick (marker 3i+2), the dimension
// line ending at it (marker 3i+3).
void DrawExtension(const TRdim& chain, ChainPrimitives& out, const LinePen& pen, int i) {
    const AcGePoint3dArray& pts = chain.Points();
    const AcGeVector3d extDir = ExtensionDirection(chain, i, pen);
    out.SetMarker(3 * i + 2);
    if (chain.IsExtVisible(i)) {
        if (pen.fullCircle)
            out.Line(pts[4 * i], pts[4 * i + 2]);
        else
            out.Line(pts[4 * i + 1], pts[4 * i + 2] + extDir * pen.beyondDimLine);
    }
    out.SetMarker(3 * i + 3);
    out.SetColor(pen.entityColor);
    if (i >= 1) DrawDimensionSegment(chain, out, pen, i);
    out.SetMarker(3 * i + 2);
    if (pen.tick != 0.0) DrawTick(chain, out, pen, i, extDir);
}

} // namespace

Acad::ErrorStatus TRdim::drawDimension(AcGiWorldDraw* worldDraw, AcDbVoidPtrArray* entityList) {
    LogMsg(L"\n  drawDimension - START");
    LogFmt(L" database()=%d ", database() ? 1 : 0);
    if (!pGlobDimOptions) return Acad::eInvalidInput;
    const int n = GetExtensions();
    if (n < 2) return Acad::eOk;
    ChainPrimitives out(worldDraw, entityList);
    if (!out.HasTarget()) return Acad::eOk;
    ChainTextStyleScope styles;
    out.SetMarker(0);

    LinePen pen;
    pen.tick = PaperToModel(SizeOption(*this, IND_D_TickSize));
    pen.beyondDimLine = PaperToModel(SizeOption(*this, IND_D_ExtendBeyondDimLine));
    pen.beyondTick = PaperToModel(SizeOption(*this, IND_D_ExtendBeyondTick));
    pen.mirror = IsUcsMirrored() ? -1 : 1;
    pen.entityColor = colorIndex();
    pen.ucs = GetUcsMatrix();
    pen.toUcs = pen.ucs.inverse();
    pen.normal = UnitOr(GetUcsNormal(), AcGeVector3d::kZAxis);
    // Points are kept sorted along the chain, so its first and last dimension points give
    // the direction in which the dimension line runs past its outer ticks.
    pen.along = UnitOr(GetPointDim(n - 1) - GetPointDim(0), UnitOr(m_vectorDim, AcGeVector3d::kXAxis));
    pen.arc = IsDimArc() && DimensionCircle(*this, pen.arcCenter, pen.arcNormal);
    pen.fullCircle = pen.arc && IsFullCircle();
    out.SetColor(pen.entityColor);
    for (int i = 0; i < n && !out.Aborted(); ++i)
        DrawExtension(*this, out, pen, i);

    {
        // The chain's own text background decides for its texts.
        FlagOverride mask(IND_OPT_B_WipeOut, IsWipeOutOn() ? 1 : 0);
        DrawDimTexts(worldDraw, entityList, true);
    }

    if (pGlobDimOptions->GetOptFlag(IND_OPT_B_ShowInputPoints)) {
        out.SetColor(pen.entityColor);
        for (int i = 0; i < n; ++i) {
            out.SetMarker(3 * i + 2);
            out.Cross(m_points[4 * i], pen.tick * kInputCrossPart, pen.along, pen.normal);
        }
    }
    LogMsg(L"\n  drawDimension - STOP");
    return Acad::eOk;
}

// ---------------------------------------------------------------- texts

namespace {

// What every text of one drawing pass shares.
struct TextPen {
    ChainPrimitives& out;
    const ChainTextStyle& style;
    double h0;
    double supHeight;
    int color;
};

// The parts of one text at their insertion points: the text and its tail at the text
// height, the superscript at its own.
void DrawParts(const TextPen& pen, const TextFrame& frame, const AcGePoint3dArray& points,
               const std::vector<std::wstring>& parts) {
    for (size_t p = 0; p < parts.size() && p < static_cast<size_t>(points.length()); ++p)
        pen.out.Text(points[static_cast<int>(p)], frame.normal, frame.along, parts[p],
                     p == 1 ? pen.supHeight : pen.h0, pen.style.Style(), pen.style.StyleId(), pen.color);
}

void DrawLines(ChainPrimitives& out, std::span<const AcGePoint3d> points, bool closed) {
    for (size_t i = 0; i + 1 < points.size(); ++i)
        out.Line(points[i], points[i + 1]);
    if (closed && points.size() > 2) out.Line(points.back(), points.front());
}

// A leader from a text to its segment: straight down to the dimension line when the text
// stands over its segment, else along the text's near edge and on to the segment's middle.
std::vector<AcGePoint3d> LeaderPoints(const std::array<AcGePoint3d, 4>& box, const TextFrame& frame,
                                      const AcGePoint3d& dimA, const AcGePoint3d& dimB) {
    const AcGePoint3d centre = box[0] + (box[2] - box[0]) * 0.5;
    const bool above = (centre - dimA).dotProduct(frame.up) >= 0;
    const AcGePoint3d e0 = above ? box[0] : box[3];
    const AcGePoint3d e1 = above ? box[1] : box[2];
    const AcGePoint3d mid = e0 + (e1 - e0) * 0.5;
    const AcGeVector3d seg = dimB - dimA;
    const double len2 = seg.lengthSqrd();
    const double t = len2 > 0 ? (mid - dimA).dotProduct(seg) / len2 : 0.0;
    if (len2 > 0 && t >= 0.0 && t <= 1.0) return {mid, dimA + seg * t};
    const AcGePoint3d segMiddle = dimA + seg * 0.5;
    const bool e0Near = e0.distanceTo(segMiddle) <= e1.distanceTo(segMiddle);
    return {e0Near ? e1 : e0, e0Near ? e0 : e1, segMiddle};
}

// Text k (a segment, the sum at k = extensions, the circle text at 0) with its frame,
// leader and manual-value mark; false when it shows nothing.
bool DrawSegmentText(TRdim& chain, const TextPen& pen, int k, bool leaders) {
    const int n = chain.GetExtensions();
    AcGePoint3dArray points;
    std::vector<std::wstring> parts;
    chain.GetPointText(k, points, parts);
    if (parts.empty() || parts[0].empty() || points.isEmpty()) return false;
    ChainPrimitives& out = pen.out;
    out.SetMarker(k == 0 ? kCircleTextMarker : 3 * k + 1);
    out.SetColor(pen.color);
    const TextFrame frame = ChainTextFrame(chain, k == 0 ? 1 : k);
    DrawParts(pen, frame, points, parts);
    if (k == n) {
        DrawLines(out, chain.TextBox(k, pen.h0 * kFrameMarginPart), true);
        return true;
    }
    if (k >= 1 && leaders && chain.IsExtLeader(k)) {
        const int code = chain.GetDimTextPos(k, true);
        const bool moved = chain.GetPointTextPos(k).distanceTo(chain.DefaultTextPoint(k)) >= kLeaderMoved;
        if (moved || RowOf(code) == CodeRow::Raised)
            DrawLines(out,
                      LeaderPoints(chain.TextBox(k, pen.h0 * kFrameMarginPart), frame,
                                   chain.GetPointDim(k - 1), chain.GetPointDim(k)),
                      false);
    }
    if (chain.IsUserTextOutOfTolerance(k)) {
        const std::array<AcGePoint3d, 4> box =
            chain.TextBox(k, pen.h0 * (chain.IsDimArc() ? kFrameMarginPart : kManualMarkMarginPart));
        if (k == 0)
            out.Line(box[0], box[1]);
        else
            out.Line(box[3], box[2]);
    }
    return true;
}

// The chain label before, after or at both ends of the chain.
bool DrawLabel(TRdim& chain, const TextPen& pen) {
    const std::wstring description = chain.GetParamString(IND_S_DimDescription);
    const int digit = ChainLabelDigit(description);
    if (digit < 1 || digit > 3 || description.size() < 2) return false;
    AcGePoint3dArray points;
    std::vector<std::wstring> parts;
    chain.GetPointText(kChainLabelIndex, points, parts);
    if (parts.empty() || parts[0].empty()) return false;
    pen.out.SetMarker(0);
    pen.out.SetColor(pen.color);
    const TextFrame frame = ChainTextFrame(chain, 1);
    // A label at both ends is the same text twice.
    for (int p = 0; p < points.length(); ++p)
        pen.out.Text(points[p], frame.normal, frame.along, parts[0], pen.h0, pen.style.Style(),
                     pen.style.StyleId(), pen.color);
    return true;
}

} // namespace

int TRdim::DrawDimTexts(AcGiWorldDraw* worldDraw, AcDbVoidPtrArray* entityList, bool bDraw) {
    LogMsg(L"\nDrawDimTexts START ");
    const int n = GetExtensions();
    ChainPrimitives out(bDraw ? worldDraw : nullptr, bDraw ? entityList : nullptr);
    if (n < 2 || !out.HasTarget()) return 0;
    ChainTextStyleScope styles;
    const std::shared_ptr<const ChainTextStyle> style = ChainTextStyleScope::Acquire(m_textStyleId);
    const TextPen pen{out, *style, GetTextHeight(), AdaptByTextHeight(IND_D_ExpTextHeight), GetTextColor()};
    const bool leaders = pGlobDimOptions && pGlobDimOptions->GetOptFlag(IND_OPT_B_LeadersShow);
    int drawn = 0;
    for (int k = IsDimArc() && IsFullCircle() ? 0 : 1; k <= n && !out.Aborted(); ++k) {
        if (k == n && !(IsSumShown() && n > 2)) continue;
        drawn += DrawSegmentText(*this, pen, k, leaders) ? 1 : 0;
    }

    LogFmt(L" STEP-3 AppendTextList=%d ", static_cast<int>(m_appTexts.size()));
    std::vector<int> seen;
    AcGePoint3dArray points;
    std::vector<std::wstring> parts;
    for (size_t r = 0; r < m_appTexts.size() && !out.Aborted();) {
        const AppendingText& rec = m_appTexts[r];
        const int segment = std::max(rec.m_iSegment, 1);
        if (rec.m_strText.empty() || segment > n - 1) {
            ++r;
            continue;
        }
        if (std::find(seen.begin(), seen.end(), segment) != seen.end()) {
            LogFmt(L"\n***REDUNDANT APP TEXT %d./%d Ext=%d/%d ", static_cast<int>(r),
                   static_cast<int>(m_appTexts.size()), segment, n);
            // A pass over a chain open for read only leaves the record to the next edit.
            if (isWriteEnabled()) {
                assertWriteEnabled();
                m_appTexts.erase(m_appTexts.begin() + static_cast<std::ptrdiff_t>(r));
            } else {
                ++r;
            }
            continue;
        }
        seen.push_back(segment);
        GetPointText(segment, points, parts, &rec);
        if (!parts.empty() && !points.isEmpty()) {
            out.SetMarker(3 * segment + 1);
            out.SetColor(pen.color);
            DrawParts(pen, ChainTextFrame(*this, segment), points, parts);
            ++drawn;
        }
        ++r;
    }
    drawn += DrawLabel(*this, pen) ? 1 : 0;
    out.SetColor(colorIndex());
    return drawn;
}
