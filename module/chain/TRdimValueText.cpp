// What a chain shows: the value of each segment, the parts that are drawn, the marking
// of manual values out of tolerance, and the listing of the chain.
#include "module/chain/TRdim.h"

#include "host/ed/acutPrintf.h"
#include "host/ge/AcGeTol.h"
#include "host/win/FormatW.h"
#include "module/base/LintaroLog.h"
#include "module/chain/ChainDisplayText.h"
#include "module/chain/ChainFormatEnv.h"
#include "module/chain/ChainScale.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/OptionIndices.h"
#include "module/resources/resource.h"

ValueFormatEnv TRdim::GetFormatEnv() const {
    ValueFormatEnv env = MakeValueFormatEnv(GetParamString(IND_S_IniFile));
    env.log = &LogMsg;
    return env;
}

// ---------------------------------------------------------------- shown texts

std::wstring TRdim::GetText(int k) {
    const int n = GetExtensions();
    auto chainLength = [this, n] {
        double sum = 0;
        for (int j = 1; j < n; ++j)
            sum += GetDistance(j);
        return sum;
    };
    RepairAcadUnits(m_rec.params.arrayDouble);
    return SegmentValueText(k, m_rec.texts, n, chainLength, Params(), GetFormatEnv());
}

bool TRdim::IsUserTextOutOfTolerance(int k) {
    if (!pGlobDimOptions) return false;
    const COptionSet& set = pGlobDimOptions->GetOptionSet(OPT_MODE_CHAIN);
    const double paper = IND_D_UserTextTolerance < static_cast<int>(set.arrayOptDouble.size())
                             ? set.arrayOptDouble[IND_D_UserTextTolerance]
                             : 0.0;
    return UserTextOutOfTolerance(k, m_rec.texts, true, GetParamString(IND_S_Delimiter), GetDistance(k),
                                  PaperToModel(paper));
}

bool TRdim::BuildDisplayText(int k, std::vector<std::wstring>* parts, const AppendingText* appendingText) {
    DisplayTextInputs in;
    in.k = k;
    in.appendingText = appendingText;
    if (!appendingText && k != kChainLabelIndex) {
        in.isSum = k == GetExtensions();
        in.value = GetText(k);
        in.prefix = GetDimTextPrefix(k);
        in.suffix = GetDimTextSuffix(k);
        in.segmentLength = GetDistance(k);
        in.altUnitsOn = IsAltUnitsOn();
        // The circumference mark goes with a value; the circle text of a chain that has
        // none (entry 0) stays empty rather than show the mark alone.
        in.fullCircle = IsFullCircle() && !in.value.empty();
    }
    RepairAcadUnits(m_rec.params.arrayDouble);
    return ComposeDisplayText(in, Params(), GetFormatEnv(), parts);
}

// ---------------------------------------------------------------- listing

void TRdim::subList() const {
    AcDbEntity::subList();
    // Listing reads like drawing does; the text angle and shown values are computed
    // by operations that may repair a short text list on the way.
    TRdim* self = const_cast<TRdim*>(this);
    constexpr double kDegrees = 180.0 / lintaro::tol::kArcPi;
    const int n = GetExtensions();
    double textAngle = 0;
    int side = 1;
    if (n >= 2) self->GetTextAngle(1, textAngle, side);
    acutPrintf(L" Ver=%d ", static_cast<int>(GetParamInt(IND_I_AppVersion)));
    acutPrintf(std::wstring(LoadStr(IDS_LIST_CHAIN_TYPE)).c_str(), m_rec.geo.dimType);
    acutPrintf(std::wstring(LoadStr(IDS_LIST_EXTENSIONS)).c_str(), n);
    acutPrintf(std::wstring(LoadStr(IDS_LIST_ROTATION)).c_str(), m_rec.geo.rotation * kDegrees,
               textAngle * kDegrees);
    acutPrintf(L" vecDim: %.1f,%.1f,%.1f ", m_rec.geo.vectorDim.x, m_rec.geo.vectorDim.y,
               m_rec.geo.vectorDim.z);
    const AcGeVector3d* a = m_rec.geo.axis;
    acutPrintf(std::wstring(LoadStr(IDS_LIST_ORIGINAL_UCS)).c_str(), a[0].x, a[0].y, a[0].z, a[1].x, a[1].y,
               a[1].z, a[2].x, a[2].y, a[2].z);
    acutPrintf(L"\n-----------");
    for (int i = 0; i < n; ++i) {
        const AcGePoint3d& e = m_rec.geo.points[4 * i];
        const AcGePoint3d& d = m_rec.geo.points[4 * i + 2];
        acutPrintf(L"\n  E%d=%f, %f, %f ", i, e.x, e.y, e.z);
        acutPrintf(L"\n  D%d=%f, %f, %f ", i, d.x, d.y, d.z);
        if (i >= 1) {
            const std::wstring text = self->GetText(i);
            acutPrintf(L"\n      Text%d=%s  (Dist=%.15f) ", i, text.c_str(), self->GetDistance(i));
        }
    }
    acutPrintf(L"\n------------\n");
}
