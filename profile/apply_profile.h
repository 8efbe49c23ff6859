// The heart of a profile load, without the file: from the bytes of a profile
// to the form. The tests and the fuzzer call it directly.
#pragma once

#include <cstddef>

#include "form/form.h"
#include "profile/profile_status.h"

// Checks the header, then the tag table and the data of every tag that would
// be written; only when all of it lies within the size bytes and the header
// names an RGB display profile with an XYZ connection space does it write
// fields 1001 to 1009 as found and recalculate. Otherwise nothing changes.
// Where a "chad" tag records the chromatic adaptation that the white point
// and the colorants were stated after, it is undone, so that the fields show
// the display's own colours.
// Entries with other signatures are not followed, so they cannot refuse a
// profile.
ProfileReport ApplyProfileBytes(Dialog dlg, const unsigned char* bytes, size_t size);
