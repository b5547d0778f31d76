#include "module/ui/CDlgMain.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/entities/AcDbEntity.h"
#include "host/db/tables/AcDbSymbolTableRecord.h"
#include "host/db/tables/AcDbTextStyleTable.h"
#include "host/ed/acutPrintf.h"
#include "host/mfc/CButton.h"
#include "host/mfc/CComboBox.h"
#include "host/mfc/CMenu.h"
#include "host/mfc/CTabCtrl.h"
#include "host/win/FormatW.h"
#include "module/app/CommandTable.h"
#include "module/base/LintaroLog.h"
#include "module/chain/RecordFiling.h"
#include "module/chain/TRdim.h"
#include "module/height/TRdimHeight.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/IniStorage.h"
#include "module/options/OptStrings.h"
#include "module/options/OptionDefaults.h"
#include "module/options/ScaleMaps.h"
#include "module/resources/PaletteResources.h"
#include "module/resources/resource.h"
#include "module/services/DbServices.h"
#include "module/ui/HeightCreate.h"
#include "module/ui/PaletteRegistration.h"
#include "module/ui/PaletteValues.h"

#include <algorithm>
#include <utility>

namespace {

// The arc settings describe an arc chain's own geometry; an update may keep them.
constexpr int kArcSettings[] = {IND_I_ArcDimMinPoint, IND_I_ArcDimMaxPoint, IND_I_ArcDimAsCircle,
                                IND_I_ArcDimCW, IND_I_ArcDimInputArcIsCircle};

// The highest type of a mode's type button; 0 for the modes without types.
int highestType(int mode) {
    switch (mode) {
    case OPT_MODE_CHAIN:
        return 6;
    case OPT_MODE_HEIGHT:
        return 7;
    case OPT_MODE_HEIGHT_PLAN:
        return 5;
    default:
        return 0;
    }
}

// Types the palette does not remember: they are chosen for one use.
bool isOneOffType(int mode, int type) {
    return (mode == OPT_MODE_CHAIN && type == 6) || (mode == OPT_MODE_HEIGHT && type == 7) ||
           (mode == OPT_MODE_HEIGHT_PLAN && type == 5);
}

std::wstring lastTypeKey(int mode) {
    return host::FormatW(L"LastType%d", mode);
}

// The host's rules for a layer name: not empty, no longer than 255, none of these.
bool isValidLayerName(const std::wstring& name) {
    if (name.empty() || name.size() > 255) return false;
    return name.find_first_of(L"<>/\\\":;?*|,=`") == std::wstring::npos;
}

void keepArcSettings(const TRdimParams& own, TRdimParams& params) {
    for (int index : kArcSettings) {
        const auto i = static_cast<size_t>(index);
        if (i < own.arrayInt.size() && i < params.arrayInt.size()) params.arrayInt[i] = own.arrayInt[i];
    }
}

const wchar_t* const kPageA = L"   A ";
const wchar_t* const kPageB = L"   B ";
const wchar_t* const kPageC = L"   C ";

std::vector<std::wstring> sectionList(int mode, const wchar_t* name) {
    std::vector<std::wstring> list;
    FillListFromSection(list, mode, name);
    return list;
}

} // namespace

const std::vector<PaletteCheckFlag>& PaletteCheckFlags() {
    static const std::vector<PaletteCheckFlag> flags = {
        {IDC_CHECK_DIM_BY_LINE, IND_OPT_B_DimByLine},
        {IDC_CHECK_H_ALIGN, IND_OPT_B_HDimAlign},
        {IDC_CHECK_CONTEXT_MENU, IND_OPT_B_LintaroContextMenuAlways},
        {IDC_CHECK_SUM, IND_OPT_B_ShowSumOfDim},
        {IDC_CHECK_INPUT_POINTS, IND_OPT_B_ShowInputPoints},
        {IDC_CHECK_IGNORE_TOLERANCE, IND_OPT_B_IgnoreUserTextTolerance},
        {IDC_CHECK_LEADERS, IND_OPT_B_LeadersShow},
        {IDC_CHECK_WIPEOUT, IND_OPT_B_WipeOut},
        {IDC_CHECK_ALT_UNITS, IND_OPT_B_AltUnits}};
    return flags;
}

CDlgMain::CDlgMain() = default;

