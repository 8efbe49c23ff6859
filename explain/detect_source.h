// Which source some bytes are, by their content alone: for the page, whose
// one file chooser and one paste box take any of them.
#pragma once

#include <cstddef>

#include "source/load_report.h"

// A profile by its "acsp" signature (a profile with a measurement inside is a
// profile here: its own colorants are what the chooser loads); an EDID by
// its binary header; a measurement by text holding a CGATS data section
// (BEGIN_DATA) or an instrument's reading ("Result is XYZ:"). Other text is
// taken as an EDID's hex text or dump, other binary bytes as a profile, so
// that a refusal speaks of the source they most resemble.
LoadSource DetectSource(const unsigned char* bytes, size_t size);
