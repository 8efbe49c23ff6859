// Which profiles give the display's own curves, and in what form: a table
// per channel, normalised at full signal, or none where the three curves are
// the gamma's power law; and the dialog's load never reads them.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "explain/result_account.h"
#include "form/memory_form.h"
#include "profile/decode_profile.h"
#include "profile_builder.h"

namespace {

// A para element: the formula's number and its raw s15Fixed16 parameters.
Bytes ParaTag(uint16_t function, const std::vector<uint32_t>& params) {
    Bytes data;
    AppendText(data, "para");
    AppendU32(data, 0);
    AppendU16(data, function);
    AppendU16(data, 0);
    for (uint32_t p : params) AppendU32(data, p);
    return data;
}

Bytes WithCurves(const Bytes& red, const Bytes& green, const Bytes& blue) {
    return BuildProfile({{"wtpt", D50WhiteTag()}, {"rXYZ", RedColorantTag()}, {"gXYZ", GreenColorantTag()},
                         {"bXYZ", BlueColorantTag()}, {"rTRC", red}, {"gTRC", green}, {"bTRC", blue}});
}

struct ResponseCase {
    const char* name;
    Bytes profile;
    ResponseKind kind;
    int channel;       // the channel checked: the one that falls, or one to evaluate
    double at_half;    // its normalised value at signal 0.5, for kCurves
};

TEST(DecodeProfile, GivesTheChannelsOwnCurves) {
    const Bytes g22 = GammaTag(0x0233);
    const ResponseCase cases[] = {
        {"three single gammas equal to the gamma", WithCurves(g22, g22, g22), ResponseKind::kPowerLaw, 0, 0},
        {"the same power law as a formula", WithCurves(ParaTag(0, {0x00023333}), g22, g22), ResponseKind::kCurves, 0,
         std::pow(0.5, 0x23333 / 65536.0)},
        {"red's own gamma", WithCurves(GammaTag(0x0266), g22, g22), ResponseKind::kCurves, 0, std::pow(0.5, 2.3984375)},
        {"a table ending below full", WithCurves(g22, CurveTag(3, {0, 16384, 32768}), g22), ResponseKind::kCurves, 1, 0.5},
        {"the identity", WithCurves(g22, g22, CurveTag(0, {})), ResponseKind::kCurves, 2, 0.5},
        {"sRGB's formula", WithCurves(g22, g22, ParaTag(3, {0x00026666, 0x0000F2A7, 0x00000D59, 0x000013D0, 0x00000A5B})),
         ResponseKind::kCurves, 2, 0.214045},
        {"a table that falls", WithCurves(g22, CurveTag(4, {0, 40000, 30000, 65535}), g22), ResponseKind::kNotInvertible, 1, 0},
        {"a table that ends dark", WithCurves(CurveTag(2, {0, 0}), g22, g22), ResponseKind::kNotInvertible, 0, 0},
        {"no blue curve", BuildProfile({{"rTRC", GammaTag(0x0266)}, {"gTRC", g22}}), ResponseKind::kPowerLaw, 0, 0},
        {"a blue curve past the end", WithCurves(GammaTag(0x0266), g22, CurveTag(4096, {0, 1})), ResponseKind::kPowerLaw, 0, 0},
    };
    for (const ResponseCase& c : cases) {
        Colorimetry colorimetry;
        LoadNotes notes;
        ASSERT_EQ(DecodeProfile(c.profile.data(), c.profile.size(), colorimetry, notes).status, LoadStatus::kApplied) << c.name;
        const DisplayResponse& response = colorimetry.response;
        EXPECT_EQ(response.kind, c.kind) << c.name;
        if (c.kind == ResponseKind::kNotInvertible) {
            EXPECT_EQ(response.channel, c.channel) << c.name;
        } else if (c.kind == ResponseKind::kCurves) {
            EXPECT_NEAR(EvaluateCurve(response.curves.channel[c.channel], 0.5), c.at_half, 2e-5) << c.name;
            EXPECT_FLOAT_EQ(EvaluateCurve(response.curves.channel[c.channel], 1.0), 1.0f) << c.name;
        }
        // The dialog's load leaves them out.
        ASSERT_EQ(DecodeProfile(c.profile.data(), c.profile.size(), colorimetry).status, LoadStatus::kApplied);
        EXPECT_EQ(colorimetry.response.kind, ResponseKind::kPowerLaw) << c.name;
    }
}

// A curve that cannot be inverted leaves the settings on the ratios, and
// the account says why.
TEST(MakeAccount, FallsBackToTheRatiosWhereACurveFalls) {
    const Bytes profile = WithCurves(GammaTag(0x0233), CurveTag(4, {0, 40000, 30000, 65535}), GammaTag(0x0233));
    Form form;
    StartForm(&form);
    Colorimetry colorimetry;
    LoadNotes notes;
    ASSERT_EQ(DecodeProfile(profile.data(), profile.size(), colorimetry, notes).status, LoadStatus::kApplied);
    ApplyColorimetry(&form, colorimetry);
    SetFieldText(&form, IDC_TARGET_WHITE_X, "0.4");
    CalcBalance(&form);
    const Account account = MakeAccount(&form, {true, {100, 100, 100}, 100}, colorimetry.response);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(account.levels[k], account.results.v[k]) << k;
    EXPECT_EQ(account.ratios_miss_delta_uv, 0.0);
    char text[kAccountTextSize];
    ComposeAccount({true, {100, 100, 100}, 100}, account, text);
    EXPECT_NE(std::string(text).find("from the ratios alone: the profile's green curve cannot be inverted"),
              std::string::npos) << text;
}

}  // namespace
