#include "profile/tone_curve.h"

#include <cmath>

#include "profile/icc.h"

namespace {

// curveType with more than one entry: u16 samples from 12, evenly spaced
// over the signal; none at all means the identity.
constexpr size_t kCurveTableOffset = 12;
constexpr double kCurveSampleScale = 65535.0;

// parametricCurveType: the formula's number (u16) at 8, its parameters as
// s15Fixed16Number from 12, g first, then a, b, c, d, e, f as it uses them.
constexpr IccSignature kSigParametricCurveType = MakeSignature("para");
constexpr size_t kParaFunctionOffset = 8;
constexpr size_t kParaParamsOffset = 12;
constexpr int kParaParamCounts[] = {1, 3, 4, 5, 7};
constexpr int kParaFunctionCount = 5;

constexpr int kFitSteps = 80;  // 0.10, 0.11, ..., 0.90
constexpr double kFitFirst = 0.10;
constexpr double kFitStep = 0.01;
// The gammas searched, and how far the search narrows them.
constexpr double kFitLowest = 0.1;
constexpr double kFitHighest = 10.0;
constexpr double kFitEdge = 0.001;
constexpr int kFitSearchSteps = 60;
constexpr double kGoldenRatio = 0.6180339887498949;  // (sqrt(5) - 1) / 2

double EvalTable(const ToneCurve& c, double x) {
    if (c.entries == 0) return x;
    double at = x * static_cast<double>(c.entries - 1);
    size_t i = static_cast<size_t>(at);
    if (i + 1 >= c.entries) return ReadBigU16(c.table + 2 * (c.entries - 1)) / kCurveSampleScale;
    double low = ReadBigU16(c.table + 2 * i) / kCurveSampleScale;
    double high = ReadBigU16(c.table + 2 * (i + 1)) / kCurveSampleScale;
    double t = at - static_cast<double>(i);
    return low + (high - low) * t;
}

// The five formulas: the power of a linear segment above its threshold, with
// an offset or a straight line below it.
double EvalFormula(const ToneCurve& c, double x) {
    const double g = c.p[0], a = c.p[1], b = c.p[2], cc = c.p[3], d = c.p[4], e = c.p[5], f = c.p[6];
    switch (c.function) {
        case 0: return std::pow(x, g);
        case 1: return a * x + b >= 0.0 ? std::pow(a * x + b, g) : 0.0;
        case 2: return a * x + b >= 0.0 ? std::pow(a * x + b, g) + cc : cc;
        case 3: return x >= d ? std::pow(a * x + b, g) : cc * x;
        default: return x >= d ? std::pow(a * x + b, g) + e : cc * x + f;
    }
}

}  // namespace

// A single gamma is read as the first formula, so that it is evaluated as the
// power law it states rather than as a table of one entry.
bool ReadToneCurve(const unsigned char* data, size_t available, ToneCurve& c) {
    c = ToneCurve{};
    if (!FitsWithin(0, kCurveCountEnd, available)) return false;
    IccSignature type = ReadBigU32(data);
    if (type == kSigCurveType) {
        c.entries = ReadBigU32(data + kCurveCountOffset);
        if (c.entries == kCurveGammaCount) {
            if (!FitsWithin(0, kCurveGammaTypeSize, available)) return false;
            c.p[0] = ReadU8Fixed8(data + kCurveGammaOffset);
            return true;
        }
        c.is_table = true;
        c.table = data + kCurveTableOffset;
        return FitsWithin(kCurveTableOffset, 2 * uint64_t{c.entries}, available);
    }
    if (type != kSigParametricCurveType) return false;
    c.function = ReadBigU16(data + kParaFunctionOffset);
    if (c.function >= kParaFunctionCount) return false;
    const int count = kParaParamCounts[c.function];
    if (!FitsWithin(kParaParamsOffset, 4 * uint64_t(count), available)) return false;
    for (int i = 0; i < count; ++i) c.p[i] = ReadS15Fixed16(data + kParaParamsOffset + 4 * i);
    return true;
}

double EvaluateToneCurve(const ToneCurve& curve, double x) {
    return curve.is_table ? EvalTable(curve, x) : EvalFormula(curve, x);
}

bool IsSinglePowerLaw(const ToneCurve& curve, double& gamma) {
    gamma = curve.is_table ? 1.0 : curve.p[0];
    return curve.is_table ? curve.entries == 0 : curve.function == 0;
}

namespace {

// The squared distance between the curve's samples and x^gamma.
double FitError(const double (&y)[kFitSteps + 1], double gamma) {
    double sum = 0.0;
    for (int i = 0; i <= kFitSteps; ++i) {
        double d = std::pow(kFitFirst + kFitStep * i, gamma) - y[i];
        sum += d * d;
    }
    return sum;
}

}  // namespace

bool FitCurveGamma(const unsigned char* data, size_t available, double& gamma) {
    ToneCurve curve;
    if (!ReadToneCurve(data, available, curve)) return false;
    double y[kFitSteps + 1];
    for (int i = 0; i <= kFitSteps; ++i) {
        double x = kFitFirst + kFitStep * i;
        y[i] = EvaluateToneCurve(curve, x);
        if (!std::isfinite(y[i])) return false;
    }
    // A golden-section search: the error has one minimum over the range for
    // any curve that rises, and the search needs no logarithm (whose tables
    // would weigh more in the page than all of this).
    double low = kFitLowest, high = kFitHighest;
    for (int i = 0; i < kFitSearchSteps; ++i) {
        double a = high - kGoldenRatio * (high - low);
        double b = low + kGoldenRatio * (high - low);
        if (FitError(y, a) < FitError(y, b)) {
            high = b;
        } else {
            low = a;
        }
    }
    gamma = (low + high) / 2;
    // At an end of the range the curve is no power law at all.
    return gamma > kFitLowest + kFitEdge && gamma < kFitHighest - kFitEdge;
}
