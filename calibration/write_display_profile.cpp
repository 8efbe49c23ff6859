#include <cstring>

#include "calibration/display_profile_layout.h"
#include "calibration/write_calibration.h"

namespace {

const char kCopyright[] = "No copyright, use freely";

// desc, cprt, wtpt, chad, rXYZ, gXYZ, bXYZ, rTRC, gTRC, bTRC, vcgt.
constexpr uint32_t kProfileTagCount = 11;
const IccSignature kColorantTags[kCalibrationChannels] = {kSigRedColorantTag, kSigGreenColorantTag,
                                                          kSigBlueColorantTag};
const IccSignature kTrcTags[kCalibrationChannels] = {kSigRedTrcTag, kSigGreenTrcTag, kSigBlueTrcTag};
constexpr size_t kTagDataStart = kTagTableOffset + kProfileTagCount * kTagEntrySize;
constexpr size_t kVcgtSize = kVcgtDataOffset + kCalibrationChannels * kCalibrationLevels * kVcgtEntryBytes;
constexpr size_t kLargestProfile =
    kTagDataStart + AlignTag(kDescriptionTextOffset + kCalibrationDescriptionSize + kDescriptionTailSize) +
    AlignTag(kTextOffset + sizeof kCopyright) + 4 * AlignTag(kXyzTypeSize) + AlignTag(kAdaptationTypeSize) +
    3 * AlignTag(kCurveGammaTypeSize) + AlignTag(kVcgtSize);
static_assert(kLargestProfile <= kProfileBufferSize, "the largest profile fits its buffer");

// The profile as it grows: tag data is laid end to end from kTagDataStart,
// each at a multiple of 4, in the order of the table.
struct ProfileOut {
    unsigned char* bytes;
    size_t used;
    uint32_t tags;
};

// Records the tag in the next table entry and hands out its data, zeroed
// (the type's reserved bytes and the padding after it stay zero).
unsigned char* BeginTag(ProfileOut& out, IccSignature tag, IccSignature type, size_t size) {
    unsigned char* entry = out.bytes + kTagTableOffset + kTagEntrySize * out.tags++;
    WriteBigU32(entry + kTagEntrySignatureOffset, tag);
    WriteBigU32(entry + kTagEntryDataOffset, static_cast<uint32_t>(out.used));
    WriteBigU32(entry + kTagEntrySizeOffset, static_cast<uint32_t>(size));
    unsigned char* data = out.bytes + out.used;
    WriteBigU32(data, type);
    out.used += AlignTag(size);
    return data;
}

void WriteDescriptionTag(ProfileOut& out, const char* text) {
    const size_t count = std::strlen(text) + 1;
    const size_t size = kDescriptionTextOffset + count + kDescriptionTailSize;
    unsigned char* data = BeginTag(out, kSigDescriptionTag, kSigTextDescriptionType, size);
    WriteBigU32(data + kDescriptionCountOffset, static_cast<uint32_t>(count));
    std::memcpy(data + kDescriptionTextOffset, text, count);
}

void WriteCopyrightTag(ProfileOut& out) {
    unsigned char* data = BeginTag(out, kSigCopyrightTag, kSigTextType, kTextOffset + sizeof kCopyright);
    std::memcpy(data + kTextOffset, kCopyright, sizeof kCopyright);
}

void WriteXyzTag(ProfileOut& out, IccSignature tag, const Vector3& xyz) {
    unsigned char* data = BeginTag(out, tag, kSigXyzType, kXyzTypeSize);
    WriteS15Fixed16(data + kXyzXOffset, xyz.v[0]);
    WriteS15Fixed16(data + kXyzYOffset, xyz.v[1]);
    WriteS15Fixed16(data + kXyzZOffset, xyz.v[2]);
}

void WriteAdaptationTag(ProfileOut& out, const Matrix3& matrix) {
    unsigned char* data = BeginTag(out, kSigChromaticAdaptationTag, kSigS15Fixed16ArrayType, kAdaptationTypeSize);
    for (int i = 0; i < 9; ++i) WriteS15Fixed16(data + kAdaptationMatrixOffset + 4 * i, matrix.m[i]);
}

void WriteGammaTag(ProfileOut& out, IccSignature tag, double gamma) {
    unsigned char* data = BeginTag(out, tag, kSigCurveType, kCurveGammaTypeSize);
    WriteBigU32(data + kCurveCountOffset, kCurveGammaCount);
    WriteBigU16(data + kCurveGammaOffset, EncodeU8Fixed8(gamma));
}

void WriteVideoCardGammaTag(ProfileOut& out, const Calibration& calibration) {
    unsigned char* data = BeginTag(out, kSigVideoCardGammaTag, kSigVideoCardGammaType, kVcgtSize);
    WriteBigU32(data + kVcgtKindOffset, kVcgtTableKind);
    WriteBigU16(data + kVcgtChannelsOffset, kCalibrationChannels);
    WriteBigU16(data + kVcgtEntryCountOffset, kCalibrationLevels);
    WriteBigU16(data + kVcgtEntrySizeOffset, kVcgtEntryBytes);
    unsigned char* entry = data + kVcgtDataOffset;
    for (double ratio : calibration.ratio) {
        for (int level = 0; level < kCalibrationLevels; ++level, entry += kVcgtEntryBytes) {
            WriteBigU16(entry, CalibratedLevel16(ratio, level));
        }
    }
}

void WriteHeader(unsigned char* bytes, const IccDateTime& created, size_t size) {
    WriteBigU32(bytes + kProfileSizeOffset, static_cast<uint32_t>(size));
    WriteBigU32(bytes + kVersionOffset, kVersion2_4);
    WriteBigU32(bytes + kClassOffset, kSigDisplayClass);
    WriteBigU32(bytes + kColourSpaceOffset, kSigRgbData);
    WriteBigU32(bytes + kConnectionSpaceOffset, kSigXyzData);
    const uint16_t date[] = {created.year, created.month, created.day, created.hour, created.minute, created.second};
    for (size_t i = 0; i < 6; ++i) WriteBigU16(bytes + kDateOffset + 2 * i, date[i]);
    WriteBigU32(bytes + kFileSignatureOffset, kSigProfileFile);
    WriteS15Fixed16(bytes + kIlluminantOffset + 0, kD50Illuminant.v[0]);
    WriteS15Fixed16(bytes + kIlluminantOffset + 4, kD50Illuminant.v[1]);
    WriteS15Fixed16(bytes + kIlluminantOffset + 8, kD50Illuminant.v[2]);
    WriteBigU32(bytes + kTagCountOffset, kProfileTagCount);
}

}  // namespace

