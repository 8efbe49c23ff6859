#include "profile/decode_profile.h"

#include <cmath>

#include "colour/adaptation.h"
#include "colour/chromaticity.h"
#include "colour/matrix.h"
#include "profile/icc.h"
#include "profile/tone_curve.h"

namespace {

// The tags that a load acts on, each with the only type it accepts, in the
// order of their slots: white, red, green, blue, gamma, and the adaptation,
// which changes how the others are read.
struct ActedOnTag {
    IccSignature tag;
    IccSignature type;
};

const ActedOnTag kActedOnTags[] = {
    {kSigMediaWhitePointTag, kSigXyzType},
    {kSigRedColorantTag, kSigXyzType},
    {kSigGreenColorantTag, kSigXyzType},
    {kSigBlueColorantTag, kSigXyzType},
    {kSigGreenTrcTag, kSigCurveType},
    {kSigChromaticAdaptationTag, kSigS15Fixed16ArrayType},
};
constexpr int kActedOnTagCount = sizeof kActedOnTags / sizeof kActedOnTags[0];
constexpr int kWhiteSlot = 0;
constexpr int kFirstColorantSlot = 1;
constexpr int kGammaSlot = 4;
constexpr int kAdaptationSlot = 5;

// What the profile states, one slot per acted-on tag. A later table entry
// replaces an earlier one, which leaves the same texts as writing every entry
// in table order would, but lets the whole profile be checked before the
// first field changes.
struct DecodedValues {
    bool found[kActedOnTagCount];
    Vector3 xyz[kActedOnTagCount];  // the white's and the colorants'
    double gamma;
    Matrix3 adaptation;             // from the display's XYZ to the connection space's
    Vector3 illuminant;             // the connection space's white, from the header
    // The last green curve entry of any type, for the account of a load.
    bool has_curve_entry;
    uint64_t curve_offset;
};

constexpr LoadReport kApplied = kLoadApplied;

// A refusal, naming the signature found where the status names one.
LoadReport Refusal(LoadStatus status, IccSignature signature) { return {status, signature, 0, 0, 0}; }

int FindActedOnTag(IccSignature tag) {
    for (int i = 0; i < kActedOnTagCount; ++i) {
        if (kActedOnTags[i].tag == tag) return i;
    }
    return -1;
}

IccSignature SignatureAt(const unsigned char* bytes, size_t offset) {
    return ReadBigU32(bytes + offset);
}

// The file signature is compared first although it comes last in the file:
// all four must match either way, and for a file that is no profile at all
// "not an ICC profile" is the truer reason than whatever its class bytes hold.
LoadReport CheckHeader(const unsigned char* bytes, size_t size) {
    if (!FitsWithin(0, kHeaderCheckSize, size)) return Refusal(LoadStatus::kTruncatedHeader, 0);
    if (SignatureAt(bytes, kFileSignatureOffset) != kSigProfileFile) {
        return Refusal(LoadStatus::kNotIcc, 0);
    }
    IccSignature found = SignatureAt(bytes, kClassOffset);
    if (found != kSigDisplayClass) return Refusal(LoadStatus::kNotDisplayClass, found);
    found = SignatureAt(bytes, kColourSpaceOffset);
    if (found != kSigRgbData) return Refusal(LoadStatus::kNotRgbSpace, found);
    found = SignatureAt(bytes, kConnectionSpaceOffset);
    if (found != kSigXyzData) return Refusal(LoadStatus::kNotXyzConnection, found);
    if (!FitsWithin(kTagCountOffset, 4, size)) return Refusal(LoadStatus::kTruncatedHeader, 0);
    return kApplied;
}

Vector3 DecodeXyz(const unsigned char* p) {
    return {{ReadS15Fixed16(p), ReadS15Fixed16(p + 4), ReadS15Fixed16(p + 8)}};
}

// One acted-on entry: checks its data against the end of the buffer and
// records its value. Another type, or a curve that is not a single gamma,
// records nothing.
LoadReport DecodeTag(const unsigned char* bytes, size_t size, int slot, uint64_t offset,
                        DecodedValues& values) {
    const LoadReport truncated = Refusal(LoadStatus::kTruncatedTag, kActedOnTags[slot].tag);
    if (!FitsWithin(offset, kTagTypeSize, size)) return truncated;
    const unsigned char* data = bytes + offset;
    if (slot == kGammaSlot) {
        values.has_curve_entry = true;
        values.curve_offset = offset;
    }
    IccSignature type = SignatureAt(data, 0);
    if (type != kActedOnTags[slot].type) return kApplied;
    if (type == kSigXyzType) {
        if (!FitsWithin(offset, kXyzTypeSize, size)) return truncated;
        values.xyz[slot] = DecodeXyz(data + kXyzXOffset);
    } else if (type == kSigS15Fixed16ArrayType) {
        if (!FitsWithin(offset, kAdaptationTypeSize, size)) return truncated;
        for (int i = 0; i < 9; ++i) {
            values.adaptation.m[i] = ReadS15Fixed16(data + kAdaptationMatrixOffset + 4 * i);
        }
    } else {
        if (!FitsWithin(offset, kCurveCountEnd, size)) return truncated;
        if (ReadBigU32(data + kCurveCountOffset) != kCurveGammaCount) return kApplied;
        if (!FitsWithin(offset, kCurveGammaTypeSize, size)) return truncated;
        values.gamma = ReadU8Fixed8(data + kCurveGammaOffset);
    }
    values.found[slot] = true;
    return kApplied;
}

LoadReport DecodeTagTable(const unsigned char* bytes, size_t size, DecodedValues& values) {
    uint32_t count = ReadBigU32(bytes + kTagCountOffset);
    if (count == 0) return kApplied;
    // The last entry's size field is never read, so it may be missing.
    uint64_t table_size = uint64_t{kTagEntrySize} * (count - 1) + kTagEntryUsedSize;
    if (!FitsWithin(kTagTableOffset, table_size, size)) return Refusal(LoadStatus::kTruncatedTable, 0);
    for (uint32_t i = 0; i < count; ++i) {
        const unsigned char* entry = bytes + kTagTableOffset + size_t{kTagEntrySize} * i;
        int slot = FindActedOnTag(SignatureAt(entry, kTagEntrySignatureOffset));
        if (slot < 0) continue;
        uint64_t offset = ReadBigU32(entry + kTagEntryDataOffset);
        LoadReport report = DecodeTag(bytes, size, slot, offset, values);
        if (report.status != LoadStatus::kApplied) return report;
    }
    return kApplied;
}

// Version 2 profiles state their colorants relative to the D50 connection
// space, and many record the adaptation nowhere while "wtpt" keeps the
// display's own white. Such a profile is told by colorants that add up to the
// header illuminant (within 0.002 in x and y) and a white that is not that
// illuminant (more than 0.001 away in x or y); its colorants are then carried
// back with the Bradford adaptation, as colour management engines read them.
// Any not-a-number fails a comparison, so degenerate profiles keep theirs.
constexpr double kColorantSumTolerance = 0.002;
constexpr double kWhiteDistinctFromIlluminant = 0.001;

bool HasUnrecordedAdaptation(const DecodedValues& values) {
    for (int slot = kWhiteSlot; slot < kGammaSlot; ++slot) {
        if (!values.found[slot]) return false;
    }
    Vector3 sum;
    for (int i = 0; i < 3; ++i) {
        sum.v[i] = values.xyz[kFirstColorantSlot].v[i] + values.xyz[kFirstColorantSlot + 1].v[i] +
                   values.xyz[kFirstColorantSlot + 2].v[i];
    }
    Chromaticity s, i, w;
    XyzToChromaticity(sum, s.x, s.y);
    XyzToChromaticity(values.illuminant, i.x, i.y);
    XyzToChromaticity(values.xyz[kWhiteSlot], w.x, w.y);
    const bool sums_to_illuminant =
        std::fabs(s.x - i.x) <= kColorantSumTolerance && std::fabs(s.y - i.y) <= kColorantSumTolerance;
    const bool white_apart =
        std::fabs(w.x - i.x) > kWhiteDistinctFromIlluminant || std::fabs(w.y - i.y) > kWhiteDistinctFromIlluminant;
    return sums_to_illuminant && white_apart;
}

// Where the profile records a chromatic adaptation, its white point and
// colorants are stated after it (version 4 profiles always adapt to D50), so
// it is undone to tell the display's own colours; the display's white is
// then what the adaptation carries to the connection space's illuminant.
// Where a version 2 profile leaves it unrecorded, only the colorants need it.
void FillColorimetry(const DecodedValues& values, Colorimetry& out) {
    const bool recorded = values.found[kAdaptationSlot];
    const bool unrecorded = !recorded && HasUnrecordedAdaptation(values);
    Matrix3 undo;
    if (recorded) MatInvert(values.adaptation, undo);
    if (unrecorded) MakeBradfordAdaptation(values.illuminant, values.xyz[kWhiteSlot], undo);
    for (int slot = kWhiteSlot; slot < kGammaSlot; ++slot) {
        Vector3 xyz = values.xyz[slot];
        if (recorded && slot == kWhiteSlot) {
            xyz = values.illuminant;
        } else if (!values.found[slot]) {
            continue;
        }
        if (recorded || (unrecorded && slot != kWhiteSlot)) {
            const Vector3 stated = xyz;
            MatMulVec(undo, stated, xyz);
        }
        Chromaticity c = {0.0, 0.0};
        XyzToChromaticity(xyz, c.x, c.y);
        if (slot == kWhiteSlot) {
            out.has_white = true;
            out.white = c;
        } else {
            out.has_primary[slot - kFirstColorantSlot] = true;
            out.primary[slot - kFirstColorantSlot] = c;
        }
    }
    out.has_gamma = values.found[kGammaSlot];
    out.gamma = values.gamma;
}

// Why the gamma is missing, and the power law that fits the curve that
// stands in its place.
void FillNotes(const unsigned char* bytes, size_t size, const DecodedValues& values, LoadNotes& notes) {
    notes.gamma_note = values.found[kGammaSlot] ? GammaNote::kGiven
                       : values.has_curve_entry ? GammaNote::kNotSingleGamma
                                                : GammaNote::kNoCurve;
    if (notes.gamma_note != GammaNote::kNotSingleGamma) return;
    notes.has_fitted_gamma = FitCurveGamma(bytes + values.curve_offset, size - values.curve_offset,
                                           notes.fitted_gamma);
}

}  // namespace

