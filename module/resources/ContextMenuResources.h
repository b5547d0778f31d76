#pragma once
// The context menus of chains, height marks and marked host objects, and the small
// dialogs of the chain operations, compiled into the module.
#include "module/resources/resource.h"

// Menus.
#define IDR_MENU_CHAIN 130
#define IDR_MENU_HEIGHT_SECTION 131
#define IDR_MENU_HEIGHT_PLAN 132
#define IDR_MENU_HEIGHT_BASE 133
#define IDR_MENU_CHAIN_ARC 134
#define IDR_MENU_HOST_TEXT 137
#define IDR_MENU_HOST_DIM 138
#define IDR_MENU_HOST_RADIAL 139

// Items of the chain menus.
#define ID_CTX_TEXT_CENTRE 32792
#define ID_CTX_JOIN 32795
#define ID_CTX_SEGMENT_REMOVE 32794
#define ID_CTX_POINTS_REMOVE 32797
#define ID_CTX_POINTS_ADD 32798
#define ID_CTX_MATCH 32799
#define ID_CTX_FORMAT_DEFAULT 32800
#define ID_CTX_VALUES_ALL_BACK 32801
#define ID_CTX_VALUE_CHANGE 32802
#define ID_CTX_VALUE_BACK 32803
#define ID_CTX_TEXT_POSITION 32806
#define ID_CTX_SEGMENT_SHOW 32812
#define ID_CTX_APPEND_TEXT 32813
#define ID_CTX_APPEND_TEXT_REMOVE 32814
#define ID_CTX_LINK_ARC 32844
#define ID_CTX_EXT_SHOW 32852
#define ID_CTX_EXT_HIDE 32853
#define ID_CTX_LEADER_ON 32854
#define ID_CTX_LEADER_OFF 32855
#define ID_CTX_TICK_DOT 32856
#define ID_CTX_TICK_OBLIQUE 32857
#define ID_CTX_TICK_CIRCLE 32858
#define ID_CTX_TICK_ARROW 32859
#define ID_CTX_TICK_CROSS 32860
#define ID_CTX_TICK_NONE 32861
// The text of a marked host dimension: its place above or in the dimension line
// (32871-32875 give dimtad 0 to 4) and how text and arrows fit (32876-32879 give
// dimatfit 0 to 3).
#define ID_CTX_HOST_TEXT_PLACE 32871
#define ID_CTX_HOST_TEXT_PLACE_LAST 32875
#define ID_CTX_HOST_TEXT_FIT 32876
#define ID_CTX_HOST_TEXT_FIT_LAST 32879
#define ID_CTX_SUM 32880
#define ID_CTX_LABEL 32881
#define ID_CTX_PREFIX_SUFFIX 32882
#define ID_CTX_EXT_DIRECTION 32883
#define ID_CTX_PREFIX_SUFFIX_REMOVE 32884
#define ID_CTX_LABEL_REMOVE 32885
#define ID_CTX_BACKGROUND 32886
#define ID_CTX_PROPERTIES 32887
#define ID_CTX_AUTO_TEXT 32891
#define ID_CTX_ALT_UNITS 32893
// Items of the height-mark menus that the menu's state marks.
#define ID_CTX_BASE_FIXED 32825

// The text entry dialog of the chain operations (value, label, prefix and suffix).
#define IDD_DLG_CHAIN_TEXT 5045
#define IDC_CHAIN_TEXT_INFO 1051
#define IDC_CHAIN_TEXT_EDIT 1001
#define IDC_CHAIN_TEXT_EDIT2 1002
#define IDC_CHAIN_TEXT_LABEL 1003
#define IDC_CHAIN_TEXT_LABEL2 1004
#define IDC_CHAIN_TEXT_LEFT 1162
#define IDC_CHAIN_TEXT_RIGHT 1163

// "Zusatz-Maßtext ": one appended text, its pick button, its placing and the erasing
// of the picked drawing text.
#define IDD_DLG_APPEND_TEXT 5040
#define IDC_APPEND_TEXT_EDIT 1143
#define IDC_APPEND_TEXT_PICK 1169
#define IDC_APPEND_TEXT_OWN_GRIP 1077
#define IDC_APPEND_TEXT_ERASE 1078
#define IDC_APPEND_TEXT_INFO 1051

// "Textposition" of the chains' value texts: a 3 by 3 field of position buttons, the
// arrows, the value and step fields with the pick button, "Automatische Pos." and OK.
#define IDD_DLG_MOVEMENT 142
#define IDC_MOVE_TAB 1028
#define IDC_MOVE_VALUE 1001
#define IDC_MOVE_STEP 1045
#define IDC_MOVE_PICK 1225
#define IDC_MOVE_STEP_PICK 1049
#define IDC_MOVE_AUTO 1160
#define IDC_MOVE_OK 1070
#define IDC_MOVE_ARROW_FIRST 1055
#define IDC_MOVE_ARROW_LAST 1069
inline constexpr int kMovePositionButtons[] = {1044, 1046, 1047, 1048, 1026, 1050, 1051, 1052, 1053};

// "Autom. Maßtextposition": the sides, eight place buttons around a centre whose
// captions show their rank, "Entfernen" and "Hilfslinien ignorieren".
#define IDD_DLG_AUTO_POS_ORDER 5051
#define IDC_AUTO_POS_MIRROR 1161
#define IDC_AUTO_POS_LEFT 1162
#define IDC_AUTO_POS_RIGHT 1163
#define IDC_AUTO_POS_IGNORE_EXT 1164
#define IDC_AUTO_POS_REMOVE 1049
#define IDC_AUTO_POS_PLACE_FIRST 1165

// Registers the menus and dialogs above for the module's instance.
void RegisterContextMenuResources();
