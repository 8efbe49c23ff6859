// The account of a load: what the decoders tell beside the colorimetry, and
// the line made of it.
#include "explain/describe_load.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "edid_builder.h"
#include "form/memory_form.h"
#include "edid/decode_edid.h"
#include "profile/decode_profile.h"
#include "explain/load_file.h"
#include "profile/profile.h"
#include "profile_builder.h"
#include "temp_dir_test.h"

namespace {

// A parametricCurveType: the formula's number and its raw s15Fixed16 parameters.
Bytes ParaTag(uint16_t function, const std::vector<uint32_t>& params) {
    Bytes data;
    AppendText(data, "para");
    AppendU32(data, 0);
    AppendU16(data, function);
    AppendU16(data, 0);
    for (uint32_t p : params) AppendU32(data, p);
    return data;
}

// 256 samples of x^1.8, rounded as a profile maker would.
Bytes PowerTableTag() {
    std::vector<uint16_t> entries;
    for (int i = 0; i < 256; ++i) entries.push_back(static_cast<uint16_t>(std::lround(65535 * std::pow(i / 255.0, 1.8))));
    return CurveTag(256, entries);
}

std::string ProfileAccount(const Bytes& profile) {
    Colorimetry colorimetry;
    LoadNotes notes;
    EXPECT_EQ(DecodeProfile(profile.data(), profile.size(), colorimetry, notes).status, LoadStatus::kApplied);
    char text[kLoadAccountSize];
    DescribeLoad(colorimetry, notes, text);
    return text;
}

TEST(DescribeLoad, TellsWhatAProfileSetAndWhyItKeptTheRest) {
    const TestTag white = {"wtpt", D50WhiteTag()}, red = {"rXYZ", RedColorantTag()},
                  green = {"gXYZ", GreenColorantTag()}, blue = {"bXYZ", BlueColorantTag()};
    const std::string not_single = "; gamma kept: the green curve is not a single gamma";
    const std::string fit = " (its best power law from 10 % to 90 % signal has gamma ";
    const struct {
        const char* name;
        Bytes profile;
        std::string account;
    } cases[] = {
        {"all of it", TypicalDisplayProfile(), "set white, red, green, blue and gamma"},
        {"sRGB's formula", BuildProfile({white, red, green, blue, {"gTRC", ParaTag(3, {0x26666, 0xF2A7, 0xD59, 0x13D0, 0xA5B})}}),
         "set white, red, green and blue" + not_single + fit + "2.23)"},
        {"a pure power formula", BuildProfile({white, red, green, blue, {"gTRC", ParaTag(0, {0x26666})}}),
         "set white, red, green and blue" + not_single + fit + "2.40)"},
        {"a table of x^1.8", BuildProfile({white, red, green, blue, {"gTRC", PowerTableTag()}}),
         "set white, red, green and blue" + not_single + fit + "1.80)"},
        {"an empty table, the identity", BuildProfile({white, red, green, blue, {"gTRC", CurveTag(0, {})}}),
         "set white, red, green and blue" + not_single + fit + "1.00)"},
        {"a table cut short", BuildProfile({white, red, green, blue, {"gTRC", CurveTag(4096, {0, 1})}}),
         "set white, red, green and blue" + not_single},
        {"a flat table, no power law", BuildProfile({white, red, green, blue, {"gTRC", CurveTag(2, {0, 0})}}),
         "set white, red, green and blue" + not_single},
        {"a formula with no number 5", BuildProfile({white, red, green, blue, {"gTRC", ParaTag(5, {0x26666})}}),
         "set white, red, green and blue" + not_single},
        {"no green curve", BuildProfile({white, red, green, blue}),
         "set white, red, green and blue; gamma kept: the profile has no green curve"},
        {"no colorants", BuildProfile({white, {"gTRC", GammaTag(0x0233)}}),
         "set white and gamma; primaries kept: the profile has no colorant tags"},
        {"no blue colorant", BuildProfile({white, red, green, {"gTRC", GammaTag(0x0233)}}),
         "set white, red, green and gamma; blue kept: the profile has no colorant tag for it"},
        {"nothing", BuildProfile({}),
         "nothing set; white kept: the profile has no media white point; primaries kept: the profile has no "
         "colorant tags; gamma kept: the profile has no green curve"},
    };
    for (const auto& c : cases) EXPECT_EQ(ProfileAccount(c.profile), c.account) << c.name;
}

// The manufacturer's letters and a display descriptor at slot (0 to 3) with
// its tag and text, the checksum fixed again.
Bytes WithMonitor(Bytes block, uint16_t manufacturer, int slot, unsigned char tag, const std::string& text) {
    block[8] = static_cast<unsigned char>(manufacturer >> 8);
    block[9] = static_cast<unsigned char>(manufacturer);
    const size_t at = 54 + 18 * static_cast<size_t>(slot);
    block[at + 3] = tag;
    for (size_t i = 0; i < 13; ++i) block[at + 5 + i] = i < text.size() ? static_cast<unsigned char>(text[i]) : ' ';
    unsigned sum = 0;
    for (int i = 0; i < 127; ++i) sum += block[i];
    block[127] = static_cast<unsigned char>(256 - sum % 256);
    return block;
}

TEST(DescribeLoad, NamesTheMonitorAnEdidDescribes) {
    const uint16_t dell = 0x10AC;  // D E L: 4, 5, 12
    const struct {
        const char* name;
        Bytes edid;
        std::string account;
    } cases[] = {
        {"name in the last slot", WithMonitor(TypicalEdid(), dell, 3, 0xFC, "DELL U2412M\n"),
         "monitor \"DELL U2412M\" by DEL: set white, red, green, blue and gamma"},
        {"thirteen characters, no line feed", WithMonitor(TypicalEdid(), dell, 0, 0xFC, "ABCDEFGHIJKLM"),
         "monitor \"ABCDEFGHIJKLM\" by DEL: set white, red, green, blue and gamma"},
        {"a serial number is no name", WithMonitor(TypicalEdid(), dell, 1, 0xFF, "123456\n"),
         "a monitor by DEL: set white, red, green, blue and gamma"},
        {"control bytes and letter 0", WithMonitor(TypicalEdid(), 0x0000, 2, 0xFC, "A\x1b[2J\n"),
         "monitor \"A?[2J\" by ???: set white, red, green, blue and gamma"},
        {"gamma given elsewhere", WithMonitor(BuildEdid({655, 338, 307, 614, 154, 61, 320, 337}, 0xFF), dell, 0, 0xFC, "X\n"),
         "monitor \"X\" by DEL: set white, red, green and blue; gamma kept: the EDID gives none (its gamma byte is FF)"},
    };
    for (const auto& c : cases) {
        Colorimetry colorimetry;
        LoadNotes notes;
        ASSERT_EQ(DecodeEdid(c.edid.data(), c.edid.size(), colorimetry, notes).status, LoadStatus::kApplied) << c.name;
        char text[kLoadAccountSize];
        DescribeLoad(colorimetry, notes, text);
        EXPECT_EQ(std::string(text), c.account) << c.name;
    }
}

// The file loaders hand the companion the same account, and the reason in
// its place for a refusal.
class LoadAccount : public TempDirTest {};

TEST_F(LoadAccount, ComesWithEveryFileLoad) {
    const std::string profile = Write("typical.icc", TypicalDisplayProfile());
    const std::string edid = Write("monitor.bin", WithMonitor(TypicalEdid(), 0x10AC, 0, 0xFC, "DELL U2412M\n"));
    const std::string refused = Write("empty.bin", Bytes{});
    const struct {
        bool is_edid;
        std::string path;
        std::string account;
    } cases[] = {
        {false, profile, "set white, red, green, blue and gamma"},
        {true, edid, "monitor \"DELL U2412M\" by DEL: set white, red, green, blue and gamma"},
        {false, refused, "not an ICC profile: the file is empty"},
        {true, refused, "too short to be an EDID: 0 bytes, fewer than 128"},
    };
    for (const auto& c : cases) {
        Form form;
        const SourceLoad load =
            LoadSourceFile(&form, c.is_edid ? LoadSource::kEdid : LoadSource::kProfile, c.path.c_str());
        EXPECT_EQ(std::string(load.text), c.account) << c.path;
    }
}

}  // namespace
