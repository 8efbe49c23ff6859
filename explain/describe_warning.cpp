#include "explain/describe_warning.h"

#include <cstdio>
#include <cstring>

#include "form/number_text.h"

namespace {

// What each input field holds, as the dialog's labels show it.
const char* const kPlainFieldNames[kInputFieldCount] = {
    "the reference white's x", "the reference white's y", "the red primary's x",  "the red primary's y",
    "the green primary's x",   "the green primary's y",   "the blue primary's x", "the blue primary's y",
    "the gamma",               "the target white's x",    "the target white's y",
};

const char* const kChannelNames[3] = {"red", "green", "blue"};

// Room for a field's name and its number.
constexpr int kFieldNameSize = 48;

void NameField(int id, FieldNumbers numbers, char (&text)[kFieldNameSize]) {
    const bool input = id >= kFirstFieldId && id < kFirstFieldId + kInputFieldCount;
    const char* name = input ? kPlainFieldNames[id - kFirstFieldId] : "?";
    if (numbers == FieldNumbers::kShown) {
        std::snprintf(text, sizeof text, "%s (field %d)", name, id);
    } else {
        std::snprintf(text, sizeof text, "%s", name);
    }
}

// The warnings that name no field or value.
const char* FixedWords(WarningCode code) {
    switch (code) {
        case WarningCode::kPrimariesCollinear:
            return "the red, green and blue primaries lie on one line: they span no gamut";
        case WarningCode::kWhiteOutsideGamut:
            return "the reference white lies outside the primaries' triangle: no display mixes it";
        case WarningCode::kGreenBlueSwapped:
            return "the green primary's y is below 0.2 and the blue one's above 0.5: green and blue look swapped";
        default: return nullptr;
    }
}

}  // namespace

void NameChannels(int bits, char (&text)[kChannelListSize]) {
    text[0] = '\0';
    int named = 0, total = 0;
    for (int k = 0; k < 3; ++k) total += (bits >> k) & 1;
    for (int k = 0; k < 3; ++k) {
        if (((bits >> k) & 1) == 0) continue;
        ++named;
        if (named > 1) std::strcat(text, named == total ? " and " : ", ");
        std::strcat(text, kChannelNames[k]);
    }
}

void DescribeWarning(const PlausibilityWarning& w, FieldNumbers numbers, char (&text)[kWarningTextSize]) {
    if (const char* fixed = FixedWords(w.code)) {
        std::snprintf(text, sizeof text, "%s", fixed);
        return;
    }
    char value[kFieldBufferSize];
    FormatFieldNumber(w.value, value);
    char field[kFieldNameSize];
    NameField(w.subject, numbers, field);
    char channels[kChannelListSize];
    NameChannels(w.subject, channels);
    const size_t size = sizeof text;
    switch (w.code) {
        case WarningCode::kFieldNotANumber:
            std::snprintf(text, size, "%s is not wholly a number: only its leading number is read, as %.40s", field,
                          value);
            return;
        case WarningCode::kWhiteYNotPositive:
            std::snprintf(text, size, "%s is %.40s: a white's y must be above 0", field, value);
            return;
        case WarningCode::kPrimaryYNotPositive:
            std::snprintf(text, size, "%s is %.40s: a primary's y must be above 0", field, value);
            return;
        case WarningCode::kGammaNotPositive:
            std::snprintf(text, size, "%s is %.40s: it must be above 0", field, value);
            return;
        case WarningCode::kTargetOutsideGamut:
            std::snprintf(text, size, "the target lies outside the primaries' triangle: no setting of %s reaches it",
                          channels);
            return;
        case WarningCode::kResultAboveOne:
            std::snprintf(text, size, "the result for %s is above 1: more than full drive, which no control gives",
                          channels);
            return;
        default: break;
    }
    text[0] = '\0';
}

void DescribeWarnings(const PlausibilityReport& report, FieldNumbers numbers, WarningList& out) {
    out.count = 0;
    for (int i = 0; i < report.count && i < kMaxWarnings; ++i) {
        out.items[i].code = NameWarningCode(report.warnings[i].code);
        DescribeWarning(report.warnings[i], numbers, out.items[i].words);
        ++out.count;
    }
}
