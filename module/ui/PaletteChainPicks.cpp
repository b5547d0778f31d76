#include "module/ui/PaletteChainPicks.h"

#include "host/db/database/AcDbObjectOpen.h"
#include "host/ed/acutPrintf.h"
#include "host/ed/input/EditorInput.h"
#include "host/ed/selection/acedEntSel.h"
#include "module/base/LintaroLog.h"
#include "module/chain/TRdim.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/OptionIndices.h"
#include "module/resources/resource.h"
#include "module/services/DbServices.h"
#include "module/services/DocLocks.h"
#include "module/ui/PaletteApp.h"

#include <vector>

namespace {

// The chain under a pick (null: Enter ends, a cancel or a miss asks again).
enum class ChainPick { Chain, Again, End };
ChainPick PickChain(const wchar_t* prompt, AcDbObjectId& id) {
    ads_name ent;
    ads_point pt;
    const int rc = acedEntSel(prompt, ent, pt);
    if (rc == RTCAN) return ChainPick::End;
    if (rc != RTNORM) return rc == RTERROR ? ChainPick::End : ChainPick::Again;
    if (acdbGetObjectId(id, ent) != Acad::eOk) return ChainPick::Again;
    TRdim* chain = nullptr;
    if (acdbOpenObject(chain, id, AcDb::kForRead) != Acad::eOk) return ChainPick::Again;
    chain->close();
    return ChainPick::Chain;
}

} // namespace

DimSegmentList RemovalOrder(const DimSegmentList& picked) {
    DimSegmentList order = picked;
    for (size_t i = 0; i < order.size(); ++i)
        for (size_t j = i + 1; j < order.size(); ++j)
            if (order[j].chainId == order[i].chainId && order[j].index > order[i].index) --order[j].index;
    return order;
}

int PaletteRemovePoints() {
    DimSegmentList picked;
    acutPrintf(L"%s", LoadStr(IDS_PROMPT_REMOVE_POINTS));
    if (GetDimSegments(picked, AcDbObjectId::kNull, kPickPoints, L"", 0) <= 0) return 0;
    CDbLockScope lock(acdbCurDwg(), L"PaletteRemovePoints");
    int removed = 0;
    for (const DimSegment& part : RemovalOrder(picked)) {
        TRdim* chain = nullptr;
        if (acdbOpenObject(chain, part.chainId, AcDb::kForWrite) != Acad::eOk) continue;
        if (chain->RemoveDimExt(part.index)) {
            ++removed;
            chain->AdjustTexts(chain->IsDimArc() ? 82 : 71);
        }
        chain->close();
    }
    return removed;
}

int PaletteRedistributeChains() {
    HideDlgMain();
    CDbLockScope lock(acdbCurDwg(), L"PaletteRedistributeChains");
    AcDbObjectId baseId;
    ChainPick first = ChainPick::Again;
    while ((first = PickChain(std::wstring(LoadStr(IDS_PROMPT_BASE_CHAIN)).c_str(), baseId)) ==
           ChainPick::Again) {
    }
    int moved = 0;
    if (first == ChainPick::Chain) {
        TRdim* base = nullptr;
        AcGePoint3d origin;
        AcGeVector3d step;
        if (acdbOpenObject(base, baseId, AcDb::kForRead) == Acad::eOk) {
            origin = base->GetPointDim(0);
            const double distance = pGlobDimOptions ? pGlobDimOptions->GetOptionSet().arrayOptDouble[IND_D_DimLinesDistance] : 0.0;
            AcGeVector3d across = base->GetVectorDim().crossProduct(base->GetUcsNormal()).normal();
            // On the base chain's side: away from its measured points.
            if ((base->GetPointInput(0) - origin).dotProduct(across) > 0) across = -across;
            step = across * base->PaperToModel(distance);
            base->close();
        }
        int index = 0;
        for (;;) {
            AcDbObjectId id;
            const ChainPick p = PickChain(std::wstring(LoadStr(IDS_PROMPT_SELECT_CHAIN)).c_str(), id);
            if (p == ChainPick::End) break;
            if (p == ChainPick::Again || id == baseId) continue;
            TRdim* chain = nullptr;
            if (acdbOpenObject(chain, id, AcDb::kForWrite) != Acad::eOk) continue;
            // The second chain decides on which side the stack grows.
            if (index == 0 && (chain->GetPointDim(0) - origin).dotProduct(step) < 0) step = -step;
            ++index;
            chain->ChangePointMainDim(origin + step * index, false);
            chain->recordGraphicsModified(true);
            chain->close();
            ++moved;
        }
    }
    ShowDlgMain();
    return moved;
}
