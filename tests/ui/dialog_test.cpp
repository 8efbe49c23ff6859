// The dialog procedure in process: the dialog made from its template and fed
// the messages that its buttons, its close box and the system send.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "profile/profile.h"
#include "tests/ui/driver.h"
#include "ui/main_dialog.h"
#include "ui/resource.h"

namespace {

std::vector<std::string> AllTexts(HWND dlg) {
    std::vector<std::string> texts;
    for (int id = IDC_REF_WHITE_X; id <= IDC_BAL_BLUE; ++id) texts.push_back(Text(dlg, id));
    return texts;
}

std::vector<std::string> Results(HWND dlg) {
    return {Text(dlg, IDC_BAL_RED), Text(dlg, IDC_BAL_GREEN), Text(dlg, IDC_BAL_BLUE)};
}

INT_PTR Command(HWND dlg, int control, int notification = BN_CLICKED) {
    return MainDialogProc(dlg, WM_COMMAND, MAKEWPARAM(control, notification), 0);
}

// Half of d, rounded toward minus infinity.
int FloorHalf(int d) { return static_cast<int>(std::floor(d / 2.0)); }

class OwnDesktop : public testing::Environment {
    void SetUp() override { ASSERT_TRUE(UseOwnDesktop("tintmend-dialog", "800x600")); }
};
const testing::Environment* const g_ownDesktop =
    testing::AddGlobalTestEnvironment(new OwnDesktop);

class MainDialog : public testing::Test {
protected:
    void SetUp() override {
        dlg_ = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MAIN), nullptr,
                                  MainDialogProc, 0);
        ASSERT_NE(dlg_, nullptr);
    }
    void TearDown() override { DestroyWindow(dlg_); }
    HWND dlg_ = nullptr;
};

TEST_F(MainDialog, OpensCentredWithTheDefaultsAndTheirResults) {
    RECT frame;
    GetWindowRect(dlg_, &frame);
    EXPECT_EQ(frame.left, FloorHalf(GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)));
    EXPECT_EQ(frame.top, FloorHalf(GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)));
    const std::vector<std::string> start = {
        "0.3127", "0.3290", "0.640", "0.330", "0.300", "0.600", "0.150",
        "0.060", "2.2", "0.3127", "0.3290", "1.00000", "1.00000", "1.00000"};
    EXPECT_EQ(AllTexts(dlg_), start);
    EXPECT_EQ(GetFocus(), GetDlgItem(dlg_, IDC_REF_WHITE_X));
}

