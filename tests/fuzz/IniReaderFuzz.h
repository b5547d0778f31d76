#pragma once
// The INI reader under arbitrary bytes: a document keeps every byte it was given,
// every entry it lists can be found, and writing one value changes that value and
// nothing else that was readable. Shared by the libFuzzer target and the replay.
#include "host/win/IniDocument.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace fuzz {

inline int fuzzIniReader(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    host::IniDocument doc = host::IniDocument::parse(bytes);
    if (doc.bytes() != bytes) std::abort(); // a read never changes the file
    size_t entries = 0;
    for (const std::wstring& section : doc.sections()) {
        for (const std::wstring& key : doc.keys(section)) {
            if (!host::IniDocument::findValue(bytes, section, key)) std::abort();
            if (++entries > 64) break; // enough to check; a big file adds nothing
        }
    }
    host::IniDocument edited = doc;
    edited.setValue(L"Fuzz", L"Key", L"value ;x");
    const std::string written = edited.bytes();
    const std::optional<std::wstring> back = host::IniDocument::findValue(written, L"Fuzz", L"Key");
    if (!back || *back != L"value ;x") std::abort();
    if (edited.removeKey(L"Fuzz", L"Key") && host::IniDocument::findValue(edited.bytes(), L"Fuzz", L"Key"))
        std::abort();
    return 0;
}

} // namespace fuzz
