#pragma once
// The flag word of each extension of a chain: hidden extension line, leader, and an
// optional tick symbol of its own that overrides the chain's symbol.
#include <cstdint>
#include <span>
#include <vector>

using TRdimExtFlagArray = std::vector<std::uint32_t>;

enum : std::uint32_t {
    kExtFlagHidden = 1, // extension line hidden
    kExtFlagLeader = 2, // leader drawn for the text of this segment
    kExtTickOblique = 16,
    kExtTickDot = 32,
    kExtTickCircle = 64,
    kExtTickArrow = 128,
    kExtTickCross = 256,
    kExtTickNone = 512,
    kExtTickMask =
        kExtTickOblique | kExtTickDot | kExtTickCircle | kExtTickArrow | kExtTickCross | kExtTickNone,
};

// Tick symbol codes, as the chain keeps its own in IND_I_LastType.
enum TickSymbol {
    kTickNone = 0,
    kTickOblique = 1,
    kTickDot = 2,
    kTickCircle = 3,
    kTickArrow = 4,
    kTickCross = 5
};

// The override bit of a tick code; 0 for a code that is none of the six.
std::uint32_t TickOverrideBit(int code);
// The code of the override in a word; -1 when it has none.
int TickOverrideCode(std::uint32_t word);
// What an extension shows: its override, else the chain's code.
int ExtTickSymbol(std::uint32_t word, int chainCode);
// The word with its override replaced: none when `code` is the chain's own.
std::uint32_t WithTickSymbol(std::uint32_t word, int code, int chainCode);
// The chain's code when every extension shows it, else -1.
int CommonTickSymbol(std::span<const std::uint32_t> flags, int chainCode);

// An index outside the words counts as visible.
bool IsExtVisible(std::span<const std::uint32_t> flags, int i);
// Sets or clears `bit` of word i and returns the bit's old value (0 or 1); an index
// outside the words changes nothing and returns 0.
int SetExtFlagBit(TRdimExtFlagArray& flags, int i, std::uint32_t bit, bool on);
// With bInsert a zero word goes in at i (for a new extension there, i = size appends);
// then the list must have one word per extension: a list of any other length no longer
// says which word belongs to which extension, so it is resized and cleared.
void SyncExtFlags(TRdimExtFlagArray& flags, int i, bool bInsert, int extensions);
// Drops the word of a removed extension, so the others keep their flags.
void RemoveExtFlag(TRdimExtFlagArray& flags, int i);
