#include "shell/Settings.h"

#include "host/win/WinFiles.h"
#include "host/win/WinProfile.h"

namespace shell {

std::wstring settingsFolder() {
    wchar_t base[1024] = {};
    if (SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, base) != S_OK || !*base)
        return L"";
    std::wstring folder = std::wstring(base) + L"/tessaron";
    CreateDirectoryW(folder.c_str(), nullptr);
    folder += L"/lintaro";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

bool chooseLanguage(const std::string& tag) {
    std::wstring value;
    if (tag == "en" || tag == "EN")
        value = L"EN";
    else if (tag != "de" && tag != "DE")
        return false;
    const std::wstring folder = settingsFolder();
    if (folder.empty()) return false;
    const std::wstring ini = folder + L"/lintaro.ini";
    return WritePrivateProfileStringW(L"LastStatus", L"Language", value.c_str(), ini.c_str()) != 0;
}

} // namespace shell
