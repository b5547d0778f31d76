#pragma once
// The language resource module: "lintaro<tag>.lng", the tag being "Language" of
// section "LastStatus" in the main INI. Without one, the module's own (German)
// resources are used.
#include "host/win/WinTypes.h"

#include <string>

// (Re)selects the language module; loads it only when its path changed.
void LoadLanguageModule();
// "%slintaro%s.lng" in the folder of the module file if it exists there, else the
// same name in the settings folder (returned even when it does not exist there).
// Empty for a tag that would lead out of those folders.
std::wstring GetLanguageModulePath();
// The loaded language module, null when none.
HINSTANCE GetLanguageModule();
// Frees the language module and forgets its path (process detach).
void FreeLanguageModule();

// Scope guard around code that loads dialogs, menus or strings: makes the language
// module (or, without one, the module's own instance) the current resource handle
// and restores the previous handle when it ends.
class CTemporaryResourceOverride {
public:
    CTemporaryResourceOverride();
    ~CTemporaryResourceOverride();
    CTemporaryResourceOverride(const CTemporaryResourceOverride&) = delete;
    CTemporaryResourceOverride& operator=(const CTemporaryResourceOverride&) = delete;

private:
    HINSTANCE m_hInstanceOld = nullptr;
};
