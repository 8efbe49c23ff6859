// The account of an accepted load, for the person who made it: which of
// fields 1001 to 1009 it set, what it kept and why, and for an EDID which
// monitor it names. The page's status line and the companion's --explain
// show it after the file's name.
#pragma once

#include <cstddef>

#include "profile/colorimetry.h"
#include "profile/load_notes.h"

constexpr size_t kLoadAccountSize = 320;

// One line, such as `monitor "DELL U2412M" by DEL: set white, red, green,
// blue and gamma` or `set white, red, green and blue; gamma kept: the green
// curve is not a single gamma (its best power law from 10 % to 90 % signal
// has gamma 2.22)`.
void DescribeLoad(const Colorimetry& colorimetry, const LoadNotes& notes, char (&text)[kLoadAccountSize]);