CalibrationReport WriteDisplayProfile(Dialog dlg, const IccDateTime& created,
                                      unsigned char (&out)[kProfileBufferSize], size_t& size) {
    size = 0;
    Calibration calibration;
    const CalibrationReport report = ReadCalibration(dlg, calibration);
    if (report.status != CalibrationStatus::kReady) return report;
    std::memset(out, 0, sizeof out);
    char description[kCalibrationDescriptionSize];
    DescribeCalibration(calibration, description);

    ProfileOut profile = {out, kTagDataStart, 0};
    WriteDescriptionTag(profile, description);
    WriteCopyrightTag(profile);
    WriteXyzTag(profile, kSigMediaWhitePointTag, calibration.white);
    WriteAdaptationTag(profile, calibration.adaptation);
    for (int c = 0; c < kCalibrationChannels; ++c) WriteXyzTag(profile, kColorantTags[c], calibration.colorant[c]);
    for (IccSignature tag : kTrcTags) WriteGammaTag(profile, tag, calibration.gamma);
    WriteVideoCardGammaTag(profile, calibration);

    WriteHeader(out, created, profile.used);
    size = profile.used;
    return report;
}

bool IccDateTimeFromEpoch(int64_t seconds, IccDateTime& out) {
    constexpr int64_t kSecondsPerDay = 86400;
    // 10000-01-01 00:00:00 UTC.
    constexpr int64_t kEndOfYear9999 = INT64_C(253402300800);
    if (seconds < 0 || seconds >= kEndOfYear9999) return false;
    const int64_t days = seconds / kSecondsPerDay;
    const int64_t rest = seconds % kSecondsPerDay;
    // Days since 1970-01-01 to a civil date, counting in 400-year eras from
    // 0000-03-01 so that the leap day ends each counted year.
    const int64_t shifted = days + 719468;
    const int64_t era = shifted / 146097;
    const int64_t day_of_era = shifted - era * 146097;
    const int64_t year_of_era = (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
    const int64_t day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
    const int64_t month_from_march = (5 * day_of_year + 2) / 153;
    const int64_t day = day_of_year - (153 * month_from_march + 2) / 5 + 1;
    const int64_t month = month_from_march < 10 ? month_from_march + 3 : month_from_march - 9;
    const int64_t year = year_of_era + era * 400 + (month <= 2 ? 1 : 0);
    out = {static_cast<uint16_t>(year), static_cast<uint16_t>(month), static_cast<uint16_t>(day),
           static_cast<uint16_t>(rest / 3600), static_cast<uint16_t>(rest / 60 % 60), static_cast<uint16_t>(rest % 60)};
    return true;
}
