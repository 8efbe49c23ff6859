#include "source/calibration_in_effect.h"

#include <algorithm>
#include <cmath>

namespace {

// The first entry outside 0 to 1 (a not-a-number too), or -1.
int FindOutOfRange(const Curve& curve) {
    for (int i = 0; i < curve.count; ++i) {
        if (!(curve.value[i] >= 0.0f && curve.value[i] <= 1.0f)) return i;
    }
    return -1;
}

}  // namespace

CalibrationRead CheckCalibrationRises(CalibrationInEffect& calibration) {
    for (int c = 0; c < kCurveChannels; ++c) {
        const Curve& curve = calibration.curves.channel[c];
        const int outside = FindOutOfRange(curve);
        const int fall = FindCurveFall(curve, kCalibrationFallTolerance);
        if (outside < 0 && fall < 0) continue;
        // Whichever fault comes first is the one named, at that entry.
        const bool out = outside >= 0 && (fall < 0 || outside <= fall);
        const int i = out ? outside : fall;
        calibration.channel = c;
        // The source's own entry where its table was sampled down.
        const int entries = calibration.entries;
        calibration.value = entries > curve.count ? std::lround(i * (entries - 1.0) / (curve.count - 1)) : i;
        return calibration.status = out ? CalibrationRead::kOutOfRange : CalibrationRead::kFalls;
    }
    return calibration.status = CalibrationRead::kCurves;
}

void FillCalibrationCurve(Curve& curve, int count, CalibrationEntryReader entry, const void* context) {
    if (count <= kMaxCurveEntries) {
        curve.count = count;
        for (int i = 0; i < count; ++i) curve.value[i] = static_cast<float>(entry(context, i));
        return;
    }
    // Longer tables are read between their entries, as they would be evaluated.
    curve.count = kMaxCurveEntries;
    for (int j = 0; j < kMaxCurveEntries; ++j) {
        const double at = static_cast<double>(j) * (count - 1) / (kMaxCurveEntries - 1);
        const int i = std::min(static_cast<int>(at), count - 2);
        const double low = entry(context, i);
        curve.value[j] = static_cast<float>(low + (at - i) * (entry(context, i + 1) - low));
    }
}

double EvaluateCalibrationFormula(const CalibrationFormula& formula, int channel, double s) {
    const double low = formula.low[channel];
    return low + (formula.high[channel] - low) * std::pow(std::clamp(s, 0.0, 1.0), formula.gamma[channel]);
}
