#pragma once
// The fields of the options dialog's "Geometrie" and "Text" pages, one table row each:
// the control, what it edits (a typed parameter of the mode's set, a general flag or
// string), the dialog modes it belongs to and its label in each. The pages show and
// take their fields through the table, so the mode combo only has to choose the set.
#include "module/ui/OptionDraft.h"

#include <string>
#include <vector>

class CWnd;

enum class OptionFieldKind {
    Double,   // edit: a number of the mode's double array
    Int,      // edit: a whole number of the mode's int array
    IntCheck, // check box: 0 or 1 in the mode's int array
    String,   // edit: a text of the mode's string array
    Flag,     // check box: a general flag (the same in every mode)
    General,  // edit or combo: a general string
};

struct OptionField {
    int id = 0;
    int labelId = 0; // the static that names the field; 0 for check boxes
    OptionFieldKind kind = OptionFieldKind::Double;
    int index = 0;
    unsigned modes = 0;                          // bits 1 << OPT_DLG_LINEAR ...
    unsigned labels[OPT_DLG_MODE_COUNT]{}; // string ids; 0: the template's text
    double min = 0.0;
    double max = 0.0;
};

constexpr unsigned kInLinear = 1u << OPT_DLG_LINEAR;
constexpr unsigned kInHeight = 1u << OPT_DLG_HEIGHT;
constexpr unsigned kInText = 1u << OPT_DLG_TEXT;

const std::vector<OptionField>& GeometryFields();
const std::vector<OptionField>& TextFields();

// The number a field's text stands for: a plain decimal (a comma is taken as the
// point), within [min, max], whole for whole-number fields. False for anything else.
bool ParseFieldNumber(const std::wstring& text, bool whole, double min, double max, double& value);

// The value of the field in the draft, as its control shows it ("1"/"0" for check boxes).
std::wstring FieldText(const OptionField& field, const OptionDraft& draft, int dlgMode);
// Puts a text into the draft; false, with the draft unchanged, for a text the field
// cannot hold.
bool SetFieldText(const OptionField& field, OptionDraft& draft, int dlgMode, const std::wstring& text);

// Shows the fields of `dlgMode` on the page with their labels and hides the others.
void ShowFields(CWnd& page, const std::vector<OptionField>& fields, const OptionDraft& draft, int dlgMode);
// Takes every shown field into the draft. On the first text a field cannot hold the user
// is told which and what, that control gets the focus, and the draft stays as it was.
bool TakeFields(CWnd& page, const std::vector<OptionField>& fields, OptionDraft& draft, int dlgMode);
// Writes the fields' values of every mode through the options' setters (the setters pick
// key, section and file).
void WriteFieldOptions(const std::vector<OptionField>& fields, class CGlobDimOptions& options);
