#include "module/ui/CDlgReplace.h"

#include "module/base/LanguageModule.h"
#include "module/base/LintaroLog.h"
#include "module/options/IniStorage.h"
#include "module/replace/ObjectReplace.h"
#include "module/replace/ReplaceSettings.h"
#include "module/resources/ReplaceResources.h"
#include "module/services/DbServices.h"
#include "module/services/DocLocks.h"
#include "module/services/XDataServices.h"
#include "module/ui/ReplaceDialogs.h"

CDlgReplace::CDlgReplace() : CDialog(IDD_DLG_REPLACE) {}

BOOL CDlgReplace::OnInitDialog() {
    CDialog::OnInitDialog();
    const bool selection = GetIniInt(kDlgReplaceSection, L"rbSelect") == 1;
    CheckRadioButton(IDC_RPL_WHOLE_DRAWING, IDC_RPL_SELECTION,
                     selection ? IDC_RPL_SELECTION : IDC_RPL_WHOLE_DRAWING);
    CheckDlgButton(IDC_RPL_CASE, GetIniInt(kDlgReplaceSection, L"chbCaseSensitive") == 1 ? BST_CHECKED
                                                                                         : BST_UNCHECKED);
    m_ids = CollectChains(acdbCurDwg());
    FillReplaceCombo(this, IDC_RPL_SEARCH, AppendedTextsOf(m_ids));
    FillReplaceCombo(this, IDC_RPL_REPLACEMENT, LoadReplacementList(kDlgReplaceSection));
    return TRUE;
}

void CDlgReplace::OnOK() {
    const bool caseSensitive = IsDlgButtonChecked(IDC_RPL_CASE) == BST_CHECKED;
    const bool selection = IsDlgButtonChecked(IDC_RPL_SELECTION) == BST_CHECKED;
    std::wstring search, replacement;
    GetDlgItemText(IDC_RPL_SEARCH, search);
    GetDlgItemText(IDC_RPL_REPLACEMENT, replacement);
    if (search.empty()) return;
    SetIniInt(kDlgReplaceSection, L"rbSelect", selection ? 1 : 0);
    SetIniInt(kDlgReplaceSection, L"chbCaseSensitive", caseSensitive ? 1 : 0);
    FillReplaceCombo(this, IDC_RPL_REPLACEMENT, RememberReplacementIn(kDlgReplaceSection, replacement));
    SetDlgItemText(IDC_RPL_REPLACEMENT, replacement.c_str());
    if (selection) {
        ShowWindow(SW_HIDE);
        AcDbObjectIdArray picked;
        const int count = SelectEntities(picked, std::wstring(LoadStr(IDS_RPL_SELECT_CHAINS)).c_str(), L"XOTA_LINTARO");
        ShowWindow(SW_SHOW);
        if (count <= 0) return;
        m_ids = picked;
    }
    AcDbDatabase* db = acdbCurDwg();
    {
        CDbLockScope lock(db, L"CDlgReplace");
        m_replaced = ReplaceAppendedTexts(m_ids, search, replacement, caseSensitive);
    }
    if (m_replaced > 0) MsgBoxFmt(LoadStr(IDS_RPL_REPLACED_COUNT), m_replaced);
    DwgRefresh();
    CDialog::OnOK();
}

void OpenDlgReplace() {
    // The template comes from the language module when one is loaded.
    CTemporaryResourceOverride resources;
    CDlgReplace dlg;
    dlg.DoModal();
}
