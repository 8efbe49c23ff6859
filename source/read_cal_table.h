// A calibration as a CGATS table: an ArgyllCMS .cal file, or the CAL table
// that follows the measurements in a .ti3 taken through a calibration. Rows
// of RGB_I (the input, evenly spaced from 0 to 1) and RGB_R, RGB_G, RGB_B
// (each channel's output for it).
#pragma once

#include <cstddef>

#include "source/calibration_in_effect.h"
#include "source/cgats.h"

// The table's curves (kCurves), or why it cannot be built on; the table's
// identifier is not consulted.
void DecodeCalTable(CgatsText text, const CgatsTable& table, CalibrationInEffect& out);

// The first table of the text that is identified as CAL; kNone where there
// is none, kNotCalTable where a table is broken off before its end.
void DecodeCalText(CgatsText text, CalibrationInEffect& out);
