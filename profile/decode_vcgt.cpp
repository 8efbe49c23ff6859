#include "profile/decode_vcgt.h"

#include <cmath>
#include <cstdint>

#include "profile/decode_profile.h"
#include "profile/icc.h"

namespace {

// vcgt: u32 kind at 8. The table (kind 0): u16 channels, u16 entries per
// channel and u16 bytes per entry at 12, 14 and 16, then the entries channel
// after channel, red first. The formula (kind 1): gamma, minimum and maximum
// as s15Fixed16Number for red, green and blue from 12, giving
// min + (max - min) * s^gamma.
constexpr IccSignature kSigVcgtTag = MakeSignature("vcgt");
constexpr IccSignature kSigVcgtType = MakeSignature("vcgt");
constexpr size_t kKindOffset = 8;
constexpr size_t kKindEnd = 12;
constexpr uint32_t kTableKind = 0;
constexpr uint32_t kFormulaKind = 1;
constexpr size_t kTableChannelsOffset = 12;
constexpr size_t kTableEntriesOffset = 14;
constexpr size_t kTableEntrySizeOffset = 16;
constexpr size_t kTableDataOffset = 18;
constexpr size_t kFormulaOffset = 12;
constexpr size_t kFormulaSize = kFormulaOffset + 9 * 4;
constexpr size_t kTagEntrySizeField = 8;

// A formula is sampled too, for what wants a table (the check that it rises).
constexpr int kFormulaSamples = kMaxCurveEntries;

struct TableEntries {
    const unsigned char* first;  // the channel's first entry
    int bytes;                   // 1 or 2
};

double ReadTableEntry(const void* context, int index) {
    const auto& table = *static_cast<const TableEntries*>(context);
    if (table.bytes == 1) return table.first[index] / 255.0;
    return ReadBigU16(table.first + 2 * static_cast<size_t>(index)) / 65535.0;
}

struct Formula {
    double gamma, low, high;
};

double ReadFormulaSample(const void* context, int index) {
    const auto& f = *static_cast<const Formula*>(context);
    return f.low + (f.high - f.low) * std::pow(index / double(kFormulaSamples - 1), f.gamma);
}

void Fail(CalibrationInEffect& out, CalibrationRead status, long value) {
    out.status = status;
    out.value = value;
}

void DecodeTable(const unsigned char* data, size_t length, CalibrationInEffect& out) {
    if (length < kTableDataOffset) return Fail(out, CalibrationRead::kTruncated, 0);
    const int channels = ReadBigU16(data + kTableChannelsOffset);
    const int entries = ReadBigU16(data + kTableEntriesOffset);
    const int bytes = ReadBigU16(data + kTableEntrySizeOffset);
    if (bytes != 1 && bytes != 2) return Fail(out, CalibrationRead::kUnknownForm, bytes);
    if (channels != 1 && channels != 3) return Fail(out, CalibrationRead::kChannelCount, channels);
    if (entries < 2) return Fail(out, CalibrationRead::kTooFewEntries, entries);
    const uint64_t channel_size = uint64_t{static_cast<uint32_t>(entries)} * static_cast<uint32_t>(bytes);
    if (!FitsWithin(kTableDataOffset, channel_size * channels, length)) {
        return Fail(out, CalibrationRead::kTruncated, 0);
    }
    out.entries = entries;
    for (int c = 0; c < kCurveChannels; ++c) {
        // One channel serves all three.
        const TableEntries table = {data + kTableDataOffset + channel_size * (channels == 1 ? 0 : c), bytes};
        FillCalibrationCurve(out.curves.channel[c], entries, ReadTableEntry, &table);
    }
    CheckCalibrationRises(out);
}

void DecodeFormula(const unsigned char* data, size_t length, CalibrationInEffect& out) {
    if (length < kFormulaSize) return Fail(out, CalibrationRead::kTruncated, 0);
    out.entries = 0;
    out.formula.given = true;
    for (int c = 0; c < kCurveChannels; ++c) {
        const unsigned char* p = data + kFormulaOffset + 12 * static_cast<size_t>(c);
        const Formula f = {ReadS15Fixed16(p), ReadS15Fixed16(p + 4), ReadS15Fixed16(p + 8)};
        out.formula.gamma[c] = f.gamma;
        out.formula.low[c] = f.low;
        out.formula.high[c] = f.high;
        FillCalibrationCurve(out.curves.channel[c], kFormulaSamples, ReadFormulaSample, &f);
    }
    CheckCalibrationRises(out);
}

}  // namespace

void DecodeProfileCalibration(const unsigned char* bytes, size_t size, CalibrationInEffect& out) {
    out.status = CalibrationRead::kNone;
    out.formula.given = false;
    if (!FitsWithin(kTagCountOffset, 4, size)) return;
    const uint64_t count = ReadBigU32(bytes + kTagCountOffset);
    uint64_t offset = 0, length = 0;
    bool found = false;
    for (uint64_t i = 0; i < count && FitsWithin(kTagTableOffset, kTagEntrySize * i + 4, size); ++i) {
        const unsigned char* entry = bytes + kTagTableOffset + kTagEntrySize * i;
        if (ReadBigU32(entry + kTagEntrySignatureOffset) != kSigVcgtTag) continue;
        if (!FitsWithin(kTagTableOffset, kTagEntrySize * (i + 1), size)) {
            return Fail(out, CalibrationRead::kTruncated, 0);
        }
        found = true;
        offset = ReadBigU32(entry + kTagEntryDataOffset);
        length = ReadBigU32(entry + kTagEntrySizeField);
    }
    if (!found) return;
    // The tag's data ends at its stated size or the file's end, whichever comes first.
    if (offset > size) return Fail(out, CalibrationRead::kTruncated, 0);
    if (!FitsWithin(offset, length, size)) length = size - offset;
    const unsigned char* data = bytes + offset;
    if (length < kKindEnd) return Fail(out, CalibrationRead::kTruncated, 0);
    const uint32_t type = ReadBigU32(data);
    const uint32_t kind = ReadBigU32(data + kKindOffset);
    if (type != kSigVcgtType) return Fail(out, CalibrationRead::kUnknownForm, static_cast<long>(type));
    if (kind == kTableKind) return DecodeTable(data, length, out);
    if (kind == kFormulaKind) return DecodeFormula(data, length, out);
    Fail(out, CalibrationRead::kUnknownForm, static_cast<long>(kind));
}

LoadReport DecodeCalibratedProfile(const unsigned char* bytes, size_t size, Colorimetry& out, LoadNotes& notes) {
    const LoadReport report = DecodeProfile(bytes, size, out, notes);
    if (report.status == LoadStatus::kApplied) DecodeProfileCalibration(bytes, size, out.calibration);
    return report;
}
