#pragma once
// Numbers as the chain writes and reads them: the shared number formatter under every
// value text, and the two readers of number texts (display values and user entries).
#include <string>

// `value` with `decimals` decimals (0 ... 14; any other count prints as "%f" and trims).
// trimZero drops trailing zeros and a point left at the end; a negative value that
// prints as zero loses its "-"; the decimal point becomes `delimiter` (an empty
// delimiter keeps the point, so an unset option never glues the digits together).
std::wstring FormatNumber(double value, int decimals, bool trimZero, const std::wstring& delimiter);

// A shown value back to a number: "87^5" is 87.5 (the superscript millimetres become
// the decimals when the text has no decimal sign), "1,23^4" is 1.234. "," and "." are
// both decimal signs. Reads the leading number and ignores what follows it; a text
// without one is 0.
double ParseDisplayNumber(const std::wstring& text);

// Whether a user's entry (a manual value, a dialog field) is a plain number, and which.
// Accepted, after blanks around it: an optional sign, digits and at most one decimal
// sign, which may be ".", "," or the drawing's delimiter, with at least one digit:
// "3.5", "3,5", "-2", " 3.5 ", ".5". Anything else is text: "ca. 3", "3.5m", "1,23^4"
// (a value with its own superscript), "1e3", "". `value` is set only for a number.
bool ParseUserNumber(const std::wstring& text, const std::wstring& delimiter, double& value);
