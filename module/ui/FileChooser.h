#pragma once
// The choosers behind the dialogs' browse buttons "•••".
#include <string>

// Drawings (".dwg"), several allowed: one path, or several joined by ";". False when
// the chooser was cancelled.
bool ChooseDrawingFiles(const std::wstring& initial, std::wstring& chosen);
// One drawing.
bool ChooseDrawingFile(const std::wstring& initial, std::wstring& chosen);
bool ChooseFolder(const std::wstring& initial, std::wstring& chosen);
