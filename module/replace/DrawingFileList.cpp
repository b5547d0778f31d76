#include "module/replace/DrawingFileList.h"

#include "host/win/WinFind.h"
#include "module/base/FilePaths.h"
#include "module/options/OptStrings.h"

namespace {

constexpr const wchar_t* kDrawingExtension = L".dwg";

// The entries of one search, split into drawings and folders (without "." and "..").
void search(const std::wstring& pattern, std::vector<std::wstring>* drawings, std::vector<std::wstring>* folders) {
    const size_t cut = pattern.find_last_of(L"/\\");
    const std::wstring folder = cut == std::wstring::npos ? std::wstring() : pattern.substr(0, cut + 1);
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = data.cFileName;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (folders && name != L"." && name != L"..") folders->push_back(folder + name);
        } else if (drawings && IsDrawingFileName(name)) {
            drawings->push_back(folder + name);
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

void searchFolder(const std::wstring& folder, bool subfolders, std::vector<std::wstring>& out, int depth) {
    const std::wstring base = WithSeparator(folder);
    if (!subfolders) {
        search(base + L"*" + kDrawingExtension, &out, nullptr);
        return;
    }
    std::vector<std::wstring> below;
    search(base + L"*.*", &out, &below);
    // A link that leads back up would search for ever: folders deeper than any real
    // project's are left out.
    if (depth >= 64) return;
    for (const std::wstring& sub : below)
        searchFolder(sub, true, out, depth + 1);
}

} // namespace

bool IsDrawingFileName(const std::wstring& name) {
    const std::wstring ext = kDrawingExtension;
    return name.size() > ext.size() && OptEqualNoCase(name.substr(name.size() - ext.size()), ext);
}

std::vector<std::wstring> DrawingFilesByMask(const std::wstring& mask) {
    std::vector<std::wstring> out;
    size_t from = 0;
    while (from <= mask.size()) {
        const size_t semi = mask.find(L';', from);
        const std::wstring one = OptTrim(mask.substr(from, semi == std::wstring::npos ? std::wstring::npos : semi - from));
        if (!one.empty()) search(one, &out, nullptr);
        if (semi == std::wstring::npos) break;
        from = semi + 1;
    }
    return out;
}

std::vector<std::wstring> DrawingFilesInFolder(const std::wstring& folder, bool subfolders) {
    std::vector<std::wstring> out;
    if (!folder.empty()) searchFolder(folder, subfolders, out, 0);
    return out;
}
