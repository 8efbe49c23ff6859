// 3x3 matrices and 3-vectors of doubles. Every operation writes into storage
// the caller provides, which must not overlap an input: outputs are written
// element by element while the inputs are still being read.
#pragma once

// Row-major: element (r, c) is m[3 * r + c].
struct Matrix3 {
    double m[9];
};

struct Vector3 {
    double v[3];
};

void MatMulVec(const Matrix3& m, const Vector3& v, Vector3& out);   // m times column v
void VecMulMat(const Vector3& v, const Matrix3& m, Vector3& out);   // row v times m
void MatMul(const Matrix3& a, const Matrix3& b, Matrix3& out);
void MatInvert(const Matrix3& m, Matrix3& out);
