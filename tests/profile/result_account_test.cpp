#include "explain/result_account.h"

#include <gtest/gtest.h>

#include <cmath>

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

// The page hands the gains as typed; only whole settings within a scale
// from 1 to kLargestGainScale count as given.
TEST(ReadGainSettings, TakesWholeSettingsWithinTheScale) {
    const double nan = std::nan("");
    const struct {
        double present[3];
        double top;
        bool given;
    } cases[] = {
        {{100, 90, 0}, 100, true},
        {{65535, 0, 1}, 65535, true},
        {{100, 90, 80}, 65536, false},
        {{100, 90, 80}, 0, false},
        {{100, 101, 80}, 100, false},
        {{100, 90.5, 80}, 100, false},
        {{100, nan, 80}, 100, false},
        {{100, 90, 80}, nan, false},
    };
    for (const auto& c : cases) {
        const GainSettings gains = ReadGainSettings(c.present, c.top);
        EXPECT_EQ(gains.given, c.given) << c.present[0] << " " << c.present[1] << " of " << c.top;
        if (gains.given) {
            EXPECT_EQ(gains.top, static_cast<long>(c.top));
            for (int k = 0; k < 3; ++k) EXPECT_EQ(gains.present[k], static_cast<long>(c.present[k]));
        }
    }
}

}  // namespace
