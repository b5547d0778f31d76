#include "host/io/DrawingImage.h"

#include "host/db/database/AcDbHandle.h"
#include "host/io/ByteReader.h"
#include "host/io/Crc32.h"
#include "host/io/DrawingSections.h"
#include "host/io/DrawingSignature.h"
#include "host/win/FormatW.h"
#include "host/win/Utf8.h"

#include <cstring>
#include <unordered_set>
#include <utility>

namespace host::io {

namespace {
// The smallest class record (three empty strings, three numbers, the flags) and
// object record (no data, no graphics): what a count is checked against.
constexpr size_t kMinClassRecord = 4 + 4 + 4 + 4 + 4 + 4 + 1;
constexpr size_t kMinObjectRecord = kMinObjectRecordBytes;
constexpr size_t kMaxClasses = 0xFFFF;

std::wstring handleText(uint64_t h) {
    return AcDbHandle(h).text();
}

bool parseStart(ByteReader& r, DrawingImage& image) {
    const uint8_t* magic = r.skip(kDrawingMagicSize, L"the file signature");
    if (magic && std::memcmp(magic, kDrawingMagic, kDrawingMagicSize) != 0)
        r.fail(0, L"the file does not start with a drawing file's signature");
    const size_t versionAt = r.offset();
    image.version = r.u16(L"the format version");
    const uint16_t flags = r.u16(L"the format flags");
    if (!r.ok()) return false;
    if (image.version == 0 || image.version > kDrawingFormatVersion)
        r.fail(versionAt, FormatW(L"the file has format version %u; this program reads versions 1 to %u "
                                  L"(it was written by a newer program)",
                                  unsigned(image.version), unsigned(kDrawingFormatVersion)));
    else if (flags != 0)
        r.fail(versionAt + 2, FormatW(L"unknown format flags 0x%04X", unsigned(flags)));
    const uint32_t headerSize = r.u32(L"the length of the header");
    image.headerOffset = r.offset();
    image.headerSize = headerSize;
    r.skip(headerSize, L"the header");
    return r.ok();
}

bool parseClass(ByteReader& r, ClassRecord& c, std::unordered_set<std::wstring>& names, size_t index) {
    const size_t at = r.offset();
    c.name = r.string(L"a class name", kMaxClassNameBytes);
    c.dxfName = r.string(L"a class's DXF name", kMaxClassNameBytes);
    c.appName = r.string(L"a class's application name", kMaxAppNameBytes);
    c.proxyFlags = r.u32(L"a class's proxy flags");
    c.dwgVersion = r.i32(L"a class's drawing version");
    c.maintVersion = r.i32(L"a class's maintenance version");
    c.flags = r.u8(L"a class's kind");
    if (!r.ok()) return false;
    if (c.name.empty())
        r.fail(at, FormatW(L"class %zu has no name", index));
    else if (c.flags & ~(kClassIsEntity | kClassIsCustom))
        r.fail(r.offset() - 1,
               FormatW(L"class %s has unknown kind flags 0x%02X", c.name.c_str(), unsigned(c.flags)));
    else if (!names.insert(c.name).second)
        r.fail(at, FormatW(L"class %s is listed twice", c.name.c_str()));
    return r.ok();
}

bool parseClasses(ByteReader& r, DrawingImage& image) {
    const size_t countAt = r.offset();
    const uint32_t count = r.u32(L"the number of classes");
    if (!r.countFits(count, kMinClassRecord, L"the class table")) return false;
    if (count > kMaxClasses) {
        r.fail(countAt, FormatW(L"the class table claims %u classes, more than %zu", count, kMaxClasses));
        return false;
    }
    image.classes.resize(count);
    std::unordered_set<std::wstring> names;
    for (uint32_t i = 0; i < count; ++i)
        if (!parseClass(r, image.classes[i], names, i)) return false;
    return true;
}

bool parseObject(ByteReader& r, ObjectRecord& o, size_t classCount, uint64_t previousHandle, uint32_t index) {
    o.recordOffset = r.offset();
    o.classIndex = r.u16(L"an object's class");
    o.handle = r.u64(L"an object's handle");
    o.owner = r.u64(L"an object's owner");
    const uint8_t flags = r.u8(L"an object's flags");
    if (!r.ok()) return false;
    if (o.classIndex >= classCount)
        r.fail(o.recordOffset, FormatW(L"object %u names class %u, but the file lists %zu classes", index,
                                       unsigned(o.classIndex), classCount));
    else if (o.handle == 0)
        r.fail(o.recordOffset + 2, FormatW(L"object %u has the null handle", index));
    else if (o.handle <= previousHandle)
        r.fail(o.recordOffset + 2,
               FormatW(L"object %u has handle %s, not after the previous object's %s", index,
                       handleText(o.handle).c_str(), handleText(previousHandle).c_str()));
    else if (flags & ~(kObjectHasGraphics | kObjectErased))
        r.fail(o.recordOffset + 18,
               FormatW(L"object %s has unknown flags 0x%02X", handleText(o.handle).c_str(), unsigned(flags)));
    if (!r.ok()) return false;
    o.dataSize = r.u32(L"the length of an object's data");
    o.dataOffset = r.offset();
    r.skip(o.dataSize, L"an object's data");
    o.hasGraphics = (flags & kObjectHasGraphics) != 0;
    o.erased = (flags & kObjectErased) != 0;
    if (o.hasGraphics) {
        o.graphicsSize = r.u32(L"the length of an object's proxy graphics");
        o.graphicsOffset = r.offset();
        r.skip(o.graphicsSize, L"an object's proxy graphics");
    }
    return r.ok();
}

bool parseObjects(ByteReader& r, DrawingImage& image) {
    const uint32_t count = r.u32(L"the number of objects");
    if (!r.countFits(count, kMinObjectRecord, L"the object list")) return false;
    image.objects.resize(count);
    uint64_t previous = 0;
    for (uint32_t i = 0; i < count; ++i) {
        if (!parseObject(r, image.objects[i], image.classes.size(), previous, i)) return false;
        previous = image.objects[i].handle;
    }
    return true;
}

} // namespace

bool parseObjectRecord(ByteReader& r, ObjectRecord& o, size_t classCount, uint64_t previousHandle,
                       uint32_t index) {
    return parseObject(r, o, classCount, previousHandle, index);
}

bool parseLayoutHead(ByteReader& r, DrawingImage& image) {
    return parseStart(r, image) && parseClasses(r, image);
}

namespace {
bool parseEnd(ByteReader& r, bool verifyChecksum) {
    const size_t at = r.offset();
    const uint32_t stored = r.u32(L"the checksum");
    if (!r.ok()) return false;
    if (verifyChecksum && stored != crc32(r.data(), at))
        r.fail(at, L"the checksum does not match the contents: bytes of the file were changed");
    else if (r.remaining() != 0)
        r.fail(r.offset(), FormatW(L"%zu bytes follow the end of the drawing", r.remaining()));
    return r.ok();
}
} // namespace

bool parseDrawingImage(const uint8_t* data, size_t size, DrawingImage& image, ImageError& error,
                       bool verifyChecksum) {
    if (isPackedVersion(drawingFormatVersion(data, size))) {
        UnpackedDrawing unpacked;
        if (!unpackDrawing(data, size, unpacked, error, verifyChecksum)) return false;
        if (parseDrawingImage(unpacked.layout.data(), unpacked.layout.size(), image, error, false))
            return true;
        error.offset = unpacked.fileOffsetOf(error.offset);
        return false;
    }
    DrawingImage parsed;
    ByteReader r(data, size);
    if (parseLayoutHead(r, parsed) && parseObjects(r, parsed) && parseEnd(r, verifyChecksum)) {
        image = std::move(parsed);
        return true;
    }
    error.offset = r.errorOffset();
    error.what = r.error();
    return false;
}

// ---- writing ------------------------------------------------------------------------

DrawingImageWriter::DrawingImageWriter() {
    m_bytes.assign(kDrawingMagic, kDrawingMagic + kDrawingMagicSize);
    putU16(kPlainFormatVersion);
    putU16(0);
}

DrawingImageWriter::~DrawingImageWriter() = default;

namespace {
// Object bytes gathered before they are handed to the packer.
constexpr size_t kPackWindow = size_t(1) << 20;
} // namespace

void DrawingImageWriter::beginPackedObjects(uint32_t count, bool withBoxes) {
    m_withBoxes = withBoxes;
    m_boxes.assign(4, 0);
    startPackedDrawing(m_packed, withBoxes ? kBoxedFormatVersion : kPackedFormatVersion);
    const size_t headerAt = kDrawingMagicSize + 4;
    for (auto [from, to] : {std::pair{headerAt, m_classesAt}, std::pair{m_classesAt, m_bytes.size()}}) {
        PartPacker part(m_packed);
        part.add(m_bytes.data() + from, to - from);
        part.finish();
    }
    m_packer = std::make_unique<PartPacker>(m_packed);
    m_bytes.clear();
    m_objects = 0;
    m_announced = count;
    putU32(count);
}

void DrawingImageWriter::packObjectsSoFar() {
    m_packer->add(m_bytes.data(), m_bytes.size());
    m_bytes.clear();
}

void DrawingImageWriter::writeBoxes(const std::vector<uint8_t>& boxes) {
    m_boxes = boxes;
}

void DrawingImageWriter::putLE(uint64_t v, size_t n) {
    for (size_t i = 0; i < n; ++i)
        m_bytes.push_back(uint8_t(v >> (8 * i)));
}

void DrawingImageWriter::patchU32(size_t at, uint32_t v) {
    for (size_t i = 0; i < 4; ++i)
        m_bytes[at + i] = uint8_t(v >> (8 * i));
}

void DrawingImageWriter::putString(const std::wstring& s) {
    const std::string utf8 = toUtf8(s);
    putU32(uint32_t(utf8.size()));
    m_bytes.insert(m_bytes.end(), utf8.begin(), utf8.end());
}

void DrawingImageWriter::beginHeader() {
    m_lengthAt = m_bytes.size();
    putU32(0);
}

void DrawingImageWriter::endHeader() {
    patchU32(m_lengthAt, uint32_t(m_bytes.size() - m_lengthAt - 4));
}

void DrawingImageWriter::writeClasses(const std::vector<ClassRecord>& classes) {
    m_classesAt = m_bytes.size();
    putU32(uint32_t(classes.size()));
    for (const ClassRecord& c : classes) {
        putString(c.name);
        putString(c.dxfName);
        putString(c.appName);
        putU32(c.proxyFlags);
        putU32(uint32_t(c.dwgVersion));
        putU32(uint32_t(c.maintVersion));
        putU8(c.flags);
    }
}

void DrawingImageWriter::beginObjects() {
    m_countAt = m_bytes.size();
    m_objects = 0;
    putU32(0);
}

void DrawingImageWriter::beginObject(uint16_t classIndex, uint64_t handle, uint64_t owner, uint8_t flags) {
    if (m_packer && m_bytes.size() >= kPackWindow) packObjectsSoFar();
    putU16(classIndex);
    putU64(handle);
    putU64(owner);
    putU8(flags);
    m_lengthAt = m_bytes.size();
    putU32(0);
    ++m_objects;
}

void DrawingImageWriter::endObjectData() {
    patchU32(m_lengthAt, uint32_t(m_bytes.size() - m_lengthAt - 4));
}

void DrawingImageWriter::writeGraphics(const std::vector<uint8_t>& graphics) {
    putU32(uint32_t(graphics.size()));
    m_bytes.insert(m_bytes.end(), graphics.begin(), graphics.end());
}

std::vector<uint8_t> DrawingImageWriter::finish(bool packed) {
    if (m_packer) {
        packObjectsSoFar();
        m_packer->finish();
        m_packer.reset();
        if (m_withBoxes) {
            PartPacker boxes(m_packed);
            boxes.add(m_boxes.data(), m_boxes.size());
            boxes.finish();
        }
        if (m_objects != m_announced) m_packed.clear();
        return std::move(m_packed);
    }
    patchU32(m_countAt, m_objects);
    if (packed) return packDrawing(m_bytes, {kDrawingMagicSize + 4, m_classesAt, m_countAt, m_bytes.size()});
    putU32(crc32(m_bytes.data(), m_bytes.size()));
    return std::move(m_bytes);
}

} // namespace host::io
