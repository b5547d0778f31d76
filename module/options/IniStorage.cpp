#include "module/options/IniStorage.h"

#include "module/base/FilePaths.h"
#include "module/base/LintaroLog.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/IniBuffer.h"
#include "module/options/IniStorageState.h"
#include "module/options/OptStrings.h"
#include "module/options/OptionDefaults.h"
#include "module/resources/resource.h"

#include "host/win/FormatW.h"
#include "host/win/WinFiles.h"
#include "host/win/WinProfile.h"

#include <optional>
#include <set>
#include <vector>

namespace {

constexpr DWORD kReadBufferSize = 512;
// Folder paths can be longer than MAX_PATH here; give the folder functions room.
constexpr DWORD kPathBufferSize = 4096;

IniState& state()
{
    return IniStorageState();
}

void reportOnce(const std::wstring& place, const std::wstring& text)
{
    if (!state().reported.insert(place).second)
        return;
    LogMsg(text.c_str());
    MsgBox(text.c_str());
}

bool isFolder(const std::wstring& path)
{
    DWORD attr = GetFileAttributesW(path.c_str());
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::wstring tempFolder()
{
    std::wstring buf(kPathBufferSize, L'\0');
    DWORD n = GetTempPathW(kPathBufferSize, buf.data());
    if (n == 0 || n >= kPathBufferSize)
        return WithSeparator(L"/tmp");
    buf.resize(n);
    return WithSeparator(buf);
}

std::wstring fileNameOnly(const std::wstring& path)
{
    std::size_t pos = path.find_last_of(L"/\\");
    return pos == std::wstring::npos ? path : path.substr(pos + 1);
}

bool writeProfile(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                  const std::wstring& value)
{
    ++state().diskWrites;
    return WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != FALSE;
}

// The main INI with its first entries; false when the file could not be written.
bool createMainIni(const std::wstring& path)
{
    _wmkdir(GetSettingsFolder().c_str());
    writeProfile(path, kIniGeneralSection, L"OptionsActivePage", L"0");
    writeProfile(path, kIniGeneralSection, L"DefaultSection", L"Decimal");
    writeProfile(path, kIniGeneralSection, L"TextMoveStep", L"5");
    writeProfile(path, kIniGeneralSection, L"CurOptionsFile", path);
    writeProfile(path, L"OptionsFiles", L"Item_0", path);
    return FileExists(path);
}

CIniBuffer& chooseBuffer(const std::wstring& file)
{
    IniState& s = state();
    // The main file's own spelling first: the usual case, without folding.
    if ((!s.mainPath.empty() && file == s.mainPath) || OptEqualNoCase(file, GetIniFile()))
        return s.mainBuffer;
    if (!s.otherBuffer.File().empty() && !OptEqualNoCase(s.otherBuffer.File(), file))
        SaveIniBuffer(INI_BUFFER_OTHER, true);
    s.otherBuffer.SetFile(file);
    return s.otherBuffer;
}

// A line break in a value would end the line in the file and turn the rest into keys
// or sections of its own.
bool storable(const std::wstring& value)
{
    return value.find_first_of(L"\r\n") == std::wstring::npos;
}

// Writes the entries the add-on changed, one key at a time into the file as it is now:
// keys it only read, or never touched, keep whatever the file holds, hand edits made
// while the add-on ran included. An entry that could not be written stays pending and
// the buffer changed, so a later save tries again. False when a write failed.
bool writePending(CIniBuffer& buffer, const std::wstring& file)
{
    std::vector<std::wstring> written;
    bool failed = false;
    for (const auto& [mapKey, entry] : buffer.Entries()) {
        if (!entry.pending || entry.section.empty() || entry.key.empty())
            continue;
        if (writeProfile(file, entry.section, entry.key, entry.value))
            written.push_back(mapKey);
        else
            failed = true;
    }
    for (const std::wstring& mapKey : written)
        buffer.MarkWritten(mapKey);
    if (failed)
        buffer.KeepChanged();
    return !failed;
}

std::wstring fileForSection(const std::wstring& section)
{
    if (OptEqualNoCase(section, L"Convert") && pGlobDimOptions && !pGlobDimOptions->CurOptionsFile.empty())
        return pGlobDimOptions->CurOptionsFile;
    return GetIniFile();
}

} // namespace

std::wstring GetSettingsFolder()
{
    IniState& s = state();
    if (!s.folder.empty())
        return s.folder;
    std::wstring buf(kPathBufferSize, L'\0');
    HRESULT hr = SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, buf.data());
    std::wstring base = hr == S_OK ? std::wstring(buf.c_str()) : std::wstring();
    if (base.size() < 3) {
        // Not cached: the next call may find the folder.
        const std::wstring temp = tempFolder();
        reportOnce(L"<appdata>",
                   host::FormatW(std::wstring(LoadStr(IDS_INI_NO_APPDATA)).c_str(), temp.c_str()));
        return temp;
    }
    std::wstring folder = WithSeparator(base) + L"tessaron";
    CreateDirectoryW(folder.c_str(), nullptr);
    folder = WithSeparator(folder) + L"lintaro";
    CreateDirectoryW(folder.c_str(), nullptr);
    if (!isFolder(folder)) {
        s.folder = tempFolder();
        reportOnce(folder, host::FormatW(std::wstring(LoadStr(IDS_INI_FOLDER_REFUSED)).c_str(),
                                         folder.c_str(), s.folder.c_str()));
        return s.folder;
    }
    s.folder = WithSeparator(folder);
    return s.folder;
}

