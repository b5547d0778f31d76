#include "module/ui/ContextMenu.h"

#include "host/db/dimensions/AcDbDimension.h"
#include "host/db/dimensions/AcDbDiametricDimension.h"
#include "host/db/entities/AcDbEntity.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/dimensions/AcDbRadialDimension.h"
#include "host/ed/commands/CommandLine.h"
#include "host/ed/DrawingWindow.h"
#include "host/ed/acutPrintf.h"
#include "host/mfc/CMenu.h"
#include "host/mfc/WinTimer.h"
#include "module/services/ActiveCommand.h"
#include "module/services/DbServices.h"
#include "module/base/LanguageModule.h"
#include "module/app/LintaroApp.h"
#include "module/base/LintaroLog.h"
#include "module/base/ModuleInfo.h"
#include "module/ui/PaletteApp.h"
#include "module/services/XDataServices.h"
#include "module/chain/PopupState.h"
#include "module/chain/TRdim.h"
#include "module/chain/TRdimParams.h"
#include "module/height/TRdimHeight.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/OptionIndices.h"
#include "module/resources/ContextMenuResources.h"
#include "module/ui/CDlgMain.h"

namespace {

AcDbObjectId g_contextObject;
POINT g_clickPoint;

// The filter acts only where the user asked for the module's menu: always, or while
// the palette is there and not hidden.
bool ContextMenuWanted() {
    if (pGlobDimOptions && pGlobDimOptions->GetOptFlag(IND_OPT_B_LintaroContextMenuAlways)) return true;
    return dlgMyApp && (!pGlobDimOptions || !pGlobDimOptions->m_bDlgMainHidden);
}

BOOL OnRightButtonDown(const MSG& msg) {
    g_contextObject = AcDbObjectId::kNull;
    // A command that waits for input (the module's own too) keeps the host's menu.
    if (!GetActiveCommand(true).empty()) return FALSE;
    g_clickPoint.x = GET_X_LPARAM(msg.lParam);
    g_clickPoint.y = GET_Y_LPARAM(msg.lParam);
    g_contextObject = GetEntityAtPoint(g_clickPoint);
    return g_contextObject.isNull() ? FALSE : TRUE;
}

BOOL OnRightButtonUp() {
    if (g_contextObject.isNull()) return FALSE;
    int subType = 0;
    if (GetObjectType(g_contextObject, subType) == 0 && subType == 0) {
        g_contextObject = AcDbObjectId::kNull;
        return FALSE;
    }
    // Whatever is pending is cancelled before the menu comes.
    acedPostCommand(L"\x1b\x1b");
    SetTimer(adsw_acadDocWnd(), kContextMenuTimerId, kContextMenuTimerPeriod, &timerProc);
    return TRUE;
}

void OnEscapeKey() {
    if (!pGlobDimOptions || !dlgMyApp || !pGlobDimOptions->m_bNoWrite) return;
    if (IsCommandActive(true)) return;
    const std::wstring dwg = GetCurrentDWGName();
    LogFmt(L"\nfilterProc pMsg=%d  key=%d strDwg=%s ", WM_CHAR, VK_ESCAPE, dwg.c_str());
    // Back from a picked object's values to the settings of the mode.
    if (!dwg.empty()) dlgMyApp->AdjustMode(dlgMyApp->m_iCurrentMode);
}

// Check marks from the object's state.
void SetMenuChecks(CMenu& menu, AcDbObjectId objectId, int type) {
    AcDbEntity* entity = nullptr;
    if (acdbOpenAcDbEntity(entity, objectId, AcDb::kForRead) != Acad::eOk) return;
    auto mark = [&menu](UINT id, bool on) { menu.CheckMenuItem(id, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED)); };
    if (TRdim* chain = TRdim::cast(entity)) {
        mark(ID_CTX_BACKGROUND, chain->IsWipeOutOn());
        if (!chain->IsDimArc()) {
            mark(ID_CTX_SUM, chain->IsSumShown());
            mark(ID_CTX_ALT_UNITS, chain->IsAltUnitsOn());
        }
    } else if (TRdimHeight* mark2 = TRdimHeight::cast(entity)) {
        if (type >= 250 && type < 300) mark(ID_CTX_BASE_FIXED, type == 251);
        else
            mark(ID_CTX_BACKGROUND,
                 IsStatusOn(mark2->GetParamInt(IND_I_WipeOutStatus), pGlobDimOptions != nullptr,
                            pGlobDimOptions && pGlobDimOptions->GetOptFlag(IND_OPT_B_WipeOut)));
    }
    entity->close();
}

