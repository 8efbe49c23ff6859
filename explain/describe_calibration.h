// Why a calibration was refused, in words: the companion prints it, the page
// shows it in its status line.
#pragma once

#include <cstddef>

#include "calibration/calibration.h"

constexpr size_t kCalibrationReasonSize = 128;

// One line, such as "the target lies outside the display's gamut: blue is
// not a number".
void DescribeCalibrationReport(const CalibrationReport& report, char (&text)[kCalibrationReasonSize]);
