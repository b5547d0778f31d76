// What the palette does to objects: showing the values of a selection, 'Aktualisieren'
// and the batch operations of its menu bar.
#include "module/ui/CDlgMain.h"

#include "host/db/database/AcDbObjectOpen.h"
#include "host/ed/AcColorSettings.h"
#include "host/ed/Ucs.h"
#include "host/ed/acutPrintf.h"
#include "host/ed/commands/CommandLine.h"
#include "host/mfc/CButton.h"
#include "host/mfc/CComboBox.h"
#include "host/mfc/CMenu.h"
#include "host/win/FormatW.h"
#include "module/app/ConvertCommands.h"
#include "module/app/FormatCommands.h"
#include "module/app/FormatMarks.h"
#include "module/app/HeightLinks.h"
#include "module/base/LintaroLog.h"
#include "module/base/ModuleInfo.h"
#include "module/chain/TRdim.h"
#include "module/chain/TRdimJig.h"
#include "module/height/HeightText.h"
#include "module/height/TRdimHeight.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/ScaleMaps.h"
#include "module/resources/PaletteResources.h"
#include "module/resources/resource.h"
#include "module/services/ActiveCommand.h"
#include "module/services/DbServices.h"
#include "module/services/DocLocks.h"
#include "module/services/XDataServices.h"
#include "module/ui/CDlgHDimChecker.h"
#include "module/ui/CDlgMovement.h"
#include "module/ui/CDlgOptionsLoad.h"
#include "module/ui/CDlgReplace.h"
#include "module/ui/CDlgReplacePath.h"
#include "module/ui/PaletteApp.h"
#include "module/ui/PaletteChainPicks.h"
#include "module/ui/PalettePositions.h"
#include "module/ui/PaletteValues.h"

namespace {

const wchar_t* const kVaries = L"<var>";

// The codes that act on chains whatever the palette's mode.
bool isListCode(int code) {
    return code == ID_AUTO_TEXT_ON || code == ID_SUM_REMOVE || code == ID_SUM_SHOW ||
           code == ID_LEADERS_OFF || code == ID_LEADERS_ON;
}

// One operation code on one chain open for write; false when the code does not act on it.
// The chain takes the current UCS as its own, and its texts are laid out in it again.
void alignToCurrentUcs(TRdim& chain) {
    AcGeMatrix3d ucs;
    if (acedGetCurrentUCS(ucs) != Acad::eOk) return;
    chain.SetCoordSystem(ucs);
    chain.DimRefresh(0);
    chain.AdjustTexts(0);
}

bool applyCode(TRdim& chain, int code, int paletteMode) {
    const int n = chain.GetExtensions();
    switch (code) {
    case ID_SUM_REMOVE:
        chain.SetParamInt(IND_I_SumStatus, 2);
        return true;
    case ID_SUM_SHOW:
        chain.SetParamInt(IND_I_SumStatus, 1);
        return true;
    case ID_AUTO_TEXT_ON:
        chain.AdjustTexts(chain.IsDimArc() ? 67 : 65);
        return true;
    case ID_LEADERS_OFF:
    case ID_LEADERS_ON:
        if (n < 2) return false;
        for (int i = 1; i < n; ++i)
            chain.SetExtLeader(i, code == ID_LEADERS_ON);
        return true;
    default:
        break;
    }
    if (paletteMode != 0 && paletteMode != OPT_MODE_ALL && paletteMode != OPT_MODE_CHAIN) return false;
    if (code >= -200 && code < 90)
        chain.Regenerate(code);
    else if (code == 101)
        chain.AdjustTexts(67);
    else if (code == 100)
        alignToCurrentUcs(chain);
    else if (code >= 90)
        chain.DimRefresh(code - 100);
    else
        for (int k = 1; k < n; ++k)
            chain.SetDimTextUser(k, L"");
    return true;
}

} // namespace

void CDlgMain::SelectObjects(const AcDbObjectIdArray& ids) {
    if (!pGlobDimOptions || ids.isEmpty()) return;
    // Height marks are shown in their own mode, everything else as chains.
    int mode = OPT_MODE_CHAIN;
    if (TRdimHeight* mark = ObjectId2TRdimHeight(ids[0])) {
        mode = mark->IsPlan() ? OPT_MODE_HEIGHT_PLAN : OPT_MODE_HEIGHT;
        mark->close();
    }
    AdjustMode(m_iCurrentMode == OPT_MODE_ALL ? OPT_MODE_ALL : mode);
    pGlobDimOptions->SetOptFlag(IND_OPT_B_ExtNewPosition, 1);
    pGlobDimOptions->m_bNoWrite = true;
    if (auto* reduced = dynamic_cast<CButton*>(GetDlgItem(IDC_CHECK_REDUCED)))
        reduced->SetButtonStyle(BS_AUTO3STATE);
    showSelectedChains(ids);
    AdjustType(m_iCurrentType);
    m_currentObjects = ids;
}

