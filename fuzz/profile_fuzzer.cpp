// Feeds any bytes to the profile reader, as a file's whole contents, and
// checks what must hold for every input: a refused profile leaves all
// fourteen fields as they were, and a load never writes the target white.
// The calibration reader, on the same bytes, gives curves it can evaluate.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "fuzz_form.h"
#include "profile/decode_profile.h"
#include "profile/decode_vcgt.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const Form kBefore = StartUpForm();
    Form form = kBefore;
    LoadReport report = ApplyProfileBytes(&form, data, size);
    bool refused = report.status != LoadStatus::kApplied;
    if (refused && !SameTexts(form, kBefore, kFirstFieldId, kLastFieldId)) std::abort();
    if (!SameTexts(form, kBefore, IDC_TARGET_WHITE_X, IDC_TARGET_WHITE_Y)) std::abort();
    static CalibrationInEffect calibration;
    DecodeProfileCalibration(data, size, calibration);
    if (calibration.status != CalibrationRead::kCurves) return 0;
    for (const Curve& curve : calibration.curves.channel) {
        if (curve.count < 2 || curve.count > kMaxCurveEntries) std::abort();
    }
    return 0;
}
