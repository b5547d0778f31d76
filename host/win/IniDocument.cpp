#include "host/win/IniDocument.h"

#include "host/win/Utf8.h"
#include "host/win/WinCrt.h"

namespace host {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool isBlankByte(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r';
}

bool isBlankLine(const std::string& text) {
    for (char c : text)
        if (!isBlankByte(c)) return false;
    return true;
}

// Neither blank nor a comment.
bool isContentLine(const std::string& text) {
    for (char c : text) {
        if (isBlankByte(c)) continue;
        return c != ';';
    }
    return false;
}

} // namespace

std::wstring unquoteProfileValue(std::wstring_view v) {
    if (v.size() >= 2 && (v.front() == L'"' || v.front() == L'\'') && v.back() == v.front())
        return std::wstring(v.substr(1, v.size() - 2));
    return std::wstring(v);
}

IniDocument IniDocument::parse(std::string_view bytes) {
    IniDocument doc;
    if (bytes.substr(0, kBom.size()) == kBom) {
        doc.m_bom = true;
        bytes.remove_prefix(kBom.size());
    }
    size_t pos = 0;
    while (pos < bytes.size()) {
        const size_t nl = bytes.find('\n', pos);
        Line line;
        if (nl == std::string_view::npos) {
            line.text = std::string(bytes.substr(pos));
            pos = bytes.size();
        } else {
            line.text = std::string(bytes.substr(pos, nl - pos));
            line.eol = "\n";
            pos = nl + 1;
        }
        if (!line.eol.empty() && !line.text.empty() && line.text.back() == '\r') {
            line.text.pop_back();
            line.eol = "\r\n";
        }
        doc.m_lines.push_back(std::move(line));
    }
    return doc;
}

std::string IniDocument::bytes() const {
    std::string out;
    if (m_bom) out += kBom;
    for (const Line& l : m_lines) {
        out += l.text;
        out += l.eol;
    }
    return out;
}

IniDocument::Parsed IniDocument::parseLine(const std::string& text) {
    Parsed p;
    size_t b = 0;
    while (b < text.size() && isBlankByte(text[b]))
        ++b;
    if (b == text.size() || text[b] == ';') return p;
    if (text[b] == '[') {
        const size_t close = text.find(']', b + 1);
        const size_t end = close == std::string::npos ? text.size() : close;
        p.kind = Kind::Section;
        p.name = std::wstring(trimView(fromUtf8(std::string_view(text).substr(b + 1, end - b - 1))));
        return p;
    }
    const size_t eq = text.find('=', b);
    if (eq == std::string::npos) return p;
    p.name = std::wstring(trimView(fromUtf8(std::string_view(text).substr(b, eq - b))));
    if (p.name.empty()) return p;
    p.kind = Kind::Entry;
    p.value = std::wstring(trimView(fromUtf8(std::string_view(text).substr(eq + 1))));
    return p;
}

size_t IniDocument::sectionEnd(size_t header) const {
    size_t i = header + 1;
    while (i < m_lines.size() && parseLine(m_lines[i].text).kind != Kind::Section)
        ++i;
    return i;
}

bool IniDocument::findSection(std::wstring_view section, size_t& header, size_t& end) const {
    const std::wstring_view want = trimView(section);
    for (size_t i = 0; i < m_lines.size(); ++i) {
        const Parsed p = parseLine(m_lines[i].text);
        if (p.kind == Kind::Section && equalsNoCase(p.name, want)) {
            header = i;
            end = sectionEnd(i);
            return true;
        }
    }
    return false;
}

namespace {

// Compares a name from the file with a wanted (trimmed) name without regard to case;
// ASCII names are compared byte by byte, others decoded first.
bool sameName(std::string_view raw, std::wstring_view want) {
    size_t b = 0, e = raw.size();
    while (b < e && isBlankByte(raw[b]))
        ++b;
    while (e > b && isBlankByte(raw[e - 1]))
        --e;
    raw = raw.substr(b, e - b);
    bool ascii = true;
    for (char c : raw)
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (!ascii) return equalsNoCase(trimView(fromUtf8(raw)), want);
    if (raw.size() != want.size()) return false;
    for (size_t i = 0; i < raw.size(); ++i)
        if (foldCase(static_cast<wchar_t>(raw[i])) != foldCase(want[i])) return false;
    return true;
}

} // namespace

