#pragma once
// What the palette's value combos mean for an object's parameter arrays: which slots a
// combo edits, how its text is read into them and how the arrays read back as the text
// the combo shows. Pure functions, so the rules can be checked without a palette.
#include "module/chain/TRdimParams.h"

#include <optional>
#include <string>
#include <vector>

// The value combos that give objects their settings, in the order the palette applies
// them. The layer combo is not among them: a layer is no parameter but the entity's own.
const std::vector<int>& PaletteValueCombos();

// The combo's label on the palette ("Texthöhe", "Maßstab" ...); empty for an unknown id.
std::wstring PaletteComboLabel(int id);

// "<var>" (the selection differs) and "<beibehalten>" (keep): the object keeps its own
// value. Compared without regard to case.
bool IsKeepOwnValue(const std::wstring& text);

// " < AKTUELL >": new objects go onto the drawing's current layer.
const wchar_t* CurrentLayerEntry();

// A parameter slot: the array (OPT_TYPE_STRING, OPT_TYPE_DOUBLE, OPT_TYPE_INT) and index.
struct ParamSlot {
    int type;
    int index;
};
// The slots combo `id` edits; empty for an id that is no value combo.
std::vector<ParamSlot> PaletteComboSlots(int id);

// Writes what `text` means into the slots of combo `id`. False, with the arrays unchanged,
// when the text is nothing that combo can hold (or a keep entry, which writes nothing).
bool ApplyPaletteText(int id, const std::wstring& text, TRdimParams& params);

// Copies the slots of combo `id` from `own` into `params`, where `own` has them.
void KeepOwnSlots(int id, const TRdimParams& own, TRdimParams& params);

// The text combo `id` shows for these parameters.
std::wstring PaletteTextOf(int id, const ParamArraysView& params);

// A scale as the scale combo holds it ("1:50", or the annotative scale); nullopt for a
// text that is none.
std::optional<double> ParsePaletteScale(const std::wstring& text);
