#include "host/win/WinFind.h"

#include "host/win/Utf8.h"

#include <algorithm>
#include <cwctype>
#include <dirent.h>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

struct FindState {
    std::vector<WIN32_FIND_DATAW> entries;
    size_t next = 0;
};

wchar_t folded(wchar_t c) {
    return c < 0x80 ? static_cast<wchar_t>(std::towlower(c)) : c;
}

bool matchFrom(const std::wstring& p, size_t pi, const std::wstring& n, size_t ni) {
    while (pi < p.size()) {
        if (p[pi] == L'*') {
            while (pi < p.size() && p[pi] == L'*')
                ++pi;
            if (pi == p.size()) return true;
            for (size_t k = ni; k <= n.size(); ++k)
                if (matchFrom(p, pi, n, k)) return true;
            return false;
        }
        if (ni == n.size()) return false;
        if (p[pi] != L'?' && folded(p[pi]) != folded(n[ni])) return false;
        ++pi;
        ++ni;
    }
    return ni == n.size();
}

WIN32_FIND_DATAW entryFor(const std::string& folder, const std::wstring& name) {
    WIN32_FIND_DATAW data;
    struct stat st {};
    const std::string full = folder + "/" + host::toUtf8(name);
    const bool isFolder = ::stat(full.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    data.dwFileAttributes = isFolder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
    if (!isFolder) {
        const unsigned long long size = static_cast<unsigned long long>(st.st_size);
        data.nFileSizeHigh = static_cast<DWORD>(size >> 32);
        data.nFileSizeLow = static_cast<DWORD>(size & 0xFFFFFFFFu);
    }
    std::copy(name.begin(), name.end(), data.cFileName);
    data.cFileName[name.size()] = 0;
    return data;
}

} // namespace

namespace host {
bool wildcardMatch(const std::wstring& pattern, const std::wstring& name) {
    // "*.*" is every name on Windows, with or without a dot.
    if (pattern == L"*.*") return true;
    return matchFrom(pattern, 0, name, 0);
}
} // namespace host

HANDLE FindFirstFileW(LPCWSTR lpFileName, WIN32_FIND_DATAW* lpFindFileData) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    if (!lpFileName || !lpFindFileData) return INVALID_HANDLE_VALUE;
    const std::wstring path(lpFileName);
    const size_t cut = path.find_last_of(L"/\\");
    const std::wstring pattern = cut == std::wstring::npos ? path : path.substr(cut + 1);
    std::string folder = cut == std::wstring::npos ? std::string(".") : host::nativePath(path.substr(0, cut));
    if (folder.empty()) folder = "/";
    if (pattern.empty()) return INVALID_HANDLE_VALUE;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return INVALID_HANDLE_VALUE;
    std::vector<std::wstring> names;
    while (const dirent* e = ::readdir(dir)) {
        const std::wstring name = host::fromUtf8(e->d_name);
        if (name.size() < MAX_PATH && host::wildcardMatch(pattern, name)) names.push_back(name);
    }
    ::closedir(dir);
    if (names.empty()) return INVALID_HANDLE_VALUE;
    std::sort(names.begin(), names.end());
    auto* state = new FindState;
    for (const std::wstring& name : names)
        state->entries.push_back(entryFor(folder, name));
    *lpFindFileData = state->entries[0];
    state->next = 1;
    SetLastError(0);
    return state;
}

BOOL FindNextFileW(HANDLE hFindFile, WIN32_FIND_DATAW* lpFindFileData) {
    auto* state = static_cast<FindState*>(hFindFile);
    if (!state || hFindFile == INVALID_HANDLE_VALUE || !lpFindFileData || state->next >= state->entries.size()) {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    *lpFindFileData = state->entries[state->next++];
    return TRUE;
}

BOOL FindClose(HANDLE hFindFile) {
    if (!hFindFile || hFindFile == INVALID_HANDLE_VALUE) return FALSE;
    delete static_cast<FindState*>(hFindFile);
    return TRUE;
}
