#pragma once
// Text in drawing-exchange files. Files of AutoCAD 2007 and later are UTF-8; older
// ones are in the drawing's code page, read here as Windows Latin-1 (code page
// 1252), which is what plans from western Europe use. In both, "\U+XXXX" stands for
// any character. Writing produces the older form: Latin-1 bytes and "\U+XXXX" for
// every other character, which every program reads back to the same text.
#include <string>
#include <string_view>

namespace host::dxf {

enum class DxfEncoding { Latin1, Utf8 };

// The encoding a file's version and code page call for ($ACADVER "AC1021" and
// later, or $DWGCODEPAGE "UTF-8", mean UTF-8).
DxfEncoding dxfEncodingFor(std::wstring_view acadver, std::wstring_view codepage);

// A value as text: bytes decoded, "\U+XXXX" replaced by its character.
std::wstring decodeDxfText(std::string_view raw, DxfEncoding encoding);

// A value for a Latin-1 file: characters outside it become "\U+XXXX" (characters
// beyond the first 65536, which that form cannot carry, become U+FFFD), and line
// breaks, which would end the value's line, become blanks.
std::string encodeDxfText(std::wstring_view text);

} // namespace host::dxf