CDlgMain::~CDlgMain() {
    InstallHeightCreation(nullptr);
    UnregisterPaletteWindow(this);
    if (m_hWnd) {
        SetMenu(nullptr);
        DestroyWindow();
    }
}

bool CDlgMain::Create() {
    if (!pGlobDimOptions) return false;
    if (!CDialog::Create(IDD_DLG_MAIN)) return false;
    RegisterPaletteWindow(this);
    // Height marks are made with the palette's rows and the value dialog, so the palette
    // brings their creation to the commands.
    InstallHeightCreation(&MakeHeightMarks);
    return true;
}

BOOL CDlgMain::OnInitDialog() {
    CDialog::OnInitDialog();
    restoreWindowPosition();
    m_menu = std::make_unique<CMenu>();
    if (m_menu->LoadMenu(IDR_MENU_MAIN)) SetMenu(m_menu.get());
    if (GetIniGeneralInt(L"LockOptions") == 1 && m_menu->GetSafeHmenu())
        m_menu->EnableMenuItem(ID_GLOBAL_SETTINGS, MF_BYCOMMAND | MF_GRAYED);
    SetWindowText(L"lintaro");
    if (auto* tab = dynamic_cast<CTabCtrl*>(GetDlgItem(IDC_TAB_PAGES))) {
        tab->DeleteAllItems();
        tab->InsertItem(0, kPageA);
        tab->InsertItem(1, kPageB);
        tab->SetCurSel(0);
    }
    int mode = GetIniGeneralInt(L"LastMode");
    if (mode < OPT_MODE_ALL || mode > OPT_MODE_TEXT) {
        // Nothing saved, or a value no mode has: start with chains.
        if (mode != 0) LogFmt(L"\nCDlgMain: LastMode=%d ", mode);
        mode = OPT_MODE_CHAIN;
    }
    AdjustMode(mode);
    return TRUE;
}

void CDlgMain::AdjustMode(int mode) {
    if (!pGlobDimOptions) return;
    if (mode < 0) {
        pGlobDimOptions->m_iMode = m_iCurrentMode;
        return;
    }
    if (mode < OPT_MODE_ALL || mode > OPT_MODE_TEXT) {
        LogFmt(L"\nAdjustMode(%d): no such mode ", mode);
        return;
    }
    const bool reloadLists = mode != m_iCurrentMode || pGlobDimOptions->m_bNoWrite;
    pGlobDimOptions->m_bNoWrite = false;
    pGlobDimOptions->m_iMode = mode;
    m_iCurrentMode = mode;
    SetIniGeneralInt(L"LastMode", mode);
    if (auto* reduced = dynamic_cast<CButton*>(GetDlgItem(IDC_CHECK_REDUCED)))
        reduced->SetButtonStyle(BS_AUTOCHECKBOX);
    applyMenuForMode();
    applyTabForMode();
    ReloadData();
    for (int id : {IDC_BUT_W1, IDC_BUT_W2})
        if (auto* button = dynamic_cast<CButton*>(GetDlgItem(id))) button->SetCheck(BST_UNCHECKED);
    if (mode != OPT_MODE_ALL && mode != OPT_MODE_TEXT) {
        int type = GetIniGeneralInt(lastTypeKey(mode));
        if (type < 1 || type > highestType(mode)) type = 1;
        AdjustType(type);
    }
    if (reloadLists) {
        m_currentObjects.setLogicalLength(0);
        fillLayerCombo();
    }
    showChoiceImages();
}

void CDlgMain::AdjustType(int type) {
    if (!pGlobDimOptions) return;
    if (type < 0) {
        pGlobDimOptions->m_iMode = m_iCurrentMode;
        return;
    }
    m_iCurrentType = type;
    pGlobDimOptions->SetOptInt(IND_I_LastType, type);
    if (!isOneOffType(m_iCurrentMode, type)) SetIniGeneralInt(lastTypeKey(m_iCurrentMode), type);
    showChoiceImages();
}

