#pragma once
// The height marks' dialog templates, compiled into the module: the value dialog
// ("Höhenkoten") and the HK checker.
#include "module/resources/resource.h"

#define IDD_DLG_HDBASE 160
#define IDC_HK_HEADING 1200
#define IDC_HK_EXPLANATION 1201
#define IDC_HK_FIXED 1202
// Row 1 from 1210, row 2 from 1220: add the row's base to these offsets.
#define IDC_HK_ROW1 1210
#define IDC_HK_ROW2 1220
#define IDC_HK_OFS_ON 0
#define IDC_HK_OFS_PREFIX 1
#define IDC_HK_OFS_VALUE 2
#define IDC_HK_OFS_SUFFIX 3
#define IDC_HK_OFS_AUTO 4
#define IDC_HK_OFS_PICK 5
#define IDC_HK_OFS_SOURCE 6

#define IDD_DLG_HK_CHECKER 161
#define IDC_HKC_ERASE_LONE 1240
#define IDC_HKC_SAME_SCALE 1241
#define IDC_HKC_LAYER 1242

// "Textposition" of height marks: the text's place by the symbol and a move along the
// mark's direction by the step.
#define IDD_DLG_HK_TEXT_POSITION 5043
#define IDC_HKT_STEP 1045
#define IDC_HKT_STEP_PICK 1049
#define IDC_HKT_PICK 1225
#define IDC_HKT_COUNT 1001
#define IDC_HKT_BACK 1048    // the texts back along the direction
#define IDC_HKT_FORWARD 1050 // the texts forward along the direction
#define IDC_HKT_OK 1070
// Around the symbol: by the tip (left, middle, right), beside it (left, right) and
// away from the tip (left, middle, right).
inline constexpr int kHeightPositionButtons[] = {1044, 1046, 1047, 1054, 1056, 1051, 1052, 1053};

void RegisterHeightResources();
