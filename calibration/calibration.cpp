#include "calibration/calibration.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "colour/adaptation.h"
#include "colour/balance.h"
#include "form/number_text.h"
#include "calibration/display_profile_layout.h"

const Vector3 kD50Illuminant = {{0.9642, 1.0, 0.8249}};

namespace {

constexpr CalibrationReport kReady = {CalibrationStatus::kReady, 0};

// A result field's number. The texts of values that are not finite (1.#INF0,
// -1.#IND0, 1.#QNAN) read back as 1 or -1 and would pass for sound ratios,
// so their marker is looked for first.
double ReadResult(Dialog dlg, FieldId id) {
    char text[kFieldBufferSize];
    GetFieldText(dlg, id, text, kFieldReadLimit);
    const double value = ReadFieldNumber(dlg, id);
    if (std::strstr(text, "#INF") != nullptr) {
        return std::copysign(std::numeric_limits<double>::infinity(), value);
    }
    if (std::strchr(text, '#') != nullptr) return std::numeric_limits<double>::quiet_NaN();
    return value;
}

CalibrationReport CheckGamma(double gamma) {
    if (!std::isfinite(gamma)) return {CalibrationStatus::kGammaNotFinite, 0};
    if (!(gamma > 0.0)) return {CalibrationStatus::kGammaNotPositive, 0};
    if (!FitsU8Fixed8(gamma) || EncodeU8Fixed8(gamma) == 0) return {CalibrationStatus::kGammaOutOfRange, 0};
    return kReady;
}

bool IsFinite(const Matrix3& m) {
    for (double v : m.m) {
        if (!std::isfinite(v)) return false;
    }
    return true;
}

// Collinear primaries, a white of y = 0 or a singular mixture leave no
// finite matrix one way or the other.
bool DescribesDisplay(const Matrix3& normalised) {
    Matrix3 inverse;
    MatInvert(normalised, inverse);
    return IsFinite(normalised) && IsFinite(inverse);
}

// Each ratio finite and in [0, 1], and the strongest exactly 1: anything else
// would clip or stretch the curves, so it is refused rather than written.
CalibrationReport CheckRatios(const double (&ratio)[kCalibrationChannels]) {
    bool full = false;
    for (int c = 0; c < kCalibrationChannels; ++c) {
        const double r = ratio[c];
        if (std::isnan(r)) return {CalibrationStatus::kResultNotANumber, c};
        if (std::isinf(r)) return {CalibrationStatus::kResultInfinite, c};
        if (r < 0.0) return {CalibrationStatus::kResultNegative, c};
        if (r > 1.0) return {CalibrationStatus::kResultAboveOne, c};
        if (r == 1.0) full = true;
    }
    return full ? kReady : CalibrationReport{CalibrationStatus::kNoFullChannel, 0};
}

bool FitsProfile(const Vector3& v) {
    return FitsS15Fixed16(v.v[0]) && FitsS15Fixed16(v.v[1]) && FitsS15Fixed16(v.v[2]);
}

// The display once the curves are loaded: full drive of channel c gives row c
// of the normalised matrix times its linear ratio r^gamma. Divided by the
// white's luminance so that the colorants sum to a white of Y = 1, then
// adapted to D50 as version 2 display profiles state their colorants.
CalibrationReport WorkOutProfileColours(const Matrix3& normalised, Calibration& out) {
    const double xt = out.target.x;
    const double yt = out.target.y;
    out.white = {{xt / yt, 1.0, (1.0 - xt - yt) / yt}};
    MakeBradfordAdaptation(out.white, kD50Illuminant, out.adaptation);
    Vector3 full[kCalibrationChannels];
    for (int c = 0; c < kCalibrationChannels; ++c) {
        const double linear = std::pow(out.ratio[c], out.gamma);
        for (int i = 0; i < 3; ++i) full[c].v[i] = normalised.m[3 * c + i] * linear;
    }
    const double luminance = full[0].v[1] + full[1].v[1] + full[2].v[1];
    bool fits = luminance > 0.0 && FitsProfile(out.white);
    for (int i = 0; i < 9; ++i) fits = fits && FitsS15Fixed16(out.adaptation.m[i]);
    for (int c = 0; c < kCalibrationChannels; ++c) {
        Vector3 relative;
        for (int i = 0; i < 3; ++i) relative.v[i] = full[c].v[i] / luminance;
        MatMulVec(out.adaptation, relative, out.colorant[c]);
        fits = fits && FitsProfile(out.colorant[c]);
    }
    return fits ? kReady : CalibrationReport{CalibrationStatus::kOutOfProfileRange, 0};
}

const char* const kChannelNames[kCalibrationChannels] = {"red", "green", "blue"};

// The reason, and for a status that names a channel what is wrong with it.
struct StatusText {
    CalibrationStatus status;
    const char* reason;
    const char* verdict;
};

const StatusText kStatusTexts[] = {
    {CalibrationStatus::kReady, "ready", nullptr},
    {CalibrationStatus::kGammaNotFinite, "the gamma is not a finite number", nullptr},
    {CalibrationStatus::kGammaNotPositive, "the gamma is not positive", nullptr},
    {CalibrationStatus::kGammaOutOfRange,
     "the gamma is beyond what a profile can state (about 0.002 to 255.99)", nullptr},
    {CalibrationStatus::kReferenceNoDisplay, "the reference white and primaries describe no display",
     nullptr},
    {CalibrationStatus::kResultNotANumber, "the target lies outside the display's gamut:",
     "is not a number"},
    {CalibrationStatus::kResultNegative, "the target lies outside the display's gamut:", "is negative"},
    {CalibrationStatus::kResultInfinite, "the results allow no calibration:", "is infinite"},
    {CalibrationStatus::kResultAboveOne, "the results allow no calibration:", "is above 1"},
    {CalibrationStatus::kNoFullChannel, "the results allow no calibration: no channel is at 1", nullptr},
    {CalibrationStatus::kOutOfProfileRange, "the display's colours lie beyond what a profile can state",
     nullptr},
};

}  // namespace

