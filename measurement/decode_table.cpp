#include "measurement/decode_table.h"

#include <cmath>

#include "colour/chromaticity.h"

namespace {

enum TableField { kFieldR, kFieldG, kFieldB, kFieldX, kFieldY, kFieldZ, kTableFieldCount };
const char* const kFieldNames[kTableFieldCount] = {"RGB_R", "RGB_G", "RGB_B", "XYZ_X", "XYZ_Y", "XYZ_Z"};

// The grey rows the gamma is fitted over, as fractions of the top; the fewest
// it is fitted from.
constexpr double kGreyLow = 0.1;
constexpr double kGreyHigh = 0.9;
constexpr int kFewestGreyRows = 3;

struct Patch {
    double device[3];
    Vector3 xyz;
};

struct Mean {
    Vector3 sum;
    size_t count;
};

struct TableReader {
    CgatsText text;
    const CgatsTable& table;
    size_t fields[kTableFieldCount];
    size_t at;
};

LoadReport Refusal(LoadStatus status, size_t offset = 0, unsigned char byte = 0) { return {status, 0, 0, offset, byte}; }

bool FindFields(CgatsText text, const CgatsTable& table, size_t (&fields)[kTableFieldCount]) {
    for (int f = 0; f < kTableFieldCount; ++f) {
        fields[f] = FindCgatsField(text, table, kFieldNames[f]);
        if (fields[f] == kCgatsNoField) return false;
    }
    return true;
}

// The next row as a patch; kApplied with done set after the last one.
LoadReport ReadPatch(TableReader& reader, Patch& patch, bool& done) {
    CgatsSpan values[kTableFieldCount];
    const CgatsRow row = ReadCgatsRow(reader.text, reader.table, reader.at, reader.fields, kTableFieldCount, values);
    done = row == CgatsRow::kEnd;
    if (row == CgatsRow::kShort) return Refusal(LoadStatus::kDamagedTable);
    if (done) return kLoadApplied;
    double number[kTableFieldCount];
    for (int f = 0; f < kTableFieldCount; ++f) {
        if (!ReadCgatsNumber(reader.text, values[f], number[f]) || std::fabs(number[f]) > kMeasurementValueLimit) {
            return Refusal(LoadStatus::kNotNumber, values[f].offset);
        }
    }
    patch = {{number[kFieldR], number[kFieldG], number[kFieldB]}, {{number[kFieldX], number[kFieldY], number[kFieldZ]}}};
    return kLoadApplied;
}

void AddTo(Mean& mean, const Vector3& xyz) {
    for (int i = 0; i < 3; ++i) mean.sum.v[i] += xyz.v[i];
    ++mean.count;
}

Vector3 MeanOf(const Mean& mean) {
    const double n = static_cast<double>(mean.count);
    return {{mean.sum.v[0] / n, mean.sum.v[1] / n, mean.sum.v[2] / n}};
}

// The patch's place: white, a primary, black, or none of them.
enum PatchKind { kPatchRed, kPatchGreen, kPatchBlue, kPatchWhite, kPatchBlack, kPatchOther, kPatchKinds };

PatchKind KindOf(const Patch& patch, double top) {
    int at_top = 0, at_zero = 0, channel = 0;
    for (int c = 0; c < 3; ++c) {
        if (patch.device[c] == top) {
            ++at_top;
            channel = c;
        }
        at_zero += patch.device[c] == 0.0;
    }
    if (at_top == 3) return kPatchWhite;
    if (at_zero == 3) return kPatchBlack;
    if (at_top == 1 && at_zero == 2) return static_cast<PatchKind>(channel);
    return kPatchOther;
}

// Every row read once for the top of the scale and the row count, which also
// checks each value before any mean is taken.
LoadReport FindTop(TableReader reader, double& top, size_t& rows) {
    Patch patch;
    bool done = false;
    top = -kMeasurementValueLimit;
    rows = 0;
    for (;;) {
        const LoadReport report = ReadPatch(reader, patch, done);
        if (report.status != LoadStatus::kApplied || done) return report;
        for (double d : patch.device) top = std::fmax(top, d);
        ++rows;
    }
}

void SumPatches(TableReader reader, double top, Mean (&means)[kPatchKinds]) {
    Patch patch;
    bool done = false;
    while (ReadPatch(reader, patch, done).status == LoadStatus::kApplied && !done) AddTo(means[KindOf(patch, top)], patch.xyz);
}

// gamma = sum(ln s ln Y') / sum((ln s)^2) over the grey rows in range.
bool FitGamma(TableReader reader, double top, double black_y, double white_y, double& gamma) {
    Patch patch;
    bool done = false;
    double cross = 0.0, square = 0.0;
    int count = 0;
    while (ReadPatch(reader, patch, done).status == LoadStatus::kApplied && !done) {
        if (patch.device[0] != patch.device[1] || patch.device[1] != patch.device[2]) continue;
        const double s = patch.device[0] / top;
        const double relative = (patch.xyz.v[1] - black_y) / (white_y - black_y);
        if (s < kGreyLow || s > kGreyHigh || !(relative > 0.0)) continue;
        cross += std::log(s) * std::log(relative);
        square += std::log(s) * std::log(s);
        ++count;
    }
    if (count < kFewestGreyRows) return false;
    gamma = cross / square;
    return true;
}

Vector3 LessBlack(const Vector3& xyz, const Vector3& black) {
    return {{xyz.v[0] - black.v[0], xyz.v[1] - black.v[1], xyz.v[2] - black.v[2]}};
}

bool IsAboveBlack(const Vector3& xyz) { return xyz.v[1] > 0.0 && xyz.v[0] + xyz.v[1] + xyz.v[2] > 0.0; }

// The white and the primaries, black subtracted; out is left alone on a refusal.
LoadReport TakeChromaticities(const Mean (&means)[kPatchKinds], const Vector3& black, Colorimetry& out) {
    if (means[kPatchWhite].count == 0) return Refusal(LoadStatus::kNoWhiteRow);
    for (int k = 0; k < kPrimaryCount; ++k) {
        if (means[k].count == 0) return Refusal(LoadStatus::kNoPrimaryRow, 0, static_cast<unsigned char>(k));
    }
    const Vector3 white = LessBlack(MeanOf(means[kPatchWhite]), black);
    if (!IsAboveBlack(white)) return Refusal(LoadStatus::kWhiteNotAboveBlack);
    Vector3 primary[kPrimaryCount];
    for (int k = 0; k < kPrimaryCount; ++k) {
        primary[k] = LessBlack(MeanOf(means[k]), black);
        if (!IsAboveBlack(primary[k])) return Refusal(LoadStatus::kPrimaryNotAboveBlack, 0, static_cast<unsigned char>(k));
    }
    out.has_white = true;
    XyzToChromaticity(white, out.white.x, out.white.y);
    for (int k = 0; k < kPrimaryCount; ++k) {
        out.has_primary[k] = true;
        XyzToChromaticity(primary[k], out.primary[k].x, out.primary[k].y);
    }
    return kLoadApplied;
}

}  // namespace