void CDlgMain::applyMenuForMode() {
    if (!m_menu || !m_menu->GetSafeHmenu()) return;
    CMenu* edit = m_menu->GetSubMenu(0);
    if (!edit) return;
    const bool chains = m_iCurrentMode == OPT_MODE_CHAIN;
    edit->ModifyMenu(
        ID_TEXT_CENTRE, MF_BYCOMMAND | MF_STRING, ID_TEXT_CENTRE,
        std::wstring(LoadStr(chains ? IDS_MENU_TEXT_CENTRE : IDS_MENU_TEXT_DEFAULT_POSITION)).c_str());
    const UINT state = chains ? MF_ENABLED : MF_GRAYED;
    for (UINT id : {ID_VALUES_RESET, ID_REDISTRIBUTE, ID_TEXT_POSITION, ID_REMOVE_POINTS})
        edit->EnableMenuItem(id, MF_BYCOMMAND | state);
    for (UINT position : {5u, 6u, 8u})
        edit->EnableMenuItem(position, MF_BYPOSITION | state);
}

void CDlgMain::applyTabForMode() {
    auto* tab = dynamic_cast<CTabCtrl*>(GetDlgItem(IDC_TAB_PAGES));
    if (!tab) return;
    const bool marks = m_iCurrentMode == OPT_MODE_HEIGHT || m_iCurrentMode == OPT_MODE_HEIGHT_PLAN;
    if (marks) {
        for (int id : {1038, 1039, 1035, 1135})
            SetDlgItemText(id, L"");
        if (tab->GetItemCount() < 3) tab->InsertItem(2, kPageC);
    } else {
        // The labels the marks cleared come back with their own texts.
        SetDlgItemText(1038, LoadStr(IDS_LABEL_VALUE_POSITION));
        SetDlgItemText(1039, LoadStr(IDS_LABEL_SECOND_VALUE_POSITION));
        SetDlgItemText(1035, LoadStr(IDS_LABEL_DECIMALS));
        SetDlgItemText(IDC_STATIC_ROUNDING, LoadStr(IDS_LABEL_ROUNDING));
        while (tab->GetItemCount() > 2) {
            if (tab->GetCurSel() >= 2) tab->SetCurSel(0);
            tab->DeleteItem(tab->GetItemCount() - 1);
        }
    }
    for (int id : {IDC_BUT_W1, IDC_BUT_W2, 1099, 1097, 1098, 1096})
        if (CWnd* w = GetDlgItem(id)) w->ShowWindow(marks && tab->GetCurSel() == 0 ? SW_SHOW : SW_HIDE);
}

CComboBox* CDlgMain::combo(int id) const {
    return dynamic_cast<CComboBox*>(GetDlgItem(id));
}

void CDlgMain::setComboText(int id, const std::wstring& text) {
    CComboBox* box = combo(id);
    if (!box) return;
    const int index = box->FindStringExact(-1, text.c_str());
    if (index >= 0)
        box->SetCurSel(index);
    else
        box->SetWindowText(text.c_str());
}

void CDlgMain::fillCombo(int id, const std::vector<std::wstring>& items) {
    CComboBox* box = combo(id);
    if (!box) return;
    box->ResetContent();
    for (const std::wstring& item : items)
        box->AddString(item.c_str());
}

void CDlgMain::ReloadData() {
    CTimeLog timer(L"CDlgMain::ReloadData");
    if (!pGlobDimOptions || !m_hWnd) return;
    m_bFilling = true;
    const int mode = m_iCurrentMode;
    fillCombo(IDC_COMBO_DIM_LINES_DISTANCE, sectionList(mode, L"DimLinesDistance"));
    std::vector<std::wstring> heights = sectionList(mode, L"TextHeight2Color");
    heights.erase(std::remove_if(heights.begin(), heights.end(),
                                 [](const std::wstring& h) { return OptEqualNoCase(h, L"TrueType"); }),
                  heights.end());
    fillCombo(IDC_COMBO_TEXT_HEIGHT, heights);
    fillCombo(IDC_COMBO_SCALE, sectionList(mode, L"Scale2Layer"));
    std::vector<std::wstring> ext = sectionList(mode, L"ExtLineLength");
    // The list of chains leaves "<keine>" out; the palette offers it in every mode, since
    // it is the only way to new chains without extension lines.
    const std::wstring none = LoadStrOr(IDS_EXTLINE_NONE, L"<keine>");
    if (std::find(ext.begin(), ext.end(), none) == ext.end())
        ext.insert(std::find(ext.begin(), ext.end(), LoadStrOr(IDS_EXTLINE_MAXIMUM, L"<maximal>")), none);
    ext.push_back(LoadStrOr(IDS_KEEP_VALUE, L"<beibehalten>"));
    fillCombo(IDC_COMBO_EXT_LINE, ext);
    fillCombo(IDC_COMBO_DRAWING_UNIT, {L"1 m", L"1 cm", L"1 mm"});
    fillCombo(IDC_COMBO_DECIMALS, {L"0", L"1", L"2", L"3", L"4", L"5", L"6"});
    fillPositionCombos();
    fillCombo(IDC_COMBO_ROUNDING, {L"", L"5   mm", L"2.5 mm"});
    fillCombo(IDC_COMBO_DISPLAY_UNIT, {L"M/cm", L"m", L"cm", L"mm", LoadStrOr(IDS_UNIT_FEET, L"ft"),
                                       LoadStrOr(IDS_UNIT_FEET_DECIMAL_INCHES, L"0'-0.000\""),
                                       LoadStrOr(IDS_UNIT_FEET_FRACTIONAL_INCHES, L"0'-0 1/256\"")});
    ReloadDwgData();
    selectOptionValues();
    m_bFilling = false;
}

