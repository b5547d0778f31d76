#include "host/win/WinProfile.h"

#include "host/win/FileBytes.h"
#include "host/win/IniDocument.h"
#include "host/win/ProfileCache.h"
#include "host/win/WinCrt.h"
#include "host/win/WinError.h"
#include "host/win/WinFiles.h"

#include <cerrno>
#include <new>
#include <sys/stat.h>
#include <vector>

namespace {

// Settings files are small; anything far larger is not ours to rewrite and reads as empty.
constexpr std::size_t kMaxProfileBytes = 32u * 1024u * 1024u;

enum class Load { Ok, Missing, Unusable };

Load loadResult(host::ReadResult result) {
    switch (result) {
    case host::ReadResult::Ok:
        return Load::Ok;
    case host::ReadResult::Missing:
        return Load::Missing;
    default:
        return Load::Unusable;
    }
}

Load readProfile(LPCWSTR file, std::string& bytes) {
    if (!file || !*file) return Load::Unusable;
    return loadResult(host::readFileBytes(host::nativePath(file), bytes, kMaxProfileBytes));
}

// Reads go through the kept snapshots: the same files are read many times over.
Load readSnapshot(LPCWSTR file, std::shared_ptr<const host::ProfileSnapshot>& snapshot) {
    if (!file || !*file) return Load::Unusable;
    return loadResult(host::readProfileSnapshot(host::nativePath(file), kMaxProfileBytes, snapshot));
}

Load loadDocument(LPCWSTR file, host::IniDocument& doc) {
    std::string bytes;
    const Load load = readProfile(file, bytes);
    if (load == Load::Ok) doc = host::IniDocument::parse(bytes);
    return load;
}

// Windows copy rule: at most size-1 characters and the terminating 0.
DWORD copyValue(const std::wstring& value, LPWSTR buffer, DWORD size) {
    if (!buffer || size == 0) return 0;
    const size_t n = value.size() < size ? value.size() : size - 1;
    value.copy(buffer, n);
    buffer[n] = 0;
    return static_cast<DWORD>(n);
}

// A list of names, each 0-terminated, ended by a second 0. A list that does not fit
// is cut, ends in two 0s and returns size-2, as on Windows.
DWORD copyList(const std::vector<std::wstring>& names, LPWSTR buffer, DWORD size) {
    if (!buffer || size == 0) return 0;
    if (size == 1) {
        buffer[0] = 0;
        return 0;
    }
    std::wstring all;
    for (const auto& n : names) {
        all += n;
        all.push_back(0);
    }
    if (all.size() + 1 <= size) {
        all.copy(buffer, all.size());
        buffer[all.size()] = 0;
        if (all.empty()) buffer[1 < size ? 1 : 0] = 0;
        return static_cast<DWORD>(all.size());
    }
    all.copy(buffer, size - 2);
    buffer[size - 2] = 0;
    buffer[size - 1] = 0;
    return size - 2;
}

std::wstring defaultValue(LPCWSTR lpDefault) {
    // Windows drops trailing blanks of the default.
    std::wstring d = lpDefault ? lpDefault : L"";
    while (!d.empty() && d.back() == L' ')
        d.pop_back();
    return d;
}

bool hasLineBreak(std::wstring_view s) {
    return s.find_first_of(L"\r\n") != std::wstring_view::npos;
}

// Names and values that would read back as something else, or break the file's
// structure, are refused rather than written.
bool validWrite(LPCWSTR section, LPCWSTR key, LPCWSTR value) {
    const std::wstring_view s = host::trimView(section);
    if (s.empty() || hasLineBreak(section) || s.find(L']') != std::wstring_view::npos) return false;
    if (key) {
        const std::wstring_view k = host::trimView(key);
        if (k.empty() || hasLineBreak(key) || k.find(L'=') != std::wstring_view::npos || k.front() == L'[' ||
            k.front() == L';')
            return false;
    }
    return !value || !hasLineBreak(value);
}

bool isReadOnlyFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & 0222) == 0;
}

} // namespace

DWORD GetPrivateProfileStringW(LPCWSTR lpAppName, LPCWSTR lpKeyName, LPCWSTR lpDefault,
                               LPWSTR lpReturnedString, DWORD nSize, LPCWSTR lpFileName) {
    try {
        std::shared_ptr<const host::ProfileSnapshot> file;
        const bool loaded = readSnapshot(lpFileName, file) == Load::Ok;
        if (!lpAppName || !lpKeyName) {
            std::vector<std::wstring> names;
            if (loaded) {
                const host::IniDocument doc = host::IniDocument::parse(file->bytes());
                names = lpAppName ? doc.keys(lpAppName) : doc.sections();
            }
            return copyList(names, lpReturnedString, nSize);
        }
        std::optional<std::wstring> v;
        if (loaded) v = file->value(lpAppName, lpKeyName);
        return copyValue(v ? *v : defaultValue(lpDefault), lpReturnedString, nSize);
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return copyValue(defaultValue(lpDefault), lpReturnedString, nSize);
    }
}

UINT GetPrivateProfileIntW(LPCWSTR lpAppName, LPCWSTR lpKeyName, int nDefault, LPCWSTR lpFileName) {
    if (!lpAppName || !lpKeyName) return static_cast<UINT>(nDefault);
    try {
        std::shared_ptr<const host::ProfileSnapshot> file;
        if (readSnapshot(lpFileName, file) != Load::Ok) return static_cast<UINT>(nDefault);
        const std::optional<std::wstring> v = file->value(lpAppName, lpKeyName);
        if (!v) return static_cast<UINT>(nDefault);
        // Windows gives 0 for a negative value.
        const int n = _wtoi(v->c_str());
        return n < 0 ? 0u : static_cast<UINT>(n);
    } catch (const std::bad_alloc&) {
        return static_cast<UINT>(nDefault);
    }
}

BOOL WritePrivateProfileStringW(LPCWSTR lpAppName, LPCWSTR lpKeyName, LPCWSTR lpString, LPCWSTR lpFileName) {
    if (!lpAppName || !lpFileName || !*lpFileName || !validWrite(lpAppName, lpKeyName, lpString)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    try {
        const std::string path = host::nativePath(lpFileName);
        if (isReadOnlyFile(path)) {
            SetLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        }
        host::IniDocument doc;
        const Load load = loadDocument(lpFileName, doc);
        if (load == Load::Unusable) {
            SetLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        }
        bool changed = false;
        if (!lpKeyName)
            changed = doc.removeSection(lpAppName);
        else if (!lpString)
            changed = doc.removeKey(lpAppName, lpKeyName);
        else
            changed = doc.setValue(lpAppName, lpKeyName, lpString);
        // Nothing to do is success, and a file that is not there stays away for a delete.
        if (!changed) return TRUE;
        host::forgetProfileSnapshot(path);
        if (!host::replaceFile(path, doc.bytes(), host::Durability::Atomic)) {
            SetLastError(host::errorFromErrno(errno));
            return FALSE;
        }
        return TRUE;
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FALSE;
    }
}
