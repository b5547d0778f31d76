#include "shell/InputFile.h"

#include "host/io/DrawingFile.h"
#include "host/io/DrawingSignature.h"
#include "host/win/FormatW.h"
#include "host/win/Utf8.h"

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace shell {

namespace {

// Enough to tell a DXF file from anything else, whatever its size.
constexpr size_t kSniffBytes = 4096;

bool readHead(const std::string& path, std::string& head, std::wstring& error) {
    const std::wstring name = host::fromUtf8(path);
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) {
        error = errno == ENOENT ? host::FormatW(L"\"%s\" does not exist.", name.c_str())
                                : host::FormatW(L"\"%s\" cannot be reached: %s.", name.c_str(),
                                                host::fromUtf8(std::strerror(errno)).c_str());
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        error = host::FormatW(L"\"%s\" is not a file.", name.c_str());
        return false;
    }
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        error = host::FormatW(L"\"%s\" could not be read: %s.", name.c_str(),
                              host::fromUtf8(std::strerror(errno)).c_str());
        return false;
    }
    head.resize(kSniffBytes);
    head.resize(std::fread(head.data(), 1, head.size(), f));
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) error = host::FormatW(L"\"%s\" could not be read.", name.c_str());
    return !failed;
}

// A DXF file may open with comments (group 999) before its first section, so
// anything that starts with a group code is left to the importer to judge.
bool startsWithGroupCode(const std::string& head) {
    size_t i = head.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    while (i < head.size() && std::isspace(static_cast<unsigned char>(head[i])))
        ++i;
    return i < head.size() && std::isdigit(static_cast<unsigned char>(head[i]));
}

bool checkDxf(const std::string& path, std::wstring& error) {
    std::string head;
    if (!readHead(path, head, error)) return false;
    const std::wstring name = host::fromUtf8(path);
    const host::io::DrawingSignature s =
        host::io::sniffDrawingFile(reinterpret_cast<const uint8_t*>(head.data()), head.size());
    switch (s.kind) {
    case host::io::DrawingFileKind::Dxf:
        return true;
    case host::io::DrawingFileKind::Ours:
        error = host::FormatW(L"\"%s\" is a drawing of this program, not a DXF file.", name.c_str());
        return false;
    case host::io::DrawingFileKind::Unknown:
        if (startsWithGroupCode(head)) return true;
        error = host::FormatW(L"\"%s\" is not a DXF file.", name.c_str());
        return false;
    default:
        error = host::io::foreignFileMessage(name, s);
        return false;
    }
}

} // namespace

bool isDxfPath(const std::string& path) {
    if (path.size() < 4) return false;
    std::string ext = path.substr(path.size() - 4);
    for (char& c : ext)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".dxf";
}

bool checkInputFile(const std::string& path, InputKind kind, std::wstring& error) {
    if (kind == InputKind::Dxf) return checkDxf(path, error);
    host::io::DrawingReadReport report;
    if (host::io::checkDrawingFile(host::fromUtf8(path), report)) return true;
    error = report.error;
    return false;
}

} // namespace shell
