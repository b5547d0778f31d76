#include "host/io/dxf/DxfText.h"

#include "host/win/Utf8.h"
#include "host/win/WinCrt.h"


namespace host::dxf {

namespace {

// Code page 1252 where it differs from Latin-1 (bytes 0x80 to 0x9F); 0 where it has
// no character, which then keeps its Latin-1 meaning.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

std::wstring latin1(std::string_view raw) {
    std::wstring out;
    out.reserve(raw.size());
    for (unsigned char c : raw) {
        if (c >= 0x80 && c < 0xA0 && kCp1252High[c - 0x80] != 0)
            out += wchar_t(kCp1252High[c - 0x80]);
        else
            out += wchar_t(c);
    }
    return out;
}

int hexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

// "\U+XXXX" (exactly four hex digits) becomes its character; anything else stays.
std::wstring unescape(const std::wstring& s) {
    if (s.find(L"\\U+") == std::wstring::npos && s.find(L"\\u+") == std::wstring::npos) return s;
    std::wstring out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == L'\\' && i + 6 < s.size() && (s[i + 1] == L'U' || s[i + 1] == L'u') && s[i + 2] == L'+') {
            int value = 0;
            bool ok = true;
            for (size_t k = 3; k < 7; ++k) {
                const int d = hexDigit(s[i + k]);
                ok = ok && d >= 0;
                value = value * 16 + (d < 0 ? 0 : d);
            }
            if (ok && value != 0) {
                out += wchar_t(value);
                i += 6;
                continue;
            }
        }
        out += s[i];
    }
    return out;
}

void appendEscape(std::string& out, unsigned value) {
    static const char* hex = "0123456789ABCDEF";
    out += "\\U+";
    for (int shift = 12; shift >= 0; shift -= 4) out += hex[(value >> shift) & 0xF];
}

} // namespace

DxfEncoding dxfEncodingFor(std::wstring_view acadver, std::wstring_view codepage) {
    // "AC1021" (2007) and later: the numbers compare as text once the length agrees.
    if (acadver.size() == 6 && acadver.substr(0, 2) == L"AC" && acadver >= L"AC1021") return DxfEncoding::Utf8;
    if (host::equalsNoCase(codepage, L"UTF-8") || host::equalsNoCase(codepage, L"UTF8")) return DxfEncoding::Utf8;
    return DxfEncoding::Latin1;
}

std::wstring decodeDxfText(std::string_view raw, DxfEncoding encoding) {
    return unescape(encoding == DxfEncoding::Utf8 ? fromUtf8(raw) : latin1(raw));
}

std::string encodeDxfText(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        const unsigned u = unsigned(c);
        if (c == L'\n' || c == L'\r') {
            out += ' ';
        } else if ((u >= 0x20 && u < 0x7F) || (u >= 0xA0 && u <= 0xFF)) {
            out += char(u);
        } else if (u > 0xFFFF) {
            appendEscape(out, 0xFFFD);
        } else {
            appendEscape(out, u);
        }
    }
    return out;
}

} // namespace host::dxf
