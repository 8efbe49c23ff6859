// The display's own response, channel by channel: the normalised linear light
// each signal gives, as a source describes it with curves rather than with
// the one power law of field 1009. The settings and the calibration files
// are built through it; the fields and the dialog never see it.
#pragma once

#include "colour/matrix.h"
#include "source/curves.h"
#include "source/load_report.h"

enum class ResponseKind {
    kPowerLaw,       // the source gave no curves, or only field 1009's power law
    kCurves,         // curves holds the three, each 1 at full signal
    kNotInvertible,  // channel: its curve falls somewhere, or gives no light at full signal
};

struct DisplayResponse {
    ResponseKind kind;
    int channel;
    LoadSource source;  // which kind of source gave the curves, for the account
    ChannelCurves curves;
};

// A fall smaller than one 16-bit step is the rounding of the source's numbers.
constexpr double kResponseFallTolerance = 1.0 / 65535;

// Normalises each raw curve by its value at full signal and checks that it
// can be inverted: kind becomes kCurves, or kNotInvertible naming the first
// channel that cannot.
void SettleResponse(DisplayResponse& response);

// The curves to build on: null unless the kind is kCurves.
const ChannelCurves* UsableResponse(const DisplayResponse& response);

// T(s) = sum of Y_c * TRC_c(s): the grey's luminance, Y_c being row c's Y
// of the normalised RGB-to-XYZ matrix (its share of the white's luminance).
double CalcToneResponse(const ChannelCurves& curves, const Matrix3& normalised, double s);

// The XYZ the display shows for the three signals, through the curves.
Vector3 CalcShownXyz(const ChannelCurves& curves, const Matrix3& normalised, const double (&signal)[3]);
