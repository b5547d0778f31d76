#include "module/ui/CDlgHDbase.h"

#include "host/db/database/AcDbObjectOpen.h"
#include "host/ed/selection/acedEntSel.h"
#include "host/mfc/CButton.h"
#include "host/rx/adscodes.h"
#include "host/win/FormatW.h"
#include "module/base/LintaroLog.h"
#include "module/chain/NumberText.h"
#include "module/height/TRdimHeight.h"
#include "module/options/OptionIndices.h"
#include "module/resources/HeightResources.h"
#include "module/resources/resource.h"
#include "module/services/DbServices.h"

namespace {

int RowBase(int row) { return row == 2 ? IDC_HK_ROW2 : IDC_HK_ROW1; }

std::wstring FieldText(const CWnd* dialog, int id) {
    std::wstring text;
    if (const CWnd* w = dialog->GetDlgItem(id)) w->GetWindowText(text);
    return text;
}

void SetField(CWnd* dialog, int id, const std::wstring& text) {
    if (CWnd* w = dialog->GetDlgItem(id)) w->SetWindowText(text.c_str());
}

bool Checked(const CWnd* dialog, int id) {
    const auto* b = dynamic_cast<const CButton*>(dialog->GetDlgItem(id));
    return b && b->GetCheck() == BST_CHECKED;
}

void SetChecked(CWnd* dialog, int id, bool on) {
    if (auto* b = dynamic_cast<CButton*>(dialog->GetDlgItem(id))) b->SetCheck(on ? BST_CHECKED : BST_UNCHECKED);
}

void Enable(CWnd* dialog, int id, bool on) {
    if (CWnd* w = dialog->GetDlgItem(id)) w->EnableWindow(on ? TRUE : FALSE);
}

// The value as the field shows it: the value text when there is one.
std::wstring ValueField(const HDbaseRow& row) {
    return row.valueText.empty() ? FormatNumber(row.value, 3, true, L".") : row.valueText;
}

// A section mark that a plan mark may follow: not a group base, not a plan mark.
bool IsFollowable(AcDbObjectId id) {
    TRdimHeight* mark = ObjectId2TRdimHeight(id);
    if (!mark) return false;
    const bool ok = !mark->IsPlan() && mark->GetRole() != kHeightRoleBase;
    mark->close();
    return ok;
}

} // namespace

CDlgHDbase::CDlgHDbase(Situation situation, bool plan)
    : CDialog(IDD_DLG_HDBASE), m_situation(situation), m_bPlan(plan) {
    m_rows[1].on = false;
}

void CDlgHDbase::ReadFrom(const TRdimHeight& mark) {
    for (int r = 1; r <= 2; ++r) {
        HDbaseRow& row = m_rows[r - 1];
        row.on = r == 1 || mark.HasSecondRow();
        row.prefix = mark.GetText(r == 2 ? 2 : 0);
        row.suffix = mark.GetText(r == 2 ? 3 : 1);
        row.valueText = mark.GetText(r == 2 ? 5 : 4);
        row.value = r == 2 ? mark.GetHeight2() : mark.GetHeight1();
        row.autoValue = mark.IsPlan() && mark.IsAutoValue(r);
        row.source = row.autoValue ? Handle2ObjectId(mark.database(), mark.GetAutoLink(r)) : AcDbObjectId::kNull;
    }
    m_bFixed = mark.GetRole() == kHeightRoleMark ? mark.GetParamInt(IND_I_HUserText) != 0
                                                 : mark.GetParamInt(IND_I_HDimNoModify) != 0;
}

bool CDlgHDbase::TakesOver(int row) const {
    const HDbaseRow& r = m_rows[row == 2 ? 1 : 0];
    return m_bPlan && r.autoValue && !r.source.isNull() && (row == 1 || m_rows[1].on);
}

