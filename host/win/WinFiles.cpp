#include "host/win/WinFiles.h"

#include "host/win/FileBytes.h"
#include "host/win/ProfileCache.h"
#include "host/win/Utf8.h"

#include <cerrno>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

thread_local DWORD g_lastError = 0;

std::string envValue(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

std::string withoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

std::string homeFolder() {
    std::string home = envValue("HOME");
    if (!home.empty()) return home;
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return {};
}

std::string appDataFolder() {
    std::string dir = envValue("APPDATA");
    if (dir.empty()) dir = envValue("XDG_CONFIG_HOME");
    if (dir.empty()) {
        const std::string home = homeFolder();
        if (!home.empty()) dir = home + "/.config";
    }
    return dir.empty() ? dir : withoutTrailingSlashes(host::nativePath(host::fromUtf8(dir)));
}

// mkdir -p, for CSIDL_FLAG_CREATE.
bool makeFolders(const std::string& path) {
    for (size_t pos = 1; pos <= path.size(); ++pos) {
        if (pos != path.size() && path[pos] != '/') continue;
        const std::string part = path.substr(0, pos);
        if (::mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) return false;
    }
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Copies with the Windows buffer rule of the path functions: the length without the
// terminating 0, or the size needed (with the 0) when the buffer is too small.
DWORD copyPath(const std::wstring& path, LPWSTR buffer, DWORD size) {
    if (!buffer || path.size() + 1 > size) return static_cast<DWORD>(path.size() + 1);
    path.copy(buffer, path.size());
    buffer[path.size()] = 0;
    return static_cast<DWORD>(path.size());
}

bool isWindowsModeChar(wchar_t c) {
    return c == L'r' || c == L'w' || c == L'a' || c == L'+' || c == L'b' || c == L'x';
}

} // namespace

namespace host {

DWORD errorFromErrno(int err) {
    switch (err) {
    case 0:
        return ERROR_SUCCESS;
    case ENOENT:
        return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
        return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS:
        return ERROR_ACCESS_DENIED;
    case EEXIST:
        return ERROR_ALREADY_EXISTS;
    case EISDIR:
        return ERROR_DIRECTORY;
    case ENOMEM:
        return ERROR_NOT_ENOUGH_MEMORY;
    case EFBIG:
        return ERROR_FILE_TOO_LARGE;
    case EINVAL:
    case ENAMETOOLONG:
        return ERROR_INVALID_PARAMETER;
    default:
        return ERROR_WRITE_FAULT;
    }
}

std::string nativePath(const std::wstring& path) {
    std::string out = toUtf8(path);
    for (char& c : out)
        if (c == '\\') c = '/';
    return out;
}

bool fileExists(const std::wstring& path) {
    struct stat st {};
    return !path.empty() && ::stat(nativePath(path).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool folderExists(const std::wstring& path) {
    struct stat st {};
    return !path.empty() && ::stat(nativePath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace host

DWORD GetLastError() {
    return g_lastError;
}
void SetLastError(DWORD err) {
    g_lastError = err;
}

HRESULT SHGetFolderPathW(HWND, int csidl, HANDLE, DWORD, LPWSTR pszPath) {
    if (pszPath) pszPath[0] = 0;
    if ((csidl & 0xFF) != CSIDL_APPDATA) return E_INVALIDARG;
    const std::string dir = appDataFolder();
    if (dir.empty()) return E_FAIL;
    if ((csidl & CSIDL_FLAG_CREATE) && !makeFolders(dir)) return E_FAIL;
    const std::wstring wide = host::fromUtf8(dir);
    if (!pszPath || wide.size() >= MAX_PATH) return E_FAIL;
    copyPath(wide, pszPath, MAX_PATH);
    return S_OK;
}

DWORD GetTempPathW(DWORD nBufferLength, LPWSTR lpBuffer) {
    std::string dir = envValue("TMPDIR");
    if (dir.empty()) dir = "/tmp";
    dir = withoutTrailingSlashes(host::nativePath(host::fromUtf8(dir)));
    if (dir != "/") dir += '/';
    return copyPath(host::fromUtf8(dir), lpBuffer, nBufferLength);
}

BOOL CreateDirectoryW(LPCWSTR lpPathName, void*) {
    if (!lpPathName || !*lpPathName) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return FALSE;
    }
    if (::mkdir(host::nativePath(lpPathName).c_str(), 0777) != 0) {
        SetLastError(errno == ENOENT ? ERROR_PATH_NOT_FOUND : host::errorFromErrno(errno));
        return FALSE;
    }
    return TRUE;
}

DWORD GetFileAttributesW(LPCWSTR lpFileName) {
    struct stat st {};
    bool readOnly = false;
    // Settings files are asked after again and again; a watched one is known as it is.
    if (lpFileName && host::keptProfileFile(host::nativePath(lpFileName), readOnly))
        return readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL;
    if (!lpFileName || ::stat(host::nativePath(lpFileName).c_str(), &st) != 0) {
        SetLastError(lpFileName ? host::errorFromErrno(errno) : ERROR_INVALID_PARAMETER);
        return INVALID_FILE_ATTRIBUTES;
    }
    if (S_ISDIR(st.st_mode)) return FILE_ATTRIBUTE_DIRECTORY;
    return (st.st_mode & 0222) ? FILE_ATTRIBUTE_NORMAL : FILE_ATTRIBUTE_READONLY;
}

BOOL DeleteFileW(LPCWSTR lpFileName) {
    if (!lpFileName || !*lpFileName) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    const std::string path = host::nativePath(lpFileName);
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (::unlink(path.c_str()) != 0) {
        SetLastError(host::errorFromErrno(errno));
        return FALSE;
    }
    return TRUE;
}

BOOL CopyFileW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName, BOOL bFailIfExists) {
    constexpr std::size_t kMaxCopy = 64u << 20;
    if (!lpExistingFileName || !*lpExistingFileName || !lpNewFileName || !*lpNewFileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::string from = host::nativePath(lpExistingFileName);
    const std::string to = host::nativePath(lpNewFileName);
    struct stat src {}, dst {};
    const bool targetThere = ::stat(to.c_str(), &dst) == 0;
    if (::stat(from.c_str(), &src) != 0 || !S_ISREG(src.st_mode)) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    if (targetThere && (bFailIfExists || S_ISDIR(dst.st_mode))) {
        SetLastError(bFailIfExists ? ERROR_FILE_EXISTS : ERROR_ACCESS_DENIED);
        return FALSE;
    }
    // Copying a file onto itself would only risk it.
    if (targetThere && src.st_dev == dst.st_dev && src.st_ino == dst.st_ino) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (targetThere && !(dst.st_mode & 0222)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    std::string bytes;
    if (host::readFileBytes(from, bytes, kMaxCopy) != host::ReadResult::Ok) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (!host::replaceFile(to, bytes, host::Durability::Atomic)) {
        SetLastError(host::errorFromErrno(errno));
        return FALSE;
    }
    host::forgetProfileSnapshot(to);
    return TRUE;
}

int _wmkdir(const wchar_t* path) {
    if (!path || !*path) {
        errno = ENOENT;
        return -1;
    }
    return ::mkdir(host::nativePath(path).c_str(), 0777);
}

int _waccess(const wchar_t* path, int mode) {
    if (!path) {
        errno = EINVAL;
        return -1;
    }
    // Windows modes: 0 exists, 2 write, 4 read, 6 both.
    int m = F_OK;
    if (mode & 2) m |= W_OK;
    if (mode & 4) m |= R_OK;
    return ::access(host::nativePath(path).c_str(), m);
}

int _wremove(const wchar_t* path) {
    if (!path) {
        errno = EINVAL;
        return -1;
    }
    return std::remove(host::nativePath(path).c_str());
}

FILE* _wfopen(const wchar_t* path, const wchar_t* mode) {
    if (!path || !mode) {
        errno = EINVAL;
        return nullptr;
    }
    // Keep the portable mode letters; 't', "ccs=..." and the like are Windows only.
    std::string m;
    for (const wchar_t* p = mode; *p && *p != L','; ++p)
        if (isWindowsModeChar(*p)) m.push_back(static_cast<char>(*p));
    if (m.empty() || (m[0] != 'r' && m[0] != 'w' && m[0] != 'a')) {
        errno = EINVAL;
        return nullptr;
    }
    return std::fopen(host::nativePath(path).c_str(), m.c_str());
}
