// MakeLintaroDim: one chain from joined dimension records (DimsToChains.h).
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/ge/AcGeMatrix3d.h"
#include "host/ge/AcGeTol.h"
#include "module/base/LintaroLog.h"
#include "module/chain/TRdim.h"
#include "module/convert/ChainToDims.h"
#include "module/convert/DimStyleRecord.h"
#include "module/convert/DimsToChains.h"
#include "module/options/OptionIndices.h"

#include <cmath>

namespace {

// Every text is placed again after the points are in.
constexpr int kAdjustAll = 82;

// The records' measured points in order, each once.
std::vector<AcGePoint3d> ChainPoints(const std::vector<DimRecord>& records, const std::vector<int>& which) {
    std::vector<AcGePoint3d> points;
    auto add = [&points](const AcGePoint3d& p) {
        for (const AcGePoint3d& q : points)
            if (q.distanceTo(p) < kDimZeroLength) return;
        points.push_back(p);
    };
    for (int r : which) {
        add(records[r].first);
        add(records[r].second);
    }
    return points;
}

bool Parallel(const AcGeVector3d& a, const AcGeVector3d& b) {
    return a.crossProduct(b).length() < kDimJoinTolerance;
}

// The chain type and the coordinate system that make a chain measure along the
// record's direction: horizontal or vertical in the world, aligned when the measured
// points lie along it, else horizontal in a system turned to the direction.
int ChainTypeFor(const DimRecord& r, AcGeMatrix3d& ucsToWorld) {
    ucsToWorld = AcGeMatrix3d();
    if (Parallel(r.direction, AcGeVector3d::kXAxis)) return kDimHorizontal;
    if (Parallel(r.direction, AcGeVector3d::kYAxis)) return kDimVertical;
    if (Parallel(r.direction, r.second - r.first)) return kDimAligned;
    const AcGeVector3d x = r.direction.normal();
    ucsToWorld.setCoordSystem(AcGePoint3d::kOrigin, x, AcGeVector3d::kZAxis.crossProduct(x),
                              AcGeVector3d::kZAxis);
    return kDimHorizontal;
}

std::unique_ptr<TRdim> NewChain(const DimRecord& r, const std::vector<AcGePoint3d>& points) {
    AcGeMatrix3d ucs;
    if (r.arc) return std::make_unique<TRdim>(points[0], points[1], r.arcId, 0, r.dimLinePoint, ucs);
    const int type = ChainTypeFor(r, ucs);
    return std::make_unique<TRdim>(points[0], points[1], type, r.dimLinePoint, ucs);
}

// The chain's segment whose two ends are the record's measured points; 0 when none.
int SegmentOf(const TRdim& chain, const DimRecord& r) {
    for (int k = 1; k < chain.GetExtensions(); ++k) {
        const AcGePoint3d a = chain.GetPointInput(k - 1);
        const AcGePoint3d b = chain.GetPointInput(k);
        if ((a.distanceTo(r.first) < kDimJoinTolerance && b.distanceTo(r.second) < kDimJoinTolerance) ||
            (a.distanceTo(r.second) < kDimJoinTolerance && b.distanceTo(r.first) < kDimJoinTolerance))
            return k;
    }
    return 0;
}

// The parameters a dimension made from a chain carried come back to the chain; its
// values are formatted with them again.
void TakeParams(TRdim& chain, const TRdimParams& params) {
    TRdimParams mine = chain.GetParams();
    CopyParams(mine, params);
    chain.SetParams(std::move(mine));
    AcDbDatabase* db = chain.database() ? chain.database() : acdbHostApplicationServices()->workingDatabase();
    chain.SetTextStyleId(TextStyleIdFor(db, chain.GetParamString(IND_S_TextStyle)));
    for (int k = 1; k < chain.GetExtensions(); ++k)
        chain.UpdateDimText(k);
}

} // namespace

std::unique_ptr<TRdim> MakeLintaroDim(const std::vector<DimRecord>& records, const std::vector<int>& which,
                                      bool keepText, bool keepPos) {
    LogFmt(L"\n MakeLintaroDim( Dims:%d, T%d, P%d ) ", static_cast<int>(which.size()), keepText ? 1 : 0,
           keepPos ? 1 : 0);
    if (which.empty()) return nullptr;
    const std::vector<AcGePoint3d> points = ChainPoints(records, which);
    if (points.size() < 2) {
        LogMsg(L"\n -----------  inputPoints.length() < 2   --------");
        return nullptr;
    }
    const DimRecord& first = records[which.front()];
    std::unique_ptr<TRdim> chain = NewChain(first, points);
    if (chain->GetExtensions() < 2) return nullptr;
    for (size_t i = 2; i < points.size(); ++i)
        chain->AddPointInput(points[i], false);
    chain->ChangePointMainDim(first.dimLinePoint);
    if (first.params) TakeParams(*chain, *first.params);
    chain->AdjustTexts(kAdjustAll);
    for (int r : which) {
        const int k = SegmentOf(*chain, records[r]);
        if (k == 0) continue;
        const std::wstring& text = records[r].text;
        if (keepText && !text.empty() && text != L"<>" && text != L" ")
            chain->SetDimTextUser(k, UnstackDimText(text).c_str());
        if (keepPos && !records[r].defaultTextPosition) chain->SetPointText(k, records[r].textPosition, true);
    }
    return chain;
}
