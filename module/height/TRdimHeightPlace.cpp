// Placing a height mark: a section mark's symbol stands at the level of its measured
// point, and its extension line runs from near the measured point to just before the
// symbol. Plan marks stand on their measured point.
#include "module/height/TRdimHeight.h"

#include "host/ge/AcGeTol.h"
#include "module/base/LintaroLog.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/OptionIndices.h"

namespace {

// Both gaps of a short extension line are a third of its length.
constexpr double kShortLineShare = 1.0 / 3.0;

// A length of the global height-mark set (the mark's own without global options).
double HeightSetDouble(const TRdimHeight& mark, int index) {
    if (!pGlobDimOptions) return mark.GetParamDouble(index);
    const std::vector<double>& d = pGlobDimOptions->GetOptionSet(OPT_MODE_HEIGHT).arrayOptDouble;
    return index >= 0 && index < static_cast<int>(d.size()) ? d[static_cast<size_t>(index)] : 0.0;
}

// The point of the stretch from `from` to `to` nearest to `point`; `atZero` (0 or 1)
// for a stretch of no length.
AcGePoint3d OnStretch(const AcGePoint3d& point, const AcGePoint3d& from, const AcGePoint3d& to, double atZero) {
    const AcGeVector3d line = to - from;
    double t = line.isZeroLength() ? atZero : (point - from).dotProduct(line) / line.lengthSqrd();
    if (t < 0.0) t = 0.0;
    if (t > 1.0) t = 1.0;
    return from + line * t;
}

} // namespace

void TRdimHeight::SetPointInput(const AcGePoint3d& point) {
    SetPoint(kHPointInput, point);
    if (IsPlan()) return;
    // The symbol follows the new level.
    SetPointDim(GetPoint(kHPointDim));
}

void TRdimHeight::SetPointDim(const AcGePoint3d& point) {
    if (IsPlan()) {
        SetPoint(kHPointDim, point);
        InitPointText();
        return;
    }
    const AcGePoint3d input = GetPoint(kHPointInput);
    AcGePoint3d placed = point;
    if (point.distanceTo(input) <= lintaro::tol::kHeightProjection) {
        LogMsg(L"\n!PointProjection == Input");
    } else {
        // In the mark's system: the new point's X, the measured point's level.
        const AcGePoint3d local = WorldToMark(point);
        const AcGePoint3d level = WorldToMark(input);
        placed = AcGePoint3d(local.x, level.y, local.z).transformBy(MarkMatrix());
    }
    SetPoint(kHPointDim, placed);
    PlaceExtensionLine();
    InitPointText();
}

void TRdimHeight::PlaceExtensionLine() {
    if (IsPlan()) return;
    const AcGePoint3d input = GetPoint(kHPointInput);
    const AcGePoint3d dim = GetPoint(kHPointDim);
    const double distance = input.distanceTo(dim);
    if (distance <= AcGeContext::gTol.equalPoint()) {
        SetPoint(kHPointExt1, input);
        SetPoint(kHPointExt2, input);
        return;
    }
    double start = PaperToModel(HeightSetDouble(*this, IND_D_OffsetFromOrigin));
    double end = PaperToModel(HeightSetDouble(*this, IND_D_ExtendBeyondDimLine));
    if (start + end > distance) start = end = distance * kShortLineShare;
    const AcGeVector3d dir = (dim - input).normal();
    SetPoint(kHPointExt1, input + dir * start);
    SetPoint(kHPointExt2, dim - dir * end);
}

void TRdimHeight::SetPointExt1(const AcGePoint3d& point) {
    if (IsPlan()) return;
    // On the line from the measured point to the line's end, never beyond either.
    SetPoint(kHPointExt1, OnStretch(point, GetPoint(kHPointInput), GetPoint(kHPointExt2), 0.0));
    if (GetParamInt(IND_I_ExtLine) == 0) SetParamInt(IND_I_ExtLine, 1);
}

void TRdimHeight::SetPointExt2(const AcGePoint3d& point) {
    if (IsPlan()) return;
    SetPoint(kHPointExt2, OnStretch(point, GetPoint(kHPointExt1), GetPoint(kHPointDim), 1.0));
}
