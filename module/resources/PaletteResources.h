#pragma once
// The palette's dialog template and menu bar, compiled into the module.
#include "module/resources/resource.h"

#include <vector>

// Control ids of the palette (dialog 129) beyond its value combos.
#define IDC_BUT_MODE 1094
#define IDC_BUT_TYPE 1095
#define IDC_BUT_UPDATE 1023
#define IDC_BUT_SELECT 1116
#define IDC_BUT_PROPERTIES 1117
#define IDC_TAB_PAGES 1028
#define IDC_COMBO_TEXT_ALIGN 1025
#define IDC_COMBO_TEXT_POSITION 1026
#define IDC_CHECK_REDUCED 1040
#define IDC_BUT_W1 1103
#define IDC_BUT_W2 1104
#define IDC_BUT_FOLD 1145
#define IDC_CHECK_DIM_BY_LINE 1012
#define IDC_CHECK_H_ALIGN 1029
#define IDC_CHECK_CONTEXT_MENU 1044
#define IDC_CHECK_SUM 1041
#define IDC_CHECK_INPUT_POINTS 1017
#define IDC_CHECK_IGNORE_TOLERANCE 1043
#define IDC_CHECK_LEADERS 1042
#define IDC_CHECK_WIPEOUT 1045
#define IDC_CHECK_ALT_UNITS 1046
#define IDC_STATIC_ROUNDING 1135

// The palette's menu bar and the items its handler knows.
#define IDR_MENU_MAIN 129
#define ID_MENU_FIRST 32700
#define ID_MENU_LAST 32900
#define ID_TEXT_CENTRE 32792
#define ID_AUTO_TEXT_ON 32891
#define ID_AUTO_TEXT_OFF 32892
#define ID_TEXT_TO_UCS 32805
#define ID_MARKS_MAKE 32837
#define ID_MARKS_CLEAR 32838
#define ID_VALUES_RESET 32811
#define ID_REDISTRIBUTE 32810
#define ID_REPLACE_TEXTS 32870
#define ID_REPLACE_LINKS 32899
#define ID_REMOVE_POINTS 32807
#define ID_TEXT_POSITION 32806
#define ID_LEADERS_ON 32854
#define ID_LEADERS_OFF 32852
#define ID_SUM_SHOW 32889
#define ID_SUM_REMOVE 32890
#define ID_HK_CHECKER 32853
#define ID_HK_LINKS 32897
#define ID_GLOBAL_SETTINGS 32788
#define ID_FORMAT_ACAD_DIMS 32830
#define ID_ACAD_TO_CHAINS 32833
#define ID_CHAINS_TO_ACAD 32832
#define ID_ACAD_TO_TEXTS 32828
#define ID_TEXTS_TO_ACAD 32829
#define ID_ABOUT 32804

// The choices of the mode button and of the type button in modes 2, 3 and 4: tool bars
// whose buttons' ids are the modes or types; their texts stand for the buttons' pictures.
#define IDR_TOOLBAR_MODES 172
#define IDR_TOOLBAR_CHAIN_TYPES 139
#define IDR_TOOLBAR_SECTION_TYPES 136
#define IDR_TOOLBAR_PLAN_TYPES 138

// The modes' names on the mode button; the types' names are the string table's
// height-mark types and tick symbols.
#define IDS_MODE_ALL_OBJECTS 7600
#define IDS_MODE_CHAINS 7601
#define IDS_MODE_SECTION_MARKS 7602
#define IDS_MODE_PLAN_MARKS 7603
#define IDS_MODE_TEXTS 7604

// The value boxes' names in the palette's messages.
#define IDS_LABEL_DIM_LINES_DISTANCE 7605
#define IDS_LABEL_TEXT_HEIGHT 7606
#define IDS_LABEL_SCALE 7607
#define IDS_LABEL_EXT_LINE 7608
#define IDS_LABEL_TEXT_STYLE 7609
#define IDS_LABEL_LAYER 7610
#define IDS_LABEL_DRAWING_UNIT 7611
#define IDS_LABEL_DISPLAY_UNIT 7612

// The height marks' text alignments as the palette offers them.
#define IDS_ALIGN_LEFT_AT_TIP 7613
#define IDS_ALIGN_LEFT_CENTRED 7614
#define IDS_ALIGN_LEFT 7615
#define IDS_ALIGN_RIGHT_AT_TIP 7616
#define IDS_ALIGN_RIGHT_CENTRED 7617
#define IDS_ALIGN_RIGHT 7618
#define IDS_ALIGN_MIDDLE_AT_TIP 7619
#define IDS_ALIGN_MIDDLE 7620

struct ToolBarButton {
    int id;
    unsigned textId; // the string that names the button's picture
};
// The buttons of tool bar `id` in their order; empty for an id that is none of the four.
std::vector<ToolBarButton> PaletteToolBar(unsigned id);

// The quick options' block: how much the palette's height changes when it is folded.
constexpr int kPaletteQuickOptionsHeight = 150;

// Registers dialog 129 and menu 129 for the module's instance.
void RegisterPaletteResources();
