// What the page's JavaScript calls: the dialog's commands, run on the page's
// one dialog, the EDID beside it, and the core's own reading of a field's
// number for the diagram.
#include <emscripten/emscripten.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "colour/balance.h"
#include "colour/locus.h"
#include "colour/named_whites.h"
#include "explain/calibration_choice.h"
#include "explain/detect_source.h"
#include "explain/load_file.h"
#include "explain/result_account.h"
#include "explain/target_word.h"
#include "page_steps.h"
#include "calibration/write_calibration.h"
#include "explain/describe_calibration.h"
#include "explain/describe_warning.h"

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

// The display's own curves from the last applied load, for the settings and
// the files; a typed gamma drops them (DropDisplayResponse).
DisplayResponse g_response;

// The calibration the page's files build on, set by each load as the
// companion's is, and the words that say so.
CalibrationChoice g_calibration;
char g_calibrationText[kCalibrationWordsSize];

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
    TakeLoadCalibration(g_calibration, g_load, "the loaded file");
    if (g_load.report.status != LoadStatus::kApplied) return 0;
    // A single reading, which keeps the calibration, says nothing of the curves either.
    if (!g_load.decoded.keeps_calibration) g_response = g_load.decoded.response;
    return 1;
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

// The account's text for the panel and its warnings as (code, words), kept
// until the next account.
char g_account[kAccountTextSize];
WarningList g_warnings;

// The last text asked for that the page shows as it is.
char g_locusRange[kTargetWordTextSize];

bool CalcLocusPoint(int planckian, double kelvin, Chromaticity& white) {
    return planckian != 0 ? CalcPlanckianChromaticity(kelvin, white) : CalcDaylightChromaticity(kelvin, white);
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

// For a typed change of the gamma field (1009): the typed gamma is then every
// channel's curve, so the settings and the files go back to the ratios.
EMSCRIPTEN_KEEPALIVE void DropDisplayResponse() { g_response.kind = ResponseKind::kPowerLaw; }

// The one chooser's and the paste box's load: the bytes of any reference
// file or text, told apart by their content (DetectSource) and applied as
// that source; bytes is from ReserveFileBuffer (null for an empty input or when no buffer
// could be had) and is released here. Returns 1 when it was applied (and the
// balance recalculated); LoadText tells what it did or why it was refused.
EMSCRIPTEN_KEEPALIVE int ApplySourceBuffer(unsigned char* bytes, size_t size) {
    return ApplyBuffer(DetectSource(bytes != nullptr ? bytes : kNoBytes, size), bytes, size);
}

// How much pasted text the page hands over: one past the largest text
// source, so that more still shows as too large without being copied whole.
EMSCRIPTEN_KEEPALIVE size_t SourceTextLimit() {
    const size_t edid = SourceFileLimit(LoadSource::kEdid);
    const size_t measurement = SourceFileLimit(LoadSource::kMeasurement);
    return (edid > measurement ? edid : measurement) + 1;
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
    CalibrationCurves curves;
    g_calibrationSize = 0;
    if (!CurvesOfChoice(g_calibration, curves, g_calibrationText)) return g_calibrationText;
    curves.response = UsableResponse(g_response);
    return DescribeCalibrationRefusal(WriteCalFile(kPageDialog, curves, g_calFile, g_calibrationSize));
}

// The profile's header date from the browser's clock, in whole seconds since
// 1970 (a double, which holds them exactly).
EMSCRIPTEN_KEEPALIVE const char* MakeProfileFile(double seconds) {
    IccDateTime created = {1970, 1, 1, 0, 0, 0};
    IccDateTimeFromEpoch(static_cast<int64_t>(seconds), created);
    CalibrationCurves curves;
    g_calibrationSize = 0;
    if (!CurvesOfChoice(g_calibration, curves, g_calibrationText)) return g_calibrationText;
    curves.response = UsableResponse(g_response);
    return DescribeCalibrationRefusal(WriteDisplayProfile(kPageDialog, curves, created, g_profileFile, g_calibrationSize));
}

// What the files build on, for the status line: "built on the calibration in
// the loaded file (256 entries per channel)" or "no calibration in effect:
// curves from the ratios alone".
EMSCRIPTEN_KEEPALIVE const char* CalibrationText() {
    static char line[kCalibrationLineSize];
    ComposeCalibrationLine(g_calibration, line);
    return line;
}

EMSCRIPTEN_KEEPALIVE const unsigned char* CalFileBytes() { return g_calFile; }
EMSCRIPTEN_KEEPALIVE const unsigned char* ProfileFileBytes() { return g_profileFile; }
EMSCRIPTEN_KEEPALIVE size_t CalibrationSize() { return g_calibrationSize; }

// Where each locus runs, for drawing it: its coolest (hot 0) or hottest end.
EMSCRIPTEN_KEEPALIVE double LocusEndKelvin(int planckian, int hot) {
    if (hot != 0) return planckian != 0 ? kPlanckianMaxKelvin : kDaylightMaxKelvin;
    return planckian != 0 ? kPlanckianMinKelvin : kDaylightMinKelvin;
}

EMSCRIPTEN_KEEPALIVE const char* LocusRange(int planckian) {
    DescribeLocusRange(planckian != 0, g_locusRange);
    return g_locusRange;
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

// The account of the fields as they stand, as --explain gives it; its
// warnings are kept for WarningCount, WarningCode and WarningWords. The
// present gain settings r, g, b on a scale to top count as given when they
// are whole numbers within the scale (not a number where none was typed).
EMSCRIPTEN_KEEPALIVE const char* DescribeAccount(double r, double g, double b, double top) {
    const GainSettings gains = ReadGainSettings({r, g, b}, top);
    const Account account = MakeAccount(kPageDialog, gains, g_response);
    ComposeAccount(gains, account, g_account);
    DescribeWarnings(account.report, FieldNumbers::kHidden, g_warnings);
    DescribePageSteps(gains, account);
    return g_account;
}

EMSCRIPTEN_KEEPALIVE int WarningCount() { return g_warnings.count; }

EMSCRIPTEN_KEEPALIVE const char* WarningCode(int index) {
    return index >= 0 && index < g_warnings.count ? g_warnings.items[index].code : "";
}

EMSCRIPTEN_KEEPALIVE const char* WarningWords(int index) {
    return index >= 0 && index < g_warnings.count ? g_warnings.items[index].words : "";
}

}  // extern "C"
