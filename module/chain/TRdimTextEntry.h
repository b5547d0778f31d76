#pragma once
// The text entry of one chain segment, as the chain stores and files it:
//   value "#" position-code "@" user-text "@" prefix "@" suffix
// e.g. "1,23^4#5@@ca.@" — the measured value 1,23^4 at text position 5, no manual
// value, prefix "ca.", no suffix. An entry without "#" has position code 0; missing
// parts are empty. Parsing and writing back an entry nobody changed gives the same
// text, so entries of older drawings (or with parts we do not know) survive untouched.
#include <string>
#include <vector>

class TRdimTextEntry {
public:
    enum Part { kValue = 0, kUserText = 1, kPrefix = 2, kSuffix = 3 };

    TRdimTextEntry() = default;
    explicit TRdimTextEntry(const std::wstring& entry);

    std::wstring ToString() const;

    // Number of "@"-separated parts; at least 1.
    int PartCount() const { return static_cast<int>(m_parts.size()); }
    const std::vector<std::wstring>& Parts() const { return m_parts; }
    // The part at `index`, empty when the entry is shorter.
    std::wstring GetPart(int index) const;

    std::wstring GetValueText() const; // part 0 up to "#"
    bool HasPositionCode() const;
    int GetPositionCode(bool bAbs = false) const;
    std::wstring GetUserText() const { return GetPart(kUserText); }
    std::wstring GetPrefix() const { return GetPart(kPrefix); }
    std::wstring GetSuffix() const { return GetPart(kSuffix); }

    // A part's text may not hold "@", which would split it; the value may not hold "#"
    // either. Such texts are refused (false) and the entry stays as it was.
    static bool IsStorable(const std::wstring& text, Part part);

    // The measured value, keeping the position code (0 when there was none); an empty
    // value is stored as "0".
    bool SetValueText(const std::wstring& value);
    // The position code, keeping the value.
    void SetPositionCode(int code);
    // Parts 1 ... 3: shorter entries get empty parts in front; an empty text clears the
    // part. Other indices are refused.
    bool SetPart(int index, const std::wstring& text);
    bool SetUserText(const std::wstring& text) { return SetPart(kUserText, text); }
    bool SetPrefix(const std::wstring& text) { return SetPart(kPrefix, text); }
    bool SetSuffix(const std::wstring& text) { return SetPart(kSuffix, text); }

private:
    std::vector<std::wstring> m_parts{std::wstring()};
};

// Position codes outside a single entry.
// The sum of the chain: 6 when the chain label's code (the digit that starts the label
// text) is above 1, so the sum gives way to the label; else 4 when the last segment's
// text sits at 14 (automatic or not), else 5.
int SumPositionCode(const std::wstring& dimDescription, int lastSegmentCode);
// What a segment stores when asked for `code`: arc chains place their texts themselves
// and keep an automatic (negative) request as 8.
int StoredPositionCode(int code, bool arcChain);
