#include "cli/account.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "form/number_text.h"

namespace {

const char* const kChannelLabels[3] = {"Red", "Green", "Blue"};
const char* const kChannelKeys[3] = {"red", "green", "blue"};

// Settings beyond this are no control's, and would not fit a long everywhere.
constexpr double kLargestSetting = 1e9;

// Every number shown goes through the fields' own writer or through whole
// numbers, so that each build prints the same digits.
std::string NumberText(double value) {
    char text[kFieldBufferSize];
    FormatFieldNumber(value, text);
    const char* p = text;
    while (*p == ' ') ++p;
    return p;
}

std::string SignedText(double value) { return (value >= 0.0 ? "+" : "") + NumberText(value); }

// A JSON number, or null where the value is not finite.
std::string JsonNumber(double value) { return std::isfinite(value) ? NumberText(value) : "null"; }

// A field's 8-bit text as a JSON string: each byte above 127 taken as the
// Latin-1 character of that code, control characters escaped.
std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

// "81.1 %": the result in tenths of a per cent, rounded half away from zero.
std::string PercentText(double result) {
    if (std::fabs(result) > kLargestSetting) return "over 10^11 %";
    const long long tenths = std::llround(result * 1000.0);
    const long long whole = (tenths < 0 ? -tenths : tenths) / 10;
    return std::string(tenths < 0 ? "-" : "") + std::to_string(whole) + "." + std::to_string((tenths < 0 ? -tenths : tenths) % 10) + " %";
}

std::string TemperatureText(const ColourTemperature& t) {
    if (!t.defined) return "no colour temperature: too far from the blackbody locus";
    return std::to_string(std::llround(t.kelvin)) + " K, Duv " + SignedText(t.duv);
}

void PrintWhite(const char* label, Chromaticity c, const ColourTemperature& t) {
    std::printf("%-16s%s, %s  %s\n", label, NumberText(c.x).c_str(), NumberText(c.y).c_str(), TemperatureText(t).c_str());
}

// After the account, which goes first: stdout is flushed so that every build
// interleaves the two streams alike.
void PrintWarnings(const Account& account) {
    std::fflush(stdout);
    for (int i = 0; i < account.report.count; ++i) {
        char text[kWarningTextSize];
        DescribeWarning(account.report.warnings[i], text);
        std::fprintf(stderr, "tintmend-cli: warning: %s\n", text);
    }
}

void PrintChannels(const Session& session, const Account& account) {
    for (int k = 0; k < 3; ++k) {
        const double result = account.results.v[k];
        if (std::isfinite(result) && result >= 0.0) {
            std::printf("%-6s%10s of full drive", kChannelLabels[k], PercentText(result).c_str());
        } else {
            std::printf("%-6s%10s no setting gives the target", kChannelLabels[k], "-");
        }
        if (session.has_gains) {
            const std::string setting = account.has_setting[k] ? std::to_string(account.settings[k]) : "none";
            std::printf(": set %s of %ld (now %ld)", setting.c_str(), session.gain_max, session.gains[k]);
        }
        std::printf("\n");
    }
}

void PrintJsonWhite(const char* key, Chromaticity c, const ColourTemperature& t) {
    std::printf("  \"%s\": {\"x\": %s, \"y\": %s, \"cct\": %s, \"duv\": %s},\n", key, JsonNumber(c.x).c_str(),
                JsonNumber(c.y).c_str(), t.defined ? NumberText(t.kelvin).c_str() : "null",
                t.defined ? NumberText(t.duv).c_str() : "null");
}

}  // namespace

