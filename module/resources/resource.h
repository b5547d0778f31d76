#pragma once
// Ids of the module's string resources. The German texts are compiled in
// (LintaroStrings.cpp); language modules ("lintaro<tag>.lng") use the same ids.

// Height marks
#define IDS_HK_AUTOVALUE_AFTER_SAVE 7044 // take-over of section values needs a saved drawing
#define IDS_HK_TYPE_PLAN_2 7086
#define IDS_HK_TYPE_PLAN_1 7087
#define IDS_HK_TYPE_FINISHED_TIP_DOWN 7088
#define IDS_HK_TYPE_SHELL_TIP_DOWN 7089
#define IDS_HK_TYPE_FINISHED_TIP_UP 7090
#define IDS_HK_TYPE_SHELL_TIP_UP 7091
#define IDS_HK_GROUP_MEMBERS_ERASED 32908 // %d: members erased with their base
#define IDS_HK_GROUP_EMPTY 32946
#define IDS_HK_CHECKER_RESULT 32953 // %d all, %d changed, %d erased bases
#define IDS_HK_BROKEN_LINK 32954       // %s mark handle, %d row, %s link
#define IDS_HK_BROKEN_LINK_COUNT 32955 // %d
#define IDS_HKBASE_HEADING_NEW_BASE 32870
#define IDS_HKBASE_HEADING_TEXTS 32871
#define IDS_HKBASE_HEADING_VALUES_TEXTS 32872
#define IDS_HKBASE_HEADING_EDIT_BASE 32874
#define IDS_PROMPT_SECTION_HK_POINT 32837
#define IDS_PROMPT_SECTION_HK_BASE 32838
#define IDS_PROMPT_PLAN_HK_POINT 32839
#define IDS_PROMPT_HK_SYMBOL_POSITION 32844

// Units
#define IDS_UNIT_FEET_DECIMAL_INCHES 7045 // "0'-0.000"" feet and decimal inches
#define IDS_UNIT_FEET 7046
#define IDS_UNIT_FEET_FRACTIONAL_INCHES 7051 // "0'-0 1/256"" feet and fractional inches
#define IDS_UNIT_FEET_AND_INCHES_MARK 7052   // what every feet-and-inches unit contains

// Scales, layers and maps
#define IDS_ANNO_SCALE 7102 // "BMaß", the annotative scale
#define IDS_MAP_NEW_ROW 32811
#define IDS_SCALE_UNKNOWN 32873
#define IDS_EXTLINE_MAXIMUM 32895
#define IDS_EXTLINE_NONE 32896
#define IDS_KEEP_VALUE 32897
#define IDS_LAYER_0_FORBIDDEN 32947
#define IDS_LAYER_BY_SCALE 32952

// Option files
#define IDS_FILE_NOT_FOUND 32807 // %s: path
#define IDS_INI_FILE_FILTER 32810
#define IDS_FILE_CANNOT_BE_REMOVED 32833    // %s: path
#define IDS_ASK_REMOVE_FILE_FROM_LIST 32835 // %s: path
#define IDS_INVALID_INI_FILE 32836

// Commands, selections and conversion
#define IDS_DIMVALUE_CHANGE_TITLE 32800
#define IDS_DIMVALUE_CHANGE_PROMPT 32801
#define IDS_SELECT_TEXTS_TO_UPDATE 32804
#define IDS_VALID_LINTARO_OBJECTS 32881 // %d: count
#define IDS_SELECT_CHAINS_TO_UPDATE 32899
#define IDS_SELECT_ACAD_DIMENSIONS 32901
#define IDS_ASK_CONVERT_WHOLE_DRAWING 32902
#define IDS_OBJECT_ON_LOCKED_LAYER 32903
#define IDS_COMMAND_ACTIVE 32927 // %s: the running command names

// Texts the dialogs and listings show, from 7200 on.
#define IDS_SWITCH_ON 7200
#define IDS_SWITCH_DASH 7201
#define IDS_SWITCH_OFF 7202
#define IDS_POSITION_ABOVE 7203
#define IDS_POSITION_BELOW 7204
#define IDS_YES 7205
#define IDS_NO 7206
#define IDS_TICK_NONE 7207
#define IDS_TICK_OBLIQUE 7208
#define IDS_TICK_DOT 7209
#define IDS_TICK_CIRCLE 7210
#define IDS_TICK_ARROW 7211
#define IDS_TICK_CROSS 7212
#define IDS_UNIT_INCH 7213
#define IDS_UNIT_FOOT 7214
#define IDS_UNIT_ONE_INCH 7215
#define IDS_UNIT_ONE_FOOT 7216
#define IDS_LIST_CHAIN_TYPE 7217 // %d
#define IDS_LIST_EXTENSIONS 7218 // %d
#define IDS_LIST_ROTATION 7219   // %.1f (%.1f)
#define IDS_MARKED_OBJECTS 7220  // %d

// The options dialog and the options file in use.
#define IDS_OPT_TITLE 7260       // %s: the options file
#define IDS_OPT_READ_ONLY 7261   // %s: the target file
#define IDS_OPT_COPY_FAILED 7262 // %s -> %s
#define IDS_OPT_BAD_VALUE 7263   // %s: the field, %s: what was typed
#define IDS_OPT_NOT_EDITABLE 7264
#define IDS_OPT_BAD_ROW 7265 // %s: what was typed

// The palette (dialog 129) and its value combos.
#define IDD_DLG_MAIN 129
#define IDC_COMBO_DISPLAY_UNIT 1015
#define IDC_COMBO_DECIMALS 1016
#define IDC_COMBO_TEXT_HEIGHT 1018
#define IDC_COMBO_DRAWING_UNIT 1019
#define IDC_COMBO_SCALE 1020
#define IDC_COMBO_EXT_LINE 1021
#define IDC_COMBO_DIM_LINES_DISTANCE 1022
#define IDC_COMBO_TEXT_STYLE 1024
#define IDC_COMBO_LAYER 1027
#define IDC_COMBO_ROUNDING 1143

// One line of help per command (HELP at the command line), in the commands' order.
#define IDS_HELP_ADIM 7300
#define IDS_HELP_HDIM 7301
#define IDS_HELP_VDIM 7302
#define IDS_HELP_LINTARO 7303
#define IDS_HELP_DOPTION 7304
#define IDS_HELP_SELECT_OBJECTS 7305
#define IDS_HELP_DIMANGULAR 7306
#define IDS_HELP_DIMRADIUS 7307
#define IDS_HELP_DIMDIAMETER 7308
#define IDS_HELP_HDIM_PLAN 7309
#define IDS_HELP_HDIM_FRONT 7310
#define IDS_HELP_DIMARC 7311
#define IDS_HELP_DIMREPLACE 7312
#define IDS_HELP_TEXT 7313
#define IDS_HELP_MTEXT 7314
#define IDS_HELP_SET_TEXTS 7315
#define IDS_HELP_SET_DIMS 7316
#define IDS_HELP_UNSET_TEXTS 7317
#define IDS_HELP_DRSTART 7318
#define IDS_HELP_DRSTOP 7319
#define IDS_HELP_DIMPROP 7320
#define IDS_HELP_DIMPROP_L 7321
#define IDS_HELP_DIMPROP_H 7322
#define IDS_HELP_ACAD2LINTARO 7323
#define IDS_HELP_LINTARO2ACAD 7324
#define IDS_HELP_PROXY 7325

// The palette's height-mark rows W1/W2 (the options and properties dialogs' texts are
// 7800 to 7898, beside their templates).
#define IDS_PALETTE_NO_MARK_ROWS 7899
