#pragma once
// Wildcard matching as the host's wcmatch does it, used by selection filters and
// open to modules:
//   #  one digit          @  one letter          .  one character that is neither
//   *  any run (also none) ?  any one character     a letter nor a digit
//   ~  (first) not this pattern                  [..] one of, [~..] none of, a-z ranges
//   `  the next character as it stands           ,  separates alternatives
// acutWcMatch compares with case; selection filters ignore it.
#include <string>

// RTNORM when the string matches the pattern, RTERROR when not (or either is null).
int acutWcMatch(const wchar_t* string, const wchar_t* pattern);
int acutWcMatchEx(const wchar_t* string, const wchar_t* pattern, bool ignoreCase);

namespace host {
bool wildcardMatch(const std::wstring& text, const std::wstring& pattern, bool ignoreCase);
} // namespace host
