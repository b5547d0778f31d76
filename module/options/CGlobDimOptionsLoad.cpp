// Loading the options: the parameter descriptions, the options file in use, the three
// parameter sets, the general options and the maps.
#include "module/base/FilePaths.h"
#include "module/base/LintaroLog.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/IniStorage.h"
#include "module/options/LanguageChoice.h"
#include "module/options/LoadedOptions.h"
#include "module/options/OptStrings.h"
#include "module/options/PaletteState.h"
#include "module/options/ScaleMaps.h"

#include "host/win/FormatW.h"
#include "host/win/WinFiles.h"

#include <algorithm>

namespace {

// The three loads, their modes and the keys that tell whether the mode section exists.
constexpr int kLoadModes[3] = {OPT_MODE_CHAIN, OPT_MODE_HEIGHT, OPT_MODE_TEXT};
constexpr const wchar_t* kProbeKeys[3][3] = {
    {L"TickSize", L"TextHeight", L"Scale"},
    {L"HDimSize", L"AcadUnits", L"Scale"},
    {L"TextHeight", L"AcadUnits", L"Scale"},
};

std::wstring folderOf(const std::wstring& path)
{
    std::size_t pos = path.find_last_of(L"/\\");
    return pos == std::wstring::npos ? std::wstring() : path.substr(0, pos + 1);
}

int zeroOrOne(int value)
{
    return value != 0 ? 1 : 0;
}

// "3,5,7": bits of the first number, then the order of the remaining ones.
void parseAutoPosOrder(const std::wstring& text, std::vector<int>& flags, std::vector<int>& order)
{
    order.clear();
    bool first = true;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(L',', start);
        if (end == std::wstring::npos)
            end = text.size();
        std::wstring token = OptTrim(text.substr(start, end - start));
        start = end + 1;
        if (token.empty())
            continue;
        int n = OptToInt(token);
        if (first) {
            flags[IND_OPT_B_AutoPosBit1] = (n & 0x1) ? 1 : 0;
            flags[IND_OPT_B_AutoPosBit2] = (n & 0x2) ? 1 : 0;
            first = false;
        } else {
            order.push_back(n);
        }
    }
    if (first) {
        flags[IND_OPT_B_AutoPosBit1] = 0;
        flags[IND_OPT_B_AutoPosBit2] = 0;
    }
}

} // namespace

void CGlobDimOptions::LoadOptions()
{
    LogMsg(L"\nLoadOptions ");
    CTimeLog timer(L"--CGlobDimOptions::LoadOptions--");
    LoadParamInfo();
    strIniFile = GetIniFile();
    m_bNoWrite = false;
    m_iMode = OPT_MODE_CHAIN;
    m_bDlgMainHidden = false;
    // Read again only when a file or a value changed since the last load.
    if (!RestoreLoadedOptions(*this)) {
        m_bNoEditableParams = GetIniGeneralInt(L"NoEditableParams") == 1;
        m_bDebugMsg = GetIniGeneralInt(L"DebugMsg") == 1;
        LoadCurOptionsFile();
        for (int load = 0; load < 3; ++load)
            LoadSet(load);
        m_iMode = OPT_MODE_CHAIN;
        LoadGeneral();
        LoadMaps();
        KeepLoadedOptions(*this);
    }
    LogMsg(L" LoadOptions4 ");
    const PaletteState palette = CurrentPaletteState();
    if (palette.mode > 0) {
        m_iMode = palette.mode;
        const int type = palette.type;
        if (type > 0)
            GetOptionSet().arrayOptInt[IND_I_LastType] = type;
    } else {
        m_iMode = OPT_MODE_CHAIN;
    }
    LogMsg(L"\n-------- LoadOptions() END-------");
}

void CGlobDimOptions::LoadParamInfo()
{
    if (!mapParamInfo.empty())
        return;
    const std::wstring path = folderOf(GetLanguageModulePath()) + L"DimParam.ini";
    LogFmt(L"\nPARAM: %s ", path.c_str());
    if (!FileExists(path))
        return;
    for (const wchar_t* section : {L"Parameters_INT", L"Parameters_DBL", L"Parameters_STR", L"Parameters_General"})
        LoadMap(-100, section, path);
}

void CGlobDimOptions::LoadCurOptionsFile()
{
    std::wstring file = GetIniGeneral(L"CurOptionsFile");
    if (file.empty() || !FileExists(file))
        file = strIniFile;
    CurOptionsFile = file;
    LogFmt(L"\n*** LoadOptions(%s) ", file.c_str());
    std::vector<std::wstring> files;
    LoadSection(files, L"OptionsFiles", strIniFile);
    bool listed = std::any_of(files.begin(), files.end(), [&](const std::wstring& f) { return OptEqualNoCase(f, file); });
    if (!listed) {
        files.push_back(file);
        SaveSection(files, L"OptionsFiles", strIniFile);
    }
}

int CGlobDimOptions::ReadInt(int index)
{
    return OptToInt(GetOptValue(OPT_TYPE_INT, index));
}

double CGlobDimOptions::ReadDouble(int index)
{
    return OptToDouble(GetOptValue(OPT_TYPE_DOUBLE, index));
}

