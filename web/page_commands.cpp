// What the page's JavaScript calls: the dialog's commands, run on the page's
// one dialog, the EDID beside it, and the core's own reading of a field's
// number for the diagram.
#include <emscripten/emscripten.h>

#include <cstddef>
#include <cstdlib>
#include <limits>
#include <string>

#include "colour/account.h"
#include "colour/balance.h"
#include "colour/locus.h"
#include "colour/named_whites.h"
#include "profile/apply_edid.h"
#include "profile/apply_profile.h"
#include "profile/edid.h"
#include "profile/edid_status.h"

namespace {

// The page has one dialog, and its fields are found by name (page_fields.cpp),
// so the handle carries nothing.
const Dialog kPageDialog = nullptr;

// What an empty input is applied as: ApplyEdidBytes reads nothing of it, but
// is never handed a null pointer.
const unsigned char kNoBytes[1] = {};

// The reason for the last EDID refused, for the page's status line.
char g_edidReason[kEdidReasonSize];

// Null when the EDID was applied, otherwise the core's own one-line reason.
const char* DescribeEdidRefusal(const EdidReport& report) {
    if (report.status == EdidStatus::kApplied) return nullptr;
    DescribeEdidReport(report, g_edidReason);
    return g_edidReason;
}

EdidReport RefuseEdid(EdidStatus status) { return {status, 0, 0, 0}; }

// The account's text for the panel, kept until the next account.
std::string g_account;

bool CalcLocusPoint(int planckian, double kelvin, Chromaticity& white) {
    return planckian != 0 ? CalcPlanckianChromaticity(kelvin, white) : CalcDaylightChromaticity(kelvin, white);
}

void TypeTarget(Chromaticity white) {
    WriteFieldNumber(kPageDialog, IDC_TARGET_WHITE_X, white.x);
    WriteFieldNumber(kPageDialog, IDC_TARGET_WHITE_Y, white.y);
}

}  // namespace

extern "C" {

// Dialog initialisation: the default texts, then the first calculation.
EMSCRIPTEN_KEEPALIVE void OpenDialog() {
    StartForm(kPageDialog);
}

EMSCRIPTEN_KEEPALIVE void PressCalc() { CalcBalance(kPageDialog); }

EMSCRIPTEN_KEEPALIVE double ReadPageFieldNumber(int id) {
    return ReadFieldNumber(kPageDialog, id);
}

// The heap buffer that a file's bytes are copied into, the size of the file;
// null when it cannot be had (a file too big for memory) or is not needed (an
// empty file, which has nothing to copy).
EMSCRIPTEN_KEEPALIVE unsigned char* ReserveFileBuffer(size_t size) {
    return size == 0 ? nullptr : static_cast<unsigned char*>(std::malloc(size));
}

// The load behind Reload, from the chosen file's bytes; releases the buffer.
// Returns 1 when the profile was applied (and the balance recalculated).
EMSCRIPTEN_KEEPALIVE int ApplyProfileBuffer(unsigned char* bytes, size_t size) {
    ProfileReport report = ApplyProfileBytes(kPageDialog, bytes, size);
    std::free(bytes);
    return report.status == ProfileStatus::kApplied ? 1 : 0;
}

// How many bytes of a file or of pasted text the page hands over: one past
// the largest EDID, so that anything larger still shows as too large without
// being read whole.
EMSCRIPTEN_KEEPALIVE size_t EdidReadLimit() { return kEdidFileLimit + 1; }

// Applies an EDID, binary or hex text, from the bytes of a file or of the
// pasted text; bytes is from ReserveFileBuffer (null for an empty input or
// when no buffer could be had) and is released here. Returns null when it
// was applied (and the balance recalculated), otherwise the reason.
EMSCRIPTEN_KEEPALIVE const char* ApplyEdidBuffer(unsigned char* bytes, size_t size) {
    EdidReport report;
    if (size > kEdidFileLimit) {
        report = RefuseEdid(EdidStatus::kTooLarge);
    } else if (size == 0) {
        report = ApplyEdidBytes(kPageDialog, kNoBytes, 0);
    } else if (bytes == nullptr) {
        report = RefuseEdid(EdidStatus::kNoMemory);
    } else {
        report = ApplyEdidBytes(kPageDialog, bytes, size);
    }
    std::free(bytes);
    return DescribeEdidRefusal(report);
}

// The reason shown when the browser cannot read a chosen file (gone, or
// changed since it was chosen).
EMSCRIPTEN_KEEPALIVE const char* DescribeUnreadableEdid() {
    return DescribeEdidRefusal(RefuseEdid(EdidStatus::kUnreadable));
}

// The named whites, for the chooser's buttons: how many, and each one's name.
EMSCRIPTEN_KEEPALIVE int CountNamedWhites() { return kNamedWhiteCount; }

EMSCRIPTEN_KEEPALIVE const char* NameNamedWhite(int index) {
    return index >= 0 && index < kNamedWhiteCount ? kNamedWhites[index].name : "";
}

// Types a named white into the target fields, as the companion's --target
// does: five-decimal texts. The caller presses Calc.
EMSCRIPTEN_KEEPALIVE void TypeNamedWhite(int index) {
    if (index >= 0 && index < kNamedWhiteCount) TypeTarget(kNamedWhites[index].white);
}

// Types the white of a temperature on the daylight (planckian 0) or the
// blackbody locus; 0, with nothing typed, when the locus has no such point.
EMSCRIPTEN_KEEPALIVE int TypeTemperature(double kelvin, int planckian) {
    Chromaticity white;
    if (!CalcLocusPoint(planckian, kelvin, white)) return 0;
    TypeTarget(white);
    return 1;
}

// A locus's x and y at a temperature, for the diagram; not a number where it
// has no point.
EMSCRIPTEN_KEEPALIVE double LocusX(int planckian, double kelvin) {
    Chromaticity white;
    return CalcLocusPoint(planckian, kelvin, white) ? white.x : std::numeric_limits<double>::quiet_NaN();
}

EMSCRIPTEN_KEEPALIVE double LocusY(int planckian, double kelvin) {
    Chromaticity white;
    return CalcLocusPoint(planckian, kelvin, white) ? white.y : std::numeric_limits<double>::quiet_NaN();
}

// The account of the fields as they stand, as --explain gives it, with one
// line "Warning: ..." for each warning; given says whether the present gain
// settings r, g, b on a scale to top were given.
EMSCRIPTEN_KEEPALIVE const char* DescribeAccount(int given, int r, int g, int b, int top) {
    const GainSettings gains = {given != 0, {r, g, b}, top};
    const Account account = MakeAccount(kPageDialog, gains);
    g_account = ComposeAccount(gains, account);
    for (int i = 0; i < account.report.count; ++i) {
        char text[kWarningTextSize];
        DescribeWarning(account.report.warnings[i], text);
        g_account = g_account + "Warning: " + text + "\n";
    }
    return g_account.c_str();
}

}  // extern "C"
