#include "module/ui/CDlgMovement.h"

#include "host/db/database/AcDbObjectOpen.h"
#include "host/ed/acutPrintf.h"
#include "host/ed/commands/CommandLine.h"
#include "host/ed/input/EditorInput.h"
#include "host/mfc/CTabCtrl.h"
#include "host/rx/adscodes.h"
#include "host/win/FormatW.h"
#include "module/base/LanguageModule.h"
#include "module/base/LintaroLog.h"
#include "module/chain/ChainScale.h"
#include "module/chain/TRdim.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/IniStorage.h"
#include "module/options/OptionIndices.h"
#include "module/resources/resource.h"
#include "module/services/ActiveCommand.h"
#include "module/services/ReactorSuspension.h"
#include "module/ui/PaletteApp.h"

#include <cmath>
#include <cwchar>
#include <functional>

namespace {

// The 3 by 3 field: columns before, middle and after the segment; rows raised, above
// and below the dimension line.
struct PositionButton {
    int id;
    int code;
};
constexpr PositionButton kPositions[] = {{1044, 1}, {1046, 7}, {1047, 13}, {1048, 2}, {1026, 8},
                                         {1050, 14}, {1051, 3}, {1052, 9}, {1053, 15}};

} // namespace

CDlgMovement::CDlgMovement(CWnd* pParent) : CDialog(IDD_DLG_MOVEMENT, pParent) {}

int CDlgMovement::PositionCodeOf(int controlId) {
    for (const PositionButton& b : kPositions)
        if (b.id == controlId) return b.code;
    return 0;
}

bool CDlgMovement::ArrowDirection(int controlId, double& dx, double& dy) {
    const TextMove move = TextMoveOf(controlId);
    if (move.kind != TextMoveKind::kAxes) return false;
    dx = move.dx;
    dy = move.dy;
    return true;
}

BOOL CDlgMovement::OnInitDialog() {
    CDialog::OnInitDialog();
    m_dStep = TextMoveStepSetting();
    SetDlgItemText(IDC_MOVE_STEP, host::FormatW(L"%g", m_dStep).c_str());
    if (auto* tab = dynamic_cast<CTabCtrl*>(GetDlgItem(IDC_MOVE_TAB))) {
        tab->DeleteAllItems();
        tab->InsertItem(0, LoadStr(IDS_MOVE_TAB_PLACE));
        tab->InsertItem(1, LoadStr(IDS_MOVE_TAB_MOVE));
        tab->SetCurSel(0);
    }
    ShowPage(0);
    ShowPicked();
    return TRUE;
}

void CDlgMovement::ShowPage(int page) {
    for (int id : kMovePositionButtons)
        if (CWnd* w = GetDlgItem(id)) w->ShowWindow(page == 0 ? SW_SHOW : SW_HIDE);
    if (CWnd* w = GetDlgItem(IDC_MOVE_AUTO)) w->ShowWindow(page == 0 ? SW_SHOW : SW_HIDE);
    for (int id = IDC_MOVE_ARROW_FIRST; id <= IDC_MOVE_ARROW_LAST; ++id)
        if (CWnd* w = GetDlgItem(id)) w->ShowWindow(page == 1 ? SW_SHOW : SW_HIDE);
    for (int id : {IDC_MOVE_STEP, IDC_MOVE_STEP_PICK})
        if (CWnd* w = GetDlgItem(id)) w->ShowWindow(page == 1 ? SW_SHOW : SW_HIDE);
}

BOOL CDlgMovement::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (static_cast<int>(wParam) == IDC_MOVE_TAB) {
        const auto* tab = dynamic_cast<CTabCtrl*>(GetDlgItem(IDC_MOVE_TAB));
        ShowPage(tab ? tab->GetCurSel() : 0);
        if (pResult) *pResult = 0;
        return TRUE;
    }
    return CDialog::OnNotify(wParam, lParam, pResult);
}

BOOL CDlgMovement::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const TextMove move = TextMoveOf(id);
    if (id == IDC_MOVE_PICK) {
        OnPick();
    } else if (id == IDC_MOVE_STEP_PICK) {
        OnPickStep();
    } else if (id == IDC_MOVE_OK) {
        OnOK();
    } else if (id == IDC_MOVE_AUTO) {
        AutoPosition();
    } else if (const int code = PositionCodeOf(id)) {
        SetPosition(code);
    } else if (move.kind != TextMoveKind::kNone) {
        if (ReadStep()) MoveTexts(move);
    } else {
        return CDialog::OnCommand(wParam, lParam);
    }
    return TRUE;
}

