// Drawing of a height mark: the extension line and input point of a section mark, the
// symbol of its type (triangle, half-filled triangle, plan cross with circle and
// sectors, base marker) and the value texts of its rows with underlines. One pass serves
// the screen, proxy graphics and explode.
#include "module/height/TRdimHeight.h"

#include "host/db/database/AcDbObjectOpen.h"
#include "host/ed/acutPrintf.h"
#include "host/gi/AcGiWorldDraw.h"
#include "host/gi/AcGiWorldGeometry.h"
#include "host/win/FormatW.h"
#include "module/base/LintaroLog.h"
#include "module/chain/ChainPrimitives.h"
#include "module/chain/ChainTextStyle.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/FlagOverride.h"
#include "module/options/OptionIndices.h"
#include "module/services/ReactorSuspension.h"

#include <cmath>
#include <memory>
#include <vector>

namespace {

constexpr LONG_PTR kSymbolMarker = 1;
constexpr LONG_PTR kTextMarker = 2;
constexpr double kCos30 = 0.8660254;
constexpr double kSixtyDegrees = 1.0471975511666667;
constexpr double kHundredTwentyDegrees = 2.0943951023333334;
constexpr double kQuarterTurn = 1.57079632675;
constexpr double kHalfTurn = 3.1415926535;
constexpr double kInputMarkerPart = 0.2; // of the symbol size
constexpr double kBaseCirclePart = 0.5;  // of the symbol size
// A filled sector is drawn as a fan with this many edges along its arc.
constexpr int kSectorSegments = 16;
// The "!!!" of a mark whose group base is missing stands a third of a text height behind.
constexpr double kMissingBaseGapPart = 1.0 / 3.0;

bool GlobalFlag(int index) {
    return pGlobDimOptions && pGlobDimOptions->GetOptFlag(index) != 0;
}

// Whether this mark wants a background mask behind its texts.
bool WantsMask(std::uint32_t status) {
    return GlobalFlag(IND_OPT_B_WipeOut) ? status != 2 : status == 1;
}

AcGeVector3d Rotated(double angle) {
    return AcGeVector3d(AcGeVector3d::kXAxis).rotateBy(angle, AcGeVector3d::kZAxis);
}

struct SymbolPen {
    ChainPrimitives& out;
    AcGePoint3d at;
    double size;
    double rotation;
    AcGeVector3d along;
    AcGeVector3d normal;
};

// A filled sector of a circle as a fan from the centre.
void FilledSector(const SymbolPen& pen, double radius, const AcGeVector3d& start, double sweep) {
    std::vector<AcGePoint3d> fan{pen.at};
    for (int i = 0; i <= kSectorSegments; ++i) {
        AcGeVector3d v = start.normal() * radius;
        v.rotateBy(sweep * i / kSectorSegments, pen.normal);
        fan.push_back(pen.at + v);
    }
    pen.out.Polygon(fan, true);
}

void DrawTriangle(const TRdimHeight& mark, const SymbolPen& pen, int type, bool tipUp) {
    const double s = pen.size / kCos30;
    AcGeVector3d a = Rotated(pen.rotation + kSixtyDegrees) * s;
    AcGeVector3d b = Rotated(pen.rotation + kHundredTwentyDegrees) * s;
    // The offsets are taken in the mark's own system.
    const AcGeMatrix3d toWorld = mark.MarkMatrix();
    a.transformBy(toWorld);
    b.transformBy(toWorld);
    if (tipUp) {
        a = -a;
        b = -b;
    }
    const AcGePoint3d corners[3] = {pen.at, pen.at + a, pen.at + b};
    const int kind = (type - 1) % 3; // 0 open, 1 filled, 2 half-filled
    pen.out.Polygon(corners, kind == 1);
    if (kind == 2 && !corners[1].isEqualTo(corners[2])) {
        const AcGePoint3d half[3] = {corners[0], corners[1], corners[1] + (corners[2] - corners[1]) * 0.5};
        pen.out.Polygon(half, true);
    }
}

void DrawPlanSymbol(const TRdimHeight& mark, const SymbolPen& pen, double beyond, int type) {
    const double reach = beyond + pen.size;
    const AcGeVector3d across = AcGeVector3d(pen.along).rotateBy(kQuarterTurn, pen.normal);
    pen.out.Line(pen.at - pen.along * reach, pen.at + pen.along * reach);
    pen.out.Line(pen.at - across * reach, pen.at + across * reach);
    pen.out.Circle(pen.at, pen.size, pen.normal, false);
    if (type != 2) return;
    AcGeVector3d start = mark.GetVectorDim().isZeroLength() ? AcGeVector3d::kXAxis : mark.GetVectorDim();
    if (!mark.TextsOnLeft()) start.rotateBy(kQuarterTurn, AcGeVector3d::kZAxis);
    FilledSector(pen, pen.size, start, kQuarterTurn);
    FilledSector(pen, pen.size, AcGeVector3d(start).rotateBy(kHalfTurn, pen.normal), kQuarterTurn);
}

} // namespace

