// An account of the fields as they stand: where the numbers the calculation
// read, or the results it gave, mean nothing a person can act on. Pure
// functions of numbers; the caller finds which texts were not wholly numbers.
#pragma once

#include "colour/balance.h"
#include "form/form.h"

enum class WarningCode {
    kFieldNotANumber,     // subject: the field; value: what was read
    kWhiteYNotPositive,   // subject: the y field (reference or target); value: y
    kPrimaryYNotPositive, // subject: the y field; value: y
    kPrimariesCollinear,
    kWhiteOutsideGamut,
    kGreenBlueSwapped,
    kGammaNotPositive,    // value: gamma
    kTargetOutsideGamut,  // subject: channel bits (1 red, 2 green, 4 blue)
    kResultAboveOne,      // subject: channel bits
};

struct PlausibilityWarning {
    WarningCode code;
    int subject;
    double value;
};

// Every field once, and at most one of each other kind per subject.
constexpr int kMaxWarnings = 24;

struct PlausibilityReport {
    int count;
    PlausibilityWarning warnings[kMaxWarnings];
};

// Twice the area of the primaries' triangle at or below which they count as
// collinear: far below any display's (sRGB's is 0.224), and above what
// rounding leaves of three points typed on one line.
constexpr double kCollinearLimit = 1e-6;

// wholly_number[i] tells whether field 1001 + i's text was one number and
// nothing else; results are SolveBalance's for the same inputs. Warnings come
// in the order of the fields they concern, the results' last.
PlausibilityReport CheckPlausibility(const BalanceInputs& in, const bool (&wholly_number)[kInputFieldCount],
                                     const Vector3& results);

// Whether the reference white and primaries alone make the display's matrix
// or its scaling meaningless (a y at or below 0, collinear primaries, a white
// outside them, green and blue swapped): then a result that is not a number
// is the reference's fault, not the target's.
bool HasDisplayFault(const BalanceInputs& in);

// The code as a short stable word, such as "field-not-a-number".
const char* NameWarningCode(WarningCode code);

// (explain/describe_warning.h puts a warning into words.)
