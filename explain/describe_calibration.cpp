#include "explain/describe_calibration.h"

#include <cstdio>

#include "explain/result_account.h"

namespace {

const char* const kChannelNames[kCalibrationChannels] = {"red", "green", "blue"};

// The reason, and for a status that names a channel what is wrong with it.
struct StatusText {
    CalibrationStatus status;
    const char* reason;
    const char* verdict;
};

const StatusText kStatusTexts[] = {
    {CalibrationStatus::kReady, "ready", nullptr},
    {CalibrationStatus::kGammaNotFinite, "the gamma is not a finite number", nullptr},
    {CalibrationStatus::kGammaNotPositive, "the gamma is not positive", nullptr},
    {CalibrationStatus::kGammaOutOfRange,
     "the gamma is beyond what a profile can state (about 0.002 to 255.99)", nullptr},
    {CalibrationStatus::kReferenceNoDisplay, "the reference white and primaries describe no display",
     nullptr},
    {CalibrationStatus::kReferenceFault, "the reference white and primaries describe no display (see the warnings):",
     "is not a number"},
    {CalibrationStatus::kResultNotANumber, "the target lies outside the display's gamut:",
     "is not a number"},
    {CalibrationStatus::kResultNegative, "the target lies outside the display's gamut:", "is negative"},
    {CalibrationStatus::kResultInfinite, "the results allow no calibration:", "is infinite"},
    {CalibrationStatus::kResultAboveOne, "the results allow no calibration:", "is above 1"},
    {CalibrationStatus::kNoFullChannel, "the results allow no calibration: no channel is at 1", nullptr},
    {CalibrationStatus::kOutOfProfileRange, "the display's colours lie beyond what a profile can state",
     nullptr},
};

}  // namespace

void DescribeCalibrationReport(const CalibrationReport& report, char (&text)[kCalibrationReasonSize]) {
    for (const StatusText& entry : kStatusTexts) {
        if (entry.status != report.status) continue;
        if (entry.verdict == nullptr) {
            std::snprintf(text, sizeof text, "%s", entry.reason);
        } else {
            std::snprintf(text, sizeof text, "%s %s %s", entry.reason, kChannelNames[report.channel],
                          entry.verdict);
        }
        return;
    }
    std::snprintf(text, sizeof text, "unknown failure");
}

void NameCalibrationFiles(Dialog dlg, char (&name)[kCalibrationNameSize]) {
    char x[kFieldBufferSize];
    char y[kFieldBufferSize];
    std::snprintf(name, sizeof name, "tintmend-white-%s-%s",
                  FormatAccountNumber(ReadFieldNumber(dlg, IDC_TARGET_WHITE_X), x),
                  FormatAccountNumber(ReadFieldNumber(dlg, IDC_TARGET_WHITE_Y), y));
}
