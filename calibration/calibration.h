// A calibration: the curves that put the New Balance into the graphics card's
// gamma table, and the display as it will look once they are loaded. Read from
// the fields and checked once, before either writer makes a byte.
#pragma once

#include <cstddef>
#include <cstdint>

#include "colour/chromaticity.h"
#include "colour/matrix.h"
#include "form/form.h"
#include "source/calibration_in_effect.h"
#include "source/curves.h"

constexpr int kCalibrationChannels = 3;   // red, green, blue
constexpr int kCalibrationLevels = 256;   // 8-bit input levels, 0 to 255
constexpr int kCalibrationTopLevel = kCalibrationLevels - 1;
constexpr double kTableEntryTop = 65535.0;  // a 16-bit table entry's full scale

enum class CalibrationStatus {
    kReady,
    kGammaNotFinite,
    kGammaNotPositive,
    kGammaOutOfRange,     // beyond what a u8Fixed8Number states
    kReferenceNoDisplay,  // primaries or white that mix to no RGB-to-XYZ matrix
    kReferenceFault,      // channel: not a number or negative, from a reference white or primaries
                          // that make no sense (HasDisplayFault), not from the target
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
    double linear[kCalibrationChannels];     // L_c = r_c^gamma, the light each channel gives at full drive
    Matrix3 normalised;                      // the reference's RGB-to-XYZ matrix, white at Y = 1
};

// The D50 white of the profile connection space, as the header states it.
extern const Vector3 kD50Illuminant;

// Reads the fields (through ReadFieldNumber) and works out everything both
// writers need; only a report of kReady leaves out complete.
CalibrationReport ReadCalibration(Dialog dlg, Calibration& out);

// (explain/describe_calibration.h puts a report into words.)

// Two field texts and the words around them.
constexpr size_t kCalibrationDescriptionSize = 2 * kFieldBufferSize + 32;

// What both files call themselves: "Tintmend: white 0.28310, 0.29710".
void DescribeCalibration(const Calibration& calibration, char (&text)[kCalibrationDescriptionSize]);

// The curves the new calibration builds on; either may be missing.
struct CalibrationCurves {
    // v_c: the graphics card's curves the reference was measured through;
    // null where none was in effect (the identity).
    const ChannelCurves* in_effect;
    // TRC_c: the display's own response; null for a pure power law.
    const ChannelCurves* response;
    // v_c as its formula, where the calibration in effect states one
    // (in_effect then holds it sampled, and the formula is what is evaluated).
    const CalibrationFormula* in_effect_formula = nullptr;
};

constexpr CalibrationCurves kNoCalibrationCurves = {nullptr, nullptr};

// w_c(s): the signal channel c is driven with for the grey s before the
// calibration in effect: r_c * s, or through the display's own curves
// TRC_c^-1(L_c * T(s)), which keeps every grey at the target's chromaticity
// and on the display's own tone response T.
double DriveSignal(const Calibration& calibration, const CalibrationCurves& curves, int channel, double s);

// The signal channel c sends for input level i: v_c(w_c(i / 255)), or
// w_c(i / 255) where no calibration is in effect.
double CalibratedLevel(const Calibration& calibration, const CalibrationCurves& curves, int channel, int level);
// The same as a 16-bit table entry: round(65535 * level).
uint16_t CalibratedLevel16(const Calibration& calibration, const CalibrationCurves& curves, int channel, int level);
