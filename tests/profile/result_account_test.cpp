#include "explain/result_account.h"

#include <gtest/gtest.h>

#include "form/memory_form.h"

namespace {

struct ChangeCase {
    const char* name;
    GainSettings gains;
    bool has_setting[3];
    long settings[3];
    bool no_change;
};

// One step either way is no change; two steps, or a channel with no setting,
// is one.
TEST(IsNoChangeNeeded, AllowsOneStepEitherWay) {
    const ChangeCase cases[] = {
        {"same", {true, {100, 90, 80}, 100}, {true, true, true}, {100, 90, 80}, true},
        {"one step each way", {true, {100, 90, 80}, 100}, {true, true, true}, {99, 91, 80}, true},
        {"two steps down", {true, {100, 90, 80}, 100}, {true, true, true}, {100, 88, 80}, false},
        {"two steps up", {true, {100, 90, 80}, 100}, {true, true, true}, {100, 90, 82}, false},
        {"no setting for blue", {true, {100, 90, 80}, 100}, {true, true, false}, {100, 90, 0}, false},
    };
    for (const ChangeCase& c : cases) {
        Account account = {};
        for (int k = 0; k < 3; ++k) {
            account.has_setting[k] = c.has_setting[k];
            account.settings[k] = c.settings[k];
        }
        EXPECT_EQ(IsNoChangeNeeded(c.gains, account), c.no_change) << c.name;
    }
}

// New settings are round(present x result), only where present gains are given.
TEST(MakeAccount, RoundsPresentTimesResult) {
    Form form;
    StartForm(&form);
    SetFieldText(&form, IDC_TARGET_WHITE_X, "0.2831");
    SetFieldText(&form, IDC_TARGET_WHITE_Y, "0.2971");
    CalcBalance(&form);
    // Results 0.81081, 0.87909, 1.00000.
    const Account account = MakeAccount(&form, {true, {100, 200, 7}, 255});
    const long expected[3] = {81, 176, 7};
    for (int k = 0; k < 3; ++k) {
        EXPECT_TRUE(account.has_setting[k]) << k;
        EXPECT_EQ(account.settings[k], expected[k]) << k;
    }
    EXPECT_FALSE(MakeAccount(&form, {false, {100, 100, 100}, 100}).has_setting[0]);
}

}  // namespace
