#include "host/ed/acutWcMatch.h"

#include "host/rx/adscodes.h"
#include "host/win/WinCrt.h"

#include <algorithm>
#include <cwctype>
#include <vector>

namespace host {

namespace {

struct Token {
    enum Kind { Literal, Digit, Letter, Other, One, Run, Set } kind = Literal;
    wchar_t ch = 0;
    bool negated = false;
    std::vector<std::pair<wchar_t, wchar_t>> ranges;
};

wchar_t fold(wchar_t c, bool ignoreCase) {
    return ignoreCase ? host::upperCase(c) : c;
}

// Splits at commas that are neither escaped nor inside brackets.
std::vector<std::wstring> alternatives(const std::wstring& pattern) {
    std::vector<std::wstring> out(1);
    bool inSet = false;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const wchar_t c = pattern[i];
        if (c == L'`' && i + 1 < pattern.size()) {
            out.back() += c;
            out.back() += pattern[++i];
            continue;
        }
        if (c == L'[') inSet = true;
        if (c == L']') inSet = false;
        if (c == L',' && !inSet) {
            out.emplace_back();
            continue;
        }
        out.back() += c;
    }
    return out;
}

// The bracket expression starting after '['; `i` ends on the closing ']'. An
// unclosed bracket is taken as the literal '['.
bool parseSet(const std::wstring& p, size_t& i, Token& t) {
    size_t j = i + 1;
    t.kind = Token::Set;
    if (j < p.size() && p[j] == L'~') {
        t.negated = true;
        ++j;
    }
    for (bool first = true; j < p.size(); first = false) {
        wchar_t c = p[j];
        if (c == L']' && !first) {
            i = j;
            return true;
        }
        if (c == L'`' && j + 1 < p.size()) c = p[++j];
        if (j + 2 < p.size() && p[j + 1] == L'-' && p[j + 2] != L']') {
            t.ranges.emplace_back(c, p[j + 2]);
            j += 3;
        } else {
            t.ranges.emplace_back(c, c);
            ++j;
        }
    }
    return false;
}

std::vector<Token> tokenize(const std::wstring& p) {
    std::vector<Token> tokens;
    for (size_t i = 0; i < p.size(); ++i) {
        Token t;
        switch (p[i]) {
        case L'#':
            t.kind = Token::Digit;
            break;
        case L'@':
            t.kind = Token::Letter;
            break;
        case L'.':
            t.kind = Token::Other;
            break;
        case L'?':
            t.kind = Token::One;
            break;
        case L'*':
            t.kind = Token::Run;
            break;
        case L'[':
            if (!parseSet(p, i, t)) {
                t = Token();
                t.ch = L'[';
            }
            break;
        case L'`':
            t.ch = i + 1 < p.size() ? p[++i] : L'`';
            break;
        default:
            t.ch = p[i];
        }
        tokens.push_back(std::move(t));
    }
    return tokens;
}

bool accepts(const Token& t, wchar_t c, bool ignoreCase) {
    switch (t.kind) {
    case Token::Literal:
        return fold(t.ch, ignoreCase) == fold(c, ignoreCase);
    case Token::Digit:
        return std::iswdigit(c) != 0;
    case Token::Letter:
        return std::iswalpha(c) != 0;
    case Token::Other:
        return !std::iswalnum(c);
    case Token::One:
        return true;
    case Token::Run:
        return true;
    case Token::Set: {
        bool in = false;
        const wchar_t fc = fold(c, ignoreCase);
        for (const auto& [lo, hi] : t.ranges)
            if ((fc >= fold(lo, ignoreCase) && fc <= fold(hi, ignoreCase)) || (c >= lo && c <= hi)) in = true;
        return in != t.negated;
    }
    }
    return false;
}

// Runs may match nothing: wherever a run could start, the state after it is reached too.
void closeOverRuns(const std::vector<Token>& tokens, std::vector<char>& reach) {
    for (size_t j = 0; j < tokens.size(); ++j)
        if (reach[j] && tokens[j].kind == Token::Run) reach[j + 1] = 1;
}

// A table walk: reach[j] is true when the first j tokens match the text read so far;
// a run that takes a character stays where it is.
bool matchTokens(const std::vector<Token>& tokens, const std::wstring& text, bool ignoreCase) {
    std::vector<char> reach(tokens.size() + 1, 0), next(tokens.size() + 1, 0);
    reach[0] = 1;
    closeOverRuns(tokens, reach);
    for (wchar_t c : text) {
        std::fill(next.begin(), next.end(), 0);
        for (size_t j = 0; j < tokens.size(); ++j) {
            if (!reach[j]) continue;
            if (tokens[j].kind == Token::Run)
                next[j] = 1;
            else if (accepts(tokens[j], c, ignoreCase))
                next[j + 1] = 1;
        }
        closeOverRuns(tokens, next);
        reach.swap(next);
    }
    return reach[tokens.size()] != 0;
}

} // namespace

bool wildcardMatch(const std::wstring& text, const std::wstring& pattern, bool ignoreCase) {
    for (const std::wstring& alt : alternatives(pattern)) {
        const bool negated = !alt.empty() && alt[0] == L'~';
        const std::vector<Token> tokens = tokenize(negated ? alt.substr(1) : alt);
        if (matchTokens(tokens, text, ignoreCase) != negated) return true;
    }
    return false;
}

} // namespace host

int acutWcMatch(const wchar_t* string, const wchar_t* pattern) {
    return acutWcMatchEx(string, pattern, false);
}

int acutWcMatchEx(const wchar_t* string, const wchar_t* pattern, bool ignoreCase) {
    if (!string || !pattern) return RTERROR;
    return host::wildcardMatch(string, pattern, ignoreCase) ? RTNORM : RTERROR;
}
