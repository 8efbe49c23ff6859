// The calibration's two files, made from the fields into a caller's buffer:
// an ArgyllCMS .cal (CGATS text) for dispwin, and an ICC version 2.4 display
// profile whose "vcgt" carries the same curves for the operating system to
// load. Neither touches a file; both refuse, writing nothing, when the fields
// allow no calibration.
#pragma once

#include <cstddef>
#include <cstdint>

#include "form/form.h"
#include "calibration/calibration.h"

// Room for the largest file each writer can make (checked where they are made).
constexpr size_t kCalFileBufferSize = 16384;
constexpr size_t kProfileBufferSize = 4096;

// The profile header's dateTimeNumber, in UTC.
struct IccDateTime {
    uint16_t year, month, day, hour, minute, second;
};

// The UTC date and time `seconds` after 1970-01-01 00:00:00; false, leaving
// out as it was, before 1970 or after the year 9999.
bool IccDateTimeFromEpoch(int64_t seconds, IccDateTime& out);

// On kReady, out holds the file's size bytes; otherwise size is 0.
CalibrationReport WriteCalFile(Dialog dlg, unsigned char (&out)[kCalFileBufferSize], size_t& size);

// The same, with `created` as the header's date: the only part of the bytes
// that is not a function of the fields.
CalibrationReport WriteDisplayProfile(Dialog dlg, const IccDateTime& created,
                                      unsigned char (&out)[kProfileBufferSize], size_t& size);
