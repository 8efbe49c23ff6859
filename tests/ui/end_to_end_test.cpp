// The real tintmend.exe, started as a process of its own on a desktop of its
// own and worked only as a person would: keystrokes, button clicks, the open
// dialog and the close box. Every wait is on a condition, with a time limit.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "tests/ui/driver.h"

namespace {

using Texts = std::vector<std::string>;

// The program runs on the tests' own desktop, where its windows are easy to
// find and keystrokes reach them.
constexpr char kDesktop[] = "tintmend-e2e";
constexpr char kDesktopSize[] = "800x600";
constexpr int kScreenWidth = 800, kScreenHeight = 600;
// A real display profile, as the open dialog sees it through Wine's drive Z:.
constexpr char kProfile[] = "Z:\\usr\\share\\color\\icc\\colord\\sRGB.icc";
constexpr int kFileNameBox = 0x47C;  // the open dialog's file name combo box

// Fields 1001 to 1014, a row each: reference white, red, green, blue, gamma,
// target white, results.
const Texts kStartTexts = {"0.3127", "0.3290",  "0.640",   "0.330",  "0.300",
                           "0.600",  "0.150",   "0.060",   "2.2",    "0.3127",
                           "0.3290", "1.00000", "1.00000", "1.00000"};
// sRGB.icc: its adaptation to D50 undone, so D65 and the sRGB primaries; a
// parametric curve (gamma kept).
const Texts kSrgbTexts = {"0.31271", "0.32912", "0.64000", "0.33001", "0.30000",
                          "0.59999", "0.15000", "0.06000", "2.2",     "0.3127",
                          "0.3290",  "0.99990", "0.99949", "1.00000"};
// The same with the target's x typed as 0.3000.
const Texts kSrgbTarget3000 = {"0.31271", "0.32912", "0.64000", "0.33001", "0.30000",
                               "0.59999", "0.15000", "0.06000", "2.2",     "0.3000",
                               "0.3290",  "0.91557", "0.99965", "1.00000"};

Texts Fields(HWND dlg) {
    Texts texts;
    for (int id = 1001; id <= 1014; ++id) texts.push_back(Text(dlg, id));
    return texts;
}

Texts Results(HWND dlg) { return {Text(dlg, 1012), Text(dlg, 1013), Text(dlg, 1014)}; }

std::string Join(const Texts& texts) {
    std::string all;
    for (const std::string& t : texts) all += (all.empty() ? "" : " | ") + t;
    return all;
}

int FocusedId(HWND dlg) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(dlg, nullptr), &info);
    return info.hwndFocus ? GetDlgCtrlID(info.hwndFocus) : 0;
}

INPUT KeyInput(WORD vk, wchar_t unit, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = unit;
    input.ki.dwFlags = (unit ? KEYEVENTF_UNICODE : 0) | (up ? KEYEVENTF_KEYUP : 0);
    return input;
}

