// The heart of reading a measurement, without the file: from its bytes to
// what an instrument saw of the display. The tests, the fuzzer and the page
// call it directly.
#pragma once

#include <cstddef>

#include "form/form.h"
#include "source/colorimetry.h"
#include "source/load_notes.h"
#include "source/load_report.h"

// No measurement file comes near this: ArgyllCMS's largest charts are a few
// hundred kilobytes.
constexpr size_t kMeasurementFileLimit = 4 * 1024 * 1024;

// Takes the bytes as one of:
// - CGATS text whose first table has the fields RGB_R, RGB_G, RGB_B, XYZ_X,
//   XYZ_Y and XYZ_Z (see DecodeMeasurementTable for what it sets); later
//   tables, such as the calibration in effect while measuring, are not read;
// - an ICC profile, read as the table in the first of its "targ" and "CIED"
//   tags that holds one;
// - text with "Result is XYZ: X Y Z" readings, as spotread prints them: the
//   white from the last, nothing else.
// Otherwise out says nothing, and a table of Lab colours alone is refused as
// needing XYZ.
LoadReport DecodeMeasurement(const unsigned char* bytes, size_t size, Colorimetry& out);

// The same, and for an accepted measurement what it was read from, for the
// account of the load.
LoadReport DecodeMeasurement(const unsigned char* bytes, size_t size, Colorimetry& out, LoadNotes& notes);

// DecodeMeasurement, then ApplyColorimetry when it was accepted; a refused
// measurement changes nothing.
LoadReport ApplyMeasurementBytes(Dialog dlg, const unsigned char* bytes, size_t size);
