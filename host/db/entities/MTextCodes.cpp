// Reading the format codes of multiline text contents.
#include "host/db/entities/AcDbMText.h"

#include <cwctype>

namespace host {

namespace {
// Skips a code's argument up to and including its ';' (or to the end).
size_t skipArgument(const std::wstring& s, size_t i) {
    while (i < s.size() && s[i] != L';') ++i;
    return i < s.size() ? i + 1 : i;
}
} // namespace

std::vector<std::wstring> mtextPlainLines(const std::wstring& s) {
    std::vector<std::wstring> lines(1);
    for (size_t i = 0; i < s.size();) {
        wchar_t c = s[i];
        if (c == L'{' || c == L'}') {
            ++i;
            continue;
        }
        if (c == L'\n') {
            lines.emplace_back();
            ++i;
            continue;
        }
        if (c != L'\\' || i + 1 >= s.size()) {
            lines.back() += c;
            ++i;
            continue;
        }
        wchar_t code = s[i + 1];
        i += 2;
        switch (code) {
        case L'P':
        case L'X':
            lines.emplace_back();
            break;
        case L'\\':
        case L'{':
        case L'}':
            lines.back() += code;
            break;
        case L'~':
            lines.back() += L' ';
            break;
        case L'S': {
            // Stacked text: a^b or a/b or a#b up to ';'.
            size_t end = skipArgument(s, i);
            std::wstring stack = s.substr(i, (end > i && s[end - 1] == L';' ? end - 1 : end) - i);
            for (auto& ch : stack)
                if (ch == L'^' || ch == L'#') ch = L'/';
            lines.back() += stack;
            i = end;
            break;
        }
        case L'H':
        case L'h':
        case L'f':
        case L'F':
        case L'C':
        case L'c':
        case L'A':
        case L'T':
        case L'Q':
        case L'W':
        case L'p':
            i = skipArgument(s, i);
            break;
        case L'L':
        case L'l':
        case L'O':
        case L'o':
        case L'K':
        case L'k':
            break;
        default:
            // Not a code: the backslash and the character stand as written.
            lines.back() += L'\\';
            lines.back() += code;
            break;
        }
    }
    return lines;
}

} // namespace host
