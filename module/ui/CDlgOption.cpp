#include "module/ui/CDlgOption.h"

#include "host/ed/acutPrintf.h"
#include "host/mfc/CComboBox.h"
#include "host/mfc/CFileDialog.h"
#include "host/win/FormatW.h"
#include "host/win/WinFiles.h"
#include "module/app/OptionsDialogPort.h"
#include "module/base/LanguageModule.h"
#include "module/base/LintaroLog.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/IniStorage.h"
#include "module/options/OptStrings.h"
#include "module/options/OptionDefaults.h"
#include "module/options/OptionFiles.h"
#include "module/resources/OptionResources.h"
#include "module/ui/CDlgMain.h"
#include "module/ui/PaletteApp.h"

#include <algorithm>

namespace {

constexpr int kPageCount = 6;

// The file "Save as..." starts at: the options file in use, else the default name.
std::wstring startFile(const CGlobDimOptions& options) {
    if (!options.CurOptionsFile.empty()) return options.CurOptionsFile;
    return GetSettingsFolder() + L"lintaro.ini";
}

bool isReadOnly(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

} // namespace

std::wstring ShortenTitlePath(const std::wstring& path, std::size_t maxLength) {
    if (path.size() <= maxLength) return path;
    const std::size_t cut = path.find_last_of(L"/\\");
    if (cut == std::wstring::npos) return path;
    const std::wstring name = path.substr(cut + 1);
    const std::size_t room = maxLength > name.size() + 4 ? maxLength - name.size() - 4 : 8;
    return path.substr(0, std::min(room, cut)) + L"..." + path[cut] + name;
}

CDlgOption::CDlgOption(CGlobDimOptions& options, CWnd* pParent)
    : CDialog(IDD_DLG_OPTION, pParent), m_options(options), m_draft(options),
      m_mode(DialogModeOfOptionMode(options.m_iMode)), m_geometry(m_draft, m_mode), m_text(m_draft, m_mode),
      m_scale(m_draft, m_mode), m_height(m_draft, m_mode), m_convert(m_draft, m_mode),
      m_lists(m_draft, m_mode) {}

CDlgOption::~CDlgOption() = default;

BOOL CDlgOption::OnInitDialog() {
    CDialog::OnInitDialog();
    const std::wstring title = std::wstring(LoadStr(IDS_OPT_TITLE));
    SetWindowText(host::FormatW(title.c_str(), ShortenTitlePath(m_options.CurOptionsFile).c_str()).c_str());
    if (auto* combo = dynamic_cast<CComboBox*>(GetDlgItem(IDC_OPT_MODE))) {
        // The modes' names in the language in use, in the order of the dialog's modes.
        combo->ResetContent();
        for (UINT name : {IDS_OPT_MODE_LINEAR, IDS_OPT_MODE_HEIGHT, IDS_OPT_MODE_TEXT})
            combo->AddString(LoadStr(name));
        combo->SetCurSel(m_mode);
    }
    for (CPropertyPage* page : std::initializer_list<CPropertyPage*>{&m_geometry, &m_text, &m_scale,
                                                                     &m_height, &m_convert, &m_lists})
        m_sheet.AddPage(page);
    const int page = GetIniGeneralInt(L"OptionsActivePage");
    m_sheet.SetActivePage(page >= 0 && page < kPageCount ? page : 0);
    m_sheet.Create(this, WS_CHILD | WS_VISIBLE);
    RECT area{};
    if (CWnd* frame = GetDlgItem(IDC_OPT_PAGE_AREA)) frame->GetWindowRect(&area);
    m_sheet.MoveWindow(&area);
    if (!mayEdit()) {
        for (int id : {IDOK, IDC_OPT_SAVE_AS})
            if (CWnd* button = GetDlgItem(id)) button->EnableWindow(FALSE);
    }
    return TRUE;
}

bool CDlgOption::mayEdit() const {
    return !m_options.m_bNoEditableParams;
}

bool CDlgOption::takePages() {
    COptPageBase* pages[] = {&m_geometry, &m_text, &m_scale, &m_height, &m_convert, &m_lists};
    // The page the user looks at first: its message is the one that makes sense.
    if (auto* active = dynamic_cast<COptPageBase*>(m_sheet.GetActivePage()); active && !active->TakeMode())
        return false;
    for (COptPageBase* page : pages) {
        if (page->TakeMode()) continue;
        m_sheet.SetActivePage(page);
        return false;
    }
    return true;
}

void CDlgOption::showPages() {
    for (COptPageBase* page : {static_cast<COptPageBase*>(&m_geometry), static_cast<COptPageBase*>(&m_text),
                               static_cast<COptPageBase*>(&m_scale), static_cast<COptPageBase*>(&m_height),
                               static_cast<COptPageBase*>(&m_convert), static_cast<COptPageBase*>(&m_lists)})
        page->ShowMode();
}

void CDlgOption::onModeChange() {
    auto* combo = dynamic_cast<CComboBox*>(GetDlgItem(IDC_OPT_MODE));
    if (!combo) return;
    const int wanted = combo->GetCurSel();
    if (wanted < 0 || wanted >= OPT_DLG_MODE_COUNT || wanted == m_mode) return;
    // What was typed for the mode shown stays in the draft; a wrong entry keeps the mode.
    if (!takePages()) {
        combo->SetCurSel(m_mode);
        return;
    }
    m_mode = wanted;
    showPages();
    LogFmt(L"\nCDlgOption: mode %d ", m_mode);
}

void CDlgOption::save() {
    SetIniGeneralInt(L"OptionsActivePage", std::max(0, m_sheet.GetActiveIndex()));
    SetIniGeneralInt(L"OptionsActiveMode", m_mode);
    m_options.m_bNoWrite = false;
    m_draft.Commit(m_options);
    if (dlgMyApp) dlgMyApp->AdjustMode(dlgMyApp->m_iCurrentMode);
}

void CDlgOption::OnOK() {
    if (!mayEdit()) {
        MsgBox(LoadStr(IDS_OPT_NOT_EDITABLE));
        return;
    }
    if (!takePages()) return;
    save();
    EndDialog(IDOK);
}

void CDlgOption::onSaveAs() {
    if (!mayEdit() || !takePages()) return;
    const std::wstring filter = std::wstring(LoadStr(IDS_INI_FILE_FILTER));
    const std::wstring start = startFile(m_options);
    CFileDialog chooser(FALSE, L"INI", start.c_str(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter.c_str(),
                        this);
    if (chooser.DoModal() != IDOK) return;
    const std::wstring target = chooser.GetPathName();
    if (target.empty()) return;
    if (isReadOnly(target)) {
        MsgBoxFmt(LoadStr(IDS_OPT_READ_ONLY),
                  target.c_str());
        return;
    }
    const std::wstring current = m_options.CurOptionsFile;
    if (!OptEqualNoCase(target, current)) {
        // The copy must hold what is still buffered of the current file.
        SaveAllIniBuffers();
        if (!CopyFileW(current.c_str(), target.c_str(), FALSE)) {
            MsgBoxFmt(
                LoadStr(IDS_OPT_COPY_FAILED),
                current.c_str(), target.c_str());
            return;
        }
        if (!UseOptionsFile(target)) return;
    }
    save();
    EndDialog(IDR_OPTIONS_SAVED_AS);
}

BOOL CDlgOption::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    if (id == IDC_OPT_MODE && HIWORD(wParam) == CBN_SELCHANGE) {
        onModeChange();
        return TRUE;
    }
    if (id == IDC_OPT_SAVE_AS && HIWORD(wParam) == BN_CLICKED) {
        onSaveAs();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

bool OpenDlgOption(CWnd* pParent) {
    if (!pGlobDimOptions) return false;
    // A palette that shows a selection blocks every option write: give it its mode back.
    if (pGlobDimOptions->m_bNoWrite && dlgMyApp) dlgMyApp->AdjustMode(dlgMyApp->m_iCurrentMode);
    LogMsg(L"\nCDlgOption ");
    // The dialog and its pages come from the language module when one is in use.
    CTemporaryResourceOverride resources;
    CDlgOption dlg(*pGlobDimOptions, pParent);
    const INT_PTR result = dlg.DoModal();
    return result == IDOK || result == IDR_OPTIONS_SAVED_AS;
}

void OpenOptionsDialog() {
    if (!OpenDlgOption(nullptr) && !pGlobDimOptions) acutPrintf(LoadStr(IDS_OPT_NO_OPTIONS));
}