bool TRdimHeight::subWorldDraw(AcGiWorldDraw* worldDraw) {
    try {
        if (!worldDraw || !pGlobDimOptions) return true;
        if (arrayInt.empty() || arrayDouble.empty() || arrayString.empty()) {
            LogMsg(L"\n!!!***** !!!!TRdimHeight::worldDraw -  arrayInt.GetSize() <= 0 || arrayDouble.GetSize() <= 0 "
                   L"|| arrayString.GetSize() <= 0 ");
            return true;
        }
        if (worldDraw->regenAbort()) return true;
        switch (worldDraw->regenType()) {
        case kAcGiHideOrShadeCommand:
        case kAcGiRenderCommand:
            // Hidden and shaded views have no faces of a mark to show.
            return true;
        default:
            break;
        }
        FlagOverride mask(IND_OPT_B_WipeOut, WantsMask(GetParamInt(IND_I_WipeOutStatus)) ? 1 : 0);
        const Acad::ErrorStatus es = drawHeight(worldDraw, nullptr);
        if (es != Acad::eOk) {
            const std::wstring status = host::FormatW(L"%d", static_cast<int>(es));
            acutPrintf(L"\n!!! TRdimHeight::worldDraw: %s ", status.c_str());
        }
    } catch (...) {
        acutPrintf(L"\n !!Error on worldDraw ");
    }
    return true;
}

void TRdimHeight::subViewportDraw(AcGiViewportDraw* /*viewportDraw*/) {}

Acad::ErrorStatus TRdimHeight::subExplode(AcDbVoidPtrArray& entitySet) const {
    const int before = entitySet.length();
    try {
        // Drawing repairs a zero scale in the mark's own copy, as it does on screen.
        const_cast<TRdimHeight*>(this)->drawHeight(nullptr, &entitySet);
    } catch (...) {
        LogMsg(L"\n*** ERROR ON TRdimHeight::explode");
    }
    const AcDbObjectId layer = layerId();
    for (int i = before; i < entitySet.length(); ++i) {
        auto* ent = static_cast<AcDbEntity*>(entitySet[i]);
        if (ent && !layer.isNull()) ent->setLayer(layer, true);
    }
    return Acad::eOk;
}

Acad::ErrorStatus TRdimHeight::drawHeight(AcGiWorldDraw* worldDraw, AcDbVoidPtrArray* entityList) {
    if (!pGlobDimOptions) return Acad::eInvalidInput;
    if (arrayDouble.size() < 2) return Acad::eOk;
    ChainPrimitives out(worldDraw, entityList);
    if (!out.HasTarget()) return Acad::eOk;
    if (m_points.length() < kHeightPointCount) return Acad::eOk;
    const int entityColor = colorIndex();
    out.SetMarker(kSymbolMarker);
    out.SetColor(entityColor);
    const double symbol = ComputeSymbolSize();
    const bool showInputs = GlobalFlag(IND_OPT_B_ShowInputPoints);
    const AcGeVector3d normal = GetNormal().isZeroLength() ? AcGeVector3d::kZAxis : GetNormal().normal();
    const AcGeVector3d along = m_vectorDim.isZeroLength() ? AcGeVector3d::kXAxis : m_vectorDim.normal();
    const AcGePoint3d at = m_points[kHPointDim];
    if (!IsPlan() && m_iRole == kHeightRoleMark && GetParamInt(IND_I_ExtLine) != 0)
        out.Line(m_points[kHPointExt1], m_points[kHPointExt2]);
    if (!IsPlan() && showInputs) out.Cross(m_points[kHPointInput], symbol * kInputMarkerPart, along, normal);

    const SymbolPen pen{out, at, symbol, m_dRotation, along, normal};
    int type = GetType();
    const bool base = !IsPlan() && m_iRole == kHeightRoleBase;
    if (base) {
        if (!showInputs) return Acad::eOk;
        if (GlobalFlag(IND_OPT_B_ShowBaseHDAsXline)) {
            // The reference plane of a group is meant to be seen: on screen too.
            if (out.WorldDraw())
                out.WorldDraw()->geometry().xline(at, at + along);
            else
                out.ConstructionLine(at, at + along);
        } else
            out.Circle(at, symbol * kBaseCirclePart, normal, false);
        return Acad::eOk;
    }
    if (IsPlan() && (type == 1 || type == 2)) {
        DrawPlanSymbol(*this, pen, PaperToModel(pGlobDimOptions->GetOptionSet(OPT_MODE_HEIGHT)
                                                    .arrayOptDouble[IND_D_ExtendBeyondDimLine]),
                       type);
    } else {
        if (IsPlan()) type = type == 4 ? 2 : 1;
        if (type < 1 || type > 6) type = 1;
        DrawTriangle(*this, pen, type, IsTipUp());
    }
    if (out.Aborted()) return Acad::eOk;
    DrawRows(out, entityColor);
    out.SetColor(entityColor);
    return Acad::eOk;
}

