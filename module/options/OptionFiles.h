#pragma once
// The user's options files: the list "OptionsFiles" of the main INI (its first item is
// the main INI itself), the file in use (General Info "CurOptionsFile") and the test
// that a file holds options at all. Switching files reloads every parameter and map.
#include <string>
#include <vector>

// The listed files that still exist, each once (compared without regard to case);
// when that dropped any, the shorter list is saved. -1 without options.
int LoadOptionsFiles(std::vector<std::wstring>& list);
// True when the file's "MainOptions" has a "Measure" or a "Decimals"; otherwise the
// user is told "Ungültige Lintaro-INI-Datei!". A file that is not there is no options
// file either (and is not created by asking).
bool IsValidOptionsFile(const std::wstring& path);
// Makes an existing file the file in use and reloads the options from it. A missing
// file is refused with a message and nothing changes.
bool UseOptionsFile(const std::wstring& path);
// What choosing a file with the browse button does: refuses a missing or invalid file
// with a message; otherwise makes it the file in use (which lists it).
bool AddOptionsFile(const std::wstring& path);
// Takes a file off the list after the user agreed (the file stays on disk). The main
// INI cannot be removed. While entries remain, the first one becomes the file in use.
// True when the entry was removed.
bool RemoveOptionsFile(const std::wstring& path);
