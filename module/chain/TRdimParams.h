#pragma once
// The chain's own copy of the option parameters, in the index layout of the global
// option sets (module/options/OptionIndices.h). A chain made from the options gets the
// current set; a chain read from a drawing gets the global set first and the filed
// values over it, so every index is always there.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

using TRdimDoubleArray = std::vector<double>;
using TRdimStringArray = std::vector<std::wstring>;
using TRdimIntArray = std::vector<std::uint32_t>;

struct TRdimParams {
    TRdimDoubleArray arrayDouble;
    TRdimStringArray arrayString;
    TRdimIntArray arrayInt;

    // A chain is filed only when none of the three is empty.
    bool IsComplete() const { return !arrayDouble.empty() && !arrayString.empty() && !arrayInt.empty(); }
};

// Read access to three parameter arrays, whoever holds them (a chain, a height mark).
// An index outside an array reads as 0, 0.0 or an empty text, so a short array filed by
// an older version formats with neutral values instead of failing.
class ParamArraysView {
public:
    ParamArraysView() = default;
    ParamArraysView(std::span<const std::wstring> arrayString, std::span<const std::uint32_t> arrayInt,
                    std::span<const double> arrayDouble)
        : m_strings(arrayString), m_ints(arrayInt), m_doubles(arrayDouble) {}
    ParamArraysView(const TRdimParams& params) // NOLINT: a chain's parameters are such a view
        : ParamArraysView(params.arrayString, params.arrayInt, params.arrayDouble) {}

    std::uint32_t Int(int index) const;
    double Double(int index) const;
    const std::wstring& String(int index) const;

private:
    std::span<const std::wstring> m_strings;
    std::span<const std::uint32_t> m_ints;
    std::span<const double> m_doubles;
};

// Copies the three arrays of `source` into `target` but keeps target's own arc settings
// (min/max point, as circle, clockwise, input is a circle): those describe the target's
// geometry, not a style that can be taken over from another chain.
void CopyParams(TRdimParams& target, const TRdimParams& source);
// The same for an object that holds the three arrays as members of its own.
void CopyParams(TRdimDoubleArray& arrayDouble, TRdimStringArray& arrayString, TRdimIntArray& arrayInt,
                const TRdimParams& source);

// Sum, text background and alternate units each have a status: 1 on, 2 off, 0 follows
// the global flag (on when there are no global options). Any other value is off.
bool IsStatusOn(std::uint32_t status, bool hasGlobalOptions, bool globalFlag);
