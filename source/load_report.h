// Why a load of any source ended as it did. The dialog ignores it (a refusal
// there simply changes nothing); the companion and the page put it into words
// (explain/). A file's read and every decoder report through this one record.
#pragma once

#include <cstddef>
#include <cstdint>

#include "source/read_file.h"

// Which kind of source a load read: it chooses the words for the statuses
// every source shares (an empty file, one too large).
enum class LoadSource { kProfile, kEdid };

enum class LoadStatus {
    kApplied,            // fields written, balance recalculated
    // The file's read, for every source.
    kCannotOpen,         // empty path, missing file, no permission
    kUnreadable,         // opens, but reading it fails (a directory)
    kEmpty,
    kTooLarge,           // more than the source's limit or than memory can be asked for
    kNoMemory,
    // An ICC profile.
    kNotIcc,             // no "acsp" file signature
    kNotDisplayClass,    // signature holds the class found
    kNotRgbSpace,        // signature holds the colour space found
    kNotXyzConnection,   // signature holds the connection space found
    kTruncatedHeader,    // shorter than the header and tag count
    kTruncatedTable,     // the tag table runs past the end
    kTruncatedTag,       // signature holds the tag whose data runs past the end
    // An EDID, binary or hex text.
    kNotHexText,         // offset and byte: a character that hex text cannot hold
    kOddDigits,          // offset: where a run of an odd number of hex digits starts
    kTooShort,           // count: the bytes found, fewer than one block
    kWrongHeader,
    kWrongChecksum,      // byte: what the block sums to modulo 256
    kWrongVersion,       // byte: the version found
    kNoColourData,       // the ten chromaticity values are all alike
};

struct LoadReport {
    LoadStatus status;
    uint32_t signature;  // the offending ICC signature, where the status names one
    size_t count;        // bytes found, where too few
    size_t offset;       // where in the input the fault in hex text stands
    unsigned char byte;  // the character, sum or version that is wrong
};

constexpr LoadReport kLoadApplied = {LoadStatus::kApplied, 0, 0, 0, 0};

// A file that could not be read, as every source reports it.
LoadStatus LoadStatusOfFile(FileStatus status);
