#include "host/io/ByteReader.h"

#include "host/win/FormatW.h"
#include "host/win/Utf8.h"

#include <string_view>

namespace host::io {

void ByteReader::fail(size_t offset, std::wstring what) {
    if (!ok()) return;
    m_errorOffset = offset;
    m_error = std::move(what);
    if (m_error.empty()) m_error = L"damaged";
}

uint64_t ByteReader::little(size_t n, const wchar_t* what) {
    if (!ok()) return 0;
    if (n > remaining()) {
        fail(m_pos, FormatW(L"the file ends inside %s (%zu bytes needed, %zu left)", what, n, remaining()));
        return 0;
    }
    uint64_t v = 0;
    for (size_t i = 0; i < n; ++i)
        v |= uint64_t(m_data[m_pos + i]) << (8 * i);
    m_pos += n;
    return v;
}

uint8_t ByteReader::u8(const wchar_t* what) {
    return uint8_t(little(1, what));
}
uint16_t ByteReader::u16(const wchar_t* what) {
    return uint16_t(little(2, what));
}
uint32_t ByteReader::u32(const wchar_t* what) {
    return uint32_t(little(4, what));
}
uint64_t ByteReader::u64(const wchar_t* what) {
    return little(8, what);
}

std::wstring ByteReader::string(const wchar_t* what, size_t maxBytes) {
    const size_t at = m_pos;
    const uint32_t n = u32(what);
    if (!ok()) return {};
    if (n > maxBytes) {
        fail(at, FormatW(L"%s claims %u bytes, more than the %zu allowed", what, n, maxBytes));
        return {};
    }
    const uint8_t* p = skip(n, what);
    if (!p) return {};
    return fromUtf8(std::string_view(reinterpret_cast<const char*>(p), n));
}

const uint8_t* ByteReader::skip(size_t n, const wchar_t* what) {
    if (!ok()) return nullptr;
    if (n > remaining()) {
        fail(m_pos, FormatW(L"%s claims %zu bytes but only %zu are left", what, n, remaining()));
        return nullptr;
    }
    const uint8_t* p = m_data + m_pos;
    m_pos += n;
    return p;
}

bool ByteReader::countFits(uint64_t count, size_t minItemBytes, const wchar_t* what) {
    if (!ok()) return false;
    if (minItemBytes > 0 && count > remaining() / minItemBytes) {
        fail(m_pos, FormatW(L"%s claims %llu entries, more than the %zu bytes left can hold", what,
                            static_cast<unsigned long long>(count), remaining()));
        return false;
    }
    return true;
}

} // namespace host::io
