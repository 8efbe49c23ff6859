#include "source/calibration_in_effect.h"

#include <algorithm>
#include <cmath>

CalibrationRead CheckCalibrationRises(CalibrationInEffect& calibration) {
    for (int c = 0; c < kCurveChannels; ++c) {
        const Curve& curve = calibration.curves.channel[c];
        float highest = curve.value[0];
        for (int i = 0; i < curve.count; ++i) {
            const float v = curve.value[i];
            const bool outside = !(v >= 0.0f && v <= 1.0f);  // a not-a-number too
            if (outside || v < highest - kCalibrationFallTolerance) {
                calibration.channel = c;
                // The source's own entry where its table was sampled down.
                const int entries = calibration.entries;
                calibration.value = entries > curve.count ? std::lround(i * (entries - 1.0) / (curve.count - 1)) : i;
                return calibration.status = outside ? CalibrationRead::kOutOfRange : CalibrationRead::kFalls;
            }
            highest = std::max(highest, v);
        }
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
