// Drawing of a chain: extension lines, the dimension line, tick symbols, texts with
// superscripts, masks, the framed sum, leaders, manual-value marks and input-point
// crosses, with the selection markers that map a pick back to an extension, a segment
// or a text. One pass serves the screen, proxy graphics and explode.
#include "module/chain/TRdim.h"

#include "host/db/AcDbBlockTableRecord.h"
#include "host/db/AcDbDatabase.h"
#include "host/db/AcDbObjectOpen.h"
#include "host/db/AcDbPolyline.h"
#include "host/db/AcDbRegAppTableRecord.h"
#include "host/db/acutResbuf.h"
#include "host/ed/acutPrintf.h"
#include "host/ge/AcGeCircArc3d.h"
#include "host/ge/AcGePoint2d.h"
#include "host/ge/AcGeTol.h"
#include "host/gi/AcGiWorldDraw.h"
#include "host/rx/adscodes.h"
#include "host/win/FormatW.h"
#include "module/app/LintaroLog.h"
#include "module/chain/ChainDisplayText.h"
#include "module/chain/ChainPrimitives.h"
#include "module/chain/ChainTextStyle.h"
#include "module/chain/PositionCode.h"
#include "module/chain/TRdimLayout.h"
#include "module/chain/TickSymbols.h"
#include "module/options/CGlobDimOptions.h"
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
// A segment mark frames its text this many paper millimetres away.
constexpr double kSegmentMarkMargin = 0.6;
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

