#include "module/options/IniBuffer.h"

std::wstring CIniBuffer::MakeKey(const std::wstring& section, const std::wstring& key)
{
    // Built by hand: this runs for every entry the options read.
    std::wstring mapKey;
    mapKey.reserve(section.size() + 1 + key.size());
    return mapKey.append(section).append(1, L'=').append(key);
}

std::optional<std::wstring> CIniBuffer::Find(const std::wstring& mapKey) const
{
    auto it = m_entries.find(mapKey);
    if (it == m_entries.end())
        return std::nullopt;
    return it->second.value;
}

void CIniBuffer::Write(const std::wstring& mapKey, const std::wstring& section, const std::wstring& key,
                       const std::wstring& value)
{
    NoteChange();
    auto it = m_entries.find(mapKey);
    if (it == m_entries.end()) {
        m_entries.emplace(mapKey, Entry{section, key, value, true});
        m_changed = true;
    } else if (it->second.value != value) {
        it->second.value = value;
        it->second.pending = true;
        m_changed = true;
    }
}

void CIniBuffer::Remember(const std::wstring& mapKey, const std::wstring& section, const std::wstring& key,
                          const std::wstring& value)
{
    NoteChange();
    m_entries[mapKey] = Entry{section, key, value, false};
}

void CIniBuffer::MarkWritten(const std::wstring& mapKey)
{
    auto it = m_entries.find(mapKey);
    if (it != m_entries.end())
        it->second.pending = false;
}

bool CIniBuffer::TakeChanged()
{
    bool changed = m_changed;
    m_changed = false;
    return changed;
}
