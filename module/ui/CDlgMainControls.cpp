// The palette's controls at work: combo edits and check boxes write the options (and the
// INI file), the folding button, closing and the window position.
#include "module/ui/CDlgMain.h"

#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/ed/acutPrintf.h"
#include "host/mfc/CButton.h"
#include "host/mfc/CComboBox.h"
#include "host/mfc/CTabCtrl.h"
#include "host/win/FormatW.h"
#include "module/services/DbServices.h"
#include "module/services/DocLocks.h"
#include "module/base/LintaroLog.h"
#include "module/ui/PaletteApp.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/IniStorage.h"
#include "module/options/OptStrings.h"
#include "module/options/OptionDefaults.h"
#include "module/chain/RecordFiling.h"
#include "module/chain/TRdim.h"
#include "module/height/TRdimHeight.h"
#include "host/db/tables/AcDbSortentsTable.h"
#include "module/resources/PaletteResources.h"
#include "module/ui/PaletteValues.h"
#include "module/ui/WindowPlacement.h"

#include <cstdio>
#include <cwchar>

namespace {

// Combos that write their value when the selection changes, and those that write it when
// they lose the focus.
bool writesOnSelChange(int id) {
    switch (id) {
    case IDC_COMBO_TEXT_HEIGHT:
    case IDC_COMBO_SCALE:
    case IDC_COMBO_EXT_LINE:
    case IDC_COMBO_DIM_LINES_DISTANCE:
    case IDC_COMBO_TEXT_ALIGN:
    case IDC_COMBO_TEXT_POSITION:
    case IDC_COMBO_ROUNDING:
        return true;
    default:
        return false;
    }
}

bool writesOnFocusLoss(int id) {
    switch (id) {
    case IDC_COMBO_DISPLAY_UNIT:
    case IDC_COMBO_DECIMALS:
    case IDC_COMBO_TEXT_HEIGHT:
    case IDC_COMBO_DRAWING_UNIT:
    case IDC_COMBO_SCALE:
    case IDC_COMBO_EXT_LINE:
    case IDC_COMBO_DIM_LINES_DISTANCE:
    case IDC_COMBO_TEXT_STYLE:
        return true;
    default:
        return false;
    }
}

// Writes one parameter slot into the options' arrays and the INI file.
void writeSlot(const ParamSlot& slot, const TRdimParams& params) {
    const auto at = [&](const auto& array) { return static_cast<size_t>(slot.index) < array.size(); };
    if (slot.type == OPT_TYPE_STRING && at(params.arrayString)) {
        const std::wstring& value = params.arrayString[static_cast<size_t>(slot.index)];
        pGlobDimOptions->SetOptString(slot.index, value);
        pGlobDimOptions->SetOptValue(slot.type, slot.index, value);
    } else if (slot.type == OPT_TYPE_DOUBLE && at(params.arrayDouble)) {
        const double value = params.arrayDouble[static_cast<size_t>(slot.index)];
        pGlobDimOptions->SetOptDouble(slot.index, value);
        pGlobDimOptions->SetOptValue(slot.type, slot.index, value);
    } else if (slot.type == OPT_TYPE_INT && at(params.arrayInt)) {
        const int value = static_cast<int>(params.arrayInt[static_cast<size_t>(slot.index)]);
        pGlobDimOptions->SetOptInt(slot.index, value);
        pGlobDimOptions->SetOptValue(slot.type, slot.index, value);
    }
}

// The scale and the drawing unit are one for all modes: they go into the set of mode 1.
class AllModesScope {
public:
    AllModesScope() : m_mode(pGlobDimOptions->m_iMode) { pGlobDimOptions->m_iMode = OPT_MODE_ALL; }
    ~AllModesScope() { pGlobDimOptions->m_iMode = m_mode; }
    AllModesScope(const AllModesScope&) = delete;
    AllModesScope& operator=(const AllModesScope&) = delete;

private:
    int m_mode;
};

// A typed scale without a colon that is a whole number above 1 ("50"); 0 otherwise.
int typedScaleNumber(const std::wstring& text) {
    const std::wstring t = OptTrim(text);
    if (t.empty() || t.size() > 9) return 0;
    for (wchar_t c : t)
        if (c < L'0' || c > L'9') return 0;
    const int n = std::stoi(t);
    return n > 1 ? n : 0;
}

// Flags that change how every chain is drawn (sums, input points, tolerance marks,
// leaders, text backgrounds, alternate units).
bool changesDrawing(int flag) {
    return flag == IND_OPT_B_ShowSumOfDim || flag == IND_OPT_B_ShowInputPoints ||
           flag == IND_OPT_B_IgnoreUserTextTolerance || flag == IND_OPT_B_LeadersShow ||
           flag == IND_OPT_B_WipeOut || flag == IND_OPT_B_AltUnits;
}

// Every chain and height mark of model space is drawn again with the new flag; their ids.
AcDbObjectIdArray redrawAllObjects() {
    AcDbObjectIdArray drawn;
    AcDbDatabase* db = acdbCurDwg();
    if (!db) return drawn;
    CDbLockScope lock(db, L"redrawAllObjects");
    AcDbBlockTableRecord* space = nullptr;
    if (acdbOpenObject(space, db->modelSpaceId(), AcDb::kForRead) != Acad::eOk || !space) return drawn;
    const std::vector<AcDbObjectId> ids = space->entityIds();
    space->close();
    for (const AcDbObjectId& id : ids) {
        AcDbEntity* entity = nullptr;
        if (id.isErased() || acdbOpenAcDbEntity(entity, id, AcDb::kForWrite) != Acad::eOk || !entity) continue;
        if (TRdim::cast(entity) || TRdimHeight::cast(entity)) {
            entity->recordGraphicsModified();
            drawn.append(id);
        }
        entity->close();
    }
    return drawn;
}

// Text backgrounds hide what lies under them only when their objects are drawn last.
void bringToFront(const AcDbObjectIdArray& ids) {
    if (ids.isEmpty()) return;
    CDbLockScope lock(acdbCurDwg(), L"bringToFront");
    AcDbEntity* entity = nullptr;
    if (acdbOpenAcDbEntity(entity, ids[0], AcDb::kForRead) != Acad::eOk || !entity) return;
    AcDbSortentsTable* order = GetSortentsTable(entity);
    entity->close();
    if (!order) return;
    order->moveToTop(ids);
    order->close();
}

} // namespace

