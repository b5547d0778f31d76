#include "module/options/OptionFiles.h"

#include "module/base/FilePaths.h"
#include "module/base/LintaroLog.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/IniStorage.h"
#include "module/options/OptStrings.h"
#include "module/options/OptionDefaults.h"
#include "module/resources/resource.h"

#include "host/ed/acutPrintf.h"
#include "host/win/FormatW.h"
#include "host/win/WinFiles.h"

#include <algorithm>

namespace {

constexpr const wchar_t* kListSection = L"OptionsFiles";
constexpr int kMaxItems = 100;

bool holds(const std::vector<std::wstring>& list, const std::wstring& path) {
    return std::any_of(list.begin(), list.end(),
                       [&](const std::wstring& s) { return OptEqualNoCase(s, path); });
}

// The items as they stand in the file, duplicates included, up to the first empty one.
std::vector<std::wstring> rawItems(const std::wstring& file) {
    std::vector<std::wstring> items;
    for (int i = 0; i < kMaxItems; ++i) {
        std::wstring value = ReadEntryFromIni(file, kListSection, host::FormatW(L"Item_%d", i));
        if (value.empty()) break;
        items.push_back(value);
    }
    return items;
}

void tellFileNotFound(const std::wstring& path) {
    MsgBoxFmt(LoadStrOr(IDS_FILE_NOT_FOUND, L"\nDatei '%s' nicht gefunden...").c_str(), path.c_str());
}

} // namespace

int LoadOptionsFiles(std::vector<std::wstring>& list) {
    list.clear();
    if (!pGlobDimOptions) {
        acutPrintf(L" !!!pGlobDimOptions ");
        return -1;
    }
    LogMsg(L"\n LoadOptionsFiles");
    const std::wstring mainIni =
        pGlobDimOptions->strIniFile.empty() ? GetIniFile() : pGlobDimOptions->strIniFile;
    const std::vector<std::wstring> items = rawItems(mainIni);
    for (const std::wstring& item : items)
        if (FileExists(item) && !holds(list, item)) list.push_back(item);
    if (list.size() != items.size()) {
        LogFmt(L"\n!!!!SaveSection %d != %d ", static_cast<int>(list.size()), static_cast<int>(items.size()));
        SaveSection(list, kListSection, mainIni);
    }
    if (!holds(list, pGlobDimOptions->CurOptionsFile))
        LogFmt(L"\n Current file %s Nie je v zozname!! ", pGlobDimOptions->CurOptionsFile.c_str());
    return static_cast<int>(list.size());
}

bool IsValidOptionsFile(const std::wstring& path) {
    const bool there = !path.empty() && FileExists(path);
    if (there && (!ReadEntryFromIni(path, L"MainOptions", L"Measure").empty() ||
                  !ReadEntryFromIni(path, L"MainOptions", L"Decimals").empty()))
        return true;
    MsgBox(LoadStrOr(IDS_INVALID_INI_FILE, L"Ung\u00FCltige Lintaro-INI-Datei!").c_str());
    return false;
}

bool UseOptionsFile(const std::wstring& path) {
    if (path.empty() || !FileExists(path)) {
        tellFileNotFound(path);
        return false;
    }
    SetIniGeneral(L"CurOptionsFile", path);
    if (pGlobDimOptions) pGlobDimOptions->LoadOptions();
    return true;
}

bool AddOptionsFile(const std::wstring& path) {
    if (path.empty() || !FileExists(path)) {
        tellFileNotFound(path);
        return false;
    }
    return IsValidOptionsFile(path) && UseOptionsFile(path);
}

bool RemoveOptionsFile(const std::wstring& path) {
    if (!pGlobDimOptions || path.empty()) return false;
    const std::wstring mainIni =
        pGlobDimOptions->strIniFile.empty() ? GetIniFile() : pGlobDimOptions->strIniFile;
    if (OptEqualNoCase(path, mainIni)) {
        MsgBoxFmt(LoadStrOr(IDS_FILE_CANNOT_BE_REMOVED, L"Datei %s\nkann nicht entfernt werden.").c_str(),
                  path.c_str());
        return false;
    }
    const std::wstring question = LoadStrOr(IDS_ASK_REMOVE_FILE_FROM_LIST,
                                            L"Wollen Sie die Datei %s\naus der Liste wirklich entfernen?");
    if (!AskYesNoFmt(question.c_str(), path.c_str())) return false;
    std::vector<std::wstring> list;
    LoadSection(list, kListSection, mainIni);
    const auto before = list.size();
    list.erase(std::remove_if(list.begin(), list.end(),
                              [&](const std::wstring& s) { return OptEqualNoCase(s, path); }),
               list.end());
    if (list.size() == before) return false;
    // Saved first, so the reload below does not find the removed file in use and list it again.
    SaveSection(list, kListSection, mainIni);
    // The first remaining file that is still there takes over (the main INI when none
    // is); without a remaining entry only a removed file in use needs replacing.
    std::wstring next = mainIni;
    for (const std::wstring& file : list) {
        if (FileExists(file)) {
            next = file;
            break;
        }
    }
    if (!list.empty() || OptEqualNoCase(pGlobDimOptions->CurOptionsFile, path)) UseOptionsFile(next);
    return true;
}
