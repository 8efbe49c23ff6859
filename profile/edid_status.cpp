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

namespace {

// The reasons that need nothing from the report; null for the others.
const char* FixedReason(EdidStatus status) {
    switch (status) {
        case EdidStatus::kApplied: return "loaded";
        case EdidStatus::kCannotOpen: return "cannot be opened";
        case EdidStatus::kUnreadable: return "cannot be read";
        case EdidStatus::kNoMemory: return "cannot be read: not enough memory";
        case EdidStatus::kWrongHeader: return "not an EDID: it does not start with 00 FF FF FF FF FF FF 00";
        default: return nullptr;
    }
}

}  // namespace

void DescribeEdidReport(const EdidReport& report, char (&text)[kEdidReasonSize]) {
    const size_t size = sizeof text;
    if (const char* fixed = FixedReason(report.status)) {
        std::snprintf(text, size, "%s", fixed);
        return;
    }
    char character[kQuotedByteSize];
    switch (report.status) {
        case EdidStatus::kTooLarge:
            std::snprintf(text, size, "too large to be an EDID: over %zu bytes", kEdidFileLimit);
            return;
        case EdidStatus::kNotHexText:
            QuoteByte(report.byte, character);
            std::snprintf(text, size, "neither an EDID nor its hex text: \"%s\" at offset %zu", character,
                          report.offset);
            return;
        case EdidStatus::kOddDigits:
            std::snprintf(text, size, "EDID hex text with an odd number of digits at offset %zu", report.offset);
            return;
        case EdidStatus::kTooShort:
            std::snprintf(text, size, "too short to be an EDID: %zu bytes, fewer than %zu", report.count,
                          kEdidBlockSize);
            return;
        case EdidStatus::kWrongChecksum:
            std::snprintf(text, size, "damaged EDID: the base block sums to 0x%02X, not 0", report.byte);
            return;
        case EdidStatus::kWrongVersion:
            std::snprintf(text, size, "EDID version %u, not 1", static_cast<unsigned>(report.byte));
            return;
        default:
            std::snprintf(text, size, "unknown failure");
            return;
    }
}
