#pragma once
// Format version 2 of a drawing file keeps the three parts of the layout of
// DrawingImage.h (header, class table, object list) deflated with zlib, each with
// its own CRC-32, so a damaged part is named with its offset before anything is
// unpacked:
//
//   magic (8 bytes), u16 format version 2, u16 flags (0), u32 number of parts (3)
//   per part: u32 unpacked length, u32 packed length, u32 CRC-32 of the packed
//             bytes, the packed bytes (one zlib stream)
//   nothing after the last part
//
// Unpacked, the parts are laid out as version 1 lays them out (start, parts, a
// checksum place), and the same parser reads them. Version 1 files still open.
#include "host/io/DrawingImage.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace host::io {

inline constexpr uint16_t kPlainFormatVersion = 1;
inline constexpr uint16_t kPackedFormatVersion = 2;
inline constexpr size_t kDrawingParts = 3;

// The version field of a file that starts with a drawing's signature; 0 otherwise.
uint16_t drawingFormatVersion(const uint8_t* data, size_t size);

// Where each part of an unpacked layout starts and the layout ends (before its
// checksum): header, classes, objects, end.
using PartBounds = std::array<size_t, kDrawingParts + 1>;

// The plain layout `layout` (version 1, checksum place included) as a version 2 file.
std::vector<uint8_t> packDrawing(const std::vector<uint8_t>& layout, const PartBounds& parts);

// A version 2 file unpacked into the plain layout; `parts` says where each part
// came from, for messages about what is inside.
struct UnpackedDrawing {
    std::vector<uint8_t> layout;
    PartBounds bounds{};                           // in `layout`
    std::array<size_t, kDrawingParts> packedAt{}; // in the file
    // The file offset of the part that holds byte `offset` of the layout.
    size_t fileOffsetOf(size_t offset) const;
};
// Checks the part table and every part's checksum (unless `verifyChecksum` is
// false) before inflating; a damaged part is refused with its offset.
bool unpackDrawing(const uint8_t* data, size_t size, UnpackedDrawing& out, ImageError& error,
                   bool verifyChecksum = true);

} // namespace host::io
