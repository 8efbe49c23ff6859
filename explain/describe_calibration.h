// Why a calibration was refused, in words: the companion prints it, the page
// shows it in its status line.
#pragma once

#include <cstddef>

#include "calibration/calibration.h"
#include "form/form.h"

constexpr size_t kCalibrationReasonSize = 128;

// One line, such as "the target lies outside the display's gamut: blue is
// not a number".
void DescribeCalibrationReport(const CalibrationReport& report, char (&text)[kCalibrationReasonSize]);

// The name both files are offered under, without its ending:
// "tintmend-white-0.28310-0.29710", the target as the fields read it and
// written as they write numbers (the same digits as the files' description).
constexpr size_t kCalibrationNameSize = 2 * kFieldBufferSize + 24;
void NameCalibrationFiles(Dialog dlg, char (&name)[kCalibrationNameSize]);
