#include "profile/profile_status.h"

#include <cstdio>

namespace {

// At most 4 x 4 characters plus the terminating zero.
constexpr size_t kSignatureTextSize = 17;

// A signature as text, printable bytes as they are, the others as \xNN, so
// that a damaged file cannot put control characters on the terminal.
void FormatSignature(IccSignature signature, char (&text)[kSignatureTextSize]) {
    size_t used = 0;
    for (int shift = 24; shift >= 0; shift -= 8) {
        unsigned byte = (signature >> shift) & 0xFFu;
        size_t room = sizeof text - used;
        int written = (byte >= 0x20 && byte < 0x7F && byte != '"' && byte != '\\')
                          ? std::snprintf(text + used, room, "%c", static_cast<char>(byte))
                          : std::snprintf(text + used, room, "\\x%02X", byte);
        used += static_cast<size_t>(written);
    }
}

const char* DescribeStatus(ProfileStatus status) {
    switch (status) {
        case ProfileStatus::kApplied: return "loaded";
        case ProfileStatus::kCannotOpen: return "cannot be opened";
        case ProfileStatus::kUnreadable: return "cannot be read (a directory?)";
        case ProfileStatus::kUnknownLength: return "cannot be read: its length cannot be determined";
        case ProfileStatus::kEmpty: return "not an ICC profile: the file is empty";
        case ProfileStatus::kTooLarge: return "cannot be read: too large to hold in memory";
        case ProfileStatus::kNoMemory: return "cannot be read: not enough memory to hold it";
        case ProfileStatus::kShortRead: return "cannot be read: fewer bytes than its length";
        case ProfileStatus::kNotIcc: return "not an ICC profile";
        case ProfileStatus::kNotDisplayClass: return "not a display profile: device class";
        case ProfileStatus::kNotRgbSpace: return "colour space not RGB:";
        case ProfileStatus::kNotXyzConnection: return "connection space not XYZ:";
        case ProfileStatus::kTruncatedHeader: return "truncated or damaged: shorter than the header";
        case ProfileStatus::kTruncatedTable: return "truncated or damaged: the tag table runs past the end";
        case ProfileStatus::kTruncatedTag: return "truncated or damaged: the data of tag";
    }
    return "unknown failure";
}

bool NamesSignature(ProfileStatus status) {
    return status == ProfileStatus::kNotDisplayClass || status == ProfileStatus::kNotRgbSpace ||
           status == ProfileStatus::kNotXyzConnection || status == ProfileStatus::kTruncatedTag;
}

}  // namespace

void DescribeProfileReport(const ProfileReport& report, char (&text)[kProfileReasonSize]) {
    const char* reason = DescribeStatus(report.status);
    if (!NamesSignature(report.status)) {
        std::snprintf(text, sizeof text, "%s", reason);
        return;
    }
    char signature[kSignatureTextSize];
    FormatSignature(report.signature, signature);
    const char* tail = report.status == ProfileStatus::kTruncatedTag ? " runs past the end" : "";
    std::snprintf(text, sizeof text, "%s \"%s\"%s", reason, signature, tail);
}
