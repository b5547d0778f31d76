#include "host/io/DrawingSignature.h"

#include "host/win/FormatW.h"
#include "host/win/Utf8.h"

#include <cctype>
#include <cstring>
#include <string_view>

namespace host::io {

namespace {
bool startsWith(const uint8_t* data, size_t size, std::string_view prefix) {
    return size >= prefix.size() && std::memcmp(data, prefix.data(), prefix.size()) == 0;
}

// "AC10" and four more version characters, or the early releases' texts.
bool isOtherDwg(const uint8_t* data, size_t size, std::string& version) {
    static const char* const kOld[] = {"AC1.2", "AC1.40", "AC1.50", "AC2.10", "AC2.21", "AC2.22", "MC0.0"};
    for (const char* v : kOld)
        if (startsWith(data, size, v)) {
            version = v;
            return true;
        }
    if (size < 6 || !startsWith(data, size, "AC10")) return false;
    if (!std::isdigit(data[4]) || !std::isdigit(data[5])) return false;
    version.assign(reinterpret_cast<const char*>(data), 6);
    return true;
}

bool isBlank(uint8_t c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The next line of text from i (without its line end); i moves past it.
std::string_view nextLine(const uint8_t* data, size_t size, size_t& i) {
    while (i < size && isBlank(data[i])) ++i;
    const size_t start = i;
    while (i < size && data[i] != '\r' && data[i] != '\n') ++i;
    size_t end = i;
    while (end > start && (data[end - 1] == ' ' || data[end - 1] == '\t')) --end;
    return {reinterpret_cast<const char*>(data + start), end - start};
}

// A DXF file starts with group code 0 and SECTION (text), or with the binary sentinel.
// Comments (group 999) may come first: programs that write plans put their name there.
bool isDxf(const uint8_t* data, size_t size) {
    if (startsWith(data, size, "AutoCAD Binary DXF")) return true;
    size_t i = 0;
    if (size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF) i = 3; // UTF-8 mark
    for (int comments = 0; comments < 64; ++comments) {
        const std::string_view code = nextLine(data, size, i);
        // The comment's text is a whole line, blanks included.
        if (code == "999") {
            while (i < size && data[i] != '\r' && data[i] != '\n') ++i;
            if (i < size && data[i] == '\r') ++i;
            if (i < size && data[i] == '\n') ++i;
            while (i < size && data[i] != '\r' && data[i] != '\n') ++i;
            continue;
        }
        return code == "0" && nextLine(data, size, i).substr(0, 7) == "SECTION";
    }
    return false;
}
} // namespace

DrawingSignature sniffDrawingFile(const uint8_t* data, size_t size) {
    DrawingSignature s;
    if (size == 0) {
        s.kind = DrawingFileKind::Empty;
    } else if (size >= kDrawingMagicSize && std::memcmp(data, kDrawingMagic, kDrawingMagicSize) == 0) {
        s.kind = DrawingFileKind::Ours;
    } else if (isOtherDwg(data, size, s.version)) {
        s.kind = DrawingFileKind::OtherDwg;
    } else if (isDxf(data, size)) {
        s.kind = DrawingFileKind::Dxf;
    }
    return s;
}

std::wstring otherDwgRelease(const std::string& version) {
    static const struct {
        const char* version;
        const wchar_t* release;
    } kReleases[] = {
        {"AC1001", L"2.2"},  {"AC1002", L"2.5"},     {"AC1003", L"2.6"},  {"AC1004", L"R9"},
        {"AC1006", L"R10"},  {"AC1009", L"R11/R12"}, {"AC1012", L"R13"},  {"AC1014", L"R14"},
        {"AC1015", L"2000"}, {"AC1018", L"2004"},    {"AC1021", L"2007"}, {"AC1024", L"2010"},
        {"AC1027", L"2013"}, {"AC1032", L"2018"},
    };
    for (const auto& r : kReleases)
        if (version == r.version) return r.release;
    return {};
}

std::wstring foreignFileMessage(const std::wstring& fileName, const DrawingSignature& s) {
    switch (s.kind) {
    case DrawingFileKind::Ours:
        return {};
    case DrawingFileKind::Empty:
        return FormatW(L"\"%s\" is empty: it holds no drawing.", fileName.c_str());
    case DrawingFileKind::OtherDwg: {
        const std::wstring version = fromUtf8(s.version);
        const std::wstring release = otherDwgRelease(s.version);
        const std::wstring which =
            release.empty() ? version : FormatW(L"%s, release %s", version.c_str(), release.c_str());
        return FormatW(L"\"%s\" is a DWG file of another CAD program (format %s) and cannot be opened here. "
                       L"Save it as DXF in that program and bring it in with DXF import (DXFIN).",
                       fileName.c_str(), which.c_str());
    }
    case DrawingFileKind::Dxf:
        return FormatW(L"\"%s\" is a DXF file, not a drawing file. Bring it in with DXF import (DXFIN).",
                       fileName.c_str());
    case DrawingFileKind::Unknown:
        break;
    }
    return FormatW(L"\"%s\" is not a drawing file: it does not start with a drawing file's signature.",
                   fileName.c_str());
}

} // namespace host::io
