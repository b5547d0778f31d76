#include "host/db/database/acdbRToS.h"

#include "host/win/FormatW.h"

#include <cmath>
#include <cwchar>

namespace {

constexpr int kDefaultUnits = 2;     // LUNITS of a new drawing
constexpr int kDefaultPrecision = 4; // LUPREC of a new drawing
constexpr int kMaxPrecision = 8;     // the host's LUPREC limit (1/256 for fractions)
constexpr int kNewDrawingDimzin = 0;
constexpr double kLargestFeetAndFractions = 1e12; // inches, about 25 000 km

// Drops trailing zeros of a decimal text and a point left at its end.
void trimTrailingZeros(std::wstring& text) {
    if (text.find(L'.') == std::wstring::npos) return;
    while (!text.empty() && text.back() == L'0')
        text.pop_back();
    if (!text.empty() && text.back() == L'.') text.pop_back();
    if (text.empty()) text = L"0";
}

// A non-negative value with `prec` decimals, shaped by the DIMZIN decimal bits.
std::wstring decimalText(double magnitude, int prec, int dimzin) {
    std::wstring text = host::FormatW(L"%.*f", prec, magnitude);
    if (dimzin & host::kDimzinNoTrailingZeros) trimTrailingZeros(text);
    if ((dimzin & host::kDimzinNoLeadingZero) && text.size() > 1 && text[0] == L'0' && text[1] == L'.')
        text.erase(0, 1);
    return text;
}

bool readsAsZero(const std::wstring& text) {
    for (wchar_t c : text) {
        if (c >= L'1' && c <= L'9') return false;
        if (c == L'E' || c == L'e') break; // the exponent of a zero mantissa does not count
    }
    return true;
}

// "n/d" reduced to lowest terms; num is in 1 ... den-1, den a power of two.
std::wstring fractionText(double num, double den) {
    while (den > 1 && std::fmod(num, 2.0) == 0) {
        num /= 2;
        den /= 2;
    }
    return host::FormatW(L"%.0f/%.0f", num, den);
}

// Joins feet and an inch text by the DIMZIN feet-and-inches rule.
std::wstring feetAndInches(double feet, const std::wstring& inches, bool inchesZero, int dimzin) {
    const int z = dimzin & host::kDimzinFeetInchMask;
    const bool showFeet = feet != 0 || z == 1 || z == 2;
    const bool showInches = !inchesZero || z == 1 || z == 3 || !showFeet;
    std::wstring text;
    if (showFeet) text = host::FormatW(L"%.0f'", feet);
    if (showFeet && showInches) text += L"-";
    if (showInches) text += inches + L"\"";
    return text;
}

std::wstring engineering(double magnitude, int prec, int dimzin) {
    const double scale = std::pow(10.0, prec);
    const double total = std::round(magnitude * scale);
    const double feet = std::floor(total / (12 * scale));
    const double rest = total - feet * 12 * scale;
    return feetAndInches(feet, decimalText(rest / scale, prec, dimzin), rest == 0, dimzin);
}

// Whole inches and a fraction: "5 1/2", "5", "1/2"; a leading "0 " only when asked.
std::wstring fractional(double total, double den, bool keepZeroWhole) {
    const double whole = std::floor(total / den);
    const double num = total - whole * den;
    if (num == 0) return host::FormatW(L"%.0f", whole);
    if (whole == 0 && !keepZeroWhole) return fractionText(num, den);
    return host::FormatW(L"%.0f ", whole) + fractionText(num, den);
}

std::wstring architectural(double magnitude, int prec, int dimzin) {
    const double den = std::ldexp(1.0, prec);
    const double total = std::round(magnitude * den);
    const double feet = std::floor(total / (12 * den));
    const double rest = total - feet * 12 * den;
    const int z = dimzin & host::kDimzinFeetInchMask;
    const bool feetShown = feet != 0 || z == 1 || z == 2;
    return feetAndInches(feet, fractional(rest, den, feetShown), rest == 0, dimzin);
}

// The rounded magnitude is zero: such a value is written without a sign.
bool roundsToZero(double magnitude, int unit, int prec) {
    const double scale = (unit == 4 || unit == 5) ? std::ldexp(1.0, prec) : std::pow(10.0, prec);
    return std::round(magnitude * scale) == 0;
}

} // namespace

namespace host {

bool RealToString(double val, int unit, int prec, int dimzin, std::wstring& out) {
    if (unit == -1) unit = kDefaultUnits;
    if (unit < 1 || unit > 5 || !std::isfinite(val)) return false;
    if (prec < 0) prec = kDefaultPrecision;
    if (prec > kMaxPrecision) prec = kMaxPrecision;
    // Feet and fractions count in steps of the precision; past this they are meaningless.
    if (unit >= 3 && !(std::fabs(val) < kLargestFeetAndFractions)) return false;

    if (unit == 1) {
        std::wstring text = FormatW(L"%.*E", prec, val);
        if (text[0] == L'-' && readsAsZero(text)) text.erase(0, 1);
        out = text;
        return true;
    }
    const double magnitude = std::fabs(val);
    std::wstring text;
    switch (unit) {
    case 2:
        text = decimalText(magnitude, prec, dimzin);
        break;
    case 3:
        text = engineering(magnitude, prec, dimzin);
        break;
    case 4:
        text = architectural(magnitude, prec, dimzin);
        break;
    default:
        text = fractional(std::round(magnitude * std::ldexp(1.0, prec)), std::ldexp(1.0, prec), false);
        break;
    }
    if (val < 0 && !roundsToZero(magnitude, unit, prec)) text.insert(0, 1, L'-');
    out = text;
    return true;
}

} // namespace host

int acdbRToS(ads_real val, int unit, int prec, wchar_t* str, size_t nBufLen) {
    if (!str || nBufLen == 0) return RTERROR;
    std::wstring text;
    if (!host::RealToString(val, unit, prec, kNewDrawingDimzin, text) || text.size() + 1 > nBufLen) {
        str[0] = L'\0';
        return RTERROR;
    }
    std::wmemcpy(str, text.c_str(), text.size() + 1);
    return RTNORM;
}