std::optional<std::wstring> IniDocument::findValue(std::string_view bytes, std::wstring_view section,
                                                   std::wstring_view key) {
    if (bytes.substr(0, kBom.size()) == kBom) bytes.remove_prefix(kBom.size());
    const std::wstring_view wantSection = trimView(section), wantKey = trimView(key);
    if (wantKey.empty()) return std::nullopt;
    bool inSection = false, seenSection = false;
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t end = bytes.find('\n', pos);
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view line = bytes.substr(pos, end - pos);
        pos = end + 1;
        size_t b = 0;
        while (b < line.size() && isBlankByte(line[b]))
            ++b;
        if (b == line.size() || line[b] == ';') continue;
        if (line[b] == '[') {
            // Only the first section of a name counts.
            if (inSection) return std::nullopt;
            const size_t close = line.find(']', b + 1);
            const std::string_view name =
                line.substr(b + 1, (close == std::string_view::npos ? line.size() : close) - b - 1);
            inSection = !seenSection && sameName(name, wantSection);
            seenSection = seenSection || inSection;
            continue;
        }
        if (!inSection) continue;
        const size_t eq = line.find('=', b);
        if (eq == std::string_view::npos || !sameName(line.substr(b, eq - b), wantKey)) continue;
        return unquoteProfileValue(trimView(fromUtf8(line.substr(eq + 1))));
    }
    return std::nullopt;
}

std::vector<std::wstring> IniDocument::sections() const {
    std::vector<std::wstring> out;
    for (const Line& l : m_lines) {
        const Parsed p = parseLine(l.text);
        if (p.kind != Kind::Section) continue;
        bool seen = false;
        for (const auto& s : out)
            seen = seen || equalsNoCase(s, p.name);
        if (!seen) out.push_back(p.name);
    }
    return out;
}

std::vector<std::wstring> IniDocument::keys(std::wstring_view section) const {
    std::vector<std::wstring> out;
    size_t header = 0, end = 0;
    if (!findSection(section, header, end)) return out;
    for (size_t i = header + 1; i < end; ++i) {
        const Parsed p = parseLine(m_lines[i].text);
        if (p.kind != Kind::Entry) continue;
        bool seen = false;
        for (const auto& k : out)
            seen = seen || equalsNoCase(k, p.name);
        if (!seen) out.push_back(p.name);
    }
    return out;
}

std::string IniDocument::defaultEol() const {
    for (const Line& l : m_lines)
        if (!l.eol.empty()) return l.eol;
    return "\n";
}

void IniDocument::insertLine(size_t at, std::string text) {
    const std::string eol = defaultEol();
    // The line before gains a line end if it was the unterminated last line.
    if (at > 0 && m_lines[at - 1].eol.empty()) m_lines[at - 1].eol = eol;
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(text), eol});
}

bool IniDocument::setValue(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
    const std::wstring_view k = trimView(key);
    const std::string entry = toUtf8(k) + "=" + toUtf8(value);
    size_t header = 0, end = 0;
    if (!findSection(section, header, end)) {
        // A new section goes to the end, after a blank line that separates it.
        if (!m_lines.empty() && !isBlankLine(m_lines.back().text)) insertLine(m_lines.size(), "");
        insertLine(m_lines.size(), "[" + toUtf8(trimView(section)) + "]");
        insertLine(m_lines.size(), entry);
        return true;
    }
    // A new key goes after the last line of the section that is not blank or a
    // comment, so comments written above the next section stay with it.
    size_t insertAfter = header;
    for (size_t i = header + 1; i < end; ++i) {
        const Parsed p = parseLine(m_lines[i].text);
        if (p.kind == Kind::Entry && equalsNoCase(p.name, k)) {
            if (p.value == trimView(value)) return false;
            // Keep the key as spelled and the spacing around '='; only the value changes.
            const std::string& text = m_lines[i].text;
            size_t valueStart = text.find('=') + 1;
            while (valueStart < text.size() && isBlankByte(text[valueStart]))
                ++valueStart;
            m_lines[i].text = text.substr(0, valueStart) + toUtf8(value);
            return true;
        }
        if (isContentLine(m_lines[i].text)) insertAfter = i;
    }
    insertLine(insertAfter + 1, entry);
    return true;
}

bool IniDocument::removeKey(std::wstring_view section, std::wstring_view key) {
    size_t header = 0, end = 0;
    if (!findSection(section, header, end)) return false;
    const std::wstring_view want = trimView(key);
    for (size_t i = header + 1; i < end; ++i) {
        const Parsed p = parseLine(m_lines[i].text);
        if (p.kind == Kind::Entry && equalsNoCase(p.name, want)) {
            m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(i));
            return true;
        }
    }
    return false;
}

bool IniDocument::removeSection(std::wstring_view section) {
    bool changed = false;
    size_t header = 0, end = 0;
    while (findSection(section, header, end)) {
        m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(header),
                      m_lines.begin() + static_cast<std::ptrdiff_t>(end));
        changed = true;
    }
    return changed;
}

} // namespace host
