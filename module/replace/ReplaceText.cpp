#include "module/replace/ReplaceText.h"

#include "module/options/OptStrings.h"

#include <algorithm>

bool TextMatchesWhole(const std::wstring& text, const std::wstring& search, bool caseSensitive) {
    if (search.empty()) return false;
    return caseSensitive ? text == search : OptEqualNoCase(text, search);
}

std::wstring ReplaceOccurrences(const std::wstring& text, const std::wstring& search,
                                const std::wstring& replacement, bool caseSensitive, int* count) {
    int found = 0;
    std::wstring out;
    if (!search.empty() && text.size() >= search.size()) {
        // OptLower maps one character to one character, so positions in the lowered
        // texts are positions in the originals.
        const std::wstring hay = caseSensitive ? text : OptLower(text);
        const std::wstring needle = caseSensitive ? search : OptLower(search);
        size_t from = 0;
        for (size_t at = hay.find(needle); at != std::wstring::npos; at = hay.find(needle, from)) {
            out.append(text, from, at - from);
            out.append(replacement);
            from = at + needle.size();
            ++found;
        }
        if (found) out.append(text, from, std::wstring::npos);
    }
    if (count) *count = found;
    return found ? out : text;
}

int ApplyReplaceRule(const ReplaceRule& rule, std::wstring& text) {
    if (rule.search.empty()) return 0;
    if (rule.wholeText) {
        if (!TextMatchesWhole(text, rule.search, rule.caseSensitive)) return 0;
        text = rule.replacement;
        return 1;
    }
    int count = 0;
    text = ReplaceOccurrences(text, rule.search, rule.replacement, rule.caseSensitive, &count);
    return count;
}

void RememberReplacement(std::vector<std::wstring>& list, const std::wstring& text, size_t maxEntries) {
    if (!text.empty() && std::find(list.begin(), list.end(), text) == list.end()) list.insert(list.begin(), text);
    if (list.size() > maxEntries) list.resize(maxEntries);
}

std::wstring JoinReplacementList(const std::vector<std::wstring>& list, size_t maxChars) {
    std::wstring out;
    for (const std::wstring& entry : list) {
        std::wstring piece;
        for (wchar_t c : entry) {
            if (c == L'|' || c == L'\\') piece.push_back(L'\\');
            piece.push_back(c);
        }
        const size_t grown = out.size() + (out.empty() ? 0 : 1) + piece.size();
        if (grown > maxChars) break;
        if (!out.empty()) out.push_back(L'|');
        out += piece;
    }
    return out;
}

std::vector<std::wstring> SplitReplacementList(const std::wstring& value) {
    std::vector<std::wstring> list;
    if (value.empty()) return list;
    std::wstring entry;
    for (size_t i = 0; i < value.size(); ++i) {
        const wchar_t c = value[i];
        if (c == L'\\' && i + 1 < value.size()) {
            entry.push_back(value[++i]);
        } else if (c == L'|') {
            if (!entry.empty()) list.push_back(entry);
            entry.clear();
        } else {
            entry.push_back(c);
        }
    }
    if (!entry.empty()) list.push_back(entry);
    return list;
}
