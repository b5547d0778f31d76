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

void RegisterPropertiesResources();