// Sets a general flag for as long as it lives and puts the old value back.
class FlagOverride {
public:
    FlagOverride(int index, int value) : m_index(index) {
        if (!pGlobDimOptions || index < 0 || index >= static_cast<int>(pGlobDimOptions->arrayOptFlags.size()))
            return;
        m_active = true;
        m_old = pGlobDimOptions->arrayOptFlags[static_cast<size_t>(index)];
        pGlobDimOptions->arrayOptFlags[static_cast<size_t>(index)] = value;
    }
    ~FlagOverride() {
        if (m_active && pGlobDimOptions) pGlobDimOptions->arrayOptFlags[static_cast<size_t>(m_index)] = m_old;
    }
    FlagOverride(const FlagOverride&) = delete;
    FlagOverride& operator=(const FlagOverride&) = delete;

private:
    int m_index;
    int m_old = 0;
    bool m_active = false;
};

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

    const double tick = PaperToModel(SizeOption(*this, IND_D_TickSize));
    const double beyondDimLine = PaperToModel(SizeOption(*this, IND_D_ExtendBeyondDimLine));
    const double beyondTick = PaperToModel(SizeOption(*this, IND_D_ExtendBeyondTick));
    const int mirror = IsUcsMirrored() ? -1 : 1;
    const int entityColor = colorIndex();
    const AcGeMatrix3d ucs = GetUcsMatrix();
    const AcGeMatrix3d toUcs = ucs.inverse();
    const AcGeVector3d normal = UnitOr(GetUcsNormal(), AcGeVector3d::kZAxis);
    // Points are kept sorted along the chain, so its first and last dimension points give
    // the direction in which the dimension line runs past its outer ticks.
    const AcGeVector3d along =
        UnitOr(GetPointDim(n - 1) - GetPointDim(0), UnitOr(m_vectorDim, AcGeVector3d::kXAxis));
    AcGePoint3d arcCenter;
    AcGeVector3d arcNormal;
    const bool arc = IsDimArc() && DimensionCircle(*this, arcCenter, arcNormal);
    const bool fullCircle = arc && IsFullCircle();
    out.SetColor(entityColor);

    for (int i = 0; i < n && !out.Aborted(); ++i) {
        const AcGePoint3d input = m_points[4 * i];
        const AcGePoint3d start = m_points[4 * i + 1];
        const AcGePoint3d dim = m_points[4 * i + 2];
        const int tickCode = GetTickSymbol(i);
        AcGeVector3d extDir = dim - start;
        if (extDir.isZeroLength()) extDir = dim - input;
        if (extDir.isZeroLength()) extDir = GetLineExt(i).direction();
        extDir = UnitOr(extDir, normal.perpVector());

        out.SetMarker(3 * i + 2);
        if (IsExtVisible(i)) {
            if (fullCircle)
                out.Line(input, dim);
            else
                out.Line(start, dim + extDir * beyondDimLine);
        }

        out.SetMarker(3 * i + 3);
        out.SetColor(entityColor);
        if (i >= 1) {
            AcGePoint3d from = m_points[4 * (i - 1) + 2];
            AcGePoint3d to = dim;
            if (arc) {
                DrawDimensionArc(out, arcCenter, arcNormal, from, to);
            } else {
                if (i == 1) from -= along * (GetTickSymbol(0) == kTickArrow ? 0.0 : beyondTick);
                if (i == n - 1) to += along * (tickCode == kTickArrow ? 0.0 : beyondTick);
                out.Line(from, to);
            }
        }

        out.SetMarker(3 * i + 2);
        if (tick == 0.0) continue;
        TickMark symbol;
        symbol.code = tickCode;
        symbol.at = dim;
        symbol.size = tick;
        AcGeVector3d extInUcs = extDir;
        extInUcs.transformBy(toUcs);
        symbol.extensionAngle = std::atan2(extInUcs.y, extInUcs.x);
        symbol.ucsToWorld = ucs;
        symbol.mirrorSign = mirror;
        symbol.normal = normal;
        symbol.lineDir = along;
        symbol.hasNext = i < n - 1 || fullCircle;
        symbol.hasPrevious = i > 0 || fullCircle;
        if (symbol.hasNext) symbol.towardsNext = m_points[4 * ((i + 1) % n) + 2] - dim;
        if (symbol.hasPrevious) symbol.towardsPrevious = m_points[4 * ((i + n - 1) % n) + 2] - dim;
        DrawTickSymbol(out, symbol);
    }

    {
        // The chain's own text background decides for its texts.
        FlagOverride mask(IND_OPT_B_WipeOut, IsWipeOutOn() ? 1 : 0);
        DrawDimTexts(worldDraw, entityList, true);
    }

    if (pGlobDimOptions->GetOptFlag(IND_OPT_B_ShowInputPoints)) {
        out.SetColor(entityColor);
        for (int i = 0; i < n; ++i) {
            out.SetMarker(3 * i + 2);
            out.Cross(m_points[4 * i], tick * kInputCrossPart, along, normal);
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

} // namespace

int TRdim::DrawDimTexts(AcGiWorldDraw* worldDraw, AcDbVoidPtrArray* entityList, bool bDraw) {
    LogMsg(L"\nDrawDimTexts START ");
    const int n = GetExtensions();
    ChainPrimitives out(bDraw ? worldDraw : nullptr, bDraw ? entityList : nullptr);
    if (n < 2 || !out.HasTarget()) return 0;
    ChainTextStyleScope styles;
    const std::shared_ptr<const ChainTextStyle> style = ChainTextStyleScope::Acquire(m_textStyleId);
    const double h0 = GetTextHeight();
    const TextPen pen{out, *style, h0, AdaptByTextHeight(IND_D_ExpTextHeight), GetTextColor()};
    const bool fullCircle = IsDimArc() && IsFullCircle();
    const bool leaders = pGlobDimOptions && pGlobDimOptions->GetOptFlag(IND_OPT_B_LeadersShow);
    int drawn = 0;
    AcGePoint3dArray points;
    std::vector<std::wstring> parts;

    for (int k = fullCircle ? 0 : 1; k <= n && !out.Aborted(); ++k) {
        if (k == n && !(IsSumShown() && n > 2)) continue;
        GetPointText(k, points, parts);
        if (parts.empty() || parts[0].empty() || points.isEmpty()) continue;
        out.SetMarker(k == 0 ? kCircleTextMarker : 3 * k + 1);
        out.SetColor(pen.color);
        const TextFrame frame = ChainTextFrame(*this, k == 0 ? 1 : k);
        DrawParts(pen, frame, points, parts);
        ++drawn;
        if (k == n) {
            const std::array<AcGePoint3d, 4> box = TextBox(k, h0 * kFrameMarginPart);
            DrawLines(out, box, true);
            continue;
        }
        if (k >= 1 && leaders && IsExtLeader(k)) {
            const int code = GetDimTextPos(k, true);
            const bool moved = GetPointTextPos(k).distanceTo(DefaultTextPoint(k)) >= kLeaderMoved;
            if (moved || RowOf(code) == CodeRow::Raised) {
                const std::vector<AcGePoint3d> leader = LeaderPoints(TextBox(k, h0 * kFrameMarginPart), frame,
                                                                     GetPointDim(k - 1), GetPointDim(k));
                DrawLines(out, leader, false);
            }
        }
        if (IsUserTextOutOfTolerance(k)) {
            const std::array<AcGePoint3d, 4> box =
                TextBox(k, h0 * (IsDimArc() ? kFrameMarginPart : kManualMarkMarginPart));
            if (k == 0)
                out.Line(box[0], box[1]);
            else
                out.Line(box[3], box[2]);
        }
    }

    LogFmt(L" STEP-3 AppendTextList=%d ", static_cast<int>(m_appTexts.size()));
    std::vector<int> seen;
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

    const std::wstring description = GetParamString(IND_S_DimDescription);
    if (ChainLabelDigit(description) >= 1 && ChainLabelDigit(description) <= 3 && description.size() > 1) {
        GetPointText(kChainLabelIndex, points, parts);
        if (!parts.empty() && !parts[0].empty()) {
            out.SetMarker(0);
            out.SetColor(pen.color);
            const TextFrame frame = ChainTextFrame(*this, 1);
            // A label at both ends is the same text twice.
            for (int p = 0; p < points.length(); ++p)
                out.Text(points[p], frame.normal, frame.along, parts[0], h0, style->Style(), style->StyleId(),
                         pen.color);
            ++drawn;
        }
    }
    out.SetColor(colorIndex());
    return drawn;
}

// ---------------------------------------------------------------- segment marks

namespace {

// The outline of a segment mark: 1 and 4 frame the text, 2 is the dimension line of the
// segment, 3 the area between the object and the dimension line.
std::vector<AcGePoint3d> MarkOutline(TRdim& chain, int k, int mode, bool& closed) {
    closed = mode != 2;
    if (mode == 1 || mode == 4) {
        const std::array<AcGePoint3d, 4> box = chain.TextBox(k, chain.PaperToModel(kSegmentMarkMargin));
        return {box.begin(), box.end()};
    }
    if (mode == 2) return {chain.GetPointDim(k - 1), chain.GetPointDim(k)};
    return {chain.GetPointExt(k - 1), chain.GetPointDim(k - 1), chain.GetPointDim(k), chain.GetPointExt(k)};
}

// A lightweight polyline through `points`, in the plane with the given normal.
AcDbPolyline* MakeMarkPolyline(const std::vector<AcGePoint3d>& points, const AcGeVector3d& normal,
                               bool closed) {
    // The polyline's vertices are in the system of its normal (the arbitrary axis rule).
    const AcGeVector3d n = UnitOr(normal, AcGeVector3d::kZAxis);
    const AcGeVector3d ocsX = n.perpVector().normal();
    const AcGeVector3d ocsY = n.crossProduct(ocsX);
    auto* poly = new AcDbPolyline(static_cast<unsigned int>(points.size()));
    poly->setNormal(n);
    poly->setElevation(points.front().asVector().dotProduct(n));
    for (size_t i = 0; i < points.size(); ++i) {
        const AcGeVector3d v = points[i].asVector();
        poly->addVertexAt(static_cast<unsigned int>(i), AcGePoint2d(v.dotProduct(ocsX), v.dotProduct(ocsY)));
    }
    poly->setClosed(closed);
    return poly;
}

// The record that lets "remove all marks" find a permanent mark again.
void TagPermanentMark(AcDbPolyline* poly) {
    static const wchar_t* kApp = L"LINTARO_UT_MARK";
    acdbRegApp(kApp);
    resbuf* xdata = acutBuildList(1001, kApp, 1000, L"DIM_MARK", 1070, 0, RTNONE);
    if (!xdata) return;
    if (poly->setXData(xdata) != Acad::eOk) LogMsg(L"\n MarkSegment: no LINTARO_UT_MARK ");
    acutRelRb(xdata);
}

} // namespace

int TRdim::MarkSegment(int k, int mode) {
    const int n = GetExtensions();
    AcDbDatabase* db = database();
    if (k < 0 || k >= n || n < 2 || mode < 1 || mode > 4 || !db) {
        LogFmt(L"\n MarkSegment !!! %d / %d mode=%d ", k, n, mode);
        return 0;
    }
    const int segment = std::max(k, 1);
    bool closed = true;
    const std::vector<AcGePoint3d> outline = MarkOutline(*this, segment, mode, closed);
    AcDbPolyline* poly = MakeMarkPolyline(outline, GetUcsNormal(), closed);
    poly->setPropertiesFrom(this);
    if (mode == 4) {
        const std::wstring layer = GetParamString(IND_S_UTextMarkLayer);
        if (layer.empty() || poly->setLayer(layer.c_str()) != Acad::eOk) poly->setLayer(db->clayer());
        TagPermanentMark(poly);
    }
    AcDbBlockTableRecord* owner = nullptr;
    const AcDbObjectId ownerId = blockId().isNull() ? db->modelSpaceId() : blockId();
    if (acdbOpenObject(owner, ownerId, AcDb::kForWrite) != Acad::eOk) {
        delete poly;
        LogMsg(L"\n MarkSegment: owner not open ");
        return 0;
    }
    const Acad::ErrorStatus es = owner->appendAcDbEntity(poly);
    owner->close();
    if (es != Acad::eOk) {
        delete poly;
        return 0;
    }
    poly->close();
    return 1;
}
