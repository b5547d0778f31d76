#include "module/chain/NumberText.h"

#include "host/win/FormatW.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace {

constexpr int kMaxDecimals = 14;

bool isDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

// Reads a number written with '.' as decimal sign; only digits, sign and point reach here.
double readCanonical(const std::string& text) {
    const double v = std::strtod(text.c_str(), nullptr);
    return std::isfinite(v) ? v : 0.0;
}

bool readsAsZero(const std::wstring& text) {
    for (wchar_t c : text)
        if (c >= L'1' && c <= L'9') return false;
    return true;
}

} // namespace

std::wstring FormatNumber(double value, int decimals, bool trimZero, const std::wstring& delimiter) {
    std::wstring text;
    if (decimals >= 0 && decimals <= kMaxDecimals) {
        text = host::FormatW(L"%.*f", decimals, value);
    } else {
        text = host::FormatW(L"%f", value);
        trimZero = true;
    }
    if (trimZero && text.find_first_of(L".,") != std::wstring::npos) {
        while (!text.empty() && text.back() == L'0')
            text.pop_back();
        if (!text.empty() && text.back() == L'.') text.pop_back();
    }
    if (!text.empty() && text[0] == L'-' && readsAsZero(text)) text.erase(0, 1);
    const size_t point = text.find(L'.');
    if (point != std::wstring::npos && !delimiter.empty()) text.replace(point, 1, delimiter);
    return text;
}

double ParseDisplayNumber(const std::wstring& text) {
    std::wstring t = text;
    const bool hasDecimalSign = t.find_first_of(L".,") != std::wstring::npos;
    for (size_t i = t.find(L'^'); i != std::wstring::npos; i = t.find(L'^', i)) {
        if (hasDecimalSign) {
            t.erase(i, 1);
        } else {
            t[i] = L'.';
            ++i;
        }
    }
    size_t i = 0;
    while (i < t.size() && (t[i] == L' ' || t[i] == L'\t'))
        ++i;
    std::string canonical;
    if (i < t.size() && (t[i] == L'-' || t[i] == L'+')) canonical += static_cast<char>(t[i++]);
    bool point = false;
    bool digits = false;
    for (; i < t.size(); ++i) {
        if (isDigit(t[i])) {
            canonical += static_cast<char>(t[i]);
            digits = true;
        } else if ((t[i] == L'.' || t[i] == L',') && !point) {
            canonical += '.';
            point = true;
        } else {
            break;
        }
    }
    return digits ? readCanonical(canonical) : 0.0;
}

bool ParseUserNumber(const std::wstring& text, const std::wstring& delimiter, double& value) {
    size_t first = text.find_first_not_of(L" \t");
    if (first == std::wstring::npos) return false;
    const size_t last = text.find_last_not_of(L" \t");
    // A one-character delimiter of its own ("'" or "·") is a decimal sign too.
    const wchar_t own = (delimiter.size() == 1 && !isDigit(delimiter[0]) && delimiter[0] != L'-' &&
                         delimiter[0] != L'+' && delimiter[0] != L' ')
                            ? delimiter[0]
                            : L'.';
    std::string canonical;
    if (text[first] == L'-' || text[first] == L'+') canonical += static_cast<char>(text[first++]);
    bool point = false;
    bool digits = false;
    for (size_t i = first; i <= last && i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (isDigit(c)) {
            canonical += static_cast<char>(c);
            digits = true;
        } else if ((c == L'.' || c == L',' || c == own) && !point) {
            canonical += '.';
            point = true;
        } else {
            return false;
        }
    }
    if (!digits) return false;
    const double v = std::strtod(canonical.c_str(), nullptr);
    if (!std::isfinite(v)) return false;
    value = v;
    return true;
}
