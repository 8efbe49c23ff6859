#include "form/form.h"

#include "form/number_text.h"

const char* const kFieldNames[kFieldCount] = {
    "IDC_REF_WHITE_X", "IDC_REF_WHITE_Y", "IDC_RED_X",   "IDC_RED_Y",
    "IDC_GREEN_X",     "IDC_GREEN_Y",     "IDC_BLUE_X",  "IDC_BLUE_Y",
    "IDC_GAMMA",       "IDC_TARGET_WHITE_X", "IDC_TARGET_WHITE_Y",
    "IDC_BAL_RED",     "IDC_BAL_GREEN",   "IDC_BAL_BLUE",
};

// ITU-R BT.709 / sRGB primaries, D65 as reference and target, gamma 2.2.
const char* const kDefaultFieldTexts[kInputFieldCount] = {
    "0.3127", "0.3290",              // reference white
    "0.640", "0.330",                // red
    "0.300", "0.600",                // green
    "0.150", "0.060",                // blue
    "2.2",                           // gamma
    "0.3127", "0.3290",              // target white
};

double ReadFieldNumber(Dialog dlg, FieldId id) {
    char text[kFieldBufferSize];
    GetFieldText(dlg, id, text, kFieldReadLimit);
    return ParseFieldNumber(text);
}

bool IsFieldWhollyNumber(Dialog dlg, FieldId id) {
    char text[kFieldBufferSize];
    GetFieldText(dlg, id, text, kFieldReadLimit);
    return IsWhollyFieldNumber(text);
}

void WriteFieldNumber(Dialog dlg, FieldId id, double value) {
    char text[kFieldBufferSize];
    FormatFieldNumber(value, text);
    SetFieldText(dlg, id, text);
}

void ApplyDefaultTexts(Dialog dlg) {
    for (int i = 0; i < kInputFieldCount; ++i) {
        SetFieldText(dlg, kFirstFieldId + i, kDefaultFieldTexts[i]);
    }
}
