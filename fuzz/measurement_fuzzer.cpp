// Feeds any bytes to the measurement reader, as a file's or a paste's
// contents, and checks what must hold for every input: a refusal leaves all
// fourteen fields as they were and the decoded record empty, the target white
// is never written, the account or reason is one terminated line, and text
// read as a table reads the same from a profile's "targ" tag.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "explain/load_file.h"
#include "fuzz_form.h"
#include "measurement/decode_measurement.h"

namespace {

bool IsEmpty(const Colorimetry& c) {
    const Colorimetry empty = {};
    return std::memcmp(&c, &empty, sizeof c) == 0;
}

void PutU32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (24 - 8 * i));
}

// A display profile of one "targ" textType tag holding the text.
std::vector<uint8_t> ProfileHolding(const uint8_t* data, size_t size) {
    constexpr size_t kTagData = 144;
    std::vector<uint8_t> bytes(kTagData + 8, 0);
    std::memcpy(&bytes[12], "mntrRGB XYZ ", 12);
    std::memcpy(&bytes[36], "acsp", 4);
    PutU32(bytes, 128, 1);
    std::memcpy(&bytes[132], "targ", 4);
    PutU32(bytes, 136, kTagData);
    PutU32(bytes, 140, static_cast<uint32_t>(size + 8));
    std::memcpy(&bytes[kTagData], "text", 4);
    bytes.insert(bytes.end(), data, data + size);
    return bytes;
}

void CheckTagReadsTheSame(const uint8_t* data, size_t size, const Colorimetry& text) {
    if (size + 160 > kMeasurementFileLimit || std::memchr(data, 0, size) != nullptr) return;
    const std::vector<uint8_t> profile = ProfileHolding(data, size);
    Colorimetry tagged;
    if (DecodeMeasurement(profile.data(), profile.size(), tagged).status != LoadStatus::kApplied) std::abort();
    if (std::memcmp(&tagged, &text, sizeof text) != 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const Form kBefore = StartUpForm();
    Form form = kBefore;
    const SourceLoad load = LoadSourceBytes(&form, LoadSource::kMeasurement, data, size);
    if (std::memchr(load.text, 0, sizeof load.text) == nullptr || std::strchr(load.text, '\n') != nullptr) std::abort();
    if (!SameTexts(form, kBefore, IDC_TARGET_WHITE_X, IDC_TARGET_WHITE_Y)) std::abort();
    Colorimetry decoded;
    LoadNotes notes;
    const LoadStatus status = DecodeMeasurement(data, size, decoded, notes).status;
    if (status != load.report.status) std::abort();
    if (status != LoadStatus::kApplied) {
        if (!SameTexts(form, kBefore, kFirstFieldId, kLastFieldId) || !IsEmpty(decoded)) std::abort();
        return 0;
    }
    const bool is_profile = size >= 40 && std::memcmp(data + 36, "acsp", 4) == 0;
    if (!is_profile && !notes.from_readings) CheckTagReadsTheSame(data, size, decoded);
    return 0;
}
