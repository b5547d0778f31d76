// Drawing of a chain: extension lines, the dimension line, tick symbols, texts with
// superscripts, masks, the framed sum, leaders, manual-value marks and input-point
// crosses, with the selection markers that map a pick back to an extension, a segment
// or a text. One pass serves the screen, proxy graphics and explode. The texts and their
// lines are painted from the chain's kept layout (TRdimTextLayout.cpp); segment marks are
// in TRdimSegmentMark.cpp.
#include "module/chain/TRdim.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/ed/acutPrintf.h"
#include "host/ge/AcGeCircArc3d.h"
#include "host/ge/AcGeTol.h"
#include "host/gi/AcGiWorldDraw.h"
#include "host/win/FormatW.h"
#include "module/base/LintaroLog.h"
#include "module/chain/ChainPrimitives.h"
#include "module/chain/ChainTextStyle.h"
#include "module/chain/TickSymbols.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/FlagOverride.h"
#include "module/options/OptionIndices.h"

#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

using namespace lintaro::tol;

namespace {

// Input-point crosses reach a fifth of the tick size.
constexpr double kInputCrossPart = 0.2;

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
        if (m_rec.params.arrayInt.empty() || m_rec.params.arrayDouble.empty() ||
            m_rec.params.arrayString.empty()) {
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
    const std::shared_ptr<const ChainTextStyle> style = ChainTextStyleScope::Acquire(m_rec.textStyleId);
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
    const std::shared_ptr<const ChainTextStyle> style = ChainTextStyleScope::Acquire(m_rec.textStyleId);
    const ChainLayout& layout = Layout(*style);
    out.SetMarker(0);

    LinePen pen;
    pen.tick = layout.tick;
    pen.beyondDimLine = layout.beyondDimLine;
    pen.beyondTick = layout.beyondTick;
    pen.mirror = IsUcsMirrored() ? -1 : 1;
    pen.entityColor = colorIndex();
    pen.ucs = GetUcsMatrix();
    pen.toUcs = pen.ucs.inverse();
    pen.normal = UnitOr(GetUcsNormal(), AcGeVector3d::kZAxis);
    // Points are kept sorted along the chain, so its first and last dimension points give
    // the direction in which the dimension line runs past its outer ticks.
    pen.along =
        UnitOr(GetPointDim(n - 1) - GetPointDim(0), UnitOr(m_rec.geo.vectorDim, AcGeVector3d::kXAxis));
    pen.arc = IsDimArc() && DimensionCircle(*this, pen.arcCenter, pen.arcNormal);
    pen.fullCircle = pen.arc && IsFullCircle();
    out.SetColor(pen.entityColor);
    for (int i = 0; i < n && !out.Aborted(); ++i)
        DrawExtension(*this, out, pen, i);

    {
        // The chain's own text background decides for its texts.
        FlagOverride mask(IND_OPT_B_WipeOut, IsWipeOutOn() ? 1 : 0);
        PaintTexts(out, layout, *style);
    }

    if (pGlobDimOptions->GetOptFlag(IND_OPT_B_ShowInputPoints)) {
        out.SetColor(pen.entityColor);
        for (int i = 0; i < n; ++i) {
            out.SetMarker(3 * i + 2);
            out.Cross(m_rec.geo.points[4 * i], pen.tick * kInputCrossPart, pen.along, pen.normal);
        }
    }
    LogMsg(L"\n  drawDimension - STOP");
    return Acad::eOk;
}

// ---------------------------------------------------------------- texts

int TRdim::DrawDimTexts(AcGiWorldDraw* worldDraw, AcDbVoidPtrArray* entityList, bool bDraw) {
    LogMsg(L"\nDrawDimTexts START ");
    ChainPrimitives out(bDraw ? worldDraw : nullptr, bDraw ? entityList : nullptr);
    if (GetExtensions() < 2 || !out.HasTarget()) return 0;
    ChainTextStyleScope styles;
    const std::shared_ptr<const ChainTextStyle> style = ChainTextStyleScope::Acquire(m_rec.textStyleId);
    return PaintTexts(out, Layout(*style), *style);
}

int TRdim::PaintTexts(ChainPrimitives& out, const ChainLayout& layout, const ChainTextStyle& style) {
    if (GetExtensions() < 2) return 0;
    int drawn = 0;
    for (const LaidText& text : layout.texts) {
        if (out.Aborted()) break;
        out.SetMarker(text.marker);
        out.SetColor(layout.textColor);
        for (int p = 0; p < text.points.length(); ++p) {
            const size_t part = text.repeatsFirstPart ? 0 : static_cast<size_t>(p);
            if (part >= text.parts.size()) break;
            out.Text(text.points[p], text.frame.normal, text.frame.along, text.parts[part],
                     part == 1 ? layout.supHeight : layout.textHeight, style.Style(), style.StyleId(),
                     layout.textColor);
        }
        for (const LaidLine& line : text.lines) {
            for (size_t i = 0; i + 1 < line.points.size(); ++i)
                out.Line(line.points[i], line.points[i + 1]);
            if (line.closed && line.points.size() > 2) out.Line(line.points.back(), line.points.front());
        }
        ++drawn;
    }
    out.SetColor(colorIndex());
    return drawn;
}
