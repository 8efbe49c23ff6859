#include "explain/describe_steps.h"

#include <gtest/gtest.h>


namespace {

// The target in words: the side of the locus by Duv, and none off it.
TEST(DescribeTargetWhite, SaysTheSideOfTheLocus) {
    const struct {
        ColourTemperature target;
        const char* text;
    } cases[] = {
        {{true, 6504.4, 0.00321}, "About 6504 K, a little above the blackbody locus (Duv +0.00321)."},
        {{true, 3400, -0.0004}, "About 3400 K, on the blackbody locus (Duv -0.00040)."},
        {{true, 5000, -0.012}, "About 5000 K, below the blackbody locus, toward magenta (Duv -0.01200)."},
        {{false, 0, 0}, "The target has no colour temperature: it is too far from the blackbody locus."},
    };
    for (const auto& c : cases) {
        Account account = {};
        account.target = c.target;
        char text[kStepTextSize];
        DescribeTargetWhite(account, text);
        EXPECT_STREQ(text, c.text);
    }
}

// The settings shown large: only with every channel's setting, and "No change
// needed" within a step of the present ones.
TEST(DescribeNewSettings, ShowsTheSettingsOrNoChange) {
    const struct {
        GainSettings gains;
        bool has_blue;
        long settings[3];
        const char* text;
    } cases[] = {
        {{true, {100, 100, 100}, 100}, true, {81, 88, 100}, "Red 81, Green 88, Blue 100"},
        {{true, {81, 88, 100}, 100}, true, {82, 88, 99}, "No change needed"},
        {{false, {0, 0, 0}, 100}, true, {81, 88, 100}, ""},
        {{true, {100, 100, 100}, 100}, false, {81, 88, 0}, ""},
    };
    for (const auto& c : cases) {
        Account account = {};
        for (int k = 0; k < 3; ++k) {
            account.has_setting[k] = k < 2 || c.has_blue;
            account.settings[k] = c.settings[k];
        }
        char text[kStepTextSize];
        DescribeNewSettings(c.gains, account, text);
        EXPECT_STREQ(text, c.text);
    }
}

// Files named after the target as chosen; a temperature keeps its digits.
TEST(NameCalibrationFilesAfter, TheWhiteOrTheTemperature) {
    char name[kCalibrationNameSize];
    NameCalibrationFilesAfterWhite("DCI-P3", name);
    EXPECT_STREQ(name, "tintmend-DCI-P3");
    NameCalibrationFilesAfterTemperature(3400, true, name);
    EXPECT_STREQ(name, "tintmend-3400K-blackbody");
    NameCalibrationFilesAfterTemperature(6502.5, false, name);
    EXPECT_STREQ(name, "tintmend-6502.5K-daylight");
}

}  // namespace
