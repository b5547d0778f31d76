#include "module/chain/TRdimTextEntry.h"

#include "host/win/FormatW.h"

#include <climits>

namespace {

constexpr wchar_t kPartSep = L'@';
constexpr wchar_t kCodeSep = L'#';

// The code as the chain has always read it: optional blanks and sign, then digits up to
// the first other character; no digits is 0, too many digits stop at the int range.
int readCode(const std::wstring& text, size_t from) {
    size_t i = from;
    while (i < text.size() && (text[i] == L' ' || text[i] == L'\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
    long long value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = value * 10 + (text[i] - L'0');
        if (value > static_cast<long long>(INT_MAX) + 1) break;
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

} // namespace

TRdimTextEntry::TRdimTextEntry(const std::wstring& entry) {
    m_parts.clear();
    size_t start = 0;
    for (size_t at = entry.find(kPartSep); at != std::wstring::npos; at = entry.find(kPartSep, start)) {
        m_parts.push_back(entry.substr(start, at - start));
        start = at + 1;
    }
    m_parts.push_back(entry.substr(start));
}

std::wstring TRdimTextEntry::ToString() const {
    std::wstring entry = m_parts.front();
    for (size_t i = 1; i < m_parts.size(); ++i) {
        entry += kPartSep;
        entry += m_parts[i];
    }
    return entry;
}

std::wstring TRdimTextEntry::GetPart(int index) const {
    if (index < 0 || index >= PartCount()) return std::wstring();
    return m_parts[static_cast<size_t>(index)];
}

std::wstring TRdimTextEntry::GetValueText() const {
    const std::wstring& part = m_parts.front();
    return part.substr(0, part.find(kCodeSep));
}

bool TRdimTextEntry::HasPositionCode() const {
    return m_parts.front().find(kCodeSep) != std::wstring::npos;
}

int TRdimTextEntry::GetPositionCode(bool bAbs) const {
    const std::wstring& part = m_parts.front();
    const size_t hash = part.find(kCodeSep);
    if (hash == std::wstring::npos) return 0;
    const int code = readCode(part, hash + 1);
    if (!bAbs || code >= 0) return code;
    return code == INT_MIN ? INT_MAX : -code;
}

bool TRdimTextEntry::IsStorable(const std::wstring& text, Part part) {
    if (text.find(kPartSep) != std::wstring::npos) return false;
    return part != kValue || text.find(kCodeSep) == std::wstring::npos;
}

bool TRdimTextEntry::SetValueText(const std::wstring& value) {
    if (!IsStorable(value, kValue)) return false;
    const int code = GetPositionCode();
    m_parts.front() = host::FormatW(L"%s%c%d", value.empty() ? L"0" : value.c_str(), kCodeSep, code);
    return true;
}

void TRdimTextEntry::SetPositionCode(int code) {
    m_parts.front() = host::FormatW(L"%s%c%d", GetValueText().c_str(), kCodeSep, code);
}

bool TRdimTextEntry::SetPart(int index, const std::wstring& text) {
    if (index < kUserText || index > kSuffix || !IsStorable(text, kUserText)) return false;
    const size_t i = static_cast<size_t>(index);
    if (m_parts.size() <= i) m_parts.resize(i + 1);
    m_parts[i] = text;
    return true;
}

int SumPositionCode(const std::wstring& dimDescription, int lastSegmentCode) {
    const int labelCode = !dimDescription.empty() && dimDescription[0] >= L'0' && dimDescription[0] <= L'9'
                              ? dimDescription[0] - L'0'
                              : 0;
    if (labelCode > 1) return 6;
    if (lastSegmentCode == 14 || lastSegmentCode == -14) return 4;
    return 5;
}

int StoredPositionCode(int code, bool arcChain) {
    return arcChain && code < 0 ? 8 : code;
}
