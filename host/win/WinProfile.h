#pragma once
// The Windows profile (INI) functions with the Windows rules: sections and keys are
// case-insensitive, values are trimmed and lose one pair of surrounding quotes, an
// inline ';' is part of the value, a missing file reads as empty, writing creates the
// file and keeps everything else in it. Files are UTF-8.
#include "host/win/WinTypes.h"

// Copies the value (or `lpDefault`, less trailing blanks, when absent) into the
// buffer, cut to nSize-1 characters, and returns the number of characters copied.
// With a null key it lists the keys of the section, with a null section the sections
// (each 0-terminated, the list ended by a second 0), as Windows does. A file that
// cannot be read, or is far too large to be a settings file, reads as empty.
DWORD GetPrivateProfileStringW(LPCWSTR lpAppName, LPCWSTR lpKeyName, LPCWSTR lpDefault,
                               LPWSTR lpReturnedString, DWORD nSize, LPCWSTR lpFileName);
UINT GetPrivateProfileIntW(LPCWSTR lpAppName, LPCWSTR lpKeyName, int nDefault, LPCWSTR lpFileName);
// A null value deletes the key, a null key deletes the section. Only the line written
// changes; the file is replaced through a temporary file beside it, so it is never
// left half-written. FALSE (the file untouched, GetLastError telling why) for a
// read-only file, a missing folder, and names or values that would not read back as
// written: line breaks anywhere, '=' in a key, ']' in a section, an empty name.
BOOL WritePrivateProfileStringW(LPCWSTR lpAppName, LPCWSTR lpKeyName, LPCWSTR lpString, LPCWSTR lpFileName);
