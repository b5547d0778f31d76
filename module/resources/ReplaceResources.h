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

// Messages of find and replace (string table)
#define IDS_RPL_REPLACED_COUNT 32960 // %d: texts replaced; begins with a double quote
#define IDS_RPL_SELECT_CHAINS 32961
#define IDS_RPL_NO_FILE 32962
#define IDS_RPL_ASK_CONTINUE 32963 // %d: drawings found
#define IDS_RPL_NOTHING_FOUND 32964
#define IDS_RPL_SUMMARY 32965 // %d texts, %d objects, %d drawings changed, %d scanned
#define IDS_RPL_DRAWING 32966 // %d number, %s name
#define IDS_RPL_FOUND 32967   // %d: texts replaced in the drawing
#define IDS_RPL_LOAD_ERROR 32968 // %d status, %s file
#define IDS_RPL_ANY_LOAD_ERROR 32969
#define IDS_RPL_ASK_CANCEL 32970
#define IDS_RPL_CANCELLED 32971
#define IDS_RPL_LABEL_FILES 32972
#define IDS_RPL_LABEL_FOLDER 32973

void RegisterReplaceResources();
