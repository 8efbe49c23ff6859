// The account of a calculation that a person can act on: both whites' colour
// temperature and Duv, the distance between them, each result as a
// percentage and as a new gain setting, and the plausibility warnings. The
// companion's --explain prints it and the page's panel shows it.
#pragma once

#include "colour/balance.h"
#include "colour/plausibility.h"
#include "colour/temperature.h"

// The monitor's present gain settings, on a scale from 0 to top.
struct GainSettings {
    bool given;
    long present[3];
    long top;
};

struct Account {
    BalanceInputs inputs;
    Vector3 results;  // as the result fields show them
    PlausibilityReport report;
    ColourTemperature reference;
    ColourTemperature target;
    double delta_uv;
    // round(present gain x result), where that is a setting at all.
    bool has_setting[3];
    long settings[3];
};

// From the fields as they stand; reads them, writes none.
Account MakeAccount(Dialog dlg, const GainSettings& gains);

// Whether every new setting is within one step of the present one.
bool IsNoChangeNeeded(const GainSettings& gains, const Account& account);

// The account as lines, each ending in a line feed; the warnings are not
// among them (DescribeWarning words each). Eight lines of at most about 100
// characters: the buffer holds them with room to spare, and a longer text
// would be cut, never overrun.
constexpr int kAccountTextSize = 1024;
void ComposeAccount(const GainSettings& gains, const Account& account, char (&text)[kAccountTextSize]);

// A number as the fields write it, without the leading blanks: a pointer
// into text.
const char* FormatAccountNumber(double value, char (&text)[kFieldBufferSize]);