BOOL CDlgMain::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (id >= ID_MENU_FIRST && id <= ID_MENU_LAST && code == 0) {
        OnMyCommand(static_cast<UINT>(id));
        return TRUE;
    }
    if (combo(id)) {
        if (code == CBN_DROPDOWN && id == IDC_COMBO_TEXT_STYLE) ReloadDwgData();
        if (code == CBN_SELCHANGE && id == IDC_COMBO_DISPLAY_UNIT) showRoundingForUnit();
        if (code == CBN_SELCHANGE && writesOnSelChange(id)) onComboChange(id, false);
        if (code == CBN_KILLFOCUS && writesOnFocusLoss(id)) onComboChange(id, true);
        return TRUE;
    }
    if (code != BN_CLICKED) return CDialog::OnCommand(wParam, lParam);
    switch (id) {
    case IDC_BUT_UPDATE:
        OnButUpdate();
        return TRUE;
    case IDC_BUT_SELECT:
        OnButSelectObjects();
        return TRUE;
    case IDC_BUT_FOLD:
        onFold();
        return TRUE;
    case IDC_BUT_MODE:
    case IDC_BUT_TYPE:
        onChoiceButton(id);
        return TRUE;
    case IDC_BUT_PROPERTIES:
        onPropertiesButton();
        return TRUE;
    default:
        break;
    }
    if (id == IDC_CHECK_REDUCED) {
        onCheckBox(id);
        return TRUE;
    }
    for (const PaletteCheckFlag& c : PaletteCheckFlags())
        if (c.id == id) {
            onCheckBox(id);
            return TRUE;
        }
    return CDialog::OnCommand(wParam, lParam);
}

