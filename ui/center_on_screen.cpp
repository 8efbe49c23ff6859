#include "ui/main_dialog.h"

void CenterOnScreen(HWND dlg) {
    RECT frame;
    GetWindowRect(dlg, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    // Halved by an arithmetic shift (as GCC defines >> on negative values):
    // an odd or negative difference rounds toward minus infinity, so on a
    // screen smaller than the dialog the corner lands at a negative position.
    const int x = (GetSystemMetrics(SM_CXSCREEN) - width) >> 1;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - height) >> 1;
    MoveWindow(dlg, x, y, width, height, FALSE);
}
