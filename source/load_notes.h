// What a reader can tell beside the colorimetry record, for the account of a
// load shown to the person (the page's status line, the companion's
// --explain): why a value it did not give is missing, a hint for the gamma,
// and which monitor an EDID names. Nothing here is ever written to a field.
#pragma once

#include <cstddef>

#include "source/load_report.h"

// Why the colorimetry has no gamma, where it has none.
enum class GammaNote {
    kGiven,
    kNoCurve,         // the profile has no green curve
    kNotSingleGamma,  // the profile's green curve is a table or a formula
    kEdidElsewhere,   // the EDID's gamma byte is FF: stated in an extension
};

// The descriptor's text holds at most 13 characters.
constexpr size_t kMonitorNameSize = 14;
constexpr size_t kManufacturerSize = 4;

struct LoadNotes {
    LoadSource source;
    GammaNote gamma_note;
    bool has_fitted_gamma;  // the curve's best power law between 10 % and 90 % signal
    double fitted_gamma;
    char monitor_name[kMonitorNameSize];  // empty where the EDID names none
    char manufacturer[kManufacturerSize];  // three letters, "?" for a letter out of range
};

struct Colorimetry;

// A decoder's outputs emptied before it fills them: nothing said, by source.
inline void StartNotes(LoadNotes& notes, LoadSource source) {
    notes = LoadNotes{};
    notes.source = source;
}

// A decoder that also tells notes, called by one whose caller wants none.
template <typename Report>
Report DecodeWithoutNotes(Report (*decode)(const unsigned char*, size_t, Colorimetry&, LoadNotes&),
                          const unsigned char* bytes, size_t size, Colorimetry& out) {
    LoadNotes notes;
    return decode(bytes, size, out, notes);
}
