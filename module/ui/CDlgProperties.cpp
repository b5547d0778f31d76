#include "module/ui/CDlgProperties.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/entities/AcDbEntity.h"
#include "host/ed/acutPrintf.h"
#include "host/mfc/CButton.h"
#include "host/mfc/CComboBox.h"
#include "host/mfc/CStatic.h"
#include "host/win/FormatW.h"
#include "module/base/LanguageModule.h"
#include "module/base/LintaroLog.h"
#include "module/chain/TRdim.h"
#include "module/height/TRdimHeight.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/IniStorage.h"
#include "module/options/OptStrings.h"
#include "module/options/OptionIndices.h"
#include "module/resources/PropertiesResources.h"
#include "module/services/ActiveCommand.h"
#include "module/services/DbServices.h"
#include "module/services/DocLocks.h"
#include "module/services/ReactorSuspension.h"
#include "module/services/XDataServices.h"
#include "module/ui/CDlgMain.h"
#include "module/ui/PaletteApp.h"
#include "module/ui/PropertyObjects.h"
#include "module/ui/WindowPlacement.h"

#include <cwchar>

namespace {

constexpr int kTop = 30;       // the grid starts below the buttons
constexpr int kRowHeight = 18;
constexpr int kDefaultSplit = 120;
const wchar_t* const kChainFilter = L"XOTA_LINTARO";
const wchar_t* const kHeightFilter = L"XOTA_DIM_HEIGHT";
// Everything the grid has rows for: the module's objects and the host's marked ones.
const wchar_t* const kAnyFilter = L"XOTA_LINTARO,XOTA_DIM_HEIGHT,*DIMENSION*,*TEXT";

// The selection filter of a kind the dialog is opened with.
const wchar_t* filterOf(int kind) {
    switch (kind) {
    case kPropKindChains:
        return kChainFilter;
    case kPropKindHeights:
        return kHeightFilter;
    case kPropKindHostTexts:
        return L"*TEXT";
    default:
        return kAnyFilter;
    }
}

int rowId(const PropertyRow& row) {
    const int base = row.type == OPT_TYPE_STRING   ? IDC_PROP_ROW_STRING
                     : row.type == OPT_TYPE_DOUBLE ? IDC_PROP_ROW_DOUBLE
                                                   : IDC_PROP_ROW_INT;
    return base + row.index;
}

// The remembered group states are filed in the order general, units, text, lines.
constexpr PropertyGroup kFiledGroupOrder[kGroupCount] = {kGroupGeneral, kGroupUnits, kGroupText, kGroupLines};

std::wstring kindName(int kind) {
    switch (kind) {
    case kPropKindChains:
        return LoadStr(IDS_PROP_KIND_CHAINS);
    case kPropKindHeights:
        return LoadStr(IDS_PROP_KIND_HEIGHTS);
    case kPropKindHostDims:
        return LoadStr(IDS_PROP_KIND_HOST_DIMS);
    case kPropKindHostTexts:
        return LoadStr(IDS_PROP_KIND_HOST_TEXTS);
    default:
        return LoadStr(IDS_PROP_KIND_NONE);
    }
}

// The split between the rows' names and their boxes, in the dialog's units.
constexpr int kMinSplit = 40;
constexpr int kMaxSplit = 220;

} // namespace

CDlgProperties::CDlgProperties(const AcDbObjectIdArray& ids, int kind) : CDialog(IDD_DLG_PROPERTIES) {
    for (const AcDbObjectId& id : ids)
        if (const int k = PropertyKindOf(id)) m_objects[k].append(id);
    for (int k : kPropKinds)
        if (k == kind) m_kind = kind;
    if (m_kind == 0 || objectsOf(m_kind).isEmpty()) {
        m_kind = 0;
        for (int k : kPropKinds)
            if (m_kind == 0 && !objectsOf(k).isEmpty()) m_kind = k;
    }
}

CDlgProperties::~CDlgProperties() {
    clearGrid();
}

const AcDbObjectIdArray& CDlgProperties::objectsOf(int kind) const {
    static const AcDbObjectIdArray none;
    const auto it = m_objects.find(kind);
    return it == m_objects.end() ? none : it->second;
}

