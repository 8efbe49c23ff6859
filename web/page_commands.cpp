// What the page's JavaScript calls: the dialog's commands, run on the page's
// one dialog, and the core's own reading of a field's number for the diagram.
#include <emscripten/emscripten.h>

#include <cstddef>
#include <cstdlib>

#include "colour/balance.h"
#include "profile/apply_profile.h"

namespace {

// The page has one dialog, and its fields are found by name (page_fields.cpp),
// so the handle carries nothing.
const Dialog kPageDialog = nullptr;

}  // namespace

extern "C" {

// Dialog initialisation: the default texts, then the first calculation.
EMSCRIPTEN_KEEPALIVE void OpenDialog() {
    ApplyDefaultTexts(kPageDialog);
    CalcBalance(kPageDialog);
}

EMSCRIPTEN_KEEPALIVE void PressCalc() { CalcBalance(kPageDialog); }

EMSCRIPTEN_KEEPALIVE double ReadPageFieldNumber(int id) {
    return ReadFieldNumber(kPageDialog, id);
}

// The heap buffer that a file's bytes are copied into, the size of the file;
// null when it cannot be had (a file too big for memory, or an empty one,
// which no reader would accept).
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

}  // extern "C"
