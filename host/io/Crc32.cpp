#include "host/io/Crc32.h"

#include <array>

namespace host::io {

namespace {
constexpr std::array<uint32_t, 256> makeTable() {
    std::array<uint32_t, 256> t{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t c = i;
        for (int k = 0; k < 8; ++k)
            c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        t[i] = c;
    }
    return t;
}
constexpr std::array<uint32_t, 256> kTable = makeTable();
} // namespace

uint32_t crc32(const uint8_t* data, size_t size, uint32_t seed) {
    uint32_t c = ~seed;
    for (size_t i = 0; i < size; ++i)
        c = kTable[(c ^ data[i]) & 0xFFu] ^ (c >> 8);
    return ~c;
}

} // namespace host::io
