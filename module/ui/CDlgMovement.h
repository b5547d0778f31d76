#pragma once
// "Textposition": places or moves the picked value texts of chains. The pick button
// hides the dialog and runs the segment picking. On the page "Lage" a position button
// gives the picked texts a position code and "Automatische Pos." lets the chain place
// them; on the page "Verschieben" an arrow moves them (TextMoves.h) by the step
// ("TextMoveStep", drawing units before scaling) in the chain's scale, and the button
// beside the step takes it from a distance shown in the drawing. At 1:50 a step of 1
// moves a text by 50 drawing units.
#include "host/ge/AcGeVector3d.h"
#include "host/mfc/CDialog.h"
#include "module/resources/ContextMenuResources.h"
#include "module/ui/ChainSegmentPick.h"
#include "module/ui/TextMoves.h"

class CDlgMovement : public CDialog {
public:
    explicit CDlgMovement(CWnd* pParent = nullptr);

    DimSegmentList m_picked;
    double m_dStep = 5.0;

    BOOL OnInitDialog() override;

    // The text position code of a position button; 0 for another control.
    static int PositionCodeOf(int controlId);
    // The direction of an arrow button in the chain's own axes (x along, y across);
    // false for another control.
    static bool ArrowDirection(int controlId, double& dx, double& dy);

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    // Page 0 "Lage" shows the position buttons, page 1 "Verschieben" the arrows and the step.
    void ShowPage(int page);
    void OnPick();
    // The step shown in the drawing: a distance, divided back by the scale.
    void OnPickStep();
    double StepScale() const;
    bool ReadStep();
    void ShowPicked();
    void SetPosition(int code);
    void MoveTexts(const TextMove& move);
    void AutoPosition();
};

// The frame around the dialog: palette hidden, command flag set, a command that is
// still running afterwards ended with an escape. True when the dialog ended with OK.
bool OpenMovementDialog();
