#include "ui/main_dialog.h"

#include <commdlg.h>

#include <cstddef>

#include "profile/profile.h"

namespace {

// Description and pattern pairs, each text zero-terminated; the literal's own
// zero ends the list.
constexpr char kProfileFilter[] =
    "ICC profiles (*.icc;*.icm)\0*.icc;*.icm\0"
    "all files (*.*)\0*.*\0";

// The request is given without the three members that Windows 2000 added:
// OPENFILENAME_SIZE_VERSION_400A, 76 bytes in the 32-bit program. The 64-bit
// structure is larger, and a literal 76 there makes the chooser refuse to open.
static_assert(sizeof(void*) != 4 ||
                  offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR) == 76,
              "the 32-bit open request without the Windows 2000 members is 76 bytes");

}  // namespace

void ChooseProfile(HWND dlg) {
    OPENFILENAMEA request = {};
    request.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    request.hwndOwner = dlg;
    request.lpstrFilter = kProfileFilter;
    request.nFilterIndex = 0;
    request.lpstrFile = g_profilePath;  // also pre-fills the name box
    request.nMaxFile = kProfilePathSize;
    request.Flags = OFN_FILEMUSTEXIST;
    // The system writes g_profilePath only when a file is confirmed; the
    // caller loads whatever the path then holds, so the outcome is not needed.
    GetOpenFileNameA(&request);
}
