#include "module/ui/HeightPopup.h"

#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/tables/AcDbSortentsTable.h"
#include "host/ed/acutPrintf.h"
#include "host/ed/selection/acedEntSel.h"
#include "host/rx/adscodes.h"
#include "module/app/PropertiesPort.h"
#include "module/base/LanguageModule.h"
#include "module/base/LintaroLog.h"
#include "module/chain/PopupState.h"
#include "module/chain/TRdimParams.h"
#include "module/height/TRdimHeight.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/OptionIndices.h"
#include "module/resources/ContextMenuResources.h"
#include "module/resources/PaletteResources.h"
#include "module/resources/resource.h"
#include "module/services/DbServices.h"
#include "module/services/DocLocks.h"
#include "module/services/ReactorSuspension.h"
#include "module/ui/CDlgHDbase.h"
#include "module/ui/CDlgMain.h"
#include "module/ui/CDlgTextPosition.h"
#include "module/ui/ChainSegmentPick.h"
#include "module/ui/PaletteApp.h"

#include <functional>

namespace {

// The palette's prefix and suffix fields of row 1 and row 2.
constexpr int kPaletteTextFields[4] = {1099, 1097, 1098, 1096};

// A mark change in one open-for-write round; the mark is drawn again afterwards.
bool ChangeMark(AcDbObjectId markId, const std::function<void(TRdimHeight*)>& change) {
    TRdimHeight* mark = nullptr;
    if (acdbOpenObject(mark, markId, AcDb::kForWrite) != Acad::eOk) return false;
    change(mark);
    mark->recordGraphicsModified(true);
    mark->close();
    return true;
}

// 32886: the background behind the texts switched, and the mark brought to the front.
void ToggleBackground(AcDbObjectId markId) {
    ChangeMark(markId, [](TRdimHeight* mark) {
        const bool on = IsStatusOn(mark->GetParamInt(IND_I_WipeOutStatus), pGlobDimOptions != nullptr,
                                   pGlobDimOptions && pGlobDimOptions->GetOptFlag(IND_OPT_B_WipeOut));
        mark->SetParamInt(IND_I_WipeOutStatus, on ? 2 : 1);
    });
    AcDbEntity* entity = nullptr;
    if (acdbOpenAcDbEntity(entity, markId, AcDb::kForRead) != Acad::eOk) return;
    AcDbSortentsTable* order = GetSortentsTable(entity);
    entity->close();
    if (!order) return;
    AcDbObjectIdArray ids;
    ids.append(markId);
    order->moveToTop(ids);
    order->close();
}

// 32799: the parameters and layer of a picked pattern mark; the mark keeps its own
// links, user-text choice and handle.
void MatchHeightProperties(AcDbObjectId markId) {
    ads_name ent;
    ads_point pt;
    if (acedEntSel(std::wstring(LoadStr(IDS_PROMPT_SAMPLE_HK)).c_str(), ent, pt) != RTNORM) return;
    AcDbObjectId sourceId;
    if (acdbGetObjectId(sourceId, ent) != Acad::eOk || sourceId == markId) return;
    TRdimHeight* source = ObjectId2TRdimHeight(sourceId);
    if (!source) {
        acutPrintf(L"%s", LoadStr(IDS_HK_PICKED_NOT_HK));
        return;
    }
    TRdimParams params = source->GetParams();
    const AcDbObjectId layer = source->layerId();
    source->close();
    ChangeMark(markId, [&params, layer](TRdimHeight* mark) {
        const TRdimParams own = mark->GetParams();
        TRdimParams taken = params;
        for (int index : {IND_S_HK_Auto_Handle1, IND_S_HK_Auto_Handle2, kHeightOwnHandleIndex})
            if (index < static_cast<int>(own.arrayString.size()) &&
                index < static_cast<int>(taken.arrayString.size()))
                taken.arrayString[index] = own.arrayString[index];
        mark->SetParams(taken);
        for (int index : {IND_I_HUserText, IND_I_HAutoValue1, IND_I_HAutoValue2, IND_I_HDimNoModify})
            mark->SetParamInt(index,
                              own.arrayInt.size() > static_cast<size_t>(index) ? own.arrayInt[index] : 0);
        mark->setLayer(layer);
        mark->Regenerate(1);
        mark->SetPointDim(mark->GetPoint(kHPointDim));
    });
}

// 32800: the mark's settings become the options of its mode and the palette shows them.
void HeightFormatToDefault(AcDbObjectId markId) {
    if (!pGlobDimOptions) return;
    TRdimHeight* mark = ObjectId2TRdimHeight(markId);
    if (!mark) return;
    const TRdimParams params = mark->GetParams();
    const int type = mark->GetType();
    const int mode = mark->IsPlan() ? OPT_MODE_HEIGHT_PLAN : OPT_MODE_HEIGHT;
    const std::wstring layer = GetLayerName(mark->layerId());
    std::wstring texts[4];
    for (int i = 0; i < 4; ++i)
        texts[i] = mark->GetText(i);
    mark->close();
    COptionSet& set = pGlobDimOptions->GetOptionSet(mode);
    for (size_t i = 0; i < params.arrayDouble.size() && i < set.arrayOptDouble.size(); ++i)
        set.arrayOptDouble[i] = params.arrayDouble[i];
    for (size_t i = 0; i < params.arrayString.size() && i < set.arrayOptString.size(); ++i)
        if (static_cast<int>(i) != kHeightOwnHandleIndex && static_cast<int>(i) != IND_S_HK_Auto_Handle1 &&
            static_cast<int>(i) != IND_S_HK_Auto_Handle2)
            set.arrayOptString[i] = params.arrayString[i];
    for (size_t i = 0; i < params.arrayInt.size() && i < set.arrayOptInt.size(); ++i)
        set.arrayOptInt[i] = static_cast<int>(params.arrayInt[i]);
    pGlobDimOptions->SaveOptions();
    if (!dlgMyApp) return;
    dlgMyApp->AdjustType(type);
    dlgMyApp->ReloadData();
    if (!layer.empty()) dlgMyApp->SetControlText(IDC_COMBO_LAYER, layer);
    for (int i = 0; i < 4; ++i)
        if (CWnd* field = dlgMyApp->GetDlgItem(kPaletteTextFields[i])) field->SetWindowText(texts[i].c_str());
    LogFmt(L"\n HeightFormatToDefault type=%d layer=%s ", type, layer.c_str());
}

// 32819 (the mark) and 32831, 32845 (its group's base): the value dialog on an existing
// mark; a base's new values go on to its members.
void EditInValueDialog(AcDbObjectId markId) {
    if (markId.isNull()) return;
    TRdimHeight* mark = nullptr;
    if (acdbOpenObject(mark, markId, AcDb::kForWrite) != Acad::eOk) return;
    const bool base = !mark->IsPlan() && mark->GetRole() == kHeightRoleBase;
    CDlgHDbase dlg(base ? CDlgHDbase::kEditBase : CDlgHDbase::kEditMark, mark->IsPlan());
    dlg.ReadFrom(*mark);
    // The dialog may pick a source mark: the mark is not held open meanwhile.
    mark->close();
    {
        CTemporaryResourceOverride resources; // the template from the language module
        if (dlg.DoModal() != IDOK) return;
    }
    ChangeMark(markId, [&dlg, base](TRdimHeight* edited) {
        dlg.Apply(edited);
        if (!base) edited->SetCurHeight();
    });
    if (!base) return;
    for (const AcDbObjectId& memberId : GetGroupMembers(markId))
        ChangeMark(memberId, [](TRdimHeight* member) { member->SetCurHeight(); });
}

// 32820: the group's marks become the palette's selection.
void SelectGroup(AcDbObjectId markId) {
    const AcDbObjectId baseId = HeightGroupOf(markId);
    AcDbObjectIdArray ids;
    if (!baseId.isNull() && baseId != markId) ids.append(baseId);
    if (baseId == markId) ids.append(markId);
    ids.append(GetGroupMembers(baseId));
    acutPrintf(LoadStr(IDS_HK_SELECTED_COUNT), ids.length());
    if (dlgMyApp) dlgMyApp->SelectObjects(ids);
    SetPickfirst(ids);
}

// 32821: the group's base becomes the selection.
void SelectGroupBase(AcDbObjectId markId) {
    const AcDbObjectId baseId = HeightGroupOf(markId);
    if (baseId.isNull() || baseId == markId) {
        acutPrintf(L"%s", LoadStr(IDS_HK_NO_GROUP));
        return;
    }
    AcDbObjectIdArray ids;
    ids.append(baseId);
    if (dlgMyApp) dlgMyApp->SelectObjects(ids);
    SetPickfirst(ids);
}

bool DispatchGroupCommands(int commandId, AcDbObjectId markId) {
    switch (commandId) {
    case 32818:
    case 32835:
    case 32836:
        AddMarksToGroup(commandId, markId);
        return true;
    case 32819:
    case 32831:
        EditInValueDialog(markId);
        return true;
    case 32845:
        EditInValueDialog(HeightGroupOf(markId));
        return true;
    case 32820:
        SelectGroup(markId);
        return true;
    case 32821:
        SelectGroupBase(markId);
        return true;
    case 32822:
    case 32824:
        AlignHeightMarks(commandId, markId);
        return true;
    case 32844:
        TakeMarksFromGroups(markId);
        return true;
    default:
        return false;
    }
}

} // namespace

