#include "explain/describe_load.h"

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

}  // namespace

void DescribeLoad(const Colorimetry& colorimetry, const LoadNotes& notes, char (&text)[kLoadAccountSize]) {
    Account account = {text, sizeof text, 0};
    text[0] = '\0';
    const bool given[kLoadedCount] = {colorimetry.has_white, colorimetry.has_primary[kPrimaryRed],
                                      colorimetry.has_primary[kPrimaryGreen],
                                      colorimetry.has_primary[kPrimaryBlue], colorimetry.has_gamma};
    AppendMonitor(account, notes);
    bool any = false;
    for (bool g : given) any = any || g;
    if (any) {
        Append(account, "set ");
        AppendList(account, given, true);
    } else {
        Append(account, "nothing set");
    }
    AppendKept(account, given, notes);
}
