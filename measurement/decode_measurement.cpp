#include "measurement/decode_measurement.h"

#include <cmath>
#include <cstring>

#include "colour/chromaticity.h"
#include "measurement/decode_table.h"
#include "profile/icc.h"
#include "source/read_cal_table.h"

namespace {

// The tags that carry a profile's measurements as CGATS text, in the order
// they are tried: ArgyllCMS's "targ", then "CIED", which other makers use.
constexpr IccSignature kMeasurementTags[] = {MakeSignature("targ"), MakeSignature("CIED")};
constexpr IccSignature kSigTextType = MakeSignature("text");
// A tag table entry's data size, which the colorimetry reader never needs.
constexpr size_t kTagEntryDataSizeOffset = 8;
// textType: its type signature and 4 reserved bytes, then the text.
constexpr size_t kTextTypeTextOffset = 8;

constexpr char kReadingMark[] = "Result is XYZ:";
constexpr size_t kReadingMarkSize = sizeof kReadingMark - 1;

LoadReport Refusal(LoadStatus status) { return {status, 0, 0, 0, 0}; }

bool IsLabTable(CgatsText text, const CgatsTable& table) {
    CgatsSpan rep;
    if (FindCgatsKeyword(text, table, "COLOR_REP", rep)) {
        for (size_t i = 0; i + 3 <= rep.length; ++i) {
            if (std::memcmp(text.bytes + rep.offset + i, "LAB", 3) == 0) return true;
        }
    }
    return FindCgatsField(text, table, "LAB_L") != kCgatsNoField;
}

bool IsReadingBlank(unsigned char c) { return c == ' ' || c == '\t'; }

// The three numbers after a reading's mark, each ended by a blank, a comma,
// the line's end or the text's.
LoadReport ReadReading(CgatsText text, size_t at, Vector3& xyz) {
    for (double& value : xyz.v) {
        while (at < text.size && IsReadingBlank(text.bytes[at])) ++at;
        const size_t start = at;
        while (at < text.size && !IsReadingBlank(text.bytes[at]) && text.bytes[at] != ',' &&
               text.bytes[at] != '\n' && text.bytes[at] != '\r') {
            ++at;
        }
        if (!ReadCgatsNumber(text, {start, at - start}, value) || std::fabs(value) > kMeasurementValueLimit) {
            return {LoadStatus::kNotNumber, 0, 0, start, 0};
        }
    }
    return kLoadApplied;
}

// Every reading is checked; the white is the last one's.
LoadReport DecodeReadings(CgatsText text, Colorimetry& out, LoadNotes& notes) {
    Vector3 xyz = {};
    size_t count = 0;
    for (size_t at = 0; at + kReadingMarkSize <= text.size; ++at) {
        if (std::memcmp(text.bytes + at, kReadingMark, kReadingMarkSize) != 0) continue;
        LoadReport report = ReadReading(text, at + kReadingMarkSize, xyz);
        if (report.status != LoadStatus::kApplied) return report;
        ++count;
    }
    if (count == 0) return Refusal(LoadStatus::kNotMeasurement);
    if (!(xyz.v[1] > 0.0 && xyz.v[0] + xyz.v[1] + xyz.v[2] > 0.0)) return Refusal(LoadStatus::kWhiteNotAboveBlack);
    out.has_white = true;
    XyzToChromaticity(xyz, out.white.x, out.white.y);
    notes.from_readings = true;
    out.keeps_calibration = true;  // one reading says nothing of the curves it was taken through
    notes.measurement_count = count;
    return kLoadApplied;
}

// A table's values, and the CAL table that follows it where the display was
// measured through a calibration.
LoadReport DecodeTableAndCalibration(CgatsText text, const CgatsTable& table, Colorimetry& out, LoadNotes& notes) {
    const LoadReport report = DecodeMeasurementTable(text, table, out, notes);
    if (report.status == LoadStatus::kApplied) DecodeCalText(text, out.calibration);
    return report;
}

LoadReport DecodeText(CgatsText text, Colorimetry& out, LoadNotes& notes) {
    CgatsTable table;
    switch (ReadCgatsTable(text, 0, table)) {
        case CgatsStatus::kRead:
            if (IsMeasurementTable(text, table)) return DecodeTableAndCalibration(text, table, out, notes);
            return Refusal(IsLabTable(text, table) ? LoadStatus::kLabOnly : LoadStatus::kNotMeasurement);
        case CgatsStatus::kUnterminatedFormat:
        case CgatsStatus::kUnterminatedData: return Refusal(LoadStatus::kDamagedTable);
        case CgatsStatus::kNoTable:
        case CgatsStatus::kNoFormat: break;
    }
    return DecodeReadings(text, out, notes);
}

// A textType tag's text, up to its first zero byte (which ends it there).
CgatsText TagText(const unsigned char* bytes, uint64_t offset, uint64_t length) {
    const unsigned char* text = bytes + offset + kTextTypeTextOffset;
    const size_t size = static_cast<size_t>(length - kTextTypeTextOffset);
    const void* zero = std::memchr(text, 0, size);
    return {text, zero != nullptr ? static_cast<size_t>(static_cast<const unsigned char*>(zero) - text) : size};
}

// The profile's entry for tag, when it is a textType holding a measurement
// table; a tag whose data runs past the end refuses the profile.
LoadReport FindTagTable(const unsigned char* bytes, size_t size, IccSignature tag, CgatsText& text, CgatsTable& table) {
    const uint32_t count = ReadBigU32(bytes + kTagCountOffset);
    for (uint32_t i = 0; i < count; ++i) {
        const unsigned char* entry = bytes + kTagTableOffset + static_cast<size_t>(i) * kTagEntrySize;
        if (ReadBigU32(entry + kTagEntrySignatureOffset) != tag) continue;
        const uint64_t offset = ReadBigU32(entry + kTagEntryDataOffset);
        const uint64_t length = ReadBigU32(entry + kTagEntryDataSizeOffset);
        if (!FitsWithin(offset, length, size)) return {LoadStatus::kTruncatedTag, tag, 0, 0, 0};
        if (length < kTextTypeTextOffset || ReadBigU32(bytes + offset) != kSigTextType) continue;
        text = TagText(bytes, offset, length);
        if (ReadCgatsTable(text, 0, table) == CgatsStatus::kRead && IsMeasurementTable(text, table)) return kLoadApplied;
    }
    return Refusal(LoadStatus::kNoMeasurementTag);
}

LoadReport DecodeProfileMeasurement(const unsigned char* bytes, size_t size, Colorimetry& out, LoadNotes& notes) {
    if (!FitsWithin(kTagCountOffset, 4, size)) return Refusal(LoadStatus::kTruncatedHeader);
    const uint64_t count = ReadBigU32(bytes + kTagCountOffset);
    if (!FitsWithin(kTagTableOffset, count * kTagEntrySize, size)) return Refusal(LoadStatus::kTruncatedTable);
    for (IccSignature tag : kMeasurementTags) {
        CgatsText text = {};
        CgatsTable table;
        const LoadReport report = FindTagTable(bytes, size, tag, text, table);
        if (report.status == LoadStatus::kNoMeasurementTag) continue;
        if (report.status != LoadStatus::kApplied) return report;
        notes.measurement_tag = tag;
        return DecodeTableAndCalibration(text, table, out, notes);
    }
    return Refusal(LoadStatus::kNoMeasurementTag);
}

}  // namespace

LoadReport DecodeMeasurement(const unsigned char* bytes, size_t size, Colorimetry& out) {
    return DecodeWithoutNotes(DecodeMeasurement, bytes, size, out);
}

LoadReport DecodeMeasurement(const unsigned char* bytes, size_t size, Colorimetry& out, LoadNotes& notes) {
    out = Colorimetry{};
    StartNotes(notes, LoadSource::kMeasurement);
    if (size == 0) return Refusal(LoadStatus::kEmpty);
    if (size > kMeasurementFileLimit) return Refusal(LoadStatus::kTooLarge);
    Colorimetry decoded = {};
    const LoadReport report = HasIccFileSignature(bytes, size) ? DecodeProfileMeasurement(bytes, size, decoded, notes)
                                                               : DecodeText({bytes, size}, decoded, notes);
    if (report.status == LoadStatus::kApplied) out = decoded;
    return report;
}

LoadReport ApplyMeasurementBytes(Dialog dlg, const unsigned char* bytes, size_t size) {
    return ApplyDecoded(dlg, DecodeMeasurement, bytes, size);
}
