#include "host/io/DrawingReader.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/io/ByteReader.h"
#include "host/io/DrawingImage.h"
#include "host/io/DrawingLoader.h"
#include "host/io/DrawingSections.h"
#include "host/io/DrawingSignature.h"
#include "host/io/EntityBoxes.h"
#include "host/win/FormatW.h"

namespace host::io {

namespace {

bool refuse(DrawingReadReport& report, const std::wstring& name, size_t offset, const std::wstring& what) {
    report.errorOffset = offset;
    report.error = FormatW(L"\"%s\" is damaged at byte %zu: %s.", name.c_str(), offset, what.c_str());
    report.status = Acad::eDwgNotRecoverable;
    return false;
}

// Another program's file, or no drawing at all: false with the report filled.
bool isOurs(const uint8_t* data, size_t size, const std::wstring& name, DrawingReadReport& report) {
    const DrawingSignature signature = sniffDrawingFile(data, size);
    if (signature.kind == DrawingFileKind::Ours) return true;
    report.error = foreignFileMessage(name, signature);
    report.status =
        signature.kind == DrawingFileKind::OtherDwg ? Acad::eInvalidDwgVersion : Acad::eInvalidInput;
    return false;
}

// A plain file is checked whole, then its objects are made from its own bytes.
bool loadPlain(const uint8_t* data, size_t size, const std::wstring& name, AcDbDatabase* db,
               DrawingReadReport& report, bool verifyChecksum) {
    DrawingImage image;
    ImageError imageError;
    if (!parseDrawingImage(data, size, image, imageError, verifyChecksum))
        return refuse(report, name, imageError.offset, imageError.what);
    DrawingLoader loader(image, db, report);
    bool ok = loader.begin(data);
    for (size_t i = 0; ok && i < image.objects.size(); ++i)
        ok = loader.readObject(image.objects[i], data);
    if (ok && loader.end()) return true;
    return refuse(report, name, loader.failure().offset, loader.failure().what);
}

// Reads the object list of a packed file a window at a time and makes each object
// as soon as its record is checked. Damage is reported at the part's packed bytes.
class ObjectStreamReader {
public:
    // Without a loader the records are only checked.
    ObjectStreamReader(const uint8_t* data, const PackedPart& part, bool checked, const DrawingImage& image,
                       DrawingLoader* loader)
        : m_stream(data, part, kDrawingParts - 1, checked), m_part(part), m_image(image), m_loader(loader) {}

    bool run();
    const ImageError& error() const { return m_error; }

private:
    bool fail(std::wstring what) {
        m_error = {m_part.at, std::move(what)};
        return false;
    }
    bool readCount(uint32_t& count);
    // Brings the whole of the next record into the window (or what is left of the part).
    bool fillRecord();
    uint32_t u32At(size_t at) const {
        const uint8_t* b = m_stream.data() + at;
        return b[0] | b[1] << 8 | b[2] << 16 | uint32_t(b[3]) << 24;
    }

