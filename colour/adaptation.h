// Chromatic adaptation by the Bradford method: the matrix that carries a
// colour seen under one white to the colour that looks the same under another.
#pragma once

#include "colour/matrix.h"

// The Bradford cone response matrix, as the decimal literals everyone uses,
// so that profiles written and read here agree with other tools' to the bit.
extern const Matrix3 kBradford;

// From the white `from` to the white `to` (both XYZ): B = M^-1 (D M), with
// M the Bradford matrix and D the diagonal of the cone responses' ratios
// (M to) / (M from), each operation rounded by itself in exactly this order.
void MakeBradfordAdaptation(const Vector3& from, const Vector3& to, Matrix3& out);
