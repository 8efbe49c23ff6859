#include "tests/ui/driver.h"

#include <cstdio>
#include <cstring>

bool WaitUntil(const std::function<bool()>& done) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > kPatienceMs) return false;
        Sleep(20);
    }
    return true;
}

std::string Text(HWND window, int id) {
    char text[256] = "";
    GetDlgItemTextA(window, id, text, sizeof text);
    return text;
}

std::string BinDir() {
    char path[MAX_PATH];
    std::string s(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    return s.substr(0, s.find_last_of('\\') + 1);
}

bool UseOwnDesktop(const char* name, const char* size) {
    RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Wine\\Explorer\\Desktops", name, REG_SZ, size,
                    static_cast<DWORD>(std::strlen(size) + 1));
    HDESK desktop = CreateDesktopA(name, nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    return desktop && SetThreadDesktop(desktop);
}

void PrepareLook() {
    RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Wine\\Fonts\\Replacements", "MS UI Gothic",
                    REG_SZ, "IPAGothic", sizeof "IPAGothic");
    for (const char* font : {"marlett.ttf", "tahoma.ttf", "tahomabd.ttf"}) {
        CopyFileA((std::string("Z:\\usr\\share\\wine\\fonts\\") + font).c_str(),
                  (std::string("C:\\windows\\Fonts\\") + font).c_str(), TRUE);
    }
}

std::string TintmendPath() {
    char path[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("TINTMEND_EXE", path, MAX_PATH);
    if (length > 0 && length < MAX_PATH) return path;
    return BinDir() + "tintmend.exe";
}

bool StartTintmend(const char* desktop, PROCESS_INFORMATION* process, HWND* dlg,
                   std::string* failure) {
    std::string command = "\"" + TintmendPath() + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.lpDesktop = const_cast<char*>(desktop);
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, process)) {
        *failure = "cannot start " + command;
        return false;
    }
    if (!WaitUntil([&] {
            *dlg = FindWindowA("#32770", "Tintmend");
            return *dlg && Text(*dlg, 1014) == "1.00000";
        })) {
        *failure = "no dialog showing its first results";
        return false;
    }
    DWORD owner = 0;
    GetWindowThreadProcessId(*dlg, &owner);
    if (owner != process->dwProcessId) {
        *failure = "the dialog found belongs to another process";
        return false;
    }
    if (!WaitUntil([&] { return GetForegroundWindow() == *dlg; })) {
        *failure = "the dialog does not come to the front";
        return false;
    }
    return true;
}

DWORD ExitCodeOf(HANDLE process) {
    DWORD code = 0xDEAD;
    if (WaitForSingleObject(process, kPatienceMs) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process, &code);
    }
    return code;
}

namespace {

// Waits until a pixel in the middle of the caption, as the screen shows it,
// has kept its colour for a while (Wine copies its drawing out on a timer).
void WaitForStillCaption(HWND dlg) {
    constexpr DWORD kStillMs = 300;
    HDC screen = GetDC(nullptr);
    COLORREF seen = CLR_INVALID;
    DWORD since = GetTickCount();
    WaitUntil([&] {
        RECT r;
        GetWindowRect(dlg, &r);
        const COLORREF now = GetPixel(screen, (r.left + r.right) / 2,
                                      r.top + GetSystemMetrics(SM_CYDLGFRAME) + 4);
        if (now != seen) {
            seen = now;
            since = GetTickCount();
        }
        return GetTickCount() - since >= kStillMs;
    });
    ReleaseDC(nullptr, screen);
}

}  // namespace

bool SaveScreenshot(HWND dlg, const char* desktop, const std::string& path) {
    using UnixName = char*(CDECL*)(LPCWSTR);
    auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32"), "wine_get_unix_file_name")));
    if (!unixName) return false;  // not under Wine
    wchar_t widePath[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath, MAX_PATH);
    char* unixPath = unixName(widePath);
    if (!unixPath) return false;
    const std::string target = unixPath;
    HeapFree(GetProcessHeap(), 0, unixPath);

    // Around its activation Wine may paint the active window's caption as
    // inactive while the X server gives the virtual desktop no focus: let that
    // pass, then have the caption painted as Windows shows it.
    WaitForStillCaption(dlg);
    SendMessageA(dlg, WM_NCACTIVATE, TRUE, 0);
    RedrawWindow(dlg, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    WaitForStillCaption(dlg);
    RECT r;
    GetWindowRect(dlg, &r);
    // The picture gets its name only once it is complete.
    constexpr char kShot[] =
        "Z:\\bin\\sh -c \"import -window '%s - Wine desktop' -crop %ldx%ld+%ld+%ld +repage "
        "'%s.part.png' && mv '%s.part.png' '%s'\"";
    const char* t = target.c_str();
    char command[4 * MAX_PATH];
    const int length = std::snprintf(command, sizeof command, kShot, desktop, r.right - r.left,
                                     r.bottom - r.top, r.left, r.top, t, t, t);
    if (length < 0 || length >= static_cast<int>(sizeof command)) return false;
    DeleteFileA(path.c_str());
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION shooter = {};
    if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &shooter)) {
        return false;
    }
    // Wine gives no handle to wait on for a Linux program: wait for its file.
    if (shooter.hProcess) CloseHandle(shooter.hProcess);
    if (shooter.hThread) CloseHandle(shooter.hThread);
    return WaitUntil([&] { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; });
}
