#pragma once
// The value dialog of height marks ("Höhenkoten"): prefix, value and suffix of both rows,
// whether the second row is shown, the section mark each row of a plan mark follows, and
// "Bezugsebene fixiert" (a member's user-text switch). A new mark only takes the values
// the dialog returns; an existing one is written by Apply.
#include "host/db/database/AcDbObjectId.h"
#include "host/mfc/CDialog.h"

#include <string>

class TRdimHeight;

struct HDbaseRow {
    bool on = true;
    std::wstring prefix;
    std::wstring valueText; // what the mark shows instead of its value; empty: the value
    std::wstring suffix;
    double value = 0.0;
    bool autoValue = false;  // the row follows `source`
    AcDbObjectId source;
};

class CDlgHDbase : public CDialog {
public:
    enum Situation { kNewBase, kEditBase, kNewMark, kEditMark };
    CDlgHDbase(Situation situation, bool plan);

    // The rows and the check box from an existing mark.
    void ReadFrom(const TRdimHeight& mark);
    // After OK, onto an existing mark (open for write): the links of a plan mark are
    // made again, a section mark takes the check box and its value texts.
    void Apply(TRdimHeight* mark) const;
    // Whether row r's take-over counts: its box is on and a section mark was picked
    // (row 2 also needs the second row shown).
    bool TakesOver(int row) const;

    HDbaseRow m_rows[2];
    bool m_bFixed = false;

    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void ShowRow(int row);
    void PickSource(int row);
    // The fields into the rows; false, with the reason shown, for a value that is no number
    // where one is needed.
    bool ReadFields();

    Situation m_situation;
    bool m_bPlan;
};
