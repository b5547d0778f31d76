#pragma once
// "Textposition" of height marks (context item 32823): a position button gives the
// picked marks the text place it shows (the alignment code of the mark's kind) and
// places their texts again; the two arrows move the texts along the mark's direction
// by the step ("TextMoveStep", drawing units before scaling), so a step of 1 at 1:50
// moves them by 50. The pick button picks other marks of the same kind.
#include "host/db/database/AcDbObjectId.h"
#include "host/mfc/CDialog.h"

class CDlgTextPosition : public CDialog {
public:
    explicit CDlgTextPosition(bool plan, CWnd* pParent = nullptr);

    AcDbObjectIdArray m_marks;
    double m_dStep = 5.0;

    BOOL OnInitDialog() override;

    // The alignment code a position button gives a section or a plan mark: section
    // marks by the tip 4, 5, 6, beside the symbol 7, 9, away from the tip 10, 11, 12;
    // plan marks 7 on the left, 9 on the right. 0 for a button that has none.
    static int PositionCodeOf(int controlId, bool plan);

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void OnPick();
    void OnPickStep();
    bool ReadStep();
    void ShowCount();
    void SetPosition(int code);
    void MoveTexts(double sign);

    bool m_bPlan;
};

// The frame around the dialog for one mark: palette hidden, the context operation's
// reactor state, the palette shown again. True when the dialog ended with OK.
bool OpenTextPositionDialog(AcDbObjectId markId);
