#include "module/ui/OptionDraft.h"

#include "module/base/LintaroLog.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/IniStorage.h"
#include "module/options/OptStrings.h"
#include "module/options/ScaleMaps.h"
#include "module/ui/OptionFields.h"

namespace {

constexpr const wchar_t* kConvertSection = L"Convert";

// "1:50=DIM_1_50=7" as the rows of the map writer: scale, layer, colour.
MapRows rowsOf(const std::vector<std::wstring>& items, bool threeColumns) {
    MapRows rows;
    for (const std::wstring& item : items) {
        std::wstring key, rest;
        if (!SplitKeyValue(item, key, rest)) continue;
        std::vector<std::wstring> row{key};
        std::wstring layer, color;
        if (threeColumns && SplitKeyValue(rest, layer, color)) {
            row.push_back(layer);
            row.push_back(color);
        } else {
            row.push_back(rest);
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace

int OptionModeOfDialogMode(int dlgMode) {
    switch (dlgMode) {
    case OPT_DLG_HEIGHT:
        return OPT_MODE_HEIGHT;
    case OPT_DLG_TEXT:
        return OPT_MODE_TEXT;
    default:
        return OPT_MODE_CHAIN;
    }
}

int DialogModeOfOptionMode(int optMode) {
    if (optMode == OPT_MODE_HEIGHT || optMode == OPT_MODE_HEIGHT_PLAN) return OPT_DLG_HEIGHT;
    if (optMode == OPT_MODE_TEXT) return OPT_DLG_TEXT;
    return OPT_DLG_LINEAR;
}

const std::vector<std::wstring>& ConvertKeys() {
    static const std::vector<std::wstring> keys = {L"ExplodeHDim",  L"ExplodeDim",  L"Associative",
                                                   L"AcadKeepText", L"AcadKeepPos", L"AllDwg",
                                                   L"ReadBlocks"};
    return keys;
}

OptionDraft::OptionDraft(const CGlobDimOptions& options)
    : flags(options.arrayOptFlags), general(options.arrayOptGeneral), m_file(options.CurOptionsFile) {
    m_sets[OPT_DLG_LINEAR] = options.m_setChain;
    m_sets[OPT_DLG_HEIGHT] = options.m_setHeight;
    m_sets[OPT_DLG_TEXT] = options.m_setText;
    for (const std::wstring& key : ConvertKeys())
        convert[key] = GetIniInt(kConvertSection, key) != 0 ? 1 : 0;
}

COptionSet& OptionDraft::Set(int dlgMode) {
    return m_sets[dlgMode >= 0 && dlgMode < OPT_DLG_MODE_COUNT ? dlgMode : OPT_DLG_LINEAR];
}

const COptionSet& OptionDraft::Set(int dlgMode) const {
    return m_sets[dlgMode >= 0 && dlgMode < OPT_DLG_MODE_COUNT ? dlgMode : OPT_DLG_LINEAR];
}

std::wstring OptionDraft::listKey(int dlgMode, const std::wstring& base) {
    return CGlobDimOptions::GetSectionName(OptionModeOfDialogMode(dlgMode), base);
}

const std::vector<std::wstring>& OptionDraft::List(int dlgMode, const std::wstring& base) {
    const std::wstring key = listKey(dlgMode, base);
    auto it = m_lists.find(key);
    if (it == m_lists.end()) {
        std::vector<std::wstring> items;
        LoadSection(items, key, m_file);
        it = m_lists.emplace(key, std::move(items)).first;
    }
    return it->second;
}

void OptionDraft::SetList(int dlgMode, const std::wstring& base, std::vector<std::wstring> items) {
    const std::wstring key = listKey(dlgMode, base);
    m_lists[key] = std::move(items);
    m_changed.insert(key);
}

bool OptionDraft::ListChanged(int dlgMode, const std::wstring& base) const {
    return m_changed.count(listKey(dlgMode, base)) != 0;
}

namespace {

// A map section is written through the map writer, which also refreshes the map in use.
bool commitMap(const std::wstring& section, const std::vector<std::wstring>& items) {
    for (int dlgMode = 0; dlgMode < OPT_DLG_MODE_COUNT; ++dlgMode) {
        const int mode = OptionModeOfDialogMode(dlgMode);
        for (const wchar_t* base : {L"Scale2Layer", L"TextHeight2Color"}) {
            if (section != CGlobDimOptions::GetSectionName(mode, base)) continue;
            SaveMapFromList(rowsOf(items, OptEqualNoCase(base, L"Scale2Layer")), mode, base);
            return true;
        }
    }
    return false;
}

} // namespace

void OptionDraft::commitLists(CGlobDimOptions& options) const {
    for (const std::wstring& section : m_changed) {
        const auto it = m_lists.find(section);
        if (it != m_lists.end() && !commitMap(section, it->second))
            SaveSection(it->second, section, options.CurOptionsFile);
    }
}

void OptionDraft::Commit(CGlobDimOptions& options) const {
    LogFmt(L"\nCDlgOption: save to %s ", options.CurOptionsFile.c_str());
    options.m_setChain = m_sets[OPT_DLG_LINEAR];
    options.m_setHeight = m_sets[OPT_DLG_HEIGHT];
    options.m_setText = m_sets[OPT_DLG_TEXT];
    options.arrayOptFlags = flags;
    options.arrayOptGeneral = general;
    const int saved = options.m_iMode;
    options.m_iMode = OPT_MODE_ALL;
    options.SaveOptions();
    options.m_iMode = saved;
    WriteFieldOptions(GeometryFields(), options);
    WriteFieldOptions(TextFields(), options);
    for (int flag = 0; flag < OPT_FLAG_COUNT; ++flag)
        if (flag != IND_OPT_B_AutoPosBit1 && flag != IND_OPT_B_AutoPosBit2 &&
            flag != IND_OPT_B_AcadDimAssociative)
            options.SetOptValue(OPT_TYPE_FLAG, flag, options.GetOptFlag(flag));
    for (int i = 0; i < OPT_GENERAL_COUNT; ++i)
        options.SetOptValue(OPT_TYPE_GENERAL, i, options.GetOptGeneral(i));
    for (const auto& [key, on] : convert)
        SetIniInt(kConvertSection, key, on);
    commitLists(options);
    SaveAllIniBuffers();
    options.LoadOptions();
}
