#include "colour/locus.h"

#include <cmath>

#include "colour/cmf_table.h"

namespace {

// Planck's second radiation constant, in metre kelvin. The first constant
// scales all three sums alike and cancels out of a chromaticity.
constexpr double kPlanckC2 = 1.4388e-2;
constexpr double kMetresPerNm = 1e-9;

// The boundary between CIE 15's two cubics for daylight.
constexpr double kDaylightSplitKelvin = 7000.0;

bool IsWithin(double kelvin, double low, double high) { return kelvin >= low && kelvin <= high; }

}  // namespace

bool CalcDaylightChromaticity(double kelvin, Chromaticity& out) {
    if (!IsWithin(kelvin, kDaylightMinKelvin, kDaylightMaxKelvin)) return false;
    const double t = kelvin;
    const double t2 = t * t;
    const double t3 = t2 * t;
    double x;
    if (t <= kDaylightSplitKelvin) {
        x = -4.6070e9 / t3 + 2.9678e6 / t2 + 0.09911e3 / t + 0.244063;
    } else {
        x = -2.0064e9 / t3 + 1.9018e6 / t2 + 0.24748e3 / t + 0.237040;
    }
    out.x = x;
    out.y = -3.0 * x * x + 2.870 * x - 0.275;
    return true;
}

void SumPlanckianXyz(double kelvin, double& x, double& y, double& z) {
    x = 0.0;
    y = 0.0;
    z = 0.0;
    for (int i = 0; i < kCmfSampleCount; ++i) {
        const double metres = (kCmfFirstNm + i * kCmfStepNm) * kMetresPerNm;
        // Spectral exitance up to the constant factor c1 and the band width.
        // The fifth power as plain products: each rounded the same everywhere.
        const double fifth = metres * metres * metres * metres * metres;
        const double radiance = 1.0 / (fifth * (std::exp(kPlanckC2 / (metres * kelvin)) - 1.0));
        x = x + radiance * kCmf1931[i].x_bar;
        y = y + radiance * kCmf1931[i].y_bar;
        z = z + radiance * kCmf1931[i].z_bar;
    }
}

bool CalcPlanckianChromaticity(double kelvin, Chromaticity& out) {
    if (!IsWithin(kelvin, kPlanckianMinKelvin, kPlanckianMaxKelvin)) return false;
    double x, y, z;
    SumPlanckianXyz(kelvin, x, y, z);
    const double sum = x + y + z;
    out.x = x / sum;
    out.y = y / sum;
    return true;
}