BOOL CDlgMain::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (static_cast<int>(wParam) == IDC_TAB_PAGES) {
        // The height-mark rows belong to page A.
        const bool marks = m_iCurrentMode == OPT_MODE_HEIGHT || m_iCurrentMode == OPT_MODE_HEIGHT_PLAN;
        const auto* tab = dynamic_cast<CTabCtrl*>(GetDlgItem(IDC_TAB_PAGES));
        const bool pageA = tab && tab->GetCurSel() == 0;
        for (int id : {IDC_BUT_W1, IDC_BUT_W2, 1099, 1097, 1098, 1096})
            if (CWnd* w = GetDlgItem(id)) w->ShowWindow(marks && pageA ? SW_SHOW : SW_HIDE);
        if (pResult) *pResult = 0;
        return TRUE;
    }
    return CDialog::OnNotify(wParam, lParam, pResult);
}

void CDlgMain::onComboChange(int id, bool focusLost) {
    if (m_bFilling || !pGlobDimOptions) return;
    CComboBox* box = combo(id);
    if (!box) return;
    std::wstring text;
    // On a selection change the box's text is still the old one: the entry counts.
    if (!focusLost && box->GetCurSel() >= 0)
        box->GetLBText(box->GetCurSel(), text);
    else
        box->GetWindowText(text);
    if (id == IDC_COMBO_SCALE && focusLost) {
        onScaleFocusLost();
        return;
    }
    writeCombo(id, text);
}

void CDlgMain::writeCombo(int id, const std::wstring& text) {
    if (IsKeepOwnValue(text)) return; // never saved
    if (id == IDC_COMBO_SCALE) {
        writeScale(text);
        return;
    }
    if (id == IDC_COMBO_TEXT_ALIGN || id == IDC_COMBO_TEXT_POSITION) {
        writePosition(id, text);
        return;
    }
    // A selection is shown: its values are for 'Aktualisieren', the options take nothing.
    if (pGlobDimOptions->m_bNoWrite) return;
    const std::vector<ParamSlot> slots = PaletteComboSlots(id);
    if (slots.empty()) return;
    TRdimParams params = ParamsFromOptions(m_iCurrentMode);
    if (!ApplyPaletteText(id, text, params)) {
        const std::wstring shown = PaletteTextOf(id, ParamArraysView(ParamsFromOptions(m_iCurrentMode)));
        acutPrintf(L"\nPalette: \"%s\" is no value for \"%s\"; the box keeps \"%s\".", text.c_str(),
                   PaletteComboLabel(id).c_str(), shown.c_str());
        m_bFilling = true;
        setComboText(id, shown);
        m_bFilling = false;
        return;
    }
    if (id == IDC_COMBO_DRAWING_UNIT) {
        AllModesScope allModes;
        for (const ParamSlot& slot : slots)
            writeSlot(slot, params);
    } else {
        for (const ParamSlot& slot : slots)
            writeSlot(slot, params);
    }
    if (id == IDC_COMBO_EXT_LINE) {
        // A length typed while the combo is disabled (a command runs) moves nothing.
        const CWnd* ext = GetDlgItem(IDC_COMBO_EXT_LINE);
        const bool length = !OptTrim(text).empty() && OptTrim(text)[0] != L'<';
        if (!(length && ext && !ext->IsWindowEnabled())) {
            pGlobDimOptions->SetOptFlag(IND_OPT_B_ExtNewPosition, 1);
            pGlobDimOptions->SetOptValue(OPT_TYPE_FLAG, IND_OPT_B_ExtNewPosition, 1);
        }
    }
    if (id == IDC_COMBO_DISPLAY_UNIT) showRoundingForUnit();
}

void CDlgMain::writeScale(const std::wstring& text) {
    const std::optional<double> value = ParsePaletteScale(text);
    if (!value) {
        acutPrintf(L"\nPalette: \"%s\" is no scale; the box keeps \"%s\".", text.c_str(), m_lastScale.c_str());
        m_bFilling = true;
        setComboText(IDC_COMBO_SCALE, m_lastScale);
        m_bFilling = false;
        return;
    }
    if (!pGlobDimOptions->m_bNoWrite) {
        AllModesScope allModes;
        pGlobDimOptions->SetOptString(IND_S_Scale, text);
        pGlobDimOptions->SetOptValue(OPT_TYPE_STRING, IND_S_Scale, text);
        pGlobDimOptions->SetOptDouble(IND_D_ScaleVal, *value);
        pGlobDimOptions->SetOptValue(OPT_TYPE_DOUBLE, IND_D_ScaleVal, *value);
    }
    m_lastScale = text;
    m_bFilling = true;
    setComboText(IDC_COMBO_SCALE, text);
    fillLayerCombo();
    m_bFilling = false;
}

