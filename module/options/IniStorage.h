#pragma once
// The storage layer under the options: where the main INI lies, buffered reading and
// writing of key = value entries, and the numbered item lists. It knows nothing about
// what the entries mean.
//
// Two write-back buffers keep every value read or written: one for the main INI and one
// for the single other file in use. Reads go to disk at most once per entry; writes reach
// the disk only when a buffer is saved.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Section of the main INI that holds the general entries.
inline constexpr const wchar_t* kIniGeneralSection = L"General Info";

// Which buffer SaveIniBuffer writes.
constexpr int INI_BUFFER_MAIN = 1;
constexpr int INI_BUFFER_OTHER = 2;

// The per-user settings folder (application data + "tessaron" + "lintaro"), created
// when missing, ending in the host's separator. Falls back to the temporary folder.
std::wstring GetSettingsFolder();
// Path of the main INI; creates it with its first entries when it does not exist.
std::wstring GetIniFile();
// Saves and empties the main buffer, then makes `path` the main INI (an empty path
// makes the next GetIniFile look for the file again).
void SetIniFile(const std::wstring& path);

// Unbuffered read (values cut to 511 characters). A missing "lintaro.ini" is created
// with the default parameter sections first.
std::wstring ReadEntryFromIni(const std::wstring& file, const std::wstring& section, const std::wstring& key);
// The same in section "General Info".
std::wstring ReadEntryFromIni(const std::wstring& file, const std::wstring& key);

// Buffered read: from disk once, afterwards from the buffer (absent entries too).
std::wstring GetIniEntry(const std::wstring& file, const std::wstring& section, const std::wstring& key);
// Moves on whenever a buffered value may have changed (a write, a read from disk, a
// buffer emptied or switched to another file, the main INI moved): what is worked
// out from buffered entries may be kept while it stands still.
std::uint64_t IniStorageGeneration();
// Buffered write; marks the buffer changed only when the value is new or different.
int WriteIniEntry(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                  const std::wstring& value);
// Buffered write and, at once, the write to the file.
void WriteIniEntryThrough(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                          const std::wstring& value);

// Entries of the main INI (section "Convert": of the options file in use).
std::wstring GetIniString(const std::wstring& section, const std::wstring& key);
int GetIniInt(const std::wstring& section, const std::wstring& key);
void SetIniString(const std::wstring& section, const std::wstring& key, const std::wstring& value);
void SetIniInt(const std::wstring& section, const std::wstring& key, int n);
std::wstring GetIniGeneral(const std::wstring& key);
int GetIniGeneralInt(const std::wstring& key);
void SetIniGeneral(const std::wstring& key, const std::wstring& value);
void SetIniGeneralInt(const std::wstring& key, int n);

// Writes buffer `which` (INI_BUFFER_MAIN / INI_BUFFER_OTHER) to its file when it changed:
// the entries the add-on changed, each into the file as it is on disk now, so keys it only
// read keep what the file holds (a hand edit made meanwhile survives). Empties the buffer
// when bClear. A file that does not exist is never created by saving.
void SaveIniBuffer(int which, bool bClear);
void SaveAllIniBuffers();

// Item lists "Item_0", "Item_1", ... (read from disk, stopping at the first empty item,
// at most 100, duplicates dropped without regard to case). An empty file means the
// options file in use.
int LoadSection(std::vector<std::wstring>& list, const std::wstring& section, const std::wstring& file = L"");
// Writes the list through to the file, an empty item after it and "LastItem".
int SaveSection(const std::vector<std::wstring>& list, const std::wstring& section, const std::wstring& file = L"");

// Splits "a = b" into a and b; a third piece joins the right part ("a=b=c=d" gives a and
// "b=c"). True when there was at least one '='.
bool SplitKeyValue(const std::wstring& text, std::wstring& left, std::wstring& right);

// What the storage did, for tests and the log: disk reads and writes made through the
// profile functions, and the state of the two buffers.
struct IniStorageStats {
    std::size_t diskReads = 0;
    std::size_t diskWrites = 0;
    std::size_t mainEntries = 0;
    bool mainChanged = false;
    std::size_t otherEntries = 0;
    bool otherChanged = false;
    std::wstring otherFile;
};
IniStorageStats GetIniStorageStats();
