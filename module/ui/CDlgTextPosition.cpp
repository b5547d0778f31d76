#include "module/ui/CDlgTextPosition.h"

#include "host/db/database/AcDbObjectOpen.h"
#include "host/ed/acutPrintf.h"
#include "host/ed/input/EditorInput.h"
#include "host/rx/AcRxClass.h"
#include "host/rx/adscodes.h"
#include "host/win/FormatW.h"
#include "module/base/LanguageModule.h"
#include "module/base/LintaroLog.h"
#include "module/height/TRdimHeight.h"
#include "module/options/OptionIndices.h"
#include "module/resources/HeightResources.h"
#include "module/resources/resource.h"
#include "module/services/ActiveCommand.h"
#include "module/services/ReactorSuspension.h"
#include "module/services/XDataServices.h"
#include "module/ui/PaletteApp.h"
#include "module/ui/TextMoves.h"

#include <cmath>
#include <cwchar>
#include <functional>

namespace {

struct PositionButton {
    int id;
    int section;
    int plan;
};
constexpr PositionButton kPositions[] = {{1044, 4, 7}, {1046, 5, 0},  {1047, 6, 9},  {1054, 7, 7},
                                         {1056, 9, 9}, {1051, 10, 7}, {1052, 11, 0}, {1053, 12, 9}};

void ForEachMark(const AcDbObjectIdArray& marks, const std::function<void(TRdimHeight*)>& change) {
    for (const AcDbObjectId& id : marks) {
        TRdimHeight* mark = nullptr;
        if (acdbOpenObject(mark, id, AcDb::kForWrite) != Acad::eOk) continue;
        change(mark);
        mark->recordGraphicsModified(true);
        mark->close();
    }
}

bool IsMarkOfKind(AcDbObjectId id, bool plan) {
    TRdimHeight* mark = nullptr;
    if (acdbOpenObject(mark, id, AcDb::kForRead) != Acad::eOk) return false;
    // A group's base draws no text.
    const bool fits = mark->IsPlan() == plan && mark->GetRole() != kHeightRoleBase;
    mark->close();
    return fits;
}

} // namespace

CDlgTextPosition::CDlgTextPosition(bool plan, CWnd* pParent)
    : CDialog(IDD_DLG_HK_TEXT_POSITION, pParent), m_bPlan(plan) {}

int CDlgTextPosition::PositionCodeOf(int controlId, bool plan) {
    for (const PositionButton& b : kPositions)
        if (b.id == controlId) return plan ? b.plan : b.section;
    return 0;
}

BOOL CDlgTextPosition::OnInitDialog() {
    CDialog::OnInitDialog();
    m_dStep = TextMoveStepSetting();
    SetDlgItemText(IDC_HKT_STEP, host::FormatW(L"%g", m_dStep).c_str());
    // A plan mark has no text place in the middle.
    for (const PositionButton& b : kPositions)
        if (CWnd* w = GetDlgItem(b.id)) w->EnableWindow(PositionCodeOf(b.id, m_bPlan) != 0);
    ShowCount();
    return TRUE;
}

BOOL CDlgTextPosition::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    if (id == IDC_HKT_PICK) {
        OnPick();
    } else if (id == IDC_HKT_STEP_PICK) {
        OnPickStep();
    } else if (id == IDC_HKT_OK) {
        OnOK();
    } else if (id == IDC_HKT_BACK || id == IDC_HKT_FORWARD) {
        if (ReadStep()) MoveTexts(id == IDC_HKT_FORWARD ? 1.0 : -1.0);
    } else if (const int code = PositionCodeOf(id, m_bPlan)) {
        SetPosition(code);
    } else {
        return CDialog::OnCommand(wParam, lParam);
    }
    return TRUE;
}

void CDlgTextPosition::OnPick() {
    ShowWindow(SW_HIDE);
    AcDbObjectIdArray picked;
    SelectEntities(picked, std::wstring(LoadStr(IDS_PROMPT_SELECT_HK)).c_str(),
                   TRdimHeight::desc()->dxfName());
    ShowWindow(SW_SHOW);
    AcDbObjectIdArray marks;
    for (const AcDbObjectId& id : picked)
        if (IsMarkOfKind(id, m_bPlan)) marks.append(id);
    if (!marks.isEmpty()) m_marks = marks;
    ShowCount();
}

bool CDlgTextPosition::ReadStep() {
    return ReadMoveStepField(*this, IDC_HKT_STEP, m_dStep);
}

void CDlgTextPosition::OnPickStep() {
    ShowWindow(SW_HIDE);
    ads_real distance = 0.0;
    const int rc = acedGetDist(nullptr, std::wstring(LoadStr(IDS_PROMPT_STEP_DISTANCE)).c_str(), &distance);
    ShowWindow(SW_SHOW);
    if (rc != RTNORM) return;
    if (!(distance > 0.0) || !std::isfinite(distance)) {
        acutPrintf(LoadStr(IDS_STEP_ZERO_KEPT), m_dStep);
        return;
    }
    // The step is kept before scaling: the distance is divided back by the first mark's scale.
    double scale = 1.0;
    TRdimHeight* mark = nullptr;
    if (!m_marks.isEmpty() && acdbOpenObject(mark, m_marks[0], AcDb::kForWrite) == Acad::eOk) {
        scale = mark->GetScale();
        mark->close();
    }
    m_dStep = distance * scale;
    SetDlgItemText(IDC_HKT_STEP, host::FormatW(L"%g", m_dStep).c_str());
}

void CDlgTextPosition::ShowCount() {
    SetDlgItemText(IDC_HKT_COUNT, host::FormatW(L"%d", m_marks.length()).c_str());
}

void CDlgTextPosition::SetPosition(int code) {
    ForEachMark(m_marks, [code](TRdimHeight* mark) {
        mark->SetParamInt(IND_I_TextAlign, static_cast<std::uint32_t>(code));
        mark->InitPointText();
    });
}

void CDlgTextPosition::MoveTexts(double sign) {
    const double step = m_dStep;
    try {
        ForEachMark(m_marks, [sign, step](TRdimHeight* mark) {
            const AcGeVector3d along =
                mark->GetVectorDim().isZeroLength() ? AcGeVector3d::kXAxis : mark->GetVectorDim().normal();
            const AcGeVector3d move = along * (sign * step / mark->GetScale());
            for (int i : {kHPointText1, kHPointText2})
                mark->SetPoint(i, mark->GetPoint(i) + move);
        });
    } catch (...) {
        acutPrintf(L"Any ERROR ON Move It");
    }
}

bool OpenTextPositionDialog(AcDbObjectId markId) {
    if (IsCommandActive(true)) return false;
    TRdimHeight* mark = nullptr;
    if (acdbOpenObject(mark, markId, AcDb::kForRead) != Acad::eOk) return false;
    const bool plan = mark->IsPlan();
    mark->close();
    HideDlgMain();
    const int previous = SetReactorsSuspended(kReactorsContextOperation);
    bool ok = false;
    {
        CTemporaryResourceOverride resources;
        CDlgTextPosition dlg(plan);
        if (IsMarkOfKind(markId, plan)) dlg.m_marks.append(markId);
        ok = dlg.DoModal() == IDOK;
    }
    ShowDlgMain();
    SetReactorsSuspended(previous);
    return ok;
}