TEST_F(MainDialog, CalcTurnsTypedInputsIntoResults) {
    // The notification code in the command's high word does not matter.
    struct Case { const char *gamma, *x, *y; int notification; std::vector<std::string> results; };
    const Case cases[] = {
        {"2.2", "0.2831", "0.2971", BN_CLICKED, {"0.81081", "0.87909", "1.00000"}},
        {"2.2", "0.3457", "0.3585", BN_CLICKED, {"1.00000", "0.91843", "0.80086"}},
        {"2.2", "0.3000", "0.3000", EN_KILLFOCUS, {"0.91567", "0.88432", "1.00000"}},
        {"1.0", "0.2831", "0.2971", BN_CLICKED, {"0.63040", "0.75314", "1.00000"}},
        {"2.2", "0.7", "0.3", 0xFFFF, {"1.00000", "-1.#IND0", "-1.#IND0"}},
        {"2.2", "0.3127", "0.3290", BN_CLICKED, {"1.00000", "1.00000", "1.00000"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("target ") + c.x + ", " + c.y + ", gamma " + c.gamma);
        const std::vector<std::string> before = Results(dlg_);
        SetDlgItemTextA(dlg_, IDC_GAMMA, c.gamma);
        SetDlgItemTextA(dlg_, IDC_TARGET_WHITE_X, c.x);
        SetDlgItemTextA(dlg_, IDC_TARGET_WHITE_Y, c.y);
        EXPECT_EQ(Results(dlg_), before) << "typing alone must not recalculate";
        EXPECT_EQ(Command(dlg_, IDC_CALC, c.notification), TRUE);
        EXPECT_EQ(Results(dlg_), c.results);
    }
}

TEST_F(MainDialog, AnswersItsMessagesAndCommandsByTheLowWord) {
    struct Case { UINT message; int control, notification; INT_PTR handled; bool ends; };
    const Case cases[] = {
        {WM_INITDIALOG, 0, 0, TRUE, false},  // TRUE: the system sets the focus
        {WM_COMMAND, IDOK, BN_CLICKED, FALSE, false},      // Enter in a field
        {WM_COMMAND, IDCANCEL, BN_CLICKED, FALSE, false},  // Escape
        {WM_COMMAND, IDC_TARGET_WHITE_X, EN_CHANGE, FALSE, false},
        {WM_COMMAND, IDC_BAL_RED, EN_SETFOCUS, FALSE, false},
        {WM_COMMAND, 0, 0, FALSE, false},
        {WM_COMMAND, 0xFFFF, 0, FALSE, false},
        {WM_COMMAND, IDC_RELOAD, BN_CLICKED, TRUE, false},
        {WM_COMMAND, IDC_CALC, 0xFFFF, TRUE, false},  // the notification is not looked at
        {WM_SYSCOMMAND, SC_CLOSE, 0, FALSE, false},    // left to the system
        {WM_NULL, 0, 0, FALSE, false},
        {WM_COMMAND, IDC_CLOSE, 0x8000, TRUE, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("message " + std::to_string(c.message) + ", control " +
                     std::to_string(c.control) + ", notification " +
                     std::to_string(c.notification));
        EXPECT_EQ(MainDialogProc(dlg_, c.message, MAKEWPARAM(c.control, c.notification), 0),
                  c.handled);
        EXPECT_EQ(IsWindowVisible(dlg_) == FALSE, c.ends);
    }
}

TEST_F(MainDialog, ReloadWithoutAChosenProfileChangesNothing) {
    ASSERT_EQ(g_profilePath[0], '\0');
    // A recalculation would show: the typed target has not been calculated yet.
    SetDlgItemTextA(dlg_, IDC_TARGET_WHITE_X, "0.2831");
    SetDlgItemTextA(dlg_, IDC_RED_X, "0.5");
    const std::vector<std::string> before = AllTexts(dlg_);
    EXPECT_EQ(Command(dlg_, IDC_RELOAD), TRUE);
    EXPECT_EQ(AllTexts(dlg_), before);
}

TEST_F(MainDialog, CentresByHalvingTowardMinusInfinity) {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    // Screen size minus dialog size, and where the dialog's corner must land.
    const struct { int difference, corner; } cases[] = {
        {0, 0}, {200, 100}, {201, 100}, {-1, -1}, {-2, -1}, {-101, -51},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("difference " + std::to_string(c.difference));
        const int width = screenWidth - c.difference, height = screenHeight - c.difference;
        MoveWindow(dlg_, 7, 9, width, height, FALSE);
        CenterOnScreen(dlg_);
        RECT frame;
        GetWindowRect(dlg_, &frame);
        EXPECT_EQ(frame.left, c.corner);
        EXPECT_EQ(frame.top, c.corner);
        EXPECT_EQ(frame.right - frame.left, width);
        EXPECT_EQ(frame.bottom - frame.top, height);
    }
}

// The real modal loop: a close request or Close, posted once the dialog is
// up, must end it with result 1. A timer ends it with -7 if nothing else does.
UINT g_endMessage;
WPARAM g_endParam;

INT_PTR CALLBACK PostOnceOpen(HWND dlg, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) {
        EndDialog(dlg, -7);
        return TRUE;
    }
    const INT_PTR handled = MainDialogProc(dlg, message, wParam, lParam);
    if (message == WM_INITDIALOG) {
        SetTimer(dlg, 1, 10000, nullptr);
        PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
        PostMessageA(dlg, WM_COMMAND, IDOK, 0);
        PostMessageA(dlg, g_endMessage, g_endParam, 0);
    }
    return handled;
}

TEST(MainDialogModal, EndsWithResultOneOnCloseRequestAndOnClose) {
    const struct { const char* name; UINT message; WPARAM wParam; } cases[] = {
        {"close request", WM_CLOSE, 0},
        {"Close", WM_COMMAND, MAKEWPARAM(IDC_CLOSE, BN_CLICKED)},
    };
    for (const auto& c : cases) {
        g_endMessage = c.message;
        g_endParam = c.wParam;
        EXPECT_EQ(DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MAIN), nullptr,
                                  PostOnceOpen, 0), 1)
            << c.name;
    }
}

}  // namespace
