#pragma once
// The INI vocabulary of the option parameters: the key of every (type, index) in a mode
// and the section names with the mode prefixes.
#include <string>

// "" for chains (and mode 1 and unknown modes), "DH_" for height marks (3, 4), "TXT_"
// for texts (5).
std::wstring OptSectionPrefix(int mode);
// Prefix + base: "MainOptions" in mode 3 is "DH_MainOptions".
std::wstring OptSectionName(int mode, const std::wstring& base);
// The INI key of a parameter in a mode; empty when the index has no key of its own.
std::wstring OptParamKey(int type, int index, int mode);
bool OptIsHeightMarkMode(int mode);
bool OptIsTextMode(int mode);
