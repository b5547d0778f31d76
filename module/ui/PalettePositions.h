#pragma once
// The palette's two position combos of height marks: 1025 "Maßzahlposition" (the text
// alignment; the plan marks' own alignment in mode 4) and 1026 "Pos.der zweiten
// Maßzahl" (where the second row stands). They hold entries only in modes 3 and 4.
// Pure functions, so the rules can be checked without a palette.
#include "module/chain/TRdimParams.h"

#include <string>
#include <vector>

// The entries of combo `id` in `mode`; empty outside modes 3 and 4 or for another id.
std::vector<std::wstring> PalettePositionChoices(int id, int mode);
// The entry combo `id` shows for these parameters; empty where it has none.
std::wstring PalettePositionText(int id, int mode, const ParamArraysView& params);
// Writes what the entry means into the parameters. False, with them unchanged, for a
// text that is no entry of the combo in that mode.
bool ApplyPalettePosition(int id, int mode, const std::wstring& text, TRdimParams& params);
