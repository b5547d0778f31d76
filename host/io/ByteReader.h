#pragma once
// Reads the little-endian numbers and length-prefixed UTF-8 strings of a drawing
// file from a buffer it does not own. It trusts no length or count: every read is
// checked against what is left, and the first failure is kept with the byte offset
// where it happened; later reads then yield zeros and change nothing.
#include <cstddef>
#include <cstdint>
#include <string>

namespace host::io {

class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    bool ok() const { return m_error.empty(); }
    // What went wrong and where (offsets count from the start of the buffer).
    const std::wstring& error() const { return m_error; }
    size_t errorOffset() const { return m_errorOffset; }
    // Records a failure at `offset` unless one is kept already.
    void fail(size_t offset, std::wstring what);

    size_t offset() const { return m_pos; }
    size_t remaining() const { return m_size - m_pos; }
    const uint8_t* data() const { return m_data; }
    size_t size() const { return m_size; }

    // `what` names the item in the message when the buffer ends inside it.
    uint8_t u8(const wchar_t* what);
    uint16_t u16(const wchar_t* what);
    uint32_t u32(const wchar_t* what);
    uint64_t u64(const wchar_t* what);
    int32_t i32(const wchar_t* what) { return int32_t(u32(what)); }
    // A u32 length, then that many bytes of UTF-8; longer than maxBytes is refused.
    std::wstring string(const wchar_t* what, size_t maxBytes);
    // Skips `n` bytes and returns where they start; null when they are not there.
    const uint8_t* skip(size_t n, const wchar_t* what);
    // A count of items that each take at least `minItemBytes`: refused when even
    // that many could not fit in what is left, before anyone allocates for them.
    bool countFits(uint64_t count, size_t minItemBytes, const wchar_t* what);

private:
    uint64_t little(size_t n, const wchar_t* what);

    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
    std::wstring m_error;
    size_t m_errorOffset = 0;
};

} // namespace host::io
