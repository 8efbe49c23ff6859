// New curves built on the calibration a profile was measured through: for
// each form of "vcgt", Little CMS reads the old curves from the loaded
// profile and the new ones from the written profile, and the new must be the
// old read at the scaled signal, v_c(r_c * i / 255), within 2/65535; the
// .cal rows the same. A calibration that cannot be built on is refused.
#include <gtest/gtest.h>
#include <lcms2.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "calibration/write_calibration.h"
#include "colour/balance.h"
#include "explain/calibration_choice.h"
#include "explain/load_file.h"
#include "form/memory_form.h"
#include "edid_builder.h"
#include "profile_builder.h"

namespace {

constexpr double kTolerance = 2.0 / 65535;

// Curves per channel, from the channel and the signal.
using Shape = double (*)(int channel, double s);
double Bent(int c, double s) { return 0.02 + 0.95 * std::pow(s, 0.8 + 0.15 * c); }
// Smooth enough that 1024 samples of 4096 entries miss none by a 16-bit step.
double Smooth(int c, double s) { return 0.01 + 0.97 * std::pow(s, 1.4 + 0.1 * c); }
// Flat at black and at the top, as curves clipped at either end are.
double FlatRuns(int c, double s) { return std::clamp(s, 0.03 + 0.01 * c, 0.92 - 0.05 * c); }
double BentAsRed(int, double s) { return Bent(0, s); }
double Falls(int c, double s) { return c == 1 && s > 0.5 && s < 0.52 ? 0.3 : s; }

Bytes VcgtTable(int channels, int entries, int bytes, Shape shape, int stated_entries = 0) {
    Bytes data;
    AppendText(data, "vcgt");
    AppendU32(data, 0);
    AppendU32(data, 0);  // the table form
    AppendU16(data, static_cast<uint16_t>(channels));
    AppendU16(data, static_cast<uint16_t>(stated_entries != 0 ? stated_entries : entries));
    AppendU16(data, static_cast<uint16_t>(bytes));
    for (int c = 0; c < channels; ++c) {
        for (int i = 0; i < entries; ++i) {
            const double v = shape(c, i / double(entries - 1));
            if (bytes == 1) data.push_back(static_cast<unsigned char>(std::lround(v * 255)));
            if (bytes == 2) AppendU16(data, static_cast<uint16_t>(std::lround(v * 65535)));
        }
    }
    return data;
}

// Gamma, minimum and maximum for each channel, as s15Fixed16 numbers.
Bytes VcgtFormula(const double (&g)[3][3]) {
    Bytes data;
    AppendText(data, "vcgt");
    AppendU32(data, 0);
    AppendU32(data, 1);
    for (const auto& channel : g) {
        for (double v : channel) AppendU32(data, static_cast<uint32_t>(std::lround(v * 65536)));
    }
    return data;
}

Bytes ProfileWith(const Bytes& vcgt) {
    return BuildProfile({{"wtpt", D50WhiteTag()},
                         {"rXYZ", RedColorantTag()},
                         {"gXYZ", GreenColorantTag()},
                         {"bXYZ", BlueColorantTag()},
                         {"gTRC", GammaTag(0x0233)},
                         {"vcgt", vcgt}});
}

// The profile loaded as the companion loads it, then the target typed.
struct Loaded {
    Form form;
    CalibrationChoice choice;
};

void Load(const Bytes& profile, Loaded& out) {
    StartForm(&out.form);
    ClearCalibrationChoice(out.choice);
    static SourceLoad load;
    load = LoadSourceBytes(&out.form, LoadSource::kProfile, profile.data(), profile.size());
    ASSERT_EQ(load.report.status, LoadStatus::kApplied);
    TakeLoadCalibration(out.choice, load, "test.icc");
    SetFieldText(&out.form, IDC_TARGET_WHITE_X, "0.2831");
    SetFieldText(&out.form, IDC_TARGET_WHITE_Y, "0.2971");
    CalcBalance(&out.form);
}

cmsToneCurve* const* ReadVcgt(cmsHPROFILE profile) {
    return static_cast<cmsToneCurve* const*>(cmsReadTag(profile, cmsSigVcgtTag));
}

// Channel c's level at row i of the .cal text.
double CalRow(const std::string& cal, int row, int c) {
    size_t at = cal.find("BEGIN_DATA\n");
    for (int i = 0; i <= row; ++i) at = cal.find('\n', at) + 1;
    const char* p = cal.c_str() + at;
    char* end = nullptr;
    for (int k = 0; k <= c; ++k) std::strtod(p, &end), p = end;
    return std::strtod(p, nullptr);
}

struct BuiltOnCase {
    const char* name;
    Bytes vcgt;
    int entries;  // what the words say: 0 for a formula
    Bytes oracle;  // what Little CMS reads the old curves from, where not vcgt (it reads three channels only)
};

TEST(CalibrationInEffect, WrittenCurvesAreTheOldReadAtTheScaledSignal) {
    // A gamma below 1 starts too steeply for any table of it to be read between entries.
    const double formula[3][3] = {{1 / 2.2, 0.0, 1.0}, {1.3, 0.02, 0.97}, {2.0, 0.05, 0.9}};
    const BuiltOnCase cases[] = {
        {"16-bit table, three channels", VcgtTable(3, 256, 2, Bent), 256, {}},
        {"8-bit table, one channel for all", VcgtTable(1, 256, 1, Bent), 256, VcgtTable(3, 256, 1, BentAsRed)},
        {"4096 entries, sampled to the curve's size", VcgtTable(3, 4096, 2, Smooth), 4096, {}},
        {"runs of equal entries", VcgtTable(3, 1024, 2, FlatRuns), 1024, {}},
        {"formula", VcgtFormula(formula), 0, {}},
    };
    for (const BuiltOnCase& c : cases) {
        const Bytes profile = ProfileWith(c.vcgt);
        Loaded loaded;
        Load(profile, loaded);
        CalibrationCurves curves;
        char words[kCalibrationWordsSize];
        ASSERT_TRUE(CurvesOfChoice(loaded.choice, curves, words)) << c.name << ": " << words;
        DescribeCalibrationChoice(loaded.choice, words);
        const std::string expected = c.entries == 0 ? "(a formula per channel)"
                                                    : "(" + std::to_string(c.entries) + " entries per channel)";
        EXPECT_EQ(words, "built on the calibration in test.icc " + expected) << c.name;

        static unsigned char written[kProfileBufferSize];
        static unsigned char cal[kCalFileBufferSize];
        size_t size = 0, cal_size = 0;
        ASSERT_EQ(WriteDisplayProfile(&loaded.form, curves, {2023, 11, 14, 22, 13, 20}, written, size).status,
                  CalibrationStatus::kReady);
        ASSERT_EQ(WriteCalFile(&loaded.form, curves, cal, cal_size).status, CalibrationStatus::kReady);
        const std::string cal_text(reinterpret_cast<const char*>(cal), cal_size);
        const Bytes old_bytes = c.oracle.empty() ? profile : ProfileWith(c.oracle);
        cmsHPROFILE old_profile = cmsOpenProfileFromMem(old_bytes.data(), static_cast<cmsUInt32Number>(old_bytes.size()));
        cmsHPROFILE new_profile = cmsOpenProfileFromMem(written, static_cast<cmsUInt32Number>(size));
        ASSERT_NE(old_profile, nullptr);
        ASSERT_NE(new_profile, nullptr);
        cmsToneCurve* const* before = ReadVcgt(old_profile);
        cmsToneCurve* const* after = ReadVcgt(new_profile);
        ASSERT_NE(before, nullptr) << c.name;
        ASSERT_NE(after, nullptr) << c.name;
        for (int ch = 0; ch < 3; ++ch) {
            const double ratio = std::atof(FieldText(loaded.form, IDC_BAL_RED + ch).c_str());
            for (int i = 0; i < 256; ++i) {
                const double old_at = cmsEvalToneCurveFloat(before[ch], static_cast<float>(ratio * i / 255));
                EXPECT_NEAR(cmsEvalToneCurveFloat(after[ch], static_cast<float>(i / 255.0)), old_at, kTolerance)
                    << c.name << " channel " << ch << " level " << i;
                EXPECT_NEAR(CalRow(cal_text, i, ch), old_at, kTolerance) << c.name << " .cal channel " << ch << " row " << i;
            }
        }
        cmsCloseProfile(old_profile);
        cmsCloseProfile(new_profile);
    }
}

TEST(CalibrationInEffect, CalibrationThatCannotBeBuiltOnIsRefusedWithItsReason) {
    Bytes damaged = VcgtTable(3, 256, 2, Bent);
    const double kBeyondOne[3][3] = {{1.0, 0.0, 1.0}, {1.0, 0.0, 1.0}, {1.0, 0.0, 1.5}};
    damaged[11] = 7;  // a kind that is neither table nor formula
    const struct {
        const char* name;
        Bytes vcgt;
        const char* reason;
    } cases[] = {
        {"unknown form", damaged, "it is in a form that is neither a table of 1- or 2-byte entries nor a formula"},
        {"shorter than its header says", VcgtTable(3, 200, 2, Bent, 256), "it is shorter than its header says"},
        {"two channels", VcgtTable(2, 256, 2, Bent), "it has 2 channels (1 or 3 are read)"},
        {"falls", VcgtTable(3, 256, 2, Falls), "its green curve falls at entry 128"},
        {"a formula beyond 1", VcgtFormula(kBeyondOne), "its blue formula leaves 0 to 1"},
        {"falls in a long table", VcgtTable(3, 4096, 2, Falls), "its green curve falls near entry 2050"},
    };
    for (const auto& c : cases) {
        Loaded loaded;
        Load(ProfileWith(c.vcgt), loaded);
        CalibrationCurves curves;
        char reason[kCalibrationWordsSize];
        EXPECT_FALSE(CurvesOfChoice(loaded.choice, curves, reason)) << c.name;
        EXPECT_EQ(std::string(reason), std::string("the calibration in test.icc cannot be built on: ") + c.reason)
            << c.name;
    }
}

// Without a vcgt, or with it cleared, the writers get no curves: today's bytes.
TEST(CalibrationInEffect, NoCalibrationGivesTheBytesOfNoCurves) {
    Loaded with, without;
    Load(ProfileWith(VcgtTable(3, 256, 2, Bent)), with);
    Load(TypicalDisplayProfile(), without);
    ClearCalibrationChoice(with.choice);
    for (Loaded* loaded : {&with, &without}) {
        CalibrationCurves curves = {nullptr, nullptr};
        char words[kCalibrationWordsSize];
        ASSERT_TRUE(CurvesOfChoice(loaded->choice, curves, words));
        EXPECT_EQ(curves.in_effect, nullptr);
        DescribeCalibrationChoice(loaded->choice, words);
        EXPECT_STREQ(words, "no calibration in effect: curves from the ratios alone");
    }
}

// Each load sets the calibration its values were measured through; a
// single reading keeps the one before. Applied in order to one choice.
TEST(CalibrationInEffect, EachLoadSetsTheCalibrationItWasMeasuredThrough) {
    const std::string table =
        "LGOROWLENGTH 4\nBEGIN_DATA_FORMAT\nXYZ_Z RGB_B XYZ_Y RGB_G XYZ_X RGB_R\nEND_DATA_FORMAT\nBEGIN_DATA\n"
        "30 255 40 255 30 255\n1 0 3 0 6 255\n1 0 6 255 3 0\n7.9 255 0.6 0 1.5 0\nEND_DATA\n";
    const std::string cal = "CAL\nBEGIN_DATA_FORMAT\nRGB_I RGB_R RGB_G RGB_B\nEND_DATA_FORMAT\nNUMBER_OF_SETS 3\n"
                            "BEGIN_DATA\n0 0 0 0\n0.5 0.4 0.45 0.5\n1 0.9 0.95 1\nEND_DATA\n";
    const std::string kBuiltOn = "built on the calibration in ";
    const std::string kNone = "no calibration in effect: curves from the ratios alone";
    const struct {
        const char* name;
        LoadSource source;
        Bytes bytes;
        std::string words;
    } steps[] = {
        {"a profile with vcgt", LoadSource::kProfile, ProfileWith(VcgtTable(3, 256, 2, Bent)),
         kBuiltOn + "a profile with vcgt (256 entries per channel)"},
        {"a reading", LoadSource::kMeasurement, TextBytes("Result is XYZ: 30 40 30"),
         kBuiltOn + "a profile with vcgt (256 entries per channel)"},
        {"an EDID", LoadSource::kEdid, TypicalEdid(), kNone},
        {"a table with CAL", LoadSource::kMeasurement, TextBytes(table + cal),
         kBuiltOn + "a table with CAL (3 entries per channel)"},
        {"a table without", LoadSource::kMeasurement, TextBytes(table), kNone},
        {"a profile with vcgt again", LoadSource::kProfile, ProfileWith(VcgtTable(1, 16, 1, Bent)),
         kBuiltOn + "a profile with vcgt again (16 entries per channel)"},
        {"a profile without", LoadSource::kProfile, TypicalDisplayProfile(), kNone},
    };
    Form form;
    StartForm(&form);
    static CalibrationChoice choice;
    ClearCalibrationChoice(choice);
    for (const auto& step : steps) {
        static SourceLoad load;
        load = LoadSourceBytes(&form, step.source, step.bytes.data(), step.bytes.size());
        ASSERT_EQ(load.report.status, LoadStatus::kApplied) << step.name << ": " << load.text;
        TakeLoadCalibration(choice, load, step.name);
        char words[kCalibrationWordsSize];
        DescribeCalibrationChoice(choice, words);
        EXPECT_EQ(words, step.words) << step.name;
    }
}

}  // namespace
