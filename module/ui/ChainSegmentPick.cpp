#include "module/ui/ChainSegmentPick.h"

#include "host/db/entities/AcDbFullSubentPath.h"
#include "host/db/tables/AcDbLayerTableRecord.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/database/acutResbuf.h"
#include "host/ed/selection/AcEdSelectionSet.h"
#include "host/ed/input/EditorInput.h"
#include "host/ed/selection/acedSSGet.h"
#include "host/ed/acutPrintf.h"
#include "module/services/DbServices.h"
#include "module/services/DocLocks.h"
#include "module/base/LintaroLog.h"
#include "module/ui/PaletteApp.h"
#include "module/services/XDataServices.h"
#include "module/chain/ChainEdit.h"
#include "module/chain/TRdim.h"
#include "module/resources/ContextMenuResources.h"

#include <algorithm>
#include <memory>

namespace {

struct Pick {
    AcDbObjectId chainId;
    int marker = 0;
};

// The chain under a picked point (UCS) and the marker of its part there.
bool PickChainPart(const ads_point point, Pick& pick) {
    resbuf* filter = acutBuildList(RTDXF0, L"XOTA_LINTARO", 0);
    ads_name ss = {0, 0};
    const int rc = acedSSGet(L"_:E", point, nullptr, filter, ss);
    acutRelRb(filter);
    if (rc != RTNORM) return false;
    resbuf* list = nullptr;
    bool found = false;
    if (acedSSNameX(&list, ss, 0) == RTNORM) {
        for (const resbuf* rb = list; rb; rb = rb->rbnext) {
            if (rb->restype == RTENAME && pick.chainId.isNull()) {
                acdbGetObjectId(pick.chainId, rb->resval.rlname);
            } else if (rb->restype == RTLONG && pick.marker == 0) {
                pick.marker = static_cast<int>(rb->resval.rlong);
            }
        }
        found = !pick.chainId.isNull();
    }
    acutRelRb(list);
    acedSSFree(ss);
    return found;
}

// A picked segment shows its value text and its piece of the dimension line; a picked
// point its extension line.
void Highlight(const DimSegment& part, bool on) {
    AcDbEntity* entity = nullptr;
    if (acdbOpenAcDbEntity(entity, part.chainId, AcDb::kForRead) != Acad::eOk) return;
    for (int kind : {1, 2, 3}) {
        if ((part.kind == 2) != (kind == 2)) continue;
        const AcDbFullSubentPath path(part.chainId, AcDb::kEdgeSubentType, 3 * part.index + kind);
        if (on) entity->highlight(path);
        else entity->unhighlight(path);
    }
    entity->close();
}

// Whether the part is one the picking takes; values come back as segment indices.
bool Accepts(int pickMode, const ChainPart& part) {
    switch (pickMode) {
    case kPickValues:
        return part.kind == 1 || part.kind == 3;
    case kPickPoints:
        return part.kind == 2;
    case kPickTexts:
        return part.kind == 1 || part.kind == 3;
    default:
        return true;
    }
}

int ExtensionCount(AcDbObjectId chainId) {
    TRdim* chain = nullptr;
    if (acdbOpenObject(chain, chainId, AcDb::kForRead) != Acad::eOk) return 0;
    const int n = chain->GetExtensions();
    chain->close();
    return n;
}

bool RemovePoint(const DimSegment& part) {
    TRdim* chain = nullptr;
    if (acdbOpenObject(chain, part.chainId, AcDb::kForWrite) != Acad::eOk) return false;
    const bool removed = chain->RemoveDimExt(part.index) != 0;
    if (removed) chain->AdjustTexts(chain->IsDimArc() ? 82 : 71);
    chain->close();
    return removed;
}

bool RemoveSegment(const DimSegment& part) {
    TRdim* chain = nullptr;
    if (acdbOpenObject(chain, part.chainId, AcDb::kForWrite) != Acad::eOk) return false;
    bool changed = false;
    std::unique_ptr<TRdim> rest = RemoveChainSegment(chain, part.index, changed);
    chain->close();
    if (!rest) return changed;
    AcDbObjectId restId;
    TRdim* appended = rest.release();
    if (posToDb(appended, restId) == Acad::eOk) {
        appended->close();
    } else {
        delete appended;
    }
    return changed;
}

// One pick; 1 a part, 0 the end of the picking, -1 ask again, kPickSwitchToAdd.
int PickOne(const wchar_t* prompt, bool offerAdd, Pick& pick) {
    if (offerAdd) acedInitGet(0, L"Hinzuf\u00FCgen Add");
    ads_point point = {0, 0, 0};
    const int rc = acedGetPoint(nullptr, prompt, point);
    if (rc == RTKWORD) return offerAdd ? kPickSwitchToAdd : -1;
    if (rc != RTNORM) return 0; // Enter or cancel ends it
    if (!PickChainPart(point, pick)) return -1;
    return 1;
}

} // namespace