std::wstring GetIniFile()
{
    IniState& s = state();
    if (!s.mainPath.empty())
        return s.mainPath;
    std::wstring path = GetSettingsFolder() + L"lintaro.ini";
    CIniBuffer::NoteChange();
    if (FileExists(path)) {
        s.mainPath = path;
        return s.mainPath;
    }
    if (!createMainIni(path)) {
        std::wstring fallback = tempFolder() + L"lintaro.ini";
        reportOnce(path, host::FormatW(std::wstring(LoadStr(IDS_INI_FILE_REFUSED)).c_str(), path.c_str(),
                                       fallback.c_str()));
        path = fallback;
        if (!FileExists(path))
            createMainIni(path);
    }
    s.mainPath = path;
    SaveAllIniBuffers();
    return s.mainPath;
}

void SetIniFile(const std::wstring& path)
{
    IniState& s = state();
    if (!s.mainPath.empty())
        SaveIniBuffer(INI_BUFFER_MAIN, true);
    CIniBuffer::NoteChange();
    s.mainPath = path;
    s.folder.clear();
}

namespace {

std::wstring readProfileEntry(const std::wstring& file, const std::wstring& section, const std::wstring& key)
{
    wchar_t buf[kReadBufferSize] = {};
    GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", buf, kReadBufferSize, file.c_str());
    buf[kReadBufferSize - 1] = L'\0';
    return buf;
}

} // namespace

std::wstring ReadEntryFromIni(const std::wstring& file, const std::wstring& section, const std::wstring& key)
{
    IniState& s = state();
    // A value found means the file is there: the check for a missing file below is
    // only needed when nothing was found.
    const bool named = !section.empty() && !key.empty();
    if (named) {
        std::wstring value = readProfileEntry(file, section, key);
        if (!value.empty()) {
            ++s.diskReads;
            return value;
        }
    }
    bool exists = FileExists(file);
    if (exists && named) {
        ++s.diskReads;
        return std::wstring(); // read above: there and empty
    }
    if (!exists) {
        LogFmt(L"\n ReadEntryFromIni(%s, %s, %s) ***!FILE***", file.c_str(), section.c_str(), key.c_str());
        std::wstring lower = OptLower(file);
        bool mainName = lower.find(L"\\lintaro.ini") != std::wstring::npos ||
                        lower.find(L"/lintaro.ini") != std::wstring::npos;
        if (mainName && !s.defaultsFailed.count(lower)) {
            LogMsg(L">>>>lintaro.ini ");
            for (int mode = OPT_MODE_CHAIN; mode <= OPT_MODE_TEXT; ++mode)
                MakeDefaultIniValues(file, mode);
        }
        LogMsg(L"<A>");
        if (!FileExists(file)) {
            LogMsg(L"<B>");
            if (mainName)
                s.defaultsFailed.insert(lower);
            return std::wstring();
        }
    }
    if (section.empty() || key.empty())
        return std::wstring(); // an empty key would list the section instead
    ++s.diskReads;
    return readProfileEntry(file, section, key);
}

std::wstring ReadEntryFromIni(const std::wstring& file, const std::wstring& key)
{
    return ReadEntryFromIni(file, kIniGeneralSection, key);
}

std::wstring GetIniEntry(const std::wstring& file, const std::wstring& section, const std::wstring& key)
{
    const std::wstring mapKey = CIniBuffer::MakeKey(section, key);
    if (auto value = chooseBuffer(file).Find(mapKey))
        return *value;
    std::wstring value = ReadEntryFromIni(file, section, key);
    // Choose again: writing the defaults of a missing file may have switched buffers.
    chooseBuffer(file).Remember(mapKey, section, key, value);
    return value;
}

