#include "host/win/Utf8.h"

#include <cstdint>
#include <cstring>
#include <cwchar>

namespace host {

namespace {
constexpr char32_t kReplacement = 0xFFFD;

bool isValidScalar(char32_t c) { return c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF); }
} // namespace

std::wstring fromUtf8(std::string_view s) {
    std::wstring out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        int len = 0;
        char32_t cp = 0;
        if (c < 0x80) {
            len = 1;
            cp = c;
        } else if ((c & 0xE0) == 0xC0) {
            len = 2;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            len = 3;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            len = 4;
            cp = c & 0x07;
        } else {
            out.push_back(static_cast<wchar_t>(kReplacement));
            ++i;
            continue;
        }
        // A sequence cut off (by the end or by a byte that does not continue it) is one
        // U+FFFD for the bytes read so far; decoding goes on at the byte that broke it.
        int k = 1;
        for (; k < len && i + k < s.size(); ++k) {
            const unsigned char cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80) break;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if (k < len) {
            out.push_back(static_cast<wchar_t>(kReplacement));
            i += k;
            continue;
        }
        // Overlong forms are invalid too.
        static constexpr char32_t kMin[5] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < kMin[len] || !isValidScalar(cp)) {
            out.push_back(static_cast<wchar_t>(kReplacement));
            ++i;
            continue;
        }
        out.push_back(static_cast<wchar_t>(cp));
        i += len;
    }
    return out;
}

std::string toUtf8(std::wstring_view w) {
    // Paths and keys are mostly ASCII: those characters are copied in one go.
    std::size_t ascii = 0;
    while (ascii < w.size() && static_cast<char32_t>(w[ascii]) < 0x80)
        ++ascii;
    std::string out(ascii, '\0');
    for (std::size_t i = 0; i < ascii; ++i)
        out[i] = static_cast<char>(w[i]);
    if (ascii == w.size()) return out;
    out.reserve(w.size() + (w.size() - ascii) * 2);
    for (wchar_t wc : w.substr(ascii)) {
        char32_t c = static_cast<char32_t>(wc);
        if (!isValidScalar(c)) c = kReplacement;
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

} // namespace host

int WideCharToMultiByte(UINT CodePage, DWORD, LPCWSTR lpWideCharStr, int cchWideChar, char* lpMultiByteStr,
                        int cbMultiByte, const char*, BOOL* lpUsedDefaultChar) {
    if (lpUsedDefaultChar) *lpUsedDefaultChar = FALSE;
    if (CodePage != CP_UTF8 || !lpWideCharStr || cchWideChar < -1 || cbMultiByte < 0) return 0;
    const size_t n = cchWideChar == -1 ? std::wcslen(lpWideCharStr) + 1 : static_cast<size_t>(cchWideChar);
    const std::string bytes = host::toUtf8(std::wstring_view(lpWideCharStr, n));
    if (bytes.size() > static_cast<size_t>(INT32_MAX)) return 0;
    if (cbMultiByte == 0) return static_cast<int>(bytes.size());
    if (!lpMultiByteStr || bytes.size() > static_cast<size_t>(cbMultiByte)) return 0;
    std::memcpy(lpMultiByteStr, bytes.data(), bytes.size());
    return static_cast<int>(bytes.size());
}
