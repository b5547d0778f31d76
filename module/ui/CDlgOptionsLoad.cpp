#include "module/ui/CDlgOptionsLoad.h"

#include "host/mfc/CComboBox.h"
#include "host/mfc/CFileDialog.h"
#include "module/base/LanguageModule.h"
#include "module/base/LintaroLog.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/OptStrings.h"
#include "module/options/OptionDefaults.h"
#include "module/options/OptionFiles.h"
#include "module/resources/OptionResources.h"
#include "module/ui/CDlgMain.h"
#include "module/ui/CDlgOption.h"
#include "module/ui/PaletteApp.h"

CDlgOptionsLoad::CDlgOptionsLoad(CWnd* pParent) : CDialog(IDD_DLG_OPTIONS_LOAD, pParent) {}

BOOL CDlgOptionsLoad::OnInitDialog() {
    CDialog::OnInitDialog();
    fillList(L"");
    return TRUE;
}

void CDlgOptionsLoad::fillList(const std::wstring& select) {
    auto* combo = dynamic_cast<CComboBox*>(GetDlgItem(IDC_OPF_FILES));
    if (!combo || !pGlobDimOptions) return;
    std::vector<std::wstring> files;
    LoadOptionsFiles(files);
    m_files.clear();
    for (const std::wstring& f : files)
        if (!f.empty()) m_files.push_back(f);
    combo->ResetContent();
    for (const std::wstring& f : m_files)
        combo->AddString(f.c_str());
    const std::wstring wanted = select.empty() ? pGlobDimOptions->CurOptionsFile : select;
    int index = 0;
    for (std::size_t i = 0; i < m_files.size(); ++i)
        if (OptEqualNoCase(m_files[i], wanted)) index = static_cast<int>(i);
    combo->SetCurSel(m_files.empty() ? -1 : index);
}

std::wstring CDlgOptionsLoad::selected() const {
    auto* combo = dynamic_cast<CComboBox*>(GetDlgItem(IDC_OPF_FILES));
    const int sel = combo ? combo->GetCurSel() : -1;
    return sel >= 0 && sel < static_cast<int>(m_files.size()) ? m_files[static_cast<std::size_t>(sel)]
                                                              : std::wstring();
}

void CDlgOptionsLoad::onBrowse() {
    const std::wstring filter = std::wstring(LoadStr(IDS_INI_FILE_FILTER));
    CFileDialog chooser(TRUE, L"INI", L"*.ini", OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, filter.c_str(), this);
    if (chooser.DoModal() != IDOK) return;
    const std::wstring path = chooser.GetPathName();
    // A missing or invalid file is refused with its message; a good one is in use at once.
    if (!AddOptionsFile(path)) return;
    fillList(path);
}

void CDlgOptionsLoad::onRemove() {
    const std::wstring path = selected();
    if (path.empty() || !RemoveOptionsFile(path)) return;
    fillList(L"");
}

void CDlgOptionsLoad::onProperties() {
    if (!pGlobDimOptions) return;
    const std::wstring chosen = selected();
    if (!chosen.empty() && !OptEqualNoCase(chosen, pGlobDimOptions->CurOptionsFile) &&
        !UseOptionsFile(chosen))
        return;
    OpenDlgOption(this);
    // "Save as..." may have switched files: show the one in use now.
    fillList(pGlobDimOptions ? pGlobDimOptions->CurOptionsFile : std::wstring());
}

void CDlgOptionsLoad::OnOK() {
    const std::wstring chosen = selected();
    if (!chosen.empty() && pGlobDimOptions && !OptEqualNoCase(chosen, pGlobDimOptions->CurOptionsFile) &&
        !UseOptionsFile(chosen))
        return;
    if (dlgMyApp) dlgMyApp->AdjustMode(dlgMyApp->m_iCurrentMode);
    EndDialog(IDOK);
}

BOOL CDlgOptionsLoad::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
        case IDC_OPF_BROWSE:
            onBrowse();
            return TRUE;
        case IDC_OPF_REMOVE:
            onRemove();
            return TRUE;
        case IDC_OPF_PROPERTIES:
            onProperties();
            return TRUE;
        default:
            break;
        }
    }
    return CDialog::OnCommand(wParam, lParam);
}

bool OpenDlgOptionsLoad() {
    if (!pGlobDimOptions) return false;
    LogMsg(L"\nOpenDlgOptionsLoad 1 ");
    bool ok = false;
    {
        CTemporaryResourceOverride resources;
        CDlgOptionsLoad dlg;
        ok = dlg.DoModal() == IDOK;
    }
    LogMsg(L"\nOpenDlgOptionsLoad 2 ");
    return ok;
}
