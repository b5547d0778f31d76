#include "host/db/database/AcDbHandle.h"

#include <cwchar>

AcDbHandle::AcDbHandle(const wchar_t* hexText) {
    AcDbHandle parsed;
    if (fromText(hexText, parsed)) m_value = parsed.m_value;
}

AcDbHandle& AcDbHandle::operator=(const wchar_t* hexText) {
    AcDbHandle parsed;
    m_value = fromText(hexText, parsed) ? parsed.m_value : 0;
    return *this;
}

bool AcDbHandle::fromText(const wchar_t* text, AcDbHandle& out) {
    if (!text || !*text) return false;
    uint64_t v = 0;
    size_t digits = 0;
    for (const wchar_t* p = text; *p; ++p) {
        wchar_t c = *p;
        unsigned d;
        if (c >= L'0' && c <= L'9')
            d = unsigned(c - L'0');
        else if (c >= L'a' && c <= L'f')
            d = unsigned(c - L'a' + 10);
        else if (c >= L'A' && c <= L'F')
            d = unsigned(c - L'A' + 10);
        else
            return false;
        // Leading zeros do not count against the 16 digits a handle can have.
        if (v == 0 && d == 0) continue;
        if (++digits > 16) return false;
        v = (v << 4) | d;
    }
    out = AcDbHandle(v);
    return true;
}

std::wstring AcDbHandle::text() const {
    static const wchar_t digits[] = L"0123456789ABCDEF";
    if (m_value == 0) return L"0";
    std::wstring s;
    for (uint64_t v = m_value; v; v >>= 4) s.insert(s.begin(), digits[v & 0xF]);
    return s;
}

bool AcDbHandle::getIntoAsciiBuffer(wchar_t* buffer, size_t bufferLength) const {
    if (!buffer || bufferLength == 0) return false;
    std::wstring s = text();
    if (s.size() + 1 > bufferLength) {
        buffer[0] = L'\0';
        return false;
    }
    std::wmemcpy(buffer, s.c_str(), s.size() + 1);
    return true;
}

void AcDbHandle::copyToOldType(unsigned char hand[8]) const {
    // The host's old form is big-endian, most significant byte first.
    for (int i = 0; i < 8; ++i) hand[i] = (unsigned char)(m_value >> (8 * (7 - i)));
}

void AcDbHandle::copyFromOldType(const unsigned char hand[8]) {
    uint64_t v = 0;
    for (int i = 0; i < 8; ++i) v = (v << 8) | hand[i];
    m_value = v;
}