Account MakeAccount(Session& session) {
    Account a = {};
    Dialog dlg = &session.form;
    a.inputs = ReadBalanceInputs(dlg);
    a.results = SolveBalance(a.inputs);
    bool wholly[kInputFieldCount];
    for (int i = 0; i < kInputFieldCount; ++i) wholly[i] = IsFieldWhollyNumber(dlg, kFirstFieldId + i);
    a.report = CheckPlausibility(a.inputs, wholly, a.results);
    a.reference = CalcColourTemperature(a.inputs.white);
    a.target = CalcColourTemperature(a.inputs.target);
    a.delta_uv = CalcDeltaUvPrime(a.inputs.white, a.inputs.target);
    for (int k = 0; k < 3; ++k) {
        const double setting = std::round(static_cast<double>(session.gains[k]) * a.results.v[k]);
        a.has_setting[k] = setting >= 0.0 && setting <= kLargestSetting;
        a.settings[k] = a.has_setting[k] ? static_cast<long>(setting) : 0;
    }
    return a;
}

bool IsNoChangeNeeded(const Session& session, const Account& account) {
    for (int k = 0; k < 3; ++k) {
        if (!account.has_setting[k]) return false;
        const long step = account.settings[k] - session.gains[k];
        if (step > 1 || step < -1) return false;
    }
    return true;
}

void PrintBalance(const Session& session, const Account& account) {
    for (int k = 0; k < 3; ++k) {
        std::printf("%s\t%s", kChannelLabels[k], FieldText(session.form, IDC_BAL_RED + k).c_str());
        if (session.has_gains) {
            std::printf("\t%s", account.has_setting[k] ? std::to_string(account.settings[k]).c_str() : "-");
        }
        std::printf("\n");
    }
}

void PrintExplanation(const Session& session, const Account& account) {
    std::printf("\n");
    PrintWhite("Reference white", account.inputs.white, account.reference);
    PrintWhite("Target white", account.inputs.target, account.target);
    std::printf("%-16sdelta u'v' %s (0.00400 is a just visible difference side by side)\n", "Between them",
                std::isfinite(account.delta_uv) ? NumberText(account.delta_uv).c_str() : "not a number");
    PrintChannels(session, account);
    if (session.has_gains) {
        std::printf(IsNoChangeNeeded(session, account)
                        ? "No change needed: every new setting is within one step of the present one.\n"
                        : "Set the red, green and blue gain controls to the new settings above.\n");
    } else {
        std::printf("Give the monitor's present settings with --gains R,G,B to see the new ones.\n");
    }
    if (account.report.count != 0) std::printf("Read the warnings (on standard error) before acting on these numbers.\n");
    PrintWarnings(account);
}

void PrintJson(const Session& session, const Account& account) {
    std::printf("{\n  \"fields\": {");
    for (FieldId id = kFirstFieldId; id <= kLastFieldId; ++id) {
        std::printf("%s\"%d\": %s", id == kFirstFieldId ? "" : ", ", id, JsonString(FieldText(session.form, id)).c_str());
    }
    std::printf("},\n  \"balance\": {");
    for (int k = 0; k < 3; ++k) {
        std::printf("%s\"%s\": %s", k == 0 ? "" : ", ", kChannelKeys[k], JsonNumber(account.results.v[k]).c_str());
    }
    std::printf("},\n");
    PrintJsonWhite("reference", account.inputs.white, account.reference);
    PrintJsonWhite("target", account.inputs.target, account.target);
    std::printf("  \"delta_uv\": %s,\n", JsonNumber(account.delta_uv).c_str());
    if (session.has_gains) {
        std::printf("  \"gains\": {");
        for (int k = 0; k < 3; ++k) {
            std::printf("%s\"%s\": %s", k == 0 ? "" : ", ", kChannelKeys[k],
                        account.has_setting[k] ? std::to_string(account.settings[k]).c_str() : "null");
        }
        std::printf("},\n");
    }
    std::printf("  \"warnings\": [");
    for (int i = 0; i < account.report.count; ++i) {
        char text[kWarningTextSize];
        DescribeWarning(account.report.warnings[i], text);
        std::printf("%s\n    {\"code\": \"%s\", \"message\": %s}", i == 0 ? "" : ",",
                    NameWarningCode(account.report.warnings[i].code), JsonString(text).c_str());
    }
    std::printf("%s]\n}\n", account.report.count == 0 ? "" : "\n  ");
}
