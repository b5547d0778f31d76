#pragma once
// Files and folders as the module asks for them on Windows. Paths use '/'; a '\'
// given by the module is accepted as a separator too.
#include "host/win/WinError.h"
#include "host/win/WinTypes.h"

#include <cstdio>
#include <string>

#define CSIDL_APPDATA 0x001a
#define CSIDL_FLAG_CREATE 0x8000
#define S_OK 0
#define E_FAIL ((LONG)0x80004005)
#define E_INVALIDARG ((LONG)0x80070057)
#define INVALID_FILE_ATTRIBUTES ((DWORD)-1)
#define FILE_ATTRIBUTE_READONLY 0x01
#define FILE_ATTRIBUTE_DIRECTORY 0x10
#define FILE_ATTRIBUTE_NORMAL 0x80

typedef LONG HRESULT;

// CSIDL_APPDATA: $APPDATA, else $XDG_CONFIG_HOME, else ~/.config (created with
// CSIDL_FLAG_CREATE). The path has no trailing separator.
HRESULT SHGetFolderPathW(HWND hwnd, int csidl, HANDLE hToken, DWORD dwFlags, LPWSTR pszPath);
// $TMPDIR or /tmp, with a trailing '/'. Returns the length.
DWORD GetTempPathW(DWORD nBufferLength, LPWSTR lpBuffer);
BOOL CreateDirectoryW(LPCWSTR lpPathName, void* lpSecurityAttributes);
DWORD GetFileAttributesW(LPCWSTR lpFileName);
BOOL DeleteFileW(LPCWSTR lpFileName);
// Copies a file (at most 64 MB). The copy is written beside the target and renamed
// over it, so a failed copy leaves the target as it was. FALSE, with the last error,
// for a missing source, a target that exists when bFailIfExists, a read-only target,
// or a source and target that are the same file.
BOOL CopyFileW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName, BOOL bFailIfExists);
int _wmkdir(const wchar_t* path);
int _waccess(const wchar_t* path, int mode);
int _wremove(const wchar_t* path);
FILE* _wfopen(const wchar_t* path, const wchar_t* mode);
// The full path of a module's file: for the add-on "lintaro.arx" in $LINTARO_MODULE_DIR
// when set, else in the folder of the running program; for a null handle the program
// itself; for a language module its file. The result is cut to nSize-1 characters.
DWORD GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize);

namespace host {
// The native path of a module path ('\' becomes '/').
std::string nativePath(const std::wstring& path);
// True for an existing file that is not a folder.
bool fileExists(const std::wstring& path);
bool folderExists(const std::wstring& path);
// The host's separator, for code that joins or searches paths.
constexpr wchar_t kPathSeparator = L'/';
} // namespace host
