#include "host/ed/commands/CommandAliases.h"

#include "host/ed/commands/AcEdCommandStack.h"
#include "host/ed/input/InputParse.h"
#include "host/win/FormatW.h"
#include "host/win/Utf8.h"
#include "host/win/WinCrt.h"
#include "host/win/WinFiles.h"

#include <fstream>
#include <sstream>

namespace host {

namespace {

// A file this size is not an alias list; it is not read.
constexpr std::streamoff kMaxFileBytes = 1 << 20;

bool readFile(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0 || size > kMaxFileBytes) return false;
    in.seekg(0);
    bytes.assign(size_t(size), '\0');
    in.read(bytes.data(), size);
    return bool(in);
}

} // namespace

const wchar_t* CommandAliases::defaultFileText() {
    return L"; lintaro command aliases: ALIAS, *COMMAND  (one per line; \";\" starts a comment).\n"
           L"; Typed at the command prompt, an alias runs its command. Edit freely; the file\n"
           L"; is read when lintaro starts.\n"
           L"A,       *ARC\n"
           L"B,       *BLOCK\n"
           L"C,       *CIRCLE\n"
           L"CO,      *COPY\n"
           L"CP,      *COPY\n"
           L"DAL,     *DIMALIGNED\n"
           L"DAN,     *DIMANGULAR\n"
           L"DAR,     *DIMARC\n"
           L"DDI,     *DIMDIAMETER\n"
           L"DLI,     *DIMLINEAR\n"
           L"DRA,     *DIMRADIUS\n"
           L"DT,      *TEXT\n"
           L"E,       *ERASE\n"
           L"EXIT,    *QUIT\n"
           L"I,       *INSERT\n"
           L"L,       *LINE\n"
           L"LA,      *LAYER\n"
           L"-LA,     *-LAYER\n"
           L"LI,      *LIST\n"
           L"LS,      *LIST\n"
           L"M,       *MOVE\n"
           L"MI,      *MIRROR\n"
           L"MT,      *MTEXT\n"
           L"PL,      *PLINE\n"
           L"R,       *REDRAW\n"
           L"RE,      *REGEN\n"
           L"RO,      *ROTATE\n"
           L"S,       *STRETCH\n"
           L"SC,      *SCALE\n"
           L"SET,     *SETVAR\n"
           L"T,       *MTEXT\n"
           L"X,       *EXPLODE\n"
           L"Z,       *ZOOM\n";
}

std::vector<std::wstring> CommandAliases::parse(const std::wstring& text) {
    std::vector<std::wstring> messages;
    std::wistringstream lines(text);
    std::wstring line;
    for (int number = 1; std::getline(lines, line); ++number) {
        const std::wstring t = trimmed(line.substr(0, line.find(L';')));
        if (t.empty()) continue;
        const size_t comma = t.find(L',');
        const std::wstring alias = comma == std::wstring::npos ? t : trimmed(t.substr(0, comma));
        const std::wstring rest = comma == std::wstring::npos ? L"" : trimmed(t.substr(comma + 1));
        if (!rest.empty() && rest[0] != L'*') continue; // an external program: not ours to run
        const std::wstring command = rest.empty() ? L"" : trimmed(rest.substr(1));
        if (!isValidCommandName(alias.c_str()) || !isValidCommandName(command.c_str())) {
            messages.push_back(FormatW(L"line %d is not \"ALIAS, *COMMAND\" and was skipped", number));
            continue;
        }
        m_aliases[toUpperCase(alias)] = toUpperCase(command);
    }
    return messages;
}

std::vector<std::wstring> CommandAliases::load(const std::wstring& path) {
    m_aliases.clear();
    const std::string native = nativePath(path);
    if (!fileExists(path)) {
        // First start: the usual aliases, written where a person can edit them.
        std::ofstream out(native, std::ios::binary);
        if (out) out << toUtf8(defaultFileText());
    }
    // A folder that cannot be written (a read-only home) is no reason to complain.
    if (!fileExists(path)) {
        parse(defaultFileText());
        return {};
    }
    std::string bytes;
    if (!readFile(native, bytes)) {
        parse(defaultFileText());
        return {FormatW(L"%s could not be read; the usual aliases are used", path.c_str())};
    }
    std::vector<std::wstring> messages = parse(fromUtf8(bytes));
    for (std::wstring& m : messages) m = path + L": " + m;
    return messages;
}

std::wstring CommandAliases::commandFor(const std::wstring& name) const {
    const auto it = m_aliases.find(toUpperCase(name));
    return it == m_aliases.end() ? std::wstring() : it->second;
}

CommandAliases& commandAliases() {
    static CommandAliases aliases;
    return aliases;
}

} // namespace host
