#pragma once
// The text format of a language module ("lintaro<tag>.lng"): the module's resources
// in another language, keyed by the same ids as the compiled-in ones. UTF-8, a byte
// order mark is accepted. One entry per line:
//
//   ; comment (also '#')
//   LANGUAGE EN
//   STRING 32927 "Command %s is active!\nPlease finish this command first."
//   MENU 130            (or DIALOG 151) ... lines ... END MENU (END DIALOG)
//
// A string's text stands in double quotes, with the escapes \n \t \r \\ \" . Menu
// and dialog blocks are kept line by line for the GUI stand-in. Keywords are
// case-insensitive; ids are 1 to 65535, each string id appears once and each menu and
// dialog block once.
#include "host/win/WinTypes.h"

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace host {

struct LngContents {
    std::wstring language;
    std::map<UINT, std::wstring> strings;
    // (kind "MENU"/"DIALOG", id) -> the block's lines, trimmed.
    std::map<std::pair<std::wstring, UINT>, std::vector<std::wstring>> blocks;
    // (kind, id) -> the line of the file the block begins on, for messages about it.
    std::map<std::pair<std::wstring, UINT>, size_t> blockLines;
};

struct LngError {
    size_t line = 0; // 1-based; 0 for the file as a whole
    std::wstring message;
};

// False (with the first error) when the text is not a valid language module.
bool parseLngFile(std::string_view bytes, LngContents& out, LngError& error);

// A text as a quoted STRING value with escapes, for writing language modules.
std::wstring quoteLngText(std::wstring_view text);

} // namespace host