void CDlgMain::ReloadDwgData() {
    CComboBox* box = combo(IDC_COMBO_TEXT_STYLE);
    if (!box || !pGlobDimOptions) return;
    std::wstring shown;
    box->GetWindowText(shown);
    std::vector<std::wstring> styles;
    AcDbDatabase* db = acdbCurDwg();
    AcDbTextStyleTable* table = nullptr;
    if (db && db->getTextStyleTable(table, AcDb::kForRead) == Acad::eOk && table) {
        AcDbSymbolTableIterator* it = nullptr;
        if (table->newIterator(it) == Acad::eOk && it) {
            for (; !it->done(); it->step()) {
                AcDbSymbolTableRecord* record = nullptr;
                std::wstring name;
                if (it->getRecord(record) != Acad::eOk || !record) continue;
                if (record->getName(name) == Acad::eOk && !name.empty()) styles.push_back(name);
                record->close();
            }
            delete it;
        }
        table->close();
    }
    const bool filling = m_bFilling;
    m_bFilling = true;
    fillCombo(IDC_COMBO_TEXT_STYLE, styles);
    setComboText(IDC_COMBO_TEXT_STYLE,
                 shown.empty() ? pGlobDimOptions->GetOptString(IND_S_TextStyle) : shown);
    m_bFilling = filling;
}

void CDlgMain::selectOptionValues() {
    const TRdimParams options = ParamsFromOptions(m_iCurrentMode);
    for (int id : PaletteValueCombos())
        setComboText(id, PaletteTextOf(id, ParamArraysView(options)));
    selectPositionValues(ParamArraysView(options));
    m_lastScale = GetControlText(IDC_COMBO_SCALE);
    CheckDlgButton(IDC_CHECK_REDUCED, pGlobDimOptions->GetOptInt(IND_I_MCmFrom10) != 0 ? BST_CHECKED : 0);
    for (const PaletteCheckFlag& c : PaletteCheckFlags())
        CheckDlgButton(c.id, pGlobDimOptions->GetOptFlag(c.flag) != 0 ? BST_CHECKED : BST_UNCHECKED);
    showRoundingForUnit();
}

void CDlgMain::fillLayerCombo() {
    CComboBox* box = combo(IDC_COMBO_LAYER);
    if (!box) return;
    box->ResetContent();
    box->AddString(L"");
    box->AddString(CurrentLayerEntry());
    const std::wstring scaleLayer = GetLayerForScale(GetControlText(IDC_COMBO_SCALE));
    if (!scaleLayer.empty() && isValidLayerName(scaleLayer)) box->AddString(scaleLayer.c_str());
    box->SetCurSel(-1);
    box->SetWindowText(L"");
}

