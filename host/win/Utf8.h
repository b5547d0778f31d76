#pragma once
// The one place where the host's wide strings meet UTF-8 (files, console, filer).
#include <string>
#include <string_view>

namespace host {

// Invalid UTF-8 becomes U+FFFD; it never throws.
std::wstring fromUtf8(std::string_view utf8);
// Code points outside Unicode (and lone surrogates) become U+FFFD.
std::string toUtf8(std::wstring_view wide);

} // namespace host
