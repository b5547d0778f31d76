#pragma once
// The one modeless window that takes the "@palette ..." events of a script: the
// add-on's palette registers its form when it opens and unregisters it when it closes.
// At the command prompt, "@palette <id> = <text>", "@palette click <id>", "@palette
// check <id> 0|1|2", "@palette select <id> <item>" and "@palette menu <id>" act on it
// as a person would, with the same notifications.
#include "host/win/UiForm.h"

#include <string>

namespace host {

// Registers the palette's form (null: none); returns the previous one.
UiForm* setPaletteForm(UiForm* form);
UiForm* paletteForm();

// Handles a GUI event met in the input (the text after '@'). False when it is not a
// palette event, so others may take it; true for every "palette ..." event: done, or
// refused with a line in the transcript (no palette open, unknown control, ...).
// "@palette ?" writes the palette's form and how to work it.
bool handlePaletteEvent(const std::wstring& event);

// How a person works the palette from the command line, one paragraph.
std::wstring paletteHelpText();

} // namespace host
