#include <cmath>
#include <cstdio>

#include "calibration/write_calibration.h"

namespace {

// Values in [0, 1] with ten decimals: a 16-bit table entry is 1/65535 wide,
// so reading one back and rounding to 16 bits finds the entry written.
constexpr int kDecimals = 10;
constexpr uint64_t kDecimalScale = 10000000000u;
constexpr size_t kValueTextSize = 2 + kDecimals + 1;  // "d." digits, zero

// One line of data: four values, three blanks, a line feed.
constexpr size_t kRowSize = 4 * (kValueTextSize - 1) + 3 + 1;
// Everything but the rows and the description: well under 512 bytes.
constexpr size_t kFixedTextLimit = 512;
static_assert(kFixedTextLimit + kCalibrationDescriptionSize + kCalibrationLevels * kRowSize <=
                  kCalFileBufferSize,
              "the largest .cal fits its buffer");

// Digits from an integer, not from printf, so that every C library writes
// the same text; each operation is rounded by itself, as everywhere.
void FormatUnitValue(double value, char (&text)[kValueTextSize]) {
    auto scaled = static_cast<uint64_t>(std::round(value * static_cast<double>(kDecimalScale)));
    text[0] = static_cast<char>('0' + scaled / kDecimalScale);
    text[1] = '.';
    scaled %= kDecimalScale;
    for (int i = kDecimals + 1; i >= 2; --i) {
        text[i] = static_cast<char>('0' + scaled % 10);
        scaled /= 10;
    }
    text[kValueTextSize - 1] = '\0';
}

// Appends text, never past the end (the assertion above says it never gets there).
struct TextOut {
    unsigned char* bytes;
    size_t capacity;
    size_t used;
};

void Append(TextOut& out, const char* text) {
    for (; *text != '\0' && out.used < out.capacity; ++text) {
        out.bytes[out.used++] = static_cast<unsigned char>(*text);
    }
}

void AppendHeader(TextOut& out, const Calibration& calibration) {
    char description[kCalibrationDescriptionSize];
    DescribeCalibration(calibration, description);
    Append(out, "CAL\n\nDESCRIPTOR \"");
    Append(out, description);
    Append(out, "\"\nORIGINATOR \"Tintmend " TINTMEND_VERSION "\"\n");
    Append(out,
           "KEYWORD \"DEVICE_CLASS\"\nDEVICE_CLASS \"DISPLAY\"\n"
           "KEYWORD \"COLOR_REP\"\nCOLOR_REP \"RGB\"\n\n"
           "NUMBER_OF_FIELDS 4\nBEGIN_DATA_FORMAT\nRGB_I RGB_R RGB_G RGB_B\nEND_DATA_FORMAT\n\n");
    char sets[32];
    std::snprintf(sets, sizeof sets, "NUMBER_OF_SETS %d\nBEGIN_DATA\n", kCalibrationLevels);
    Append(out, sets);
}

// Row i: the input i/255, then each channel's r * i/255.
void AppendRows(TextOut& out, const Calibration& calibration) {
    char value[kValueTextSize];
    for (int level = 0; level < kCalibrationLevels; ++level) {
        FormatUnitValue(CalibratedLevel(1.0, level), value);
        Append(out, value);
        for (double ratio : calibration.ratio) {
            FormatUnitValue(CalibratedLevel(ratio, level), value);
            Append(out, " ");
            Append(out, value);
        }
        Append(out, "\n");
    }
}

}  // namespace

CalibrationReport WriteCalFile(Dialog dlg, unsigned char (&out)[kCalFileBufferSize], size_t& size) {
    size = 0;
    Calibration calibration;
    const CalibrationReport report = ReadCalibration(dlg, calibration);
    if (report.status != CalibrationStatus::kReady) return report;
    TextOut text = {out, sizeof out, 0};
    AppendHeader(text, calibration);
    AppendRows(text, calibration);
    Append(text, "END_DATA\n");
    size = text.used;
    return report;
}
