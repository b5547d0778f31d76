#pragma once
// What the replace dialogs share.
#include <string>
#include <vector>

class CWnd;

// Fills the combo `id` of the dialog with the texts, in order, replacing what it held.
void FillReplaceCombo(CWnd* dialog, int id, const std::vector<std::wstring>& texts);
