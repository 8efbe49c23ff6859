// Feeds any bytes to the profile reader, as a file's whole contents, and
// checks what must hold for every input: a refused profile leaves all
// fourteen fields as they were, and a load never writes the target white.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "fuzz_form.h"
#include "profile/decode_profile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const Form kBefore = StartUpForm();
    Form form = kBefore;
    LoadReport report = ApplyProfileBytes(&form, data, size);
    bool refused = report.status != LoadStatus::kApplied;
    if (refused && !SameTexts(form, kBefore, kFirstFieldId, kLastFieldId)) std::abort();
    if (!SameTexts(form, kBefore, IDC_TARGET_WHITE_X, IDC_TARGET_WHITE_Y)) std::abort();
    return 0;
}
