#include "colour/matrix.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Equal bit for bit, except that any not-a-number matches any other.
bool SameValue(double a, double b) {
    if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
    std::uint64_t x, y;
    std::memcpy(&x, &a, sizeof x);
    std::memcpy(&y, &b, sizeof y);
    return x == y;
}

struct InvertCase {
    const char* name;
    Matrix3 m;
    Matrix3 inverse;
};

TEST(MatInvert, KeepsTheCofactorSignsAndDividesByAnExactZero) {
    const InvertCase cases[] = {
        // The cofactors of the identity's off-diagonal zeros are zeros; the
        // negated ones become negative zeros.
        {"identity", {{1, 0, 0, 0, 1, 0, 0, 0, 1}}, {{1, -0.0, 0, -0.0, 1, -0.0, 0, -0.0, 1}}},
        {"diagonal", {{2, 0, 0, 0, 4, 0, 0, 0, 8}}, {{0.5, -0.0, 0, -0.0, 0.25, -0.0, 0, -0.0, 0.125}}},
        // Two equal rows whose determinant evaluates to exactly zero.
        {"singular", {{1, 2, 3, 1, 2, 3, 4, 5, 7}},
         {{-kInf, kInf, kNaN, kInf, -kInf, kNaN, -kInf, kInf, kNaN}}},
    };
    for (const InvertCase& c : cases) {
        Matrix3 out;
        MatInvert(c.m, out);
        for (int i = 0; i < 9; ++i) {
            EXPECT_TRUE(SameValue(out.m[i], c.inverse.m[i]))
                << c.name << " element " << i << ": " << out.m[i] << " expected " << c.inverse.m[i];
        }
    }
}

TEST(MatInvert, TimesTheMatrixGivesTheIdentity) {
    const Matrix3 matrices[] = {
        {{1.939393939393939, 1, 0.09090909090909091, 0.5, 1, 0.16666666666666666, 2.5, 1,
          13.166666666666666}},
        {{4, 7, 2, 3, 6, 1, 2, 5, 3}},
        {{0.1, 0.2, 0.3, -4, 5, 6, 7, -8, 9.5}},
    };
    for (const Matrix3& m : matrices) {
        Matrix3 inverse, product;
        MatInvert(m, inverse);
        MatMul(m, inverse, product);
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 3; ++c) {
                EXPECT_NEAR(product.m[3 * r + c], r == c ? 1.0 : 0.0, 1e-14) << r << "," << c;
            }
        }
    }
}

TEST(MatrixProducts, RowVectorsTakeRowsAndColumnVectorsTakeColumns) {
    const Matrix3 m = {{1, 2, 3, 4, 5, 6, 7, 8, 9}};
    const struct {
        Vector3 v;
        Vector3 row_times_m;  // v * m
        Vector3 m_times_col;  // m * v
    } cases[] = {
        {{{1, 0, 0}}, {{1, 2, 3}}, {{1, 4, 7}}},
        {{{0, 0, 1}}, {{7, 8, 9}}, {{3, 6, 9}}},
        {{{1, 1, 1}}, {{12, 15, 18}}, {{6, 15, 24}}},
        {{{1, -2, 0.5}}, {{-3.5, -4, -4.5}}, {{-1.5, -3, -4.5}}},
    };
    for (const auto& c : cases) {
        Vector3 row, col;
        VecMulMat(c.v, m, row);
        MatMulVec(m, c.v, col);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(row.v[i], c.row_times_m.v[i]) << i;
            EXPECT_EQ(col.v[i], c.m_times_col.v[i]) << i;
        }
    }
    Matrix3 a = {{1, 2, 0, 0, 1, 0, 0, 0, 2}}, b = {{1, 0, 0, 3, 1, 0, 0, 0, 1}}, ab;
    MatMul(a, b, ab);
    const Matrix3 expected = {{7, 2, 0, 3, 1, 0, 0, 0, 2}};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(ab.m[i], expected.m[i]) << i;
}

}  // namespace
