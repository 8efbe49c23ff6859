#include "colour/adaptation.h"

const Matrix3 kBradford = {{
    0.8951, 0.2664, -0.1614,
    -0.7502, 1.7135, 0.0367,
    0.0389, -0.0685, 1.0296,
}};

void MakeBradfordAdaptation(const Vector3& from, const Vector3& to, Matrix3& out) {
    Vector3 cone_to;
    Vector3 cone_from;
    MatMulVec(kBradford, to, cone_to);
    MatMulVec(kBradford, from, cone_from);
    const Matrix3 scale = {{
        cone_to.v[0] / cone_from.v[0], 0.0, 0.0,
        0.0, cone_to.v[1] / cone_from.v[1], 0.0,
        0.0, 0.0, cone_to.v[2] / cone_from.v[2],
    }};
    Matrix3 scaled_cones;
    MatMul(scale, kBradford, scaled_cones);
    Matrix3 bradford_inverse;
    MatInvert(kBradford, bradford_inverse);
    MatMul(bradford_inverse, scaled_cones, out);
}
