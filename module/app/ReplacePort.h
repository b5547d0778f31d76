#pragma once
// The find-and-replace dialogs belong to the palette's side (module/ui); the command
// XOTA_dimReplace opens the replace over drawings through this, which ui implements.

// Runs the dialog "Suchen und Ersetzen" modally.
void OpenDlgReplaceExternal();
