#pragma once
// The host's one formatter for the module's format strings, with the Windows wide
// rules: %s and %ls take a wide string, %S and %hs a narrow (UTF-8) one, %c a wide
// character, %C a narrow one; %I64d, %I32d, %ld, %lld, %zu are accepted. Numbers use
// the C locale. A null string prints "(null)". Unknown conversions print as written.
#include <cstdarg>
#include <string>

namespace host {

std::wstring FormatW(const wchar_t* format, ...);
std::wstring FormatV(const wchar_t* format, va_list args);

} // namespace host
