#include "module/options/ScaleMaps.h"

#include "module/base/LintaroLog.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/IniStorage.h"
#include "module/options/OptStrings.h"
#include "module/options/OptionDefaults.h"
#include "module/resources/resource.h"

#include "host/ed/SysVars.h"
#include "host/rx/acutString.h"
#include "host/win/FormatW.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int kDefaultLayerColor = 7;

std::wstring unknownScaleKey() {
    return LoadStrOr(IDS_OPT_UNKNOWN_SCALE, L"<Unbekannt>");
}

std::wstring annoScaleName() {
    return LoadStrOr(IDS_OPT_ANNO_SCALE, L"BMa\u00DF");
}

// The maps' mode: the second height-mark mode shares the first one's tables.
int currentMapMode() {
    const int mode = pGlobDimOptions ? pGlobDimOptions->m_iMode : OPT_MODE_CHAIN;
    return mode == OPT_MODE_HEIGHT_PLAN ? OPT_MODE_HEIGHT : mode;
}

// The text before the first "=" of a map value or item.
std::wstring leftPart(const std::wstring& text) {
    std::wstring left, right;
    SplitKeyValue(text, left, right);
    return left;
}

// A colour index written as a whole number (sign allowed); anything else is no colour,
// so a typing error in a table falls back instead of becoming colour 0 (ByBlock).
bool parseColor(const std::wstring& text, int& color) {
    const std::wstring t = OptTrim(text);
    std::size_t i = (!t.empty() && (t[0] == L'-' || t[0] == L'+')) ? 1 : 0;
    if (i >= t.size() || t.size() - i > 6) return false;
    for (std::size_t k = i; k < t.size(); ++k)
        if (t[k] < L'0' || t[k] > L'9') return false;
    color = OptToInt(t);
    return true;
}

// "layer=colour": the colour when the layer part matches.
bool colorOfItem(const std::wstring& item, const std::wstring& layer, bool noCase, int& color) {
    std::wstring left, right;
    if (!SplitKeyValue(item, left, right)) return false;
    const bool match = noCase ? OptEqualNoCase(left, layer) : left == layer;
    return match && parseColor(right, color);
}

// A height key read as a number; keys that do not start like a number never match.
bool heightOfKey(const std::wstring& key, double& height) {
    const std::wstring t = OptTrim(key);
    if (t.empty()) return false;
    const wchar_t c = t[0];
    if (!((c >= L'0' && c <= L'9') || c == L'.' || c == L'-' || c == L'+')) return false;
    height = OptToDouble(t);
    return true;
}

bool holds(const std::vector<std::wstring>& list, const std::wstring& text) {
    return std::any_of(list.begin(), list.end(),
                       [&](const std::wstring& s) { return OptEqualNoCase(s, text); });
}

} // namespace

double ScaleStr2Double(const std::wstring& text) {
    if (OptEqualNoCase(text, L"AnnoScale") || OptEqualNoCase(text, L"BMa\u00DF") ||
        OptEqualNoCase(text, annoScaleName()))
        return 0.01;
    double result = 0.0;
    std::size_t colon = text.find(L':');
    if (colon == std::wstring::npos) {
        result = OptToDouble(text);
    } else {
        double left = OptToDouble(text.substr(0, colon));
        double right = OptToDouble(text.substr(colon + 1));
        if (right == 0.0) right = 100.0;
        if (left == 0.0) left = 1.0;
        result = left / right;
    }
    if (result == 0.0 || !std::isfinite(result)) {
        LogFmt(L"\n !!!!!!!!!! ScaleStr2Double(%s) ", text.c_str());
        return 1.0;
    }
    return result;
}

std::wstring GetLayerForScale(const std::wstring& scaleText) {
    if (!pGlobDimOptions) return std::wstring();
    const OptStringMap* map = pGlobDimOptions->GetMap(currentMapMode(), L"Scale2Layer");
    if (!map) return std::wstring();
    auto it = map->find(scaleText);
    if (it == map->end()) it = map->find(unknownScaleKey());
    return it == map->end() ? std::wstring() : leftPart(it->second);
}

int GetColorForLayer(const std::wstring& layerName) {
    if (!pGlobDimOptions) return kDefaultLayerColor;
    const int mode = currentMapMode();
    if (const OptStringMap* map = pGlobDimOptions->GetMap(mode, L"Scale2Layer")) {
        for (const auto& [scale, value] : *map) {
            std::wstring layer, colorText;
            if (!SplitKeyValue(value, layer, colorText) || layer != layerName) continue;
            int color = 0;
            if (parseColor(colorText, color)) {
                if (color >= 0) return color;
                break;
            }
        }
    }
    std::vector<std::wstring> items;
    LoadSection(items, CGlobDimOptions::GetSectionName(mode, L"Layer2DefaultColor"),
                pGlobDimOptions->CurOptionsFile);
    for (const std::wstring& item : items) {
        int color = 0;
        if (colorOfItem(item, layerName, true, color)) return color;
    }
    return kDefaultLayerColor;
}

