// The options dialog's pages of single values: "Geometrie", "Text" and "Konvert".
#include "module/base/LintaroLog.h"
#include "module/options/OptionIndices.h"
#include "module/resources/OptionResources.h"
#include "module/ui/CDlgAutoPosOrder.h"
#include "module/ui/COptPages.h"
#include "module/ui/OptionFields.h"

#include "host/mfc/CComboBox.h"

namespace {

// The formats the alternate units offer: the general list "AltFormatList".
void fillAltFormats(CWnd& page, const std::wstring& list) {
    auto* combo = dynamic_cast<CComboBox*>(page.GetDlgItem(IDC_OPT_ALT_FORMAT));
    if (!combo) return;
    combo->ResetContent();
    for (const std::wstring& item : SplitFormatList(list))
        if (combo->FindStringExact(-1, item.c_str()) < 0) combo->AddString(item.c_str());
}

const int kConvertIds[] = {IDC_OPT_CNV_EXPLODE_HDIM, IDC_OPT_CNV_EXPLODE_DIM, IDC_OPT_CNV_ASSOCIATIVE,
                           IDC_OPT_CNV_KEEP_TEXT,    IDC_OPT_CNV_KEEP_POS,    IDC_OPT_CNV_ALL_DWG,
                           IDC_OPT_CNV_READ_BLOCKS};

} // namespace

BOOL COptPageBase::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    show();
    return TRUE;
}

COptPage4::COptPage4(OptionDraft& draft, const int& dlgMode)
    : COptPageBase(IDD_OPT_PAGE_GEOMETRY, draft, dlgMode) {}

void COptPage4::show() {
    ShowFields(*this, GeometryFields(), m_draft, m_mode);
}

bool COptPage4::take() {
    return TakeFields(*this, GeometryFields(), m_draft, m_mode);
}

COptPage6::COptPage6(OptionDraft& draft, const int& dlgMode)
    : COptPageBase(IDD_OPT_PAGE_TEXT, draft, dlgMode) {}

void COptPage6::show() {
    fillAltFormats(*this, m_draft.general[IND_OPT_S_AltFormatList]);
    ShowFields(*this, TextFields(), m_draft, m_mode);
}

bool COptPage6::take() {
    return TakeFields(*this, TextFields(), m_draft, m_mode);
}

BOOL COptPage6::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == IDC_OPT_AUTO_POSITION_ORDER && HIWORD(wParam) == BN_CLICKED) {
        CDlgAutoPosOrder dlg(this);
        if (dlg.DoModal() == IDOK && !dlg.m_strOrder.empty()) {
            m_draft.general[IND_OPT_S_AutoPosLocationOrder] = dlg.m_strOrder;
            LogFmt(L"\nAutoPosLocationOrder=%s ", dlg.m_strOrder.c_str());
        }
        return TRUE;
    }
    return COptPageBase::OnCommand(wParam, lParam);
}

COptPage5::COptPage5(OptionDraft& draft, const int& dlgMode)
    : COptPageBase(IDD_OPT_PAGE_CONVERT, draft, dlgMode) {}

void COptPage5::show() {
    const std::vector<std::wstring>& keys = ConvertKeys();
    for (std::size_t i = 0; i < keys.size() && i < std::size(kConvertIds); ++i)
        CheckDlgButton(kConvertIds[i], m_draft.convert[keys[i]] ? BST_CHECKED : BST_UNCHECKED);
}

bool COptPage5::take() {
    const std::vector<std::wstring>& keys = ConvertKeys();
    for (std::size_t i = 0; i < keys.size() && i < std::size(kConvertIds); ++i)
        m_draft.convert[keys[i]] = IsDlgButtonChecked(kConvertIds[i]) == BST_CHECKED ? 1 : 0;
    // The conversion's associative switch is also the general flag the chains read.
    m_draft.flags[IND_OPT_B_AcadDimAssociative] = m_draft.convert[L"Associative"];
    return true;
}
