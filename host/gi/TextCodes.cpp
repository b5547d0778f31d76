#include "host/gi/TextCodes.h"

#include <cwctype>

namespace host::gi {

namespace {

int hexValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

// "\U+XXXX" at i: the character and the length of the code, or 0 when it is none.
size_t unicodeEscape(std::wstring_view t, size_t i, wchar_t& out) {
    if (i + 7 > t.size()) return 0;
    if (t[i] != L'\\' || (t[i + 1] != L'U' && t[i + 1] != L'u') || t[i + 2] != L'+') return 0;
    unsigned value = 0;
    for (size_t k = 0; k < 4; ++k) {
        int h = hexValue(t[i + 3 + k]);
        if (h < 0) return 0;
        value = value * 16 + unsigned(h);
    }
    out = wchar_t(value);
    return 7;
}

// "%%..." at i: the character (0 for a switch), the decoration switch, and the
// length of the code, or 0 when it is none.
size_t percentCode(std::wstring_view t, size_t i, wchar_t& out, uint8_t& toggle) {
    if (i + 2 >= t.size() || t[i] != L'%' || t[i + 1] != L'%') return 0;
    wchar_t c = wchar_t(std::towlower(wint_t(t[i + 2])));
    toggle = 0;
    out = 0;
    switch (c) {
    case L'd':
        out = L'\u00B0';
        return 3;
    case L'p':
        out = L'\u00B1';
        return 3;
    case L'c':
        out = L'\u2300';
        return 3;
    case L'%':
        out = L'%';
        return 3;
    case L'u':
        toggle = DecodedText::kUnderline;
        return 3;
    case L'o':
        toggle = DecodedText::kOverline;
        return 3;
    default:
        break;
    }
    if (c >= L'0' && c <= L'9') {
        unsigned value = 0;
        size_t n = 0;
        while (n < 3 && i + 2 + n < t.size() && t[i + 2 + n] >= L'0' && t[i + 2 + n] <= L'9')
            value = value * 10 + unsigned(t[i + 2 + n++] - L'0');
        if (value == 0) return 0;
        out = wchar_t(value);
        return 2 + n;
    }
    return 0;
}

} // namespace

DecodedText decodeTextCodes(std::wstring_view text, int length, bool raw) {
    if (length >= 0 && size_t(length) < text.size()) text = text.substr(0, size_t(length));
    DecodedText out;
    out.chars.reserve(text.size());
    out.decoration.reserve(text.size());
    uint8_t decoration = 0;
    for (size_t i = 0; i < text.size();) {
        wchar_t ch = text[i];
        uint8_t toggle = 0;
        size_t n = raw ? 0 : percentCode(text, i, ch, toggle);
        if (!raw && n == 0) n = unicodeEscape(text, i, ch);
        if (n == 0) {
            ch = text[i];
            n = 1;
        }
        i += n;
        decoration ^= toggle;
        if (toggle == 0 && ch != 0) {
            out.chars.push_back(ch);
            out.decoration.push_back(decoration);
        }
    }
    return out;
}

} // namespace host::gi
