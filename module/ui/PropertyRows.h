#pragma once
// The rows of the properties dialog: which parameters of a chain or a height mark it
// shows, in which group, under which label, how a row reads the object's arrays as text
// and how an edited text goes back into them (ParamChanged). Pure functions over the
// parameter arrays, so the rules can be checked without a dialog or a drawing.
#include "module/app/PropertiesPort.h"
#include "module/chain/TRdimParams.h"

#include <string>
#include <vector>

// The dialog's kind argument: chains, height marks, all kinds. The palette passes its
// mode (1 to 5) instead.
constexpr int kPropKindChains = kDimPropChains;
constexpr int kPropKindHeights = kDimPropHeights;
constexpr int kPropKindAll = kDimPropAll;
// The host's dimensions and texts that carry the module's mark and parameter set.
constexpr int kPropKindHostDims = 53;
constexpr int kPropKindHostTexts = 54;
// Every kind the grid has rows for, in the order of the kind list.
constexpr int kPropKinds[] = {kPropKindChains, kPropKindHeights, kPropKindHostDims, kPropKindHostTexts};

// The grid's groups, in the order the dialog shows them.
enum PropertyGroup { kGroupGeneral = 0, kGroupText = 1, kGroupLines = 2, kGroupUnits = 3, kGroupCount = 4 };

// How a row's text stands for the stored value.
enum class RowValue {
    Number,     // a double, any finite number
    Positive,   // a double above 0
    Whole,      // an integer 0 or more, as digits
    YesNo,      // "Ja" 1, "Nein" 0 (a number is also taken)
    Switch,     // "Ein" 1, "-" 0, "Aus" 2
    AboveBelow, // "Über" 1, "Unter" 0
    Tick,       // the tick symbol names, 0 "Kein" to 5 "Kreuz"
    Rounding,   // "", "5   mm", "2.5 mm"
    ExtLine,    // "<maximal>", "<keine>" or a length; also sets IND_I_ExtLine
    Units,      // "1 m", "1 cm", "1 mm"
    Measure,    // the display units of the palette
    Scale,      // "1:50" or the annotative scale; also sets IND_D_ScaleVal
    Label,      // the chain label without its location digit
    Text,       // any text, taken as it is
    HeightAlign, // the alignment names of section marks
    HeightType   // a height mark's type, 1 to 5
};

struct PropertyRow {
    int type;  // OPT_TYPE_STRING, OPT_TYPE_DOUBLE or OPT_TYPE_INT
    int index; // into that array
    PropertyGroup group;
    unsigned labelId; // the row's name in the string table
    RowValue value;
    bool compact; // shown in the compact view too
};

// The rows of a kind (kPropKinds), in grid order; empty for any other kind.
const std::vector<PropertyRow>& PropertyRowsOf(int kind);
// The row of (type, index) for the kind; null when the grid has none.
const PropertyRow* FindPropertyRow(int kind, int type, int index);

// The row's name: the description DimParam.ini gives the parameter's key (the text after
// its storage digit and a separator, "1;Texthöhe der Maßzahlen"), else the string table's.
std::wstring PropertyRowLabel(int kind, const PropertyRow& row);

// The group captions; the compact view calls the first group "Editierbare Parameter".
std::wstring PropertyGroupCaption(PropertyGroup group, bool compact);

// The text a row shows for one object's arrays.
std::wstring PropertyRowText(const PropertyRow& row, const ParamArraysView& params);
// The entries a row offers in its list (empty for free input).
std::vector<std::wstring> PropertyRowChoices(const PropertyRow& row);
// Whether `text` is something the row can store; `why` says what it wants when not.
bool PropertyRowAccepts(const PropertyRow& row, const std::wstring& text, std::wstring* why = nullptr);

// Converts an edited row text to the parameter's value and stores it into the arrays.
// 1 when a value changed, 0 when the stored one was equal (or the text is "<var>"),
// -1 when the text is no value of that parameter: then nothing changes.
int ParamChanged(int kind, int type, int index, const std::wstring& text, TRdimStringArray& strings,
                 TRdimIntArray& ints, TRdimDoubleArray& doubles);

// "<var>": the selected objects differ in this row.
const wchar_t* VariesText();
