#include "module/ui/CDlgReplacePath.h"

#include "host/win/FormatW.h"
#include "module/base/LanguageModule.h"
#include "module/base/LintaroLog.h"
#include "module/replace/LinkPathReplace.h"
#include "module/replace/ReplaceSettings.h"
#include "module/resources/ReplaceResources.h"
#include "module/services/DbServices.h"
#include "module/services/DocLocks.h"
#include "module/ui/FileChooser.h"
#include "module/ui/ReplaceDialogs.h"

CDlgReplacePath::CDlgReplacePath() : CDialog(IDD_DLG_REPLACE_PATH) {}

BOOL CDlgReplacePath::OnInitDialog() {
    CDialog::OnInitDialog();
    const LinkedMarks linked = CollectLinkedMarks(acdbCurDwg());
    m_ids = linked.ids;
    FillReplaceCombo(this, IDC_RPP_SEARCH, linked.offers);
    std::wstring info;
    GetDlgItemText(IDC_RPP_INFO, info);
    SetDlgItemText(IDC_RPP_INFO, host::FormatW(L"%s -> %dx", info.c_str(), m_ids.length()).c_str());
    FillReplaceCombo(this, IDC_RPP_REPLACEMENT, LoadReplacementList(kDlgReplacePathSection));
    return TRUE;
}

BOOL CDlgReplacePath::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == IDC_RPP_BROWSE && HIWORD(wParam) == BN_CLICKED) {
        std::wstring current, chosen;
        GetDlgItemText(IDC_RPP_REPLACEMENT, current);
        if (ChooseDrawingFile(current, chosen)) SetDlgItemText(IDC_RPP_REPLACEMENT, chosen.c_str());
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CDlgReplacePath::OnOK() {
    std::wstring search, replacement;
    GetDlgItemText(IDC_RPP_SEARCH, search);
    GetDlgItemText(IDC_RPP_REPLACEMENT, replacement);
    FillReplaceCombo(this, IDC_RPP_REPLACEMENT, RememberReplacementIn(kDlgReplacePathSection, replacement));
    SetDlgItemText(IDC_RPP_REPLACEMENT, replacement.c_str());
    {
        CDbLockScope lock(acdbCurDwg(), L"CDlgReplacePath");
        m_replaced = ReplaceLinkPaths(m_ids, search, replacement);
    }
    if (m_replaced > 0) MsgBoxFmt(LoadStr(IDS_RPL_REPLACED_COUNT), m_replaced);
    DwgRefresh();
    CDialog::OnOK();
}

void OpenDlgReplacePath() {
    // The template comes from the language module when one is loaded.
    CTemporaryResourceOverride resources;
    CDlgReplacePath dlg;
    dlg.DoModal();
}
