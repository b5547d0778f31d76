#include "host/win/FormatW.h"

#include "host/win/Utf8.h"

#include <cstdint>
#include <cstdio>
#include <cwchar>

namespace host {

namespace {

enum class Length { None, Short, Long, LongLong, Int64, Int32, Size, LongDouble };

struct Conversion {
    std::string flags;
    int width = -1;
    int precision = -1;
    Length length = Length::None;
    wchar_t conv = 0;
};

void pad(std::wstring& out, const std::wstring& text, const Conversion& s) {
    const bool left = s.flags.find('-') != std::string::npos;
    const size_t w = s.width > 0 ? static_cast<size_t>(s.width) : 0;
    if (!left && text.size() < w) out.append(w - text.size(), L' ');
    out += text;
    if (left && text.size() < w) out.append(w - text.size(), L' ');
}

std::string numberFormat(const Conversion& s, const char* lengthMod, char conv) {
    std::string f = "%" + s.flags;
    if (s.width >= 0) f += std::to_string(s.width);
    if (s.precision >= 0) f += "." + std::to_string(s.precision);
    f += lengthMod;
    f += conv;
    return f;
}

std::wstring formatNarrow(const std::string& fmt, ...) {
    char buf[512];
    va_list ap;
    va_start(ap, fmt);
    int n = std::vsnprintf(buf, sizeof buf, fmt.c_str(), ap);
    va_end(ap);
    if (n < 0) return L"";
    if (static_cast<size_t>(n) < sizeof buf) return fromUtf8(std::string(buf, static_cast<size_t>(n)));
    std::string big(static_cast<size_t>(n) + 1, '\0');
    va_start(ap, fmt);
    std::vsnprintf(big.data(), big.size(), fmt.c_str(), ap);
    va_end(ap);
    big.resize(static_cast<size_t>(n));
    return fromUtf8(big);
}

bool wideString(const Conversion& s) {
    // Windows wide functions: %s is wide unless 'h' says narrow; %S is narrow unless 'l' says wide.
    if (s.conv == L's') return s.length != Length::Short;
    return s.length == Length::Long;
}

} // namespace

std::wstring FormatV(const wchar_t* format, va_list args) {
    std::wstring out;
    if (!format) return out;
    va_list ap;
    va_copy(ap, args);
    for (const wchar_t* p = format; *p;) {
        if (*p != L'%') {
            out.push_back(*p++);
            continue;
        }
        const wchar_t* start = p++;
        if (*p == L'%') {
            out.push_back(L'%');
            ++p;
            continue;
        }
        Conversion s;
        while (*p && std::wcschr(L"-+ #0", *p)) s.flags.push_back(static_cast<char>(*p++));
        if (*p == L'*') {
            s.width = va_arg(ap, int);
            if (s.width < 0) {
                s.flags.push_back('-');
                s.width = -s.width;
            }
            ++p;
        } else if (*p >= L'0' && *p <= L'9') {
            s.width = 0;
            while (*p >= L'0' && *p <= L'9') s.width = s.width * 10 + (*p++ - L'0');
        }
        if (*p == L'.') {
            ++p;
            s.precision = 0;
            if (*p == L'*') {
                s.precision = va_arg(ap, int);
                ++p;
            } else {
                while (*p >= L'0' && *p <= L'9') s.precision = s.precision * 10 + (*p++ - L'0');
            }
        }
        if (p[0] == L'I' && p[1] == L'6' && p[2] == L'4') {
            s.length = Length::Int64;
            p += 3;
        } else if (p[0] == L'I' && p[1] == L'3' && p[2] == L'2') {
            s.length = Length::Int32;
            p += 3;
        } else if (p[0] == L'l' && p[1] == L'l') {
            s.length = Length::LongLong;
            p += 2;
        } else if (*p == L'l' || *p == L'w') {
            s.length = Length::Long;
            ++p;
        } else if (*p == L'h') {
            s.length = Length::Short;
            ++p;
        } else if (*p == L'z' || *p == L'I') {
            s.length = Length::Size;
            ++p;
        } else if (*p == L'L') {
            s.length = Length::LongDouble;
            ++p;
        }
        s.conv = *p;
        if (!s.conv) {
            out.append(start);
            break;
        }
        ++p;
        switch (s.conv) {
        case L'd':
        case L'i':
        case L'u':
        case L'x':
        case L'X':
        case L'o': {
            const char c = static_cast<char>(s.conv);
            const bool isSigned = c == 'd' || c == 'i';
            // Windows 'l' is 32 bits: only I64, ll and z/I widen.
            if (s.length == Length::Int64 || s.length == Length::LongLong) {
                long long v = va_arg(ap, long long);
                out += isSigned ? formatNarrow(numberFormat(s, "ll", c), v)
                                : formatNarrow(numberFormat(s, "ll", c), static_cast<unsigned long long>(v));
            } else if (s.length == Length::Size) {
                size_t v = va_arg(ap, size_t);
                out += formatNarrow(numberFormat(s, "z", c), v);
            } else {
                int v = va_arg(ap, int);
                if (s.length == Length::Short) v = isSigned ? static_cast<short>(v) : static_cast<unsigned short>(v);
                out += isSigned ? formatNarrow(numberFormat(s, "", c), v)
                                : formatNarrow(numberFormat(s, "", c), static_cast<unsigned>(v));
            }
            break;
        }
        case L'f':
        case L'F':
        case L'e':
        case L'E':
        case L'g':
        case L'G':
        case L'a':
        case L'A': {
            const double v = s.length == Length::LongDouble ? static_cast<double>(va_arg(ap, long double))
                                                           : va_arg(ap, double);
            out += formatNarrow(numberFormat(s, "", static_cast<char>(s.conv)), v);
            break;
        }
        case L'c':
        case L'C': {
            const bool wide = (s.conv == L'c') ? s.length != Length::Short : s.length == Length::Long;
            const int v = va_arg(ap, int);
            std::wstring ch = wide ? std::wstring(1, static_cast<wchar_t>(v))
                                   : std::wstring(1, static_cast<wchar_t>(static_cast<unsigned char>(v)));
            pad(out, ch, s);
            break;
        }
        case L's':
        case L'S': {
            std::wstring text;
            if (wideString(s)) {
                const wchar_t* w = va_arg(ap, const wchar_t*);
                text = w ? std::wstring(w) : std::wstring(L"(null)");
            } else {
                const char* n = va_arg(ap, const char*);
                text = n ? fromUtf8(n) : std::wstring(L"(null)");
            }
            if (s.precision >= 0 && text.size() > static_cast<size_t>(s.precision)) text.resize(s.precision);
            pad(out, text, s);
            break;
        }
        case L'p': {
            const void* v = va_arg(ap, const void*);
            out += formatNarrow("%p", v);
            break;
        }
        default:
            out.append(start, p);
            break;
        }
    }
    va_end(ap);
    return out;
}

std::wstring FormatW(const wchar_t* format, ...) {
    va_list ap;
    va_start(ap, format);
    std::wstring r = FormatV(format, ap);
    va_end(ap);
    return r;
}

} // namespace host
