// Which calibration new curves build on: state that the companion's run and
// the page keep beside the fields (never in them). Each load of a source sets
// it, --calibration FILE and --calibration none set it explicitly, and the
// writers read it through CurvesOfChoice.
#pragma once

#include <cstddef>

#include "calibration/calibration.h"
#include "explain/load_file.h"
#include "source/calibration_in_effect.h"

constexpr size_t kCalibrationSourceSize = 256;
constexpr size_t kCalibrationWordsSize = kCalibrationSourceSize + 192;
constexpr size_t kCalibrationLineSize = kCalibrationWordsSize + 32;

struct CalibrationChoice {
    CalibrationInEffect in_effect;       // kNone at the start
    char source[kCalibrationSourceSize];  // the file it came from, for the words
};

// No calibration in effect: curves from the ratios alone.
void ClearCalibrationChoice(CalibrationChoice& choice);

// After an applied load of the file named: the calibration it was measured
// through, or none; a reading that keeps the calibration changes nothing.
void TakeLoadCalibration(CalibrationChoice& choice, const SourceLoad& load, const char* name);

// --calibration FILE: a .cal or a profile's "vcgt". False, leaving the choice
// as it was, with the reason where the file cannot be read, holds no
// calibration or holds one that cannot be built on.
bool ChooseCalibrationBytes(CalibrationChoice& choice, const unsigned char* bytes, size_t size, const char* name,
                            char (&reason)[kCalibrationWordsSize]);
bool ChooseCalibrationFile(CalibrationChoice& choice, const char* path, char (&reason)[kCalibrationWordsSize]);

// The curves for the writers; false with the reason where the calibration in
// effect cannot be built on, so that nothing is written.
bool CurvesOfChoice(const CalibrationChoice& choice, CalibrationCurves& curves, char (&reason)[kCalibrationWordsSize]);

// What the curves build on: "built on the calibration in P2815Q.icc (256
// entries per channel)" or "no calibration in effect: curves from the ratios
// alone".
void DescribeCalibrationChoice(const CalibrationChoice& choice, char (&text)[kCalibrationWordsSize]);

// The same as a line of the companion's account: "Calibration curves: ...\n".
void ComposeCalibrationLine(const CalibrationChoice& choice, char (&text)[kCalibrationLineSize]);
