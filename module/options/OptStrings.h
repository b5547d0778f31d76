#pragma once
// Small text helpers of the options: comparisons without regard to case (as the INI
// files and the host compare names), trimming, and numbers read and written the way the
// INI values hold them (C locale, never throwing).
#include <string>

// Lower case for ASCII and the Latin-1 letters (Ä, Ö, Ü ...), which is what names in
// German settings use.
std::wstring OptLower(const std::wstring& text);
bool OptEqualNoCase(const std::wstring& a, const std::wstring& b);
bool OptContainsNoCase(const std::wstring& text, const std::wstring& part);
std::wstring OptTrim(const std::wstring& text);

// _wtoi: leading blanks, a sign and digits; anything else ends the number, no digits
// give 0; values beyond int are clamped.
int OptToInt(const std::wstring& text);
// _wtof: leading blanks, a sign, digits with one '.', an exponent; no number, or one
// that is not finite, gives 0.
double OptToDouble(const std::wstring& text);
// "%f" without trailing zeros and without a trailing '.': 50 -> "50", 0.001 -> "0.001".
// Never "-0".
std::wstring FormatOptDouble(double value);
