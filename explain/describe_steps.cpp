#include "explain/describe_steps.h"

#include <cmath>
#include <cstdio>

namespace {

const char* const kChannelWords[3] = {"Red", "Green", "Blue"};
// Duv within which a white is taken as on the locus, and beyond which it is
// well off it: the steps a person can see side by side.
constexpr double kOnLocusDuv = 0.001;
constexpr double kNearLocusDuv = 0.005;
// Delta u'v' that is just visible side by side.
constexpr double kJustVisible = 0.004;
constexpr double kLargestPercent = 10.0;

const char* DescribeSide(double duv) {
    const double size = std::fabs(duv);
    if (size < kOnLocusDuv) return "on the blackbody locus";
    if (size < kNearLocusDuv) return duv > 0 ? "a little above the blackbody locus" : "a little below the blackbody locus";
    return duv > 0 ? "above the blackbody locus, toward green" : "below the blackbody locus, toward magenta";
}

// "6504 K" or "no colour temperature" for a white too far from the locus.
void FormatTemperature(const ColourTemperature& t, char (&text)[64]) {
    if (t.defined) std::snprintf(text, sizeof text, "about %ld K", static_cast<long>(std::lround(t.kelvin)));
    else std::snprintf(text, sizeof text, "too far from the blackbody locus for a temperature");
}

// "81.1 %", as the account writes it; "-" where no drive gives the target.
void FormatPercent(double result, char (&text)[32]) {
    if (!std::isfinite(result) || result < 0.0 || result > kLargestPercent) {
        std::snprintf(text, sizeof text, "-");
        return;
    }
    const long tenths = std::lround(result * 1000.0);
    std::snprintf(text, sizeof text, "%ld.%ld %%", tenths / 10, tenths % 10);
}

}  // namespace

void DescribeTargetWhite(const Account& account, char (&text)[kStepTextSize]) {
    const ColourTemperature& t = account.target;
    if (!t.defined) {
        std::snprintf(text, sizeof text, "The target has no colour temperature: it is too far from the blackbody locus.");
        return;
    }
    char duv[kFieldBufferSize];
    std::snprintf(text, sizeof text, "About %ld K, %s (Duv %s%s).", static_cast<long>(std::lround(t.kelvin)),
                  DescribeSide(t.duv), std::signbit(t.duv) ? "" : "+", FormatAccountNumber(t.duv, duv));
}

void DescribeNewSettings(const GainSettings& gains, const Account& account, char (&text)[kStepTextSize]) {
    text[0] = '\0';
    if (!gains.given || !account.has_setting[0] || !account.has_setting[1] || !account.has_setting[2]) return;
    if (IsNoChangeNeeded(gains, account)) {
        std::snprintf(text, sizeof text, "No change needed");
        return;
    }
    std::snprintf(text, sizeof text, "%s %ld, %s %ld, %s %ld", kChannelWords[0], account.settings[0], kChannelWords[1],
                  account.settings[1], kChannelWords[2], account.settings[2]);
}

void DescribeAccountProse(const Account& account, char (&text)[kStepTextSize]) {
    char reference[64], target[64], delta[kFieldBufferSize], percent[3][32];
    FormatTemperature(account.reference, reference);
    FormatTemperature(account.target, target);
    for (int k = 0; k < 3; ++k) FormatPercent(account.results.v[k], percent[k]);
    const bool visible = std::isfinite(account.delta_uv) && account.delta_uv >= kJustVisible;
    std::snprintf(text, sizeof text,
                  "Your display's white is %s, the target %s. They are %s apart in delta u'v', %s side by side. "
                  "For the target, red is driven at %s of full, green at %s and blue at %s.",
                  reference, target, FormatAccountNumber(account.delta_uv, delta),
                  visible ? "a difference you can see" : "less than you could see", percent[0], percent[1], percent[2]);
}

void NameCalibrationFilesAfterWhite(const char* white, char (&name)[kCalibrationNameSize]) {
    std::snprintf(name, sizeof name, "tintmend-%s", white);
}

void NameCalibrationFilesAfterTemperature(double kelvin, bool planckian, char (&name)[kCalibrationNameSize]) {
    std::snprintf(name, sizeof name, "tintmend-%.10gK-%s", kelvin, planckian ? "blackbody" : "daylight");
}