int GetColorForTextHeight(double height) {
    if (!pGlobDimOptions) return 0;
    if (height < 0.0) height = pGlobDimOptions->GetOptDouble(IND_D_TextHeight);
    const OptStringMap* map = pGlobDimOptions->GetMap(currentMapMode(), L"TextHeight2Color");
    if (!map) return 0;
    if (height == 0.0) {
        for (const auto& [key, value] : *map)
            if (OptEqualNoCase(key, L"TrueType")) return OptToInt(value);
    }
    for (const auto& [key, value] : *map) {
        double h = 0.0;
        if (heightOfKey(key, h) && h == height) return OptToInt(value);
    }
    return 0;
}

int FillListFromSection(std::vector<std::wstring>& list, int mode, const std::wstring& name,
                        const std::wstring& file) {
    list.clear();
    std::vector<std::wstring> items;
    LoadSection(items, CGlobDimOptions::GetSectionName(mode, name), file);
    const std::wstring unknown = unknownScaleKey();
    for (const std::wstring& item : items) {
        const std::wstring left = leftPart(item);
        if (left == unknown || CGlobDimOptions::IsPlaceholder(left)) continue;
        list.push_back(left);
    }
    if (OptEqualNoCase(name, L"ExtLineLength")) {
        if (mode != OPT_MODE_CHAIN) list.push_back(LoadStrOr(IDS_EXTLINE_NONE, L"<keine>"));
        list.push_back(LoadStrOr(IDS_EXTLINE_MAXIMUM, L"<maximal>"));
    } else if (OptEqualNoCase(name, L"Scale2Layer")) {
        const std::wstring anno = annoScaleName();
        if (!holds(list, anno)) list.push_back(anno);
    }
    return static_cast<int>(list.size());
}

int SaveMapFromList(const MapRows& rows, int mode, const std::wstring& name) {
    if (!pGlobDimOptions) return 0;
    if (mode == OPT_MODE_HEIGHT_PLAN) mode = OPT_MODE_HEIGHT;
    OptStringMap* map = pGlobDimOptions->GetMap(mode, name);
    if (!map) {
        LogFmt(L"\n GetMap(%d, %s) !map ", mode, name.c_str());
        return 0;
    }
    map->clear();
    const std::wstring file = pGlobDimOptions->CurOptionsFile;
    const std::wstring section = CGlobDimOptions::GetSectionName(mode, name);
    const std::wstring newRow = LoadStrOr(IDS_MAP_NEW_ROW, L"<neu>");
    int written = 0;
    for (const std::vector<std::wstring>& row : rows) {
        const std::wstring key = row.empty() ? std::wstring() : OptTrim(row[0]);
        std::wstring value = row.size() > 1 ? OptTrim(row[1]) : std::wstring();
        if (key.empty() || key == newRow || value.empty()) continue;
        const std::wstring color = row.size() > 2 ? OptTrim(row[2]) : std::wstring();
        if (key.find(L'=') != std::wstring::npos || value.find(L'=') != std::wstring::npos ||
            color.find(L'=') != std::wstring::npos) {
            LogFmt(L"\n SaveMapFromList: '%s' skipped ", key.c_str());
            continue;
        }
        if (row.size() > 2) value += L"=" + color;
        (*map)[key] = value;
        // Numbered by the rows kept, so a skipped row leaves no stale item behind.
        WriteIniEntryThrough(file, section, host::FormatW(L"Item_%d", written),
                             host::FormatW(L"%s=%s", key.c_str(), value.c_str()));
        ++written;
    }
    WriteIniEntryThrough(file, section, host::FormatW(L"Item_%d", written), L"");
    if (written == 0) WriteIniEntryThrough(file, section, L"Item_1", L"");
    return static_cast<int>(map->size());
}

bool MayCreateOnLayer(const std::wstring& layerName) {
    if (!pGlobDimOptions || pGlobDimOptions->GetOptInt(IND_I_ForbidLayer0) != 1) return true;
    std::wstring layer = layerName;
    if (layer.empty()) {
        resbuf rb{};
        if (acedGetVar(L"CLAYER", &rb) == RTNORM && rb.restype == RTSTR && rb.resval.rstring) {
            layer = rb.resval.rstring;
            acutDelString(rb.resval.rstring);
        }
    }
    if (layer != L"0") return true;
    MsgBox(LoadStrOr(IDS_LAYER_0_FORBIDDEN, L"Layer \"0\" ist verboten.").c_str());
    return false;
}
