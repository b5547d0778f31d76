#pragma once
// The control codes of single-line text: "%%d" degree, "%%p" plus-minus, "%%c"
// diameter, "%%%" percent, "%%nnn" the character with that decimal code, "%%u" and
// "%%o" switch underline and overline, "\U+XXXX" a character by its hex code.
// Anything else, including a lone or unfinished code, stays as written.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace host::gi {

struct DecodedText {
    enum : uint8_t { kUnderline = 1, kOverline = 2 };
    std::wstring chars;
    std::vector<uint8_t> decoration; // one entry per character of chars
};

// length -1 (or beyond the end) takes the whole text. raw: no code is interpreted.
DecodedText decodeTextCodes(std::wstring_view text, int length, bool raw);

} // namespace host::gi
