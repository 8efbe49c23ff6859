#include "explain/describe_load.h"

#include <cstdint>
#include <cstdio>

namespace {

// The values a load can set, in field order.
enum LoadedValue { kLoadedWhite, kLoadedRed, kLoadedGreen, kLoadedBlue, kLoadedGamma, kLoadedCount };
const char* const kValueNames[kLoadedCount] = {"white", "red", "green", "blue", "gamma"};

struct Account {
    char* text;
    size_t size;
    size_t used;
};

// Appends what fits; the account is cut, never overrun.
void Append(Account& account, const char* piece) {
    int written = std::snprintf(account.text + account.used, account.size - account.used, "%s", piece);
    if (written > 0) account.used += static_cast<size_t>(written);
    if (account.used >= account.size) account.used = account.size - 1;
}

// "a", "a and b", "a, b and c": the values whose given matches want.
void AppendList(Account& account, const bool (&given)[kLoadedCount], bool want) {
    int count = 0, total = 0;
    for (bool g : given) total += g == want;
    for (int v = 0; v < kLoadedCount; ++v) {
        if (given[v] != want) continue;
        if (count > 0) Append(account, count + 1 == total ? " and " : ", ");
        Append(account, kValueNames[v]);
        ++count;
    }
}

void AppendMonitor(Account& account, const LoadNotes& notes) {
    if (notes.source != LoadSource::kEdid) return;
    if (notes.monitor_name[0] != '\0') {
        Append(account, "monitor \"");
        Append(account, notes.monitor_name);
        Append(account, "\" by ");
    } else {
        Append(account, "a monitor by ");
    }
    Append(account, notes.manufacturer);
    Append(account, ": ");
}

void AppendGammaReason(Account& account, const LoadNotes& notes) {
    switch (notes.gamma_note) {
        case GammaNote::kNoCurve: Append(account, "the profile has no green curve"); return;
        case GammaNote::kEdidElsewhere: Append(account, "the EDID gives none (its gamma byte is FF)"); return;
        case GammaNote::kFewGreyPatches:
            Append(account, "fewer than three grey patches from 10 % to 90 % signal to fit");
            return;
        case GammaNote::kGiven: return;
        case GammaNote::kNotSingleGamma: break;
    }
    Append(account, "the green curve is not a single gamma");
    if (!notes.has_fitted_gamma) return;
    char hint[80];
    std::snprintf(hint, sizeof hint, " (its best power law from 10 %% to 90 %% signal has gamma %.2f)",
                  notes.fitted_gamma);
    Append(account, hint);
}

// Each kept value with why: the white and the gamma alone, the primaries
// together since one reason (no colorant tags) keeps them all.
void AppendKept(Account& account, const bool (&given)[kLoadedCount], const LoadNotes& notes) {
    const bool profile = notes.source == LoadSource::kProfile;
    if (!given[kLoadedWhite]) {
        Append(account, "; white kept: ");
        Append(account, profile ? "the profile has no media white point" : "the EDID gives none");
    }
    bool primaries[kLoadedCount] = {true, given[kLoadedRed], given[kLoadedGreen], given[kLoadedBlue], true};
    bool none = !primaries[kLoadedRed] && !primaries[kLoadedGreen] && !primaries[kLoadedBlue];
    if (none) {
        Append(account, "; primaries kept: the profile has no colorant tags");
    } else if (!primaries[kLoadedRed] || !primaries[kLoadedGreen] || !primaries[kLoadedBlue]) {
        Append(account, "; ");
        AppendList(account, primaries, false);
        Append(account, " kept: the profile has no colorant tag for it");
    }
    if (!given[kLoadedGamma]) {
        Append(account, "; gamma kept: ");
        AppendGammaReason(account, notes);
    }
}

// A measurement sets its values together: from readings the white alone,
// from a table the white and primaries, and the gamma where it could be fitted.
void AppendMeasurement(Account& account, const bool (&given)[kLoadedCount], const LoadNotes& notes) {
    char piece[80];
    if (notes.from_readings) {
        if (notes.measurement_count == 1) {
            Append(account, "white from 1 reading");
        } else {
            std::snprintf(piece, sizeof piece, "white from the last of %zu readings", notes.measurement_count);
            Append(account, piece);
        }
        Append(account, "; primaries and gamma kept");
        return;
    }
    AppendList(account, given, true);
    std::snprintf(piece, sizeof piece, " from %zu patches", notes.measurement_count);
    Append(account, piece);
    if (notes.measurement_tag != 0) {
        const uint32_t tag = notes.measurement_tag;
        std::snprintf(piece, sizeof piece, " (its \"%c%c%c%c\" tag)", static_cast<char>(tag >> 24),
                      static_cast<char>(tag >> 16), static_cast<char>(tag >> 8), static_cast<char>(tag));
        Append(account, piece);
    }
    Append(account, notes.black_subtracted ? "; black subtracted" : "; no black patch: black taken as zero");
    if (!given[kLoadedGamma]) {
        Append(account, "; gamma kept: ");
        AppendGammaReason(account, notes);
    }
}

}  // namespace

void DescribeLoad(const Colorimetry& colorimetry, const LoadNotes& notes, char (&text)[kLoadAccountSize]) {
    Account account = {text, sizeof text, 0};
    text[0] = '\0';
    const bool given[kLoadedCount] = {colorimetry.has_white, colorimetry.has_primary[kPrimaryRed],
                                      colorimetry.has_primary[kPrimaryGreen],
                                      colorimetry.has_primary[kPrimaryBlue], colorimetry.has_gamma};
    if (notes.source == LoadSource::kMeasurement) {
        AppendMeasurement(account, given, notes);
        return;
    }
    AppendMonitor(account, notes);
    bool any = false;
    for (bool g : given) any = any || g;
    if (any) {
        Append(account, "set ");
        AppendList(account, given, true);
        // An EDID states what the maker designed, not what this display
        // measures: "No change needed" then means only that it claims the target.
        if (notes.source == LoadSource::kEdid) Append(account, " to the maker's nominal values");
    } else {
        Append(account, "nothing set");
    }
    AppendKept(account, given, notes);
}