bool IsMeasurementTable(CgatsText text, const CgatsTable& table) {
    size_t fields[kTableFieldCount];
    return FindFields(text, table, fields);
}

LoadReport DecodeMeasurementTable(CgatsText text, const CgatsTable& table, Colorimetry& out, LoadNotes& notes) {
    TableReader reader = {text, table, {}, table.data_begin};
    if (!FindFields(text, table, reader.fields)) return Refusal(LoadStatus::kNotMeasurement);
    double top = 0.0;
    size_t rows = 0;
    LoadReport report = FindTop(reader, top, rows);
    if (report.status != LoadStatus::kApplied) return report;
    if (!(top > 0.0)) return Refusal(LoadStatus::kNoWhiteRow);
    Mean means[kPatchKinds] = {};
    SumPatches(reader, top, means);
    const bool has_black = means[kPatchBlack].count > 0;
    const Vector3 black = has_black ? MeanOf(means[kPatchBlack]) : Vector3{{0.0, 0.0, 0.0}};
    Colorimetry colorimetry = {};
    report = TakeChromaticities(means, black, colorimetry);
    if (report.status != LoadStatus::kApplied) return report;
    const double white_y = MeanOf(means[kPatchWhite]).v[1];
    colorimetry.has_gamma = FitGamma(reader, top, black.v[1], white_y, colorimetry.gamma);
    out = colorimetry;
    notes.gamma_note = colorimetry.has_gamma ? GammaNote::kGiven : GammaNote::kFewGreyPatches;
    notes.measurement_count = rows;
    notes.black_subtracted = has_black;
    return kLoadApplied;
}
