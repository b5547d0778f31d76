#include "module/options/OptStrings.h"

#include "host/win/FormatW.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cwctype>

namespace {

wchar_t lowerChar(wchar_t c)
{
    if (c >= L'A' && c <= L'Z')
        return static_cast<wchar_t>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return static_cast<wchar_t>(c + 32);
    return c;
}

bool isBlank(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\v' || c == L'\f';
}

bool isDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

} // namespace

std::wstring OptLower(const std::wstring& text)
{
    std::wstring out(text);
    for (wchar_t& c : out)
        c = lowerChar(c);
    return out;
}

bool OptEqualNoCase(const std::wstring& a, const std::wstring& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lowerChar(a[i]) != lowerChar(b[i]))
            return false;
    return true;
}

bool OptContainsNoCase(const std::wstring& text, const std::wstring& part)
{
    return OptLower(text).find(OptLower(part)) != std::wstring::npos;
}

std::wstring OptTrim(const std::wstring& text)
{
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && isBlank(text[b]))
        ++b;
    while (e > b && isBlank(text[e - 1]))
        --e;
    return text.substr(b, e - b);
}

int OptToInt(const std::wstring& text)
{
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-'))
        negative = text[i++] == L'-';
    long long value = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        value = value * 10 + (text[i] - L'0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1; // keep clamping, never overflow
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

double OptToDouble(const std::wstring& text)
{
    // Copy the longest number-shaped prefix into ASCII; from_chars does not depend on the
    // process locale, so "0.001" stays 0.001 whatever the host set.
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    std::string ascii;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
        if (text[i] == L'-')
            ascii += '-';
        ++i;
    }
    bool digits = false;
    for (; i < text.size() && isDigit(text[i]); ++i, digits = true)
        ascii += static_cast<char>(text[i]);
    if (i < text.size() && text[i] == L'.') {
        ascii += '.';
        for (++i; i < text.size() && isDigit(text[i]); ++i, digits = true)
            ascii += static_cast<char>(text[i]);
    }
    if (!digits)
        return 0.0;
    if (i < text.size() && (text[i] == L'e' || text[i] == L'E')) {
        std::size_t j = i + 1;
        std::string exp = "e";
        if (j < text.size() && (text[j] == L'+' || text[j] == L'-'))
            exp += static_cast<char>(text[j++]);
        if (j < text.size() && isDigit(text[j])) {
            for (; j < text.size() && isDigit(text[j]); ++j)
                exp += static_cast<char>(text[j]);
            ascii += exp;
        }
    }
    double value = 0.0;
    auto res = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (res.ec != std::errc() || !std::isfinite(value))
        return 0.0;
    return value;
}

std::wstring FormatOptDouble(double value)
{
    std::wstring text = host::FormatW(L"%f", value);
    if (text.find(L'.') != std::wstring::npos) {
        while (!text.empty() && text.back() == L'0')
            text.pop_back();
        if (!text.empty() && text.back() == L'.')
            text.pop_back();
    }
    if (text == L"-0")
        text = L"0";
    return text;
}