void CDlgMain::showRoundingForUnit() {
    const std::wstring unit = GetControlText(IDC_COMBO_DISPLAY_UNIT);
    const bool imperial = unit == LoadStrOr(IDS_UNIT_FEET, L"ft") ||
                          unit == LoadStrOr(IDS_UNIT_FEET_DECIMAL_INCHES, L"0'-0.000\"") ||
                          unit == LoadStrOr(IDS_UNIT_FEET_FRACTIONAL_INCHES, L"0'-0 1/256\"");
    for (int id : {IDC_STATIC_ROUNDING, IDC_COMBO_ROUNDING})
        if (CWnd* w = GetDlgItem(id)) w->ShowWindow(imperial ? SW_HIDE : SW_SHOW);
}

void CDlgMain::SelectScale() {
    if (!pGlobDimOptions) return;
    const bool paper = IsPaperSpaceActive();
    if (paper == m_bPaperSpace) return;
    m_bPaperSpace = paper;
    const bool filling = m_bFilling;
    m_bFilling = true;
    if (paper) {
        m_paperScale = pGlobDimOptions->GetOptString(IND_S_Scale);
        m_paperMeasure = pGlobDimOptions->GetOptString(IND_S_Measure);
        m_paperUnit = GetControlText(IDC_COMBO_DRAWING_UNIT);
        CComboBox* scale = combo(IDC_COMBO_SCALE);
        if (scale && scale->GetCount() > 0) scale->SetCurSel(0);
        setComboText(IDC_COMBO_DRAWING_UNIT, L"1 mm");
        setComboText(IDC_COMBO_DISPLAY_UNIT, L"mm");
    } else {
        const TRdimParams options = ParamsFromOptions(m_iCurrentMode);
        const ParamArraysView view(options);
        setComboText(IDC_COMBO_SCALE,
                     m_paperScale.empty() ? PaletteTextOf(IDC_COMBO_SCALE, view) : m_paperScale);
        setComboText(IDC_COMBO_DRAWING_UNIT,
                     m_paperUnit.empty() ? PaletteTextOf(IDC_COMBO_DRAWING_UNIT, view) : m_paperUnit);
        setComboText(IDC_COMBO_DISPLAY_UNIT,
                     m_paperMeasure.empty() ? PaletteTextOf(IDC_COMBO_DISPLAY_UNIT, view) : m_paperMeasure);
        m_paperScale.clear();
        m_paperMeasure.clear();
        m_paperUnit.clear();
    }
    m_bFilling = filling;
    showRoundingForUnit();
}

void CDlgMain::EnableActions(bool enable) {
    for (int id : {IDC_BUT_MODE, IDC_BUT_UPDATE, IDC_BUT_SELECT})
        if (CWnd* w = GetDlgItem(id)) w->EnableWindow(enable ? TRUE : FALSE);
    if (enable || !pGlobDimOptions) return;
    // A length typed into the extension combo is not taken while a command runs.
    const std::wstring ext = GetControlText(IDC_COMBO_EXT_LINE);
    if (!ext.empty() && OptTrim(ext)[0] != L'<') {
        const bool filling = m_bFilling;
        m_bFilling = true;
        setComboText(IDC_COMBO_EXT_LINE,
                     PaletteTextOf(IDC_COMBO_EXT_LINE, ParamArraysView(ParamsFromOptions(m_iCurrentMode))));
        m_bFilling = filling;
    }
}

bool CDlgMain::ActionsEnabled() const {
    const CWnd* update = GetDlgItem(IDC_BUT_UPDATE);
    return update && update->IsWindowEnabled();
}

std::wstring CDlgMain::GetControlText(int id) const {
    std::wstring text;
    if (const CComboBox* box = combo(id)) box->GetWindowText(text);
    return text;
}

bool CDlgMain::SetControlText(int id, const std::wstring& text) {
    const std::wstring label = PaletteComboLabel(id);
    if (label.empty() || !combo(id)) {
        acutPrintf(L"\nPalette: %d is not a value box of the palette.", id);
        return false;
    }
    bool fits = false;
    if (IsKeepOwnValue(text)) {
        fits = true;
    } else if (id == IDC_COMBO_LAYER) {
        fits = text.empty() || text == CurrentLayerEntry() || isValidLayerName(OptTrim(text));
    } else {
        TRdimParams scratch = ParamsFromOptions(m_iCurrentMode);
        fits = ApplyPaletteText(id, text, scratch);
    }
    if (!fits) {
        acutPrintf(L"\nPalette: \"%s\" is no value for \"%s\"; the box keeps \"%s\".", text.c_str(),
                   label.c_str(), GetControlText(id).c_str());
        return false;
    }
    const bool filling = m_bFilling;
    m_bFilling = true;
    setComboText(id, text);
    m_bFilling = filling;
    return true;
}