BOOL CDlgHDbase::OnInitDialog() {
    CDialog::OnInitDialog();
    const UINT heading = m_situation == kNewBase    ? IDS_HKBASE_HEADING_NEW_BASE
                         : m_situation == kEditBase ? IDS_HKBASE_HEADING_EDIT_BASE
                         : m_bPlan                  ? IDS_HKBASE_HEADING_VALUES_TEXTS
                                                    : IDS_HKBASE_HEADING_TEXTS;
    SetField(this, IDC_HK_HEADING, LoadStr(heading));
    // Links are kept by handle, which a drawing has for good only once it is saved.
    if (m_bPlan && GetCurrentDWGName().empty()) {
        std::wstring note = LoadStr(IDS_HK_AUTOVALUE_AFTER_SAVE);
        for (wchar_t& c : note)
            if (c == L'\n') c = L' ';
        SetField(this, IDC_HK_EXPLANATION, note);
    }
    SetChecked(this, IDC_HK_FIXED, m_bFixed);
    for (int r = 1; r <= 2; ++r) {
        const HDbaseRow& row = m_rows[r - 1];
        const int base = RowBase(r);
        SetChecked(this, base + IDC_HK_OFS_ON, row.on);
        Enable(this, base + IDC_HK_OFS_ON, r == 2);
        SetField(this, base + IDC_HK_OFS_PREFIX, row.prefix);
        SetField(this, base + IDC_HK_OFS_VALUE, ValueField(row));
        SetField(this, base + IDC_HK_OFS_SUFFIX, row.suffix);
        SetChecked(this, base + IDC_HK_OFS_AUTO, row.autoValue);
        // Only plan marks follow section marks.
        Enable(this, base + IDC_HK_OFS_AUTO, m_bPlan);
        Enable(this, base + IDC_HK_OFS_PICK, m_bPlan);
        ShowRow(r);
    }
    return TRUE;
}

void CDlgHDbase::ShowRow(int r) {
    const HDbaseRow& row = m_rows[r - 1];
    const int base = RowBase(r);
    const bool follows = m_bPlan && row.autoValue && !row.source.isNull();
    std::wstring source;
    if (follows) {
        AcDbObject* object = nullptr;
        if (acdbOpenObject(object, row.source, AcDb::kForRead) == Acad::eOk) {
            source = EntityHandleFor(object, acdbCurDwg());
            object->close();
        }
    }
    SetField(this, base + IDC_HK_OFS_SOURCE, source);
    for (int ofs : {IDC_HK_OFS_PREFIX, IDC_HK_OFS_VALUE, IDC_HK_OFS_SUFFIX})
        Enable(this, base + ofs, !follows);
}

void CDlgHDbase::PickSource(int r) {
    ShowWindow(SW_HIDE);
    ads_name ent = {0, 0};
    ads_point pt = {0, 0, 0};
    AcDbObjectId id;
    const bool picked =
        acedEntSel(std::wstring(LoadStr(IDS_PROMPT_SELECT_SECTION_HK)).c_str(), ent, pt) == RTNORM &&
        acdbGetObjectId(id, ent) == Acad::eOk;
    ShowWindow(SW_SHOW);
    if (!picked) return;
    if (!IsFollowable(id)) {
        MsgBox(IDS_NO_SECTION_HK_PICKED);
        return;
    }
    HDbaseRow& row = m_rows[r - 1];
    row.source = id;
    row.autoValue = true;
    SetChecked(this, RowBase(r) + IDC_HK_OFS_AUTO, true);
    if (TRdimHeight* mark = ObjectId2TRdimHeight(id)) {
        row.value = r == 2 ? mark->GetHeight2() : mark->GetHeight1();
        row.prefix = mark->GetText(r == 2 ? 2 : 0);
        row.suffix = mark->GetText(r == 2 ? 3 : 1);
        mark->close();
    }
    SetField(this, RowBase(r) + IDC_HK_OFS_PREFIX, row.prefix);
    SetField(this, RowBase(r) + IDC_HK_OFS_VALUE, ValueField(row));
    SetField(this, RowBase(r) + IDC_HK_OFS_SUFFIX, row.suffix);
    ShowRow(r);
}

