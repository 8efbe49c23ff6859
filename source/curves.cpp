#include "source/curves.h"

#include <algorithm>

double EvaluateCurve(const Curve& curve, double s) {
    const int last = curve.count - 1;
    const double at = std::clamp(s, 0.0, 1.0) * last;
    const int i = std::min(static_cast<int>(at), last - 1);
    const double t = at - i;
    return curve.value[i] + t * (curve.value[i + 1] - curve.value[i]);
}

double InvertCurve(const Curve& curve, double y) {
    const int last = curve.count - 1;
    if (y <= curve.value[0]) return 0.0;
    // The first entry that reaches y; the answer lies on the segment before it.
    for (int i = 1; i <= last; ++i) {
        const double high = curve.value[i];
        if (high < y) continue;
        const double low = curve.value[i - 1];
        const double t = high > low ? (y - low) / (high - low) : 0.0;
        return (i - 1 + t) / last;
    }
    return 1.0;
}

int FindCurveFall(const Curve& curve, double tolerance) {
    float highest = curve.value[0];
    for (int i = 1; i < curve.count; ++i) {
        if (curve.value[i] < highest - tolerance) return i;
        highest = std::max(highest, curve.value[i]);
    }
    return -1;
}
