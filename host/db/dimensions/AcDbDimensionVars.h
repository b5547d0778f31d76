#pragma once
// The dimension variables as one value: what a dimension style holds, and what a
// dimension draws with once its own overrides are laid over its style. Each
// variable also knows its name and the group code it has in drawing-exchange files,
// so the style table, the header's $DIM... variables and a dimension's override list
// are all read and written from one table.
#include "host/db/tables/AcDbDimStyleTableRecord.h"

#include <bitset>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

class AcDbDwgFiler;

namespace host {

enum DimVarIndex {
#define LINTARO_DIMVAR_ENUM(TYPE, GET, SET, DEFAULT) kDimVar_##GET,
    LINTARO_DIMSTYLE_VARS(LINTARO_DIMVAR_ENUM)
#undef LINTARO_DIMVAR_ENUM
    kDimVar_dimpost,
    kDimVar_dimapost,
    kDimVarCount
};

// The alternatives of DimVarValue, in the same order.
enum class DimVarType { Real, Int, Bool, Char, Id, Color, LineWeight, String };
using DimVarValue =
    std::variant<double, int, bool, wchar_t, AcDbObjectId, AcCmColor, AcDb::LineWeight, std::wstring>;

struct DimVars {
#define LINTARO_DIMVAR_FIELD(TYPE, GET, SET, DEFAULT) TYPE GET = DEFAULT;
    LINTARO_DIMSTYLE_VARS(LINTARO_DIMVAR_FIELD)
#undef LINTARO_DIMVAR_FIELD
    std::wstring dimpost;
    std::wstring dimapost;

    DimVarValue get(int index) const;
    // False (nothing changed) for an index out of range, a value of another type or
    // one the style would refuse (a real that is not finite, a null separator).
    bool set(int index, const DimVarValue& value);

    // Sizes as drawn: the size variables times dimscale (a dimscale of 0 or less
    // counts as 1, as paper-space scaling is not offered here).
    double scale() const { return dimscale > 0.0 ? dimscale : 1.0; }
};

DimVars dimVarsOf(const AcDbDimStyleTableRecord& record);
// Writes every variable into the record (which must be writable).
void applyDimVars(const DimVars& vars, AcDbDimStyleTableRecord& record);

struct DimVarInfo {
    const wchar_t* name;    // "dimtxt"
    const wchar_t* dxfName; // "DIMTXT": the header variable is "$" + this
    DimVarType type;
    int dxfCode; // in the style table and a dimension's override list; 0: none
};
const DimVarInfo& dimVarInfo(int index);
// By name without regard to case ("dimtxt", "DIMTXT", "$DIMTXT"); -1 when unknown.
int dimVarIndexByName(std::wstring_view name);
// By the group code of the style table; -1 when no variable has it.
int dimVarIndexByDxfCode(int code);

// The variables one dimension sets for itself, over its style.
class DimVarOverrides {
public:
    bool has(int index) const { return index >= 0 && index < kDimVarCount && m_set.test(size_t(index)); }
    bool empty() const { return m_set.none(); }
    std::vector<int> indices() const;
    const DimVars& values() const { return m_values; }
    // False when the value does not fit the variable (see DimVars::set).
    bool set(int index, const DimVarValue& value);
    void clear(int index);
    void clearAll() { m_set.reset(); }
    // The base with these overrides laid over it.
    DimVars applyTo(DimVars base) const;

    // Filed by name, so that the list survives new variables.
    void dwgOut(AcDbDwgFiler* filer) const;
    // A damaged list (unknown name, wrong count) sets the filer's error and leaves
    // this list as it was.
    Acad::ErrorStatus dwgIn(AcDbDwgFiler* filer);

    bool operator==(const DimVarOverrides& other) const;

private:
    std::bitset<kDimVarCount> m_set;
    DimVars m_values;
};

} // namespace host