void CDlgMain::showSelectedChains(const AcDbObjectIdArray& ids) {
    const bool filling = m_bFilling;
    m_bFilling = true;
    int shown = 0;
    int reduced = -1;
    for (const AcDbObjectId& id : ids) {
        AcDbEntity* entity = nullptr;
        if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk) continue;
        const TRdim* chain = TRdim::cast(entity);
        const TRdimHeight* mark = TRdimHeight::cast(entity);
        if (!chain && !mark) {
            entity->close();
            continue;
        }
        const ParamArraysView values = chain ? chain->Params() : mark->Params();
        for (int combo : PaletteValueCombos()) {
            const std::wstring text = PaletteTextOf(combo, values);
            if (shown == 0) {
                // A value the list lacks is added, so the box can show it as an entry.
                CComboBox* box = this->combo(combo);
                if (box && box->FindStringExact(-1, text.c_str()) < 0 && !text.empty())
                    box->AddString(text.c_str());
                setComboText(combo, text);
            } else if (GetControlText(combo) != text) {
                setComboText(combo, kVaries);
            }
        }
        for (int combo : {IDC_COMBO_TEXT_ALIGN, IDC_COMBO_TEXT_POSITION}) {
            const std::wstring text = PalettePositionText(combo, m_iCurrentMode, values);
            if (shown == 0)
                setComboText(combo, text);
            else if (GetControlText(combo) != text)
                setComboText(combo, kVaries);
        }
        if (mark) showMarkRows(*mark, shown == 0);
        if (chain) {
            const int own = chain->GetParamInt(IND_I_MCmFrom10) != 0 ? BST_CHECKED : BST_UNCHECKED;
            reduced = shown == 0 ? own : (reduced == own ? own : BST_INDETERMINATE);
        }
        entity->close();
        ++shown;
    }
    if (reduced >= 0) CheckDlgButton(IDC_CHECK_REDUCED, static_cast<UINT>(reduced));
    m_lastScale = GetControlText(IDC_COMBO_SCALE);
    m_bFilling = filling;
    showRoundingForUnit();
}

void CDlgMain::showMarkRows(const TRdimHeight& mark, bool first) {
    // The rows' boxes (0 off, 1 the value, 2 only the texts) show the first mark's rows;
    // texts that differ between the marks show "<var>".
    constexpr int kFields[4] = {1099, 1097, 1098, 1096};
    for (int row = 1; first && row <= 2; ++row)
        if (auto* box = dynamic_cast<CButton*>(GetDlgItem(row == 2 ? IDC_BUT_W2 : IDC_BUT_W1)))
            box->SetCheck(HeightRowState(mark.GetParamInt(IND_I_Format), row));
    for (int i = 0; i < 4; ++i) {
        const std::wstring text = mark.GetText(i);
        std::wstring shown;
        GetDlgItemText(kFields[i], shown);
        SetDlgItemText(kFields[i], (first || shown == text ? text : std::wstring(kVaries)).c_str());
    }
}

bool CDlgMain::applyMarkRows(TRdimHeight& mark) const {
    // The rows are the selection's only while the palette shows a selection; otherwise
    // they show nothing that was chosen for the marks.
    if (!pGlobDimOptions || !pGlobDimOptions->m_bNoWrite) return false;
    constexpr int kFields[4] = {1099, 1097, 1098, 1096};
    std::uint32_t format = mark.GetParamInt(IND_I_Format);
    for (int row = 1; row <= 2; ++row)
        format = SetHeightRowState(format, row, static_cast<int>(IsDlgButtonChecked(row == 2 ? IDC_BUT_W2 : IDC_BUT_W1)));
    bool changed = false;
    if (HeightRowState(format, 1) == 0 && HeightRowState(format, 2) == 0) {
        // A mark without rows would show nothing at all: its rows stay.
        acutPrintf(LoadStr(IDS_PALETTE_NO_MARK_ROWS));
    } else if (format != mark.GetParamInt(IND_I_Format)) {
        mark.SetParamInt(IND_I_Format, format);
        changed = true;
    }
    for (int i = 0; i < 4; ++i) {
        std::wstring text;
        GetDlgItemText(kFields[i], text);
        if (IsKeepOwnValue(text) || text == mark.GetText(i)) continue;
        mark.SetText(i, text);
        changed = true;
    }
    return changed;
}

void CDlgMain::OnButSelectObjects() {
    acedPostCommand(L"\x1b\x1bXOTA_SelectLintaroObjects ");
}

