#pragma once
// The host's one concrete DWG filer: a byte buffer with explicit little-endian
// integers and doubles and length-prefixed UTF-8 strings, never raw memory. The
// same class serves drawing files, copies, undo and cloning (filerType tells
// which). Ids are filed as handles and resolved in the filer's database on
// reading, so the bytes of one database read into another.
//
// Reading never trusts a length: a read past the end sets the status to
// eEndOfFile, yields zero values and leaves the buffer alone.
#include "host/db/filing/AcDbDwgFiler.h"

#include <cstdint>
#include <type_traits>
#include <vector>

namespace host {

class DwgBufferFiler : public AcDbDwgFiler {
public:
    explicit DwgBufferFiler(AcDb::FilerType type = AcDb::kFileFiler, AcDbDatabase* db = nullptr);
    // A reader over a copy of `bytes`.
    DwgBufferFiler(const std::vector<uint8_t>& bytes, AcDb::FilerType type, AcDbDatabase* db);

    Acad::ErrorStatus filerStatus() const override { return m_status; }
    AcDb::FilerType filerType() const override { return m_type; }
    void setFilerStatus(Acad::ErrorStatus status) override { m_status = status; }
    void resetFilerStatus() override { m_status = Acad::eOk; }
    AcDbDatabase* database() const override { return m_db; }
    void setDatabase(AcDbDatabase* db) { m_db = db; }
    void setFilerType(AcDb::FilerType type) { m_type = type; }

    const std::vector<uint8_t>& bytes() const { return m_bytes; }
    std::vector<uint8_t> takeBytes();
    // Replaces the contents and rewinds; the status is reset.
    void setBytes(std::vector<uint8_t> bytes);
    void rewind() { m_pos = 0; }
    size_t position() const { return m_pos; }
    size_t bytesRemaining() const { return m_pos < m_bytes.size() ? m_bytes.size() - m_pos : 0; }

    Acad::ErrorStatus readHardOwnershipId(AcDbHardOwnershipId* id) override { return readId(id); }
    Acad::ErrorStatus writeHardOwnershipId(const AcDbHardOwnershipId& id) override { return writeId(id); }
    Acad::ErrorStatus readSoftOwnershipId(AcDbSoftOwnershipId* id) override { return readId(id); }
    Acad::ErrorStatus writeSoftOwnershipId(const AcDbSoftOwnershipId& id) override { return writeId(id); }
    Acad::ErrorStatus readHardPointerId(AcDbHardPointerId* id) override { return readId(id); }
    Acad::ErrorStatus writeHardPointerId(const AcDbHardPointerId& id) override { return writeId(id); }
    Acad::ErrorStatus readSoftPointerId(AcDbSoftPointerId* id) override { return readId(id); }
    Acad::ErrorStatus writeSoftPointerId(const AcDbSoftPointerId& id) override { return writeId(id); }

    Acad::ErrorStatus readString(wchar_t** value) override;
    Acad::ErrorStatus writeString(const wchar_t* value) override;
    Acad::ErrorStatus readString(std::wstring& value) override;
    Acad::ErrorStatus writeString(const std::wstring& value) override;
    Acad::ErrorStatus readBChunk(ads_binary* chunk) override;
    Acad::ErrorStatus writeBChunk(const ads_binary& chunk) override;
    Acad::ErrorStatus readAcDbHandle(AcDbHandle* handle) override;
    Acad::ErrorStatus writeAcDbHandle(const AcDbHandle& handle) override;

