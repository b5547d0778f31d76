// The scale and text-height maps of the options, loaded from the options file in use.
#include "module/base/LintaroLog.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/IniStorage.h"
#include "module/options/OptStrings.h"

namespace {

// Loading into the parameter descriptions instead of a map.
constexpr int kParamInfoMode = -100;

int mapMode(int mode)
{
    return mode == OPT_MODE_HEIGHT_PLAN ? OPT_MODE_HEIGHT : mode;
}

// Reads an item list and stores each "key=value" item; a later key replaces an earlier.
void fillMap(OptStringMap& map, const std::wstring& section, const std::wstring& file)
{
    std::vector<std::wstring> items;
    LoadSection(items, section, file);
    for (const std::wstring& item : items) {
        std::wstring key, value;
        if (SplitKeyValue(item, key, value))
            map[key] = value;
    }
}

} // namespace

OptStringMap* CGlobDimOptions::GetMap(int mode, const std::wstring& name)
{
    mode = mapMode(mode);
    const bool scale = OptEqualNoCase(name, L"Scale2Layer");
    const bool height = OptEqualNoCase(name, L"TextHeight2Color");
    if (!scale && !height)
        return nullptr;
    if (mode == OPT_MODE_HEIGHT)
        return scale ? &mapDHScale2Layer : &mapDHTextHeight2Color;
    if (mode == OPT_MODE_TEXT)
        return scale ? &mapTXTScale2Layer : &mapTXTTextHeight2Color;
    return scale ? &mapScale2Layer : &mapTextHeight2Color;
}

int CGlobDimOptions::LoadMap(int mode, const std::wstring& name, const std::wstring& file)
{
    if (mode == kParamInfoMode) {
        fillMap(mapParamInfo, name, file);
        return static_cast<int>(mapParamInfo.size());
    }
    mode = mapMode(mode);
    OptStringMap* map = GetMap(mode, name);
    if (!map) {
        LogMsg(L"\n LoadMap !map ");
        return 0;
    }
    map->clear();
    fillMap(*map, GetSectionName(mode, name), file);
    return static_cast<int>(map->size());
}

void CGlobDimOptions::LoadMaps()
{
    CTimeLog timer(L"---- LoadMaps ---- ");
    LogMsg(L" LoadOptions0 ");
    LoadMap(OPT_MODE_CHAIN, L"Scale2Layer", CurOptionsFile);
    LoadMap(OPT_MODE_CHAIN, L"TextHeight2Color", CurOptionsFile);
    LogMsg(L" LoadOptions1 ");
    LoadMap(OPT_MODE_TEXT, L"Scale2Layer", CurOptionsFile);
    LoadMap(OPT_MODE_TEXT, L"TextHeight2Color", CurOptionsFile);
    LogMsg(L" LoadOptions2 ");
    LoadMap(OPT_MODE_HEIGHT, L"Scale2Layer", CurOptionsFile);
    LoadMap(OPT_MODE_HEIGHT, L"TextHeight2Color", CurOptionsFile);
    LogMsg(L" LoadOptions3 ");
}
