// The heart of reading a monitor's EDID, without the file: from its bytes to
// what it says of the display. The tests, the fuzzer and the web page call it directly.
#pragma once

#include <cstddef>

#include "form/form.h"
#include "source/colorimetry.h"
#include "source/load_report.h"
#include "source/load_notes.h"

// Takes the bytes as the binary EDID, or as its hex text when every byte is
// one that text can hold (a binary EDID never is: its header has zeros). Hex
// text is pairs of hex digits in runs split by white space, each run with an
// optional 0x; a leading "EDID:" label (as xrandr --verbose prints) and a "<"
// before and ">" after the digits (as ioreg prints) are allowed. After an
// "edid-decode (hex):" or "EDID (hex):" label the digits end at the first
// line that is not hex, and the text after it is not read.
// Only when the base block is complete, starts with the header, sums to 0 and
// is of version 1 does it fill out with the white, the three primaries and
// (unless the block gives none) the gamma. Otherwise out says nothing.
// Extension blocks after the base block are not consulted.
LoadReport DecodeEdid(const unsigned char* bytes, size_t size, Colorimetry& out);

// The same, and for an accepted EDID the monitor's name and manufacturer and
// why the gamma is missing, for the account of the load.
LoadReport DecodeEdid(const unsigned char* bytes, size_t size, Colorimetry& out, LoadNotes& notes);

// DecodeEdid, then ApplyColorimetry when the EDID was accepted; a refused
// EDID changes nothing.
LoadReport ApplyEdidBytes(Dialog dlg, const unsigned char* bytes, size_t size);
