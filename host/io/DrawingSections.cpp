#include "host/io/DrawingSections.h"

#include "host/io/ByteReader.h"
#include "host/io/Crc32.h"
#include "host/io/DrawingSignature.h"
#include "host/win/FormatW.h"

#include <zlib.h>

#include <cstring>

namespace host::io {

namespace {

const wchar_t* const kPartNames[kDrawingParts] = {L"header", L"class table", L"object list"};
// Deflate never packs better than about 1032 to 1: a part that claims more was not
// written by deflate, and is refused before anyone allocates for it.
constexpr uint64_t kMaxInflateRatio = 1032;
constexpr uint32_t kMaxPartBytes = uint32_t(1) << 30;
// Fast and small enough: the level past which packing costs more time than it saves bytes.
constexpr int kPackLevel = 6;
constexpr size_t kStartBytes = kDrawingMagicSize + 2 + 2;

void putU32(std::vector<uint8_t>& b, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b.push_back(uint8_t(v >> (8 * i)));
}

void putU16(std::vector<uint8_t>& b, uint16_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}

void packPart(const uint8_t* data, size_t size, std::vector<uint8_t>& out) {
    putU32(out, uint32_t(size));
    const size_t head = out.size();
    putU32(out, 0);
    putU32(out, 0);
    uLongf packed = compressBound(uLong(size));
    out.resize(out.size() + packed);
    compress2(out.data() + head + 8, &packed, data, uLong(size), kPackLevel);
    out.resize(head + 8 + packed);
    const uint32_t crc = crc32(out.data() + head + 8, packed);
    for (int i = 0; i < 4; ++i) {
        out[head + i] = uint8_t(uint32_t(packed) >> (8 * i));
        out[head + 4 + i] = uint8_t(crc >> (8 * i));
    }
}

struct PartEntry {
    uint32_t unpacked = 0;
    size_t at = 0; // packed bytes
    uint32_t packed = 0;
};

bool readPartTable(ByteReader& r, std::array<PartEntry, kDrawingParts>& parts, bool verifyChecksum) {
    const size_t countAt = r.offset();
    if (r.u32(L"the number of parts") != kDrawingParts && r.ok())
        r.fail(countAt, FormatW(L"the file should have %zu parts", kDrawingParts));
    for (size_t i = 0; i < kDrawingParts && r.ok(); ++i) {
        const size_t at = r.offset();
        PartEntry& p = parts[i];
        p.unpacked = r.u32(L"the unpacked length of a part");
        p.packed = r.u32(L"the packed length of a part");
        const uint32_t stored = r.u32(L"the checksum of a part");
        p.at = r.offset();
        if (!r.skip(p.packed, kPartNames[i])) break;
        if (p.unpacked > kMaxPartBytes || uint64_t(p.unpacked) > uint64_t(p.packed) * kMaxInflateRatio + 64)
            r.fail(at, FormatW(L"the %s claims %u bytes unpacked from %u, more than packing can give",
                               kPartNames[i], p.unpacked, p.packed));
        else if (verifyChecksum && stored != crc32(r.data() + p.at, p.packed))
            r.fail(p.at, FormatW(L"the checksum of the %s does not match its bytes: bytes of the file were "
                                 L"changed",
                                 kPartNames[i]));
    }
    if (r.ok() && r.remaining() != 0)
        r.fail(r.offset(), FormatW(L"%zu bytes follow the end of the drawing", r.remaining()));
    return r.ok();
}

// Inflates one part to exactly its unpacked length; where the stream breaks is the offset.
bool inflatePart(const uint8_t* file, const PartEntry& p, uint8_t* out, size_t index, ImageError& error) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK) {
        error = {p.at, L"the unpacker could not start"};
        return false;
    }
    z.next_in = const_cast<Bytef*>(file + p.at);
    z.avail_in = p.packed;
    z.next_out = out;
    z.avail_out = p.unpacked;
    const int rc = inflate(&z, Z_FINISH);
    const size_t where = p.at + z.total_in;
    const bool whole = rc == Z_STREAM_END && z.total_out == p.unpacked && z.avail_in == 0;
    inflateEnd(&z);
    if (whole) return true;
    error.offset = std::min(where, p.at + p.packed);
    error.what = rc == Z_STREAM_END || rc == Z_BUF_ERROR
                     ? FormatW(L"the %s does not unpack to the %u bytes it claims", kPartNames[index], p.unpacked)
                     : FormatW(L"the packed %s is damaged (%s)", kPartNames[index],
                               z.msg ? std::wstring(z.msg, z.msg + std::strlen(z.msg)).c_str() : L"bad data");
    return false;
}

} // namespace

uint16_t drawingFormatVersion(const uint8_t* data, size_t size) {
    if (size < kStartBytes || std::memcmp(data, kDrawingMagic, kDrawingMagicSize) != 0) return 0;
    return uint16_t(data[kDrawingMagicSize] | (data[kDrawingMagicSize + 1] << 8));
}

std::vector<uint8_t> packDrawing(const std::vector<uint8_t>& layout, const PartBounds& parts) {
    std::vector<uint8_t> out(kDrawingMagic, kDrawingMagic + kDrawingMagicSize);
    putU16(out, kPackedFormatVersion);
    putU16(out, 0);
    putU32(out, uint32_t(kDrawingParts));
    for (size_t i = 0; i < kDrawingParts; ++i)
        packPart(layout.data() + parts[i], parts[i + 1] - parts[i], out);
    return out;
}

size_t UnpackedDrawing::fileOffsetOf(size_t offset) const {
    for (size_t i = kDrawingParts; i-- > 0;)
        if (offset >= bounds[i]) return packedAt[i];
    return 0;
}

bool unpackDrawing(const uint8_t* data, size_t size, UnpackedDrawing& out, ImageError& error,
                   bool verifyChecksum) {
    ByteReader r(data, size);
    r.skip(kStartBytes, L"the file signature");
    const uint16_t flags = r.ok() ? uint16_t(data[kStartBytes - 2] | (data[kStartBytes - 1] << 8)) : 0;
    if (r.ok() && flags != 0) r.fail(kStartBytes - 2, FormatW(L"unknown format flags 0x%04X", unsigned(flags)));
    std::array<PartEntry, kDrawingParts> parts;
    if (!r.ok() || !readPartTable(r, parts, verifyChecksum)) {
        error = {r.errorOffset(), r.error()};
        return false;
    }
    size_t total = kStartBytes + 4;
    for (const PartEntry& p : parts)
        total += p.unpacked;
    UnpackedDrawing u;
    u.layout.resize(total);
    std::memcpy(u.layout.data(), data, kStartBytes);
    u.layout[kDrawingMagicSize] = uint8_t(kPlainFormatVersion);
    u.layout[kDrawingMagicSize + 1] = 0;
    size_t at = kStartBytes;
    for (size_t i = 0; i < kDrawingParts; ++i) {
        u.bounds[i] = at;
        u.packedAt[i] = parts[i].at;
        if (!inflatePart(data, parts[i], u.layout.data() + at, i, error)) return false;
        at += parts[i].unpacked;
    }
    u.bounds[kDrawingParts] = at;
    out = std::move(u);
    return true;
}

} // namespace host::io
