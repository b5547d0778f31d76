#include "host/io/DrawingSections.h"

#include "host/io/ByteReader.h"
#include "host/io/Crc32.h"
#include "host/io/DrawingSignature.h"
#include "host/win/FormatW.h"

#include <zlib.h>

#include <cstring>

namespace host::io {

namespace {

const wchar_t* const kPartNames[kMaxDrawingParts] = {L"header", L"class table", L"object list", L"box list"};
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
    PartPacker packer(out);
    packer.add(data, size);
    packer.finish();
}

// The window a part is inflated into at a time; a record longer than this widens it.
constexpr size_t kStreamWindow = size_t(1) << 20;

bool readPartTable(ByteReader& r, PackedParts& parts, size_t count, bool verifyChecksum) {
    const size_t countAt = r.offset();
    if (r.u32(L"the number of parts") != count && r.ok())
        r.fail(countAt, FormatW(L"the file should have %zu parts", count));
    for (size_t i = 0; i < count && r.ok(); ++i) {
        const size_t at = r.offset();
        PackedPart& p = parts[i];
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
bool inflatePart(const uint8_t* file, const PackedPart& p, uint8_t* out, size_t index, ImageError& error) {
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
    error.what =
        rc == Z_STREAM_END || rc == Z_BUF_ERROR
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

void startPackedDrawing(std::vector<uint8_t>& out, uint16_t version) {
    out.assign(kDrawingMagic, kDrawingMagic + kDrawingMagicSize);
    putU16(out, version);
    putU16(out, 0);
    putU32(out, uint32_t(packedPartCount(version)));
}

std::vector<uint8_t> packDrawing(const std::vector<uint8_t>& layout, const PartBounds& parts) {
    std::vector<uint8_t> out;
    startPackedDrawing(out);
    for (size_t i = 0; i < kDrawingParts; ++i)
        packPart(layout.data() + parts[i], parts[i + 1] - parts[i], out);
    return out;
}

size_t UnpackedDrawing::fileOffsetOf(size_t offset) const {
    for (size_t i = kDrawingParts; i-- > 0;)
        if (offset >= bounds[i]) return packedAt[i];
    return 0;
}

bool readPackedParts(const uint8_t* data, size_t size, PackedParts& parts, ImageError& error,
                     bool verifyChecksum) {
    ByteReader r(data, size);
    r.skip(kStartBytes, L"the file signature");
    const uint16_t flags = r.ok() ? uint16_t(data[kStartBytes - 2] | (data[kStartBytes - 1] << 8)) : 0;
    if (r.ok() && flags != 0)
        r.fail(kStartBytes - 2, FormatW(L"unknown format flags 0x%04X", unsigned(flags)));
    parts = PackedParts{};
    const uint16_t version = drawingFormatVersion(data, size);
    if (r.ok() && readPartTable(r, parts, packedPartCount(version), verifyChecksum)) return true;
    error = {r.errorOffset(), r.error()};
    return false;
}

bool unpackLeadingParts(const uint8_t* data, const PackedParts& parts, size_t count,
                        std::vector<uint8_t>& layout, PartBounds& bounds, ImageError& error) {
    size_t total = kStartBytes;
    for (size_t i = 0; i < count; ++i)
        total += parts[i].unpacked;
    std::vector<uint8_t> out(total);
    std::memcpy(out.data(), data, kStartBytes);
    out[kDrawingMagicSize] = uint8_t(kPlainFormatVersion);
    out[kDrawingMagicSize + 1] = 0;
    size_t at = kStartBytes;
    for (size_t i = 0; i < count; ++i) {
        bounds[i] = at;
        if (!inflatePart(data, parts[i], out.data() + at, i, error)) return false;
        at += parts[i].unpacked;
    }
    bounds[count] = at;
    layout = std::move(out);
    return true;
}

bool unpackPart(const uint8_t* data, const PackedPart& part, size_t index, std::vector<uint8_t>& out,
                ImageError& error) {
    std::vector<uint8_t> bytes(part.unpacked);
    if (!inflatePart(data, part, bytes.data(), index, error)) return false;
    out = std::move(bytes);
    return true;
}

bool unpackDrawing(const uint8_t* data, size_t size, UnpackedDrawing& out, ImageError& error,
                   bool verifyChecksum) {
    PackedParts parts;
    if (!readPackedParts(data, size, parts, error, verifyChecksum)) return false;
    UnpackedDrawing u;
    if (!unpackLeadingParts(data, parts, kDrawingParts, u.layout, u.bounds, error)) return false;
    u.layout.resize(u.layout.size() + 4); // the plain layout's checksum place
    for (size_t i = 0; i < kDrawingParts; ++i)
        u.packedAt[i] = parts[i].at;
    out = std::move(u);
    return true;
}

// ---- one part packed as it comes ---------------------------------------------------

struct PartPacker::State {
    z_stream z{};
    uint32_t crc = 0;
    uint64_t unpacked = 0;
};

PartPacker::PartPacker(std::vector<uint8_t>& out)
    : m_out(out), m_entryAt(out.size()), m_z(std::make_unique<State>()) {
    for (int i = 0; i < 3; ++i)
        putU32(m_out, 0);
    deflateInit(&m_z->z, kPackLevel);
}

PartPacker::~PartPacker() {
    deflateEnd(&m_z->z);
}

// Deflates what was handed over into the free end of `out`, growing it as needed.
void PartPacker::run(int flush) {
    constexpr size_t kRoom = size_t(1) << 16;
    z_stream& z = m_z->z;
    int rc = Z_OK;
    do {
        const size_t at = m_out.size();
        m_out.resize(at + kRoom);
        z.next_out = m_out.data() + at;
        z.avail_out = uInt(kRoom);
        rc = deflate(&z, flush);
        const size_t made = kRoom - z.avail_out;
        m_z->crc = crc32(m_out.data() + at, made, m_z->crc);
        m_out.resize(at + made);
    } while (flush == Z_FINISH ? rc == Z_OK || rc == Z_BUF_ERROR : z.avail_in > 0 || z.avail_out == 0);
}

void PartPacker::add(const uint8_t* data, size_t size) {
    m_z->z.next_in = const_cast<Bytef*>(data);
    m_z->z.avail_in = uInt(size);
    m_z->unpacked += size;
    run(Z_NO_FLUSH);
}

void PartPacker::finish() {
    m_z->z.next_in = nullptr;
    m_z->z.avail_in = 0;
    run(Z_FINISH);
    const uint32_t fields[3] = {uint32_t(m_z->unpacked), uint32_t(m_out.size() - m_entryAt - 12), m_z->crc};
    for (size_t f = 0; f < 3; ++f)
        for (int i = 0; i < 4; ++i)
            m_out[m_entryAt + 4 * f + i] = uint8_t(fields[f] >> (8 * i));
}

// ---- one part, a window at a time -------------------------------------------------

struct PartStream::State {
    z_stream z{};
    bool started = false;
};

PartStream::PartStream(const uint8_t* file, const PackedPart& part, size_t index, bool checked)
    : m_file(file), m_part(part), m_index(index), m_checked(checked), m_z(std::make_unique<State>()) {}

PartStream::~PartStream() {
    if (m_z->started) inflateEnd(&m_z->z);
}

bool PartStream::broken(int rc, ImageError& error) {
    const z_stream& z = m_z->z;
    error.offset = std::min(m_part.at + z.total_in, m_part.at + m_part.packed);
    error.what = rc == Z_STREAM_END || rc == Z_BUF_ERROR || rc == Z_OK
                     ? FormatW(L"the %s does not unpack to the %u bytes it claims", kPartNames[m_index],
                               m_part.unpacked)
                     : FormatW(L"the packed %s is damaged (%s)", kPartNames[m_index],
                               z.msg ? std::wstring(z.msg, z.msg + std::strlen(z.msg)).c_str() : L"bad data");
    return false;
}

bool PartStream::start(ImageError& error) {
    if (m_z->started) return true;
    z_stream& z = m_z->z;
    if (inflateInit(&z) != Z_OK) {
        error = {m_part.at, L"the unpacker could not start"};
        return false;
    }
    m_z->started = true;
    if (m_checked) inflateValidate(&z, 0);
    z.next_in = const_cast<Bytef*>(m_file + m_part.at);
    z.avail_in = m_part.packed;
    return true;
}

// Inflates into the free end of the window, never past what the part claims.
bool PartStream::inflateMore(ImageError& error) {
    if (!start(error)) return false;
    z_stream& z = m_z->z;
    const size_t room = std::min(m_buffer.size() - m_end, size_t(m_part.unpacked) - m_produced);
    z.next_out = m_buffer.data() + m_end;
    z.avail_out = uInt(room);
    const int rc = inflate(&z, Z_NO_FLUSH);
    const size_t made = room - z.avail_out;
    m_end += made;
    m_produced += made;
    if (rc == Z_STREAM_END) m_ended = true;
    if (rc != Z_OK && rc != Z_STREAM_END) return broken(rc, error);
    // Ended short of its claim.
    if (m_ended && m_produced < m_part.unpacked) return broken(Z_BUF_ERROR, error);
    return true;
}

bool PartStream::fill(size_t n, ImageError& error) {
    n = std::min(n, left());
    if (buffered() >= n) return true;
    if (m_begin > 0) {
        std::memmove(m_buffer.data(), m_buffer.data() + m_begin, buffered());
        m_end -= m_begin;
        m_begin = 0;
    }
    if (m_buffer.size() < std::max(n, kStreamWindow)) m_buffer.resize(std::max(n, kStreamWindow));
    while (buffered() < n)
        if (!inflateMore(error)) return false;
    return true;
}

bool PartStream::finish(ImageError& error) {
    if (m_produced != m_part.unpacked) return broken(Z_BUF_ERROR, error);
    if (!m_ended) {
        // Everything claimed came out; the stream must end here and use up its bytes.
        uint8_t extra = 0;
        if (!start(error)) return false;
        z_stream& z = m_z->z;
        z.next_out = &extra;
        z.avail_out = 1;
        const int rc = inflate(&z, Z_FINISH);
        if (rc != Z_STREAM_END || z.avail_out == 0)
            return broken(rc == Z_STREAM_END ? Z_BUF_ERROR : rc, error);
        m_ended = true;
    }
    if (m_z->z.avail_in != 0) return broken(Z_BUF_ERROR, error);
    return true;
}

} // namespace host::io
