#pragma once
// Named indices into the three typed parameter arrays of every option set (and of every
// chain and height mark, which carry arrays with the same layout), and into the general
// option strings and flags that exist only once, in the global options.
// Height marks reuse some slots under their own names; both names address the same slot.

// Sizes of the arrays of one parameter set.
constexpr int OPT_STRING_COUNT = 13;
constexpr int OPT_DOUBLE_COUNT = 18;
constexpr int OPT_INT_COUNT = 27;
constexpr int OPT_GENERAL_COUNT = 5;
constexpr int OPT_FLAG_COUNT = 16;

// Parameter type codes, as GetParamName / GetOptValue / SetOptValue take them.
constexpr int OPT_TYPE_STRING = 0;
constexpr int OPT_TYPE_DOUBLE = 1;
constexpr int OPT_TYPE_INT = 2;
constexpr int OPT_TYPE_INT2 = 3; // same as OPT_TYPE_INT
constexpr int OPT_TYPE_GENERAL = 5;
constexpr int OPT_TYPE_FLAG = 6;

// Working modes.
constexpr int OPT_MODE_ALL = 1;
constexpr int OPT_MODE_CHAIN = 2;
constexpr int OPT_MODE_HEIGHT = 3;
constexpr int OPT_MODE_HEIGHT_PLAN = 4;
constexpr int OPT_MODE_TEXT = 5;

// Strings.
constexpr int IND_S_Scale = 0;
constexpr int IND_S_TextStyle = 1;
constexpr int IND_S_Measure = 2;
constexpr int IND_S_IniFile = 3;
constexpr int IND_S_UTextMarkLayer = 4;
constexpr int IND_S_Delimiter = 5;
constexpr int IND_S_DimDescription = 6;
constexpr int IND_S_HK_Auto_Handle1 = 6;
constexpr int IND_S_HK_Auto_Handle2 = 7;

// Doubles.
constexpr int IND_D_ScaleVal = 0;
constexpr int IND_D_TextHeight = 1;
constexpr int IND_D_ExtLineLength = 2;
constexpr int IND_D_DimLinesDistance = 3;
constexpr int IND_D_TickSize = 4;
constexpr int IND_D_HDimSize = 4;
constexpr int IND_D_ExtendBeyondDimLine = 5;
constexpr int IND_D_ExtendBeyondTick = 6;
constexpr int IND_D_HDimDiameter = 6;
constexpr int IND_D_TextOffset = 7;
constexpr int IND_D_ExpTextHeight = 8;
constexpr int IND_D_AcadUnits = 9;
constexpr int IND_D_OffsetFromOrigin = 11;
constexpr int IND_D_UserTextTolerance = 12;
constexpr int IND_D_DimLineDist = 13;
constexpr int IND_D_HDimReducedSize = 13;

// Integers.
constexpr int IND_I_ExtLine = 0;
constexpr int IND_I_TextAlign = 1;
constexpr int IND_I_RoundMM = 2;
constexpr int IND_I_LastType = 3;
constexpr int IND_I_Decimals = 4;
constexpr int IND_I_Format = 5;
constexpr int IND_I_TextPosition = 6;
constexpr int IND_I_HDimFormat = 7;
constexpr int IND_I_HDimNoModify = 8;
constexpr int IND_I_MCmFrom10 = 9;
constexpr int IND_I_HIsReducedSize = 9;
constexpr int IND_I_ArcDimMinPoint = 10;
constexpr int IND_I_ArcDimMaxPoint = 11;
constexpr int IND_I_HDimTextUnderline = 11;
constexpr int IND_I_ArcDimAsCircle = 12;
constexpr int IND_I_HPlusMinusHide = 12;
constexpr int IND_I_AppVersion = 13;
constexpr int IND_I_ArcDimCW = 14;
constexpr int IND_I_HUserText = 14;
constexpr int IND_I_ArcDimInputArcIsCircle = 15;
constexpr int IND_I_TrimZero = 16;
constexpr int IND_I_LayerWithoutScale = 17;
constexpr int IND_I_ForbidLayer0 = 18;
constexpr int IND_I_DirectionExt = 19;
constexpr int IND_I_HAutoValue1 = 19;
constexpr int IND_I_SumStatus = 20;
constexpr int IND_I_HAutoValue2 = 20;
constexpr int IND_I_WipeOutStatus = 21;
constexpr int IND_I_AltUnitsStatus = 22;
constexpr int IND_I_TextAlignPlan = 22;
constexpr int IND_I_HPDimTextUnderline = 23;

// General option strings ("General Info").
constexpr int IND_OPT_S_ScalePaperSpace = 0;
constexpr int IND_OPT_S_AutoPosLocationOrder = 1;
constexpr int IND_OPT_S_AltMeasure = 2;
constexpr int IND_OPT_S_AltFormat = 3;
constexpr int IND_OPT_S_AltFormatList = 4;

// General option flags ("General Info", 0 or 1).
constexpr int IND_OPT_B_DimByLine = 0;
constexpr int IND_OPT_B_ExtNewPosition = 1;
constexpr int IND_OPT_B_ShowInputPoints = 2;
constexpr int IND_OPT_B_HDimAlign = 3;
constexpr int IND_OPT_B_AcadDimAssociative = 4;
constexpr int IND_OPT_B_ShowBaseHDAsXline = 5;
constexpr int IND_OPT_B_IgnoreUserTextTolerance = 6;
constexpr int IND_OPT_B_ShowSumOfDim = 7;
constexpr int IND_OPT_B_LintaroContextMenuAlways = 8;
constexpr int IND_OPT_B_LeadersShow = 9;
constexpr int IND_OPT_B_WipeOut = 10;
constexpr int IND_OPT_B_AutoPosition = 11;
constexpr int IND_OPT_B_AutoPosBit1 = 12;
constexpr int IND_OPT_B_AutoPosBit2 = 13;
constexpr int IND_OPT_B_AltUnits = 14;
constexpr int IND_OPT_B_AltDecimals = 15;