// Shows the menu and returns the chosen id (0: dismissed).
int TrackContextMenu(int menuId, AcDbObjectId objectId, int type) {
    CMenu menu;
    if (!menu.LoadMenu(menuId)) {
        LogFmt(L"\n menu %d is missing ", menuId);
        return 0;
    }
    CMenu* popup = menu.GetSubMenu(0);
    if (!popup) {
        LogMsg(L" !pContextMenu ");
        return 0;
    }
    SetMenuChecks(*popup, objectId, type);
    LogMsg(L"\nTrackPopupMenu");
    const int chosen = static_cast<int>(::TrackPopupMenu(popup->GetSafeHmenu(), TPM_RETURNCMD, g_clickPoint.x + 5,
                                                         g_clickPoint.y + 5, 0, adsw_acadDocWnd(), nullptr));
    LogFmt(L" iSelectionMade = %d ", chosen);
    return chosen;
}

} // namespace

AcDbObjectId ContextMenuObject() { return g_contextObject; }

int ContextMenuResource(int type, int subType, int& paletteMode) {
    paletteMode = 2;
    if (type >= 100 && type < 200) return subType == kDimArc ? IDR_MENU_CHAIN_ARC : IDR_MENU_CHAIN;
    if (type >= 200 && type < 250) {
        paletteMode = 3;
        return IDR_MENU_HEIGHT_SECTION;
    }
    if (type >= 250 && type < 300) {
        paletteMode = 3;
        return IDR_MENU_HEIGHT_BASE;
    }
    if (type >= 300) {
        paletteMode = 4;
        return IDR_MENU_HEIGHT_PLAN;
    }
    if (type != 0 || subType == 0) return 0;
    if (subType == 60) return IDR_MENU_HOST_RADIAL;
    if (subType == 50) return IDR_MENU_HOST_DIM;
    paletteMode = 5;
    return IDR_MENU_HOST_TEXT;
}

int GetObjectType(AcDbObjectId objectId, int& subType) {
    subType = 0;
    AcDbEntity* entity = nullptr;
    if (objectId.isNull() || acdbOpenAcDbEntity(entity, objectId, AcDb::kForRead) != Acad::eOk) return 0;
    int type = 0;
    if (TRdim* chain = TRdim::cast(entity)) {
        type = 100 + static_cast<int>(chain->GetParamInt(IND_I_LastType));
        subType = chain->GetDimType();
    } else if (TRdimHeight* mark = TRdimHeight::cast(entity)) {
        subType = mark->GetRole();
        if (mark->IsPlan()) type = 300 + mark->GetType();
        else if (mark->GetRole() != kHeightRoleBase) type = 200 + mark->GetType();
        else type = mark->GetParamInt(IND_I_HDimNoModify) ? 251 : 250;
    } else {
        std::wstring text;
        int code = 0;
        // Host objects count only when they carry the module's mark.
        if (GetXData(entity, L"LINTARO_OBJECT", text, code) && code != 0) {
            if (AcDbRadialDimension::cast(entity) || AcDbDiametricDimension::cast(entity)) subType = 60;
            else if (AcDbDimension::cast(entity)) subType = 50;
            else subType = 10;
        }
    }
    entity->close();
    return type;
}

BOOL filterProc(MSG* pMsg) {
    if (IsModuleStopped() || !pMsg) return FALSE;
    if (!ContextMenuWanted()) return FALSE;
    try {
        switch (pMsg->message) {
        case WM_RBUTTONDOWN:
            return OnRightButtonDown(*pMsg);
        case WM_RBUTTONUP:
            return OnRightButtonUp();
        case WM_CHAR:
            if (pMsg->wParam == VK_ESCAPE) OnEscapeKey();
            return FALSE;
        default:
            return FALSE;
        }
    } catch (...) {
        LogMsg(L"\n*** ERROR ON filterProc");
    }
    return FALSE;
}

void timerProc(HWND, UINT, UINT_PTR, DWORD) {
    CTemporaryResourceOverride resources;
    LogMsg(L"\n timerProc START ");
    int subType = 0;
    const int type = GetObjectType(g_contextObject, subType);
    LogFmt(L" iDimType=%d iMDType=%d ", type, subType);
    KillTimer(adsw_acadDocWnd(), kContextMenuTimerId);
    if (type == 0 && subType == 0) {
        g_contextObject = AcDbObjectId::kNull;
        return;
    }
    const AcDbObjectId objectId = g_contextObject;
    g_contextObject = AcDbObjectId::kNull;
    int mode = 2;
    const int menuId = ContextMenuResource(type, subType, mode);
    if (dlgMyApp && dlgMyApp->m_iCurrentMode != mode) dlgMyApp->AdjustMode(mode);
    try {
        const int chosen = TrackContextMenu(menuId, objectId, type);
        if (chosen == 0) return;
        LogFmt(L" OnPopupCommand = %d ", chosen);
        if (type >= 200 && (chosen == 32822 || chosen == 32824)) {
            // Aligning marks asks for its line and marks at once, without a posted command.
            SetPopupOperation(chosen, objectId);
            XOTA_OnPopupMHDim();
        } else {
            PostPopupOperation(chosen, objectId, type >= 200);
        }
        LogMsg(L" END OnPopupCommand ");
    } catch (...) {
        acutPrintf(L"\nANY ERROR ON PopupMenu...");
    }
}
