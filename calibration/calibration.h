// A calibration: the curves that put the New Balance into the graphics card's
// gamma table, and the display as it will look once they are loaded. Read from
// the fields and checked once, before either writer makes a byte.
#pragma once

#include <cstddef>
#include <cstdint>

#include "colour/chromaticity.h"
#include "colour/matrix.h"
#include "form/form.h"

constexpr int kCalibrationChannels = 3;   // red, green, blue
constexpr int kCalibrationLevels = 256;   // 8-bit input levels, 0 to 255

enum class CalibrationStatus {
    kReady,
    kGammaNotFinite,
    kGammaNotPositive,
    kGammaOutOfRange,     // beyond what a u8Fixed8Number states
    kReferenceNoDisplay,  // primaries or white that mix to no RGB-to-XYZ matrix
    kResultNotANumber,    // channel: a target outside the gamut (or y = 0)
    kResultNegative,      // channel: a target outside the gamut at gamma 1
    kResultInfinite,      // channel
    kResultAboveOne,      // channel: a negative gamma or normaliser
    kNoFullChannel,       // no ratio is exactly 1
    kOutOfProfileRange,   // the profile's colours overflow s15Fixed16Number
};

struct CalibrationReport {
    CalibrationStatus status;
    int channel;  // 0 red, 1 green, 2 blue, where the status names one
};

struct Calibration {
    double ratio[kCalibrationChannels];  // fields 1012 to 1014, in [0, 1], the largest 1
    double gamma;                        // field 1009
    Chromaticity target;                 // fields 1010, 1011
    Vector3 white;                       // the target's XYZ with Y = 1
    Matrix3 adaptation;                  // Bradford, from white to the D50 illuminant
    Vector3 colorant[kCalibrationChannels];  // each channel's XYZ at full drive, adapted
};

// The D50 white of the profile connection space, as the header states it.
extern const Vector3 kD50Illuminant;

// Reads the fields (through ReadFieldNumber) and works out everything both
// writers need; only a report of kReady leaves out complete.
CalibrationReport ReadCalibration(Dialog dlg, Calibration& out);

constexpr size_t kCalibrationReasonSize = 128;

// One line, such as "the target lies outside the display's gamut: blue is
// not a number".
void DescribeCalibrationReport(const CalibrationReport& report, char (&text)[kCalibrationReasonSize]);

// Two field texts and the words around them.
constexpr size_t kCalibrationDescriptionSize = 2 * kFieldBufferSize + 32;

// What both files call themselves: "Tintmend: white 0.28310, 0.29710".
void DescribeCalibration(const Calibration& calibration, char (&text)[kCalibrationDescriptionSize]);

// The signal a channel of ratio r sends for input level i: r * (i / 255).
double CalibratedLevel(double ratio, int level);
// The same as a 16-bit table entry: round(65535 * r * (i / 255)).
uint16_t CalibratedLevel16(double ratio, int level);
