// The dialog procedure: one handler per message, one branch per button.
#include "ui/main_dialog.h"

#include "colour/balance.h"
#include "profile/profile.h"
#include "ui/resource.h"

namespace {

INT_PTR OnInitDialog(HWND dlg) {
    CenterOnScreen(dlg);
    StartForm(AsDialog(dlg));
    return TRUE;  // the system focuses the first tab stop, field 1001
}

// OK and Cancel (Enter in a field, Escape) are deliberately not handled:
// the dialog ends only through Close or the close request.
INT_PTR OnCommand(HWND dlg, WORD control) {
    switch (control) {
    case IDC_LOAD:
        // A cancelled choice leaves the previous path, which is then re-read.
        ChooseProfile(dlg);
        LoadProfile(AsDialog(dlg));
        return TRUE;
    case IDC_RELOAD:
        LoadProfile(AsDialog(dlg));
        return TRUE;
    case IDC_CALC:
        CalcBalance(AsDialog(dlg));
        return TRUE;
    case IDC_CLOSE:
        EndDialog(dlg, 1);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR OnClose(HWND dlg) {
    EndDialog(dlg, 1);
    return TRUE;
}

}  // namespace

INT_PTR CALLBACK MainDialogProc(HWND dlg, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dlg);
    case WM_COMMAND:
        // The control in the low word; the notification code is not looked at.
        return OnCommand(dlg, LOWORD(wParam));
    case WM_CLOSE:
        return OnClose(dlg);
    default:
        return FALSE;
    }
}
