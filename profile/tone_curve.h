// A tone curve element of a profile ("curv" or "para") as the display's
// response: read, evaluated, and, for a green curve that is not a single
// gamma, the gamma that best describes it as a hint for the person (never
// written to a field).
#pragma once

#include <cstddef>

// The most parameters a formula has: g, a, b, c, d, e, f.
constexpr int kParaMaxParams = 7;

// A table's entries where they lie in the profile, or a formula's parameters;
// a single gamma is the first formula.
struct ToneCurve {
    bool is_table;
    const unsigned char* table;
    size_t entries;  // 0: the identity
    int function;
    double p[kParaMaxParams];  // g, a, b, c, d, e, f
};

// data points at a curveType or parametricCurveType element with available
// bytes from there to the end of the profile. False for another type, an
// element that runs past the end or an unknown formula.
bool ReadToneCurve(const unsigned char* data, size_t available, ToneCurve& curve);

// The curve's output at signal x in [0, 1], as the profile states it (not
// normalised).
double EvaluateToneCurve(const ToneCurve& curve, double x);

// Whether the curve is one power law (a single gamma, the first formula, or
// the identity), and which.
bool IsSinglePowerLaw(const ToneCurve& curve, double& gamma);

// Fits y = x^gamma by least squares over signal 0.10 to 0.90 in steps of
// 0.01, over the element at data as ReadToneCurve reads it. False where that
// cannot read it or no gamma between 0.1 and 10 fits.
bool FitCurveGamma(const unsigned char* data, size_t available, double& gamma);
