#include "host/db/dimensions/AcDbDimensionFormat.h"

#include "host/db/database/acdbRToS.h"
#include "host/win/FormatW.h"

#include <algorithm>
#include <cmath>

namespace host {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kDecimalUnits = 2;
constexpr int kWindowsDesktopUnits = 6; // decimal with the system's separator: decimal here
constexpr int kMaxDecimals = 8;

void replaceDecimalPoint(std::wstring& text, wchar_t separator) {
    if (separator == L'.' || separator == 0) return;
    std::replace(text.begin(), text.end(), L'.', separator);
}

int clampDecimals(int decimals) { return std::clamp(decimals, 0, kMaxDecimals); }

// DIMAZIN's bits (1 leading, 2 trailing) as the conversion's DIMZIN bits.
int angularZeroBits(int dimazin) {
    int bits = 0;
    if (dimazin & 1) bits |= kDimzinNoLeadingZero;
    if (dimazin & 2) bits |= kDimzinNoTrailingZeros;
    return bits;
}

std::wstring decimal(double value, int decimals, int zeroBits, wchar_t separator) {
    std::wstring text;
    if (!RealToString(value, kDecimalUnits, clampDecimals(decimals), zeroBits, text)) return L"";
    replaceDecimalPoint(text, separator);
    return text;
}

// Degrees, minutes and seconds; the decimals say how far down to go.
std::wstring degreesMinutesSeconds(double degrees, int decimals) {
    const int parts = decimals <= 0 ? 0 : decimals <= 2 ? 1 : 2;
    const double unitsPerDegree = parts == 0 ? 1.0 : parts == 1 ? 60.0 : 3600.0;
    const double total = std::round(degrees * unitsPerDegree);
    const double d = std::floor(total / unitsPerDegree);
    const double rest = total - d * unitsPerDegree;
    std::wstring text = FormatW(L"%.0f\u00B0", d);
    if (parts >= 1) text += FormatW(L"%.0f'", parts == 1 ? rest : std::floor(rest / 60.0));
    if (parts == 2) text += FormatW(L"%.0f\"", std::fmod(rest, 60.0));
    return text;
}

} // namespace

std::wstring formatDimLength(double measurement, const DimVars& vars) {
    if (!std::isfinite(measurement)) return L"";
    double value = std::fabs(measurement * vars.dimlfac);
    if (vars.dimrnd > 0.0) value = std::round(value / vars.dimrnd) * vars.dimrnd;
    int units = vars.dimlunit;
    if (units == kWindowsDesktopUnits || units < 1 || units > 5) units = kDecimalUnits;
    std::wstring text;
    if (!RealToString(value, units, clampDecimals(vars.dimdec), vars.dimzin, text)) return L"";
    if (units == kDecimalUnits || units == 1) replaceDecimalPoint(text, vars.dimdsep);
    return text;
}

std::wstring formatDimAngle(double radians, const DimVars& vars) {
    if (!std::isfinite(radians)) return L"";
    const double degrees = std::fabs(radians) * 180.0 / kPi;
    const int decimals = vars.dimadec < 0 ? vars.dimdec : vars.dimadec;
    const int zeroBits = angularZeroBits(vars.dimazin);
    switch (vars.dimaunit) {
    case 1:
        return degreesMinutesSeconds(degrees, decimals);
    case 2:
        return decimal(degrees * 400.0 / 360.0, decimals, zeroBits, vars.dimdsep) + L"g";
    case 3:
        return decimal(std::fabs(radians), decimals, zeroBits, vars.dimdsep) + L"r";
    default:
        return decimal(degrees, decimals, zeroBits, vars.dimdsep) + L"\u00B0";
    }
}

std::wstring applyDimPost(const std::wstring& value, const std::wstring& dimpost) {
    if (dimpost.empty()) return value;
    const size_t at = dimpost.find(L"<>");
    if (at == std::wstring::npos) return value + dimpost;
    return dimpost.substr(0, at) + value + dimpost.substr(at + 2);
}

std::wstring applyDimensionText(const std::wstring& userText, const std::wstring& measured) {
    if (userText.empty()) return measured;
    const size_t at = userText.find(L"<>");
    if (at == std::wstring::npos) return userText;
    return userText.substr(0, at) + measured + userText.substr(at + 2);
}

bool isSuppressedDimensionText(const std::wstring& userText) { return userText == L" "; }

} // namespace host
