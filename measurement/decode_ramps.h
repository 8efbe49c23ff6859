// A measurement's single-channel ramps as the display's own curves: rows with
// one channel above 0 and the others at 0, each channel's Y less black's over
// its full drive's.
#pragma once

#include <cstddef>

#include "source/display_response.h"

// More levels than a ramp of 8-bit steps are not read.
constexpr int kMaxRampLevels = 256;

// A channel's ramp: the mean Y at each level (a fraction of the top) seen.
struct RampPoints {
    int count;
    double level[kMaxRampLevels];
    double y_sum[kMaxRampLevels];
    size_t rows[kMaxRampLevels];
};

// The channel alone above 0 in device, or -1.
int FindRampChannel(const double (&device)[3]);

void AddRampPoint(RampPoints& ramp, double level, double y);

// Curves where every channel's ramp has at least three levels from 10 % to
// 90 %, black at 0 and full drive at 1, read between levels by straight
// lines; otherwise kPowerLaw (the fitted gamma stands for them).
void DecodeRampResponse(RampPoints (&ramps)[3], double black_y, DisplayResponse& out);
