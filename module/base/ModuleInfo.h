#pragma once
// The module's version and whether it runs: what every part of the module may ask,
// kept below them all. The module's entry point (app/LintaroApp) starts and stops it.

// "2.3.3" and (minor + major * 10) * 100 + build = 2303.
const wchar_t* GetProgramVersion();
int GetProgramVersionNumber();

// True before kInitAppMsg and after the unload sequence: the module then ignores
// what reaches it.
bool IsModuleStopped();
void SetModuleStopped(bool stopped);