void CDlgMain::onScaleFocusLost() {
    const std::wstring text = OptTrim(GetControlText(IDC_COMBO_SCALE));
    if (text == m_lastScale) return;
    if (IsKeepOwnValue(text)) return;
    const int n = typedScaleNumber(text);
    if (n > 0) {
        writeScale(host::FormatW(L"1:%d", n));
        return;
    }
    // A list entry chosen by a selection is taken; anything else typed is not.
    CComboBox* box = combo(IDC_COMBO_SCALE);
    const bool listed = box && box->FindStringExact(-1, text.c_str()) >= 0 && text.find(L':') == std::wstring::npos;
    if (listed) {
        writeScale(text);
        return;
    }
    acutPrintf(L"\nPalette: \"%s\" is no scale to type; the box keeps \"%s\".", text.c_str(), m_lastScale.c_str());
    m_bFilling = true;
    setComboText(IDC_COMBO_SCALE, m_lastScale);
    m_bFilling = false;
}

void CDlgMain::onCheckBox(int id) {
    if (!pGlobDimOptions) return;
    const int checked = IsDlgButtonChecked(id) == BST_CHECKED ? 1 : 0;
    if (id == IDC_CHECK_REDUCED) {
        if (pGlobDimOptions->m_bNoWrite) return;
        pGlobDimOptions->SetOptInt(IND_I_MCmFrom10, checked);
        pGlobDimOptions->SetOptValue(OPT_TYPE_INT, IND_I_MCmFrom10, checked);
        return;
    }
    for (const PaletteCheckFlag& c : PaletteCheckFlags()) {
        if (c.id != id) continue;
        if (pGlobDimOptions->m_bNoWrite) {
            // A selection is shown: the box goes back to what the options hold.
            CheckDlgButton(id, pGlobDimOptions->GetOptFlag(c.flag) != 0 ? BST_CHECKED : BST_UNCHECKED);
            return;
        }
        pGlobDimOptions->SetOptFlag(c.flag, checked);
        pGlobDimOptions->SetOptValue(OPT_TYPE_FLAG, c.flag, checked);
        if (!changesDrawing(c.flag)) return;
        const AcDbObjectIdArray drawn = redrawAllObjects();
        if (c.flag == IND_OPT_B_WipeOut && checked) bringToFront(drawn);
        return;
    }
}

void CDlgMain::onFold() {
    std::wstring text;
    GetDlgItemText(IDC_BUT_FOLD, text);
    const bool folding = text.size() >= 3 && text.compare(text.size() - 3, 3, L"<<<") == 0;
    const std::wstring base = text.size() >= 3 ? text.substr(0, text.size() - 3) : L"Einstellungen ";
    SetDlgItemText(IDC_BUT_FOLD, (base + (folding ? L">>>" : L"<<<")).c_str());
    RECT r;
    GetWindowRect(&r);
    const int height = (r.bottom - r.top) + (folding ? -kPaletteQuickOptionsHeight : kPaletteQuickOptionsHeight);
    MoveWindow(r.left, r.top, r.right - r.left, height > 0 ? height : 0);
    for (const PaletteCheckFlag& c : PaletteCheckFlags())
        if (CWnd* w = GetDlgItem(c.id)) w->ShowWindow(folding ? SW_HIDE : SW_SHOW);
}

void CDlgMain::saveWindowPosition() {
    SaveWindowPlacement(*this, L"DlgMain");
}

void CDlgMain::restoreWindowPosition() {
    RestoreWindowPlacement(*this, L"DlgMain");
}

void CDlgMain::OnClose() {
    // Stores the position too; destroys this palette: nothing may touch it afterwards.
    EndApp(true, true);
}