bool TRdimHeight::HasBase() const {
    if (m_idBase.isNull()) return false;
    TRdimHeight* base = ObjectId2TRdimHeight(m_idBase);
    if (!base) return false;
    base->close();
    return true;
}

void TRdimHeight::DrawRows(ChainPrimitives& out, int entityColor) {
    if (!IsPlan() && m_iRole == kHeightRoleBase) return;
    ChainTextStyleScope styles;
    const std::shared_ptr<const ChainTextStyle> style = ChainTextStyleScope::Acquire(m_idTextStyle);
    const double h = GetTextHeight();
    double expPercent = pGlobDimOptions->GetOptionSet(OPT_MODE_HEIGHT).arrayOptDouble[IND_D_ExpTextHeight];
    if (expPercent == 0.0) expPercent = GetParamDouble(IND_D_ExpTextHeight);
    const double expHeight = h * expPercent / 100.0;
    const int textColor = GetTextColor();
    const bool underline = GetParamInt(IsPlan() ? IND_I_HPDimTextUnderline : IND_I_HDimTextUnderline) != 0;
    const bool missingBase = !IsPlan() && m_iRole == kHeightRoleMark && AreReactorsSuspended() != kReactorsConversion &&
                             !HasBase();
    const AcGeVector3d normal = GetNormal().isZeroLength() ? AcGeVector3d::kZAxis : GetNormal().normal();
    const AcGeVector3d along = m_vectorDim.isZeroLength() ? AcGeVector3d::kXAxis : m_vectorDim.normal();
    const AcGeVector3d up = normal.crossProduct(along).normal();
    out.SetMarker(kTextMarker);
    for (int row = 1; row <= (HasSecondRow() ? 2 : 1) && !out.Aborted(); ++row) {
        std::wstring main, exponent;
        ComposeRow(row, main, exponent);
        const AcGePoint3d p = m_points[row == 2 ? kHPointText2 : kHPointText1];
        const double mainWidth = style->Width(main, h);
        const double width = mainWidth + (exponent.empty() || expHeight <= 0 ? 0.0 : style->Width(exponent, expHeight));
        if (underline) {
            // The underline runs under the text and on to the point across from the symbol.
            const double foot = (m_points[kHPointDim] - p).dotProduct(along);
            const double from = std::min(0.0, foot);
            const double to = std::max(width, foot);
            if (to - from > 0.0) {
                out.SetColor(entityColor);
                out.Line(p + along * from, p + along * to);
            }
        }
        out.SetColor(textColor);
        out.Text(p, normal, along, main, h, style->Style(), style->StyleId(), textColor);
        if (!exponent.empty() && expHeight > 0)
            out.Text(p + along * mainWidth + up * (h - expHeight), normal, along, exponent, expHeight,
                     style->Style(), style->StyleId(), textColor);
        if (missingBase)
            out.Text(p + along * (width + h * kMissingBaseGapPart), normal, along, L"!!!", h, style->Style(),
                     style->StyleId(), textColor);
    }
}
