#pragma once
// The host's real-to-string conversion, the function behind AutoLISP's (rtos).
//
// Unit modes: 1 scientific ("1.7500E+01"), 2 decimal ("17.50"), 3 engineering, feet and
// decimal inches ("1'-5.50\""), 4 architectural, feet and fractional inches
// ("1'-5 1/2\""), 5 fractional ("17 1/2"). Unit -1 and precision -1 take the defaults
// of a new drawing (LUNITS 2, LUPREC 4).
//
// Precision: decimals for modes 1-3; for modes 4 and 5 the denominator is 2^prec (so 8
// gives 1/256). It is limited to 0 ... 8 as the host limits LUPREC. Values round half
// away from zero; a value that rounds to zero loses its sign.
//
// Zero suppression follows DIMZIN. acdbRToS uses the value of a new drawing (0: zero feet
// and exactly zero inches are left out, so 6.5 in architectural precision 1 is
// "6 1/2\"" and 12 is "1'"); host::RealToString takes it explicitly.
#include "host/rx/adscodes.h"
#include "host/rx/adsdef.h"

#include <cstddef>
#include <string>

// RTNORM with the text in str, RTERROR for an unknown unit, a value that is not finite
// (or beyond 1e12 inches in modes 3-5), a null buffer or one too small for the text
// (str is then left empty).
int acdbRToS(ads_real val, int unit, int prec, wchar_t* str, size_t nBufLen);

template <size_t nBufLen> inline int acdbRToS(ads_real val, int unit, int prec, wchar_t (&str)[nBufLen]) {
    return acdbRToS(val, unit, prec, str, nBufLen);
}

namespace host {

// The DIMZIN bits the conversion honours.
constexpr int kDimzinFeetInchMask = 3;    // 0..3: which of zero feet / zero inches to show
constexpr int kDimzinNoLeadingZero = 4;   // decimal: ".50" instead of "0.50"
constexpr int kDimzinNoTrailingZeros = 8; // decimal and engineering inches: "17.5"

// The conversion itself; false (and `out` unchanged) where acdbRToS gives RTERROR for
// the value or unit.
bool RealToString(double val, int unit, int prec, int dimzin, std::wstring& out);

} // namespace host
