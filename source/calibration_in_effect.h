// The calibration a source's values were measured through: the graphics
// card's curves that were loaded while the display was measured (a profile's
// "vcgt", a measurement's CAL table). New curves are built on it; it is never
// written to a field.
#pragma once

#include <cstddef>

#include "source/curves.h"

enum class CalibrationRead {
    kNone,          // measured with no calibration loaded
    kCurves,        // curves holds it
    // Why a calibration that is there cannot be built on.
    kUnknownForm,   // value: the kind or entry size found
    kTooFewEntries, // value: the entries found, fewer than 2
    kTruncated,     // shorter than its header says
    kChannelCount,  // value: the channels found, neither 1 nor 3
    kFalls,         // channel and value: the entry below an earlier one
    kOutOfRange,    // channel and value: an entry below 0 or above 1 (a formula's or a .cal's)
    kNotCalTable,   // a .cal without its RGB_I, RGB_R, RGB_G, RGB_B rows of numbers
    kUnevenInputs,  // a .cal whose inputs are not evenly spaced from 0 to 1
};

// A calibration stated as min + (max - min) * s^gamma per channel. It is
// evaluated as stated: a table of it would miss the steep start of a gamma
// below 1 by more than a 16-bit step.
struct CalibrationFormula {
    bool given;
    double gamma[kCurveChannels], low[kCurveChannels], high[kCurveChannels];
};

// The formula's channel c at signal s, s clamped to [0, 1].
double EvaluateCalibrationFormula(const CalibrationFormula& formula, int channel, double s);

struct CalibrationInEffect {
    CalibrationRead status;
    int entries;  // per channel as the source states them; 0 for a formula
    int channel;  // where the status names one
    long value;   // where the status names one
    ChannelCurves curves;          // a formula too, sampled
    CalibrationFormula formula;    // given where the source states a formula
};

// A decrease smaller than this is a rounding of the source's own numbers, not a fall.
constexpr double kCalibrationFallTolerance = 1.0 / 65535;

// kOutOfRange or kFalls naming the first channel and entry at fault, or
// kCurves: the writers state levels from 0 to 1 and nothing else.
CalibrationRead CheckCalibrationRises(CalibrationInEffect& calibration);

// Reads entry i of a calibration's table, normalised to [0, 1].
using CalibrationEntryReader = double (*)(const void* context, int index);

// The curve of count entries (at least 2): as they are up to
// kMaxCurveEntries, longer tables sampled evenly between their entries.
void FillCalibrationCurve(Curve& curve, int count, CalibrationEntryReader entry, const void* context);
