#pragma once
// The host's own texts and dimensions formatted with the module's parameters and
// marked as its objects (FormatMarks.h), so that they follow the options later.
#include "module/chain/TRdimParams.h"

class AcDbEntity;

// Text style (with its width factor for a single-line text), height scaled from paper
// to the drawing and the text-height colour of the parameters, on a text or multiline
// text open for write. False for any other entity, which is left as it is.
bool ApplyTextParameters(AcDbEntity* entity, ParamArraysView params);
// A marked text or multiline text (open for write) takes the current text parameters:
// written into its data, read back and applied. False for anything else.
bool ActualizeLintaroText(AcDbEntity* entity);
// A dimension (open for write) takes the current chain parameters and their style
// record; it is marked first when it is not. True when the style was set.
bool SetLintaroStyle(AcDbEntity* entity);

// The commands; each returns how many objects it changed.
int CmdSetLintaroTexts();
int CmdSetLintaroDims();
int CmdUnsetLintaroTexts();
// The palette's 'Aktualisieren' in the text mode: the selected texts that carry the
// module's mark take the current text parameters; unmarked texts stay as they are.
int UpdateLintaroTexts();

// Runs the host's command (`_DTEXT`, `_MTEXT`, `_DIMANGULAR` ...) with the text style
// and height, or the dimension style, of the palette's `mode`, and marks the object it
// makes when it is of `kind` (1 text, 2 multiline text, 10 dimension). The host's
// result: RTNORM when the command ran.
int MakeLintaroObject(const wchar_t* command, int mode, int kind);
