#include "explain/target_word.h"

#include <cstdio>
#include <cstring>

#include "colour/locus.h"
#include "colour/named_whites.h"
#include "form/number_text.h"

namespace {

// ASCII letter case only, whatever the locale.
bool EqualsLowerCase(const char* text, const char* lower_case) {
    for (; *text != '\0' && *lower_case != '\0'; ++text, ++lower_case) {
        const char c = *text >= 'A' && *text <= 'Z' ? static_cast<char>(*text - 'A' + 'a') : *text;
        if (c != *lower_case) return false;
    }
    return *text == *lower_case;
}

// "6500K" or "2700K:planckian" (either letter case): the number as the
// fields read numbers, then K, then nothing or the locus. False for any other text.
bool ParseTemperature(const char* word, double& kelvin, bool& planckian) {
    const size_t length = MeasureFieldNumber(word);
    if (length == 0 || (word[length] != 'K' && word[length] != 'k')) return false;
    const char* rest = word + length + 1;
    planckian = *rest != '\0';
    if (planckian && !EqualsLowerCase(rest, ":planckian")) return false;
    kelvin = ParseFieldNumber(word);
    return true;
}

}  // namespace

void TypeTargetWhite(Dialog dlg, Chromaticity white) {
    WriteFieldNumber(dlg, IDC_TARGET_WHITE_X, white.x);
    WriteFieldNumber(dlg, IDC_TARGET_WHITE_Y, white.y);
}

TargetWordStatus TypeTargetTemperature(Dialog dlg, double kelvin, bool planckian) {
    Chromaticity white = {0.0, 0.0};
    const bool on_locus =
        planckian ? CalcPlanckianChromaticity(kelvin, white) : CalcDaylightChromaticity(kelvin, white);
    if (!on_locus) return planckian ? TargetWordStatus::kOffPlanckian : TargetWordStatus::kOffDaylight;
    TypeTargetWhite(dlg, white);
    return TargetWordStatus::kTyped;
}

TargetWordStatus TypeTargetWord(Dialog dlg, const char* word) {
    if (const NamedWhite* named = FindNamedWhite(word)) {
        TypeTargetWhite(dlg, named->white);
        return TargetWordStatus::kTyped;
    }
    double kelvin = 0.0;
    bool planckian = false;
    if (!ParseTemperature(word, kelvin, planckian)) return TargetWordStatus::kNotAWord;
    return TypeTargetTemperature(dlg, kelvin, planckian);
}

void DescribeTargetForms(char (&text)[kTargetWordTextSize]) {
    char names[kTargetWordTextSize] = "";
    for (int i = 0; i < kNamedWhiteCount; ++i) {
        if (i > 0) std::strncat(names, ", ", sizeof names - std::strlen(names) - 1);
        std::strncat(names, kNamedWhites[i].name, sizeof names - std::strlen(names) - 1);
    }
    std::snprintf(text, sizeof text,
                  "X,Y, a name (%s), TK for daylight (%.0fK to %.0fK) or TK:planckian for a blackbody (%.0fK to %.0fK)",
                  names, kDaylightMinKelvin, kDaylightMaxKelvin, kPlanckianMinKelvin, kPlanckianMaxKelvin);
}

void DescribeLocus(bool planckian, char (&text)[kTargetWordTextSize]) {
    if (planckian) {
        std::snprintf(text, sizeof text, "the blackbody locus (%.0fK to %.0fK)", kPlanckianMinKelvin,
                      kPlanckianMaxKelvin);
    } else {
        std::snprintf(text, sizeof text, "the daylight locus (%.0fK to %.0fK; below, try TK:planckian)",
                      kDaylightMinKelvin, kDaylightMaxKelvin);
    }
}

void DescribeLocusRange(bool planckian, char (&text)[kTargetWordTextSize]) {
    std::snprintf(text, sizeof text, "The %s locus runs from %.0f to %.0f K.", planckian ? "blackbody" : "daylight",
                  planckian ? kPlanckianMinKelvin : kDaylightMinKelvin,
                  planckian ? kPlanckianMaxKelvin : kDaylightMaxKelvin);
}
