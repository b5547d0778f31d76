#include "module/ui/CDlgReplaceExternal.h"

#include "module/app/ReplacePort.h"

#include "host/mfc/CComboBox.h"
#include "module/base/FilePaths.h"
#include "module/base/LanguageModule.h"
#include "module/base/LintaroLog.h"
#include "module/options/IniStorage.h"
#include "module/replace/DrawingFileList.h"
#include "module/replace/ReplaceSettings.h"
#include "module/resources/ReplaceResources.h"
#include "module/services/DbServices.h"
#include "module/ui/FileChooser.h"

namespace {

constexpr const wchar_t* kSection = kDlgReplaceExternalSection;

// The sources, as "rbFind" stores them.
constexpr int kSourceMask = 0;
constexpr int kSourceFolder = 1;
constexpr int kSourceOpen = 2;

void setCheck(CWnd* dialog, int id, bool on) {
    dialog->CheckDlgButton(id, on ? BST_CHECKED : BST_UNCHECKED);
}

std::wstring text(const CWnd* dialog, int id) {
    std::wstring value;
    dialog->GetDlgItemText(id, value);
    return value;
}

} // namespace

CDlgReplaceExternal::CDlgReplaceExternal() : CDialog(IDD_DLG_REPLACE_EXTERNAL) {}

BOOL CDlgReplaceExternal::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_RPX_FILE, GetIniString(kSection, L"editFile").c_str());
    SetDlgItemText(IDC_RPX_SEARCH, GetIniString(kSection, L"editFind").c_str());
    SetDlgItemText(IDC_RPX_REPLACEMENT, GetIniString(kSection, L"editReplace").c_str());
    setCheck(this, IDC_RPX_CASE, GetIniInt(kSection, L"chbCaseSensitive") == 1);
    setCheck(this, IDC_RPX_WHOLE, GetIniInt(kSection, L"chbWholeWord") == 1);
    setCheck(this, IDC_RPX_SUBFOLDERS, GetIniInt(kSection, L"chbSubdirs") == 1);
    int type = GetIniString(kSection, L"cbFind").empty() ? kReplaceAll : GetIniInt(kSection, L"cbFind");
    if (type < kReplaceHeightMarks || type > kReplaceAll) type = kReplaceAll;
    if (auto* box = dynamic_cast<CComboBox*>(GetDlgItem(IDC_RPX_TYPE))) box->SetCurSel(type);
    int from = GetIniInt(kSection, L"rbFind");
    if (from < kSourceMask || from > kSourceOpen) from = kSourceMask;
    CheckRadioButton(IDC_RPX_FILES, IDC_RPX_OPEN, IDC_RPX_FILES + from);
    showFileLabel();
    return TRUE;
}

int CDlgReplaceExternal::source() const {
    if (IsDlgButtonChecked(IDC_RPX_FOLDER) == BST_CHECKED) return kSourceFolder;
    if (IsDlgButtonChecked(IDC_RPX_OPEN) == BST_CHECKED) return kSourceOpen;
    return kSourceMask;
}

void CDlgReplaceExternal::showFileLabel() {
    SetDlgItemText(IDC_RPX_FILE_LABEL, LoadStr(source() == kSourceFolder ? IDS_RPL_LABEL_FOLDER : IDS_RPL_LABEL_FILES));
}

void CDlgReplaceExternal::storeSettings() {
    SetIniString(kSection, L"editFile", text(this, IDC_RPX_FILE));
    SetIniString(kSection, L"editFind", text(this, IDC_RPX_SEARCH));
    SetIniString(kSection, L"editReplace", text(this, IDC_RPX_REPLACEMENT));
    SetIniInt(kSection, L"chbCaseSensitive", IsDlgButtonChecked(IDC_RPX_CASE) == BST_CHECKED ? 1 : 0);
    SetIniInt(kSection, L"chbWholeWord", IsDlgButtonChecked(IDC_RPX_WHOLE) == BST_CHECKED ? 1 : 0);
    SetIniInt(kSection, L"chbSubdirs", IsDlgButtonChecked(IDC_RPX_SUBFOLDERS) == BST_CHECKED ? 1 : 0);
    const auto* box = dynamic_cast<const CComboBox*>(GetDlgItem(IDC_RPX_TYPE));
    SetIniInt(kSection, L"cbFind", box && box->GetCurSel() >= 0 ? box->GetCurSel() : kReplaceAll);
    SetIniInt(kSection, L"rbFind", source());
}

void CDlgReplaceExternal::browse() {
    std::wstring chosen;
    const bool picked = source() == kSourceFolder ? ChooseFolder(text(this, IDC_RPX_FILE), chosen)
                                                  : ChooseDrawingFiles(text(this, IDC_RPX_FILE), chosen);
    if (picked) SetDlgItemText(IDC_RPX_FILE, chosen.c_str());
}

BOOL CDlgReplaceExternal::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = static_cast<int>(LOWORD(wParam));
    if (HIWORD(wParam) == BN_CLICKED) {
        if (id == IDC_RPX_FILES || id == IDC_RPX_FOLDER || id == IDC_RPX_OPEN) {
            showFileLabel();
            return TRUE;
        }
        if (id == IDC_RPX_BROWSE) {
            browse();
            return TRUE;
        }
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CDlgReplaceExternal::OnOK() {
    storeSettings();
    ReplaceRule rule;
    rule.search = text(this, IDC_RPX_SEARCH);
    rule.replacement = text(this, IDC_RPX_REPLACEMENT);
    rule.wholeText = IsDlgButtonChecked(IDC_RPX_WHOLE) == BST_CHECKED;
    rule.caseSensitive = IsDlgButtonChecked(IDC_RPX_CASE) == BST_CHECKED;
    const auto* box = dynamic_cast<const CComboBox*>(GetDlgItem(IDC_RPX_TYPE));
    const int types = box && box->GetCurSel() >= 0 ? box->GetCurSel() : kReplaceAll;
    m_counts = ReplaceRunCounts();
    if (source() == kSourceOpen) {
        m_counts = ReplaceInOpenDrawings(rule, types);
    } else {
        const std::wstring field = text(this, IDC_RPX_FILE);
        const std::vector<std::wstring> files = source() == kSourceFolder
                                                    ? DrawingFilesInFolder(field, IsDlgButtonChecked(IDC_RPX_SUBFOLDERS) == BST_CHECKED)
                                                    : DrawingFilesByMask(field);
        if (files.empty()) {
            MsgBox(IDS_RPL_NO_FILE);
            return;
        }
        if (!AskYesNoFmt(LoadStr(IDS_RPL_ASK_CONTINUE), static_cast<int>(files.size())))
            return;
        m_counts = ReplaceInDrawingFiles(files, rule, types);
    }
    DwgRefresh();
    if (m_counts.texts <= 0) {
        MsgBox(IDS_RPL_NOTHING_FOUND);
        return;
    }
    MsgBoxFmt(LoadStr(IDS_RPL_SUMMARY), m_counts.texts, m_counts.objects, m_counts.drawings, m_counts.scanned);
    CDialog::OnOK();
}

void OpenDlgReplaceExternal() {
    // The template comes from the language module when one is loaded.
    CTemporaryResourceOverride resources;
    CDlgReplaceExternal dlg;
    dlg.DoModal();
}
