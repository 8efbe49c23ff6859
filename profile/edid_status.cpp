#include "profile/edid_status.h"

#include <cstdio>

#include "profile/edid.h"
#include "profile/quote_byte.h"

EdidStatus EdidStatusOfFile(FileStatus status) {
    switch (status) {
        case FileStatus::kRead: return EdidStatus::kApplied;
        case FileStatus::kCannotOpen: return EdidStatus::kCannotOpen;
        case FileStatus::kUnreadable: return EdidStatus::kUnreadable;
        case FileStatus::kTooLarge: return EdidStatus::kTooLarge;
        case FileStatus::kEmpty: return EdidStatus::kTooShort;
        case FileStatus::kNoMemory: return EdidStatus::kNoMemory;
    }
    return EdidStatus::kUnreadable;
}

void DescribeEdidReport(const EdidReport& report, char (&text)[kEdidReasonSize]) {
    char character[kQuotedByteSize];
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
            QuoteByte(report.byte, character);
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
