// The options dialog's pages of tables and lists: "Maßstab", "Texthöhe" and "Listen".
#include "host/mfc/CComboBox.h"
#include "host/mfc/CListBox.h"
#include "host/win/FormatW.h"
#include "module/base/LintaroLog.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/IniStorage.h"
#include "module/options/OptStrings.h"
#include "module/options/OptionDefaults.h"
#include "module/options/ScaleMaps.h"
#include "module/resources/OptionResources.h"
#include "module/ui/COptPages.h"
#include "module/ui/OptionFields.h"

#include <algorithm>

namespace {

constexpr const wchar_t* kLayerRefused = L"<>/\\\":;?*|=`,";
constexpr double kMaxLength = 1.0e6;

bool colorOf(const std::wstring& text, std::wstring& color) {
    double v = 0.0;
    if (OptTrim(text).empty()) {
        color = L"7";
        return true;
    }
    if (!ParseFieldNumber(text, true, 0.0, 256.0, v)) return false;
    color = host::FormatW(L"%d", static_cast<int>(v));
    return true;
}

bool isScaleText(const std::wstring& text) {
    if (text == std::wstring(LoadStr(IDS_OPT_ANNO_SCALE)) || OptEqualNoCase(text, L"AnnoScale"))
        return true;
    const std::size_t colon = text.find(L':');
    double a = 0.0, b = 0.0;
    if (colon == std::wstring::npos) return ParseFieldNumber(text, false, 1.0e-6, kMaxLength, a);
    return ParseFieldNumber(text.substr(0, colon), false, 1.0e-6, kMaxLength, a) &&
           ParseFieldNumber(text.substr(colon + 1), false, 1.0e-6, kMaxLength, b);
}

std::wstring keyOf(const std::wstring& item) {
    std::wstring key, rest;
    return SplitKeyValue(item, key, rest) ? OptTrim(key) : OptTrim(item);
}

void tellBadRow(const std::wstring& what) {
    MsgBoxFmt(LoadStr(IDS_OPT_BAD_ROW), what.c_str());
}

// The lists of the "Listen" page: the palette's distances and extension lengths (the
// text mode has no extension lines), the layers' default colours, and the formats the
// alternate units offer (a general list, the same in every mode).
constexpr const wchar_t* kAltFormatList = L"AltFormatList";
constexpr const wchar_t* kLayerColors = L"Layer2DefaultColor";

std::vector<std::wstring> listNames(int dlgMode) {
    if (dlgMode == OPT_DLG_TEXT) return {L"DimLinesDistance", kLayerColors, kAltFormatList};
    return {L"DimLinesDistance", L"ExtLineLength", kLayerColors, kAltFormatList};
}

std::wstring joinFormats(const std::vector<std::wstring>& items) {
    std::wstring out;
    for (const std::wstring& item : items)
        out += (out.empty() ? L"" : L",") + item;
    return out;
}

} // namespace

bool MakeScaleRow(const std::wstring& scale, const std::wstring& layer, const std::wstring& color,
                  std::wstring& item) {
    const std::wstring s = OptTrim(scale), l = OptTrim(layer);
    std::wstring c;
    const bool unknown = s == std::wstring(LoadStr(IDS_OPT_UNKNOWN_SCALE));
    if (s.empty() || (!unknown && !isScaleText(s)) || s.find(L'=') != std::wstring::npos) return false;
    if (l.empty() || l.size() > 255 || l.find_first_of(kLayerRefused) != std::wstring::npos) return false;
    if (!colorOf(color, c)) return false;
    item = s + L"=" + l + L"=" + c;
    return true;
}

bool MakeHeightRow(const std::wstring& height, const std::wstring& color, std::wstring& item) {
    const std::wstring h = OptTrim(height);
    std::wstring c;
    double v = 0.0;
    const bool trueType = OptEqualNoCase(h, L"TrueType");
    if (!trueType && !ParseFieldNumber(h, false, 1.0e-6, kMaxLength, v)) return false;
    if (!colorOf(color, c)) return false;
    item = (trueType ? std::wstring(L"TrueType") : FormatOptDouble(v)) + L"=" + c;
    return true;
}

bool MakeListEntry(const std::wstring& list, const std::wstring& text, std::wstring& entry) {
    if (OptEqualNoCase(list, kLayerColors)) {
        std::wstring layer, color;
        if (!SplitKeyValue(text, layer, color)) return false;
        layer = OptTrim(layer);
        if (layer.empty() || layer.size() > 255 || layer.find_first_of(kLayerRefused) != std::wstring::npos)
            return false;
        if (OptTrim(color).empty() || !colorOf(color, color)) return false;
        entry = layer + L"=" + color;
        return true;
    }
    if (OptEqualNoCase(list, kAltFormatList)) {
        // A format shows the value where its "#" stands; a comma would split the list.
        if (text.find(L'#') == std::wstring::npos || text.find_first_of(L",\r\n") != std::wstring::npos) return false;
        entry = text;
        return true;
    }
    double v = 0.0;
    if (!ParseFieldNumber(text, false, 1.0e-6, kMaxLength, v)) return false;
    entry = FormatOptDouble(v);
    return true;
}

