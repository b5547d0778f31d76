#pragma once
// The one place where the host's wide strings meet UTF-8 (files, console, filer).
#include "host/win/WinTypes.h"

#include <string>
#include <string_view>

#define CP_UTF8 65001

// The Windows conversion, for UTF-8 only (another code page gives 0). With
// cchWideChar -1 the text ends at its 0, which is converted too. With cbMultiByte 0
// the size needed is returned; a buffer too small gives 0. Flags and default
// character are ignored: invalid characters become U+FFFD.
int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar, char* lpMultiByteStr,
                        int cbMultiByte, const char* lpDefaultChar, BOOL* lpUsedDefaultChar);

namespace host {

// Invalid UTF-8 becomes U+FFFD; it never throws.
std::wstring fromUtf8(std::string_view utf8);
// Code points outside Unicode (and lone surrogates) become U+FFFD.
std::string toUtf8(std::wstring_view wide);

} // namespace host
