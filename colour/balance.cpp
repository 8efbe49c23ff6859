#include "colour/balance.h"

#include <cmath>

#include "colour/chromaticity.h"
#include "colour/matrix.h"

namespace {

// Every not-a-number result is shown as the indefinite, so that all builds
// write the same text.
double Drive(double ratio, double exponent) { return AsIndefiniteIfNaN(std::pow(ratio, exponent)); }

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

// Reads the reference white and primaries (fields 1001 to 1008, in that
// order) and builds the display's RGB-to-XYZ matrix from them.
void ReadNormalisedMatrix(Dialog dlg, Matrix3& normalised) {
    const double xw = ReadFieldNumber(dlg, IDC_REF_WHITE_X);
    const double yw = ReadFieldNumber(dlg, IDC_REF_WHITE_Y);
    const double zw = 1.0 - xw - yw;

    // Row k is primary k's XYZ scaled to Y = 1.
    Matrix3 primaries;
    for (int k = 0; k < 3; ++k) {
        const double x = ReadFieldNumber(dlg, IDC_RED_X + 2 * k);
        const double y = ReadFieldNumber(dlg, IDC_RED_Y + 2 * k);
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

// Nothing is validated: a zero y or collinear primaries flow through as
// infinities and not-a-numbers, and all three results are written every time.
void CalcBalance(Dialog dlg) {
    // The inputs are read in field order: reference, gamma, target.
    Matrix3 normalised;
    ReadNormalisedMatrix(dlg, normalised);
    const double gamma = ReadFieldNumber(dlg, IDC_GAMMA);
    const double xt = ReadFieldNumber(dlg, IDC_TARGET_WHITE_X);
    const double yt = ReadFieldNumber(dlg, IDC_TARGET_WHITE_Y);
    // The target enters as a chromaticity triple, never divided by its y.
    const Vector3 target = {{xt, yt, 1.0 - xt - yt}};

    Matrix3 normalised_inverse;
    MatInvert(normalised, normalised_inverse);
    Vector3 channels;
    VecMulMat(target, normalised_inverse, channels);
    const double cr = channels.v[0], cg = channels.v[1], cb = channels.v[2];
    const double strongest = StrongestChannel(channels);

    const double exponent = 1.0 / gamma;
    WriteFieldNumber(dlg, IDC_BAL_RED, Drive(cr / strongest, exponent));
    WriteFieldNumber(dlg, IDC_BAL_GREEN, Drive(cg / strongest, exponent));
    WriteFieldNumber(dlg, IDC_BAL_BLUE, Drive(cb / strongest, exponent));
}

void StartForm(Dialog dlg) {
    ApplyDefaultTexts(dlg);
    CalcBalance(dlg);
}
