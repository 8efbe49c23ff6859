// A target white as a person names it, the same for the companion's --target
// and the page's chooser: a named white ("D50"), a daylight temperature
// ("6500K") or a blackbody one ("2700K:planckian"), typed into fields 1010 and
// 1011 as the five-decimal texts a person would type for it.
#pragma once

#include <cstddef>

#include "colour/chromaticity.h"
#include "form/form.h"

enum class TargetWordStatus {
    kTyped,
    kNotAWord,      // neither a name nor a temperature
    kOffDaylight,   // a temperature outside the daylight locus
    kOffPlanckian,  // a temperature outside the blackbody locus
};

// Types the white the word names; anything but kTyped types nothing.
TargetWordStatus TypeTargetWord(Dialog dlg, const char* word);

// A white typed as the words above type it: five-decimal texts.
void TypeTargetWhite(Dialog dlg, Chromaticity white);

// The white of a temperature on the daylight or the blackbody locus, typed.
TargetWordStatus TypeTargetTemperature(Dialog dlg, double kelvin, bool planckian);

constexpr size_t kTargetWordTextSize = 256;

// Every form a target takes, for a usage line: "X,Y, a name (D50, ..., DCI-P3),
// TK for daylight (4000K to 25000K) or TK:planckian for a blackbody (1000K to 25000K)".
void DescribeTargetForms(char (&text)[kTargetWordTextSize]);

// Where a temperature off its locus could be: "the daylight locus (4000K to
// 25000K; below, try TK:planckian)" or "the blackbody locus (1000K to 25000K)".
void DescribeLocus(bool planckian, char (&text)[kTargetWordTextSize]);

// The page's line under its chooser: "The daylight locus runs from 4000 to 25000 K."
void DescribeLocusRange(bool planckian, char (&text)[kTargetWordTextSize]);