namespace {

// What 'Aktualisieren' selects in each mode.
const wchar_t* UpdateFilter(int mode) {
    switch (mode) {
    case OPT_MODE_ALL:
        return L"XOTA_LINTARO,XOTA_DIM_HEIGHT,*DIMENSION*,*TEXT";
    case OPT_MODE_HEIGHT:
    case OPT_MODE_HEIGHT_PLAN:
        return L"XOTA_DIM_HEIGHT";
    default:
        return L"XOTA_LINTARO,*DIMENSION*";
    }
}

// One selected object takes the palette's values when it is of the mode's kind: a
// chain, a height mark (section or plan as the mode says), a host dimension or text
// that carries the module's format mark. True when it was updated.
bool UpdateObject(const CDlgMain& palette, AcDbObjectId id, int mode) {
    AcDbEntity* entity = nullptr;
    if (acdbOpenObject(entity, id, AcDb::kForWrite) != Acad::eOk) return false;
    const bool all = mode == OPT_MODE_ALL;
    bool updated = false;
    if (TRdim* chain = TRdim::cast(entity); chain && (all || mode == OPT_MODE_CHAIN)) {
        // Regenerate gives the chain the palette's values through InitParameters.
        chain->Regenerate(0);
        updated = true;
    } else if (TRdimHeight* mark = TRdimHeight::cast(entity)) {
        const bool heightMode = mode == OPT_MODE_HEIGHT || mode == OPT_MODE_HEIGHT_PLAN;
        const bool kind = all || (heightMode && (mode == OPT_MODE_HEIGHT_PLAN) == mark->IsPlan());
        if (kind) {
            // The rows W1/W2 first: the palette's settings then keep the rows they set.
            palette.applyMarkRows(*mark);
            const std::uint32_t format = mark->GetParamInt(IND_I_Format);
            updated = mark->Regenerate(0) == 1;
            if (updated && mark->GetParamInt(IND_I_Format) != format) {
                mark->SetParamInt(IND_I_Format, format);
                mark->Regenerate(1);
            }
        }
    } else if (GetObjectKind(entity) == 10) {
        updated = (all || mode == OPT_MODE_CHAIN) && IsLintaroObject(entity) && SetLintaroStyle(entity);
    } else if (all) {
        updated = ActualizeLintaroText(entity);
    }
    if (updated) entity->recordGraphicsModified();
    entity->close();
    return updated;
}

} // namespace

void CDlgMain::OnButUpdate() {
    if (!pGlobDimOptions) return;
    storeBackgroundColour();
    AdjustMode(-1);
    if (IsCommandActive(true)) return;
    if (!MayCreateOnLayer(NewChainLayerFor(GetControlText(IDC_COMBO_SCALE)))) return;
    const int mode = m_iCurrentMode;
    if (mode == OPT_MODE_TEXT) {
        // The text selection steps the palette aside and brings it back itself: hidden
        // here first, it would count as hidden before and stay so.
        UpdateLintaroTexts();
    } else {
        AcDbObjectIdArray ids;
        const int count = SelectEntities(ids, std::wstring(LoadStr(IDS_SELECT_TEXTS_TO_UPDATE)).c_str(),
                                         UpdateFilter(mode));
        HideDlgMain();
        if (count > 0) {
            CDbLockScope lock(acdbCurDwg(), L"OnButUpdate");
            AcDbObjectIdArray updated;
            for (const AcDbObjectId& id : ids)
                if (UpdateObject(*this, id, mode)) updated.append(id);
            ObjectsGraphicsModified(updated);
        }
    }
    // The selection's values were shown only to be written: the options come back.
    if (pGlobDimOptions->m_bNoWrite) AdjustMode(m_iCurrentMode);
    ShowDlgMain();
}

void CDlgMain::storeBackgroundColour() {
    AcColorSettings colours;
    if (!acedGetCurrentColors(&colours)) return;
    const DWORD c = colours.dwGfxModelBkColor; // 0x00BBGGRR
    pGlobDimOptions->m_backgroundColor = OptRgbColor{static_cast<unsigned char>(c & 0xFF),
                                                     static_cast<unsigned char>((c >> 8) & 0xFF),
                                                     static_cast<unsigned char>((c >> 16) & 0xFF)};
}

int CDlgMain::BatchOperation(const std::wstring& prompt, int code, AcDbObjectIdArray& changed) {
    if (IsCommandActive(true)) return 0;
    AcDbObjectIdArray ids;
    if (SelectEntities(ids, prompt.c_str()) == 0) return 0;
    HideDlgMain();
    int count = 0;
    {
        CDbLockScope lock(acdbCurDwg(), L"BatchOperation");
        const int paletteMode = isListCode(code) ? 0 : m_iCurrentMode;
        for (const AcDbObjectId& id : ids) {
            TRdim* chain = nullptr;
            // Height marks and other objects are skipped: they are not chains.
            if (acdbOpenObject(chain, id, AcDb::kForWrite) != Acad::eOk || !chain) continue;
            if (applyCode(*chain, code, paletteMode)) {
                chain->recordGraphicsModified();
                changed.append(id);
                ++count;
            }
            chain->close();
        }
    }
    ShowDlgMain();
    return count;
}

