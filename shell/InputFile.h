#pragma once
// The checks a subcommand makes on the file it is given before it loads anything
// (the add-on, the drawing): the file exists, is a file, can be read and is of the
// kind the subcommand takes. The message says which of these failed.
#include <string>

namespace shell {

enum class InputKind {
    Drawing, // a drawing file of this host, whole
    Dxf,     // a DXF file (ASCII or binary)
};

// True when the path ends in ".dxf" (any case).
bool isDxfPath(const std::string& path);

// False with the message for standard error.
bool checkInputFile(const std::string& path, InputKind kind, std::wstring& error);

} // namespace shell
