#include "source/display_response.h"

#include <cmath>

namespace {

// False where the curve gives no light at full signal (or not a number), so
// that nothing can be normalised.
bool NormaliseCurve(Curve& curve) {
    const double full = curve.value[curve.count - 1];
    if (!(full > 0.0) || !std::isfinite(full)) return false;
    for (int i = 0; i < curve.count; ++i) {
        curve.value[i] = static_cast<float>(curve.value[i] / full);
        if (!std::isfinite(curve.value[i])) return false;
    }
    return true;
}

}  // namespace

void SettleResponse(DisplayResponse& response) {
    for (int c = 0; c < kCurveChannels; ++c) {
        Curve& curve = response.curves.channel[c];
        if (!NormaliseCurve(curve) || FindCurveFall(curve, kResponseFallTolerance) >= 0) {
            response.kind = ResponseKind::kNotInvertible;
            response.channel = c;
            return;
        }
    }
    response.kind = ResponseKind::kCurves;
}

const ChannelCurves* UsableResponse(const DisplayResponse& response) {
    return response.kind == ResponseKind::kCurves ? &response.curves : nullptr;
}

double CalcToneResponse(const ChannelCurves& curves, const Matrix3& normalised, double s) {
    double tone = 0.0;
    for (int c = 0; c < kCurveChannels; ++c) tone += normalised.m[3 * c + 1] * EvaluateCurve(curves.channel[c], s);
    return tone;
}

Vector3 CalcShownXyz(const ChannelCurves& curves, const Matrix3& normalised, const double (&signal)[3]) {
    Vector3 xyz = {{0.0, 0.0, 0.0}};
    for (int c = 0; c < kCurveChannels; ++c) {
        const double light = EvaluateCurve(curves.channel[c], signal[c]);
        for (int i = 0; i < 3; ++i) xyz.v[i] += normalised.m[3 * c + i] * light;
    }
    return xyz;
}
