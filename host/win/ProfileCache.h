#pragma once
// Settings files as last read, so the profile functions need not open and scan a file
// for every value: the add-on reads the same few files thousands of times per command.
//
// Contract: a snapshot always holds what the file holds now. The system's change
// notices (inotify) watch each kept file and its folder; any notice drops everything
// kept. Where notices are not to be had, a snapshot is kept while the file's
// identity, size and time stamps are unchanged and the file was already older than
// the file system's time-stamp tick when it was read; a younger file is read again on
// each call (its looked-up values kept while its bytes stay the same), because a
// second change within one tick would leave the stamps as they were. Anything that is
// not a readable regular file is never kept.
#include "host/win/FileBytes.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace host {

class ProfileSnapshot {
public:
    explicit ProfileSnapshot(std::string bytes);
    ~ProfileSnapshot();
    ProfileSnapshot(const ProfileSnapshot&) = delete;
    ProfileSnapshot& operator=(const ProfileSnapshot&) = delete;

    const std::string& bytes() const { return m_bytes; }
    // IniDocument::findValue over the bytes, remembered per section and key as asked.
    std::optional<std::wstring> value(std::wstring_view section, std::wstring_view key) const;

private:
    struct Memo;
    std::string m_bytes;
    std::unique_ptr<Memo> m_memo;
};

// The file's current contents (see the contract above); null unless the result is Ok.
ReadResult readProfileSnapshot(const std::string& nativePath, std::size_t maxBytes,
                               std::shared_ptr<const ProfileSnapshot>& snapshot);

// Whether the file is kept and known unchanged; then `readOnly` tells whether it has
// no write permission. False says nothing: ask the file system.
bool keptProfileFile(const std::string& nativePath, bool& readOnly);

// Drops what is kept of the file (after the host wrote it).
void forgetProfileSnapshot(const std::string& nativePath);

} // namespace host
