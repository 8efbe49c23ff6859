// Correlated colour temperature: the blackbody temperature whose white is
// nearest a chromaticity in CIE 1960 (u, v), with the signed distance Duv;
// and the distance between two chromaticities in CIE 1976 (u', v').
#pragma once

#include "colour/chromaticity.h"

// Beyond this distance from the blackbody locus a temperature describes the
// colour too poorly to be named (CIE 15's limit).
constexpr double kDuvLimit = 0.05;

struct ColourTemperature {
    bool defined;   // false: not a colour, beyond kDuvLimit, or past a locus end
    double kelvin;  // 1000 to 25000 K
    double duv;     // positive above the locus (toward green), negative below
};

// CIE 1960 u, v; false (out untouched) where x, y name no colour, that is
// where -2x + 12y + 3 is not positive or a coordinate is not finite.
bool CalcUv1960(Chromaticity c, double& u, double& v);

// A search on the blackbody locus itself, not a polynomial approximation:
// a scan in steps of reciprocal temperature, then a golden-section search
// around the nearest sample.
ColourTemperature CalcColourTemperature(Chromaticity c);

// Euclidean distance in CIE 1976 (u', v'); not a number where either
// chromaticity names no colour.
double CalcDeltaUvPrime(Chromaticity a, Chromaticity b);
