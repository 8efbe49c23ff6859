// The profile load that front ends with an account make: the dialog's load,
// then what the account tells beside it and the three channels' own curves.
// In a file of its own so that the dialog, which shows neither, carries
// neither.
#include "profile/decode_profile.h"

#include "profile/icc.h"
#include "profile/tone_curve.h"

namespace {

const IccSignature kTrcTags[kCurveChannels] = {kSigRedTrcTag, kSigGreenTrcTag, kSigBlueTrcTag};

// The data offset of the last table entry for tag; false where there is none.
// Only for a profile DecodeProfile accepted, whose table and entries it has
// checked against the end of the buffer.
bool FindLastTag(const unsigned char* bytes, IccSignature tag, uint64_t& offset) {
    const uint32_t count = ReadBigU32(bytes + kTagCountOffset);
    bool found = false;
    for (uint32_t i = 0; i < count; ++i) {
        const unsigned char* entry = bytes + kTagTableOffset + size_t{kTagEntrySize} * i;
        if (ReadBigU32(entry + kTagEntrySignatureOffset) != tag) continue;
        offset = ReadBigU32(entry + kTagEntryDataOffset);
        found = true;
    }
    return found;
}

// Why the gamma is missing, and the power law that fits the curve that
// stands in its place.
void FillNotes(const unsigned char* bytes, size_t size, const Colorimetry& out, LoadNotes& notes) {
    uint64_t offset = 0;
    const bool has_curve = FindLastTag(bytes, kSigGreenTrcTag, offset);
    notes.gamma_note = out.has_gamma ? GammaNote::kGiven : has_curve ? GammaNote::kNotSingleGamma : GammaNote::kNoCurve;
    if (notes.gamma_note != GammaNote::kNotSingleGamma) return;
    notes.has_fitted_gamma = FitCurveGamma(bytes + offset, size - offset, notes.fitted_gamma);
}

// The curve as a table of the core's: a table as it stands where it fits,
// anything else sampled finely enough that reading between the samples
// misses it by far less than a 16-bit step.
void SampleToneCurve(const ToneCurve& tone, Curve& curve) {
    const bool as_is = tone.is_table && tone.entries >= 2 && tone.entries <= kMaxCurveEntries;
    curve.count = as_is ? static_cast<int>(tone.entries) : kMaxCurveEntries;
    for (int i = 0; i < curve.count; ++i) {
        curve.value[i] = static_cast<float>(EvaluateToneCurve(tone, static_cast<double>(i) / (curve.count - 1)));
    }
}

// The three curves where the profile has all three in a form that can be
// read. Three single power laws equal to the gamma the green curve gave are
// that gamma, no curves; any other curves are the display's response.
void DecodeResponse(const unsigned char* bytes, size_t size, const Colorimetry& out, DisplayResponse& response) {
    response = DisplayResponse{};
    response.source = LoadSource::kProfile;
    ToneCurve tone[kCurveChannels];
    bool all_the_gamma = true;
    for (int c = 0; c < kCurveChannels; ++c) {
        uint64_t offset = 0;
        if (!FindLastTag(bytes, kTrcTags[c], offset) || offset >= size ||
            !ReadToneCurve(bytes + offset, size - offset, tone[c])) {
            return;
        }
        double gamma = 0.0;
        all_the_gamma = all_the_gamma && IsSinglePowerLaw(tone[c], gamma) && out.has_gamma && gamma == out.gamma;
    }
    if (all_the_gamma) return;
    for (int c = 0; c < kCurveChannels; ++c) SampleToneCurve(tone[c], response.curves.channel[c]);
    SettleResponse(response);
}

}  // namespace

LoadReport DecodeProfile(const unsigned char* bytes, size_t size, Colorimetry& out, LoadNotes& notes) {
    StartNotes(notes, LoadSource::kProfile);
    const LoadReport report = DecodeProfile(bytes, size, out);
    if (report.status != LoadStatus::kApplied) return report;
    FillNotes(bytes, size, out, notes);
    DecodeResponse(bytes, size, out, out.response);
    return report;
}
