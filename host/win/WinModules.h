#pragma once
// Modules and their resources. The add-on is compiled into the host's process, so its
// own resources are tables it registers; a language module is a ".lng" text file
// (host/win/LngFile.h) that LoadLibraryW loads and FreeLibrary releases.
#include "host/win/WinTypes.h"

#include <cstddef>
#include <string>
#include <vector>

// Loads a language module (".lng"); loading the same file again returns the same
// handle and needs one more FreeLibrary. A missing file fails with
// ERROR_MOD_NOT_FOUND; a damaged one with ERROR_BAD_EXE_FORMAT, and the transcript
// says what is wrong with it.
HMODULE LoadLibraryW(LPCWSTR lpLibFileName);
BOOL FreeLibrary(HMODULE hLibModule);
// Null: the host's program; "lintaro.arx" (or a path ending in it): the add-on; a
// loaded language module by its path.
HMODULE GetModuleHandleW(LPCWSTR lpModuleName);
// Copies string `uID` of the module's resources, cut to cchBufferMax-1 characters,
// and returns its length; 0 when the module has no such string. With cchBufferMax 0
// the buffer receives a read-only pointer to the text instead, as on Windows.
int LoadStringW(HINSTANCE hInstance, UINT uID, LPWSTR lpBuffer, int cchBufferMax);

namespace host {

struct StringResource {
    UINT id;
    const wchar_t* text;
};

constexpr const wchar_t* kAddOnModuleName = L"lintaro.arx";

// The handle of the add-on module (its HINSTANCE).
HMODULE addOnModule();
// Gives a module its compiled-in string table (replacing an earlier one).
void registerModuleStrings(HINSTANCE module, const StringResource* table, std::size_t count);
bool isLanguageModule(HMODULE module);
// A menu or dialog block of a language module ("MENU"/"DIALOG"), null when absent.
const std::vector<std::wstring>* languageModuleBlock(HMODULE module, const std::wstring& kind, UINT id);
// Where that block stands: the module's file and the line the block begins on (0 when
// there is no such block).
size_t languageModuleBlockLine(HMODULE module, const std::wstring& kind, UINT id,
                               std::wstring* path = nullptr);

} // namespace host
