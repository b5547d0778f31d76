#pragma once
// The options dialog belongs to the module's windows (module/ui); the command
// XOTA_Doption opens it through this, which ui implements.

// Runs "Globale Einstellungen" on the options file in use, modally and without a parent.
void OpenOptionsDialog();
