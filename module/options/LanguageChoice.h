#pragma once
// Which language module the options choose: "lintaro<tag>.lng", the tag being
// "Language" of section "LastStatus" in the main INI.
#include <string>

// (Re)selects the language module; loads it only when its path changed.
void LoadLanguageModule();
// "%slintaro%s.lng" in the folder of the module file if it exists there, else the
// same name in the settings folder (returned even when it does not exist there).
// Empty for a tag that would lead out of those folders.
std::wstring GetLanguageModulePath();
