#include "module/height/HeightText.h"

#include "host/win/FormatW.h"
#include "module/chain/NumberText.h"

#include <cmath>

namespace {

std::wstring TrimRight(std::wstring s) {
    while (!s.empty() && (s.back() == L' ' || s.back() == L'\t'))
        s.pop_back();
    return s;
}

std::wstring Trim(const std::wstring& s) {
    size_t first = 0;
    while (first < s.size() && (s[first] == L' ' || s[first] == L'\t'))
        ++first;
    return TrimRight(s.substr(first));
}

std::wstring ZeroText(const HeightRowInput& in) {
    std::wstring text = host::FormatW(L"%s0.00", in.plusMinusHide ? L"" : L"\u00B1");
    if (!in.delimiter.empty()) {
        const size_t dot = text.find(L'.');
        if (dot != std::wstring::npos) text.replace(dot, 1, in.delimiter);
    }
    return text;
}

std::wstring ValueText(const HeightRowInput& in) {
    const double magnitude = std::fabs(in.value);
    if (magnitude <= kHeightZeroValue) return ZeroText(in);
    if (in.plan) return FormatNumber(magnitude, in.decimals, in.trimZero, in.delimiter);
    return FormatValue(3, magnitude, in.params, in.env);
}

HeightRowText Split(const std::wstring& text) {
    const size_t caret = text.find(L'^');
    if (caret == std::wstring::npos) return {text, L""};
    return {text.substr(0, caret), text.substr(caret + 1)};
}

} // namespace

HeightRowText ComposeHeightRow(const HeightRowInput& in) {
    std::wstring value = ValueText(in);
    bool fromUser = false;
    if (!in.userText.empty() && (in.plan || in.userTextOn)) {
        value = in.userText;
        fromUser = true;
        double number = 0.0;
        // A number typed as the value looks like every other value of the drawing.
        if (!in.plan && ParseUserNumber(in.userText, in.delimiter, number))
            value = std::fabs(number) <= kHeightZeroValue ? ZeroText(in)
                                                            : FormatValue(3, std::fabs(number), in.params, in.env);
    }
    const std::wstring suffix = host::FormatW(L" %s", in.suffix.c_str());
    if (in.rowState == 2 && (!in.prefix.empty() || !Trim(in.suffix).empty()))
        return Split(Trim(in.prefix + TrimRight(suffix)));
    std::wstring sign;
    const bool zero = std::fabs(in.value) <= kHeightZeroValue;
    if (!fromUser && !zero) {
        // Values are written without their sign: "+" for a section mark above zero unless
        // hidden, and every negative value keeps its minus.
        if (in.value < 0)
            sign = L"-";
        else if (!in.plan && !in.plusMinusHide)
            sign = L"+";
    }
    const std::wstring text =
        host::FormatW(L"%s %s%s", in.prefix.c_str(), sign.c_str(), value.c_str());
    return Split(Trim(text) + TrimRight(suffix));
}

int HeightRowState(std::uint32_t format, int row) {
    const std::uint32_t low = row == 2 ? 2u : 1u;
    const std::uint32_t high = row == 2 ? 8u : 4u;
    if (format & high) return 2;
    if (format & low) return 1;
    return 0;
}

std::uint32_t SetHeightRowState(std::uint32_t format, int row, int state) {
    const std::uint32_t low = row == 2 ? 2u : 1u;
    const std::uint32_t high = row == 2 ? 8u : 4u;
    format &= ~(low | high);
    if (state == 1) format |= low;
    if (state == 2) format |= high;
    return format;
}

std::wstring HeightTypeName(bool plan, int type) {
    if (plan) {
        switch (type) {
        case 1: return L"Grundriss-HK - Typ 2";
        case 2: return L"Grundriss-HK - Typ 1";
        case 3: return L"Fertigmaß - Spitze unten";
        case 4: return L"Rohbaumaß - Spitze unten";
        default: return L"";
        }
    }
    switch (type) {
    case 1: return L"Fertigmaß - Spitze unten";
    case 2: return L"Rohbaumaß - Spitze unten";
    case 4: return L"Fertigmaß - Spitze oben";
    case 5: return L"Rohbaumaß - Spitze oben";
    default: return L"";
    }
}

namespace {
struct AlignName {
    int code;
    const wchar_t* name;
};
constexpr AlignName kSectionAlign[] = {
    {4, L"Links - bei der Spitze"}, {7, L"Links - Zentriert"}, {10, L"Links"},
    {6, L"Rechts - bei der Spitze"}, {9, L"Rechts - Zentriert"}, {12, L"Rechts"},
    {5, L"Mitte - bei der Spitze"}, {11, L"Mitte"},
};
} // namespace

bool IsLeftAlignCode(int code) {
    return code == 1 || code == 4 || code == 7 || code == 10;
}

std::wstring HeightTextAlignName(bool plan, int code) {
    if (plan) {
        if (IsLeftAlignCode(code)) return L"Links";
        if (code == 3 || code == 6 || code == 9 || code == 12) return L"Rechts";
        return L"";
    }
    // 1 and 3 have no names of their own: they read as the plain sides.
    if (code == 1) code = 10;
    if (code == 3) code = 12;
    for (const AlignName& a : kSectionAlign)
        if (a.code == code) return a.name;
    return L"";
}

int HeightTextAlignCode(bool plan, const std::wstring& name) {
    if (plan) return name == L"Rechts" ? 9 : 7;
    for (const AlignName& a : kSectionAlign)
        if (name == a.name) return a.code;
    return 7;
}
