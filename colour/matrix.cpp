#include "colour/matrix.h"

// Every expression below is evaluated as written, left to right; the build
// forbids fused multiply-adds, so each operation is rounded by itself. In
// degenerate cases those last bits decide between zero and a tiny number.

void MatMulVec(const Matrix3& m, const Vector3& v, Vector3& out) {
    for (int i = 0; i < 3; ++i) {
        out.v[i] = m.m[3 * i + 0] * v.v[0] + m.m[3 * i + 1] * v.v[1] + m.m[3 * i + 2] * v.v[2];
    }
}

void VecMulMat(const Vector3& v, const Matrix3& m, Vector3& out) {
    for (int j = 0; j < 3; ++j) {
        out.v[j] = v.v[0] * m.m[0 + j] + v.v[1] * m.m[3 + j] + v.v[2] * m.m[6 + j];
    }
}

void MatMul(const Matrix3& a, const Matrix3& b, Matrix3& out) {
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            out.m[3 * i + j] = a.m[3 * i + 0] * b.m[0 + j] + a.m[3 * i + 1] * b.m[3 + j] +
                               a.m[3 * i + 2] * b.m[6 + j];
        }
    }
}

// The adjugate over the determinant, one division per element and no
// pivoting: a zero determinant gives infinities and not-a-numbers, as IEEE
// division does.
void MatInvert(const Matrix3& m, Matrix3& out) {
    const double m00 = m.m[0], m01 = m.m[1], m02 = m.m[2];
    const double m10 = m.m[3], m11 = m.m[4], m12 = m.m[5];
    const double m20 = m.m[6], m21 = m.m[7], m22 = m.m[8];

    const double det = m00 * m11 * m22 - m21 * m00 * m12 + m10 * m21 * m02 -
                       m10 * m01 * m22 + m20 * m01 * m12 - m20 * m11 * m02;

    out.m[0] = (m22 * m11 - m21 * m12) / det;
    out.m[1] = -((m22 * m01 - m02 * m21) / det);
    out.m[2] = (m12 * m01 - m02 * m11) / det;
    out.m[3] = -((m10 * m22 - m20 * m12) / det);
    out.m[4] = (m22 * m00 - m02 * m20) / det;
    out.m[5] = -((m12 * m00 - m10 * m02) / det);
    out.m[6] = (m10 * m21 - m20 * m11) / det;
    out.m[7] = -((m21 * m00 - m20 * m01) / det);
    out.m[8] = (m00 * m11 - m10 * m01) / det;
}
