// The calibration writers: what they refuse, the profile's byte layout, the
// .cal and the vcgt agreeing entry for entry, the same bytes every time, and
// the profile read back by the program's own reader.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "colour/balance.h"
#include "form/memory_form.h"
#include "form/number_text.h"
#include "profile/decode_profile.h"
#include "profile/icc.h"
#include "calibration/write_calibration.h"
#include "calibration_cases.h"

namespace {

const IccDateTime kDate = {2023, 11, 14, 22, 13, 20};

std::string Reason(const CalibrationReport& report) {
    char text[kCalibrationReasonSize];
    DescribeCalibrationReport(report, text);
    return text;
}

TEST(Calibration, RefusesResultsThatAllowNoCalibration) {
    const struct {
        const char* name;
        Typed inputs;
        Typed results;
        const char* reason;
    } cases[] = {
        {"target outside the gamut", {{1010, "0.7"}, {1011, "0.3"}}, {},
         "the target lies outside the display's gamut: green is not a number"},
        {"outside the gamut at gamma 1", {{1009, "1"}, {1010, "0.7"}, {1011, "0.3"}}, {},
         "the target lies outside the display's gamut: green is negative"},
        // The not-a-number text reads back as 1.0 and would pass for full drive.
        {"not-a-number text", {}, {{1014, "1.#QNAN"}},
         "the target lies outside the display's gamut: blue is not a number"},
        {"infinite text", {}, {{1013, "1.#INF0"}}, "the results allow no calibration: green is infinite"},
        {"above 1", {}, {{1012, "1.00002"}}, "the results allow no calibration: red is above 1"},
        {"no channel at 1", {}, {{1012, "0.99999"}, {1013, "0.99999"}, {1014, "0.99999"}}, "the results allow no calibration: no channel is at 1"},
        {"gamma zero", {{1009, "0"}}, {}, "the gamma is not positive"},
        {"gamma negative", {{1009, "-2.2"}}, {}, "the gamma is not positive"},
        {"gamma infinite", {{1009, "1e999"}}, {}, "the gamma is not a finite number"},
        {"gamma past u8Fixed8", {{1009, "256"}}, {},
         "the gamma is beyond what a profile can state (about 0.002 to 255.99)"},
        {"collinear primaries", {{1005, "0.64"}, {1006, "0.33"}}, {},
         "the reference white and primaries describe no display"},
    };
    for (const auto& c : cases) {
        Form form = FormWith(c.inputs, c.results);
        Calibration calibration;
        EXPECT_EQ(Reason(ReadCalibration(&form, calibration)), c.reason) << c.name;
        static unsigned char cal[kCalFileBufferSize];
        static unsigned char profile[kProfileBufferSize];
        size_t size = 1;
        EXPECT_NE(WriteCalFile(&form, cal, size).status, CalibrationStatus::kReady) << c.name;
        EXPECT_EQ(size, 0u) << c.name;
        size = 1;
        EXPECT_NE(WriteDisplayProfile(&form, kDate, profile, size).status, CalibrationStatus::kReady) << c.name;
        EXPECT_EQ(size, 0u) << c.name;
    }
}

std::vector<unsigned char> ProfileOf(const Form& form, const IccDateTime& date = kDate) {
    static unsigned char bytes[kProfileBufferSize];
    size_t size = 0;
    Form copy = form;
    EXPECT_EQ(WriteDisplayProfile(&copy, date, bytes, size).status, CalibrationStatus::kReady);
    return {bytes, bytes + size};
}

std::string CalOf(const Form& form) {
    static unsigned char bytes[kCalFileBufferSize];
    size_t size = 0;
    Form copy = form;
    EXPECT_EQ(WriteCalFile(&copy, bytes, size).status, CalibrationStatus::kReady);
    return {reinterpret_cast<const char*>(bytes), size};
}

const IccSignature kTagOrder[][2] = {
    {MakeSignature("desc"), MakeSignature("desc")}, {MakeSignature("cprt"), MakeSignature("text")},
    {MakeSignature("wtpt"), MakeSignature("XYZ ")}, {MakeSignature("chad"), MakeSignature("sf32")},
    {MakeSignature("rXYZ"), MakeSignature("XYZ ")}, {MakeSignature("gXYZ"), MakeSignature("XYZ ")},
    {MakeSignature("bXYZ"), MakeSignature("XYZ ")}, {MakeSignature("rTRC"), MakeSignature("curv")},
    {MakeSignature("gTRC"), MakeSignature("curv")}, {MakeSignature("bTRC"), MakeSignature("curv")},
    {MakeSignature("vcgt"), MakeSignature("vcgt")},
};

TEST(Calibration, ProfileLayoutIsSoundIcc) {
    for (const auto& d : kDisplays) {
        const std::vector<unsigned char> p = ProfileOf(FormWith(d.inputs));
        ASSERT_GE(p.size(), 132u) << d.name;
        EXPECT_EQ(ReadBigU32(&p[0]), p.size()) << d.name;
        EXPECT_EQ(p.size() % 4, 0u) << d.name;
        EXPECT_EQ(ReadBigU32(&p[8]), 0x02400000u) << d.name;
        EXPECT_EQ(ReadBigU32(&p[12]), MakeSignature("mntr")) << d.name;
        EXPECT_EQ(ReadBigU32(&p[16]), MakeSignature("RGB ")) << d.name;
        EXPECT_EQ(ReadBigU32(&p[20]), MakeSignature("XYZ ")) << d.name;
        EXPECT_EQ(ReadBigU32(&p[36]), MakeSignature("acsp")) << d.name;
        // D50 as the version 2 display profiles state it: F6D6, 1.0, D32D.
        EXPECT_EQ(ReadBigU32(&p[68]), 0xF6D6u) << d.name;
        EXPECT_EQ(ReadBigU32(&p[72]), 0x10000u) << d.name;
        EXPECT_EQ(ReadBigU32(&p[76]), 0xD32Du) << d.name;
        const uint16_t date[] = {2023, 11, 14, 22, 13, 20};
        for (int i = 0; i < 6; ++i) EXPECT_EQ(ReadBigU16(&p[24 + 2 * i]), date[i]) << d.name;

        const uint32_t count = ReadBigU32(&p[128]);
        ASSERT_EQ(count, 11u) << d.name;
        std::vector<std::pair<uint32_t, uint32_t>> spans;
        for (uint32_t i = 0; i < count; ++i) {
            const unsigned char* entry = &p[132 + 12 * i];
            const uint32_t offset = ReadBigU32(entry + 4);
            const uint32_t size = ReadBigU32(entry + 8);
            EXPECT_EQ(ReadBigU32(entry), kTagOrder[i][0]) << d.name << " entry " << i;
            EXPECT_EQ(offset % 4, 0u) << d.name << " entry " << i;
            ASSERT_LE(uint64_t{offset} + size, p.size()) << d.name << " entry " << i;
            EXPECT_EQ(ReadBigU32(&p[offset]), kTagOrder[i][1]) << d.name << " entry " << i;
            spans.emplace_back(offset, offset + size);
        }
        std::sort(spans.begin(), spans.end());
        EXPECT_GE(spans.front().first, 132u + 12 * count) << d.name << ": tag data over the table";
        for (size_t i = 1; i < spans.size(); ++i) {
            EXPECT_LE(spans[i - 1].second, spans[i].first) << d.name << ": tags overlap at " << spans[i].first;
        }
    }
}

// Row i of the .cal as doubles: i/255 and the three channels.
std::vector<std::vector<double>> CalRows(const std::string& cal) {
    std::vector<std::vector<double>> rows;
    size_t at = cal.find("BEGIN_DATA\n");
    const size_t end = cal.find("END_DATA\n");
    if (at == std::string::npos || end == std::string::npos) return rows;
    for (at += 11; at < end;) {
        const size_t line_end = cal.find('\n', at);
        const std::string line = cal.substr(at, line_end - at);
        std::vector<double> values;
        char* p = const_cast<char*>(line.c_str());
        for (char* next = p;; p = next) {
            const double v = std::strtod(p, &next);
            if (next == p) break;
            values.push_back(v);
        }
        rows.push_back(values);
        at = line_end + 1;
    }
    return rows;
}

// The .cal's numbers, read back and rounded to 16 bits, are the vcgt's
// entries; the top entries are the New Balance itself.
TEST(Calibration, CalAndVcgtCarryTheSameCurves) {
    for (const auto& d : kDisplays) {
        const Form form = FormWith(d.inputs);
        const std::vector<unsigned char> p = ProfileOf(form);
        const std::vector<std::vector<double>> rows = CalRows(CalOf(form));
        ASSERT_EQ(rows.size(), 256u) << d.name;
        const uint32_t vcgt = ReadBigU32(&p[132 + 12 * 10 + 4]);
        ASSERT_EQ(ReadBigU32(&p[vcgt + 8]), 0u) << d.name;  // table form
        ASSERT_EQ(ReadBigU16(&p[vcgt + 12]), 3) << d.name;
        ASSERT_EQ(ReadBigU16(&p[vcgt + 14]), 256) << d.name;
        ASSERT_EQ(ReadBigU16(&p[vcgt + 16]), 2) << d.name;
        for (int c = 0; c < 3; ++c) {
            const double ratio = std::atof(FieldText(form, IDC_BAL_RED + c).c_str());
            EXPECT_EQ(ReadBigU16(&p[vcgt + 18 + 2 * (256 * c + 255)]), std::lround(65535 * ratio)) << d.name;
            for (int i = 0; i < 256; ++i) {
                ASSERT_EQ(rows[i].size(), 4u) << d.name << " row " << i;
                EXPECT_NEAR(rows[i][0], i / 255.0, 1e-10) << d.name << " row " << i;
                const uint16_t entry = ReadBigU16(&p[vcgt + 18 + 2 * (256 * c + i)]);
                EXPECT_EQ(std::lround(65535 * rows[i][1 + c]), entry) << d.name << " channel " << c << " row " << i;
            }
        }
    }
}

TEST(Calibration, CalTextNamesTheTargetAndTheTool) {
    const std::string cal = CalOf(FormWith(kDisplays[1].inputs));
    EXPECT_EQ(cal.substr(0, cal.find("NUMBER_OF_FIELDS")),
              "CAL\n\nDESCRIPTOR \"Tintmend: white 0.28310, 0.29710\"\nORIGINATOR \"Tintmend " TINTMEND_VERSION
              "\"\nKEYWORD \"DEVICE_CLASS\"\nDEVICE_CLASS \"DISPLAY\"\nKEYWORD \"COLOR_REP\"\nCOLOR_REP \"RGB\"\n\n");
    EXPECT_NE(cal.find("\nNUMBER_OF_SETS 256\n"), std::string::npos);
    EXPECT_NE(cal.find("\n1.0000000000 0.8108100000 0.8790900000 1.0000000000\nEND_DATA\n"), std::string::npos);
}

// The same fields give the same bytes; the date changes its 12 bytes alone.
TEST(Calibration, WritersAreDeterministic) {
    for (const auto& d : kDisplays) {
        const Form form = FormWith(d.inputs);
        EXPECT_EQ(ProfileOf(form), ProfileOf(form)) << d.name;
        EXPECT_EQ(CalOf(form), CalOf(form)) << d.name;
        std::vector<unsigned char> later = ProfileOf(form, {2030, 1, 2, 3, 4, 5});
        std::vector<unsigned char> now = ProfileOf(form);
        ASSERT_EQ(later.size(), now.size()) << d.name;
        for (size_t i = 24; i < 36; ++i) later[i] = now[i];
        EXPECT_EQ(later, now) << d.name;
    }
}

// Written for a display and a target, read back with the same target: the
// display's primaries, the target as its white, and nothing left to change.
TEST(Calibration, ProfileReadsBackAsTheCalibratedDisplay) {
    for (const auto& d : kDisplays) {
        const Form form = FormWith(d.inputs);
        const std::vector<unsigned char> p = ProfileOf(form);
        Form read = FormWith({{1010, FieldText(form, 1010).c_str()}, {1011, FieldText(form, 1011).c_str()}});
        ASSERT_EQ(ApplyProfileBytes(&read, p.data(), p.size()).status, LoadStatus::kApplied) << d.name;
        for (FieldId id = IDC_REF_WHITE_X; id <= IDC_BLUE_Y; ++id) {
            const FieldId expected = id <= IDC_REF_WHITE_Y ? id + 9 : id;  // the white is the target
            EXPECT_NEAR(std::atof(FieldText(read, id).c_str()), std::atof(FieldText(form, expected).c_str()), 0.0001)
                << d.name << " field " << id;
        }
        // The gamma as written: to the nearest 1/256.
        char written[kFieldBufferSize];
        FormatFieldNumber(std::round(std::atof(FieldText(form, IDC_GAMMA).c_str()) * 256) / 256, written);
        EXPECT_EQ(FieldText(read, IDC_GAMMA), written) << d.name;
        for (FieldId id = IDC_BAL_RED; id <= IDC_BAL_BLUE; ++id) EXPECT_EQ(FieldText(read, id), "1.00000") << d.name;
    }
}

TEST(Calibration, DateFromSecondsSince1970) {
    const struct {
        int64_t seconds;
        bool stated;
        IccDateTime date;
    } cases[] = {
        {0, true, {1970, 1, 1, 0, 0, 0}},
        {951782400, true, {2000, 2, 29, 0, 0, 0}},      // a leap day of a century year
        {4107542399, true, {2100, 2, 28, 23, 59, 59}},  // 2100 is no leap year
        {1700000000, true, {2023, 11, 14, 22, 13, 20}},
        {253402300799, true, {9999, 12, 31, 23, 59, 59}},
        {253402300800, false, {}},
        {-1, false, {}},
    };
    for (const auto& c : cases) {
        IccDateTime date = {};
        ASSERT_EQ(IccDateTimeFromEpoch(c.seconds, date), c.stated) << c.seconds;
        const uint16_t got[] = {date.year, date.month, date.day, date.hour, date.minute, date.second};
        const uint16_t want[] = {c.date.year, c.date.month, c.date.day, c.date.hour, c.date.minute, c.date.second};
        EXPECT_TRUE(std::equal(got, got + 6, want)) << c.seconds << ": " << got[0] << "-" << got[1] << "-" << got[2];
    }
}

}  // namespace
