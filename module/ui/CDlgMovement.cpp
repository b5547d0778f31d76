#include "module/ui/CDlgMovement.h"

#include "host/db/AcDbObjectOpen.h"
#include "host/ed/CommandLine.h"
#include "host/ed/acutPrintf.h"
#include "host/win/FormatW.h"
#include "module/services/ActiveCommand.h"
#include "module/base/LanguageModule.h"
#include "module/ui/PaletteApp.h"
#include "module/services/ReactorSuspension.h"
#include "module/chain/TRdim.h"
#include "module/options/IniStorage.h"

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

struct Arrow {
    int id;
    double dx, dy;
};
constexpr Arrow kArrows[] = {{1055, 0, 1},  {1056, 0, -1}, {1057, -1, 0}, {1058, 1, 0},
                             {1059, -1, 1}, {1060, 1, 1},  {1061, -1, -1}, {1062, 1, -1}};

void ForEachPickedText(const DimSegmentList& list, const std::function<void(TRdim*, int)>& change) {
    for (const DimSegment& part : list) {
        TRdim* chain = nullptr;
        if (acdbOpenObject(chain, part.chainId, AcDb::kForWrite) != Acad::eOk) continue;
        change(chain, part.index);
        chain->recordGraphicsModified(true);
        chain->close();
    }
}

} // namespace

CDlgMovement::CDlgMovement(CWnd* pParent) : CDialog(IDD_DLG_MOVEMENT, pParent) {}

int CDlgMovement::PositionCodeOf(int controlId) {
    for (const PositionButton& b : kPositions)
        if (b.id == controlId) return b.code;
    return 0;
}

bool CDlgMovement::ArrowDirection(int controlId, double& dx, double& dy) {
    for (const Arrow& a : kArrows)
        if (a.id == controlId) {
            dx = a.dx;
            dy = a.dy;
            return true;
        }
    return false;
}

BOOL CDlgMovement::OnInitDialog() {
    CDialog::OnInitDialog();
    const std::wstring step = GetIniGeneral(L"TextMoveStep");
    wchar_t* end = nullptr;
    const double value = step.empty() ? 5.0 : std::wcstod(step.c_str(), &end);
    if (!step.empty() && (end == step.c_str() || !std::isfinite(value) || value <= 0))
        acutPrintf(L"\nTextMoveStep \"%s\" is no step - 5 is taken.", step.c_str());
    else
        m_dStep = value;
    SetDlgItemText(IDC_MOVE_STEP, host::FormatW(L"%g", m_dStep).c_str());
    ShowPicked();
    return TRUE;
}

BOOL CDlgMovement::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    double dx = 0, dy = 0;
    if (id == IDC_MOVE_PICK) {
        OnPick();
    } else if (id == IDC_MOVE_OK) {
        OnOK();
    } else if (id == IDC_MOVE_AUTO) {
        AutoPosition();
    } else if (const int code = PositionCodeOf(id)) {
        SetPosition(code);
    } else if (ArrowDirection(id, dx, dy)) {
        if (ReadStep()) MoveTexts(dx, dy);
    } else {
        return CDialog::OnCommand(wParam, lParam);
    }
    return TRUE;
}

void CDlgMovement::OnPick() {
    ShowWindow(SW_HIDE);
    DimSegmentList picked;
    GetDimSegments(picked, AcDbObjectId::kNull, kPickTexts, L"\n\n   Ma\u00DFzahl(en) w\u00E4hlen/entfernen:", 0);
    m_picked = picked;
    ShowWindow(SW_SHOW);
    ReadStep();
    ShowPicked();
}

bool CDlgMovement::ReadStep() {
    std::wstring text;
    GetDlgItemText(IDC_MOVE_STEP, text);
    wchar_t* end = nullptr;
    const double value = std::wcstod(text.c_str(), &end);
    if (end == text.c_str() || *end != 0 || !std::isfinite(value) || value <= 0) {
        acutPrintf(L"\nSchritt \"%s\" ist keine positive Zahl - nichts verschoben.", text.c_str());
        SetDlgItemText(IDC_MOVE_STEP, host::FormatW(L"%g", m_dStep).c_str());
        return false;
    }
    m_dStep = value;
    return true;
}

void CDlgMovement::ShowPicked() {
    SetDlgItemText(IDC_MOVE_VALUE, host::FormatW(L"%d", static_cast<int>(m_picked.size())).c_str());
}

void CDlgMovement::SetPosition(int code) {
    ForEachPickedText(m_picked, [code](TRdim* chain, int k) {
        chain->SetDimTextPos(k, code);
        chain->CenterText(k);
    });
}

void CDlgMovement::MoveTexts(double dx, double dy) {
    const double step = m_dStep;
    try {
        ForEachPickedText(m_picked, [=](TRdim* chain, int k) {
            // Scaled as the scale reads: the value 0.02 of 1:50 makes a step of 1 a move of 50.
            const double distance = step / chain->GetScale();
            const AcGeVector3d move = (chain->GetUcsAxis(0) * dx + chain->GetUcsAxis(1) * dy) * distance;
            chain->SetPointText(k, chain->GetPointTextPos(k) + move, true);
        });
    } catch (...) {
        acutPrintf(L"Any ERROR ON Move It");
    }
}

void CDlgMovement::AutoPosition() {
    ForEachPickedText(m_picked, [](TRdim* chain, int k) { chain->AutoTextPosition(k); });
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