std::vector<std::wstring> SplitFormatList(const std::wstring& list) {
    std::vector<std::wstring> out;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t comma = std::min(list.find(L',', start), list.size());
        const std::wstring item = list.substr(start, comma - start);
        if (!OptTrim(item).empty()) out.push_back(item);
        start = comma + 1;
    }
    return out;
}

void PutRow(std::vector<std::wstring>& items, const std::wstring& item) {
    const std::wstring key = keyOf(item);
    for (std::wstring& existing : items)
        if (OptEqualNoCase(keyOf(existing), key)) {
            existing = item;
            return;
        }
    items.push_back(item);
}

COptTablePage::COptTablePage(UINT nIDTemplate, OptionDraft& draft, const int& dlgMode, const wchar_t* base)
    : COptPageBase(nIDTemplate, draft, dlgMode), m_base(base) {}

void COptTablePage::fillList() {
    auto* list = dynamic_cast<CListBox*>(GetDlgItem(listId()));
    if (!list) return;
    list->ResetContent();
    for (const std::wstring& item : m_items)
        list->AddString(item.c_str());
}

void COptTablePage::show() {
    m_items = m_draft.List(m_mode, m_base);
    fillList();
    fieldsFromRow(L"");
}

bool COptTablePage::take() {
    if (m_items != m_draft.List(m_mode, m_base)) m_draft.SetList(m_mode, m_base, m_items);
    return true;
}

BOOL COptTablePage::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    auto* list = dynamic_cast<CListBox*>(GetDlgItem(listId()));
    if (id == listId() && HIWORD(wParam) == LBN_SELCHANGE && list) {
        std::wstring item;
        if (list->GetCurSel() >= 0) list->GetText(list->GetCurSel(), item);
        fieldsFromRow(item);
        return TRUE;
    }
    if (HIWORD(wParam) != BN_CLICKED) return COptPageBase::OnCommand(wParam, lParam);
    if (id == addId()) {
        std::wstring item;
        if (rowFromFields(item)) {
            PutRow(m_items, item);
            fillList();
        }
        return TRUE;
    }
    if (id == removeId() && list) {
        const int sel = list->GetCurSel();
        if (sel >= 0 && sel < static_cast<int>(m_items.size())) {
            m_items.erase(m_items.begin() + sel);
            fillList();
            fieldsFromRow(L"");
        }
        return TRUE;
    }
    return COptPageBase::OnCommand(wParam, lParam);
}

COptPage3::COptPage3(OptionDraft& draft, const int& dlgMode)
    : COptTablePage(IDD_OPT_PAGE_SCALE, draft, dlgMode, L"Scale2Layer") {}

void COptPage3::show() {
    COptTablePage::show();
    SetDlgItemText(IDC_OPT_PAPER_SCALE, m_draft.general[IND_OPT_S_ScalePaperSpace].c_str());
}

bool COptPage3::take() {
    std::wstring paper;
    GetDlgItemText(IDC_OPT_PAPER_SCALE, paper);
    paper = OptTrim(paper);
    if (!isScaleText(paper)) {
        MsgBoxFmt(LoadStr(IDS_OPT_BAD_VALUE), LoadStr(IDS_OPT_PAPER_SCALE_NAME), paper.c_str());
        return false;
    }
    m_draft.general[IND_OPT_S_ScalePaperSpace] = paper;
    return COptTablePage::take();
}

bool COptPage3::rowFromFields(std::wstring& item) {
    std::wstring scale, layer, color;
    GetDlgItemText(IDC_OPT_SCALE_KEY, scale);
    GetDlgItemText(IDC_OPT_SCALE_LAYER, layer);
    GetDlgItemText(IDC_OPT_SCALE_COLOR, color);
    if (MakeScaleRow(scale, layer, color, item)) return true;
    tellBadRow(scale + L"=" + layer + L"=" + color);
    return false;
}

void COptPage3::fieldsFromRow(const std::wstring& item) {
    std::wstring scale, rest, layer, color;
    if (SplitKeyValue(item, scale, rest) && !SplitKeyValue(rest, layer, color)) layer = rest;
    SetDlgItemText(IDC_OPT_SCALE_KEY, scale.c_str());
    SetDlgItemText(IDC_OPT_SCALE_LAYER, layer.c_str());
    SetDlgItemText(IDC_OPT_SCALE_COLOR, color.c_str());
}

int COptPage3::listId() const {
    return IDC_OPT_SCALE_LIST;
}
int COptPage3::addId() const {
    return IDC_OPT_SCALE_ADD;
}
int COptPage3::removeId() const {
    return IDC_OPT_SCALE_REMOVE;
}

COptPage2::COptPage2(OptionDraft& draft, const int& dlgMode)
    : COptTablePage(IDD_OPT_PAGE_HEIGHT, draft, dlgMode, L"TextHeight2Color") {}

