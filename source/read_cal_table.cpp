#include "source/read_cal_table.h"

#include <cmath>
#include <vector>

namespace {

constexpr int kCalFields = 4;  // RGB_I, then red, green and blue
const char* const kCalFieldNames[kCalFields] = {"RGB_I", "RGB_R", "RGB_G", "RGB_B"};
// Beyond any calibration in use; FillCalibrationCurve samples the rows down.
constexpr size_t kMostCalRows = 65536;
// ArgyllCMS writes the inputs with six or more decimals.
constexpr double kInputTolerance = 1e-5;

struct CalRows {
    std::vector<double> value[kCalFields];
};

double ReadRow(const void* context, int index) { return (*static_cast<const std::vector<double>*>(context))[index]; }

void Fail(CalibrationInEffect& out, CalibrationRead status, long value) {
    out.status = status;
    out.value = value;
}

// Every row's four numbers: kCurves, or kChannelCount where some of the
// channels are missing, or kNotCalTable.
CalibrationRead ReadRows(CgatsText text, const CgatsTable& table, CalRows& rows, bool& short_row, long& channels) {
    size_t fields[kCalFields];
    channels = 0;
    for (int f = 0; f < kCalFields; ++f) {
        fields[f] = FindCgatsField(text, table, kCalFieldNames[f]);
        if (f > 0 && fields[f] != kCgatsNoField) ++channels;
    }
    if (fields[0] == kCgatsNoField || channels == 0) return CalibrationRead::kNotCalTable;
    if (channels != kCurveChannels) return CalibrationRead::kChannelCount;
    size_t at = table.data_begin;
    CgatsSpan tokens[kCalFields];
    CgatsRow row;
    while ((row = ReadCgatsRow(text, table, at, fields, kCalFields, tokens)) == CgatsRow::kRead) {
        if (rows.value[0].size() == kMostCalRows) return CalibrationRead::kNotCalTable;
        for (int f = 0; f < kCalFields; ++f) {
            double number = 0.0;
            if (!ReadCgatsNumber(text, tokens[f], number) || !std::isfinite(number)) return CalibrationRead::kNotCalTable;
            rows.value[f].push_back(number);
        }
    }
    short_row = row == CgatsRow::kShort;
    return CalibrationRead::kCurves;
}

bool InputsEvenlySpaced(const std::vector<double>& input) {
    const size_t last = input.size() - 1;
    for (size_t i = 0; i <= last; ++i) {
        if (std::fabs(input[i] - static_cast<double>(i) / last) > kInputTolerance) return false;
    }
    return true;
}

// The rows NUMBER_OF_SETS promises; -1 where the table states none.
long StatedRows(CgatsText text, const CgatsTable& table) {
    CgatsSpan value;
    double sets = 0.0;
    if (!FindCgatsKeyword(text, table, "NUMBER_OF_SETS", value) || !ReadCgatsNumber(text, value, sets)) return -1;
    return sets >= 0.0 && sets <= kMostCalRows ? static_cast<long>(sets) : -1;
}

}  // namespace

void DecodeCalTable(CgatsText text, const CgatsTable& table, CalibrationInEffect& out) {
    out.status = CalibrationRead::kNone;
    out.formula.given = false;
    CalRows rows;
    bool short_row = false;
    long channels = 0;
    const CalibrationRead read = ReadRows(text, table, rows, short_row, channels);
    if (read != CalibrationRead::kCurves) return Fail(out, read, channels);
    const long count = static_cast<long>(rows.value[0].size());
    if (short_row || count < StatedRows(text, table)) return Fail(out, CalibrationRead::kTruncated, count);
    if (count < 2) return Fail(out, CalibrationRead::kTooFewEntries, count);
    if (!InputsEvenlySpaced(rows.value[0])) return Fail(out, CalibrationRead::kUnevenInputs, 0);
    out.entries = static_cast<int>(count);
    for (int c = 0; c < kCurveChannels; ++c) {
        FillCalibrationCurve(out.curves.channel[c], out.entries, ReadRow, &rows.value[c + 1]);
    }
    CheckCalibrationRises(out);
}

void DecodeCalText(CgatsText text, CalibrationInEffect& out) {
    CgatsTable table;
    CgatsStatus status;
    for (size_t from = 0; (status = ReadCgatsTable(text, from, table)) == CgatsStatus::kRead; from = table.end) {
        if (IsCgatsSpan(text, table.identifier, "CAL")) return DecodeCalTable(text, table, out);
    }
    // A table broken off may be the calibration itself.
    const bool damaged = status == CgatsStatus::kUnterminatedFormat || status == CgatsStatus::kUnterminatedData;
    if (damaged) return Fail(out, CalibrationRead::kNotCalTable, 0);
    out.status = CalibrationRead::kNone;
}
