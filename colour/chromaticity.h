// From XYZ to a chromaticity, and the one not-a-number that every build shows.
#pragma once

#include <cmath>
#include <limits>

#include "colour/matrix.h"

// A CIE 1931 (x, y) pair; z = 1 - x - y is derived where needed.
struct Chromaticity {
    double x;
    double y;
};

// Which not-a-number an operation yields is up to the machine: x86 gives the
// "indefinite" (sign set), WebAssembly and ARM may give a positive one, and
// when two meet the compiler's operand order decides. Results that are not a
// number are made the indefinite, so that every build writes -1.#IND0.
inline double AsIndefiniteIfNaN(double value) {
    return std::isnan(value) ? -std::numeric_limits<double>::quiet_NaN() : value;
}

// x = X / (X + Y + Z), y = Y / (X + Y + Z), each operation rounded by itself.
// All-zero XYZ gives 0/0: the source says nothing sensible, and the fields
// say so rather than inventing a colour.
inline void XyzToChromaticity(const Vector3& xyz, double& x, double& y) {
    const double sum = xyz.v[0] + xyz.v[1] + xyz.v[2];
    x = AsIndefiniteIfNaN(xyz.v[0] / sum);
    y = AsIndefiniteIfNaN(xyz.v[1] / sum);
}
