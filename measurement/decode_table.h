// One CGATS table of patches, device values against measured XYZ, as the
// display's white, primaries and gamma. The measurement decoder's core, for
// a file's own table and for the one inside a profile alike.
#pragma once

#include "source/cgats.h"
#include "source/colorimetry.h"
#include "source/load_notes.h"
#include "source/load_report.h"

// No instrument or device value comes near this; refusing past it keeps every
// sum over 4 MiB of rows finite.
constexpr double kMeasurementValueLimit = 1e9;

// The table needs RGB_R, RGB_G, RGB_B, XYZ_X, XYZ_Y and XYZ_Z among its
// fields, in any order. With the largest device value in the table as the top
// of the scale: the white is the mean of the rows all at the top, each primary
// the mean of the rows with its channel at the top and the others at 0, black
// the mean of the rows at 0 (zero where there is none), subtracted from the
// white and the primaries before their chromaticities. The gamma is the
// least-squares power law through the origin in logarithms over the grey rows
// from 10 % to 90 % of the top whose Y, less black's, over the white's, less
// black's, is above 0; given only where there are at least three. Sets out and
// the table's notes; out says nothing on a refusal.
LoadReport DecodeMeasurementTable(CgatsText text, const CgatsTable& table, Colorimetry& out, LoadNotes& notes);

// Whether the table has the fields DecodeMeasurementTable needs.
bool IsMeasurementTable(CgatsText text, const CgatsTable& table);
