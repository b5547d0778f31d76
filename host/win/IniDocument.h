#pragma once
// An INI file held as its lines, read and edited with the Windows profile rules.
//
// We keep our own small line editor instead of SimpleIni: SimpleIni rewrites the
// whole file on save (it drops lines it does not understand and comments at the end,
// re-spaces "key = value", and lets the last duplicate key win), while Windows
// changes only the line it writes and lets the first duplicate win. Lines are kept as
// the bytes they were, so a write never alters any other line, even one that is not
// valid UTF-8.
//
// Rules: section names and keys compare without regard to case and are trimmed; a
// line whose first non-blank character is ';' is a comment; an inline ';' belongs to
// the value; values are trimmed and lose one pair of surrounding quotes ("" or '');
// lines before the first section and lines without '=' hold no entries; the first
// of duplicate sections and duplicate keys is the one that counts.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace host {

class IniDocument {
public:
    IniDocument() = default;
    // Never fails: anything that is not a section or an entry is kept as it is. A
    // UTF-8 byte order mark is accepted and kept.
    static IniDocument parse(std::string_view bytes);
    std::string bytes() const;

    // A value straight from the file's bytes, without building a document: the
    // profile functions read one value per call, many times over.
    static std::optional<std::wstring> findValue(std::string_view bytes, std::wstring_view section,
                                                 std::wstring_view key);
    // Section names in file order, each once, as first spelled.
    std::vector<std::wstring> sections() const;
    // Keys of the (first) section, each once, as first spelled.
    std::vector<std::wstring> keys(std::wstring_view section) const;

    // Each returns true when the document changed. setValue replaces the first
    // matching entry's line, or adds the entry after the last entry of the section,
    // or adds the section at the end.
    bool setValue(std::wstring_view section, std::wstring_view key, std::wstring_view value);
    bool removeKey(std::wstring_view section, std::wstring_view key);
    // Removes every section of that name with its lines.
    bool removeSection(std::wstring_view section);

private:
    struct Line {
        std::string text; // without its line end
        std::string eol;  // "\r\n", "\n" or "" for a last line without one
    };
    enum class Kind { Other, Section, Entry };
    struct Parsed {
        Kind kind = Kind::Other;
        std::wstring name;  // section name or key, trimmed
        std::wstring value; // raw value, trimmed (quotes kept)
    };
    static Parsed parseLine(const std::string& text);
    // [first, last) line indices of the first section named `section`; first is the header.
    bool findSection(std::wstring_view section, size_t& header, size_t& end) const;
    size_t sectionEnd(size_t header) const;
    void insertLine(size_t at, std::string text);
    std::string defaultEol() const;

    std::vector<Line> m_lines;
    bool m_bom = false;
};

// The value as GetPrivateProfileString returns it: one pair of surrounding quotes removed.
std::wstring unquoteProfileValue(std::wstring_view trimmed);

} // namespace host
