// Item lists ("Item_0", "Item_1", ... and "LastItem") and the key=value split of their
// items.
#include "module/base/LintaroLog.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/IniStorage.h"
#include "module/options/OptStrings.h"

#include <algorithm>
#include <string>

namespace {

constexpr int kMaxItems = 100;

std::wstring itemKey(std::size_t i)
{
    return L"Item_" + std::to_wstring(i);
}

// The file a list lives in: the one given, else the options file in use.
bool listFile(const wchar_t* caller, const std::wstring& file, const std::wstring& section, std::wstring& out)
{
    if (!file.empty()) {
        out = file;
        return true;
    }
    if (!pGlobDimOptions) {
        LogFmt(L"%s-%s !pGlobDimOptions ", caller, section.c_str());
        return false;
    }
    out = pGlobDimOptions->CurOptionsFile;
    return true;
}

} // namespace

int LoadSection(std::vector<std::wstring>& list, const std::wstring& section, const std::wstring& file)
{
    list.clear();
    std::wstring path;
    if (!listFile(L"LoadSection", file, section, path))
        return 0;
    for (int i = 0; i < kMaxItems; ++i) {
        std::wstring value = ReadEntryFromIni(path, section, itemKey(static_cast<std::size_t>(i)));
        if (value.empty())
            break;
        bool known = std::any_of(list.begin(), list.end(),
                                 [&](const std::wstring& item) { return OptEqualNoCase(item, value); });
        if (!known)
            list.push_back(value);
    }
    return static_cast<int>(list.size());
}

int SaveSection(const std::vector<std::wstring>& list, const std::wstring& section, const std::wstring& file)
{
    std::wstring path;
    if (!listFile(L"SaveSection", file, section, path))
        return 0;
    if (list.empty()) {
        WriteIniEntryThrough(path, section, L"LastItem", L"");
        WriteIniEntryThrough(path, section, L"Item_1", L"");
        return 0;
    }
    for (std::size_t i = 0; i < list.size(); ++i)
        if (!list[i].empty())
            WriteIniEntryThrough(path, section, itemKey(i), list[i]);
    // An empty item ends the list when it is read, so a longer old list is cut off.
    WriteIniEntryThrough(path, section, itemKey(list.size()), L"");
    WriteIniEntryThrough(path, section, L"LastItem", list.back());
    return static_cast<int>(list.size());
}

bool SplitKeyValue(const std::wstring& text, std::wstring& left, std::wstring& right)
{
    left = text;
    right.clear();
    std::size_t first = text.find(L'=');
    if (first == std::wstring::npos)
        return false;
    left = OptTrim(text.substr(0, first));
    std::size_t second = text.find(L'=', first + 1);
    if (second == std::wstring::npos) {
        right = OptTrim(text.substr(first + 1));
        return true;
    }
    std::size_t third = text.find(L'=', second + 1);
    std::wstring piece3 = third == std::wstring::npos ? text.substr(second + 1)
                                                      : text.substr(second + 1, third - second - 1);
    right = OptTrim(text.substr(first + 1, second - first - 1)) + L"=" + OptTrim(piece3);
    return true;
}
