#include "module/ui/CDlgAppendText.h"

#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/entities/AcDbMText.h"
#include "host/db/entities/AcDbText.h"
#include "host/ed/acutPrintf.h"
#include "host/ed/selection/acedEntSel.h"
#include "host/rx/acutString.h"
#include "host/rx/adscodes.h"
#include "module/base/LintaroLog.h"
#include "module/chain/NumberText.h"
#include "module/resources/ContextMenuResources.h"
#include "module/resources/resource.h"

namespace {

// A multiline text's paragraphs become one line: an appended text is one line.
std::wstring OneLine(std::wstring text) {
    for (wchar_t& c : text)
        if (c == L'\r' || c == L'\n') c = L' ';
    std::wstring out;
    for (wchar_t c : text)
        if (!(c == L' ' && !out.empty() && out.back() == L' ')) out += c;
    return out;
}

} // namespace

bool ReadDrawingText(AcDbObjectId id, std::wstring& text) {
    AcDbEntity* entity = nullptr;
    if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk) return false;
    wchar_t* raw = nullptr;
    if (AcDbText* single = AcDbText::cast(entity)) raw = single->textString();
    else if (AcDbMText* multi = AcDbMText::cast(entity)) raw = multi->text();
    entity->close();
    if (!raw) return false;
    text = OneLine(raw);
    acutDelString(raw);
    return true;
}

CDlgAppendText::CDlgAppendText(CWnd* pParent) : CDialog(IDD_DLG_APPEND_TEXT, pParent) {}

AppendingText CDlgAppendText::Edited(const AppendingText& record, const std::wstring& text, bool ownGrip) {
    AppendingText edited = record;
    edited.m_strText = text;
    edited.m_dValue = ParseDisplayNumber(text);
    edited.m_iAutoPos = ownGrip ? 0 : 1;
    return edited;
}

BOOL CDlgAppendText::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_APPEND_TEXT_EDIT, m_record.m_strText.c_str());
    SetDlgItemText(IDC_APPEND_TEXT_INFO, m_strInfo.c_str());
    CheckDlgButton(IDC_APPEND_TEXT_OWN_GRIP, m_record.m_iAutoPos == 0 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_APPEND_TEXT_ERASE, BST_UNCHECKED);
    // Erasing needs a picked text first.
    if (CWnd* erase = GetDlgItem(IDC_APPEND_TEXT_ERASE)) erase->EnableWindow(FALSE);
    return TRUE;
}

BOOL CDlgAppendText::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == IDC_APPEND_TEXT_PICK) {
        OnPickText();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CDlgAppendText::OnPickText() {
    ShowWindow(SW_HIDE);
    ads_name ent;
    ads_point pt;
    AcDbObjectId id;
    std::wstring text;
    if (acedEntSel(std::wstring(LoadStr(IDS_PROMPT_SELECT_TEXT)).c_str(), ent, pt) == RTNORM &&
        acdbGetObjectId(id, ent) == Acad::eOk) {
        if (ReadDrawingText(id, text)) {
            m_pickedText = id;
            SetDlgItemText(IDC_APPEND_TEXT_EDIT, text.c_str());
            if (CWnd* erase = GetDlgItem(IDC_APPEND_TEXT_ERASE)) erase->EnableWindow(TRUE);
        } else {
            acutPrintf(L"%s", LoadStr(IDS_NO_TEXT_PICKED));
        }
    }
    ShowWindow(SW_SHOW);
}

void CDlgAppendText::OnOK() {
    std::wstring text;
    GetDlgItemText(IDC_APPEND_TEXT_EDIT, text);
    if (text.find_first_not_of(L' ') == std::wstring::npos) {
        // An empty appended text would show nothing: the dialog stays for a text or Cancel.
        acutPrintf(L"%s", LoadStr(IDS_APPENDED_TEXT_EMPTY));
        return;
    }
    m_record = Edited(m_record, text, IsDlgButtonChecked(IDC_APPEND_TEXT_OWN_GRIP) == BST_CHECKED);
    if (IsDlgButtonChecked(IDC_APPEND_TEXT_ERASE) == BST_CHECKED && !m_pickedText.isNull()) {
        AcDbEntity* picked = nullptr;
        if (acdbOpenAcDbEntity(picked, m_pickedText, AcDb::kForWrite) == Acad::eOk) {
            picked->erase();
            picked->close();
        }
    }
    CDialog::OnOK();
}