void CDlgMain::runBatchItem(UINT id) {
    UINT prompt = 0;
    int code = static_cast<int>(id);
    switch (id) {
    case ID_TEXT_CENTRE:
        prompt = IDS_SELECT_CHAINS_TEXT_ALIGN;
        code = 101;
        break;
    case ID_AUTO_TEXT_ON:
        prompt = IDS_SELECT_CHAINS_AUTO_POS_ON;
        break;
    case ID_AUTO_TEXT_OFF:
        prompt = IDS_SELECT_CHAINS_AUTO_POS_OFF;
        break;
    case ID_VALUES_RESET:
        prompt = IDS_PROMPT_PICK_VALUES;
        code = -600;
        break;
    case ID_TEXT_TO_UCS:
        prompt = IDS_SELECT_CHAINS_TO_TEXT_ALIGN;
        code = 100;
        break;
    case ID_LEADERS_ON:
    case ID_LEADERS_OFF:
        prompt = IDS_PROMPT_CHAINS;
        break;
    case ID_SUM_SHOW:
        prompt = IDS_SELECT_CHAINS_SUM_ON;
        break;
    case ID_SUM_REMOVE:
        prompt = IDS_SELECT_CHAINS_SUM_OFF;
        break;
    default:
        return;
    }
    AcDbObjectIdArray changed;
    const int count = BatchOperation(LoadStr(prompt), code, changed);
    LogFmt(L"\nBatchOperation(%d): %d ", code, count);
}

// The version that files its records, the host it runs in and the options file in
// use: what a user is asked for when reporting a fault.
void CDlgMain::showAbout() {
    const std::wstring options = pGlobDimOptions ? pGlobDimOptions->GetCurOptionsFile() : std::wstring();
    MsgBox(host::FormatW(std::wstring(LoadStr(IDS_ABOUT_TEXT)).c_str(), GetProgramVersion(),
                         GetProgramVersionNumber(), GetProductInfo().c_str(), options.c_str())
               .c_str(),
           GetSafeHwnd());
}

void CDlgMain::OnMyCommand(UINT id) {
    if (IsCommandActive(true)) return;
    switch (id) {
    case ID_TEXT_CENTRE:
    case ID_AUTO_TEXT_ON:
    case ID_AUTO_TEXT_OFF:
    case ID_VALUES_RESET:
    case ID_TEXT_TO_UCS:
    case ID_LEADERS_ON:
    case ID_LEADERS_OFF:
    case ID_SUM_SHOW:
    case ID_SUM_REMOVE:
        runBatchItem(id);
        return;
    case ID_REMOVE_POINTS:
        PaletteRemovePoints();
        return;
    case ID_REDISTRIBUTE:
        PaletteRedistributeChains();
        return;
    case ID_TEXT_POSITION:
        OpenMovementDialog();
        return;
    case ID_GLOBAL_SETTINGS:
        if (pGlobDimOptions && pGlobDimOptions->m_bNoWrite) AdjustMode(m_iCurrentMode);
        OpenDlgOptionsLoad();
        return;
    case ID_HK_CHECKER:
        OpenDlgHDimChecker();
        return;
    case ID_REPLACE_TEXTS:
        OpenDlgReplace();
        return;
    case ID_REPLACE_LINKS:
        OpenDlgReplacePath();
        return;
    case ID_ABOUT:
        showAbout();
        return;
    case ID_HK_LINKS:
        RefreshHDimAutoValues(nullptr);
        return;
    case ID_FORMAT_ACAD_DIMS:
        CmdSetLintaroDims();
        return;
    case ID_ACAD_TO_CHAINS:
        RunAcad2Lintaro(true);
        return;
    case ID_CHAINS_TO_ACAD:
        RunLintaro2Acad(true);
        return;
    case ID_ACAD_TO_TEXTS:
        CmdSetLintaroTexts();
        return;
    case ID_TEXTS_TO_ACAD:
        CmdUnsetLintaroTexts();
        return;
    default:
        break;
    }
    // The rest needs work this build does not have: say so and change nothing.
    std::wstring text;
    if (CMenu* menu = GetMenu()) menu->GetMenuString(id, text, MF_BYCOMMAND);
    if (text.empty()) text = host::FormatW(L"%d", static_cast<int>(id));
    acutPrintf(L"\n%s: not available yet in this build.", text.c_str());
}
