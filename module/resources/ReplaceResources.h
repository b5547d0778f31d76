#pragma once
// The dialog templates of find and replace, compiled into the module: appended texts
// of the current drawing, chain and height-mark texts in drawings on disk, and the
// drawing paths of height-mark links.
#include "module/resources/resource.h"

// "Zusatzmaßtexte ersetzen"
#define IDD_DLG_REPLACE 5048
#define IDC_RPL_WHOLE_DRAWING 1149
#define IDC_RPL_SELECTION 1150
#define IDC_RPL_SEARCH 1147
#define IDC_RPL_REPLACEMENT 1148
#define IDC_RPL_CASE 1151

// "Suchen und Ersetzen" over drawings
#define IDD_DLG_REPLACE_EXTERNAL 32104
#define IDC_RPX_FILES 1175
#define IDC_RPX_FOLDER 1176
#define IDC_RPX_OPEN 1177
#define IDC_RPX_SUBFOLDERS 1152
#define IDC_RPX_FILE_LABEL 1172
#define IDC_RPX_FILE 1173
#define IDC_RPX_BROWSE 1174
#define IDC_RPX_TYPE 1147
#define IDC_RPX_SEARCH 1144
#define IDC_RPX_WHOLE 1153
#define IDC_RPX_CASE 1151
#define IDC_RPX_REPLACEMENT 1145

// "HK: DWG Pfad & Dateiname ersetzen"
#define IDD_DLG_REPLACE_PATH 5053
#define IDC_RPP_INFO 1051
#define IDC_RPP_SEARCH 1147
#define IDC_RPP_REPLACEMENT 1148
#define IDC_RPP_BROWSE 1081

void RegisterReplaceResources();
