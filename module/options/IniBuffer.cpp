#include "module/options/IniBuffer.h"

#include "host/win/FormatW.h"

std::wstring CIniBuffer::MakeKey(const std::wstring& section, const std::wstring& key)
{
    return host::FormatW(L"%s=%s", section.c_str(), key.c_str());
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
    auto it = m_entries.find(mapKey);
    if (it == m_entries.end()) {
        m_entries.emplace(mapKey, Entry{section, key, value});
        m_changed = true;
    } else if (it->second.value != value) {
        it->second.value = value;
        m_changed = true;
    }
}

void CIniBuffer::Remember(const std::wstring& mapKey, const std::wstring& section, const std::wstring& key,
                          const std::wstring& value)
{
    m_entries[mapKey] = Entry{section, key, value};
}

bool CIniBuffer::TakeChanged()
{
    bool changed = m_changed;
    m_changed = false;
    return changed;
}
