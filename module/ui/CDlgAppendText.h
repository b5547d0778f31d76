#pragma once
// "Zusatz-Maßtext": edits one appended-text record of a chain segment. The field holds
// the record's text; "Text wählen..." takes the text of a drawing text the user picks
// (and, with "ausgewählt text löschen", that text is erased on OK); "nicht formatiert
// mit eigenem Griff" places the text by hand instead of below its segment's value.
// On OK the record gets the text, the number the text reads as, and its placing.
#include "host/db/database/AcDbObjectId.h"
#include "host/mfc/CDialog.h"
#include "module/chain/AppendingText.h"

#include <string>

class CDlgAppendText : public CDialog {
public:
    explicit CDlgAppendText(CWnd* pParent = nullptr);

    AppendingText m_record;     // in: the record to edit; out (IDOK): the edited record
    std::wstring m_strInfo;     // the information line: what was picked
    AcDbObjectId m_pickedText;  // the drawing text taken with "Text wählen..."

    BOOL OnInitDialog() override;
    void OnOK() override;

    // The record as the dialog's entries make it: `text`, the number it reads as, and
    // placed with its segment unless `ownGrip`.
    static AppendingText Edited(const AppendingText& record, const std::wstring& text, bool ownGrip);

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void OnPickText();
};

// The text of a drawing text (single or multiline); false for any other entity.
bool ReadDrawingText(AcDbObjectId id, std::wstring& text);