void CDlgMovement::OnPick() {
    ShowWindow(SW_HIDE);
    DimSegmentList picked;
    GetDimSegments(picked, AcDbObjectId::kNull, kPickTexts,
                   std::wstring(LoadStr(IDS_PROMPT_PICK_TEXTS)).c_str(), 0);
    m_picked = picked;
    ShowWindow(SW_SHOW);
    ReadStep();
    ShowPicked();
}

bool CDlgMovement::ReadStep() {
    return ReadMoveStepField(*this, IDC_MOVE_STEP, m_dStep);
}

void CDlgMovement::ShowPicked() {
    SetDlgItemText(IDC_MOVE_VALUE, host::FormatW(L"%d", static_cast<int>(m_picked.size())).c_str());
}

void CDlgMovement::SetPosition(int code) {
    ForEachPickedSegment(m_picked, [code](TRdim* chain, int k) {
        chain->SetDimTextPos(k, code);
        chain->CenterText(k);
    });
}

void CDlgMovement::MoveTexts(const TextMove& move) {
    const double step = m_dStep;
    try {
        ForEachPickedSegment(m_picked, [&move, step](TRdim* chain, int k) {
            if (move.kind == TextMoveKind::kHome) {
                chain->CenterText(k);
                return;
            }
            // Scaled as the scale reads: the value 0.02 of 1:50 makes a step of 1 a move of 50.
            const double distance = step / chain->GetScale();
            const AcGePoint3d text = chain->GetPointTextPos(k);
            AcGePoint3d moved;
            if (move.kind == TextMoveKind::kAxes)
                moved = text + (chain->GetUcsAxis(0) * move.dx + chain->GetUcsAxis(1) * move.dy) * distance;
            else
                moved = MoveBySegment(move, text, chain->GetPointDim(k - 1), chain->GetPointDim(k),
                                      chain->GetUcsNormal(), distance);
            chain->SetPointText(k, moved, true);
        });
    } catch (...) {
        acutPrintf(L"Any ERROR ON Move It");
    }
}

void CDlgMovement::OnPickStep() {
    ShowWindow(SW_HIDE);
    ads_real distance = 0.0;
    const int rc = acedGetDist(nullptr, std::wstring(LoadStr(IDS_PROMPT_STEP_DISTANCE)).c_str(), &distance);
    ShowWindow(SW_SHOW);
    if (rc != RTNORM) return;
    if (!(distance > 0.0) || !std::isfinite(distance)) {
        acutPrintf(LoadStr(IDS_STEP_ZERO_KEPT), m_dStep);
        return;
    }
    // The step is kept before scaling: a distance shown in the drawing is divided back.
    m_dStep = distance * StepScale();
    SetDlgItemText(IDC_MOVE_STEP, host::FormatW(L"%g", m_dStep).c_str());
}

double CDlgMovement::StepScale() const {
    for (const DimSegment& part : m_picked) {
        TRdim* chain = nullptr;
        if (acdbOpenObject(chain, part.chainId, AcDb::kForRead) != Acad::eOk) continue;
        const double scale = chain->GetScale();
        chain->close();
        return scale;
    }
    if (!pGlobDimOptions) return 1.0;
    const double value = pGlobDimOptions->GetOptionSet(OPT_MODE_CHAIN).arrayOptDouble[IND_D_ScaleVal];
    return value > 0.0 ? value : kRepairedScale;
}

void CDlgMovement::AutoPosition() {
    ForEachPickedSegment(m_picked, [](TRdim* chain, int k) { chain->AutoTextPosition(k); });
}

bool OpenMovementDialog() {
    if (IsCommandActive(true)) return false;
    HideDlgMain();
    const int previous = SetReactorsSuspended(8);
    bool ok = false;
    {
        CTemporaryResourceOverride resources;
        CDlgMovement dlg;
        ok = dlg.DoModal() == IDOK;
    }
    ShowDlgMain();
    SetReactorsSuspended(previous);
    return ok;
}
