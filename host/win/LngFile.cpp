#include "host/win/LngFile.h"

#include "host/win/Utf8.h"
#include "host/win/WinCrt.h"

namespace host {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

std::wstring_view nextWord(std::wstring_view& rest) {
    rest = trimView(rest);
    size_t n = 0;
    while (n < rest.size() && !isBlank(rest[n]))
        ++n;
    std::wstring_view word = rest.substr(0, n);
    rest.remove_prefix(n);
    return word;
}

bool parseId(std::wstring_view word, UINT& id) {
    if (word.empty() || word.size() > 5) return false;
    UINT v = 0;
    for (wchar_t c : word) {
        if (c < L'0' || c > L'9') return false;
        v = v * 10 + static_cast<UINT>(c - L'0');
    }
    if (v == 0 || v > 65535) return false;
    id = v;
    return true;
}

// The quoted text of a STRING line; the rest of the line may only be blank or a comment.
bool parseQuoted(std::wstring_view rest, std::wstring& text, std::wstring& problem) {
    rest = trimView(rest);
    if (rest.empty() || rest.front() != L'"') {
        problem = L"the text must stand in double quotes";
        return false;
    }
    size_t i = 1;
    for (; i < rest.size() && rest[i] != L'"'; ++i) {
        if (rest[i] != L'\\') {
            text.push_back(rest[i]);
            continue;
        }
        if (++i == rest.size()) break;
        switch (rest[i]) {
        case L'n':
            text.push_back(L'\n');
            break;
        case L't':
            text.push_back(L'\t');
            break;
        case L'r':
            text.push_back(L'\r');
            break;
        case L'\\':
            text.push_back(L'\\');
            break;
        case L'"':
            text.push_back(L'"');
            break;
        default:
            problem = std::wstring(L"unknown escape \\") + rest[i];
            return false;
        }
    }
    if (i >= rest.size()) {
        problem = L"the closing quote is missing";
        return false;
    }
    const std::wstring_view after = trimView(rest.substr(i + 1));
    if (!after.empty() && after.front() != L';' && after.front() != L'#') {
        problem = L"unexpected text after the closing quote";
        return false;
    }
    return true;
}

struct Block {
    std::wstring kind;
    UINT id = 0;
    size_t startLine = 0;
    std::vector<std::wstring> lines;
};

bool fail(LngError& error, size_t line, std::wstring message) {
    error.line = line;
    error.message = std::move(message);
    return false;
}

bool parseEntry(std::wstring_view text, size_t lineNo, LngContents& out, Block& open, LngError& error) {
    std::wstring_view rest = text;
    const std::wstring keyword = toLowerCase(nextWord(rest));
    if (keyword == L"language") {
        out.language = std::wstring(trimView(rest));
        return true;
    }
    if (keyword == L"string") {
        UINT id = 0;
        if (!parseId(nextWord(rest), id))
            return fail(error, lineNo, L"the string id must be a number from 1 to 65535");
        std::wstring value, problem;
        if (!parseQuoted(rest, value, problem)) return fail(error, lineNo, problem);
        if (!out.strings.emplace(id, std::move(value)).second)
            return fail(error, lineNo, L"string " + std::to_wstring(id) + L" is given twice");
        return true;
    }
    if (keyword == L"menu" || keyword == L"dialog") {
        UINT id = 0;
        if (!parseId(nextWord(rest), id))
            return fail(error, lineNo, L"the id must be a number from 1 to 65535");
        open = Block{keyword == L"menu" ? L"MENU" : L"DIALOG", id, lineNo, {}};
        return true;
    }
    return fail(error, lineNo, L"unknown entry \"" + std::wstring(text.substr(0, 40)) + L"\"");
}

} // namespace

bool parseLngFile(std::string_view bytes, LngContents& out, LngError& error) {
    out = LngContents{};
    if (bytes.substr(0, kBom.size()) == kBom) bytes.remove_prefix(kBom.size());
    if (bytes.find('\0') != std::string_view::npos) return fail(error, 0, L"the file is not text");
    Block open;
    size_t lineNo = 0;
    size_t pos = 0;
    while (pos <= bytes.size()) {
        const size_t nl = bytes.find('\n', pos);
        const size_t end = nl == std::string_view::npos ? bytes.size() : nl;
        const std::wstring line = fromUtf8(bytes.substr(pos, end - pos));
        pos = end + 1;
        ++lineNo;
        const std::wstring_view text = trimView(line);
        if (!open.kind.empty()) {
            if (equalsNoCase(text, L"END " + open.kind)) {
                // A second block of the same id would silently replace the first.
                if (!out.blocks.emplace(std::make_pair(open.kind, open.id), std::move(open.lines)).second)
                    return fail(error, open.startLine,
                                open.kind + L" " + std::to_wstring(open.id) + L" is given twice");
                out.blockLines[{open.kind, open.id}] = open.startLine;
                open = Block{};
            } else {
                open.lines.emplace_back(text);
            }
            continue;
        }
        if (text.empty() || text.front() == L';' || text.front() == L'#') continue;
        if (!parseEntry(text, lineNo, out, open, error)) return false;
    }
    if (!open.kind.empty())
        return fail(error, open.startLine,
                    open.kind + L" " + std::to_wstring(open.id) + L" has no END " + open.kind);
    return true;
}

std::wstring quoteLngText(std::wstring_view text) {
    std::wstring out = L"\"";
    for (wchar_t c : text) {
        switch (c) {
        case L'\n':
            out += L"\\n";
            break;
        case L'\t':
            out += L"\\t";
            break;
        case L'\r':
            out += L"\\r";
            break;
        case L'\\':
            out += L"\\\\";
            break;
        case L'"':
            out += L"\\\"";
            break;
        default:
            out.push_back(c);
        }
    }
    out.push_back(L'"');
    return out;
}

} // namespace host
