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
//
// Format version 3 adds a fourth part, the entities' boxes (EntityBoxes.h), packed
// and checked the same way; versions 1 and 2 still open and their entities are
// drawn to be found.
#include "host/io/DrawingImage.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace host::io {

inline constexpr uint16_t kPlainFormatVersion = 1;
inline constexpr uint16_t kPackedFormatVersion = 2;
inline constexpr uint16_t kBoxedFormatVersion = 3;
// The parts of the layout (header, classes, objects); version 3 adds the box list.
inline constexpr size_t kDrawingParts = 3;
inline constexpr size_t kBoxPart = 3;
inline constexpr size_t kMaxDrawingParts = 4;

// Versions 2 and 3 are packed; how many parts a packed version has.
inline bool isPackedVersion(uint16_t version) {
    return version == kPackedFormatVersion || version == kBoxedFormatVersion;
}
inline size_t packedPartCount(uint16_t version) {
    return version == kBoxedFormatVersion ? kMaxDrawingParts : kDrawingParts;
}

// The version field of a file that starts with a drawing's signature; 0 otherwise.
uint16_t drawingFormatVersion(const uint8_t* data, size_t size);

// Where each part of an unpacked layout starts and the layout ends (before its
// checksum): header, classes, objects, end.
using PartBounds = std::array<size_t, kDrawingParts + 1>;

// The start of a packed file (signature, version, flags, number of parts), for a
// writer that packs its parts itself.
void startPackedDrawing(std::vector<uint8_t>& out, uint16_t version = kPackedFormatVersion);
// The plain layout `layout` (version 1, checksum place included) as a version 2 file.
std::vector<uint8_t> packDrawing(const std::vector<uint8_t>& layout, const PartBounds& parts);

// A version 2 file unpacked into the plain layout; `parts` says where each part
// came from, for messages about what is inside.
struct UnpackedDrawing {
    std::vector<uint8_t> layout;
    PartBounds bounds{};                          // in `layout`
    std::array<size_t, kDrawingParts> packedAt{}; // in the file
    // The file offset of the part that holds byte `offset` of the layout.
    size_t fileOffsetOf(size_t offset) const;
};
// Checks the part table and every part's checksum (unless `verifyChecksum` is
// false) before inflating; a damaged part is refused with its offset.
bool unpackDrawing(const uint8_t* data, size_t size, UnpackedDrawing& out, ImageError& error,
                   bool verifyChecksum = true);

// Where a part's packed bytes are in the file and what it claims to unpack to.
struct PackedPart {
    uint32_t unpacked = 0;
    size_t at = 0; // packed bytes
    uint32_t packed = 0;
};
using PackedParts = std::array<PackedPart, kMaxDrawingParts>;
// The start, the part table and (unless `verifyChecksum` is false) every part's
// checksum, without inflating anything: what a program checks before it loads.
// A version 2 file leaves the box part empty.
bool readPackedParts(const uint8_t* data, size_t size, PackedParts& parts, ImageError& error,
                     bool verifyChecksum = true);
// The start and the first `count` parts unpacked into a plain layout (without the
// parts after them and the checksum place); `bounds` as in UnpackedDrawing.
bool unpackLeadingParts(const uint8_t* data, const PackedParts& parts, size_t count,
                        std::vector<uint8_t>& layout, PartBounds& bounds, ImageError& error);
// One part inflated whole (the box list of version 3).
bool unpackPart(const uint8_t* data, const PackedPart& part, size_t index, std::vector<uint8_t>& out,
                ImageError& error);

// One part packed as its bytes come: appends the part's entry to `out` and fills
// in its lengths and checksum when it finishes, so the unpacked part never has to
// be whole in memory.
class PartPacker {
public:
    explicit PartPacker(std::vector<uint8_t>& out);
    ~PartPacker();
    PartPacker(const PartPacker&) = delete;
    PartPacker& operator=(const PartPacker&) = delete;

    void add(const uint8_t* data, size_t size);
    void finish();

private:
    void run(int flush);

    std::vector<uint8_t>& m_out;
    size_t m_entryAt;
    struct State;
    std::unique_ptr<State> m_z;
};

// One part inflated a window at a time, so a big object list is never whole in
// memory. Never yields more than the part claims; a stream that breaks, ends
// early or holds more than it claims is refused with the file offset where the
// unpacker stood.
class PartStream {
public:
    // `checked`: the part's checksum was verified, so the stream's own is not worked out again.
    PartStream(const uint8_t* file, const PackedPart& part, size_t index, bool checked);
    ~PartStream();
    PartStream(const PartStream&) = delete;
    PartStream& operator=(const PartStream&) = delete;

    // Makes the next `n` bytes readable at data(), or as many as the part has left
    // (fewer than `n` only at its end). False only on damage, with `error` filled.
    bool fill(size_t n, ImageError& error);
    const uint8_t* data() const { return m_buffer.data() + m_begin; }
    size_t buffered() const { return m_end - m_begin; }
    void consume(size_t n) {
        m_begin += n;
        m_consumed += n;
    }
    // Bytes of the part consumed so far, and those it claims beyond them.
    size_t consumed() const { return m_consumed; }
    size_t left() const { return m_part.unpacked - m_consumed; }
    // Once everything is consumed: the stream must end exactly there.
    bool finish(ImageError& error);

private:
    bool start(ImageError& error);
    bool inflateMore(ImageError& error);
    bool broken(int rc, ImageError& error);

    const uint8_t* m_file;
    PackedPart m_part;
    size_t m_index;
    bool m_checked;
    struct State;
    std::unique_ptr<State> m_z;
    std::vector<uint8_t> m_buffer;
    size_t m_begin = 0, m_end = 0;
    size_t m_consumed = 0;
    size_t m_produced = 0;
    bool m_ended = false;
};

} // namespace host::io
