#pragma once
// Folder search as Windows offers it: FindFirstFileW with a folder and a name pattern
// ("C:/plans/*.dwg", "plans/*.*"), then FindNextFileW until it fails, then FindClose.
// '*' stands for any run of characters and '?' for one; names compare without regard
// to case, as Windows file names do; "*.*" matches every name, also one without a dot.
// A search of a folder with "*" or "*.*" also lists the entries "." and "..". Entries
// come sorted by name. '\' is accepted as a separator too.
#include "host/win/WinError.h"
#include "host/win/WinFiles.h"
#include "host/win/WinTypes.h"

#define INVALID_HANDLE_VALUE ((HANDLE)(~static_cast<unsigned long long>(0)))
#define ERROR_NO_MORE_FILES 18L

struct WIN32_FIND_DATAW {
    DWORD dwFileAttributes = 0; // FILE_ATTRIBUTE_DIRECTORY for a folder, else FILE_ATTRIBUTE_NORMAL
    DWORD nFileSizeHigh = 0;
    DWORD nFileSizeLow = 0;
    wchar_t cFileName[MAX_PATH] = {};
};

// INVALID_HANDLE_VALUE (GetLastError: ERROR_FILE_NOT_FOUND) when nothing matches or
// the folder cannot be read.
HANDLE FindFirstFileW(LPCWSTR lpFileName, WIN32_FIND_DATAW* lpFindFileData);
// FALSE (GetLastError: ERROR_NO_MORE_FILES) after the last entry.
BOOL FindNextFileW(HANDLE hFindFile, WIN32_FIND_DATAW* lpFindFileData);
BOOL FindClose(HANDLE hFindFile);

namespace host {
// Whether `name` matches the pattern by the rules above.
bool wildcardMatch(const std::wstring& pattern, const std::wstring& name);
} // namespace host
