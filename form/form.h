// The form: the dialog's fourteen edit fields, which are the program's only
// data store. Everything above the two field primitives is platform-free.
#pragma once

#include "form/field_ids.h"

using FieldId = int;

constexpr FieldId kFirstFieldId = IDC_REF_WHITE_X;
constexpr FieldId kLastFieldId = IDC_BAL_BLUE;
constexpr int kFieldCount = kLastFieldId - kFirstFieldId + 1;
constexpr int kInputFieldCount = IDC_TARGET_WHITE_Y - kFirstFieldId + 1;

// Stack buffers for a field's text and for a formatted number.
constexpr int kFieldBufferSize = 256;
// What a read asks for, terminating zero included: at most 254 characters.
constexpr int kFieldReadLimit = 255;

// Whatever a front end keeps its fields in: the dialog window in the Windows
// program, an in-memory form in the tests and the companion program.
struct Form;
using Dialog = Form*;

// The two primitives, provided by each front end. GetFieldText copies at most
// limit - 1 characters and always terminates the text.
void GetFieldText(Dialog dlg, FieldId id, char* text, int limit);
void SetFieldText(Dialog dlg, FieldId id, const char* text);

// The IDC_ name of a field, such as "IDC_RED_X".
extern const char* const kFieldNames[kFieldCount];
// Start-up texts of fields 1001 to 1011, written as they stand.
extern const char* const kDefaultFieldTexts[kInputFieldCount];

double ReadFieldNumber(Dialog dlg, FieldId id);
// Whether ReadFieldNumber takes the field's whole text (bar white space)
// rather than a leading number, or nothing, from it.
bool IsFieldWhollyNumber(Dialog dlg, FieldId id);
void WriteFieldNumber(Dialog dlg, FieldId id, double value);
void ApplyDefaultTexts(Dialog dlg);