void SendInputs(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void Press(WORD vk) { SendInputs({KeyInput(vk, 0, false), KeyInput(vk, 0, true)}); }

void PressAltF4() {
    SendInputs({KeyInput(VK_MENU, 0, false), KeyInput(VK_F4, 0, false), KeyInput(VK_F4, 0, true),
                KeyInput(VK_MENU, 0, true)});
}

void Type(const std::string& text) {
    std::vector<INPUT> inputs;
    for (char c : text) {
        inputs.push_back(KeyInput(0, static_cast<wchar_t>(c), false));
        inputs.push_back(KeyInput(0, static_cast<wchar_t>(c), true));
    }
    SendInputs(inputs);
}

struct OwnedDialogSearch {
    HWND owner, found;
};

BOOL CALLBACK FindOwnedDialog(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<OwnedDialogSearch*>(param);
    char cls[16] = "";
    GetClassNameA(window, cls, sizeof cls);
    if (GetWindow(window, GW_OWNER) == search->owner && IsWindowVisible(window) &&
        std::string(cls) == "#32770") {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// The dialog box (the open-file dialog, a message box) that `owner` shows.
HWND OpenDialogOf(HWND owner) {
    OwnedDialogSearch search = {owner, nullptr};
    EnumWindows(FindOwnedDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class Tintmend : public testing::Test {
protected:
    static void SetUpTestSuite() {
        PrepareLook();
        ASSERT_TRUE(UseOwnDesktop(kDesktop, kDesktopSize));
    }

    void SetUp() override {
        std::string failure;
        ASSERT_TRUE(StartTintmend(kDesktop, &process_, &dlg_, &failure)) << "start: " << failure;
    }

    void TearDown() override {
        if (process_.hProcess && Running()) {
            PostMessageA(dlg_, WM_CLOSE, 0, 0);
            if (WaitForSingleObject(process_.hProcess, kPatienceMs) != WAIT_OBJECT_0) {
                TerminateProcess(process_.hProcess, 1);
            }
        }
        if (process_.hProcess) CloseHandle(process_.hProcess);
        if (process_.hThread) CloseHandle(process_.hThread);
    }

    bool Running() { return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }

    DWORD ExitCode() { return ExitCodeOf(process_.hProcess); }

    // Keystrokes go to the foreground window.
    void BringToFront(HWND window) {
        // Only when needed: Wine then paints the caption as inactive.
        if (GetForegroundWindow() != window) SetForegroundWindow(window);
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window; }))
            << "the window does not come to the front";
    }

    void Click(int id) { PostMessageA(GetDlgItem(dlg_, id), BM_CLICK, 0, 0); }

    // Tab until the control has the focus; a field entered so has its text
    // selected, and typing replaces it.
    void TabTo(int id) {
        BringToFront(dlg_);
        for (int presses = 0; FocusedId(dlg_) != id && presses < 18; ++presses) {
            const int from = FocusedId(dlg_);
            Press(VK_TAB);
            ASSERT_TRUE(WaitUntil([&] { return FocusedId(dlg_) != from; }))
                << "Tab does not move the focus from " << from;
        }
        ASSERT_EQ(FocusedId(dlg_), id) << "Tab never reaches " << id;
    }

    void TypeInto(int id, const std::string& text) {
        TabTo(id);
        Type(text);
        ASSERT_TRUE(WaitUntil([&] { return Text(dlg_, id) == text; }))
            << "typing \"" << text << "\" into " << id << " shows \"" << Text(dlg_, id) << "\"";
    }

    // Returns once the program has handled what it was sent before.
    void Settle() {
        DWORD_PTR result;
        SendMessageTimeoutA(dlg_, WM_NULL, 0, 0, SMTO_NORMAL, kPatienceMs, &result);
    }

    // Presses Load and waits for the open dialog, brought to the front for typing.
    HWND PressLoad(const char* step) {
        Click(1015);
        HWND open = nullptr;
        EXPECT_TRUE(WaitUntil([&] { return (open = OpenDialogOf(dlg_)) != nullptr; }))
            << step << ": no open dialog";
        if (open != nullptr) BringToFront(open);
        return open;
    }

    // Types a file name into the open dialog and waits until its box shows it.
    bool TypeFileName(HWND open, const std::string& name) {
        Type(name);
        bool shown = WaitUntil([&] { return Text(open, kFileNameBox) == name; });
        EXPECT_TRUE(shown) << "the file name box shows \"" << Text(open, kFileNameBox) << "\"";
        return shown;
    }

    PROCESS_INFORMATION process_ = {};
    HWND dlg_ = nullptr;
};

TEST_F(Tintmend, OpensCentredWithTheDefaultsAndIsPhotographed) {
    RECT frame;
    GetWindowRect(dlg_, &frame);
    EXPECT_EQ(frame.left, std::floor((kScreenWidth - (frame.right - frame.left)) / 2.0));
    EXPECT_EQ(frame.top, std::floor((kScreenHeight - (frame.bottom - frame.top)) / 2.0));
    EXPECT_EQ(Fields(dlg_), kStartTexts);
    EXPECT_EQ(FocusedId(dlg_), 1001);
    const std::string shot = BinDir() + "..\\tintmend.png";
    EXPECT_TRUE(SaveScreenshot(dlg_, kDesktop, shot)) << "no screenshot at " << shot;
    Click(1018);
    EXPECT_EQ(ExitCode(), 0u) << "Close";
}

TEST_F(Tintmend, CalcShowsTheBalanceOfATypedTargetAndNotBefore) {
    TypeInto(1010, "0.2831");
    TypeInto(1011, "0.2971");
    Settle();
    EXPECT_EQ(Results(dlg_), (Texts{"1.00000", "1.00000", "1.00000"})) << "typing alone";
    Click(1017);
    const Texts expected = {"0.81081", "0.87909", "1.00000"};
    EXPECT_TRUE(WaitUntil([&] { return Results(dlg_) == expected; }))
        << "Calc. shows " << Join(Results(dlg_));
    Click(1018);
    EXPECT_EQ(ExitCode(), 0u) << "Close";
}

TEST_F(Tintmend, TabWalksTheFieldsThenTheButtonsInOrder) {
    ASSERT_EQ(FocusedId(dlg_), 1001);
    for (int next = 1002; next <= 1019; ++next) {
        const int want = next == 1019 ? 1001 : next;  // and round again
        Press(VK_TAB);
        ASSERT_TRUE(WaitUntil([&] { return FocusedId(dlg_) == want; }))
            << "Tab toward " << want << " lands on " << FocusedId(dlg_);
    }
    PostMessageA(dlg_, WM_SYSCOMMAND, SC_CLOSE, 0);  // the close box
    EXPECT_EQ(ExitCode(), 0u) << "close box";
}

TEST_F(Tintmend, EnterAndEscapeLeaveTheDialogOpenAndUnchanged) {
    ASSERT_EQ(FocusedId(dlg_), 1001);
    Press(VK_RETURN);
    Press(VK_ESCAPE);
    Press(VK_TAB);  // handled after the two keys before it
    WaitUntil([&] { return FocusedId(dlg_) == 1002 || !Running(); });
    ASSERT_TRUE(Running()) << "Enter or Escape in a field closed it";
    EXPECT_EQ(FocusedId(dlg_), 1002) << "after Enter, Escape, Tab";

    TabTo(1015);
    Press(VK_ESCAPE);
    Press(VK_TAB);
    WaitUntil([&] { return FocusedId(dlg_) == 1016 || !Running(); });
    ASSERT_TRUE(Running()) << "Escape on a button closed it";
    EXPECT_EQ(FocusedId(dlg_), 1016) << "after Escape on Load, Tab";
    EXPECT_EQ(OpenDialogOf(dlg_), nullptr) << "Escape on Load pressed it";
    EXPECT_EQ(Fields(dlg_), kStartTexts);

    PressAltF4();
    EXPECT_EQ(ExitCode(), 0u) << "Alt+F4";
}

TEST_F(Tintmend, LoadReadsTheChosenProfileAndReloadReadsItAgain) {
    HWND open = PressLoad("Load");
    ASSERT_NE(open, nullptr);
    ASSERT_TRUE(TypeFileName(open, kProfile));
    Press(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(open) && Fields(dlg_) == kSrgbTexts; }))
        << "after Load: " << Join(Fields(dlg_));

    // Reload restores what the profile holds and keeps what it does not.
    TypeInto(1003, "0.5");
    TypeInto(1010, "0.3000");
    Click(1016);
    ASSERT_TRUE(WaitUntil([&] { return Fields(dlg_) == kSrgbTarget3000; }))
        << "after Reload: " << Join(Fields(dlg_));

    // Load cancelled after a load reads the earlier profile again.
    TypeInto(1003, "0.5");
    open = PressLoad("second Load");
    ASSERT_NE(open, nullptr);
    Press(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(open) && Fields(dlg_) == kSrgbTarget3000; }))
        << "after Load and cancel: " << Join(Fields(dlg_));

    Click(1018);
    EXPECT_EQ(ExitCode(), 0u) << "Close";
}

TEST_F(Tintmend, LoadRefusesAMissingFileAndCancelledChangesNothing) {
    HWND open = PressLoad("Load");
    ASSERT_NE(open, nullptr);
    ASSERT_TRUE(TypeFileName(open, "Z:\\no\\such\\profile.icc"));
    Press(VK_RETURN);
    // The chooser stays and says so in a message box of its own.
    HWND warning = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (warning = OpenDialogOf(open)) != nullptr; }))
        << "no warning about the missing file";
    EXPECT_TRUE(IsWindow(open)) << "the chooser accepted a missing file";
    BringToFront(warning);
    Press(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(warning); })) << "the warning stays";

    BringToFront(open);
    Press(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(open); })) << "Escape does not cancel the chooser";
    Settle();
    EXPECT_EQ(Fields(dlg_), kStartTexts);
    PostMessageA(dlg_, WM_SYSCOMMAND, SC_CLOSE, 0);  // the close box
    EXPECT_EQ(ExitCode(), 0u) << "close box";
}

}  // namespace
