// The plausibility warnings in words a person can act on: each names a field
// as the dialog shows it ("the reference white's y"); the companion, whose
// fields are numbered, adds the number.
#pragma once

#include "colour/plausibility.h"

// Whether the words add each field's number, "(field 1002)", after its name.
enum class FieldNumbers { kHidden, kShown };

// The warning in plain words, one line without a final full stop.
constexpr int kWarningTextSize = 256;
void DescribeWarning(const PlausibilityWarning& warning, FieldNumbers numbers, char (&text)[kWarningTextSize]);

// A report's warnings as a list of (code, words), in the report's order: what
// the companion's --json and the page show, never text to split apart.
struct WarningWords {
    const char* code;  // NameWarningCode's stable word
    char words[kWarningTextSize];
};

struct WarningList {
    int count;
    WarningWords items[kMaxWarnings];
};

void DescribeWarnings(const PlausibilityReport& report, FieldNumbers numbers, WarningList& out);

// "red", "green and blue", "red, green and blue": the channels whose bit
// (1 red, 2 green, 4 blue) is set.
constexpr int kChannelListSize = 32;
void NameChannels(int bits, char (&text)[kChannelListSize]);
