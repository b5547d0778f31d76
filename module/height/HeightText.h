#pragma once
// The texts of a height mark as free functions: the value text of one row with its sign,
// prefix and suffix, the row layout bits, and the names of types and alignments.
#include "module/chain/TRdimParams.h"
#include "module/chain/ValueFormat.h"

#include <cstdint>
#include <string>

// Everything one row's text is made from.
struct HeightRowInput {
    bool plan = false;
    double value = 0.0;
    std::wstring prefix;
    std::wstring suffix;
    std::wstring userText;
    int rowState = 1;         // 0, 1 or 2 (HeightRowState)
    bool plusMinusHide = false;
    bool userTextOn = false;  // a section mark shows its user text only then
    int decimals = 2;         // plan marks
    bool trimZero = false;    // plan marks
    std::wstring delimiter;
    ParamArraysView params;   // section marks: the formatter's arrays
    ValueFormatEnv env;
};

struct HeightRowText {
    std::wstring main;
    std::wstring exponent; // the part behind the first "^"
};

// Values this close to zero are shown as the zero text.
inline constexpr double kHeightZeroValue = 1e-6;

HeightRowText ComposeHeightRow(const HeightRowInput& in);

// Row layout flags: bits 1 and 4 belong to row 1, 2 and 8 to row 2. State 2 when the
// high bit is set, else 1 when the low bit is, else 0.
int HeightRowState(std::uint32_t format, int row);
std::uint32_t SetHeightRowState(std::uint32_t format, int row, int state);

// Names the palette shows: the type (empty for an unknown one) and the alignment.
std::wstring HeightTypeName(bool plan, int type);
std::wstring HeightTextAlignName(bool plan, int code);
// An alignment name back to its code; plan marks know "Links" 7 and "Rechts" 9, an
// unknown name gives 7.
int HeightTextAlignCode(bool plan, const std::wstring& name);
// Whether a section mark's texts stand left of its symbol for this code.
bool IsLeftAlignCode(int code);
