// Saving the parameter sets of the current mode into the INI buffers.
#include "module/base/LintaroLog.h"
#include "module/options/CGlobDimOptions.h"

void CGlobDimOptions::SaveOptions()
{
    CTimeLog timer(L"--CGlobDimOptions::SaveOptions--");
    LogFmt(L"\n*** SaveOptions(M:%d): %s ", m_iMode, CurOptionsFile.c_str());
    LogFmt(L"\n*** strIniFile: %s ", strIniFile.c_str());
    const int mode = m_iMode;
    if (mode == OPT_MODE_ALL) {
        SaveSet(OPT_MODE_CHAIN);
        SaveSet(OPT_MODE_HEIGHT);
        SaveSet(OPT_MODE_TEXT);
    } else if (IsHeightMarkMode(mode)) {
        SaveSet(OPT_MODE_HEIGHT);
    } else if (IsTextMode(mode)) {
        SaveSet(OPT_MODE_TEXT);
    } else {
        SaveSet(OPT_MODE_CHAIN);
    }
    m_iMode = mode;
}

void CGlobDimOptions::SaveSet(int mode)
{
    m_iMode = mode;
    COptionSet& set = GetOptionSet();
    const auto& s = set.arrayOptString;
    const auto& d = set.arrayOptDouble;
    auto& n = set.arrayOptInt;

    for (int i : {IND_S_Scale, IND_S_TextStyle, IND_S_Measure})
        SetOptValue(OPT_TYPE_STRING, i, s[i]);
    SetOptValue(OPT_TYPE_STRING, IND_S_Delimiter, m_setChain.arrayOptString[IND_S_Delimiter]);
    for (int i : {IND_D_TextHeight, IND_D_ExtLineLength, IND_D_DimLinesDistance, IND_D_ExtendBeyondDimLine,
                  IND_D_TextOffset, IND_D_ExpTextHeight, IND_D_AcadUnits, IND_D_OffsetFromOrigin})
        SetOptValue(OPT_TYPE_DOUBLE, i, d[i]);
    n[IND_I_AltUnitsStatus] = OptSevenOrNine(n[IND_I_AltUnitsStatus]);
    for (int i : {IND_I_ExtLine, IND_I_RoundMM, IND_I_TextAlign, IND_I_AltUnitsStatus, IND_I_TextPosition,
                  IND_I_Decimals, IND_I_TrimZero, IND_I_Format, IND_I_LayerWithoutScale, IND_I_MCmFrom10})
        SetOptValue(OPT_TYPE_INT, i, n[i]);
    if (mode != OPT_MODE_TEXT)
        SetOptValue(OPT_TYPE_STRING, IND_S_UTextMarkLayer, s[IND_S_UTextMarkLayer]);
    if (mode == OPT_MODE_CHAIN) {
        for (int i : {IND_D_DimLineDist, IND_D_TickSize, IND_D_ExtendBeyondTick, IND_D_UserTextTolerance})
            SetOptValue(OPT_TYPE_DOUBLE, i, d[i]);
    } else if (mode == OPT_MODE_HEIGHT) {
        SetOptValue(OPT_TYPE_DOUBLE, IND_D_UserTextTolerance, d[IND_D_UserTextTolerance]);
        for (int i : {IND_I_HDimNoModify, IND_I_HIsReducedSize, IND_I_HDimTextUnderline, IND_I_HPDimTextUnderline})
            SetOptValue(OPT_TYPE_INT, i, n[i]);
        for (int i : {IND_D_HDimSize, IND_D_HDimDiameter, IND_D_HDimReducedSize})
            SetOptValue(OPT_TYPE_DOUBLE, i, d[i]);
        SetOptValue(OPT_TYPE_INT, IND_I_HPlusMinusHide, n[IND_I_HPlusMinusHide]);
    }
    SetOptValue(OPT_TYPE_INT, IND_I_LastType, n[IND_I_LastType]);
}