bool IsOnLockedLayer(AcDbObjectId entityId) {
    AcDbEntity* entity = nullptr;
    if (acdbOpenAcDbEntity(entity, entityId, AcDb::kForRead) != Acad::eOk) return false;
    const AcDbObjectId layerId = entity->layerId();
    entity->close();
    AcDbLayerTableRecord* layer = nullptr;
    if (acdbOpenObject(layer, layerId, AcDb::kForRead) != Acad::eOk) return false;
    const bool locked = layer->isLocked();
    layer->close();
    if (locked) acutPrintf(L"\n%s", LoadStr(IDS_OBJECT_ON_LOCKED_LAYER));
    return locked;
}

int GetDimSegments(DimSegmentList& list, AcDbObjectId chainId, int pickMode, const wchar_t* prompt, int operation) {
    HideDlgMain();
    CDbLockScope lock(acdbCurDwg(), L"GetDimSegments");
    int result = 0, changes = 0;
    try {
        for (;;) {
            if (operation == ID_CTX_POINTS_REMOVE && ExtensionCount(chainId) < 3) break;
            Pick pick;
            const int step = PickOne(prompt, operation == ID_CTX_POINTS_REMOVE, pick);
            if (step == kPickSwitchToAdd) {
                result = kPickSwitchToAdd;
                break;
            }
            if (step == 0) break;
            if (step < 0) continue;
            ChainPart part;
            if (!ChainPartOfMarker(pick.marker, part) || !Accepts(pickMode, part)) continue;
            if (IsOnLockedLayer(pick.chainId)) continue;
            const DimSegment seg{pick.chainId, part.index, pickMode == kPickPoints ? 2 : part.kind};
            if (operation == ID_CTX_POINTS_REMOVE) {
                if (pick.chainId == chainId && RemovePoint(seg)) ++changes;
                continue;
            }
            if (operation == ID_CTX_SEGMENT_REMOVE) {
                if (RemoveSegment(seg)) ++changes;
                continue;
            }
            auto same = std::find_if(list.begin(), list.end(), [&](const DimSegment& d) {
                return d.chainId == seg.chainId && d.index == seg.index;
            });
            if (same != list.end()) {
                Highlight(*same, false);
                list.erase(same);
            } else {
                list.push_back(seg);
                Highlight(seg, true);
            }
        }
    } catch (...) {
        acutPrintf(L"ANY ARROR ON GetSegments ");
    }
    for (const DimSegment& d : list) Highlight(d, false);
    ShowDlgMain();
    if (result == kPickSwitchToAdd) return result;
    return operation == 0 ? static_cast<int>(list.size()) : changes;
}

void ForEachPickedSegment(const DimSegmentList& list, const std::function<void(TRdim*, int)>& change) {
    for (const DimSegment& part : list) {
        TRdim* chain = nullptr;
        if (acdbOpenObject(chain, part.chainId, AcDb::kForWrite) != Acad::eOk) continue;
        change(chain, part.index);
        chain->recordGraphicsModified(true);
        chain->close();
    }
}
