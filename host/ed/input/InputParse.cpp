#include "host/ed/input/InputParse.h"
#include "host/win/WinCrt.h"

#include <charconv>
#include <cmath>
#include <cwctype>
#include <numbers>

namespace host {

namespace {

std::vector<std::wstring> splitOn(const std::wstring& text, wchar_t sep) {
    std::vector<std::wstring> parts;
    size_t start = 0;
    for (;;) {
        const size_t pos = text.find(sep, start);
        parts.push_back(text.substr(start, pos == std::wstring::npos ? std::wstring::npos : pos - start));
        if (pos == std::wstring::npos) break;
        start = pos + 1;
    }
    return parts;
}

std::optional<Point3> parseCoordinates(const std::wstring& text) {
    const std::vector<std::wstring> parts = splitOn(text, L',');
    if (parts.size() < 2 || parts.size() > 3) return std::nullopt;
    Point3 p{0.0, 0.0, 0.0};
    for (size_t i = 0; i < parts.size(); ++i) {
        std::optional<double> v = parseReal(parts[i]);
        if (!v) return std::nullopt;
        p[i] = *v;
    }
    return p;
}

std::optional<Point3> parsePolar(const std::wstring& text) {
    const size_t lt = text.find(L'<');
    if (lt == std::wstring::npos) return std::nullopt;
    std::optional<double> dist = parseReal(text.substr(0, lt));
    std::optional<double> angle = parseReal(text.substr(lt + 1));
    if (!dist || !angle) return std::nullopt;
    const double a = *angle * std::numbers::pi / 180.0;
    return Point3{*dist * std::cos(a), *dist * std::sin(a), 0.0};
}

bool finite(const Point3& p) { return std::isfinite(p[0]) && std::isfinite(p[1]) && std::isfinite(p[2]); }

// The letters one must type at least: the capitals of the keyword, or the whole
// keyword when it has none (or is all capitals). "LTYPE,LT" names it explicitly.
std::wstring abbreviation(const std::wstring& keyword) {
    std::wstring caps;
    for (wchar_t c : keyword)
        if (std::iswupper(c) || std::iswdigit(c)) caps.push_back(c);
    if (caps.empty() || caps.size() == keyword.size()) return host::toUpperCase(keyword);
    return host::toUpperCase(caps);
}

bool matches(const std::wstring& keyword, const std::wstring& input) {
    std::wstring word = keyword;
    std::wstring abbr;
    if (const size_t comma = keyword.find(L','); comma != std::wstring::npos) {
        word = keyword.substr(0, comma);
        abbr = host::toUpperCase(keyword.substr(comma + 1));
    } else {
        abbr = abbreviation(keyword);
    }
    const std::wstring in = host::toUpperCase(input);
    const std::wstring w = host::toUpperCase(word);
    if (in.empty()) return false;
    if (in == w || in == abbr) return true;
    // A longer prefix of the word counts when the abbreviation is its beginning.
    return w.starts_with(abbr) && w.starts_with(in) && in.size() >= abbr.size();
}

std::wstring wordOf(const std::wstring& keyword) { return keyword.substr(0, keyword.find(L',')); }

} // namespace

std::wstring trimmed(const std::wstring& text) {
    size_t b = 0, e = text.size();
    while (b < e && std::iswspace(text[b])) ++b;
    while (e > b && std::iswspace(text[e - 1])) --e;
    return text.substr(b, e - b);
}

std::optional<double> parseReal(const std::wstring& text) {
    const std::wstring t = trimmed(text);
    if (t.empty() || t.size() > 64) return std::nullopt;
    std::string narrow;
    for (wchar_t c : t) {
        if (c > 0x7f) return std::nullopt;
        narrow.push_back(static_cast<char>(c));
    }
    size_t start = 0;
    if (narrow[0] == '+') {
        start = 1;
        if (narrow.size() > 1 && narrow[1] == '-') return std::nullopt;
    }
    double v = 0.0;
    const char* first = narrow.data() + start;
    const char* last = narrow.data() + narrow.size();
    if (first == last) return std::nullopt;
    const auto res = std::from_chars(first, last, v, std::chars_format::general);
    if (res.ec != std::errc() || res.ptr != last || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::optional<int> parseInt(const std::wstring& text) {
    std::optional<double> v = parseReal(text);
    if (!v || *v != std::floor(*v) || *v < -32768.0 || *v > 32767.0) return std::nullopt;
    // "2.0" is a real, not an integer answer.
    const std::wstring t = trimmed(text);
    if (t.find_first_of(L".eE") != std::wstring::npos) return std::nullopt;
    return static_cast<int>(*v);
}

std::optional<Point3> parsePoint(const std::wstring& text, const Point3& lastPoint) {
    std::wstring t = trimmed(text);
    if (t.empty()) return std::nullopt;
    const bool relative = t[0] == L'@';
    if (relative) t = trimmed(t.substr(1));
    std::optional<Point3> p;
    if (relative && t.empty())
        p = Point3{0.0, 0.0, 0.0};
    else
        p = t.find(L'<') != std::wstring::npos ? parsePolar(t) : parseCoordinates(t);
    if (!p) return std::nullopt;
    if (relative)
        for (int i = 0; i < 3; ++i) (*p)[i] += lastPoint[i];
    if (!finite(*p)) return std::nullopt;
    return p;
}

std::vector<Keyword> parseKeywordList(const std::wstring& list) {
    std::vector<std::wstring> locals, globals;
    bool inGlobals = false;
    std::wstring word;
    auto flush = [&] {
        if (word.empty()) return;
        (inGlobals ? globals : locals).push_back(word);
        word.clear();
    };
    for (wchar_t c : list) {
        if (std::iswspace(c)) {
            flush();
        } else if (c == L'_' && word.empty()) {
            inGlobals = true; // "_" on its own starts the global names
        } else {
            word.push_back(c);
        }
    }
    flush();
    std::vector<Keyword> out;
    for (size_t i = 0; i < locals.size(); ++i)
        out.push_back(Keyword{locals[i], i < globals.size() ? globals[i] : locals[i]});
    return out;
}

std::optional<std::wstring> matchKeyword(const std::vector<Keyword>& keywords, const std::wstring& input) {
    std::wstring in = trimmed(input);
    const bool globalOnly = !in.empty() && in[0] == L'_';
    if (globalOnly) in = in.substr(1);
    for (const Keyword& k : keywords) {
        if (matches(k.global, in)) return wordOf(k.global);
        if (!globalOnly && matches(k.local, in)) return wordOf(k.global);
    }
    return std::nullopt;
}

} // namespace host
