#pragma once
// The dialog templates of the options: "Globale Einstellungen" with its six pages (the
// option set of one mode: geometry, texts, the scale and text-height tables, conversion
// and the option lists), and the small dialog that picks the options file in use.
#include "module/resources/resource.h"

// "Globale Einstellungen: <file>"
#define IDD_DLG_OPTION 155
#define IDC_OPT_SAVE_AS 1006
#define IDC_OPT_PAGE_AREA 1106
#define IDC_OPT_MODE 1107

// Page "Geometrie"
#define IDD_OPT_PAGE_GEOMETRY 5039
#define IDC_OPT_SYMBOL_SIZE_LABEL 1200
#define IDC_OPT_SYMBOL_SIZE 1201
#define IDC_OPT_REDUCED_LABEL 1202
#define IDC_OPT_REDUCED 1203
#define IDC_OPT_EXTEND_DIMLINE_LABEL 1204
#define IDC_OPT_EXTEND_DIMLINE 1205
#define IDC_OPT_EXTEND_TICK_LABEL 1206
#define IDC_OPT_EXTEND_TICK 1207
#define IDC_OPT_ORIGIN_OFFSET_LABEL 1208
#define IDC_OPT_ORIGIN_OFFSET 1209
#define IDC_OPT_FORBID_LAYER0 1210
#define IDC_OPT_BASE_AS_XLINE 1211
#define IDC_OPT_H_NO_MODIFY 1220
#define IDC_OPT_H_PLUS_MINUS_HIDE 1221

// Page "Text"
#define IDD_OPT_PAGE_TEXT 5050
#define IDC_OPT_EXP_HEIGHT_LABEL 1230
#define IDC_OPT_EXP_HEIGHT 1231
#define IDC_OPT_TEXT_OFFSET_LABEL 1232
#define IDC_OPT_TEXT_OFFSET 1233
#define IDC_OPT_DELIMITER_LABEL 1234
#define IDC_OPT_DELIMITER 1235
#define IDC_OPT_AUTO_POSITION 1236
#define IDC_OPT_AUTO_POSITION_ORDER 1237
#define IDC_OPT_TRIM_ZERO 1238
#define IDC_OPT_MCM_FROM_10 1239
#define IDC_OPT_SECTION_UNDERLINE 1240
#define IDC_OPT_PLAN_UNDERLINE 1241
#define IDC_OPT_TOLERANCE_LABEL 1242
#define IDC_OPT_TOLERANCE 1243
#define IDC_OPT_MARK_LAYER_LABEL 1244
#define IDC_OPT_MARK_LAYER 1245
#define IDC_OPT_ALT_MEASURE_LABEL 1246
#define IDC_OPT_ALT_MEASURE 1247
#define IDC_OPT_ALT_FORMAT_LABEL 1248
#define IDC_OPT_ALT_FORMAT 1249
#define IDC_OPT_ALT_DECIMALS 1250

// Page "Maßstab"
#define IDD_OPT_PAGE_SCALE 5038
#define IDC_OPT_SCALE_LIST 1260
#define IDC_OPT_SCALE_KEY 1261
#define IDC_OPT_SCALE_LAYER 1262
#define IDC_OPT_SCALE_COLOR 1263
#define IDC_OPT_SCALE_ADD 1264
#define IDC_OPT_SCALE_REMOVE 1265
#define IDC_OPT_PAPER_SCALE 1266

// Page "Texthöhe"
#define IDD_OPT_PAGE_HEIGHT 5037
#define IDC_OPT_HEIGHT_LIST 1270
#define IDC_OPT_HEIGHT_KEY 1271
#define IDC_OPT_HEIGHT_COLOR 1272
#define IDC_OPT_HEIGHT_ADD 1273
#define IDC_OPT_HEIGHT_REMOVE 1274

// Page "Konvert"
#define IDD_OPT_PAGE_CONVERT 5044
#define IDC_OPT_CNV_EXPLODE_HDIM 1280
#define IDC_OPT_CNV_EXPLODE_DIM 1281
#define IDC_OPT_CNV_ASSOCIATIVE 1282
#define IDC_OPT_CNV_KEEP_TEXT 1283
#define IDC_OPT_CNV_KEEP_POS 1284
#define IDC_OPT_CNV_ALL_DWG 1285
#define IDC_OPT_CNV_READ_BLOCKS 1286

// Page "Listen"
#define IDD_OPT_PAGE_LISTS 5036
#define IDC_OPT_LIST_CHOICE 1290
#define IDC_OPT_LIST_ENTRIES 1291
#define IDC_OPT_LIST_ENTRY 1292
#define IDC_OPT_LIST_ADD 1293
#define IDC_OPT_LIST_REMOVE 1294
#define IDC_OPT_LIST_REMOVE_ALL 1295
#define IDC_OPT_LIST_SAVE 1296

// "Globale Einstellungen": the options file in use
#define IDD_DLG_OPTIONS_LOAD 151
#define IDC_OPF_FILES 1078
#define IDC_OPF_PROPERTIES 1079
// The Delete key on the list, as a button: the text form and scripts have no keyboard.
#define IDC_OPF_REMOVE 1080
#define IDC_OPF_BROWSE 1081

void RegisterOptionResources();
