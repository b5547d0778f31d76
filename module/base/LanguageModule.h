#pragma once
// The language resource module the module's strings, menus and dialogs come from.
// Without one, the module's own (German) resources are used. Which file it is, the
// options choose (options/LanguageChoice.h).
#include "host/win/WinTypes.h"

#include <string>

// Loads the language module of that path unless it is loaded already; an empty path
// or a file that is not there leaves the module's own resources.
void UseLanguageModule(const std::wstring& path);
// The folder of the module's file, with its separator; empty when unknown.
std::wstring ModuleFolder();
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
