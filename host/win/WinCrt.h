#pragma once
// The C runtime's wide-string helpers that the module calls under their Windows
// names. Case-insensitive comparison folds ASCII, Latin-1, Latin Extended-A, Greek
// and Cyrillic letters, so German umlauts compare as on Windows ("Ä" equals "ä").
#include <cstddef>
#include <string>
#include <string_view>

int _wcsicmp(const wchar_t* a, const wchar_t* b);
int _wcsnicmp(const wchar_t* a, const wchar_t* b, size_t n);
// Leading white space, an optional sign and decimal digits; anything else ends the
// number. No digits give 0; values beyond int are clamped.
int _wtoi(const wchar_t* s);
double _wtof(const wchar_t* s);
// In place; returns its argument.
wchar_t* _wcslwr(wchar_t* s);
wchar_t* _wcsupr(wchar_t* s);

namespace host {
wchar_t foldCase(wchar_t c);
wchar_t upperCase(wchar_t c);
std::wstring toLowerCase(std::wstring_view s);
// Upper case as the host folds names (symbol tables, commands, keywords): "Wände" -> "WÄNDE".
std::wstring toUpperCase(std::wstring_view s);
bool equalsNoCase(std::wstring_view a, std::wstring_view b);
// Like _wcsicmp on string views: <0, 0, >0.
int compareNoCase(std::wstring_view a, std::wstring_view b);
// White space as the profile functions and the module trim it: blank, tab, CR, LF, VT, FF.
bool isBlank(wchar_t c);
std::wstring_view trimView(std::wstring_view s);
} // namespace host
