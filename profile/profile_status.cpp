#include "profile/profile_status.h"

#include <cstdio>
#include <cstring>

#include "profile/quote_byte.h"

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

const char* DescribeStatus(ProfileStatus status) {
    switch (status) {
        case ProfileStatus::kApplied: return "loaded";
        case ProfileStatus::kCannotOpen: return "cannot be opened";
        case ProfileStatus::kUnreadable: return "cannot be read (a directory?)";
        case ProfileStatus::kEmpty: return "not an ICC profile: the file is empty";
        case ProfileStatus::kTooLarge: return "cannot be read: too large to hold in memory";
        case ProfileStatus::kNoMemory: return "cannot be read: not enough memory to hold it";
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

ProfileStatus ProfileStatusOfFile(FileStatus status) {
    switch (status) {
        case FileStatus::kRead: return ProfileStatus::kApplied;
        case FileStatus::kCannotOpen: return ProfileStatus::kCannotOpen;
        case FileStatus::kUnreadable: return ProfileStatus::kUnreadable;
        case FileStatus::kTooLarge: return ProfileStatus::kTooLarge;
        case FileStatus::kEmpty: return ProfileStatus::kEmpty;
        case FileStatus::kNoMemory: return ProfileStatus::kNoMemory;
    }
    return ProfileStatus::kUnreadable;
}

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
