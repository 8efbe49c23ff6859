// What `make run` shows without a display: tintmend.exe on a virtual screen,
// photographed to build/tintmend.png, its three results read from the live
// dialog, then closed with its Close button.
#include <cstdio>
#include <string>

#include "tests/ui/driver.h"
#include "ui/resource.h"

int main() {
    constexpr char kDesktop[] = "tintmend";
    PrepareLook();
    PROCESS_INFORMATION process = {};
    HWND dlg = nullptr;
    std::string failure = "no desktop of its own";
    if (!UseOwnDesktop(kDesktop, "800x600") || !StartTintmend(kDesktop, &process, &dlg, &failure)) {
        std::fprintf(stderr, "tintmend-show: %s\n", failure.c_str());
        return 1;
    }
    if (!SaveScreenshot(dlg, kDesktop, BinDir() + "..\\..\\tintmend.png")) {
        std::fprintf(stderr, "tintmend-show: no screenshot (is ImageMagick installed?)\n");
    }
    std::printf("New Balance: red %s, green %s, blue %s\n", Text(dlg, IDC_BAL_RED).c_str(),
                Text(dlg, IDC_BAL_GREEN).c_str(), Text(dlg, IDC_BAL_BLUE).c_str());
    PostMessageA(GetDlgItem(dlg, IDC_CLOSE), BM_CLICK, 0, 0);
    const DWORD code = ExitCodeOf(process.hProcess);
    std::printf("Closed; tintmend.exe exit code %lu\n", code);
    return code == 0 ? 0 : 1;
}