void RunHeightPopupCommand(int commandId, AcDbObjectId markId) {
    if (DispatchGroupCommands(commandId, markId)) return;
    switch (commandId) {
    case ID_CTX_MATCH:
        MatchHeightProperties(markId);
        return;
    case ID_CTX_FORMAT_DEFAULT:
        HeightFormatToDefault(markId);
        return;
    case ID_CTX_BASE_FIXED:
        ChangeMark(markId, [](TRdimHeight* mark) {
            if (mark->IsPlan() || mark->GetRole() != kHeightRoleBase) return;
            mark->SetParamInt(IND_I_HDimNoModify, mark->GetParamInt(IND_I_HDimNoModify) ? 0 : 1);
        });
        return;
    case ID_CTX_BACKGROUND:
        ToggleBackground(markId);
        return;
    case ID_CTX_PROPERTIES: {
        AcDbObjectIdArray ids;
        ids.append(markId);
        OpenDlgProperties(&ids, kDimPropHeights);
        return;
    }
    case 32823:
        OpenTextPositionDialog(markId);
        return;
    default:
        acutPrintf(L"Unknown menu ID %d ", commandId);
    }
}

int XOTA_OnPopupMHDim() {
    const PopupOperation op = GetPopupOperation();
    ClearPopupObject();
    if (op.objectId.isNull() || !acdbCurDwg()) return RTNORM;
    TRdimHeight* mark = ObjectId2TRdimHeight(op.objectId);
    if (!mark) return RTNORM;
    mark->close();
    if (IsOnLockedLayer(op.objectId)) return RTNORM;
    const int previous = SetReactorsSuspended(kReactorsContextOperation);
    try {
        CDbLockScope lock(acdbCurDwg(), L"XOTA_OnPopupMHDim");
        RunHeightPopupCommand(op.commandId, op.objectId);
    } catch (...) {
        acutPrintf(L"\n*** ERROR ON XOTA_OnPopupMHDim %d", op.commandId);
    }
    SetReactorsSuspended(previous);
    return RTNORM;
}
