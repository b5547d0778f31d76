#pragma once
// The default parameter sections that a new options file gets, per mode.
#include <string>

// Writes, through to `file`, the defaults of the mode's "MainOptions" section and its
// tables (TextHeight2Color, Scale2Layer and, except for texts, ExtLineLength).
void MakeDefaultIniValues(const std::wstring& file, int mode);

// Text of the module's string resource, or `fallback` when the table has none, so a
// missing resource never turns into an empty key in a file.
std::wstring LoadStrOr(unsigned id, const wchar_t* fallback);

// String ids the options use.
constexpr unsigned IDS_OPT_UNKNOWN_SCALE = 32873; // "<Unbekannt>"
constexpr unsigned IDS_OPT_KEEP = 32897;          // "<beibehalten>"
constexpr unsigned IDS_OPT_ANNO_SCALE = 7102;     // "BMaß"
