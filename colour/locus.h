// The two loci of whites that a temperature names: CIE daylight and the
// blackbody (Planckian) radiator, each as a chromaticity for a temperature in
// kelvin. Outside its range a locus is not defined: the functions refuse
// rather than extrapolate.
#pragma once

#include "colour/chromaticity.h"

constexpr double kDaylightMinKelvin = 4000.0;
constexpr double kDaylightMaxKelvin = 25000.0;
constexpr double kPlanckianMinKelvin = 1000.0;
constexpr double kPlanckianMaxKelvin = 25000.0;

// CIE daylight: x from the cubic in 1/T for 4000-7000 K or 7000-25000 K, then
// y = -3x^2 + 2.870x - 0.275. False (out untouched) outside 4000-25000 K.
bool CalcDaylightChromaticity(double kelvin, Chromaticity& out);

// The blackbody: Planck's law summed against the CIE 1931 colour-matching
// functions over their bands. False (out untouched) outside 1000-25000 K.
bool CalcPlanckianChromaticity(double kelvin, Chromaticity& out);

// The blackbody's tristimulus values at kelvin (any scale; only their ratios
// matter), for callers that work in another chromaticity space.
void SumPlanckianXyz(double kelvin, double& x, double& y, double& z);
