#include "module/chain/ValueFormat.h"

#include "host/db/database/acdbRToS.h"
#include "host/win/FormatW.h"
#include "host/win/WinCrt.h"
#include "module/chain/ChainScale.h"
#include "module/chain/NumberText.h"
#include "module/options/OptionIndices.h"

#include <climits>
#include <cmath>
#include <cwctype>

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kMmPerFoot = 304.8;

struct UnitInputs {
    std::wstring unit;
    int decimals = 0;
    bool trimZero = false;
    std::wstring delimiter;
    bool metresFrom10 = false;
    int absMode = 2;
};

// The last `count` digits of a non-negative value written with 0 decimals, as a number.
int lastDigits(double magnitude, size_t count) {
    const std::wstring t = host::FormatW(L"%.0f", magnitude);
    const std::wstring tail = t.size() > count ? t.substr(t.size() - count) : t;
    int n = 0;
    for (wchar_t c : tail)
        if (c >= L'0' && c <= L'9') n = n * 10 + (c - L'0');
    return n;
}

std::wstring superscriptText(int digits, int decimals) {
    if (decimals == 3) return host::FormatW(L"%d", digits);
    std::wstring s = host::FormatW(L"%02d", digits);
    if (s.size() > 1 && s[1] == L'0') s.erase(1, 1); // "50" is 5 tenths of a centimetre
    return s;
}

// "m/cm": metres with two decimals from the switch-over on, whole centimetres below it;
// the millimetres (decimals 3) or millimetres and tenths (decimals 4+) go superscript.
// Zero superscript digits count as none, so 869.6 mm shows 87, not a cut 86.
std::wstring metresCentimetres(double mm, const UnitInputs& in) {
    int digits = 0;
    if (in.decimals == 3)
        digits = lastDigits(std::fabs(mm), 1);
    else if (in.decimals >= 4)
        digits = lastDigits(std::fabs(mm) * 10, 2);
    const double switchOver = in.metresFrom10 ? 10.0 : 1.0;
    std::wstring text;
    if (in.absMode == 3 || mm / 1000 >= switchOver) {
        if (digits != 0) mm = std::trunc(mm / 10) * 10;
        text = FormatNumber(mm / 1000, 2, in.trimZero, in.delimiter);
    } else if (digits == 0) {
        return FormatNumber(mm / 10, 0, false, L"");
    } else {
        text = host::FormatW(L"%.0f", std::trunc(mm / 10) + 0.0);
    }
    if (digits == 0) return text;
    const std::wstring sup = superscriptText(digits, in.decimals);
    if (in.absMode == 5) return host::FormatW(L"\\A1;%s{\\H0.7x;\\S%s^;}", text.c_str(), sup.c_str());
    return text + L"^" + sup;
}

std::wstring feetAndInches(double mm, const UnitInputs& in) {
    const double inches = mm / kMmPerInch;
    const int unitMode = in.unit == kUnitFeetDecimalInches ? 3 : 4;
    wchar_t buf[128];
    if (acdbRToS(inches, unitMode, in.decimals, buf) == RTNORM) return buf;
    // Only absurd lengths get here; show them rather than nothing.
    return FormatNumber(inches, in.decimals, in.trimZero, in.delimiter) + L"\"";
}

std::wstring formatInUnit(double mm, const UnitInputs& in) {
    if (IsMetresCentimetres(in.unit)) return metresCentimetres(mm, in);
    if (in.unit == L"m") return FormatNumber(mm / 1000, in.decimals, in.trimZero, in.delimiter);
    if (in.unit == L"cm") return FormatNumber(mm / 10, in.decimals, in.trimZero, in.delimiter);
    if (in.unit.find(L"0'-") != std::wstring::npos) return feetAndInches(mm, in);
    if (in.unit == L"ft") return FormatNumber(mm / kMmPerFoot, in.decimals, in.trimZero, in.delimiter);
    return FormatNumber(mm, in.decimals, in.trimZero, in.delimiter);
}

} // namespace

bool IsMetresCentimetres(const std::wstring& unit) {
    return _wcsicmp(unit.c_str(), L"m/cm") == 0;
}

double RoundMillimetres(double mm, std::uint32_t rounding, void (*log)(const wchar_t*)) {
    if (rounding == 0 || !std::isfinite(mm)) return mm;
    // The digits of the magnitude are rounded, so -1.2376 m rounds like 1.2376 m.
    const std::wstring tenths = host::FormatW(L"%.0f", std::fabs(mm) * 10);
    if (tenths.size() < 2) {
        if (log) log(L" iLastPos <= 0 ");
        return mm;
    }
    const int n = (tenths[tenths.size() - 2] - L'0') * 10 + (tenths.back() - L'0');
    int replacement = 0;
    if (rounding == 2)
        replacement = n < 13 ? 0 : n < 38 ? 25 : n < 63 ? 50 : n <= 87 ? 75 : 100;
    else
        replacement = n < 25 ? 0 : n <= 74 ? 50 : 100;
    const double rounded = (std::wcstod(tenths.c_str(), nullptr) - n + replacement) / 10;
    return mm < 0 ? -rounded : rounded;
}

std::wstring FormatValue(int mode, double length, ParamArraysView params, const ValueFormatEnv& env) {
    if (!env.hasOptions) return host::FormatW(L"...<%f>", length);
    if (length == 0) return L"";
    const int absMode = mode < 0 ? (mode == INT_MIN ? INT_MAX : -mode) : mode;
    const bool negative = absMode != 5 && length < 0;
    if (negative) length = -length;

    const double mm = length / AcadUnitsOrDefault(params.Double(IND_D_AcadUnits));
    if (!std::isfinite(mm)) return host::FormatW(L"%f", mm);

    UnitInputs in;
    in.unit = mode < 0 ? env.altMeasure : params.String(IND_S_Measure);
    in.decimals = mode < 0 ? env.altDecimals : static_cast<int>(params.Int(IND_I_Decimals));
    in.trimZero = params.Int(IND_I_TrimZero) != 0;
    in.delimiter = params.String(IND_S_Delimiter);
    in.metresFrom10 = params.Int(IND_I_MCmFrom10) != 0;
    in.absMode = absMode;

    const std::wstring text = formatInUnit(RoundMillimetres(mm, params.Int(IND_I_RoundMM), env.log), in);
    return negative ? L"-" + text : text;
}

std::wstring FormatValue(int mode, double length, std::span<const std::wstring> arrayString,
                         std::span<const std::uint32_t> arrayInt, std::span<const double> arrayDouble,
                         const ValueFormatEnv& env) {
    return FormatValue(mode, length, ParamArraysView(arrayString, arrayInt, arrayDouble), env);
}
