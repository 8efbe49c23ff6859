#include "cli/print_results.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "explain/describe_warning.h"
#include "form/number_text.h"

namespace {

const char* const kChannelLabels[3] = {"Red", "Green", "Blue"};
const char* const kChannelKeys[3] = {"red", "green", "blue"};

std::string NumberText(double value) {
    char text[kFieldBufferSize];
    return FormatAccountNumber(value, text);
}

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

std::string SettingText(const Account& account, int k, const char* none) {
    return account.has_setting[k] ? std::to_string(account.settings[k]) : none;
}

// The number exactly as the calculation read it, so that a script sees the
// value typed (0.459862, not the five places a field shows).
std::string JsonExactNumber(double value) {
    char text[kShortestNumberSize];
    FormatShortestNumber(value, text);
    return std::isfinite(value) ? text : "null";
}

void PrintJsonWhite(const char* key, Chromaticity c, const ColourTemperature& t) {
    std::printf("  \"%s\": {\"x\": %s, \"y\": %s, \"cct\": %s, \"duv\": %s},\n", key, JsonExactNumber(c.x).c_str(),
                JsonExactNumber(c.y).c_str(), t.defined ? NumberText(t.kelvin).c_str() : "null", t.defined ? NumberText(t.duv).c_str() : "null");
}

// "{"red": R, "green": G, "blue": B}" from one text per channel.
template <typename ChannelText>
void PrintJsonChannels(const char* key, ChannelText text) {
    std::printf("  \"%s\": {", key);
    for (int k = 0; k < 3; ++k) std::printf("%s\"%s\": %s", k == 0 ? "" : ", ", kChannelKeys[k], text(k).c_str());
    std::printf("},\n");
}

}  // namespace

void PrintBalance(const Session& session, const Account& account) {
    for (int k = 0; k < 3; ++k) {
        std::printf("%s\t%s", kChannelLabels[k], FieldText(session.form, IDC_BAL_RED + k).c_str());
        if (session.gains.given) std::printf("\t%s", SettingText(account, k, "-").c_str());
        std::printf("\n");
    }
}

// What the loads did and the account first, then the warnings: stdout is flushed between them so
// that every build interleaves the two streams alike.
void PrintExplanation(const Session& session, const Account& account) {
    char text[kAccountTextSize];
    ComposeAccount(session.gains, account, text);
    std::printf("\n%s%s", session.loads.c_str(), text);
    if (!session.gains.given) std::printf("(--gains R,G,B, and --gain-max N for a scale other than 0 to 100.)\n");
    if (account.report.count != 0) std::printf("Read the warnings (on standard error) before acting on these numbers.\n");
}

// Whatever else was asked for: stdout is flushed first so that every build
// interleaves the two streams alike.
void PrintWarnings(const Account& account) {
    std::fflush(stdout);
    static WarningList list;
    DescribeWarnings(account.report, FieldNumbers::kShown, list);
    for (int i = 0; i < list.count; ++i) std::fprintf(stderr, "tintmend-cli: warning: %s\n", list.items[i].words);
}

void PrintJson(const Session& session, const Account& account) {
    std::printf("{\n  \"fields\": {");
    for (FieldId id = kFirstFieldId; id <= kLastFieldId; ++id) {
        std::printf("%s\"%d\": %s", id == kFirstFieldId ? "" : ", ", id, JsonString(FieldText(session.form, id)).c_str());
    }
    std::printf("},\n");
    PrintJsonChannels("balance", [&](int k) { return JsonNumber(account.results.v[k]); });
    PrintJsonWhite("reference", account.inputs.white, account.reference);
    PrintJsonWhite("target", account.inputs.target, account.target);
    std::printf("  \"delta_uv\": %s,\n", JsonNumber(account.delta_uv).c_str());
    if (session.gains.given) PrintJsonChannels("gains", [&](int k) { return SettingText(account, k, "null"); });
    std::printf("  \"warnings\": [");
    static WarningList list;
    DescribeWarnings(account.report, FieldNumbers::kShown, list);
    for (int i = 0; i < list.count; ++i) {
        std::printf("%s\n    {\"code\": \"%s\", \"words\": %s}", i == 0 ? "" : ",", list.items[i].code,
                    JsonString(list.items[i].words).c_str());
    }
    std::printf("%s]\n}\n", account.report.count == 0 ? "" : "\n  ");
}
