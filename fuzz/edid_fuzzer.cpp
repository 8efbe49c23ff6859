// Feeds any bytes to the EDID reader, as a file's or a paste's contents, and
// checks what must hold for every input: a refusal leaves all fourteen fields
// as they were, the target white is never written, and bytes that start as a
// binary EDID read the same when given as their hex text.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz_form.h"
#include "edid/decode_edid.h"
#include "edid/edid.h"

namespace {

bool StartsWithHeader(const uint8_t* data, size_t size) {
    if (size < kEdidHeaderSize) return false;
    for (size_t i = 0; i < kEdidHeaderSize; ++i) {
        if (data[i] != kEdidHeader[i]) return false;
    }
    return true;
}

// "00 ff ff ...", sixteen bytes to a line, as edid-decode prints them.
std::string HexText(const uint8_t* data, size_t size) {
    std::string text;
    char pair[4];
    for (size_t i = 0; i < size; ++i) {
        std::snprintf(pair, sizeof pair, "%02x%c", data[i], i % 16 == 15 ? '\n' : ' ');
        text += pair;
    }
    return text;
}

// Applies the bytes to a fresh start-up form and checks the invariants.
Form ApplyChecked(const uint8_t* data, size_t size, LoadStatus& status) {
    static const Form kBefore = StartUpForm();
    Form form = kBefore;
    status = ApplyEdidBytes(&form, data, size).status;
    if (status != LoadStatus::kApplied && !SameTexts(form, kBefore, kFirstFieldId, kLastFieldId)) std::abort();
    if (!SameTexts(form, kBefore, IDC_TARGET_WHITE_X, IDC_TARGET_WHITE_Y)) std::abort();
    return form;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    LoadStatus status;
    Form form = ApplyChecked(data, size, status);
    if (!StartsWithHeader(data, size)) return 0;
    std::string text = HexText(data, size);
    LoadStatus text_status;
    Form text_form = ApplyChecked(reinterpret_cast<const uint8_t*>(text.data()), text.size(), text_status);
    if (text_status != status || !SameTexts(form, text_form, kFirstFieldId, kLastFieldId)) std::abort();
    return 0;
}
