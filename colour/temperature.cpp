#include "colour/temperature.h"

#include <cmath>
#include <limits>

#include "colour/locus.h"

namespace {

// The scan runs in mireds (10^6 / T), in which the locus's points are spread
// far more evenly than in kelvin.
constexpr double kMiredsPerKelvin = 1e6;
constexpr double kScanStepMireds = 10.0;
// Golden-section search stops when the bracket is this narrow, far below
// the 0.1 K that any reading needs.
constexpr double kSearchToleranceMireds = 1e-7;
constexpr double kInverseGolden = 0.6180339887498949;
// How far past a locus end, in (u, v), a colour may lie and still be beside
// it: far below any visible difference, above rounding's noise.
constexpr double kPastEndTolerance = 1e-9;

struct LocusPoint {
    double u;
    double v;
};

LocusPoint PlanckianUv(double mireds) {
    double x, y, z;
    SumPlanckianXyz(kMiredsPerKelvin / mireds, x, y, z);
    const double denominator = x + 15.0 * y + 3.0 * z;
    return {4.0 * x / denominator, 6.0 * y / denominator};
}

double SquaredDistance(double u, double v, double mireds) {
    const LocusPoint p = PlanckianUv(mireds);
    const double du = u - p.u;
    const double dv = v - p.v;
    return du * du + dv * dv;
}

// The nearest sample of the scan, from the coldest end (fewest mireds) on.
double ScanNearestMireds(double u, double v, double low, double high) {
    double best = low;
    double best_distance = SquaredDistance(u, v, low);
    for (double m = low + kScanStepMireds; m < high + kScanStepMireds; m = m + kScanStepMireds) {
        const double at = m < high ? m : high;
        const double distance = SquaredDistance(u, v, at);
        if (distance < best_distance) {
            best = at;
            best_distance = distance;
        }
    }
    return best;
}

// The distance is unimodal within one scan step either side of the nearest
// sample, so a golden-section search there finds the minimum.
double RefineNearestMireds(double u, double v, double low, double high) {
    double a = low, b = high;
    double c = b - (b - a) * kInverseGolden;
    double d = a + (b - a) * kInverseGolden;
    double fc = SquaredDistance(u, v, c);
    double fd = SquaredDistance(u, v, d);
    while (b - a > kSearchToleranceMireds) {
        if (fc < fd) {
            b = d;
            d = c;
            fd = fc;
            c = b - (b - a) * kInverseGolden;
            fc = SquaredDistance(u, v, c);
        } else {
            a = c;
            c = d;
            fc = fd;
            d = a + (b - a) * kInverseGolden;
            fd = SquaredDistance(u, v, d);
        }
    }
    return (a + b) / 2.0;
}

// Whether (u, v) lies past the locus's end at end_mireds, in the direction
// the locus runs out of its range (from one scan step inside toward the end),
// rather than beside it. A colour on the end itself is not past it.
bool IsPastEnd(double u, double v, double end_mireds, double inside_mireds) {
    const LocusPoint end = PlanckianUv(end_mireds);
    const LocusPoint inside = PlanckianUv(inside_mireds);
    const double du = end.u - inside.u, dv = end.v - inside.v;
    const double along = (u - end.u) * du + (v - end.v) * dv;
    return along > kPastEndTolerance * std::sqrt(du * du + dv * dv);
}

}  // namespace

bool CalcUv1960(Chromaticity c, double& u, double& v) {
    const double denominator = -2.0 * c.x + 12.0 * c.y + 3.0;
    if (!std::isfinite(c.x) || !std::isfinite(c.y) || !(denominator > 0.0)) return false;
    u = 4.0 * c.x / denominator;
    v = 6.0 * c.y / denominator;
    return true;
}

ColourTemperature CalcColourTemperature(Chromaticity c) {
    ColourTemperature result = {false, 0.0, 0.0};
    double u, v;
    if (!CalcUv1960(c, u, v)) return result;
    const double low = kMiredsPerKelvin / kPlanckianMaxKelvin;
    const double high = kMiredsPerKelvin / kPlanckianMinKelvin;
    const double nearest = ScanNearestMireds(u, v, low, high);
    const double from = nearest - kScanStepMireds > low ? nearest - kScanStepMireds : low;
    const double to = nearest + kScanStepMireds < high ? nearest + kScanStepMireds : high;
    const double mireds = RefineNearestMireds(u, v, from, to);
    // Nearest an end, the colour may lie beyond the locus, not beside it.
    if (mireds - low < kSearchToleranceMireds && IsPastEnd(u, v, low, low + kScanStepMireds)) return result;
    if (high - mireds < kSearchToleranceMireds && IsPastEnd(u, v, high, high - kScanStepMireds)) return result;

    const LocusPoint p = PlanckianUv(mireds);
    const double du = u - p.u;
    const double dv = v - p.v;
    const double distance = std::sqrt(du * du + dv * dv);
    result.kelvin = kMiredsPerKelvin / mireds;
    result.duv = dv < 0.0 ? -distance : distance;
    result.defined = distance <= kDuvLimit;
    return result;
}

double CalcDeltaUvPrime(Chromaticity a, Chromaticity b) {
    double ua, va, ub, vb;
    if (!CalcUv1960(a, ua, va) || !CalcUv1960(b, ub, vb)) return -std::numeric_limits<double>::quiet_NaN();
    // v' = 1.5 v; u' = u.
    const double du = ua - ub;
    const double dv = 1.5 * va - 1.5 * vb;
    return std::sqrt(du * du + dv * dv);
}
