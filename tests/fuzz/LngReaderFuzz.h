#pragma once
// The language-module reader under arbitrary bytes: refused with a line and a
// reason, or read; what it read, written out again, reads back the same. Shared by
// the libFuzzer target and the replay.
#include "host/win/LngFile.h"
#include "host/win/Utf8.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace fuzz {

inline int fuzzLngReader(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    host::LngContents contents;
    host::LngError error;
    if (!host::parseLngFile(bytes, contents, error)) {
        if (error.message.empty()) std::abort();
        return 0;
    }
    std::wstring text = L"LANGUAGE XX\n";
    for (const auto& [id, s] : contents.strings)
        text += L"STRING " + std::to_wstring(id) + L" " + host::quoteLngText(s) + L"\n";
    host::LngContents again;
    if (!host::parseLngFile(host::toUtf8(text), again, error)) std::abort();
    if (again.strings != contents.strings) std::abort();
    return 0;
}

} // namespace fuzz