std::uint64_t IniStorageGeneration()
{
    return CIniBuffer::Generation();
}

int WriteIniEntry(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                  const std::wstring& value)
{
    if (!storable(value) || section.empty() || key.empty()) {
        LogFmt(L"\n WriteIniEntry(%s, %s) refused: value with a line break or no key ", section.c_str(),
               key.c_str());
        return 0;
    }
    CIniBuffer& buffer = chooseBuffer(file);
    const std::wstring mapKey = CIniBuffer::MakeKey(section, key);
    const std::optional<std::wstring> before = buffer.Find(mapKey);
    if (before ? *before != value : readProfileEntry(file, section, key) != value)
        CIniBuffer::NoteValueChange();
    buffer.Write(mapKey, section, key, value);
    return 1;
}

void WriteIniEntryThrough(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                          const std::wstring& value)
{
    if (!WriteIniEntry(file, section, key, value))
        return;
    if (writeProfile(file, section, key, value))
        chooseBuffer(file).MarkWritten(CIniBuffer::MakeKey(section, key));
    else
        LogFmt(L"\n WriteIniEntryThrough: %s not written ", file.c_str());
}

std::wstring GetIniString(const std::wstring& section, const std::wstring& key)
{
    return GetIniEntry(fileForSection(section), section, key);
}

int GetIniInt(const std::wstring& section, const std::wstring& key)
{
    return OptToInt(GetIniString(section, key));
}

void SetIniString(const std::wstring& section, const std::wstring& key, const std::wstring& value)
{
    WriteIniEntry(fileForSection(section), section, key, value);
}

void SetIniInt(const std::wstring& section, const std::wstring& key, int n)
{
    SetIniString(section, key, host::FormatW(L"%d", n));
}

std::wstring GetIniGeneral(const std::wstring& key)
{
    return GetIniString(kIniGeneralSection, key);
}

int GetIniGeneralInt(const std::wstring& key)
{
    return GetIniInt(kIniGeneralSection, key);
}

void SetIniGeneral(const std::wstring& key, const std::wstring& value)
{
    SetIniString(kIniGeneralSection, key, value);
}

void SetIniGeneralInt(const std::wstring& key, int n)
{
    SetIniInt(kIniGeneralSection, key, n);
}

void SaveIniBuffer(int which, bool bClear)
{
    if (which != INI_BUFFER_MAIN && which != INI_BUFFER_OTHER) {
        LogFmt(L"\n SaveIniBuffer(%d) unknown buffer ", which);
        return;
    }
    CTimeLog timer(L" xx SaveIniBuffer xx ");
    IniState& s = state();
    CIniBuffer& buffer = which == INI_BUFFER_MAIN ? s.mainBuffer : s.otherBuffer;
    // The cached path only: saving must never be what creates the main INI.
    const std::wstring file = which == INI_BUFFER_MAIN ? s.mainPath : buffer.File();
    const bool changed = buffer.TakeChanged();
    LogFmt(L"\n***SaveIniBuffer(%d,%d)S:%d Need=%d %s ", which, bClear ? 1 : 0, static_cast<int>(buffer.Size()),
           changed ? 1 : 0, fileNameOnly(file).c_str());
    const bool fileThere = !file.empty() && FileExists(file);
    // Without its file, what the buffer held is all there was of those values.
    if (!fileThere && (changed || (bClear && buffer.Size() > 0)))
        CIniBuffer::NoteValueChange();
    if (changed && fileThere && !writePending(buffer, file)) {
        CIniBuffer::NoteValueChange();
        reportOnce(file, host::FormatW(std::wstring(LoadStr(IDS_INI_SAVE_FAILED)).c_str(), file.c_str()));
    }
    if (bClear)
        buffer.Clear();
}

void SaveAllIniBuffers()
{
    SaveIniBuffer(INI_BUFFER_MAIN, false);
    SaveIniBuffer(INI_BUFFER_OTHER, false);
}

IniStorageStats GetIniStorageStats()
{
    IniState& s = state();
    IniStorageStats stats;
    stats.diskReads = s.diskReads;
    stats.diskWrites = s.diskWrites;
    stats.mainEntries = s.mainBuffer.Size();
    stats.mainChanged = s.mainBuffer.IsChanged();
    stats.otherEntries = s.otherBuffer.Size();
    stats.otherChanged = s.otherBuffer.IsChanged();
    stats.otherFile = s.otherBuffer.File();
    return stats;
}

IniState& IniStorageState()
{
    static IniState* s = new IniState;
    return *s;
}
