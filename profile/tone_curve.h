// The gamma that best describes a green tone curve that is not a single
// gamma (a table, or one of the ICC's parametric formulas): a hint for the
// person, never written to a field.
#pragma once

#include <cstddef>

// data points at a curveType or parametricCurveType element with available
// bytes from there to the end of the profile. Fits y = x^gamma by least
// squares over signal 0.10 to 0.90 in steps of 0.01. False for another type,
// an element that runs past the end, an unknown formula or a curve that no
// gamma between 0.1 and 10 fits.
bool FitCurveGamma(const unsigned char* data, size_t available, double& gamma);