// Fields 1001 to 1011 are read in the calculation's order, then the results.
CalibrationReport ReadCalibration(Dialog dlg, Calibration& out) {
    out = Calibration{};
    Matrix3 normalised;
    ReadNormalisedMatrix(dlg, normalised);
    out.gamma = ReadFieldNumber(dlg, IDC_GAMMA);
    out.target.x = ReadFieldNumber(dlg, IDC_TARGET_WHITE_X);
    out.target.y = ReadFieldNumber(dlg, IDC_TARGET_WHITE_Y);
    for (int c = 0; c < kCalibrationChannels; ++c) out.ratio[c] = ReadResult(dlg, IDC_BAL_RED + c);

    CalibrationReport report = CheckGamma(out.gamma);
    if (report.status != CalibrationStatus::kReady) return report;
    if (!DescribesDisplay(normalised)) return {CalibrationStatus::kReferenceNoDisplay, 0};
    report = CheckRatios(out.ratio);
    if (report.status != CalibrationStatus::kReady) return report;
    return WorkOutProfileColours(normalised, out);
}

void DescribeCalibrationReport(const CalibrationReport& report, char (&text)[kCalibrationReasonSize]) {
    for (const StatusText& entry : kStatusTexts) {
        if (entry.status != report.status) continue;
        if (entry.verdict == nullptr) {
            std::snprintf(text, sizeof text, "%s", entry.reason);
        } else {
            std::snprintf(text, sizeof text, "%s %s %s", entry.reason, kChannelNames[report.channel],
                          entry.verdict);
        }
        return;
    }
    std::snprintf(text, sizeof text, "unknown failure");
}

void DescribeCalibration(const Calibration& calibration, char (&text)[kCalibrationDescriptionSize]) {
    char x[kFieldBufferSize];
    char y[kFieldBufferSize];
    FormatFieldNumber(calibration.target.x, x);
    FormatFieldNumber(calibration.target.y, y);
    std::snprintf(text, sizeof text, "Tintmend: white %s, %s", x, y);
}

double CalibratedLevel(double ratio, int level) { return ratio * (level / 255.0); }

uint16_t CalibratedLevel16(double ratio, int level) {
    return static_cast<uint16_t>(std::round(65535.0 * CalibratedLevel(ratio, level)));
}
