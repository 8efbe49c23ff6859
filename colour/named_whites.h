// The whites people ask for by name: the CIE illuminants D50, D55, D65, D75,
// A and E (CIE 15) and the DCI-P3 projector white (SMPTE).
#pragma once

#include "colour/chromaticity.h"

struct NamedWhite {
    const char* name;
    Chromaticity white;
};

constexpr int kNamedWhiteCount = 7;
extern const NamedWhite kNamedWhites[kNamedWhiteCount];

// The white of that name in any letter case, or nullptr.
const NamedWhite* FindNamedWhite(const char* name);
