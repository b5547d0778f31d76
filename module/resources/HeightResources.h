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

void RegisterHeightResources();
