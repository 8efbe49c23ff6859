// A display channel's curve as a table: the normalised output at evenly
// spaced signals from 0 to 1, read between entries by linear interpolation.
// One form serves both the calibration a reference was measured through (the
// graphics card's curves, signal to signal) and a channel's response (signal
// to linear light), so one evaluator and one inverse serve both.
#pragma once

#include <cstddef>

// Enough for every vcgt and .cal in use (256 or 1024 entries, some 4096 cut
// to this), and a response sampled finely enough that interpolating it
// misses a formula by far less than one 16-bit step.
constexpr int kMaxCurveEntries = 1024;
constexpr int kCurveChannels = 3;  // red, green, blue

struct Curve {
    int count;  // 2 to kMaxCurveEntries: entry i stands at signal i / (count - 1)
    float value[kMaxCurveEntries];
};

struct ChannelCurves {
    Curve channel[kCurveChannels];
};

// The curve at signal s, s clamped to [0, 1].
double EvaluateCurve(const Curve& curve, double s);

// The lower inverse: the smallest signal whose value reaches y, so a flat run
// or a jump has one answer; 0 where y lies at or below the value at 0, 1
// where it lies above the value at 1.
double InvertCurve(const Curve& curve, double y);

// The first entry that lies below an earlier one by more than tolerance, or
// -1 where none does: only then can the curve be inverted.
int FindCurveFall(const Curve& curve, double tolerance);
