#include "module/options/OptionDefaults.h"

#include "module/base/LintaroLog.h"
#include "module/options/IniStorage.h"
#include "module/options/OptionIndices.h"
#include "module/options/OptionKeys.h"

#include "host/win/FormatW.h"
#include "host/win/WinProfile.h"

#include <utility>
#include <vector>

namespace {

using Entries = std::vector<std::pair<const wchar_t*, const wchar_t*>>;

// Read straight from the file (an empty entry counts as there): defaults only fill
// gaps, so a file that lacks some parameters keeps the values it has.
bool hasEntry(const std::wstring& file, const std::wstring& section, const std::wstring& key)
{
    constexpr const wchar_t* kAbsent = L"\x01absent";
    wchar_t buffer[32] = {};
    GetPrivateProfileStringW(section.c_str(), key.c_str(), kAbsent, buffer, 32, file.c_str());
    return std::wstring(buffer) != kAbsent;
}

void writeAll(const std::wstring& file, const std::wstring& section, const Entries& entries)
{
    for (const auto& [key, value] : entries)
        if (!hasEntry(file, section, key))
            WriteIniEntryThrough(file, section, key, value);
}

// A table the file has already is the user's and stays as it is.
void writeItems(const std::wstring& file, const std::wstring& section, const std::vector<std::wstring>& items)
{
    if (hasEntry(file, section, L"Item_0"))
        return;
    for (std::size_t i = 0; i < items.size(); ++i)
        WriteIniEntryThrough(file, section, host::FormatW(L"Item_%d", static_cast<int>(i)), items[i]);
}

void writeMainOptions(const std::wstring& file, int mode)
{
    const std::wstring section = OptSectionName(mode, L"MainOptions");
    const bool height = OptIsHeightMarkMode(mode);
    const bool text = OptIsTextMode(mode);
    if (height)
        writeAll(file, section, {{L"HDimSize", L"5"}, {L"HDimDiameter", L"10"}});
    else if (!text)
        writeAll(file, section,
                 {{L"TickSize", L"4"}, {L"ExtendBeyondTick", L"2"}, {L"DimLinesDistance", L"10"}, {L"DimByLine", L"0"}});
    writeAll(file, section,
             {{L"TextStyle", L""},
              {L"RoundMM", L"1"},
              {L"ExpTextHeight", L"80"},
              {L"AcadUnits", L"0.001"},
              {L"Measure", L"m/cm"},
              {L"Decimals", L"4"},
              {L"Scale", L"1:100"},
              {L"TextHeight", L"50"}});
    if (!text)
        writeAll(file, section,
                 {{L"ExtLine", L"1"},
                  {L"ExtLineLength", L"10"},
                  {L"ExtendBeyondDimLine", L"2"},
                  {L"OffsetFromOrigin", L"5"},
                  {L"TextOffset", L"50"},
                  {L"ExtNewPosition", L"1"},
                  {L"TextArrange", L"1"},
                  {L"ClearUserText", L"1"},
                  {L"TextVectorByUCS", L"1"}});
}

} // namespace

std::wstring LoadStrOr(unsigned id, const wchar_t* fallback)
{
    const wchar_t* text = LoadStr(id);
    if (!text || !*text)
        return fallback;
    return text;
}

void MakeDefaultIniValues(const std::wstring& file, int mode)
{
    LogFmt(L"\nMakeDefaultIniValues (%s) mode=%d ", file.c_str(), mode);
    writeMainOptions(file, mode);
    writeItems(file, OptSectionName(mode, L"TextHeight2Color"),
               {L"TrueType=7", L"18=1", L"25=2", L"35=3", L"50=4", L"70=5", L"100=6"});
    const std::wstring unknown = LoadStrOr(IDS_OPT_UNKNOWN_SCALE, L"<Unbekannt>");
    writeItems(file, OptSectionName(mode, L"Scale2Layer"),
               {host::FormatW(L"%s=DIM_1_X=7", unknown.c_str()), L"1:2=DIM_1_2=7", L"1:5=DIM_1_5=7",
                L"1:50=DIM_1_50=7", L"1:100=DIM_1_100=7", L"1:200=DIM_1_200=7", L"1:500=DIM_1_500=7",
                L"1:1000=DIM_1_1000=7"});
    if (!OptIsTextMode(mode))
        writeItems(file, OptSectionName(mode, L"ExtLineLength"), {L"4", L"5", L"6", L"7", L"8", L"9", L"10"});
}
