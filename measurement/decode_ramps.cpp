#include "measurement/decode_ramps.h"

#include <algorithm>

namespace {

// The levels that count towards a ramp, and the fewest it needs.
constexpr double kRampLow = 0.1;
constexpr double kRampHigh = 0.9;
constexpr int kFewestRampLevels = 3;
// 1020 steps: every 8-bit level (k / 255) and every tenth
// falls on an entry, so that such ramps' curves pass exactly through them.
constexpr int kRampEntries = 1021;
static_assert(kRampEntries <= kMaxCurveEntries, "the ramp's curve fits a table");

struct RampPoint {
    double level;
    double y;
};

// The ramp's points in increasing level, black less black's at 0, then each
// level's mean Y less black's over full drive's; false with too few levels
// in the middle or no light at full drive.
bool SortRamp(const RampPoints& ramp, double black_y, RampPoint (&points)[kMaxRampLevels + 1], int& count) {
    count = 0;
    points[count++] = {0.0, 0.0};
    int middle = 0;
    for (int i = 0; i < ramp.count; ++i) {
        points[count++] = {ramp.level[i], ramp.y_sum[i] / static_cast<double>(ramp.rows[i]) - black_y};
        middle += ramp.level[i] >= kRampLow && ramp.level[i] <= kRampHigh;
    }
    std::sort(points + 1, points + count, [](const RampPoint& a, const RampPoint& b) { return a.level < b.level; });
    const double full = points[count - 1].y;
    if (middle < kFewestRampLevels || points[count - 1].level != 1.0 || !(full > 0.0)) return false;
    for (int i = 1; i < count; ++i) points[i].y /= full;
    return true;
}

void SampleRamp(const RampPoint (&points)[kMaxRampLevels + 1], int count, Curve& curve) {
    curve.count = kRampEntries;
    int segment = 1;
    for (int j = 0; j < kRampEntries; ++j) {
        const double s = static_cast<double>(j) / (kRampEntries - 1);
        while (segment < count - 1 && points[segment].level < s) ++segment;
        const RampPoint& low = points[segment - 1];
        const RampPoint& high = points[segment];
        const double t = (s - low.level) / (high.level - low.level);
        curve.value[j] = static_cast<float>(low.y + t * (high.y - low.y));
    }
}

}  // namespace

int FindRampChannel(const double (&device)[3]) {
    int channel = -1, above = 0;
    for (int c = 0; c < 3; ++c) {
        if (device[c] > 0.0) {
            channel = c;
            ++above;
        } else if (device[c] != 0.0) {
            return -1;
        }
    }
    return above == 1 ? channel : -1;
}

void AddRampPoint(RampPoints& ramp, double level, double y) {
    int i = 0;
    while (i < ramp.count && ramp.level[i] != level) ++i;
    if (i == ramp.count) {
        if (ramp.count == kMaxRampLevels) return;
        ramp.level[i] = level;
        ramp.y_sum[i] = 0.0;
        ramp.rows[i] = 0;
        ++ramp.count;
    }
    ramp.y_sum[i] += y;
    ++ramp.rows[i];
}

void DecodeRampResponse(RampPoints (&ramps)[3], double black_y, DisplayResponse& out) {
    out.kind = ResponseKind::kPowerLaw;
    out.source = LoadSource::kMeasurement;
    for (int c = 0; c < 3; ++c) {
        RampPoint points[kMaxRampLevels + 1];
        int count = 0;
        if (!SortRamp(ramps[c], black_y, points, count)) return;
        SampleRamp(points, count, out.curves.channel[c]);
    }
    SettleResponse(out);
}
