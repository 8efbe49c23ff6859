// Feeds any field texts to the calibration writers: the input's lines are
// typed into fields 1001 to 1011, the balance is calculated, and any further
// lines replace the results' texts. What must hold for every input: a refusal
// makes no bytes; otherwise the .cal is whole, and the profile states its own
// size and is accepted by the program's own reader.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz_form.h"
#include "profile/decode_profile.h"
#include "profile/icc.h"
#include "calibration/write_calibration.h"

namespace {

void TypeLines(Form& form, const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    size_t start = 0;
    for (FieldId id = kFirstFieldId; id <= kLastFieldId && start <= text.size(); ++id) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        SetFieldText(&form, id, text.substr(start, end - start).c_str());
        start = end + 1;
        if (id == IDC_TARGET_WHITE_Y) CalcBalance(&form);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Form form = StartUpForm();
    TypeLines(form, data, size);
    static unsigned char cal[kCalFileBufferSize];
    static unsigned char profile[kProfileBufferSize];
    size_t cal_size = 0;
    size_t profile_size = 0;
    const bool cal_ready = WriteCalFile(&form, cal, cal_size).status == CalibrationStatus::kReady;
    const bool profile_ready =
        WriteDisplayProfile(&form, {2023, 11, 14, 22, 13, 20}, profile, profile_size).status == CalibrationStatus::kReady;
    if (cal_ready != profile_ready) std::abort();
    if (!cal_ready) {
        if (cal_size != 0 || profile_size != 0) std::abort();
        return 0;
    }
    const char kEnd[] = "END_DATA\n";
    if (cal_size < sizeof kEnd || std::memcmp(cal + cal_size - (sizeof kEnd - 1), kEnd, sizeof kEnd - 1) != 0) {
        std::abort();
    }
    if (ReadBigU32(profile) != profile_size || profile_size % 4 != 0) std::abort();
    Form read = StartUpForm();
    if (ApplyProfileBytes(&read, profile, profile_size).status != LoadStatus::kApplied) std::abort();
    return 0;
}
