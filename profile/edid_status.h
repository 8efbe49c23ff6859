// Why reading an EDID ended as it did: the companion program and the web page
// turn it into a message; a refusal itself changes nothing in the form.
#pragma once

#include <cstddef>

#include "profile/read_file.h"

enum class EdidStatus {
    kApplied,        // fields written, balance recalculated
    kCannotOpen,     // empty path, missing file, no permission
    kUnreadable,     // opens, but reading it fails (a directory)
    kTooLarge,       // more than kEdidFileLimit bytes
    kNoMemory,       // no buffer for the read
    kNotHexText,     // offset and byte: a character that hex text cannot hold
    kOddDigits,      // offset: where a run of an odd number of hex digits starts
    kTooShort,       // count: the bytes found, fewer than one block
    kWrongHeader,
    kWrongChecksum,  // byte: what the block sums to modulo 256
    kWrongVersion,   // byte: the version found
};

struct EdidReport {
    EdidStatus status;
    size_t count;        // bytes found, where too few
    size_t offset;       // where in the input the fault in hex text stands
    unsigned char byte;  // the character, sum or version that is wrong
};

// A file that could not be read, as the EDID reader reports it: an empty one
// is too short, as an empty paste is.
EdidStatus EdidStatusOfFile(FileStatus status);

constexpr size_t kEdidReasonSize = 128;

// One line, without the file's name, such as
// `neither an EDID nor its hex text: "g" at offset 57`. Characters that are
// not printable are shown as \xNN.
void DescribeEdidReport(const EdidReport& report, char (&text)[kEdidReasonSize]);
