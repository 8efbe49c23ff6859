#include "profile/edid_status.h"

#include <cstdio>

#include "profile/edid.h"

namespace {

// "\xNN" and its terminating zero.
constexpr size_t kCharacterTextSize = 5;

// A character of the input as text, printable ones as they are and the others
// as \xNN, so that a damaged file cannot put control characters on the terminal.
void FormatCharacter(unsigned char byte, char (&text)[kCharacterTextSize]) {
    if (byte >= 0x20 && byte < 0x7F && byte != '"' && byte != '\\') {
        std::snprintf(text, sizeof text, "%c", static_cast<char>(byte));
    } else {
        std::snprintf(text, sizeof text, "\\x%02X", byte);
    }
}

}  // namespace

void DescribeEdidReport(const EdidReport& report, char (&text)[kEdidReasonSize]) {
    char character[kCharacterTextSize];
    switch (report.status) {
        case EdidStatus::kApplied:
            std::snprintf(text, sizeof text, "loaded");
            return;
        case EdidStatus::kCannotOpen:
            std::snprintf(text, sizeof text, "cannot be opened");
            return;
        case EdidStatus::kUnreadable:
            std::snprintf(text, sizeof text, "cannot be read");
            return;
        case EdidStatus::kTooLarge:
            std::snprintf(text, sizeof text, "too large to be an EDID: over %zu bytes", kEdidFileLimit);
            return;
        case EdidStatus::kNoMemory:
            std::snprintf(text, sizeof text, "cannot be read: not enough memory");
            return;
        case EdidStatus::kNotHexText:
            FormatCharacter(report.byte, character);
            std::snprintf(text, sizeof text, "neither an EDID nor its hex text: \"%s\" at offset %zu", character,
                          report.offset);
            return;
        case EdidStatus::kOddDigits:
            std::snprintf(text, sizeof text, "EDID hex text with an odd number of digits at offset %zu",
                          report.offset);
            return;
        case EdidStatus::kTooShort:
            std::snprintf(text, sizeof text, "too short to be an EDID: %zu bytes, fewer than %zu", report.count,
                          kEdidBlockSize);
            return;
        case EdidStatus::kWrongHeader:
            std::snprintf(text, sizeof text, "not an EDID: it does not start with 00 FF FF FF FF FF FF 00");
            return;
        case EdidStatus::kWrongChecksum:
            std::snprintf(text, sizeof text, "damaged EDID: the base block sums to 0x%02X, not 0", report.byte);
            return;
        case EdidStatus::kWrongVersion:
            std::snprintf(text, sizeof text, "EDID version %u, not 1", static_cast<unsigned>(report.byte));
            return;
    }
    std::snprintf(text, sizeof text, "unknown failure");
}
