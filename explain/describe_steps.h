// The page's words for its steps, from the same account --explain prints:
// the target white in words under the diagram, the new settings shown large,
// the account as sentences, and the calibration files named after the target
// as it was chosen.
#pragma once

#include <cstddef>

#include "explain/describe_calibration.h"
#include "explain/result_account.h"

constexpr size_t kStepTextSize = 512;

// "About 6504 K, a little above the blackbody locus (Duv +0.00321)."
void DescribeTargetWhite(const Account& account, char (&text)[kStepTextSize]);

// "Red 81, Green 88, Blue 100", "No change needed", or, without the present
// settings or where a channel has none, "" (the account says why).
void DescribeNewSettings(const GainSettings& gains, const Account& account, char (&text)[kStepTextSize]);

// The account as a short paragraph: the two whites, how far apart, and how
// hard each channel is driven.
void DescribeAccountProse(const Account& account, char (&text)[kStepTextSize]);

// "tintmend-D65" after a named white, "tintmend-3400K-blackbody" or
// "tintmend-6500K-daylight" after a temperature.
void NameCalibrationFilesAfterWhite(const char* white, char (&name)[kCalibrationNameSize]);
void NameCalibrationFilesAfterTemperature(double kelvin, bool planckian, char (&name)[kCalibrationNameSize]);
