#include "host/ed/input/InputSource.h"

#include "host/win/FormatW.h"
#include "host/win/Utf8.h"

#include <filesystem>
#include <fstream>
#include <istream>
#include <iterator>
#include <sstream>

namespace host {

namespace {
// A script is a few kilobytes; a huge file is a mistake, not a script.
constexpr std::streamoff kMaxScriptBytes = 64 * 1024 * 1024;
} // namespace

ScriptSource::ScriptSource(std::wstring text, std::wstring name) : m_text(std::move(text)), m_name(std::move(name)) {}

std::unique_ptr<ScriptSource> ScriptSource::open(const std::string& path, std::wstring& error) {
    const std::wstring wpath = fromUtf8(path);
    std::error_code ec;
    if (std::filesystem::exists(path, ec) && !std::filesystem::is_regular_file(path, ec)) {
        error = FormatW(L"\"%s\" is not a file.", wpath.c_str());
        return nullptr;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = FormatW(L"Cannot open script file \"%s\".", wpath.c_str());
        return nullptr;
    }
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0 || size > kMaxScriptBytes) {
        error = FormatW(L"Cannot read script file \"%s\" (not a regular file, or too large).", wpath.c_str());
        return nullptr;
    }
    in.seekg(0, std::ios::beg);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        error = FormatW(L"Cannot read script file \"%s\".", wpath.c_str());
        return nullptr;
    }
    if (bytes.find('\0') != std::string::npos) {
        error = FormatW(L"\"%s\" is not a command script (it contains binary data).", wpath.c_str());
        return nullptr;
    }
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.erase(0, 3);
    return std::make_unique<ScriptSource>(fromUtf8(bytes), wpath);
}

std::optional<std::wstring> ScriptSource::readLine() {
    if (m_pos >= m_text.size()) return std::nullopt;
    // Lines end in LF, CR LF, or a bare CR (scripts saved by old Mac editors).
    size_t end = m_text.find_first_of(L"\r\n", m_pos);
    if (end == std::wstring::npos) end = m_text.size();
    std::wstring line = m_text.substr(m_pos, end - m_pos);
    m_pos = end + 1;
    if (end < m_text.size() && m_text[end] == L'\r' && m_pos < m_text.size() && m_text[m_pos] == L'\n') ++m_pos;
    ++m_line;
    return line;
}

std::wstring ScriptSource::where() const { return FormatW(L"%s:%d", m_name.c_str(), m_line); }

std::optional<std::wstring> StreamSource::readLine() {
    std::string line;
    if (!std::getline(m_in, line)) return std::nullopt;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return fromUtf8(line);
}

} // namespace host
