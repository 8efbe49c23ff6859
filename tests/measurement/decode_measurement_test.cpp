// The measurement decoder: what a table, a profile's table and readings set,
// by the rules for repeats, black, the gamma fit and the fields' order, and
// what it refuses without touching a field.
#include "measurement/decode_measurement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "explain/load_file.h"
#include "form/memory_form.h"
#include "tests/profile/profile_builder.h"
#include "tests/profile/profile_test_form.h"

namespace {

struct Row {
    double r, g, b, x, y, z;
};

const char kArgyllFormat[] = "SAMPLE_ID RGB_R RGB_G RGB_B XYZ_X XYZ_Y XYZ_Z";

// Chromaticities that read exactly: white (0.3, 0.4), red (0.6, 0.3),
// green (0.3, 0.6), blue (0.15, 0.06).
const Row kWhite = {100, 100, 100, 30, 40, 30}, kRed = {100, 0, 0, 6, 3, 1}, kGreen = {0, 100, 0, 3, 6, 1},
          kBlue = {0, 0, 100, 1.5, 0.6, 7.9};
const char kSetAll[] = "0.30000 0.40000 0.60000 0.30000 0.30000 0.60000 0.15000 0.06000";

std::string Number(double v) {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", v);
    return text;
}

// A CTI3 table as ArgyllCMS writes it, its rows numbered from 1.
std::string Table(const std::vector<Row>& rows, const std::string& extra = "") {
    std::string s = "CTI3   \n\nDESCRIPTOR \"test\"\nKEYWORD \"COLOR_REP\"\nCOLOR_REP \"RGB_XYZ\"\n"
                    "BEGIN_ARGYLL_COLPROF_ARGS\n-qh\nEND_ARGYLL_COLPROF_ARGS\nNUMBER_OF_FIELDS 7\n"
                    "BEGIN_DATA_FORMAT\n" + std::string(kArgyllFormat) + "\nEND_DATA_FORMAT\nBEGIN_DATA\n";
    int id = 1;
    for (const Row& r : rows) {
        s += std::to_string(id++);
        for (double v : {r.r, r.g, r.b, r.x, r.y, r.z}) s += " " + Number(v);
        s += "\n";
    }
    return s + "END_DATA\n" + extra;
}

// Grey at fraction s of 100 whose Y, less black's, is 40 s^2.2 of the white's.
Row Grey(double s, double black = 0) { return {100 * s, 100 * s, 100 * s, 1, black + 40 * std::pow(s, 2.2), 1}; }

Bytes BytesOf(const std::string& s) { return Bytes(s.begin(), s.end()); }

Bytes TextTag(const std::string& text) {
    Bytes data;
    AppendText(data, "text");
    AppendU32(data, 0);
    AppendText(data, text);
    data.push_back(0);
    return data;
}

// Fields 1001 to 1009 after the load, joined by spaces.
std::string Loaded(const Bytes& bytes, std::string& account) {
    Form form = SentinelForm();
    const SourceLoad load = LoadSourceBytes(&form, LoadSource::kMeasurement, bytes.data(), bytes.size());
    account = load.text;
    std::string fields;
    for (FieldId id = IDC_REF_WHITE_X; id <= IDC_GAMMA; ++id) fields += (fields.empty() ? "" : " ") + FieldText(form, id);
    return fields;
}

TEST(DecodeMeasurement, SetsWhatTheRulesGive) {
    const std::string all = std::string(kSetAll) + " 2.20000";
    const Row black = {0, 0, 0, 1, 1, 1};
    const Row lit_white = {100, 100, 100, 31, 41, 31}, lit_red = {100, 0, 0, 7, 4, 2};
    const std::string lab = "CAL\nBEGIN_DATA_FORMAT\nRGB_I RGB_R RGB_G RGB_B\nEND_DATA_FORMAT\nBEGIN_DATA\n0 0 0 0\nEND_DATA\n";
    const struct {
        const char* name;
        Bytes bytes;
        std::string fields;
        std::string account;
    } cases[] = {
        {"the four patches, no black", BytesOf(Table({kWhite, kRed, kGreen, kBlue})), std::string(kSetAll) + " 2.2",
         "white, red, green and blue from 4 patches; no black patch: black taken as zero; gamma kept: fewer than "
         "three grey patches from 10 % to 90 % signal to fit"},
        {"repeats averaged", BytesOf(Table({{100, 100, 100, 20, 40, 40}, kRed, {100, 100, 100, 40, 40, 20}, kGreen,
                                            kBlue, {100, 0, 0, 5, 2, 3}, {100, 0, 0, 7, 4, -1}})),
         std::string(kSetAll) + " 2.2", "white, red, green and blue from 7 patches; no black patch: black taken as "
         "zero; gamma kept: fewer than three grey patches from 10 % to 90 % signal to fit"},
        {"black subtracted", BytesOf(Table({lit_white, lit_red, {0, 100, 0, 4, 7, 2}, {0, 0, 100, 2.5, 1.6, 8.9},
                                            black, {0, 0, 0, 1.5, 0.5, 1}, {0, 0, 0, 0.5, 1.5, 1}})),
         std::string(kSetAll) + " 2.2", "white, red, green and blue from 7 patches; black subtracted; gamma kept: "
         "fewer than three grey patches from 10 % to 90 % signal to fit"},
        {"gamma over greys from 10 % to 90 %, black's Y subtracted",
         BytesOf(Table({lit_white, lit_red, {0, 100, 0, 4, 7, 2}, {0, 0, 100, 2.5, 1.6, 8.9}, black, Grey(0.1, 1),
                        Grey(0.5, 1), Grey(0.9, 1), Grey(0.5, 1), {5, 5, 5, 1, 30, 1}, {95, 95, 95, 1, 2, 1}})),
         all, "white, red, green, blue and gamma from 11 patches; black subtracted"},
        {"a grey whose Y is black's does not count", BytesOf(Table({kWhite, kRed, kGreen, kBlue, Grey(0.2), Grey(0.6),
                                                                    {30, 30, 30, 1, 0, 1}})),
         std::string(kSetAll) + " 2.2", "white, red, green and blue from 7 patches; no black patch: black taken as "
         "zero; gamma kept: fewer than three grey patches from 10 % to 90 % signal to fit"},
        {"fields in another order among others, top of scale 255",
         BytesOf("LGOROWLENGTH 4\nBEGIN_DATA_FORMAT\nXYZ_Z SPEC_380 RGB_B XYZ_Y RGB_G XYZ_X RGB_R\nEND_DATA_FORMAT\n"
                 "BEGIN_DATA\n30 0.1 255 40 255 30 255\n1 0.1 0 3 0 6 255\n1 0.1 0 6 255 3 0\n7.9 0.1 255 0.6 0 1.5 0\n"
                 "END_DATA\n"),
         std::string(kSetAll) + " 2.2", "white, red, green and blue from 4 patches; no black patch: black taken as zero;"
         " gamma kept: fewer than three grey patches from 10 % to 90 % signal to fit"},
        {"a second table not read", BytesOf(Table({kWhite, kRed, kGreen, kBlue, Grey(0.2), Grey(0.4), Grey(0.8)},
                                                  "\n" + Table({{100, 100, 100, 6, 3, 1}, kRed, kGreen, kBlue}))),
         all, "white, red, green, blue and gamma from 7 patches; no black patch: black taken as zero"},
        {"a profile's targ tag", BuildProfile({{"targ", TextTag(Table({lit_white, lit_red, {0, 100, 0, 4, 7, 2},
                                                                      {0, 0, 100, 2.5, 1.6, 8.9}, black}))}}),
         std::string(kSetAll) + " 2.2", "white, red, green and blue from 5 patches (its \"targ\" tag); black "
         "subtracted; gamma kept: fewer than three grey patches from 10 % to 90 % signal to fit"},
        {"CIED when targ holds CxF", BuildProfile({{"targ", TextTag("<?xml version=\"1.0\"?><CxF/>")},
                                                   {"CIED", TextTag(Table({kWhite, kRed, kGreen, kBlue}))}}),
         std::string(kSetAll) + " 2.2", "white, red, green and blue from 4 patches (its \"CIED\" tag); no black patch: "
         "black taken as zero; gamma kept: fewer than three grey patches from 10 % to 90 % signal to fit"},
        {"readings: the last one's white", BytesOf(" Result is XYZ: 95.0 100.0 108.9, D50 Lab: 100 0 0\n"
                                                   " Result is XYZ: 6.000000 3.000000 1.000000, Yxy: 3 0.6 0.3\n"),
         "0.60000 0.30000 0.640 0.330 0.300 0.600 0.150 0.060 2.2", "white from the last of 2 readings; primaries and "
         "gamma kept"},
        {"one reading", BytesOf("Result is XYZ: 30 40 30"), "0.30000 0.40000 0.640 0.330 0.300 0.600 0.150 0.060 2.2",
         "white from 1 reading; primaries and gamma kept"},
        {"a CAL table first: not a measurement", BytesOf(lab + Table({kWhite, kRed, kGreen, kBlue})),
         "0.3127 0.3290 0.640 0.330 0.300 0.600 0.150 0.060 2.2",
         "not a measurement: no table of RGB_R, RGB_G, RGB_B and XYZ_X, XYZ_Y, XYZ_Z values, nor a \"Result is XYZ:\" "
         "reading"},
    };
    for (const auto& c : cases) {
        std::string account;
        EXPECT_EQ(Loaded(c.bytes, account), c.fields) << c.name;
        EXPECT_EQ(account, c.account) << c.name;
    }
}

TEST(DecodeMeasurement, RefusesInPlainWordsAndChangesNothing) {
    const std::string no_end = Table({kWhite, kRed, kGreen, kBlue});
    const std::string lab = "CTI3\nCOLOR_REP \"RGB_LAB\"\nBEGIN_DATA_FORMAT\nRGB_R RGB_G RGB_B LAB_L LAB_A LAB_B\n"
                            "END_DATA_FORMAT\nBEGIN_DATA\n100 100 100 100 0 0\nEND_DATA\n";
    const struct {
        const char* name;
        Bytes bytes;
        LoadStatus status;
        std::string reason;
    } cases[] = {
        {"empty", {}, LoadStatus::kEmpty, "not a measurement: the file is empty"},
        {"over 4 MiB", Bytes(kMeasurementFileLimit + 1, ' '), LoadStatus::kTooLarge,
         "too large to be a measurement: over 4 MiB"},
        {"Lab only", BytesOf(lab), LoadStatus::kLabOnly,
         "a measurement in Lab only: XYZ values (XYZ_X, XYZ_Y, XYZ_Z) are needed"},
        {"no white", BytesOf(Table({kRed, kGreen, kBlue, {99, 100, 100, 30, 40, 30}})), LoadStatus::kNoWhiteRow,
         "no white patch: no row has R, G and B all at the top of the scale"},
        {"no green", BytesOf(Table({kWhite, kRed, kBlue, {1, 100, 0, 3, 6, 1}})), LoadStatus::kNoPrimaryRow,
         "no green patch: no row has G at the top of the scale and the others at 0"},
        {"a word for an XYZ", BytesOf("BEGIN_DATA_FORMAT\nRGB_R RGB_G RGB_B XYZ_X XYZ_Y XYZ_Z\nEND_DATA_FORMAT\n"
                                      "BEGIN_DATA\n100 100 100 30 n/a 30\nEND_DATA\n"),
         LoadStatus::kNotNumber, "the measured value at offset 96 is not a number"},
        {"past any measurement", BytesOf("BEGIN_DATA_FORMAT\nRGB_R RGB_G RGB_B XYZ_X XYZ_Y XYZ_Z\nEND_DATA_FORMAT\n"
                                         "BEGIN_DATA\n100 100 100 30 40 2e9\nEND_DATA\n"),
         LoadStatus::kNotNumber, "the measured value at offset 99 is not a number"},
        {"white at black", BytesOf(Table({{100, 100, 100, 1, 1, 1}, kRed, kGreen, kBlue, {0, 0, 0, 1, 1, 1}})),
         LoadStatus::kWhiteNotAboveBlack, "the measured white is no brighter than black"},
        {"blue below black", BytesOf(Table({kWhite, kRed, kGreen, kBlue, {0, 0, 0, 1, 1, 1}})),
         LoadStatus::kPrimaryNotAboveBlack, "the measured blue is no brighter than black"},
        {"no END_DATA", BytesOf(no_end.substr(0, no_end.size() - 9)), LoadStatus::kDamagedTable,
         "damaged measurement table: it ends before END_DATA_FORMAT, END_DATA or a row's last value"},
        {"a row cut short", BytesOf("BEGIN_DATA_FORMAT\nRGB_R RGB_G RGB_B XYZ_X XYZ_Y XYZ_Z\nEND_DATA_FORMAT\n"
                                    "BEGIN_DATA\n100 100 100 30 40\nEND_DATA\n"),
         LoadStatus::kDamagedTable,
         "damaged measurement table: it ends before END_DATA_FORMAT, END_DATA or a row's last value"},
        {"a reading cut short", BytesOf("Result is XYZ: 95.0 100.0\n"), LoadStatus::kNotNumber,
         "the measured value at offset 25 is not a number"},
        {"a profile without one", TypicalDisplayProfile(), LoadStatus::kNoMeasurementTag,
         "an ICC profile with no measurement inside: no \"targ\" or \"CIED\" tag holds a table"},
        {"plain text", BytesOf("hello\n"), LoadStatus::kNotMeasurement,
         "not a measurement: no table of RGB_R, RGB_G, RGB_B and XYZ_X, XYZ_Y, XYZ_Z values, nor a \"Result is XYZ:\" "
         "reading"},
    };
    for (const auto& c : cases) {
        Form form = SentinelForm();
        const Form before = form;
        const SourceLoad load = LoadSourceBytes(&form, LoadSource::kMeasurement, c.bytes.data(), c.bytes.size());
        EXPECT_EQ(load.report.status, c.status) << c.name;
        EXPECT_EQ(std::string(load.text), c.reason) << c.name;
        ExpectUnchanged(form, before, c.name);
    }
}

}  // namespace
