// What the page's JavaScript calls: the dialog's commands, run on the page's
// one dialog, the EDID beside it, and the core's own reading of a field's
// number for the diagram.
#include <emscripten/emscripten.h>

#include <cstddef>
#include <cstdlib>

#include "colour/balance.h"
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

}  // extern "C"
