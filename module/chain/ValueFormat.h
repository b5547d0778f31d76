#pragma once
// The one value formatter of chains and height marks: a length in drawing units becomes
// the text the architect reads, in the object's unit, rounding and decimals.
#include "module/chain/TRdimParams.h"

#include <cstdint>
#include <span>
#include <string>

// The unit names that are not plain words: feet and decimal inches, feet and
// fractional inches.
inline constexpr const wchar_t* kUnitFeetDecimalInches = L"0'-0.000\"";
inline constexpr const wchar_t* kUnitFeetFractionalInches = L"0'-0 1/256\"";

// What the formatter needs beyond the object's own arrays. The caller fills it from the
// global options, or, for the alternate unit of a chain that names its own options
// file, from that file's "General Info" ("AltMeasure", "AltDecimals", "AltFormat").
struct ValueFormatEnv {
    bool hasOptions = true;                // the global options exist
    std::wstring altMeasure;               // unit of alternate values (mode < 0)
    int altDecimals = 0;                   // decimals of alternate values
    std::wstring altFormat;                // frame of the alternate value, e.g. "[#]"; empty: none
    void (*log)(const wchar_t*) = nullptr; // diagnostic log, may be null
};

// Modes: chains pass 2, and -2 for the alternate unit; 3 always writes "m/cm" values in
// metres; 5 keeps the sign as it is and writes superscript millimetres as MText.
std::wstring FormatValue(int mode, double length, std::span<const std::wstring> arrayString,
                         std::span<const std::uint32_t> arrayInt, std::span<const double> arrayDouble,
                         const ValueFormatEnv& env);
std::wstring FormatValue(int mode, double length, ParamArraysView params, const ValueFormatEnv& env);

// Whether a unit name is "m/cm" (without regard to case).
bool IsMetresCentimetres(const std::wstring& unit);

// The rounding step alone: millimetres rounded to 5 mm (rounding != 2) or 2.5 mm
// (rounding 2) by the last two digits of the tenths of a millimetre; 0 leaves them.
double RoundMillimetres(double mm, std::uint32_t rounding, void (*log)(const wchar_t*) = nullptr);
