#pragma once
// The text a dimension shows: its measurement in the style's units, precision,
// zero rules, linear factor, rounding and decimal separator, the style's
// prefix/suffix pattern, and the user's text with "<>" standing for the value.
#include "host/db/dimensions/AcDbDimensionVars.h"

#include <string>

namespace host {

// A length as the dimension variables show it (dimlfac, dimrnd, dimlunit, dimdec,
// dimzin, dimdsep), without dimpost.
std::wstring formatDimLength(double measurement, const DimVars& vars);
// An angle in radians as the variables show it (dimaunit, dimadec, dimazin, dimdsep),
// with its unit mark: "45°", "45°30'", "50g", "0.79r".
std::wstring formatDimAngle(double radians, const DimVars& vars);
// dimpost: "<>" in it stands for the value; without "<>" it is a suffix.
std::wstring applyDimPost(const std::wstring& value, const std::wstring& dimpost);
// The user's text over the measured one: empty or "<>" shows the value, a text with
// "<>" shows it in place of the first "<>", any other text replaces it.
std::wstring applyDimensionText(const std::wstring& userText, const std::wstring& measured);
// True for a text that hides the value and shows nothing (a single blank).
bool isSuppressedDimensionText(const std::wstring& userText);

} // namespace host
