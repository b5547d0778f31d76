#include "module/replace/ReplaceSettings.h"

#include "module/options/IniStorage.h"
#include "module/replace/ReplaceText.h"

namespace {
constexpr const wchar_t* kListKey = L"Replace";
}

std::vector<std::wstring> LoadReplacementList(const wchar_t* section) {
    return SplitReplacementList(GetIniString(section, kListKey));
}

std::vector<std::wstring> RememberReplacementIn(const wchar_t* section, const std::wstring& replacement) {
    std::vector<std::wstring> list = LoadReplacementList(section);
    RememberReplacement(list, replacement);
    SetIniString(section, kListKey, JoinReplacementList(list));
    // What the INI holds is the list from now on (joining may have cut the oldest).
    return SplitReplacementList(JoinReplacementList(list));
}