BOOL CDlgHDbase::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = static_cast<int>(LOWORD(wParam));
    for (int r = 1; r <= 2; ++r) {
        const int base = RowBase(r);
        if (id == base + IDC_HK_OFS_PICK) {
            PickSource(r);
            return TRUE;
        }
        if (id == base + IDC_HK_OFS_AUTO) {
            m_rows[r - 1].autoValue = Checked(this, id);
            ShowRow(r);
            return TRUE;
        }
    }
    return CDialog::OnCommand(wParam, lParam);
}

bool CDlgHDbase::ReadFields() {
    m_bFixed = Checked(this, IDC_HK_FIXED);
    for (int r = 1; r <= 2; ++r) {
        HDbaseRow& row = m_rows[r - 1];
        const int base = RowBase(r);
        row.on = r == 1 || Checked(this, base + IDC_HK_OFS_ON);
        row.autoValue = Checked(this, base + IDC_HK_OFS_AUTO);
        if (row.autoValue && !row.source.isNull()) continue; // the source's values stand
        row.prefix = FieldText(this, base + IDC_HK_OFS_PREFIX);
        row.suffix = FieldText(this, base + IDC_HK_OFS_SUFFIX);
        const std::wstring value = FieldText(this, base + IDC_HK_OFS_VALUE);
        double number = 0.0;
        if (value.empty() || ParseUserNumber(value, L",", number)) {
            row.value = number;
            row.valueText.clear();
        } else if (m_bPlan && row.on) {
            // A plan mark may show a word instead of a level.
            row.value = 0.0;
            row.valueText = value;
        } else if (row.on) {
            MsgBox(host::FormatW(std::wstring(LoadStr(IDS_HK_VALUE_NOT_NUMBER)).c_str(), r, value.c_str())
                       .c_str());
            return false;
        }
    }
    if (!m_rows[1].on) {
        m_rows[1].valueText.clear();
        m_rows[1].prefix.clear();
        m_rows[1].suffix.clear();
    }
    return true;
}

void CDlgHDbase::OnOK() {
    if (!ReadFields()) return;
    LogFmt(L"\nCDlgHDbase::OnButOk m_bAutoValue1=%d m_bAutoValue2=%d m_strHeight2='%s' ", TakesOver(1) ? 1 : 0,
           TakesOver(2) ? 1 : 0, m_rows[1].valueText.c_str());
    CDialog::OnOK();
}

void CDlgHDbase::Apply(TRdimHeight* mark) const {
    if (!mark) return;
    for (int r = 1; r <= 2; ++r) {
        const HDbaseRow& row = m_rows[r - 1];
        mark->SetText(r == 2 ? 2 : 0, row.prefix);
        mark->SetText(r == 2 ? 3 : 1, row.suffix);
    }
    mark->SetRowState(2, m_rows[1].on ? 1 : 0);
    if (mark->IsPlan()) {
        mark->ClearAutoValue(1);
        mark->ClearAutoValue(2);
        for (int r = 1; r <= 2; ++r) {
            mark->SetHeight(r, m_rows[r - 1].value);
            mark->SetText(r == 2 ? 5 : 4, m_rows[r - 1].valueText);
            if (TakesOver(r)) mark->SetAutoValue(r, m_rows[r - 1].source);
        }
        mark->RefreshAutoValue(false);
    } else {
        mark->SetParamInt(mark->GetRole() == kHeightRoleMark ? IND_I_HUserText : IND_I_HDimNoModify,
                          m_bFixed ? 1 : 0);
        mark->SetText(4, m_rows[0].valueText);
        mark->SetText(5, m_rows[1].valueText);
        if (mark->GetRole() != kHeightRoleMark) {
            mark->SetHeight(1, m_rows[0].value);
            mark->SetHeight(2, m_rows[1].value);
        }
    }
    mark->InitPointText();
}
