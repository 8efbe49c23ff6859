// The account of an accepted load, for the person who made it: which of
// fields 1001 to 1009 it set, what it kept and why, and for an EDID which
// monitor it names. The page's status line and the companion's --explain
// show it after the file's name.
#pragma once

#include <cstddef>

#include "source/colorimetry.h"
#include "source/load_notes.h"

constexpr size_t kLoadAccountSize = 320;

// One line, such as `monitor "DELL U2412M" by DEL: set white, red, green,
// blue and gamma` or `set white, red, green and blue; gamma kept: the green
// curve is not a single gamma (its best power law from 10 % to 90 % signal
// has gamma 2.22)`.
void DescribeLoad(const Colorimetry& colorimetry, const LoadNotes& notes, char (&text)[kLoadAccountSize]);

// A source's decoder with its notes, then ApplyColorimetry and the account
// when the source was accepted (account is emptied otherwise, and a refused
// source changes nothing). For front ends that show what a load did:
//   ApplyAndDescribe(dlg, DecodeProfile, bytes, size, account)
template <typename Report>
Report ApplyAndDescribe(Dialog dlg, Report (*decode)(const unsigned char*, size_t, Colorimetry&, LoadNotes&),
                        const unsigned char* bytes, size_t size, char (&account)[kLoadAccountSize]) {
    Colorimetry colorimetry;
    LoadNotes notes;
    Report report = decode(bytes, size, colorimetry, notes);
    account[0] = '\0';
    if (report.status != decltype(report.status)::kApplied) return report;
    ApplyColorimetry(dlg, colorimetry);
    DescribeLoad(colorimetry, notes, account);
    return report;
}
