#include "module/ui/ChainPopup.h"

#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/tables/AcDbSortentsTable.h"
#include "host/ed/acutPrintf.h"
#include "host/rx/adscodes.h"
#include "module/app/PropertiesPort.h"
#include "module/base/LintaroLog.h"
#include "module/chain/PopupState.h"
#include "module/chain/TRdim.h"
#include "module/options/OptionIndices.h"
#include "module/resources/ContextMenuResources.h"
#include "module/resources/resource.h"
#include "module/services/DbServices.h"
#include "module/services/DocLocks.h"
#include "module/services/ReactorSuspension.h"
#include "module/ui/CDlgMovement.h"
#include "module/ui/ChainSegmentPick.h"

#include <functional>

namespace {

// A chain change in one open-for-write round; the chain is drawn again afterwards.
void ChangeChain(AcDbObjectId chainId, const std::function<void(TRdim*)>& change) {
    TRdim* chain = nullptr;
    if (acdbOpenObject(chain, chainId, AcDb::kForWrite) != Acad::eOk) return;
    change(chain);
    chain->recordGraphicsModified(true);
    chain->close();
}

// A shown state (sum, background, alternate units) switched: 2 hides it, 1 shows it.
void ToggleStatus(AcDbObjectId chainId, int index, bool toFront) {
    ChangeChain(chainId, [index](TRdim* chain) {
        const bool shown = index == IND_I_SumStatus      ? chain->IsSumShown()
                           : index == IND_I_WipeOutStatus ? chain->IsWipeOutOn()
                                                          : chain->IsAltUnitsOn();
        chain->SetParamInt(index, shown ? 2 : 1);
    });
    if (!toFront) return;
    AcDbEntity* entity = nullptr;
    if (acdbOpenAcDbEntity(entity, chainId, AcDb::kForRead) != Acad::eOk) return;
    AcDbSortentsTable* order = GetSortentsTable(entity);
    entity->close();
    if (!order) return;
    AcDbObjectIdArray ids;
    ids.append(chainId);
    order->moveToTop(ids);
    order->close();
}

void ClearAllValues(AcDbObjectId chainId) {
    ChangeChain(chainId, [](TRdim* chain) {
        for (int k = 1; k < chain->GetExtensions(); ++k) chain->SetDimTextUser(k, L"");
    });
}

bool IsChain(AcDbObjectId id) {
    TRdim* chain = nullptr;
    if (acdbOpenObject(chain, id, AcDb::kForRead) != Acad::eOk) return false;
    chain->close();
    return true;
}

bool DispatchSwitches(int commandId, AcDbObjectId chainId) {
    switch (commandId) {
    case ID_CTX_TEXT_CENTRE:
        ChangeChain(chainId, [](TRdim* chain) { chain->AdjustTexts(67); });
        return true;
    case ID_CTX_AUTO_TEXT:
        ChangeChain(chainId, [](TRdim* chain) { chain->AdjustTexts(chain->IsDimArc() ? 67 : 65); });
        return true;
    case ID_CTX_VALUES_ALL_BACK:
        ClearAllValues(chainId);
        return true;
    case ID_CTX_SUM:
        ToggleStatus(chainId, IND_I_SumStatus, false);
        return true;
    case ID_CTX_BACKGROUND:
        ToggleStatus(chainId, IND_I_WipeOutStatus, true);
        return true;
    case ID_CTX_ALT_UNITS:
        ToggleStatus(chainId, IND_I_AltUnitsStatus, true);
        return true;
    case ID_CTX_LABEL_REMOVE:
        ChangeChain(chainId, [](TRdim* chain) { chain->SetParamString(IND_S_DimDescription, L""); });
        return true;
    default:
        return false;
    }
}

bool DispatchPicking(int commandId, AcDbObjectId chainId) {
    DimSegmentList picked;
    switch (commandId) {
    case ID_CTX_POINTS_ADD:
        if (AddChainPoints(chainId) && RemoveChainPoints(chainId)) AddChainPoints(chainId);
        return true;
    case ID_CTX_POINTS_REMOVE:
        if (RemoveChainPoints(chainId) && AddChainPoints(chainId)) RemoveChainPoints(chainId);
        return true;
    case ID_CTX_SEGMENT_REMOVE:
        RemoveChainSegments(chainId);
        return true;
    case ID_CTX_SEGMENT_SHOW:
        GetDimSegments(picked, chainId, kPickValues, std::wstring(LoadStr(IDS_PROMPT_CHAINS)).c_str(), 0);
        return true;
    case ID_CTX_VALUE_CHANGE:
        EditChainValues(chainId);
        return true;
    case ID_CTX_VALUE_BACK:
        ClearPickedValues(chainId);
        return true;
    case ID_CTX_PREFIX_SUFFIX:
        EditPrefixSuffix(chainId);
        return true;
    case ID_CTX_PREFIX_SUFFIX_REMOVE:
        ClearPrefixSuffix(chainId);
        return true;
    case ID_CTX_LABEL:
        EditChainLabel(chainId);
        return true;
    case ID_CTX_EXT_DIRECTION:
        SetExtensionDirection(chainId);
        return true;
    case ID_CTX_JOIN:
        JoinChainInto(chainId);
        return true;
    case ID_CTX_MATCH:
        MatchChainProperties(chainId);
        return true;
    case ID_CTX_LINK_ARC:
        LinkArcChain(chainId);
        return true;
    case ID_CTX_APPEND_TEXT:
        EditAppendedTexts(chainId);
        return true;
    case ID_CTX_APPEND_TEXT_REMOVE:
        ClearAppendedTexts(chainId);
        return true;
    default:
        if (commandId >= ID_CTX_EXT_SHOW && commandId <= ID_CTX_TICK_NONE) {
            SwitchPickedSegments(chainId, commandId);
            return true;
        }
        return false;
    }
}

} // namespace

