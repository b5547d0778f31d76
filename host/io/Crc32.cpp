#include "host/io/Crc32.h"

#include <zlib.h>

#include <algorithm>
#include <climits>

namespace host::io {

// zlib's CRC-32 works on several bytes per step, and its uInt length is taken in slices.
uint32_t crc32(const uint8_t* data, size_t size, uint32_t seed) {
    uLong c = seed;
    while (size > 0) {
        const size_t n = std::min<size_t>(size, UINT_MAX);
        c = ::crc32(c, data, uInt(n));
        data += n;
        size -= n;
    }
    return uint32_t(c);
}

} // namespace host::io
