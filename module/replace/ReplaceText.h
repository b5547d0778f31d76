#pragma once
// How one text is searched and replaced, and the remembered list of replacement
// texts. Pure functions: no drawing, no settings file.
//
// A rule either compares whole texts (the text must equal the search text and is then
// replaced whole) or replaces every occurrence of the search text inside the text,
// left to right, without overlaps. Without case sensitivity letters compare as the
// option names do (ASCII and the Latin-1 letters such as "Ä" and "ä"). An empty search
// text never matches.
#include <string>
#include <vector>

struct ReplaceRule {
    std::wstring search;
    std::wstring replacement;
    bool wholeText = true;
    bool caseSensitive = false;
};

// The text after the rule, and how many occurrences were replaced (0: unchanged).
int ApplyReplaceRule(const ReplaceRule& rule, std::wstring& text);

// Whether `text` equals `search`, with or without regard to case.
bool TextMatchesWhole(const std::wstring& text, const std::wstring& search, bool caseSensitive);

// Every occurrence of `search` in `text` replaced; the count in `count`.
std::wstring ReplaceOccurrences(const std::wstring& text, const std::wstring& search,
                                const std::wstring& replacement, bool caseSensitive, int* count);

// The remembered replacements, newest first: `text` goes to the head when it is not in
// the list yet (compared exactly); a text already in it keeps its place, so it stands
// once. An empty text is not remembered. The list is cut to `maxEntries`.
void RememberReplacement(std::vector<std::wstring>& list, const std::wstring& text, size_t maxEntries = 20);

// The list as one INI value and back: entries separated by "|", a "|" or "\" inside an
// entry written with a "\" before it. Joining keeps as many leading entries as fit in
// `maxChars` characters, so that an INI value of that size still holds the newest ones.
std::wstring JoinReplacementList(const std::vector<std::wstring>& list, size_t maxChars = 500);
std::vector<std::wstring> SplitReplacementList(const std::wstring& value);