void NotInThisBuild(int commandId) {
    acutPrintf(LoadStr(IDS_MENU_ITEM_NOT_BUILT), commandId);
}

void RunChainPopupCommand(int commandId, AcDbObjectId chainId) {
    if (DispatchSwitches(commandId, chainId) || DispatchPicking(commandId, chainId)) return;
    switch (commandId) {
    case ID_CTX_FORMAT_DEFAULT:
        CurrentFormatToDefault(chainId);
        return;
    case ID_CTX_TEXT_POSITION:
        OpenMovementDialog();
        return;
    case ID_CTX_PROPERTIES: {
        AcDbObjectIdArray ids;
        ids.append(chainId);
        OpenDlgProperties(&ids, kDimPropChains);
        return;
    }
    default:
        acutPrintf(L"Unknown menu ID %d ", commandId);
    }
}

int XOTA_OnPopupVargo() {
    const PopupOperation op = GetPopupOperation();
    if (op.objectId.isNull() || !acdbCurDwg()) return RTNORM;
    if (!IsChain(op.objectId)) {
        try {
            RunHostObjectPopupCommand(op.commandId, op.objectId);
        } catch (...) {
            acutPrintf(L"\n*** ERROR ON XOTA_OnPopupVargo %d", op.commandId);
        }
        ClearPopupObject();
        return RTNORM;
    }
    if (IsOnLockedLayer(op.objectId)) {
        ClearPopupObject();
        return RTNORM;
    }
    const int previous = SetReactorsSuspended(8);
    try {
        CDbLockScope lock(acdbCurDwg(), L"XOTA_OnPopupVargo");
        RunChainPopupCommand(op.commandId, op.objectId);
    } catch (...) {
        acutPrintf(L"\n*** ERROR ON XOTA_OnPopupVargo %d", op.commandId);
    }
    SetReactorsSuspended(previous);
    ClearPopupObject();
    return RTNORM;
}
