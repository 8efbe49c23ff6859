// The heart of a profile load, without the file: from the bytes of a profile
// to what it says of the display. The tests and the fuzzer call it directly.
#pragma once

#include <cstddef>

#include "form/form.h"
#include "source/colorimetry.h"
#include "source/load_notes.h"
#include "source/load_report.h"

// Checks the header, then the tag table and the data of every tag that is
// acted on; only when all of it lies within the size bytes and the header
// names an RGB display profile with an XYZ connection space does it fill out
// with what the profile states. Otherwise out says nothing.
// Where a "chad" tag records the chromatic adaptation that the white point
// and the colorants were stated after, it is undone, so that the fields show
// the display's own colours.
// Entries with other signatures are not followed, so they cannot refuse a
// profile.
LoadReport DecodeProfile(const unsigned char* bytes, size_t size, Colorimetry& out);

// The same, and for an accepted profile what the account of the load tells
// beside it: why the gamma is missing and the fitted gamma where it can be
// had.
LoadReport DecodeProfile(const unsigned char* bytes, size_t size, Colorimetry& out, LoadNotes& notes);

// DecodeProfile, then ApplyColorimetry when the profile was accepted; a
// refused profile changes nothing.
LoadReport ApplyProfileBytes(Dialog dlg, const unsigned char* bytes, size_t size);
