// What the page's JavaScript calls: the dialog's commands, run on the page's
// one dialog, the EDID beside it, and the core's own reading of a field's
// number for the diagram.
#include <emscripten/emscripten.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "explain/result_account.h"
#include "colour/balance.h"
#include "colour/locus.h"
#include "colour/named_whites.h"
#include "explain/load_file.h"
#include "calibration/write_calibration.h"

namespace {

// The page has one dialog, and its fields are found by name (page_fields.cpp),
// so the handle carries nothing.
const Dialog kPageDialog = nullptr;

// What an empty input is applied as: a decoder reads nothing of it, but is
// never handed a null pointer.
const unsigned char kNoBytes[1] = {};

// What the last load did, for the page's status line: the account of what it
// set and kept, or the reader's reason for refusing it.
SourceLoad g_load;

// A file's bytes, from ReserveFileBuffer (null for an empty input or when no
// buffer could be had), applied as the source they are meant to be and then
// released. Returns 1 when applied (and the balance recalculated).
int ApplyBuffer(LoadSource source, unsigned char* bytes, size_t size) {
    if (size > SourceFileLimit(source)) {
        g_load = RefuseSource(source, LoadStatus::kTooLarge);
    } else if (bytes == nullptr && size > 0) {
        g_load = RefuseSource(source, LoadStatus::kNoMemory);
    } else if (size == 0 && source == LoadSource::kProfile) {
        g_load = RefuseSource(source, LoadStatus::kEmpty);
    } else {
        g_load = LoadSourceBytes(kPageDialog, source, bytes != nullptr ? bytes : kNoBytes, size);
    }
    std::free(bytes);
    return g_load.report.status == LoadStatus::kApplied ? 1 : 0;
}

// The last calibration file made, for the page to copy into a download, and
// the reason when it was refused.
unsigned char g_calFile[kCalFileBufferSize];
unsigned char g_profileFile[kProfileBufferSize];
size_t g_calibrationSize;
char g_calibrationReason[kCalibrationReasonSize];

const char* DescribeCalibrationRefusal(const CalibrationReport& report) {
    if (report.status == CalibrationStatus::kReady) return nullptr;
    DescribeCalibrationReport(report, g_calibrationReason);
    return g_calibrationReason;
}

// The account's text for the panel, with a line for each warning, kept until
// the next account.
char g_account[kAccountTextSize + kMaxWarnings * (kWarningTextSize + 10)];

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

// The load behind Reload, from the chosen file's bytes; LoadText tells what
// it did or why it was refused.
EMSCRIPTEN_KEEPALIVE int ApplyProfileBuffer(unsigned char* bytes, size_t size) {
    return ApplyBuffer(LoadSource::kProfile, bytes, size);
}

// The reason shown when the browser cannot read a chosen profile (gone, or
// changed since it was chosen).
EMSCRIPTEN_KEEPALIVE void DescribeUnreadableProfile() {
    g_load = RefuseSource(LoadSource::kProfile, LoadStatus::kCannotOpen);
}

EMSCRIPTEN_KEEPALIVE const char* LoadText() { return g_load.text; }

// How many bytes of a file or of pasted text the page hands over: one past
// the largest EDID, so that anything larger still shows as too large without
// being read whole.
EMSCRIPTEN_KEEPALIVE size_t EdidReadLimit() { return SourceFileLimit(LoadSource::kEdid) + 1; }

// Applies an EDID, binary or hex text, from the bytes of a file or of the
// pasted text; bytes is from ReserveFileBuffer (null for an empty input or
// when no buffer could be had) and is released here. Returns 1 when it was
// applied (and the balance recalculated); LoadText tells what it did or why
// it was refused.
EMSCRIPTEN_KEEPALIVE int ApplyEdidBuffer(unsigned char* bytes, size_t size) {
    return ApplyBuffer(LoadSource::kEdid, bytes, size);
}

// The reason shown when the browser cannot read a chosen file (gone, or
// changed since it was chosen).
EMSCRIPTEN_KEEPALIVE void DescribeUnreadableEdid() {
    g_load = RefuseSource(LoadSource::kEdid, LoadStatus::kUnreadable);
}

// The calibration's files from the fields as they stand, as the companion's
// --write-cal and --write-profile make them: null when made (the bytes at
// CalibrationBytes, CalibrationSize of them), otherwise the reason.
EMSCRIPTEN_KEEPALIVE const char* MakeCalFile() {
    return DescribeCalibrationRefusal(WriteCalFile(kPageDialog, g_calFile, g_calibrationSize));
}

// The profile's header date from the browser's clock, in whole seconds since
// 1970 (a double, which holds them exactly).
EMSCRIPTEN_KEEPALIVE const char* MakeProfileFile(double seconds) {
    IccDateTime created = {1970, 1, 1, 0, 0, 0};
    IccDateTimeFromEpoch(static_cast<int64_t>(seconds), created);
    return DescribeCalibrationRefusal(WriteDisplayProfile(kPageDialog, created, g_profileFile, g_calibrationSize));
}

EMSCRIPTEN_KEEPALIVE const unsigned char* CalFileBytes() { return g_calFile; }
EMSCRIPTEN_KEEPALIVE const unsigned char* ProfileFileBytes() { return g_profileFile; }
EMSCRIPTEN_KEEPALIVE size_t CalibrationSize() { return g_calibrationSize; }

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
    char text[kAccountTextSize];
    ComposeAccount(gains, account, text);
    int used = std::snprintf(g_account, sizeof g_account, "%s", text);
    for (int i = 0; i < account.report.count; ++i) {
        // The buffer holds every warning; a cut text still ends the loop here.
        if (used < 0 || static_cast<size_t>(used) >= sizeof g_account) break;
        char warning[kWarningTextSize];
        DescribeWarning(account.report.warnings[i], warning);
        used += std::snprintf(g_account + used, sizeof g_account - used, "Warning: %s\n", warning);
    }
    return g_account;
}

}  // extern "C"
