// What a source of reference values says about a display: its white and
// primaries as chromaticities and its gamma, each with whether the source gave
// it. Every reader (a profile, an EDID, ...) decodes its bytes into one such
// record without touching the form; ApplyColorimetry alone writes it.
#pragma once

#include <cstddef>

#include "colour/chromaticity.h"
#include "form/form.h"

enum ColorimetryPrimary { kPrimaryRed, kPrimaryGreen, kPrimaryBlue, kPrimaryCount };

struct Colorimetry {
    bool has_white;
    Chromaticity white;
    bool has_primary[kPrimaryCount];
    Chromaticity primary[kPrimaryCount];  // red, green, blue
    bool has_gamma;
    double gamma;
};

// Writes what the record gives into fields 1001 to 1009 (white, red, green,
// blue, gamma, in that order, each as five-decimal text), keeps the others,
// and recalculates.
void ApplyColorimetry(Dialog dlg, const Colorimetry& colorimetry);

// A source's decoder, then ApplyColorimetry when the source was accepted; a
// refused source changes nothing. Report is the source's own report, whose
// status is kApplied on success.
template <typename Report>
Report ApplyDecoded(Dialog dlg, Report (*decode)(const unsigned char*, size_t, Colorimetry&),
                    const unsigned char* bytes, size_t size) {
    Colorimetry colorimetry;
    Report report = decode(bytes, size, colorimetry);
    if (report.status == decltype(report.status)::kApplied) ApplyColorimetry(dlg, colorimetry);
    return report;
}
