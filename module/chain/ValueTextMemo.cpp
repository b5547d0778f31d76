#include "module/chain/ValueTextMemo.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace {

// Lengths kept per parameter set: a chain of this many segments refreshes from the memo.
constexpr std::size_t kKeptLengths = 64;

struct KeptText {
    int mode = 0;
    std::uint64_t lengthBits = 0; // bit for bit: -0.0 and 0.0 may read differently
    std::wstring text;
};

struct Memo {
    bool filled = false;
    TRdimParams params;
    ValueFormatEnv env;
    std::array<KeptText, kKeptLengths> texts;
    std::size_t used = 0;
    std::size_t next = 0; // the slot replaced next once all are used
};

std::uint64_t BitsOf(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

bool SameEnv(const ValueFormatEnv& a, const ValueFormatEnv& b) {
    return a.hasOptions == b.hasOptions && a.altMeasure == b.altMeasure && a.altDecimals == b.altDecimals &&
           a.altFormat == b.altFormat && a.log == b.log;
}

bool SameParams(const TRdimParams& a, const TRdimParams& b) {
    if (a.arrayDouble.size() != b.arrayDouble.size()) return false;
    // Bit for bit, so that a NaN matches itself and -0.0 does not match 0.0.
    if (!a.arrayDouble.empty() &&
        std::memcmp(a.arrayDouble.data(), b.arrayDouble.data(), a.arrayDouble.size() * sizeof(double)) != 0)
        return false;
    return a.arrayInt == b.arrayInt && a.arrayString == b.arrayString;
}

} // namespace

std::wstring MemoizedValueText(int mode, double length, const TRdimParams& params,
                               const ValueFormatEnv& env) {
    // Only the drawing thread formats chains.
    thread_local Memo memo;
    if (!memo.filled || !SameParams(memo.params, params) || !SameEnv(memo.env, env)) {
        memo.params = params;
        memo.env = env;
        memo.used = memo.next = 0;
        memo.filled = true;
    }
    const std::uint64_t bits = BitsOf(length);
    for (std::size_t i = 0; i < memo.used; ++i)
        if (memo.texts[i].lengthBits == bits && memo.texts[i].mode == mode) return memo.texts[i].text;
    std::wstring text = FormatValue(mode, length, params, env);
    std::size_t slot = 0;
    if (memo.used < kKeptLengths) {
        slot = memo.used++;
    } else {
        slot = memo.next;
        memo.next = (memo.next + 1) % kKeptLengths;
    }
    memo.texts[slot] = KeptText{mode, bits, text};
    return text;
}
