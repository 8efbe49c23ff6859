#include "colour/account.h"

#include <cmath>
#include <cstdio>

#include "form/number_text.h"

namespace {

const char* const kChannelLabels[3] = {"Red", "Green", "Blue"};

// Settings beyond this are no control's, and would not fit a long everywhere.
constexpr double kLargestSetting = 1e9;

// Every number goes through the fields' own writer or through whole numbers,
// so that each build shows the same digits.
std::string SignedText(double value) { return (value >= 0.0 ? "+" : "") + FormatAccountNumber(value); }

// "81.1 %": the result in tenths of a per cent, rounded half away from zero.
std::string PercentText(double result) {
    const long long tenths = std::llround(std::fabs(result) * 1000.0);
    return std::string(result < 0.0 && tenths != 0 ? "-" : "") + std::to_string(tenths / 10) + "." +
           std::to_string(tenths % 10) + " %";
}

std::string TemperatureText(const ColourTemperature& t) {
    if (!t.defined) return "no colour temperature: too far from the blackbody locus";
    return std::to_string(std::llround(t.kelvin)) + " K, Duv " + SignedText(t.duv);
}

// A label padded to a column, as the companion's other output is laid out.
std::string Padded(const std::string& text, size_t width) {
    return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

std::string WhiteLine(const char* label, Chromaticity c, const ColourTemperature& t) {
    return Padded(label, 16) + FormatAccountNumber(c.x) + ", " + FormatAccountNumber(c.y) + "  " + TemperatureText(t) +
           "\n";
}

std::string ChannelLine(const GainSettings& gains, const Account& a, int k) {
    const double result = a.results.v[k];
    const bool reached = std::isfinite(result) && result >= 0.0 && result <= kLargestSetting;
    std::string line = Padded(kChannelLabels[k], 6);
    const std::string percent = reached ? PercentText(result) : "-";
    line += std::string(percent.size() < 10 ? 10 - percent.size() : 0, ' ') + percent;
    line += reached ? " of full drive" : " no setting gives the target";
    if (gains.given) {
        line += ": set " + (a.has_setting[k] ? std::to_string(a.settings[k]) : std::string("none")) + " of " +
                std::to_string(gains.top) + " (now " + std::to_string(gains.present[k]) + ")";
    }
    return line + "\n";
}

}  // namespace

std::string FormatAccountNumber(double value) {
    char text[kFieldBufferSize];
    FormatFieldNumber(value, text);
    const char* p = text;
    while (*p == ' ') ++p;
    return p;
}

Account MakeAccount(Dialog dlg, const GainSettings& gains) {
    Account a = {};
    a.inputs = ReadBalanceInputs(dlg);
    a.results = SolveBalance(a.inputs);
    bool wholly[kInputFieldCount];
    for (int i = 0; i < kInputFieldCount; ++i) wholly[i] = IsFieldWhollyNumber(dlg, kFirstFieldId + i);
    a.report = CheckPlausibility(a.inputs, wholly, a.results);
    a.reference = CalcColourTemperature(a.inputs.white);
    a.target = CalcColourTemperature(a.inputs.target);
    a.delta_uv = CalcDeltaUvPrime(a.inputs.white, a.inputs.target);
    for (int k = 0; k < 3; ++k) {
        const double setting = std::round(static_cast<double>(gains.present[k]) * a.results.v[k]);
        a.has_setting[k] = gains.given && setting >= 0.0 && setting <= kLargestSetting;
        a.settings[k] = a.has_setting[k] ? static_cast<long>(setting) : 0;
    }
    return a;
}

bool IsNoChangeNeeded(const GainSettings& gains, const Account& account) {
    for (int k = 0; k < 3; ++k) {
        if (!account.has_setting[k]) return false;
        const long step = account.settings[k] - gains.present[k];
        if (step > 1 || step < -1) return false;
    }
    return true;
}

std::string ComposeAccount(const GainSettings& gains, const Account& a) {
    std::string text = WhiteLine("Reference white", a.inputs.white, a.reference);
    text += WhiteLine("Target white", a.inputs.target, a.target);
    text += Padded("Between them", 16) + "delta u'v' " +
            (std::isfinite(a.delta_uv) ? FormatAccountNumber(a.delta_uv) : std::string("not a number")) +
            " (0.00400 is a just visible difference side by side)\n";
    for (int k = 0; k < 3; ++k) text += ChannelLine(gains, a, k);
    if (!gains.given) {
        text += "Give the monitor's present gain settings to see the new ones.\n";
    } else if (IsNoChangeNeeded(gains, a)) {
        text += "No change needed: every new setting is within one step of the present one.\n";
    } else {
        text += "Set the red, green and blue gain controls to the new settings above.\n";
    }
    return text;
}
