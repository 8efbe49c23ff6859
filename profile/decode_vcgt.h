// The calibration a profile was measured through: its "vcgt" tag, the
// graphics card's curves loaded at the time. Only the companion and the page
// read it; the dialog's load never does.
#pragma once

#include <cstddef>

#include "source/calibration_in_effect.h"
#include "source/colorimetry.h"
#include "source/load_notes.h"
#include "source/load_report.h"

// The last "vcgt" entry of the tag table: kNone where there is none, kCurves
// with its curves, or why it cannot be read. Everything is checked against
// size bytes and against the tag's own size.
void DecodeProfileCalibration(const unsigned char* bytes, size_t size, CalibrationInEffect& out);

// DecodeProfile with its notes, and for an accepted profile its calibration.
LoadReport DecodeCalibratedProfile(const unsigned char* bytes, size_t size, Colorimetry& out, LoadNotes& notes);