namespace {

// The header and the tag table, checked whole before anything is decoded.
LoadReport DecodeValues(const unsigned char* bytes, size_t size, DecodedValues& values) {
    LoadReport report = CheckHeader(bytes, size);
    if (report.status != LoadStatus::kApplied) return report;
    values = DecodedValues{};
    values.illuminant = DecodeXyz(bytes + kIlluminantOffset);
    return DecodeTagTable(bytes, size, values);
}

}  // namespace

// Without notes nothing fits the curve, so the dialog's load never does.
LoadReport DecodeProfile(const unsigned char* bytes, size_t size, Colorimetry& out) {
    out = Colorimetry{};
    DecodedValues values;
    LoadReport report = DecodeValues(bytes, size, values);
    if (report.status == LoadStatus::kApplied) FillColorimetry(values, out);
    return report;
}

LoadReport DecodeProfile(const unsigned char* bytes, size_t size, Colorimetry& out, LoadNotes& notes) {
    StartNotes(notes, LoadSource::kProfile);
    DecodedValues values;
    LoadReport report = DecodeValues(bytes, size, values);
    out = Colorimetry{};
    if (report.status != LoadStatus::kApplied) return report;
    FillColorimetry(values, out);
    FillNotes(bytes, size, values, notes);
    return report;
}

LoadReport ApplyProfileBytes(Dialog dlg, const unsigned char* bytes, size_t size) {
    return ApplyDecoded(dlg, DecodeProfile, bytes, size);
}
