#pragma once
// The properties dialog's template ("Eigenschaften"), compiled into the module. Its grid
// rows are made by the dialog itself, one label and one box a parameter.
#include "module/resources/resource.h"

#define IDD_DLG_PROPERTIES 102
#define IDC_PROP_SELECT 1116
#define IDC_PROP_COMPACT 1173
#define IDC_PROP_KIND 1157
// The group headings, a check box each (checked: the group is open), in grid order.
#define IDC_PROP_GROUP_FIRST 1180
// The rows' boxes: strings from 1300, doubles from 1350, integers from 1400, plus the
// parameter's index, so a row keeps its id whatever else the grid shows.
#define IDC_PROP_ROW_STRING 1300
#define IDC_PROP_ROW_DOUBLE 1350
#define IDC_PROP_ROW_INT 1400
// The width of the rows' names (the grid's split), typed in place of dragging it.
#define IDC_PROP_SPLIT 1174

// The rows' names, in the order of the chain rows, then the height marks' own.
#define IDS_PROP_SCALE 7800
#define IDS_PROP_TICK 7801
#define IDS_PROP_LABEL 7802
#define IDS_PROP_SUM 7803
#define IDS_PROP_WIPEOUT 7804
#define IDS_PROP_LAYER_NO_SCALE 7805
#define IDS_PROP_TEXT_HEIGHT 7806
#define IDS_PROP_TEXT_STYLE 7807
#define IDS_PROP_TEXT_OFFSET 7808
#define IDS_PROP_EXP_HEIGHT 7809
#define IDS_PROP_TEXT_ALIGN 7810
#define IDS_PROP_TEXT_POSITION 7811
#define IDS_PROP_REDUCED 7812
#define IDS_PROP_EXT_LINES 7813
#define IDS_PROP_EXT_DIRECTION 7814
#define IDS_PROP_LINES_DISTANCE 7815
#define IDS_PROP_TICK_SIZE 7816
#define IDS_PROP_EXTEND_EXT 7817
#define IDS_PROP_EXTEND_DIMLINE 7818
#define IDS_PROP_ORIGIN_OFFSET 7819
#define IDS_PROP_ARC_MIN_POINT 7820
#define IDS_PROP_ARC_MAX_POINT 7821
#define IDS_PROP_ARC_AS_CIRCLE 7822
#define IDS_PROP_ARC_CW 7823
#define IDS_PROP_ARC_INPUT_CIRCLE 7824
#define IDS_PROP_UNITS 7825
#define IDS_PROP_MEASURE 7826
#define IDS_PROP_DECIMALS 7827
#define IDS_PROP_ROUNDING 7828
#define IDS_PROP_TRIM_ZERO 7829
#define IDS_PROP_TOLERANCE 7830
#define IDS_PROP_ALT_UNITS 7831
#define IDS_PROP_FORMAT 7832
#define IDS_PROP_TYPE 7833
#define IDS_PROP_H_FIXED 7834
#define IDS_PROP_H_USER_TEXT 7835
#define IDS_PROP_H_UNDERLINE 7836
#define IDS_PROP_H_PLAN_UNDERLINE 7837
#define IDS_PROP_H_EXT_LINE 7838
#define IDS_PROP_H_SIZE 7839
#define IDS_PROP_H_DIAMETER 7840
#define IDS_PROP_H_REDUCED_SIZE 7841
// Groups, kinds and messages.
#define IDS_PROP_GROUP_GENERAL 7842
#define IDS_PROP_GROUP_EDITABLE 7843
#define IDS_PROP_GROUP_TEXT 7844
#define IDS_PROP_GROUP_LINES 7845
#define IDS_PROP_GROUP_UNITS 7846
#define IDS_PROP_KIND_NONE 7847
#define IDS_PROP_KIND_CHAINS 7848
#define IDS_PROP_KIND_HEIGHTS 7849
#define IDS_PROP_SELECT 7850
#define IDS_PROP_REFUSED 7851     // %s entry, %s row, %s what it wants, %s kept text
#define IDS_PROP_WANT_NUMBER 7852
#define IDS_PROP_WANT_POSITIVE 7853
#define IDS_PROP_WANT_WHOLE 7854
#define IDS_PROP_WANT_ONE_OF 7855 // %s: the choices
#define IDS_PROP_WANT_TEXT 7856
#define IDS_PROP_WANT_LENGTH 7857
#define IDS_PROP_BAD_SPLIT 7858   // %s: what was typed
#define IDS_PROP_KIND_HOST_DIMS 7859
#define IDS_PROP_KIND_HOST_TEXTS 7860

void RegisterPropertiesResources();
