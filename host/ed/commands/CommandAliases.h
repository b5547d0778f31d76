#pragma once
// Command aliases in the host's program-parameter format: one alias per line,
//     L,      *LINE
// with ";" starting a comment. Lines without "*" (external programs in the original
// format) are not commands and are skipped; a line that is neither is reported with
// its number and skipped, the rest still counts. The file is written with the usual
// aliases when it is not there, so a person can see and edit them.
#include <map>
#include <string>
#include <vector>

namespace host {

class CommandAliases {
public:
    // Reads `path` (native or host form); writes the default file first when there is
    // none. Replaces what was loaded before. The messages say what was skipped.
    std::vector<std::wstring> load(const std::wstring& path);
    // Reads aliases from text in the file's format (for load and for tests).
    std::vector<std::wstring> parse(const std::wstring& text);
    // The command an alias stands for (upper-case), empty when `name` is no alias.
    std::wstring commandFor(const std::wstring& name) const;
    // Every alias with its command, sorted by alias.
    const std::map<std::wstring, std::wstring>& all() const { return m_aliases; }
    void clear() { m_aliases.clear(); }

    // The file written on first start.
    static const wchar_t* defaultFileText();

private:
    std::map<std::wstring, std::wstring> m_aliases; // upper-case alias -> command
};

CommandAliases& commandAliases();

} // namespace host
