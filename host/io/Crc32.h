#pragma once
// The checksum at the end of a drawing file (the common CRC-32, as in zip and PNG),
// so that bytes changed on the disk or in transit are noticed before anything is
// read as valid data.
#include <cstddef>
#include <cstdint>

namespace host::io {

uint32_t crc32(const uint8_t* data, size_t size, uint32_t seed = 0);

} // namespace host::io
