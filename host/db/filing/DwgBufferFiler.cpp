#include "host/db/filing/DwgBufferFiler.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/rx/acutString.h"
#include "host/win/Utf8.h"

#include <bit>
#include <cstdlib>
#include <cstring>

ACRX_HOST_DEFINE_MEMBERS(AcDbDwgFiler, AcRxObject, L"", nullptr)

Acad::ErrorStatus AcDbDwgFiler::dwgVersion(AcDb::AcDbDwgVersion& ver, AcDb::MaintenanceReleaseVersion& maintVer) const {
    ver = AcDb::kDHL_CURRENT;
    maintVer = AcDb::kMReleaseCurrent;
    return Acad::eOk;
}

namespace host {

namespace {
// Strings carry this length for a null string.
constexpr uint32_t kNullString = 0xFFFFFFFFu;

// Ids in drawing files are handles; copies and undo stay in this process and keep
// the slot itself, so they work for ids of any database and for objects not in one.
bool filesHandles(AcDb::FilerType t) {
    return t == AcDb::kFileFiler || t == AcDb::kWblockCloneFiler || t == AcDb::kPageFiler;
}
} // namespace

DwgBufferFiler::DwgBufferFiler(AcDb::FilerType type, AcDbDatabase* db) : m_type(type), m_db(db) {}

DwgBufferFiler::DwgBufferFiler(const std::vector<uint8_t>& bytes, AcDb::FilerType type, AcDbDatabase* db)
    : m_type(type), m_db(db), m_bytes(bytes) {}

std::vector<uint8_t> DwgBufferFiler::takeBytes() {
    std::vector<uint8_t> out;
    out.swap(m_bytes);
    m_pos = 0;
    return out;
}

void DwgBufferFiler::setBytes(std::vector<uint8_t> bytes) {
    m_bytes = std::move(bytes);
    m_pos = 0;
    m_status = Acad::eOk;
}

const uint8_t* DwgBufferFiler::take(size_t n) {
    if (m_status != Acad::eOk) return nullptr;
    if (n > bytesRemaining()) {
        m_status = Acad::eEndOfFile;
        return nullptr;
    }
    const uint8_t* p = m_bytes.data() + m_pos;
    m_pos += n;
    return p;
}

uint64_t DwgBufferFiler::takeLE(size_t n) {
    const uint8_t* p = take(n);
    if (!p) return 0;
    uint64_t v = 0;
    for (size_t i = 0; i < n; ++i) v |= uint64_t(p[i]) << (8 * i);
    return v;
}

void DwgBufferFiler::putLE(uint64_t v, size_t n) {
    uint8_t b[8];
    for (size_t i = 0; i < n; ++i) b[i] = uint8_t(v >> (8 * i));
    writeBytes(b, n);
}

Acad::ErrorStatus DwgBufferFiler::readBoolean(Adesk::Boolean* v) {
    uint8_t b = uint8_t(takeLE(1));
    if (v) *v = b != 0;
    return m_status;
}

Acad::ErrorStatus DwgBufferFiler::readDouble(double* v) {
    uint64_t bits = takeLE(8);
    if (v) *v = std::bit_cast<double>(bits);
    return m_status;
}

Acad::ErrorStatus DwgBufferFiler::writeDouble(double v) {
    putLE(std::bit_cast<uint64_t>(v), 8);
    return m_status;
}

Acad::ErrorStatus DwgBufferFiler::readPoint2d(AcGePoint2d* v) {
    double x = 0, y = 0;
    readDouble(&x);
    readDouble(&y);
    if (v) *v = m_status == Acad::eOk ? AcGePoint2d(x, y) : AcGePoint2d();
    return m_status;
}

Acad::ErrorStatus DwgBufferFiler::writePoint2d(const AcGePoint2d& v) {
    writeDouble(v.x);
    return writeDouble(v.y);
}

Acad::ErrorStatus DwgBufferFiler::readPoint3d(AcGePoint3d* v) {
    double x = 0, y = 0, z = 0;
    readDouble(&x);
    readDouble(&y);
    readDouble(&z);
    if (v) *v = m_status == Acad::eOk ? AcGePoint3d(x, y, z) : AcGePoint3d();
    return m_status;
}

Acad::ErrorStatus DwgBufferFiler::writePoint3d(const AcGePoint3d& v) {
    writeDouble(v.x);
    writeDouble(v.y);
    return writeDouble(v.z);
}

Acad::ErrorStatus DwgBufferFiler::readVector2d(AcGeVector2d* v) {
    double x = 0, y = 0;
    readDouble(&x);
    readDouble(&y);
    if (v) *v = m_status == Acad::eOk ? AcGeVector2d(x, y) : AcGeVector2d();
    return m_status;
}

Acad::ErrorStatus DwgBufferFiler::writeVector2d(const AcGeVector2d& v) {
    writeDouble(v.x);
    return writeDouble(v.y);
}

Acad::ErrorStatus DwgBufferFiler::readVector3d(AcGeVector3d* v) {
    double x = 0, y = 0, z = 0;
    readDouble(&x);
    readDouble(&y);
    readDouble(&z);
    if (v) *v = m_status == Acad::eOk ? AcGeVector3d(x, y, z) : AcGeVector3d();
    return m_status;
}

Acad::ErrorStatus DwgBufferFiler::writeVector3d(const AcGeVector3d& v) {
    writeDouble(v.x);
    writeDouble(v.y);
    return writeDouble(v.z);
}

Acad::ErrorStatus DwgBufferFiler::readBytes(void* buffer, Adesk::UIntPtr count) {
    if (count == 0) return m_status;
    const uint8_t* p = take(count);
    if (p && buffer)
        std::memcpy(buffer, p, count);
    else if (buffer)
        std::memset(buffer, 0, count);
    return m_status;
}

Acad::ErrorStatus DwgBufferFiler::writeBytes(const void* buffer, Adesk::UIntPtr count) {
    if (count == 0) return m_status;
    if (!buffer) {
        m_status = Acad::eInvalidInput;
        return m_status;
    }
    const auto* b = static_cast<const uint8_t*>(buffer);
    // Writes go at the position: appended at the end, or over what a seek went back to.
    size_t overlap = std::min(count, m_bytes.size() - std::min(m_pos, m_bytes.size()));
    if (overlap > 0) std::memcpy(m_bytes.data() + m_pos, b, overlap);
    m_bytes.insert(m_bytes.end(), b + overlap, b + count);
    m_pos += count;
    return m_status;
}

Acad::ErrorStatus DwgBufferFiler::readAddress(void** value) {
    uint64_t v = takeLE(8);
    if (value) *value = reinterpret_cast<void*>(uintptr_t(v));
    return m_status;
}

Acad::ErrorStatus DwgBufferFiler::writeAddress(const void* value) {
    putLE(uint64_t(reinterpret_cast<uintptr_t>(value)), 8);
    return m_status;
}

Acad::ErrorStatus DwgBufferFiler::readUtf8(std::string& utf8, bool& isNull) {
    uint32_t n = uint32_t(takeLE(4));
    isNull = false;
    utf8.clear();
    if (m_status != Acad::eOk) return m_status;
    if (n == kNullString) {
        isNull = true;
        return m_status;
    }
    // The length is checked against what is left before anything is allocated.
    const uint8_t* p = take(n);
    if (p) utf8.assign(reinterpret_cast<const char*>(p), n);
    return m_status;
}

Acad::ErrorStatus DwgBufferFiler::readString(wchar_t** value) {
    std::string utf8;
    bool isNull = false;
    readUtf8(utf8, isNull);
    if (!value) return m_status;
    *value = nullptr;
    if (m_status != Acad::eOk || isNull) return m_status;
    acutNewString(fromUtf8(utf8).c_str(), *value);
    return m_status;
}

Acad::ErrorStatus DwgBufferFiler::readString(std::wstring& value) {
    std::string utf8;
    bool isNull = false;
    readUtf8(utf8, isNull);
    value = m_status == Acad::eOk ? fromUtf8(utf8) : std::wstring();
    return m_status;
}

Acad::ErrorStatus DwgBufferFiler::writeString(const wchar_t* value) {
    if (!value) return writeInt(kNullString);
    return writeString(std::wstring(value));
}

Acad::ErrorStatus DwgBufferFiler::writeString(const std::wstring& value) {
    std::string utf8 = toUtf8(value);
    writeInt(uint32_t(utf8.size()));
    return writeBytes(utf8.data(), utf8.size());
}

Acad::ErrorStatus DwgBufferFiler::readBChunk(ads_binary* chunk) {
    Adesk::UInt16 n = 0;
    readInt(&n);
    if (!chunk) return m_status;
    chunk->clen = 0;
    chunk->buf = nullptr;
    if (m_status != Acad::eOk || n == 0) return m_status;
    const uint8_t* p = take(n);
    if (!p || n > 0x7FFF) return m_status;
    chunk->buf = static_cast<char*>(std::malloc(n));
    if (!chunk->buf) return m_status = Acad::eOutOfMemory;
    std::memcpy(chunk->buf, p, n);
    chunk->clen = short(n);
    return m_status;
}

Acad::ErrorStatus DwgBufferFiler::writeBChunk(const ads_binary& chunk) {
    Adesk::UInt16 n = chunk.clen > 0 && chunk.buf ? Adesk::UInt16(chunk.clen) : 0;
    writeInt(n);
    return writeBytes(chunk.buf, n);
}

Acad::ErrorStatus DwgBufferFiler::readAcDbHandle(AcDbHandle* handle) {
    uint64_t v = takeLE(8);
    if (handle) *handle = AcDbHandle(v);
    return m_status;
}

Acad::ErrorStatus DwgBufferFiler::writeAcDbHandle(const AcDbHandle& handle) {
    putLE(handle.value(), 8);
    return m_status;
}

Acad::ErrorStatus DwgBufferFiler::readId(AcDbObjectId* id) {
    uint64_t v = takeLE(8);
    AcDbObjectId result;
    if (m_status == Acad::eOk && v != 0) {
        if (!filesHandles(m_type)) {
            result = reinterpret_cast<AcDbStub*>(uintptr_t(v));
        } else if (m_db) {
            // An id of an object not read yet gets its slot now; the file fills it.
            m_db->getAcDbObjectId(result, true, AcDbHandle(v));
        }
    }
    if (id) *id = result;
    return m_status;
}

Acad::ErrorStatus DwgBufferFiler::writeId(const AcDbObjectId& id) {
    uint64_t v = 0;
    if (!id.isNull()) v = filesHandles(m_type) ? id.handle().value() : uint64_t(uintptr_t(static_cast<AcDbStub*>(id)));
    putLE(v, 8);
    return m_status;
}

Acad::ErrorStatus DwgBufferFiler::seek(Adesk::Int64 offset, int method) {
    Adesk::Int64 base = method == 0 ? 0 : method == 1 ? Adesk::Int64(m_pos) : Adesk::Int64(m_bytes.size());
    Adesk::Int64 target = base + offset;
    if (target < 0 || target > Adesk::Int64(m_bytes.size())) return Acad::eInvalidInput;
    m_pos = size_t(target);
    return Acad::eOk;
}

} // namespace host