void CGlobDimOptions::LoadSet(int load)
{
    const std::wstring label = host::FormatW(L"*** LoadMode %d ***", load);
    LogMsg(label.c_str());
    CTimeLog timer(label.c_str());
    m_iMode = kLoadModes[load];
    COptionSet& set = GetOptionSet();
    set.Reset();

    const std::wstring section = GetSectionName(m_iMode, L"MainOptions");
    bool anyThere = false;
    for (const wchar_t* key : kProbeKeys[load])
        anyThere = anyThere || !ReadEntryFromIni(CurOptionsFile, section, key).empty();
    if (!anyThere)
        MakeDefaultIniValues(CurOptionsFile, m_iMode);

    auto& s = set.arrayOptString;
    for (int i : {IND_S_Scale, IND_S_TextStyle, IND_S_Measure})
        s[i] = GetOptValue(OPT_TYPE_STRING, i);
    s[IND_S_Delimiter] = load == 0 ? GetOptValue(OPT_TYPE_STRING, IND_S_Delimiter) : m_setChain.arrayOptString[IND_S_Delimiter];
    // These characters separate the parts of a segment's text entry.
    if (s[IND_S_Delimiter].find_first_of(L"#@^") != std::wstring::npos)
        s[IND_S_Delimiter].clear();
    s[IND_S_IniFile] = CurOptionsFile;

    auto& d = set.arrayOptDouble;
    d[IND_D_ScaleVal] = ScaleStr2Double(s[IND_S_Scale]);
    for (int i : {IND_D_TextHeight, IND_D_ExtLineLength, IND_D_DimLinesDistance, IND_D_ExtendBeyondDimLine,
                  IND_D_TextOffset, IND_D_ExpTextHeight, IND_D_AcadUnits, IND_D_OffsetFromOrigin})
        d[i] = ReadDouble(i);
    if (d[IND_D_AcadUnits] == 0.0)
        d[IND_D_AcadUnits] = 0.001;

    auto& n = set.arrayOptInt;
    for (int i : {IND_I_ExtLine, IND_I_RoundMM, IND_I_TextAlign, IND_I_AltUnitsStatus, IND_I_TextPosition,
                  IND_I_Decimals, IND_I_TrimZero, IND_I_Format})
        n[i] = ReadInt(i);
    n[IND_I_AltUnitsStatus] = OptSevenOrNine(n[IND_I_AltUnitsStatus]);
    n[IND_I_MCmFrom10] = zeroOrOne(ReadInt(IND_I_MCmFrom10));
    n[IND_I_ForbidLayer0] = zeroOrOne(ReadInt(IND_I_ForbidLayer0));

    LoadSetExtras(load, set);
    n[IND_I_LastType] = ReadInt(IND_I_LastType);
}

void CGlobDimOptions::LoadSetExtras(int load, COptionSet& set)
{
    auto& d = set.arrayOptDouble;
    auto& n = set.arrayOptInt;
    if (load == 0 || load == 1)
        set.arrayOptString[IND_S_UTextMarkLayer] = GetOptValue(OPT_TYPE_STRING, IND_S_UTextMarkLayer);
    if (load == 0) {
        for (int i : {IND_D_DimLineDist, IND_D_TickSize, IND_D_ExtendBeyondTick, IND_D_UserTextTolerance})
            d[i] = ReadDouble(i);
    } else if (load == 1) {
        n[IND_I_HDimFormat] = n[IND_I_Format];
        for (int i : {IND_I_HDimNoModify, IND_I_HDimTextUnderline, IND_I_HPDimTextUnderline})
            n[i] = ReadInt(i);
        n[IND_I_HIsReducedSize] = zeroOrOne(ReadInt(IND_I_HIsReducedSize));
        n[IND_I_HPlusMinusHide] = zeroOrOne(ReadInt(IND_I_HPlusMinusHide));
        for (int i : {IND_D_UserTextTolerance, IND_D_HDimSize, IND_D_HDimDiameter, IND_D_HDimReducedSize})
            d[i] = ReadDouble(i);
    }
}

void CGlobDimOptions::LoadGeneral()
{
    for (int i : {IND_OPT_B_ExtNewPosition, IND_OPT_B_AcadDimAssociative, IND_OPT_B_ShowBaseHDAsXline,
                  IND_OPT_B_DimByLine, IND_OPT_B_ShowInputPoints, IND_OPT_B_HDimAlign, IND_OPT_B_ShowSumOfDim,
                  IND_OPT_B_IgnoreUserTextTolerance, IND_OPT_B_LintaroContextMenuAlways, IND_OPT_B_LeadersShow,
                  IND_OPT_B_WipeOut, IND_OPT_B_AutoPosition, IND_OPT_B_AltUnits, IND_OPT_B_AltDecimals})
        arrayOptFlags[i] = OptToInt(GetOptValue(OPT_TYPE_FLAG, i)); // AltDecimals is a count

    static const wchar_t* const kDefaults[OPT_GENERAL_COUNT] = {L"1:1", L"0,14,2,13,15,3", nullptr, nullptr,
                                                                L"[#],[ # ],<#>,< # >,=> #"};
    for (int i = 0; i < OPT_GENERAL_COUNT; ++i) {
        arrayOptGeneral[i] = GetOptValue(OPT_TYPE_GENERAL, i);
        if (arrayOptGeneral[i].empty() && kDefaults[i]) {
            arrayOptGeneral[i] = kDefaults[i];
            SetOptValue(OPT_TYPE_GENERAL, i, arrayOptGeneral[i]);
        }
    }
    parseAutoPosOrder(arrayOptGeneral[IND_OPT_S_AutoPosLocationOrder], arrayOptFlags, arrayAutoPosOrder);
}
