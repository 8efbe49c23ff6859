#include "explain/calibration_choice.h"

#include <cstdio>
#include <cstring>

#include "explain/describe_report.h"
#include "profile/decode_vcgt.h"
#include "profile/icc.h"
#include "source/read_cal_table.h"
#include "source/read_file.h"

namespace {

const char* const kChannelNames[kCurveChannels] = {"red", "green", "blue"};

struct ReadText {
    CalibrationRead status;
    const char* text;
};

const ReadText kReadTexts[] = {
    {CalibrationRead::kUnknownForm, "it is in a form that is neither a table of 1- or 2-byte entries nor a formula"},
    {CalibrationRead::kTooFewEntries, "it has fewer than 2 entries per channel"},
    {CalibrationRead::kTruncated, "it is shorter than its header says"},
    {CalibrationRead::kChannelCount, "it has %ld channels (1 or 3 are read)"},
    // A table longer than the curves was read at sampled entries: "near" one.
    {CalibrationRead::kFalls, "its %s curve falls %s entry %ld"},
    {CalibrationRead::kOutOfRange, "its %s curve leaves 0 to 1 %s entry %ld"},
    {CalibrationRead::kNotCalTable, "it is no table of RGB_I, RGB_R, RGB_G and RGB_B numbers"},
    {CalibrationRead::kUnevenInputs, "its RGB_I inputs are not evenly spaced from 0 to 1"},
};

// "the calibration in NAME cannot be built on: " and why.
void DescribeUnreadable(const CalibrationInEffect& c, const char* name, char (&text)[kCalibrationWordsSize]) {
    const char* format = "it cannot be read";
    for (const ReadText& entry : kReadTexts) {
        if (entry.status == c.status) format = entry.text;
    }
    char why[128];
    if (c.status == CalibrationRead::kOutOfRange && c.entries == 0) {
        std::snprintf(why, sizeof why, "its %s formula leaves 0 to 1", kChannelNames[c.channel]);
    } else if (c.status == CalibrationRead::kFalls || c.status == CalibrationRead::kOutOfRange) {
        std::snprintf(why, sizeof why, format, kChannelNames[c.channel], c.entries > kMaxCurveEntries ? "near" : "at",
                      c.value);
    } else {
        std::snprintf(why, sizeof why, format, c.value);
    }
    std::snprintf(text, sizeof text, "the calibration in %s cannot be built on: %s", name, why);
}

void NameSource(CalibrationChoice& choice, const char* name) {
    std::snprintf(choice.source, sizeof choice.source, "%s", name);
}

}  // namespace

void ClearCalibrationChoice(CalibrationChoice& choice) {
    choice.in_effect.status = CalibrationRead::kNone;
    choice.source[0] = '\0';
}

void TakeLoadCalibration(CalibrationChoice& choice, const SourceLoad& load, const char* name) {
    if (load.report.status != LoadStatus::kApplied || load.decoded.keeps_calibration) return;
    choice.in_effect = load.decoded.calibration;
    NameSource(choice, name);
}

bool ChooseCalibrationBytes(CalibrationChoice& choice, const unsigned char* bytes, size_t size, const char* name,
                            char (&reason)[kCalibrationWordsSize]) {
    CalibrationInEffect read = {};
    const bool profile = HasIccFileSignature(bytes, size);
    if (profile) {
        DecodeProfileCalibration(bytes, size, read);
    } else {
        DecodeCalText({bytes, size}, read);
    }
    if (read.status == CalibrationRead::kNone) {
        std::snprintf(reason, sizeof reason, "%s", profile ? "the profile holds no calibration (no \"vcgt\" tag)"
                                                           : "the file holds no calibration (no CAL table)");
        return false;
    }
    if (read.status != CalibrationRead::kCurves) {
        DescribeUnreadable(read, name, reason);
        return false;
    }
    choice.in_effect = read;
    NameSource(choice, name);
    return true;
}

bool ChooseCalibrationFile(CalibrationChoice& choice, const char* path, char (&reason)[kCalibrationWordsSize]) {
    FileBytes bytes;
    const FileStatus read = ReadWholeFile(path, SourceFileLimit(LoadSource::kProfile), bytes);
    if (read != FileStatus::kRead) {
        char words[kLoadReasonSize];
        DescribeLoadReport(LoadSource::kProfile, {LoadStatusOfFile(read), 0, 0, 0, 0}, words);
        std::snprintf(reason, sizeof reason, "%s", words);
        return false;
    }
    return ChooseCalibrationBytes(choice, bytes.data.get(), bytes.size, path, reason);
}

bool CurvesOfChoice(const CalibrationChoice& choice, CalibrationCurves& curves, char (&reason)[kCalibrationWordsSize]) {
    curves = kNoCalibrationCurves;
    const CalibrationInEffect& c = choice.in_effect;
    if (c.status == CalibrationRead::kNone) return true;
    if (c.status != CalibrationRead::kCurves) {
        DescribeUnreadable(c, choice.source, reason);
        return false;
    }
    curves.in_effect = &c.curves;
    if (c.formula.given) curves.in_effect_formula = &c.formula;
    return true;
}

void DescribeCalibrationChoice(const CalibrationChoice& choice, char (&text)[kCalibrationWordsSize]) {
    const CalibrationInEffect& c = choice.in_effect;
    if (c.status == CalibrationRead::kNone) {
        std::snprintf(text, sizeof text, "no calibration in effect: curves from the ratios alone");
    } else if (c.status != CalibrationRead::kCurves) {
        DescribeUnreadable(c, choice.source, text);
    } else if (c.entries == 0) {
        std::snprintf(text, sizeof text, "built on the calibration in %s (a formula per channel)", choice.source);
    } else {
        std::snprintf(text, sizeof text, "built on the calibration in %s (%d entries per channel)", choice.source,
                      c.entries);
    }
}

void ComposeCalibrationLine(const CalibrationChoice& choice, char (&text)[kCalibrationLineSize]) {
    char phrase[kCalibrationWordsSize];
    DescribeCalibrationChoice(choice, phrase);
    std::snprintf(text, sizeof text, "Calibration curves: %s.\n", phrase);
}
