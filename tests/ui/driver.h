// Driving the real tintmend.exe from outside, as a person would, on a Wine
// virtual desktop of the driver's own. Shared by the end-to-end test and by
// the program that `make run` uses without a display.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

constexpr DWORD kPatienceMs = 10000;  // for any one thing to happen

// Polls until done() holds; false when kPatienceMs runs out first.
bool WaitUntil(const std::function<bool()>& done);

std::string Text(HWND window, int id);

// The folder of the running program, with its final backslash.
std::string BinDir();

// Puts the calling thread, and the programs it starts, on the virtual desktop
// `name` of the given size ("800x600"). Wine draws windows there itself,
// captions included, and shows and hides them at once: on the bare X display
// a top-level window waits for a window manager that a headless server lacks.
bool UseOwnDesktop(const char* name, const char* size);

// "MS UI Gothic" drawn with IPAGothic, and Wine's own caption and close-box
// fonts, which a 64-bit-only Wine prefix lacks.
void PrepareLook();

// The tintmend.exe to work: the Windows path in TINTMEND_EXE where set (a
// release build), else the one in BinDir().
std::string TintmendPath();

// Starts TintmendPath() on `desktop`, waits for its dialog to show
// its first results and brings it to the front, where keystrokes go. Fills
// process and dlg; false with a reason if not.
bool StartTintmend(const char* desktop, PROCESS_INFORMATION* process, HWND* dlg,
                   std::string* failure);

// The exit code once the process has ended, 0xDEAD if it does not end in time.
DWORD ExitCodeOf(HANDLE process);

// Saves the dialog with its caption as a PNG at the Windows path `path`,
// through ImageMagick's import (a Linux program, which Wine starts like any
// other); false if there is no such program or no picture comes.
bool SaveScreenshot(HWND dlg, const char* desktop, const std::string& path);
