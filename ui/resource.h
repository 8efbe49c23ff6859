// Resource identifiers shared by the dialog's resource script and its code.
#ifndef TINTMEND_UI_RESOURCE_H
#define TINTMEND_UI_RESOURCE_H

#include "form/field_ids.h"

#define IDD_MAIN   101

#define IDC_LOAD   1015
#define IDC_RELOAD 1016
#define IDC_CALC   1017
#define IDC_CLOSE  1018

#endif
