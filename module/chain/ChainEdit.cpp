#include "module/chain/ChainEdit.h"

#include "host/ge/AcGeTol.h"
#include "module/base/LintaroLog.h"
#include "module/chain/TRdim.h"
#include "module/options/OptionIndices.h"
#include "module/resources/resource.h"

#include <algorithm>

namespace {

constexpr int kCircleTextMarker = 1001;

// Removes extensions from the end until `keep` are left.
void KeepFirst(TRdim* chain, int keep) {
    while (chain->GetExtensions() > keep && chain->GetExtensions() > 2)
        if (!chain->RemoveDimExt(chain->GetExtensions() - 1)) break;
}

// Removes extensions from the start until `keep` are left.
void KeepLast(TRdim* chain, int keep) {
    while (chain->GetExtensions() > keep && chain->GetExtensions() > 2)
        if (!chain->RemoveDimExt(0)) break;
}

// The segment of `chain` between the extensions at `a` and `b`; 0 when there is none.
int SegmentBetween(const TRdim* chain, const AcGePoint3d& a, const AcGePoint3d& b) {
    for (int j = 1; j < chain->GetExtensions(); ++j)
        if (chain->GetPointInput(j - 1).isEqualTo(a) && chain->GetPointInput(j).isEqualTo(b)) return j;
    return 0;
}

// The appended texts of `source` onto the segments of `target` between the same
// points; a text placed by hand keeps its place, the others go below their value.
void CarryAppendedTexts(TRdim* target, const TRdim* source) {
    for (const AppendingText& rec : source->AppTexts()) {
        const int k = std::max(rec.m_iSegment, 1);
        if (k >= source->GetExtensions()) continue;
        const int j = SegmentBetween(target, source->GetPointInput(k - 1), source->GetPointInput(k));
        if (j < 1) continue;
        target->SetAppendingText(j, &rec);
        AppendingText* stored = nullptr;
        if (rec.m_iAutoPos == 0 && target->GetAppendingText(j, &stored) >= 0 && stored)
            stored->m_position = rec.m_position;
    }
}

} // namespace

bool ChainPartOfMarker(int marker, ChainPart& part) {
    if (marker == kCircleTextMarker) marker = 1;
    if (marker <= 0) return false;
    if (marker >= 1000) {
        LogFmt(L"\nUnknown marker=%d ", marker);
        part.kind = 3;
        part.index = (marker - 3) / 3;
        return true;
    }
    part.kind = ((marker - 1) % 3) + 1;
    part.index = (marker - part.kind) / 3;
    return true;
}

std::unique_ptr<TRdim> RemoveChainSegment(TRdim* chain, int k, bool& changed) {
    changed = false;
    const int n = chain ? chain->GetExtensions() : 0;
    if (n <= 2 || k < 1 || k > n - 1) return nullptr;
    if (k < 2) {
        changed = chain->RemoveDimExt(0) != 0;
        return nullptr;
    }
    if (k >= n - 1) {
        changed = chain->RemoveDimExt(k) != 0;
        return nullptr;
    }
    auto copy = std::make_unique<TRdim>();
    copy->CopyFrom(chain);
    copy->setPropertiesFrom(chain);
    KeepLast(copy.get(), n - k);
    KeepFirst(chain, k);
    chain->Regenerate(0);
    copy->Regenerate(0);
    changed = true;
    return copy;
}

bool JoinChains(TRdim* target, const TRdim* source, int& added, std::wstring& problem) {
    added = 0;
    if (!target || !source || target == source) {
        problem = LoadStr(IDS_JOIN_CHAIN_MISSING);
        return false;
    }
    if (target->IsDimArc() || source->IsDimArc()) {
        problem = LoadStr(IDS_JOIN_ARC_CHAINS);
        return false;
    }
    AcGeTol tol;
    tol.setEqualVector(lintaro::tol::kPerpendicularJoin);
    if (target->GetVectorDim().isPerpendicularTo(source->GetVectorDim(), tol)) {
        problem = LoadStr(IDS_JOIN_PERPENDICULAR);
        return false;
    }
    for (int i = 0; i < source->GetExtensions(); ++i) {
        const int at = target->AddPointInput(source->GetPointInput(i));
        if (at < 0) continue;
        ++added;
        target->SetTickSymbol(at, source->GetTickSymbol(i));
        target->SetExtHidden(at, !source->IsExtVisible(i));
        target->SetExtLeader(at, source->IsExtLeader(i));
    }
    // Manual values and appended texts go to the segment that now lies between the
    // same two points.
    for (int k = 1; k < source->GetExtensions(); ++k) {
        const int j = SegmentBetween(target, source->GetPointInput(k - 1), source->GetPointInput(k));
        if (j < 1) continue;
        const std::wstring user = source->GetDimTextUser(k);
        if (!user.empty()) target->SetDimTextUser(j, user.c_str());
    }
    target->AdjustTexts(71);
    // After the texts found their places, so that appended texts follow them.
    CarryAppendedTexts(target, source);
    return true;
}

int ExtensionDirectionFor(const TRdim* chain, const AcGePoint3d& point) {
    const AcGeVector3d toPoint = point - chain->GetPointDim(0);
    const double angle = chain->GetVectorDim().angleTo(toPoint, chain->GetUcsNormal());
    return (angle < 0.0 || angle > lintaro::tol::kArcPi) ? 2 : 1;
}
