#include "explain/result_account.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>

#include "form/number_text.h"

namespace {

const char* const kChannelLabels[3] = {"Red", "Green", "Blue"};

// Settings beyond this are no control's, and fit a 32-bit long.
constexpr double kLargestSetting = 1e9;
// Percentages are shown in tenths up to this result, so that the tenths fit
// a 32-bit long too.
constexpr double kLargestPercentResult = 1e5;

// Appends to the text, cutting what does not fit.
struct TextSink {
    char* text;
    size_t size;
    size_t used;
};

void Append(TextSink& sink, const char* format, ...) {
    if (sink.used + 1 >= sink.size) return;
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(sink.text + sink.used, sink.size - sink.used, format, args);
    va_end(args);
    if (n > 0) sink.used = sink.used + static_cast<size_t>(n) < sink.size ? sink.used + n : sink.size - 1;
}

// Every number goes through the fields' own writer or through whole numbers,
// so that each build shows the same digits.
void AppendWhite(TextSink& sink, const char* label, Chromaticity c, const ColourTemperature& t) {
    char x[kFieldBufferSize], y[kFieldBufferSize], duv[kFieldBufferSize];
    Append(sink, "%-16s%s, %s  ", label, FormatAccountNumber(c.x, x), FormatAccountNumber(c.y, y));
    if (!t.defined) {
        Append(sink, "no colour temperature: too far from the blackbody locus\n");
        return;
    }
    Append(sink, "%ld K, Duv %s%s\n", static_cast<long>(std::lround(t.kelvin)), std::signbit(t.duv) ? "" : "+",
           FormatAccountNumber(t.duv, duv));
}

// "81.1 %": the result in tenths of a per cent, rounded half away from zero.
void AppendChannel(TextSink& sink, const GainSettings& gains, const Account& a, int k) {
    const double result = a.results.v[k];
    Append(sink, "%-6s", kChannelLabels[k]);
    if (std::isfinite(result) && result >= 0.0 && result <= kLargestPercentResult) {
        const long tenths = std::lround(result * 1000.0);
        char percent[32];
        std::snprintf(percent, sizeof percent, "%ld.%ld %%", tenths / 10, tenths % 10);
        Append(sink, "%10s of full drive", percent);
    } else {
        Append(sink, "%10s no setting gives the target", "-");
    }
    if (!gains.given) {
        Append(sink, "\n");
    } else if (a.has_setting[k]) {
        Append(sink, ": set %ld of %ld (now %ld)\n", a.settings[k], gains.top, gains.present[k]);
    } else {
        Append(sink, ": set none of %ld (now %ld)\n", gains.top, gains.present[k]);
    }
}

}  // namespace

const char* FormatAccountNumber(double value, char (&text)[kFieldBufferSize]) {
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

void ComposeAccount(const GainSettings& gains, const Account& a, char (&text)[kAccountTextSize]) {
    TextSink sink = {text, sizeof text, 0};
    text[0] = '\0';
    AppendWhite(sink, "Reference white", a.inputs.white, a.reference);
    AppendWhite(sink, "Target white", a.inputs.target, a.target);
    char distance[kFieldBufferSize];
    Append(sink, "%-16sdelta u'v' %s (0.00400 is a just visible difference side by side)\n", "Between them",
           std::isfinite(a.delta_uv) ? FormatAccountNumber(a.delta_uv, distance) : "not a number");
    for (int k = 0; k < 3; ++k) AppendChannel(sink, gains, a, k);
    if (!gains.given) {
        Append(sink, "Give the monitor's present gain settings to see the new ones.\n");
    } else if (IsNoChangeNeeded(gains, a)) {
        Append(sink, "No change needed: every new setting is within one step of the present one.\n");
    } else {
        Append(sink, "Set the red, green and blue gain controls to the new settings above.\n");
    }
}
