// Why a profile load ended as it did. The dialog ignores it (a refusal there
// simply changes nothing); the companion program turns it into a message.
#pragma once

#include <cstddef>

#include "profile/icc.h"
#include "profile/read_file.h"

enum class ProfileStatus {
    kApplied,            // fields written, balance recalculated
    kCannotOpen,         // empty path, missing file, no permission
    kUnreadable,         // opens, but reading it fails (a directory)
    kEmpty,
    kTooLarge,           // more than memory can be asked for
    kNoMemory,
    kNotIcc,             // no "acsp" file signature
    kNotDisplayClass,    // signature holds the class found
    kNotRgbSpace,        // signature holds the colour space found
    kNotXyzConnection,   // signature holds the connection space found
    kTruncatedHeader,    // shorter than the header and tag count
    kTruncatedTable,     // the tag table runs past the end
    kTruncatedTag,       // signature holds the tag whose data runs past the end
};

struct ProfileReport {
    ProfileStatus status;
    IccSignature signature;  // the offending signature where the status names one
};

// A file that could not be read, as the profile reader reports it.
ProfileStatus ProfileStatusOfFile(FileStatus status);

constexpr size_t kProfileReasonSize = 128;

// One line, without the file's name, such as
// `not a display profile: device class "prtr"`. Bytes of a signature that are
// not printable are shown as \xNN.
void DescribeProfileReport(const ProfileReport& report, char (&text)[kProfileReasonSize]);
