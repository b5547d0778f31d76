#include "host/win/WinCrt.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cwchar>

namespace host {

wchar_t foldCase(wchar_t c) {
    if (c < 0x80) return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 0x20) : c;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<wchar_t>(c + 0x20);
    if (c >= 0x100 && c <= 0x17F) {
        if (c == 0x130) return L'i';
        if (c == 0x178) return 0xFF;
        const bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
        if (oddUpper) return (c & 1) ? static_cast<wchar_t>(c + 1) : c;
        return (c & 1) ? c : static_cast<wchar_t>(c + 1);
    }
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return static_cast<wchar_t>(c + 0x20);
    if (c >= 0x410 && c <= 0x42F) return static_cast<wchar_t>(c + 0x20);
    if (c >= 0x400 && c <= 0x40F) return static_cast<wchar_t>(c + 0x50);
    return c;
}

wchar_t upperCase(wchar_t c) {
    if (c < 0x80) return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - 0x20) : c;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<wchar_t>(c - 0x20);
    if (c == 0xFF) return 0x178;
    if (c >= 0x100 && c <= 0x17F) {
        if (c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F || c == 0x130) return c;
        const bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (oddUpper) return (c & 1) ? c : static_cast<wchar_t>(c - 1);
        return (c & 1) ? static_cast<wchar_t>(c - 1) : c;
    }
    if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return static_cast<wchar_t>(c - 0x20);
    if (c >= 0x430 && c <= 0x44F) return static_cast<wchar_t>(c - 0x20);
    if (c >= 0x450 && c <= 0x45F) return static_cast<wchar_t>(c - 0x50);
    return c;
}

std::wstring toLowerCase(std::wstring_view s) {
    std::wstring out(s);
    for (wchar_t& c : out)
        c = foldCase(c);
    return out;
}

std::wstring toUpperCase(std::wstring_view s) {
    std::wstring out(s);
    for (wchar_t& c : out)
        c = upperCase(c);
    return out;
}

int compareNoCase(std::wstring_view a, std::wstring_view b) {
    const size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        const wchar_t x = foldCase(a[i]), y = foldCase(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool equalsNoCase(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() && compareNoCase(a, b) == 0;
}

bool isBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\v' || c == L'\f';
}

std::wstring_view trimView(std::wstring_view s) {
    size_t b = 0, e = s.size();
    while (b < e && isBlank(s[b]))
        ++b;
    while (e > b && isBlank(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

} // namespace host

int _wcsicmp(const wchar_t* a, const wchar_t* b) {
    return host::compareNoCase(a ? a : L"", b ? b : L"");
}

int _wcsnicmp(const wchar_t* a, const wchar_t* b, size_t n) {
    std::wstring_view x(a ? a : L""), y(b ? b : L"");
    return host::compareNoCase(x.substr(0, n), y.substr(0, n));
}

int _wtoi(const wchar_t* s) {
    if (!s) return 0;
    while (host::isBlank(*s))
        ++s;
    bool negative = false;
    if (*s == L'+' || *s == L'-') negative = *s++ == L'-';
    long long v = 0;
    for (; *s >= L'0' && *s <= L'9'; ++s) {
        v = v * 10 + (*s - L'0');
        if (v > static_cast<long long>(INT_MAX) + 1) v = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) v = -v;
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

double _wtof(const wchar_t* s) {
    if (!s) return 0.0;
    // wcstod follows the C locale, which the host never changes: '.' is the decimal point.
    const int saved = errno;
    const double v = std::wcstod(s, nullptr);
    errno = saved;
    return v;
}

wchar_t* _wcslwr(wchar_t* s) {
    if (s)
        for (wchar_t* p = s; *p; ++p)
            *p = host::foldCase(*p);
    return s;
}

wchar_t* _wcsupr(wchar_t* s) {
    if (s)
        for (wchar_t* p = s; *p; ++p)
            *p = host::upperCase(*p);
    return s;
}
