#include "colour/balance.h"

#include <cmath>

namespace {

// Every not-a-number result is shown as the indefinite, so that all builds
// write the same text.
double Drive(double ratio, double exponent) { return AsIndefiniteIfNaN(std::pow(ratio, exponent)); }

// The reference white and primaries, fields 1001 to 1008 in that order.
void ReadReference(Dialog dlg, BalanceInputs& in) {
    in.white.x = ReadFieldNumber(dlg, IDC_REF_WHITE_X);
    in.white.y = ReadFieldNumber(dlg, IDC_REF_WHITE_Y);
    for (int k = 0; k < 3; ++k) {
        in.primaries[k].x = ReadFieldNumber(dlg, IDC_RED_X + 2 * k);
        in.primaries[k].y = ReadFieldNumber(dlg, IDC_RED_Y + 2 * k);
    }
}

void MakeNormalisedMatrix(const BalanceInputs& in, Matrix3& normalised) {
    const double xw = in.white.x, yw = in.white.y;
    const double zw = 1.0 - xw - yw;

    // Row k is primary k's XYZ scaled to Y = 1.
    Matrix3 primaries;
    for (int k = 0; k < 3; ++k) {
        const double x = in.primaries[k].x, y = in.primaries[k].y;
        primaries.m[3 * k + 0] = x / y;
        primaries.m[3 * k + 1] = 1.0;
        primaries.m[3 * k + 2] = (1.0 - x - y) / y;
    }

    // Amounts of the unit-luminance primaries that mix to the reference white.
    Matrix3 primaries_inverse;
    MatInvert(primaries, primaries_inverse);
    Vector3 scales;
    VecMulMat(Vector3{{xw, yw, zw}}, primaries_inverse, scales);

    for (int k = 0; k < 3; ++k) {
        const double s = scales.v[k];
        normalised.m[3 * k + 0] = s * primaries.m[3 * k + 0] / yw;
        normalised.m[3 * k + 1] = s / yw;
        normalised.m[3 * k + 2] = s * primaries.m[3 * k + 2] / yw;
    }
}

}  // namespace

// A red-green tie takes green, a tie with blue keeps the earlier one;
// comparisons with a not-a-number are false. Both choices show when a channel
// is not-a-number or tied zeros differ in sign.
double StrongestChannel(const Vector3& channels) {
    const double cr = channels.v[0], cg = channels.v[1], cb = channels.v[2];
    double strongest = cr > cg ? cr : cg;
    if (strongest < cb) strongest = cb;
    return strongest;
}

void ReadNormalisedMatrix(Dialog dlg, Matrix3& normalised) {
    BalanceInputs in{};
    ReadReference(dlg, in);
    MakeNormalisedMatrix(in, normalised);
}

BalanceInputs ReadBalanceInputs(Dialog dlg) {
    BalanceInputs in{};
    ReadReference(dlg, in);
    in.gamma = ReadFieldNumber(dlg, IDC_GAMMA);
    in.target.x = ReadFieldNumber(dlg, IDC_TARGET_WHITE_X);
    in.target.y = ReadFieldNumber(dlg, IDC_TARGET_WHITE_Y);
    return in;
}

// Nothing is validated: a zero y or collinear primaries flow through as
// infinities and not-a-numbers.
Vector3 SolveBalance(const BalanceInputs& in) {
    Matrix3 normalised;
    MakeNormalisedMatrix(in, normalised);
    // The target enters as a chromaticity triple, never divided by its y.
    const double xt = in.target.x, yt = in.target.y;
    const Vector3 target = {{xt, yt, 1.0 - xt - yt}};

    Matrix3 normalised_inverse;
    MatInvert(normalised, normalised_inverse);
    Vector3 channels;
    VecMulMat(target, normalised_inverse, channels);
    const double cr = channels.v[0], cg = channels.v[1], cb = channels.v[2];
    const double strongest = StrongestChannel(channels);

    const double exponent = 1.0 / in.gamma;
    return Vector3{{Drive(cr / strongest, exponent), Drive(cg / strongest, exponent),
                    Drive(cb / strongest, exponent)}};
}

// All three results are written every time, whatever they are.
void CalcBalance(Dialog dlg) {
    const Vector3 results = SolveBalance(ReadBalanceInputs(dlg));
    WriteFieldNumber(dlg, IDC_BAL_RED, results.v[0]);
    WriteFieldNumber(dlg, IDC_BAL_GREEN, results.v[1]);
    WriteFieldNumber(dlg, IDC_BAL_BLUE, results.v[2]);
}

void StartForm(Dialog dlg) {
    ApplyDefaultTexts(dlg);
    CalcBalance(dlg);
}