    Acad::ErrorStatus readInt64(Adesk::Int64* v) override { return readInt(v); }
    Acad::ErrorStatus writeInt64(Adesk::Int64 v) override { return writeInt(v); }
    Acad::ErrorStatus readInt32(Adesk::Int32* v) override { return readInt(v); }
    Acad::ErrorStatus writeInt32(Adesk::Int32 v) override { return writeInt(v); }
    Acad::ErrorStatus readInt16(Adesk::Int16* v) override { return readInt(v); }
    Acad::ErrorStatus writeInt16(Adesk::Int16 v) override { return writeInt(v); }
    Acad::ErrorStatus readInt8(Adesk::Int8* v) override { return readInt(v); }
    Acad::ErrorStatus writeInt8(Adesk::Int8 v) override { return writeInt(v); }
    Acad::ErrorStatus readUInt64(Adesk::UInt64* v) override { return readInt(v); }
    Acad::ErrorStatus writeUInt64(Adesk::UInt64 v) override { return writeInt(v); }
    Acad::ErrorStatus readUInt32(Adesk::UInt32* v) override { return readInt(v); }
    Acad::ErrorStatus writeUInt32(Adesk::UInt32 v) override { return writeInt(v); }
    Acad::ErrorStatus readUInt16(Adesk::UInt16* v) override { return readInt(v); }
    Acad::ErrorStatus writeUInt16(Adesk::UInt16 v) override { return writeInt(v); }
    Acad::ErrorStatus readUInt8(Adesk::UInt8* v) override { return readInt(v); }
    Acad::ErrorStatus writeUInt8(Adesk::UInt8 v) override { return writeInt(v); }
    Acad::ErrorStatus readBoolean(Adesk::Boolean* v) override;
    Acad::ErrorStatus writeBoolean(Adesk::Boolean v) override { return writeInt(uint8_t(v ? 1 : 0)); }
    Acad::ErrorStatus readDouble(double* v) override;
    Acad::ErrorStatus writeDouble(double v) override;
    Acad::ErrorStatus readPoint2d(AcGePoint2d* v) override;
    Acad::ErrorStatus writePoint2d(const AcGePoint2d& v) override;
    Acad::ErrorStatus readPoint3d(AcGePoint3d* v) override;
    Acad::ErrorStatus writePoint3d(const AcGePoint3d& v) override;
    Acad::ErrorStatus readVector2d(AcGeVector2d* v) override;
    Acad::ErrorStatus writeVector2d(const AcGeVector2d& v) override;
    Acad::ErrorStatus readVector3d(AcGeVector3d* v) override;
    Acad::ErrorStatus writeVector3d(const AcGeVector3d& v) override;
    Acad::ErrorStatus readBytes(void* buffer, Adesk::UIntPtr count) override;
    Acad::ErrorStatus writeBytes(const void* buffer, Adesk::UIntPtr count) override;
    Acad::ErrorStatus readAddress(void** value) override;
    Acad::ErrorStatus writeAddress(const void* value) override;

    // method: 0 from the start, 1 from the current position, 2 from the end.
    Acad::ErrorStatus seek(Adesk::Int64 offset, int method) override;
    Adesk::Int64 tell() const override { return Adesk::Int64(m_pos); }

private:
    template <typename T>
    Acad::ErrorStatus readInt(T* v) {
        using U = std::make_unsigned_t<T>;
        U raw = U(takeLE(sizeof(T)));
        if (v) *v = T(raw);
        return m_status;
    }
    template <typename T>
    Acad::ErrorStatus writeInt(T v) {
        using U = std::make_unsigned_t<T>;
        putLE(uint64_t(U(v)), sizeof(T));
        return m_status;
    }
    Acad::ErrorStatus readId(AcDbObjectId* id);
    Acad::ErrorStatus writeId(const AcDbObjectId& id);
    // Takes `n` bytes or fails with eEndOfFile; null when the status is an error.
    const uint8_t* take(size_t n);
    uint64_t takeLE(size_t n);
    void putLE(uint64_t v, size_t n);
    Acad::ErrorStatus readUtf8(std::string& utf8, bool& isNull);

    AcDb::FilerType m_type;
    AcDbDatabase* m_db;
    Acad::ErrorStatus m_status = Acad::eOk;
    std::vector<uint8_t> m_bytes;
    size_t m_pos = 0;
};

} // namespace host
