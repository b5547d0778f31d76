#pragma once
// One write-back cache of INI entries: "section=key" -> value, the file it belongs to
// and whether anything was changed since it was last written. Each entry knows whether
// the add-on changed it: only those are written back, so an entry the add-on merely read
// never overwrites what someone else put into the file meanwhile.
#include <cstdint>
#include <map>
#include <optional>
#include <string>

class CIniBuffer {
public:
    struct Entry {
        // Kept apart from the map key, so a name holding '=' is written back as it came.
        std::wstring section;
        std::wstring key;
        std::wstring value;
        // Changed by the add-on and not yet written to the file.
        bool pending = false;
    };

    // The map key of an entry ("%s=%s").
    static std::wstring MakeKey(const std::wstring& section, const std::wstring& key);

    std::optional<std::wstring> Find(const std::wstring& mapKey) const;
    // Stores the value; marks the buffer changed only when the value is new or differs
    // (case-sensitive), so writing what is already there costs nothing at the next save.
    void Write(const std::wstring& mapKey, const std::wstring& section, const std::wstring& key,
               const std::wstring& value);
    // Stores what was read from disk; never marks the buffer changed.
    void Remember(const std::wstring& mapKey, const std::wstring& section, const std::wstring& key,
                  const std::wstring& value);

    // The entry went to the file: it no longer needs writing.
    void MarkWritten(const std::wstring& mapKey);

    // The change flag, cleared as it is taken.
    bool TakeChanged();
    bool IsChanged() const { return m_changed; }
    // Sets the change flag again after a save that could not write everything.
    void KeepChanged() { m_changed = true; }
    // Forgets the entries (the change flag stays as it is).
    void Clear() {
        m_entries.clear();
        NoteChange();
    }
    std::size_t Size() const { return m_entries.size(); }
    const std::map<std::wstring, Entry>& Entries() const { return m_entries; }

    const std::wstring& File() const { return m_file; }
    void SetFile(const std::wstring& file) {
        if (file != m_file) NoteChange();
        m_file = file;
    }

    // A number that moves on whenever any buffer's contents or file may have changed,
    // so a value worked out from buffered entries can be kept while it stands still.
    static std::uint64_t Generation() { return s_generation; }
    static void NoteChange() { ++s_generation; }
    // A number that moves on only when the value an entry reads as may have changed: a
    // write of another value than the entry had (in its buffer, else in its file), or
    // changes dropped unsaved. Reads and saves leave it alone.
    static std::uint64_t ValueChanges() { return s_valueChanges; }
    static void NoteValueChange() { ++s_valueChanges; }

private:
    // Ordered, so a save writes the entries in a stable order run after run.
    std::map<std::wstring, Entry> m_entries;
    std::wstring m_file;
    bool m_changed = false;
    static inline std::uint64_t s_generation = 0;
    static inline std::uint64_t s_valueChanges = 0;
};
