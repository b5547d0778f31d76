#include "host/io/dxf/DxfGroups.h"

#include "host/win/FormatW.h"
#include "host/win/Utf8.h"

#include <charconv>
#include <cmath>

namespace host::dxf {

namespace {

constexpr std::string_view kBinarySentinel = "AutoCAD Binary DXF";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
// Longer code lines are no code; keeps the message short for a file that is no DXF.
constexpr size_t kMaxShown = 40;

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// Lines without their end (LF or CR LF), counted from 1.
class Lines {
public:
    explicit Lines(std::string_view bytes) : m_rest(bytes) {}
    bool next(std::string_view& line) {
        if (m_rest.empty()) return false;
        const size_t nl = m_rest.find('\n');
        line = m_rest.substr(0, nl);
        m_rest = nl == std::string_view::npos ? std::string_view() : m_rest.substr(nl + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        ++m_number;
        return true;
    }
    size_t number() const { return m_number; }

private:
    std::string_view m_rest;
    size_t m_number = 0;
};

bool parseInt(std::string_view s, long long& value) {
    s = trimmed(s);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    if (s.empty()) return false;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    return ec == std::errc() && end == s.data() + s.size();
}

// A number out of range is too small rather than too large when its exponent is
// negative, or, without one, when its whole part is zero.
bool underflows(std::string_view s) {
    const size_t e = s.find_first_of("eE");
    if (e != std::string_view::npos) return e + 1 < s.size() && s[e + 1] == '-';
    for (char c : s.substr(0, s.find('.')))
        if (c >= '1' && c <= '9') return false;
    return true;
}

bool parseReal(std::string_view s, double& value) {
    s = trimmed(s);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    if (s.empty()) return false;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (end != s.data() + s.size()) return false;
    if (ec == std::errc::result_out_of_range && underflows(s)) {
        value = s.front() == '-' ? -0.0 : 0.0; // 1e-400 is a number too small to hold: zero
        return true;
    }
    return ec == std::errc() && std::isfinite(value);
}

std::wstring shown(std::string_view s) {
    std::wstring w = fromUtf8(s.substr(0, kMaxShown));
    if (s.size() > kMaxShown) w += L"...";
    return w;
}

// Checks and converts one value; false with the reason.
bool readValue(DxfGroup& g, std::wstring& why) {
    switch (dxfTypeOf(g.code)) {
    case DxfType::Real:
        if (parseReal(g.text, g.number)) return true;
        why = FormatW(L"the value \"%s\" of group %d is no number", shown(g.text).c_str(), g.code);
        return false;
    case DxfType::Int:
    case DxfType::Bool: {
        long long i = 0;
        if (parseInt(g.text, i)) {
            g.number = double(i);
            return true;
        }
        // Some programs write whole numbers as reals ("1.0"); anything else is wrong.
        double d = 0.0;
        if (parseReal(g.text, d) && d == std::floor(d) && std::fabs(d) < 9.0e15) {
            g.number = d;
            return true;
        }
        why = FormatW(L"the value \"%s\" of group %d is no whole number", shown(g.text).c_str(), g.code);
        return false;
    }
    case DxfType::Unknown:
        why = FormatW(L"group code %d is not a code of the drawing-exchange format", g.code);
        return false;
    default:
        return true;
    }
}

} // namespace

DxfType dxfTypeOf(int code) {
    if (code >= 0 && code <= 9) return DxfType::String;
    if (code >= 10 && code <= 59) return DxfType::Real;
    if (code >= 60 && code <= 79) return DxfType::Int;
    if (code >= 90 && code <= 99) return DxfType::Int;
    if (code == 100 || code == 101 || code == 102) return DxfType::String;
    if (code == 105) return DxfType::Handle;
    if (code >= 110 && code <= 149) return DxfType::Real;
    if (code >= 160 && code <= 179) return DxfType::Int;
    if (code >= 210 && code <= 239) return DxfType::Real;
    if (code >= 270 && code <= 289) return DxfType::Int;
    if (code >= 290 && code <= 299) return DxfType::Bool;
    if (code >= 300 && code <= 309) return DxfType::String;
    if (code >= 310 && code <= 319) return DxfType::Binary;
    if (code >= 320 && code <= 369) return DxfType::Handle;
    if (code >= 370 && code <= 389) return DxfType::Int;
    if (code >= 390 && code <= 399) return DxfType::Handle;
    if (code >= 400 && code <= 409) return DxfType::Int;
    if (code >= 410 && code <= 419) return DxfType::String;
    if (code >= 420 && code <= 429) return DxfType::Int;
    if (code >= 430 && code <= 439) return DxfType::String;
    if (code >= 440 && code <= 459) return DxfType::Int;
    if (code >= 460 && code <= 469) return DxfType::Real;
    if (code >= 470 && code <= 479) return DxfType::String;
    if (code == 480 || code == 481) return DxfType::Handle;
    if (code == 999) return DxfType::Comment;
    if (code >= 1000 && code <= 1003) return DxfType::String;
    if (code == 1004) return DxfType::Binary;
    if (code == 1005) return DxfType::Handle;
    if (code >= 1006 && code <= 1009) return DxfType::String;
    if (code >= 1010 && code <= 1059) return DxfType::Real;
    if (code >= 1060 && code <= 1071) return DxfType::Int;
    return DxfType::Unknown;
}

DxfFormat detectDxfFormat(std::string_view bytes) {
    if (bytes.substr(0, kBinarySentinel.size()) == kBinarySentinel) return DxfFormat::Binary;
    if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) bytes.remove_prefix(kUtf8Bom.size());
    Lines lines(bytes);
    std::string_view first;
    // Blank lines before the first code are forgiven; the first code must be a number.
    while (lines.next(first)) {
        if (trimmed(first).empty()) continue;
        long long code = 0;
        return parseInt(first, code) && (code == 0 || code == 999) ? DxfFormat::Ascii : DxfFormat::NotDxf;
    }
    return DxfFormat::NotDxf;
}

bool readDxfGroups(std::string_view bytes, std::vector<DxfGroup>& out, std::wstring& error) {
    out.clear();
    if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) bytes.remove_prefix(kUtf8Bom.size());
    Lines lines(bytes);
    std::string_view codeLine, valueLine;
    bool started = false;
    auto fail = [&](size_t line, const std::wstring& what) {
        out.clear();
        error = FormatW(L"line %zu: %s", line, what.c_str());
        return false;
    };
    while (lines.next(codeLine)) {
        if (!started && trimmed(codeLine).empty()) continue;
        started = true;
        const size_t line = lines.number();
        long long code = 0;
        if (!parseInt(codeLine, code) || code < -32768 || code > 32767)
            return fail(line, FormatW(L"\"%s\" is no group code", shown(codeLine).c_str()));
        if (!lines.next(valueLine))
            return fail(line, FormatW(L"group %lld has no value: the file ends here, it is cut short", code));
        DxfGroup g{int(code), valueLine, 0.0, line};
        std::wstring why;
        if (!readValue(g, why)) return fail(lines.number(), why);
        if (g.code == 999) continue; // comments are for people
        out.push_back(g);
        if (g.code == 0 && trimmed(g.text) == "EOF") return true;
    }
    return fail(lines.number() + 1, L"the file ends without \"0 EOF\": it is cut short");
}

} // namespace host::dxf
