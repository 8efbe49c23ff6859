// The main dialog: its procedure and the window operations behind it.
#pragma once

#include <windows.h>

#include "form/form.h"

// The core reaches the dialog's fields through a Dialog; here that is the
// dialog window itself.
inline Dialog AsDialog(HWND window) { return reinterpret_cast<Dialog>(window); }
inline HWND AsWindow(Dialog dlg) { return reinterpret_cast<HWND>(dlg); }

INT_PTR CALLBACK MainDialogProc(HWND dlg, UINT message, WPARAM wParam, LPARAM lParam);

// Moves the dialog to the middle of the primary screen, its size unchanged.
void CenterOnScreen(HWND dlg);

// Lets the user pick a profile file; a confirmed choice replaces g_profilePath.
void ChooseProfile(HWND dlg);