BOOL CDlgProperties::OnInitDialog() {
    CDialog::OnInitDialog();
    restoreState();
    CheckDlgButton(IDC_PROP_COMPACT, m_compact ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemText(IDC_PROP_SPLIT, host::FormatW(L"%d", m_split).c_str());
    fillKindList();
    buildGrid();
    return TRUE;
}

void CDlgProperties::fillKindList() {
    auto* list = dynamic_cast<CComboBox*>(GetDlgItem(IDC_PROP_KIND));
    if (!list) return;
    list->ResetContent();
    for (int kind : kPropKinds) {
        const int count = objectsOf(kind).length();
        if (count == 0) continue;
        const int at = list->AddString(host::FormatW(L"%s (%d)", kindName(kind).c_str(), count).c_str());
        list->SetItemData(at, static_cast<DWORD_PTR>(kind));
        if (kind == m_kind) list->SetCurSel(at);
    }
    if (list->GetCount() == 0) {
        list->AddString(kindName(0).c_str());
        list->SetCurSel(0);
    }
}

void CDlgProperties::clearGrid() {
    m_rows.clear();
    for (std::unique_ptr<CWnd>& w : m_gridWindows)
        if (w && w->m_hWnd) w->DestroyWindow();
    m_gridWindows.clear();
}

std::wstring CDlgProperties::commonText(const PropertyRow& row) const {
    std::wstring common;
    bool first = true;
    for (const AcDbObjectId& id : objectsOf(m_kind)) {
        TRdimParams params;
        if (!ReadPropertyParams(id, params)) continue; // an object that cannot be opened is skipped
        const std::wstring text = PropertyRowText(row, ParamArraysView(params));
        if (first) {
            common = text;
            first = false;
        } else if (text != common) {
            return VariesText();
        }
    }
    return common;
}

void CDlgProperties::buildGrid() {
    clearGrid();
    if (!m_hWnd) return;
    const std::map<RowKey, std::wstring>& edits = m_edits[m_kind];
    for (int g = 0; g < kGroupCount; ++g) {
        auto heading = std::make_unique<CButton>();
        heading->Create(PropertyGroupCaption(static_cast<PropertyGroup>(g), m_compact).c_str(),
                        WS_CHILD | BS_AUTOCHECKBOX, RECT{0, 0, 0, 0}, this, IDC_PROP_GROUP_FIRST + g);
        heading->SetCheck(m_expanded[g] ? BST_CHECKED : BST_UNCHECKED);
        m_gridWindows.push_back(std::move(heading));
        for (const PropertyRow& row : PropertyRowsOf(m_kind)) {
            if (row.group != g) continue;
            auto label = std::make_unique<CStatic>();
            label->Create(PropertyRowLabel(m_kind, row).c_str(), WS_CHILD, RECT{0, 0, 0, 0}, this, static_cast<UINT>(IDC_STATIC));
            auto box = std::make_unique<CComboBox>();
            box->Create(WS_CHILD | CBS_DROPDOWN | CBS_AUTOHSCROLL, RECT{0, 0, 0, 0}, this,
                        static_cast<UINT>(rowId(row)));
            for (const std::wstring& choice : PropertyRowChoices(row))
                box->AddString(choice.c_str());
            const std::wstring shown = commonText(row);
            const auto edited = edits.find({row.type, row.index});
            box->SetWindowText((edited != edits.end() ? edited->second : shown).c_str());
            m_rows.push_back(Row{&row, label.get(), box.get(), shown});
            m_gridWindows.push_back(std::move(label));
            m_gridWindows.push_back(std::move(box));
        }
    }
    showGrid();
}

void CDlgProperties::showGrid() {
    for (Row& r : m_rows) {
        r.label->ShowWindow(SW_HIDE);
        r.box->ShowWindow(SW_HIDE);
    }
    // The compact view has the first group only, with the rows marked for it.
    int y = kTop;
    for (int g = 0; g < kGroupCount; ++g) {
        const bool groupShown = m_kind != 0 && (!m_compact || g == kGroupGeneral);
        if (CWnd* heading = GetDlgItem(IDC_PROP_GROUP_FIRST + g)) {
            heading->SetWindowText(PropertyGroupCaption(static_cast<PropertyGroup>(g), m_compact).c_str());
            heading->ShowWindow(groupShown ? SW_SHOW : SW_HIDE);
            heading->MoveWindow(0, y, 260, kRowHeight);
        }
        if (!groupShown) continue;
        y += kRowHeight;
        if (!m_expanded[g]) continue;
        for (Row& r : m_rows) {
            if (m_compact ? !r.row->compact : r.row->group != g) continue;
            r.label->ShowWindow(SW_SHOW);
            r.box->ShowWindow(SW_SHOW);
            r.label->MoveWindow(8, y, m_split - 8, kRowHeight);
            r.box->MoveWindow(m_split, y, 260 - m_split, kRowHeight);
            y += kRowHeight;
        }
    }
}

BOOL CDlgProperties::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    for (Row& r : m_rows)
        if (r.box->GetDlgCtrlID() == id) {
            if (code == CBN_KILLFOCUS) onRowEdited(r);
            return TRUE;
        }
    if (id == IDC_PROP_KIND) {
        if (code == CBN_SELCHANGE) onKindChosen();
        return TRUE;
    }
    if (code == BN_CLICKED && id >= IDC_PROP_GROUP_FIRST && id < IDC_PROP_GROUP_FIRST + kGroupCount) {
        m_expanded[id - IDC_PROP_GROUP_FIRST] = IsDlgButtonChecked(id) == BST_CHECKED;
        showGrid();
        return TRUE;
    }
    if (code == BN_CLICKED && id == IDC_PROP_COMPACT) {
        m_compact = IsDlgButtonChecked(id) == BST_CHECKED;
        showGrid();
        return TRUE;
    }
    if (id == IDC_PROP_SPLIT) {
        if (code == EN_KILLFOCUS) onSplitEdited();
        return TRUE;
    }
    if (code == BN_CLICKED && id == IDC_PROP_SELECT) {
        onSelectObjects();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CDlgProperties::onRowEdited(Row& r) {
    std::wstring text;
    r.box->GetWindowText(text);
    auto& edits = m_edits[m_kind];
    const RowKey key{r.row->type, r.row->index};
    if (text == r.shown && edits.find(key) == edits.end()) return; // left alone
    std::wstring why;
    if (!OptEqualNoCase(OptTrim(text), VariesText()) && !PropertyRowAccepts(*r.row, text, &why)) {
        const auto before = edits.find(key);
        const std::wstring kept = before != edits.end() ? before->second : r.shown;
        acutPrintf(LoadStr(IDS_PROP_REFUSED), text.c_str(), PropertyRowLabel(m_kind, *r.row).c_str(), why.c_str(),
                   kept.c_str());
        r.box->SetWindowText(kept.c_str());
        return;
    }
    if (text == r.shown)
        edits.erase(key);
    else
        edits[key] = text;
}

void CDlgProperties::onSplitEdited() {
    std::wstring text;
    GetDlgItemText(IDC_PROP_SPLIT, text);
    const std::wstring t = OptTrim(text);
    const bool digits = !t.empty() && t.size() < 5 && t.find_first_not_of(L"0123456789") == std::wstring::npos;
    const int split = digits ? OptToInt(t) : 0;
    if (split < kMinSplit || split > kMaxSplit) {
        acutPrintf(LoadStr(IDS_PROP_BAD_SPLIT), text.c_str());
        SetDlgItemText(IDC_PROP_SPLIT, host::FormatW(L"%d", m_split).c_str());
        return;
    }
    m_split = split;
    showGrid();
}

void CDlgProperties::onKindChosen() {
    auto* list = dynamic_cast<CComboBox*>(GetDlgItem(IDC_PROP_KIND));
    if (!list || list->GetCurSel() < 0) return;
    const int kind = static_cast<int>(list->GetItemData(list->GetCurSel()));
    if (kind == m_kind || objectsOf(kind).isEmpty()) return;
    m_kind = kind;
    buildGrid();
}

void CDlgProperties::onSelectObjects() {
    // The dialog steps aside while the user selects in the drawing.
    ShowWindow(SW_HIDE);
    AcDbObjectIdArray ids;
    SelectEntities(ids, LoadStr(IDS_PROP_SELECT), kAnyFilter);
    ShowWindow(SW_SHOW);
    if (ids.isEmpty()) return;
    CDlgProperties fresh(ids, m_kind);
    m_objects = fresh.m_objects;
    m_kind = fresh.m_kind;
    m_edits.clear();
    fillKindList();
    buildGrid();
}

int CDlgProperties::applyEdits() {
    int changed = 0;
    CDbLockScope lock(acdbCurDwg(), L"CDlgProperties");
    for (const auto& [kind, edits] : m_edits) {
        if (edits.empty()) continue;
        for (const AcDbObjectId& id : objectsOf(kind)) {
            try {
                if (WritePropertyEdits(id, kind, edits)) ++changed;
            } catch (...) {
                acutPrintf(L"\nAny ERROR ON flushGraphics");
            }
        }
    }
    return changed;
}

void CDlgProperties::OnOK() {
    // A row still showing a refused entry never reaches the objects: edits are checked
    // when they are made.
    m_changed = applyEdits();
    saveState();
    EndDialog(IDOK);
}

void CDlgProperties::OnCancel() {
    saveState();
    EndDialog(IDCANCEL);
}

void CDlgProperties::restoreState() {
    const std::wstring saved = GetIniString(L"LastStatus", L"DlgProperties");
    int v[5] = {kDefaultSplit, 1, 1, 1, 1};
    if (!saved.empty()) {
        const int n = std::swscanf(saved.c_str(), L"%d,%d,%d,%d,%d", &v[0], &v[1], &v[2], &v[3], &v[4]);
        if (n != 5 || v[0] < kMinSplit || v[0] > kMaxSplit) {
            LogFmt(L"\nCDlgProperties: DlgProperties=%s ", saved.c_str());
            v[0] = kDefaultSplit;
            v[1] = v[2] = v[3] = v[4] = 1;
        }
    }
    m_split = v[0];
    for (int i = 0; i < kGroupCount; ++i)
        m_expanded[kFiledGroupOrder[i]] = v[i + 1] != 0;
    m_compact = GetIniInt(L"LastStatus", L"DlgPropertiesMini") == 1;
    RestoreWindowPlacement(*this, L"WinProperties");
}

void CDlgProperties::saveState() {
    SetIniString(L"LastStatus", L"DlgProperties",
                 host::FormatW(L"%d,%d,%d,%d,%d", m_split, m_expanded[kFiledGroupOrder[0]] ? 1 : 0,
                               m_expanded[kFiledGroupOrder[1]] ? 1 : 0, m_expanded[kFiledGroupOrder[2]] ? 1 : 0,
                               m_expanded[kFiledGroupOrder[3]] ? 1 : 0));
    SetIniInt(L"LastStatus", L"DlgPropertiesMini", m_compact ? 1 : 0);
    SaveWindowPlacement(*this, L"WinProperties");
}

int PropertiesKindOfMode(int mode) {
    switch (mode) {
    case OPT_MODE_ALL:
        return kPropKindAll;
    case OPT_MODE_CHAIN:
        return kPropKindChains;
    case OPT_MODE_HEIGHT:
    case OPT_MODE_HEIGHT_PLAN:
        return kPropKindHeights;
    case OPT_MODE_TEXT:
        return kPropKindHostTexts;
    default:
        return 0;
    }
}

bool OpenDlgProperties(const AcDbObjectIdArray* objects, int kind) {
    if (IsCommandActive(true)) return false;
    AcDbObjectIdArray ids;
    if (objects) {
        ids = *objects;
    } else {
        if (SelectImplied(ids, filterOf(kind)) == 0) SelectEntities(ids, LoadStr(IDS_PROP_SELECT), filterOf(kind));
    }
    const int previous = SetReactorsSuspended(8);
    HideDlgMain();
    bool ok = false, changed = false;
    {
        CTemporaryResourceOverride resources;
        CDlgProperties dlg(ids, kind);
        ok = dlg.DoModal() == IDOK;
        if (ok) LogFmt(L"\nCDlgProperties: %d objects changed ", dlg.ChangedCount());
        changed = ok && dlg.ChangedCount() > 0;
    }
    // A palette that shows the selection's values shows them as they are now.
    if (changed && dlgMyApp && pGlobDimOptions && pGlobDimOptions->m_bNoWrite &&
        !dlgMyApp->CurrentObjects().isEmpty()) {
        const AcDbObjectIdArray shown = dlgMyApp->CurrentObjects();
        dlgMyApp->SelectObjects(shown);
    }
    ShowDlgMain();
    SetReactorsSuspended(previous);
    return ok;
}
