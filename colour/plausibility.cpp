#include "colour/plausibility.h"

#include <cmath>

namespace {

// The primary in the green fields below this y and the one in the blue fields
// above the other: no display has such a green or blue, but their swap does.
constexpr double kSwappedGreenYBelow = 0.2;
constexpr double kSwappedBlueYAbove = 0.5;

void Add(PlausibilityReport& report, WarningCode code, int subject, double value) {
    if (report.count < kMaxWarnings) report.warnings[report.count++] = {code, subject, value};
}

// Twice the signed area of the triangle a, b, c: positive counter-clockwise.
double Orientation(Chromaticity a, Chromaticity b, Chromaticity c) {
    return (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
}

// Strictly outside, so that a white on an edge or a corner counts as inside.
bool IsOutsideTriangle(const Chromaticity (&p)[3], Chromaticity w) {
    const double d0 = Orientation(p[0], p[1], w);
    const double d1 = Orientation(p[1], p[2], w);
    const double d2 = Orientation(p[2], p[0], w);
    const bool negative = d0 < 0.0 || d1 < 0.0 || d2 < 0.0;
    const bool positive = d0 > 0.0 || d1 > 0.0 || d2 > 0.0;
    return negative && positive;
}

// The display side: what makes the primaries' matrix or its scaling
// meaningless. True when any of it was found.
bool CheckDisplay(const BalanceInputs& in, PlausibilityReport& report) {
    const int count_before = report.count;
    if (!(in.white.y > 0.0)) Add(report, WarningCode::kWhiteYNotPositive, IDC_REF_WHITE_Y, in.white.y);
    for (int k = 0; k < 3; ++k) {
        const double y = in.primaries[k].y;
        if (!(y > 0.0)) Add(report, WarningCode::kPrimaryYNotPositive, IDC_RED_Y + 2 * k, y);
    }
    const bool collinear = !(std::fabs(Orientation(in.primaries[0], in.primaries[1], in.primaries[2])) > kCollinearLimit);
    if (collinear) {
        Add(report, WarningCode::kPrimariesCollinear, 0, 0.0);
    } else if (IsOutsideTriangle(in.primaries, in.white)) {
        Add(report, WarningCode::kWhiteOutsideGamut, 0, 0.0);
    }
    if (in.primaries[1].y < kSwappedGreenYBelow && in.primaries[2].y > kSwappedBlueYAbove) {
        Add(report, WarningCode::kGreenBlueSwapped, 0, 0.0);
    }
    return report.count != count_before;
}

}  // namespace

PlausibilityReport CheckPlausibility(const BalanceInputs& in, const bool (&wholly_number)[kInputFieldCount],
                                     const Vector3& results) {
    PlausibilityReport report = {};
    const double read[kInputFieldCount] = {
        in.white.x,         in.white.y,         in.primaries[0].x, in.primaries[0].y,
        in.primaries[1].x,  in.primaries[1].y,  in.primaries[2].x, in.primaries[2].y,
        in.gamma,           in.target.x,        in.target.y,
    };
    for (int i = 0; i < kInputFieldCount; ++i) {
        if (!wholly_number[i]) Add(report, WarningCode::kFieldNotANumber, kFirstFieldId + i, read[i]);
    }
    const bool display_meaningless = CheckDisplay(in, report);
    if (!(in.gamma > 0.0)) Add(report, WarningCode::kGammaNotPositive, IDC_GAMMA, in.gamma);
    if (!(in.target.y > 0.0)) Add(report, WarningCode::kWhiteYNotPositive, IDC_TARGET_WHITE_Y, in.target.y);

    int unreachable = 0, above = 0;
    for (int k = 0; k < 3; ++k) {
        // Negative, or not a number once raised to 1/gamma: no drive gives it.
        if (!(results.v[k] >= 0.0)) unreachable |= 1 << k;
        if (results.v[k] > 1.0) above |= 1 << k;
    }
    // Where the display itself is described wrongly, that, not the target,
    // is the reason for a result that is not a number.
    if (unreachable != 0 && !display_meaningless) Add(report, WarningCode::kTargetOutsideGamut, unreachable, 0.0);
    if (above != 0) Add(report, WarningCode::kResultAboveOne, above, 0.0);
    return report;
}

bool HasDisplayFault(const BalanceInputs& in) {
    PlausibilityReport report = {};
    return CheckDisplay(in, report);
}

const char* NameWarningCode(WarningCode code) {
    switch (code) {
        case WarningCode::kFieldNotANumber: return "field-not-a-number";
        case WarningCode::kWhiteYNotPositive: return "white-y-not-positive";
        case WarningCode::kPrimaryYNotPositive: return "primary-y-not-positive";
        case WarningCode::kPrimariesCollinear: return "primaries-collinear";
        case WarningCode::kWhiteOutsideGamut: return "white-outside-gamut";
        case WarningCode::kGreenBlueSwapped: return "green-blue-swapped";
        case WarningCode::kGammaNotPositive: return "gamma-not-positive";
        case WarningCode::kTargetOutsideGamut: return "target-outside-gamut";
        case WarningCode::kResultAboveOne: return "result-above-one";
    }
    return "unknown";
}
