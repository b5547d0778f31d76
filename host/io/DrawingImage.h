#pragma once
// The layout of a drawing file, without the meaning of the objects in it:
//
//   magic (8 bytes), u16 format version, u16 flags (0)
//   u32 length, header bytes          the handle seed, the tables, the header variables
//   u32 count, class records         name, DXF name, application, proxy flags,
//                                    drawing and maintenance version, u8 kind flags
//   u32 count, object records        in handle order: u16 class index, u64 handle,
//                                    u64 owner handle, u8 flags, u32 length and the
//                                    bytes dwgOutFields wrote, and with flag 1 a u32
//                                    length and the proxy graphics (flag 2: erased)
//   u32 CRC-32 of everything before it; nothing after it
//
// All numbers little-endian, strings a u32 length and UTF-8. Parsing checks every
// length and count against the bytes that are there, handle order, class indices
// and the checksum, so a file that passes can be read object by object without a
// read ever leaving the buffer.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace host::io {

inline constexpr uint8_t kClassIsEntity = 0x01;
inline constexpr uint8_t kClassIsCustom = 0x02; // not the host's own: drawn from proxy graphics elsewhere
inline constexpr uint8_t kObjectHasGraphics = 0x01;
// Erased objects are kept, so that every id the drawing holds still names an
// object (a block's list holds its erased entities too).
inline constexpr uint8_t kObjectErased = 0x02;
inline constexpr size_t kMaxClassNameBytes = 256;
inline constexpr size_t kMaxAppNameBytes = 4096;

struct ClassRecord {
    std::wstring name;
    std::wstring dxfName;
    std::wstring appName;
    uint32_t proxyFlags = 0;
    int32_t dwgVersion = 0;
    int32_t maintVersion = 0;
    uint8_t flags = 0;

    bool operator==(const ClassRecord&) const = default;
};

struct ObjectRecord {
    uint16_t classIndex = 0;
    uint64_t handle = 0;
    uint64_t owner = 0;
    size_t recordOffset = 0;
    size_t dataOffset = 0;
    size_t dataSize = 0;
    bool hasGraphics = false;
    bool erased = false;
    size_t graphicsOffset = 0;
    size_t graphicsSize = 0;
};

struct DrawingImage {
    uint16_t version = 0;
    size_t headerOffset = 0;
    size_t headerSize = 0;
    std::vector<ClassRecord> classes;
    std::vector<ObjectRecord> objects;
};

struct ImageError {
    size_t offset = 0;
    std::wstring what;
};

// Fills `image` with offsets into `data`, which must outlive it. The checksum is
// not verified when `verifyChecksum` is false (the fuzzer, which cannot forge it).
// A packed file (DrawingSections.h) is unpacked and checked whole; its offsets
// then count in the unpacked layout, which only unpackDrawing gives.
bool parseDrawingImage(const uint8_t* data, size_t size, DrawingImage& image, ImageError& error,
                       bool verifyChecksum = true);

// The pieces of parseDrawingImage, for a reader that takes the object list a
// window at a time: the start, the header and the class table; one object record
// (its offsets count in the reader's buffer).
class ByteReader;
inline constexpr size_t kMinObjectRecordBytes = 2 + 8 + 8 + 1 + 4;
bool parseLayoutHead(ByteReader& r, DrawingImage& image);
bool parseObjectRecord(ByteReader& r, ObjectRecord& o, size_t classCount, uint64_t previousHandle,
                       uint32_t index);

// Writes the parts of the layout in order into a growing byte buffer; lengths
// and counts are filled in when their part ends.
class PartPacker;
class DrawingImageWriter {
public:
    DrawingImageWriter();
    ~DrawingImageWriter();
    std::vector<uint8_t>& bytes() { return m_bytes; }

    // The header part: write its bytes between the two calls.
    void beginHeader();
    void endHeader();
    void writeClasses(const std::vector<ClassRecord>& classes);
    void beginObjects();
    // For a packed file instead: the header and the class table are packed at once
    // and the objects as they come, a window at a time, so the plain layout is
    // never whole in memory; the number of objects that will follow is given here.
    // With `withBoxes` the file is version 3 and gets a box list (writeBoxes).
    void beginPackedObjects(uint32_t count, bool withBoxes = false);
    // One object: its data bytes are appended between beginObject and endObjectData.
    void beginObject(uint16_t classIndex, uint64_t handle, uint64_t owner, uint8_t flags);
    void endObjectData();
    void writeGraphics(const std::vector<uint8_t>& graphics);
    // After the last object of a version 3 file: its box list (EntityBoxes.h),
    // packed as the fourth part (a list of no groups when it is not given).
    void writeBoxes(const std::vector<uint8_t>& boxes);
    // Fills in the object count and appends the checksum; returns the file's bytes,
    // with `packed` its parts deflated (format version 2). After beginPackedObjects,
    // the packed file (empty when fewer or more objects came than were announced).
    std::vector<uint8_t> finish(bool packed = false);

    void putU8(uint8_t v) { m_bytes.push_back(v); }
    void putU16(uint16_t v) { putLE(v, 2); }
    void putU32(uint32_t v) { putLE(v, 4); }
    void putU64(uint64_t v) { putLE(v, 8); }
    void putString(const std::wstring& s);

private:
    void putLE(uint64_t v, size_t n);
    void patchU32(size_t at, uint32_t v);

    void packObjectsSoFar();

    std::vector<uint8_t> m_bytes;
    std::vector<uint8_t> m_packed;
    std::vector<uint8_t> m_boxes;
    bool m_withBoxes = false;
    std::unique_ptr<PartPacker> m_packer;
    uint32_t m_announced = 0;
    size_t m_lengthAt = 0;
    size_t m_countAt = 0;
    size_t m_classesAt = 0;
    uint32_t m_objects = 0;
};

} // namespace host::io
