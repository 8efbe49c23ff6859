// The form's two field primitives on the dialog's edit controls.
#include "ui/main_dialog.h"

void GetFieldText(Dialog dlg, FieldId id, char* text, int limit) {
    // Terminated even if the control cannot be reached.
    if (limit > 0) {
        text[0] = '\0';
    }
    GetDlgItemTextA(AsWindow(dlg), id, text, limit);
}

void SetFieldText(Dialog dlg, FieldId id, const char* text) {
    SetDlgItemTextA(AsWindow(dlg), id, text);
}
