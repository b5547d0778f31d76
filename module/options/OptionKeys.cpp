#include "module/options/OptionKeys.h"

#include "module/options/OptionIndices.h"

#include <array>

namespace {

// A key per index; height marks rename some slots (null: same as the chain key).
struct KeyPair {
    const wchar_t* chain;
    const wchar_t* height;
};

constexpr std::array<KeyPair, OPT_STRING_COUNT> kStringKeys = {{
    {L"Scale", nullptr},
    {L"TextStyle", nullptr},
    {L"Measure", nullptr},
    {L"IniFile", nullptr},
    {L"UTextMarkLayer", nullptr},
    {L"Delimiter", nullptr},
    {L"DimDescription", L"HK_Auto_Handle1"},
    {L"HK_Auto_Handle2", nullptr},
    {L"", nullptr},
    {L"", nullptr},
    {L"", nullptr},
    {L"", nullptr},
    {L"", nullptr},
}};

constexpr std::array<KeyPair, OPT_DOUBLE_COUNT> kDoubleKeys = {{
    {L"ScaleVal", nullptr},
    {L"TextHeight", nullptr},
    {L"ExtLineLength", nullptr},
    {L"DimLinesDistance", nullptr},
    {L"TickSize", L"HDimSize"},
    {L"ExtendBeyondDimLine", nullptr},
    {L"ExtendBeyondTick", L"HDimDiameter"},
    {L"TextOffset", nullptr},
    {L"ExpTextHeight", nullptr},
    {L"AcadUnits", nullptr},
    {L"", nullptr},
    {L"OffsetFromOrigin", nullptr},
    {L"UserTextTolerance", nullptr},
    {L"DimLineDist", L"HDimReducedSize"},
    {L"", nullptr},
    {L"", nullptr},
    {L"", nullptr},
    {L"", nullptr},
}};

constexpr std::array<KeyPair, OPT_INT_COUNT> kIntKeys = {{
    {L"ExtLine", nullptr},
    {L"TextAlign", nullptr},
    {L"RoundMM", nullptr},
    {L"LastType", nullptr},
    {L"Decimals", nullptr},
    {L"Format", nullptr},
    {L"TextPosition", nullptr},
    {L"", nullptr}, // IND_I_HDimFormat: a copy of the format, never stored
    {L"HDimNoModify", nullptr},
    {L"MCmFrom10", L"HIsReducedSize"},
    {L"ArcDimMinPoint", nullptr},
    {L"ArcDimMaxPoint", L"HDimTextUnderline"},
    {L"ArcDimAsCircle", L"HPlusMinusHide"},
    {L"AppVersion", nullptr},
    {L"ArcDimCW", L"HUserText"},
    {L"ArcDimInputArcIsCircle", nullptr},
    {L"TrimZero", nullptr},
    {L"LayerWithoutScale", nullptr},
    {L"ForbidLayer0", nullptr},
    {L"DirectionExt", L"HAutoValue1"},
    {L"SumStatus", L"HAutoValue2"},
    {L"WipeOutStatus", nullptr},
    {L"AltUnitsStatus", L"TextAlignPlan"},
    {L"HPDimTextUnderline", nullptr},
    {L"", nullptr},
    {L"", nullptr},
    {L"", nullptr},
}};

constexpr std::array<const wchar_t*, OPT_GENERAL_COUNT> kGeneralKeys = {
    L"ScalePaperSpace", L"AutoPosLocationOrder", L"AltMeasure", L"AltFormat", L"AltFormatList",
};

constexpr std::array<const wchar_t*, OPT_FLAG_COUNT> kFlagKeys = {
    L"DimByLine",
    L"ExtNewPosition",
    L"ShowInputPoints",
    L"HDimAlign",
    L"AcadDimAssociative",
    L"ShowBaseHDAsXline",
    L"IgnoreUserTextTolerance",
    L"ShowSumOfDim",
    L"LintaroContextMenuAlways",
    L"LeadersShow",
    L"WipeOut",
    L"AutoPosition",
    L"", // bits of the first number of "AutoPosLocationOrder"
    L"",
    L"AltUnits",
    L"AltDecimals",
};

template <std::size_t N>
std::wstring pick(const std::array<KeyPair, N>& table, int index, int mode)
{
    if (index < 0 || index >= static_cast<int>(N))
        return std::wstring();
    const KeyPair& k = table[static_cast<std::size_t>(index)];
    if (OptIsHeightMarkMode(mode) && k.height)
        return k.height;
    return k.chain;
}

template <std::size_t N>
std::wstring pick(const std::array<const wchar_t*, N>& table, int index)
{
    if (index < 0 || index >= static_cast<int>(N))
        return std::wstring();
    return table[static_cast<std::size_t>(index)];
}

} // namespace

bool OptIsHeightMarkMode(int mode)
{
    return mode == OPT_MODE_HEIGHT || mode == OPT_MODE_HEIGHT_PLAN;
}

bool OptIsTextMode(int mode)
{
    return mode == OPT_MODE_TEXT;
}

std::wstring OptSectionPrefix(int mode)
{
    if (OptIsHeightMarkMode(mode))
        return L"DH_";
    if (OptIsTextMode(mode))
        return L"TXT_";
    return std::wstring();
}

std::wstring OptSectionName(int mode, const std::wstring& base)
{
    return OptSectionPrefix(mode) + base;
}

std::wstring OptParamKey(int type, int index, int mode)
{
    switch (type) {
    case OPT_TYPE_STRING:
        return pick(kStringKeys, index, mode);
    case OPT_TYPE_DOUBLE:
        return pick(kDoubleKeys, index, mode);
    case OPT_TYPE_INT:
    case OPT_TYPE_INT2:
        return pick(kIntKeys, index, mode);
    case OPT_TYPE_GENERAL:
        return pick(kGeneralKeys, index);
    case OPT_TYPE_FLAG:
        return pick(kFlagKeys, index);
    default:
        return std::wstring();
    }
}
