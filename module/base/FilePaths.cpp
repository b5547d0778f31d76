#include "module/base/FilePaths.h"

#include "host/win/WinFiles.h"

bool FileExists(const std::wstring& path) {
    if (path.empty()) return false;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring WithSeparator(std::wstring folder) {
    if (folder.empty() || (folder.back() != L'/' && folder.back() != L'\\')) folder += L'/';
    return folder;
}