std::wstring CDlgMain::GetLayerChoice() const {
    const std::wstring layer = GetControlText(IDC_COMBO_LAYER);
    if (layer.empty() || IsKeepOwnValue(layer)) return std::wstring();
    return layer == CurrentLayerEntry() ? layer : OptTrim(layer);
}

bool CDlgMain::InitParameters(AcDbObject* object, bool bKeepArcSettings) {
    // The host's dimensions and texts take the palette's settings through their own kinds;
    // chains take them in modes 1 and 2, height marks in modes 1, 3 and 4.
    if (TRdimHeight* mark = TRdimHeight::cast(object))
        return initHeightParameters(mark, m_iCurrentMode, true);
    TRdim* chain = TRdim::cast(object);
    if (!chain || !pGlobDimOptions) return false;
    if (m_iCurrentMode != OPT_MODE_ALL && m_iCurrentMode != OPT_MODE_CHAIN) return false;
    const TRdimParams own = chain->GetParams();
    TRdimParams params = ParamsFromOptions(m_iCurrentMode);
    if (bKeepArcSettings) keepArcSettings(own, params);
    applyControls(params, own);
    chain->SetParams(std::move(params));
    applyLayer(chain);
    return true;
}

bool CDlgMain::InitParametersInMode(int mode, AcDbObject* object, bool bKeepArcSettings) {
    // The combos show the values of the palette's own mode (mode 1 shows the chains'):
    // there the object takes them; another mode gives only its options and the layer.
    const int paletteMode = m_iCurrentMode;
    if (mode == paletteMode || (mode == OPT_MODE_CHAIN && paletteMode == OPT_MODE_ALL))
        return InitParameters(object, bKeepArcSettings);
    if (TRdimHeight* mark = TRdimHeight::cast(object)) return initHeightParameters(mark, mode, false);
    TRdim* chain = TRdim::cast(object);
    if (!chain || !pGlobDimOptions || mode != OPT_MODE_CHAIN) return false;
    const TRdimParams own = chain->GetParams();
    TRdimParams params = ParamsFromOptions(mode);
    if (bKeepArcSettings) keepArcSettings(own, params);
    chain->SetParams(std::move(params));
    applyLayer(chain);
    return true;
}

bool CDlgMain::initHeightParameters(TRdimHeight* mark, int mode, bool bControls) {
    if (!mark || !pGlobDimOptions) return false;
    if (mode != OPT_MODE_ALL && mode != OPT_MODE_HEIGHT && mode != OPT_MODE_HEIGHT_PLAN) return false;
    const TRdimParams own = mark->GetParams();
    // Mode 1 shows the chains' values; a mark still takes the height-mark set under them.
    TRdimParams params = ParamsFromOptions(mode == OPT_MODE_ALL ? OPT_MODE_HEIGHT : mode);
    if (bControls) {
        applyControls(params, own);
        applyPositions(params, own);
    }
    mark->SetParams(std::move(params));
    applyLayer(mark);
    return true;
}

void CDlgMain::applyControls(TRdimParams& params, const TRdimParams& own) const {
    for (int id : PaletteValueCombos()) {
        // All modes share one distance between dimension lines only in name: mode 1 never
        // gives an object another one.
        if (id == IDC_COMBO_DIM_LINES_DISTANCE && m_iCurrentMode == OPT_MODE_ALL) {
            KeepOwnSlots(id, own, params);
            continue;
        }
        const std::wstring text = GetControlText(id);
        if (IsKeepOwnValue(text) || !ApplyPaletteText(id, text, params)) KeepOwnSlots(id, own, params);
    }
}

void CDlgMain::applyLayer(AcDbObject* object) const {
    const std::wstring layer = GetLayerChoice();
    if (layer.empty() || layer == CurrentLayerEntry()) return;
    // A new object gets its layer when it is created; one in a drawing moves now.
    AcDbEntity* entity = AcDbEntity::cast(object);
    if (entity && entity->database())
        SetEntityLayer(entity->database(), entity, layer, GetColorForLayer(layer));
}
