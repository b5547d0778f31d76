#pragma once
// The group code / value pairs of an ASCII drawing-exchange (DXF) file. Reading
// splits the bytes into groups and checks each one against the type its code
// stands for, so that everything after it can take the values as given: a code
// that is no number, a code no DXF has, a number that does not parse and a file
// that ends inside a pair are refused with the line number. LF and CR LF line ends
// and blanks around codes and numbers are accepted. Nothing counts on a count
// written in the file.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace host::dxf {

enum class DxfType { String, Real, Int, Bool, Handle, Binary, Comment, Unknown };
// The value type of a group code; Unknown for codes no DXF uses.
DxfType dxfTypeOf(int code);

struct DxfGroup {
    int code = 0;
    std::string_view text; // the value line as written (line end removed)
    double number = 0.0;   // the value of Real, Int and Bool groups
    size_t line = 0;       // the line of the group code, from 1

    int integer() const { return int(number); }
};

enum class DxfFormat { Ascii, Binary, NotDxf };
// What the bytes look like: ASCII DXF, binary DXF, or something else (a DWG
// drawing, a text that is no DXF).
DxfFormat detectDxfFormat(std::string_view bytes);

// Splits ASCII DXF bytes into groups up to and including "0 EOF". The groups point
// into `bytes`, which must outlive them. False with a message (naming the line)
// for malformed bytes; `out` is then empty.
bool readDxfGroups(std::string_view bytes, std::vector<DxfGroup>& out, std::wstring& error);

} // namespace host::dxf
