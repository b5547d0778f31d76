#include "module/chain/TRdimExtFlags.h"

namespace {

struct TickBit {
    int code;
    std::uint32_t bit;
};

constexpr TickBit kTickBits[] = {{kTickOblique, kExtTickOblique}, {kTickDot, kExtTickDot},
                                 {kTickCircle, kExtTickCircle},   {kTickArrow, kExtTickArrow},
                                 {kTickCross, kExtTickCross},     {kTickNone, kExtTickNone}};

} // namespace

std::uint32_t TickOverrideBit(int code) {
    for (const TickBit& t : kTickBits)
        if (t.code == code) return t.bit;
    return 0;
}

int TickOverrideCode(std::uint32_t word) {
    for (const TickBit& t : kTickBits)
        if (word & t.bit) return t.code;
    return -1;
}

int ExtTickSymbol(std::uint32_t word, int chainCode) {
    const int code = TickOverrideCode(word);
    return code < 0 ? chainCode : code;
}

std::uint32_t WithTickSymbol(std::uint32_t word, int code, int chainCode) {
    word &= ~static_cast<std::uint32_t>(kExtTickMask);
    if (code != chainCode) word |= TickOverrideBit(code);
    return word;
}

int CommonTickSymbol(std::span<const std::uint32_t> flags, int chainCode) {
    for (std::uint32_t word : flags)
        if (ExtTickSymbol(word, chainCode) != chainCode) return -1;
    return chainCode;
}

bool IsExtVisible(std::span<const std::uint32_t> flags, int i) {
    if (i < 0 || static_cast<size_t>(i) >= flags.size()) return true;
    return (flags[static_cast<size_t>(i)] & kExtFlagHidden) == 0;
}

int SetExtFlagBit(TRdimExtFlagArray& flags, int i, std::uint32_t bit, bool on) {
    if (i < 0 || static_cast<size_t>(i) >= flags.size()) return 0;
    std::uint32_t& word = flags[static_cast<size_t>(i)];
    const int old = (word & bit) ? 1 : 0;
    if (on)
        word |= bit;
    else
        word &= ~bit;
    return old;
}

void SyncExtFlags(TRdimExtFlagArray& flags, int i, bool bInsert, int extensions) {
    if (bInsert && i >= 0 && static_cast<size_t>(i) <= flags.size()) flags.insert(flags.begin() + i, 0u);
    const size_t count = extensions > 0 ? static_cast<size_t>(extensions) : 0;
    if (flags.size() != count) flags.assign(count, 0u);
}

void RemoveExtFlag(TRdimExtFlagArray& flags, int i) {
    if (i >= 0 && static_cast<size_t>(i) < flags.size()) flags.erase(flags.begin() + i);
}
