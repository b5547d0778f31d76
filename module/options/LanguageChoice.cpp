#include "module/options/LanguageChoice.h"

#include "host/win/FormatW.h"
#include "module/base/FilePaths.h"
#include "module/base/LanguageModule.h"
#include "module/base/LintaroLog.h"
#include "module/options/IniStorage.h"

namespace {

// A tag names a file beside the module, never a path.
bool isPlainTag(const std::wstring& tag) {
    return tag.find_first_of(L"/\\:") == std::wstring::npos && tag.find(L"..") == std::wstring::npos;
}

} // namespace

std::wstring GetLanguageModulePath() {
    const std::wstring tag = GetIniString(L"LastStatus", L"Language");
    if (!isPlainTag(tag)) {
        LogFmt(L"\nLNG: Language=%s ignored ", tag.c_str());
        return L"";
    }
    const std::wstring beside = host::FormatW(L"%slintaro%s.lng", ModuleFolder().c_str(), tag.c_str());
    if (FileExists(beside)) return beside;
    return host::FormatW(L"%slintaro%s.lng", GetSettingsFolder().c_str(), tag.c_str());
}

void LoadLanguageModule() {
    UseLanguageModule(GetLanguageModulePath());
}