bool COptPage2::rowFromFields(std::wstring& item) {
    std::wstring height, color;
    GetDlgItemText(IDC_OPT_HEIGHT_KEY, height);
    GetDlgItemText(IDC_OPT_HEIGHT_COLOR, color);
    if (MakeHeightRow(height, color, item)) return true;
    tellBadRow(height + L"=" + color);
    return false;
}

void COptPage2::fieldsFromRow(const std::wstring& item) {
    std::wstring height, color;
    SplitKeyValue(item, height, color);
    SetDlgItemText(IDC_OPT_HEIGHT_KEY, height.c_str());
    SetDlgItemText(IDC_OPT_HEIGHT_COLOR, color.c_str());
}

int COptPage2::listId() const {
    return IDC_OPT_HEIGHT_LIST;
}
int COptPage2::addId() const {
    return IDC_OPT_HEIGHT_ADD;
}
int COptPage2::removeId() const {
    return IDC_OPT_HEIGHT_REMOVE;
}

COptPage1::COptPage1(OptionDraft& draft, const int& dlgMode)
    : COptPageBase(IDD_OPT_PAGE_LISTS, draft, dlgMode) {}

std::wstring COptPage1::chosenList() const {
    std::wstring name;
    GetDlgItemText(IDC_OPT_LIST_CHOICE, name);
    return name;
}

void COptPage1::fillEntries() {
    const std::wstring name = chosenList();
    if (name.empty())
        m_entries.clear();
    else if (name == kAltFormatList)
        m_entries = SplitFormatList(m_draft.general[IND_OPT_S_AltFormatList]);
    else
        m_entries = m_draft.List(m_mode, name);
    if (auto* list = dynamic_cast<CListBox*>(GetDlgItem(IDC_OPT_LIST_ENTRIES))) {
        list->ResetContent();
        for (const std::wstring& e : m_entries)
            list->AddString(e.c_str());
    }
}

void COptPage1::show() {
    auto* combo = dynamic_cast<CComboBox*>(GetDlgItem(IDC_OPT_LIST_CHOICE));
    if (!combo) return;
    const std::wstring before = chosenList();
    combo->ResetContent();
    for (const std::wstring& name : listNames(m_mode))
        combo->AddString(name.c_str());
    const int keep = combo->FindStringExact(-1, before.c_str());
    combo->SetCurSel(keep >= 0 ? keep : 0);
    fillEntries();
}

bool COptPage1::take() {
    const std::wstring name = chosenList();
    if (name == kAltFormatList)
        m_draft.general[IND_OPT_S_AltFormatList] = joinFormats(m_entries);
    else if (!name.empty() && m_entries != m_draft.List(m_mode, name))
        m_draft.SetList(m_mode, name, m_entries);
    return true;
}

void COptPage1::saveList() {
    const std::wstring name = chosenList();
    if (!pGlobDimOptions || name.empty()) return;
    if (name == kAltFormatList) {
        const std::wstring list = joinFormats(m_entries);
        pGlobDimOptions->arrayOptGeneral[IND_OPT_S_AltFormatList] = list;
        pGlobDimOptions->SetOptValue(OPT_TYPE_GENERAL, IND_OPT_S_AltFormatList, list);
        SaveAllIniBuffers();
        return;
    }
    SaveSection(m_entries, CGlobDimOptions::GetSectionName(OptionModeOfDialogMode(m_mode), name),
                pGlobDimOptions->CurOptionsFile);
}

void COptPage1::addEntry() {
    std::wstring text, entry;
    GetDlgItemText(IDC_OPT_LIST_ENTRY, text);
    if (!MakeListEntry(chosenList(), text, entry)) {
        tellBadRow(text);
        return;
    }
    if (std::find(m_entries.begin(), m_entries.end(), entry) == m_entries.end()) m_entries.push_back(entry);
    take();
    fillEntries();
    SetDlgItemText(IDC_OPT_LIST_ENTRY, L"");
}

BOOL COptPage1::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    if (id == IDC_OPT_LIST_CHOICE && HIWORD(wParam) == CBN_SELCHANGE) {
        fillEntries();
        return TRUE;
    }
    if (HIWORD(wParam) != BN_CLICKED) return COptPageBase::OnCommand(wParam, lParam);
    auto* list = dynamic_cast<CListBox*>(GetDlgItem(IDC_OPT_LIST_ENTRIES));
    switch (id) {
    case IDC_OPT_LIST_ADD:
        addEntry();
        return TRUE;
    case IDC_OPT_LIST_REMOVE:
        if (list && list->GetCurSel() >= 0 && list->GetCurSel() < static_cast<int>(m_entries.size()))
            m_entries.erase(m_entries.begin() + list->GetCurSel());
        take();
        fillEntries();
        return TRUE;
    case IDC_OPT_LIST_REMOVE_ALL:
        m_entries.clear();
        take();
        fillEntries();
        return TRUE;
    case IDC_OPT_LIST_SAVE:
        take();
        saveList();
        return TRUE;
    default:
        return COptPageBase::OnCommand(wParam, lParam);
    }
}