    PartStream m_stream;
    PackedPart m_part;
    const DrawingImage& m_image;
    DrawingLoader* m_loader;
    ImageError m_error;
};

bool ObjectStreamReader::readCount(uint32_t& count) {
    if (!m_stream.fill(4, m_error)) return false;
    ByteReader r(m_stream.data(), m_stream.buffered());
    count = r.u32(L"the number of objects");
    if (!r.ok()) return fail(r.error());
    m_stream.consume(4);
    if (count > m_stream.left() / kMinObjectRecordBytes)
        return fail(FormatW(L"the object list claims %u entries, more than the %zu bytes left can hold",
                            count, m_stream.left()));
    return true;
}

bool ObjectStreamReader::fillRecord() {
    constexpr size_t kFlagsAt = 18, kLengthAt = 19;
    size_t need = kMinObjectRecordBytes;
    if (!m_stream.fill(need, m_error)) return false;
    if (m_stream.buffered() < need) return true;
    const bool graphics = (m_stream.data()[kFlagsAt] & kObjectHasGraphics) != 0;
    need += size_t(u32At(kLengthAt)) + (graphics ? 4 : 0);
    if (!m_stream.fill(need, m_error)) return false;
    if (!graphics || m_stream.buffered() < need) return true;
    return m_stream.fill(need + u32At(need - 4), m_error);
}

bool ObjectStreamReader::run() {
    uint32_t count = 0;
    if (!readCount(count)) return false;
    uint64_t previous = 0;
    for (uint32_t i = 0; i < count; ++i) {
        if (!fillRecord()) return false;
        ByteReader r(m_stream.data(), m_stream.buffered());
        ObjectRecord rec;
        if (!parseObjectRecord(r, rec, m_image.classes.size(), previous, i)) return fail(r.error());
        if (m_loader && !m_loader->readObject(rec, m_stream.data())) return fail(m_loader->failure().what);
        previous = rec.handle;
        m_stream.consume(r.offset());
    }
    if (m_stream.left() != 0)
        return fail(FormatW(L"%zu bytes follow the end of the drawing", m_stream.left()));
    return m_stream.finish(m_error);
}

// What a packed file holds before its object list: the part table, and the header
// and the class table unpacked whole (they are small).
struct PackedHead {
    uint16_t version = 0;
    PackedParts parts;
    std::vector<uint8_t> head;
    PartBounds bounds{};
    DrawingImage image;
};

bool openPacked(const uint8_t* data, size_t size, PackedHead& p, ImageError& error, bool verifyChecksum) {
    p.version = drawingFormatVersion(data, size);
    if (!readPackedParts(data, size, p.parts, error, verifyChecksum) ||
        !unpackLeadingParts(data, p.parts, kDrawingParts - 1, p.head, p.bounds, error))
        return false;
    ByteReader r(p.head.data(), p.head.size());
    // The header part is the header's length and the header: nothing less, nothing more.
    const size_t at = p.bounds[0];
    const uint8_t* length = p.head.data() + at;
    const bool headerFits =
        p.bounds[1] - at >= 4 &&
        at + 4 + (length[0] | length[1] << 8 | length[2] << 16 | size_t(length[3]) << 24) == p.bounds[1];
    if (!headerFits)
        r.fail(at, L"the length of the header does not match its part");
    else if (parseLayoutHead(r, p.image) && r.remaining() != 0)
        r.fail(r.offset(), FormatW(L"%zu bytes follow the last class", r.remaining()));
    if (r.ok()) return true;
    error = {p.parts[r.errorOffset() >= p.bounds[1] ? 1 : 0].at, r.error()};
    return false;
}

// The box list of a version 3 file, once every object is in (checked only, without a database).
bool readBoxes(const uint8_t* data, const PackedHead& p, AcDbDatabase* db, ImageError& error) {
    if (p.version != kBoxedFormatVersion) return true;
    std::vector<uint8_t> boxes;
    const PackedPart& part = p.parts[kBoxPart];
    return unpackPart(data, part, kBoxPart, boxes, error) &&
           readEntityBoxes(boxes.data(), boxes.size(), db, part.at, error);
}

// The object list a window at a time, so a big drawing is never whole in memory twice.
bool loadPacked(const uint8_t* data, size_t size, const std::wstring& name, AcDbDatabase* db,
                DrawingReadReport& report, bool verifyChecksum) {
    PackedHead p;
    ImageError error;
    if (!openPacked(data, size, p, error, verifyChecksum))
        return refuse(report, name, error.offset, error.what);
    DrawingLoader loader(p.image, db, report);
    if (!loader.begin(p.head.data())) return refuse(report, name, p.parts[0].at, loader.failure().what);
    ObjectStreamReader objects(data, p.parts[kDrawingParts - 1], verifyChecksum, p.image, &loader);
    if (!objects.run()) return refuse(report, name, objects.error().offset, objects.error().what);
    if (!loader.end())
        return refuse(report, name, p.parts[loader.failure().inObjects ? kDrawingParts - 1 : 0].at,
                      loader.failure().what);
    if (!readBoxes(data, p, db, error)) return refuse(report, name, error.offset, error.what);
    return true;
}

bool readInto(const uint8_t* data, size_t size, const std::wstring& name, AcDbDatabase* db,
              DrawingReadReport& report, bool verifyChecksum) {
    if (!isOurs(data, size, name, report)) return false;
    const bool ok = isPackedVersion(drawingFormatVersion(data, size))
                        ? loadPacked(data, size, name, db, report, verifyChecksum)
                        : loadPlain(data, size, name, db, report, verifyChecksum);
    if (ok) {
        db->setModifiedSinceSave(false);
        return true;
    }
    report.warnings.clear();
    report.objectCount = report.proxyCount = 0;
    return false;
}

} // namespace

std::unique_ptr<AcDbDatabase> drawingFromBytes(const uint8_t* data, size_t size, const std::wstring& name,
                                               DrawingReadReport& report, const DrawingReadOptions& options) {
    report = DrawingReadReport();
    if (!isOurs(data, size, name, report)) return nullptr;
    auto db = std::make_unique<AcDbDatabase>(false, true);
    if (!readInto(data, size, name, db.get(), report, options.verifyChecksum)) return nullptr;
    return db;
}

bool checkDrawingBytes(const uint8_t* data, size_t size, const std::wstring& name,
                       DrawingReadReport& report) {
    report = DrawingReadReport();
    if (!isOurs(data, size, name, report)) return false;
    ImageError imageError;
    if (isPackedVersion(drawingFormatVersion(data, size))) {
        // The part table and each part's checksum; what is inside is checked as it is read.
        PackedParts parts;
        if (readPackedParts(data, size, parts, imageError)) return true;
        return refuse(report, name, imageError.offset, imageError.what);
    }
    DrawingImage image;
    if (parseDrawingImage(data, size, image, imageError)) return true;
    return refuse(report, name, imageError.offset, imageError.what);
}

bool checkDrawingLayout(const uint8_t* data, size_t size, ImageError& error) {
    if (!isPackedVersion(drawingFormatVersion(data, size))) {
        DrawingImage image;
        return parseDrawingImage(data, size, image, error);
    }
    PackedHead p;
    if (!openPacked(data, size, p, error, true)) return false;
    ObjectStreamReader objects(data, p.parts[kDrawingParts - 1], true, p.image, nullptr);
    if (!objects.run()) {
        error = objects.error();
        return false;
    }
    return readBoxes(data, p, nullptr, error);
}

bool drawingIntoDatabase(const uint8_t* data, size_t size, const std::wstring& name, AcDbDatabase* target,
                         DrawingReadReport& report) {
    report = DrawingReadReport();
    if (!target || target->approxNumObjects() != 0) {
        report.error =
            L"A drawing can only be read into an empty database (one made without a default drawing).";
        report.status = Acad::eInvalidInput;
        return false;
    }
    // One read, straight into the target (AcDbDatabase::readDwgFile takes back what a
    // file damaged halfway brought in).
    return readInto(data, size, name, target, report, true);
}

} // namespace host::io
