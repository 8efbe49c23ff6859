// Identifiers of the dialog's fourteen edit fields. Plain macros, because the
// dialog's resource script includes this header too.
#ifndef TINTMEND_FORM_FIELD_IDS_H
#define TINTMEND_FORM_FIELD_IDS_H

#define IDC_REF_WHITE_X    1001
#define IDC_REF_WHITE_Y    1002
#define IDC_RED_X          1003
#define IDC_RED_Y          1004
#define IDC_GREEN_X        1005
#define IDC_GREEN_Y        1006
#define IDC_BLUE_X         1007
#define IDC_BLUE_Y         1008
#define IDC_GAMMA          1009
#define IDC_TARGET_WHITE_X 1010
#define IDC_TARGET_WHITE_Y 1011
#define IDC_BAL_RED        1012
#define IDC_BAL_GREEN      1013
#define IDC_BAL_BLUE       1014

#endif
