#include "explain/describe_report.h"

#include <cstdio>
#include <cstring>

#include "edid/edid.h"
#include "profile/icc.h"
#include "source/quote_byte.h"

namespace {

// At most 4 x 4 characters plus the terminating zero.
constexpr size_t kSignatureTextSize = 17;

void FormatSignature(IccSignature signature, char (&text)[kSignatureTextSize]) {
    text[0] = '\0';
    for (int shift = 24; shift >= 0; shift -= 8) {
        char quoted[kQuotedByteSize];
        QuoteByte(static_cast<unsigned char>(signature >> shift), quoted);
        std::strncat(text, quoted, sizeof text - std::strlen(text) - 1);
    }
}

// A file's read that failed, in the words of the source it was to be.
const char* DescribeFileFailure(LoadSource source, LoadStatus status) {
    const bool profile = source == LoadSource::kProfile;
    switch (status) {
        case LoadStatus::kApplied: return "loaded";
        case LoadStatus::kCannotOpen: return "cannot be opened";
        case LoadStatus::kUnreadable: return profile ? "cannot be read (a directory?)" : "cannot be read";
        case LoadStatus::kTooLarge: return profile ? "cannot be read: too large to hold in memory" : nullptr;
        case LoadStatus::kNoMemory:
            return profile ? "cannot be read: not enough memory to hold it" : "cannot be read: not enough memory";
        case LoadStatus::kEmpty: return profile ? "not an ICC profile: the file is empty" : nullptr;
        default: return nullptr;
    }
}

// The reasons that need nothing from the report; null for the others.
const char* FixedReason(LoadStatus status) {
    switch (status) {
        case LoadStatus::kNotIcc: return "not an ICC profile";
        case LoadStatus::kTruncatedHeader: return "truncated or damaged: shorter than the header";
        case LoadStatus::kTruncatedTable: return "truncated or damaged: the tag table runs past the end";
        case LoadStatus::kWrongHeader: return "not an EDID: it does not start with 00 FF FF FF FF FF FF 00";
        case LoadStatus::kNoColourData:
            return "carries no colour data: its white and primaries are all the same value";
        default: return nullptr;
    }
}

// The profile's refusals that name the signature found.
const char* SignatureReason(LoadStatus status) {
    switch (status) {
        case LoadStatus::kNotDisplayClass: return "not a display profile: device class";
        case LoadStatus::kNotRgbSpace: return "colour space not RGB:";
        case LoadStatus::kNotXyzConnection: return "connection space not XYZ:";
        case LoadStatus::kTruncatedTag: return "truncated or damaged: the data of tag";
        default: return nullptr;
    }
}

void DescribeEdidDetail(const LoadReport& report, char (&text)[kLoadReasonSize]) {
    const size_t size = sizeof text;
    char character[kQuotedByteSize];
    switch (report.status) {
        case LoadStatus::kTooLarge:
            std::snprintf(text, size, "too large to be an EDID: over %zu bytes", kEdidFileLimit);
            return;
        case LoadStatus::kNotHexText:
            QuoteByte(report.byte, character);
            std::snprintf(text, size, "neither an EDID nor its hex text: \"%s\" at offset %zu", character,
                          report.offset);
            return;
        case LoadStatus::kOddDigits:
            std::snprintf(text, size, "EDID hex text with an odd number of digits at offset %zu", report.offset);
            return;
        case LoadStatus::kEmpty:
        case LoadStatus::kTooShort:
            std::snprintf(text, size, "too short to be an EDID: %zu bytes, fewer than %zu", report.count,
                          kEdidBlockSize);
            return;
        case LoadStatus::kWrongChecksum:
            std::snprintf(text, size, "damaged EDID: the base block sums to 0x%02X, not 0", report.byte);
            return;
        case LoadStatus::kWrongVersion:
            std::snprintf(text, size, "EDID version %u, not 1", static_cast<unsigned>(report.byte));
            return;
        default:
            std::snprintf(text, size, "unknown failure");
            return;
    }
}

}  // namespace

void DescribeLoadReport(LoadSource source, const LoadReport& report, char (&text)[kLoadReasonSize]) {
    const char* fixed = DescribeFileFailure(source, report.status);
    if (fixed == nullptr) fixed = FixedReason(report.status);
    if (fixed != nullptr) {
        std::snprintf(text, sizeof text, "%s", fixed);
        return;
    }
    if (const char* reason = SignatureReason(report.status)) {
        char signature[kSignatureTextSize];
        FormatSignature(report.signature, signature);
        const char* tail = report.status == LoadStatus::kTruncatedTag ? " runs past the end" : "";
        std::snprintf(text, sizeof text, "%s \"%s\"%s", reason, signature, tail);
        return;
    }
    DescribeEdidDetail(report, text);
}
