#include "profile/decode_profile.h"
#include "explain/describe_report.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "colour/balance.h"
#include "form/memory_form.h"
#include "profile_builder.h"
#include "profile_test_form.h"

namespace {

using Expected = std::vector<std::pair<FieldId, const char*>>;

LoadReport Apply(Form& form, const Bytes& bytes) {
    return ApplyProfileBytes(&form, bytes.data(), bytes.size());
}

Bytes WithEntryOffset(Bytes bytes, size_t entry, uint32_t offset) {
    PutU32(bytes, EntryOffsetAt(entry), offset);
    return bytes;
}

Bytes WithTagCount(Bytes bytes, uint32_t count) {
    PutU32(bytes, 128, count);
    return bytes;
}

Bytes Cut(Bytes bytes, size_t size) {
    bytes.resize(size);
    return bytes;
}

Bytes WithFileSignature(Bytes bytes, const char* signature) {
    for (int i = 0; i < 4; ++i) bytes[36 + i] = static_cast<unsigned char>(signature[i]);
    return bytes;
}

// Neither the profile size nor the version is consulted.
Bytes WithOddSizeAndVersion(Bytes bytes) {
    PutU32(bytes, 0, 0xFFFFFFFF);
    PutU32(bytes, 8, 0x7F000000);
    return bytes;
}

struct LoadCase {
    const char* name;
    Bytes profile;
    Expected written;  // other inputs keep their texts; results listed or recalculated
};

void ExpectLoaded(const LoadCase& c) {
    Form form = SentinelForm();
    const Form before = form;
    ASSERT_EQ(Apply(form, c.profile).status, LoadStatus::kApplied) << c.name;
    Form recalculated = form;
    CalcBalance(&recalculated);
    for (FieldId id = kFirstFieldId; id <= kLastFieldId; ++id) {
        std::string expected = FieldText(id < IDC_BAL_RED ? before : recalculated, id);
        for (const auto& w : c.written) {
            if (w.first == id) expected = w.second;
        }
        EXPECT_EQ(FieldText(form, id), expected) << c.name << ", field " << id;
    }
}

TEST(ApplyProfile, WritesWhatTheTagsSayAndRecalculates) {
    const LoadCase cases[] = {
        {"D50 white", BuildProfile({{"wtpt", D50WhiteTag()}}),
         {{IDC_REF_WHITE_X, "0.34570"}, {IDC_REF_WHITE_Y, "0.35854"}}},
        {"red colorant", BuildProfile({{"rXYZ", RedColorantTag()}}),
         {{IDC_RED_X, "0.64845"}, {IDC_RED_Y, "0.33085"}}},
        {"gamma 02 33", BuildProfile({{"gTRC", GammaTag(0x0233)}}), {{IDC_GAMMA, "2.19922"}}},
        {"gamma half 1.765625", BuildProfile({{"gTRC", GammaTag(0x01C4)}}), {{IDC_GAMMA, "1.76563"}}},
        {"gamma half 2.015625", BuildProfile({{"gTRC", GammaTag(0x0204)}}), {{IDC_GAMMA, "2.01563"}}},
        {"identity curve", BuildProfile({{"gTRC", CurveTag(0, {})}}), {}},
        {"sampled curve", BuildProfile({{"gTRC", CurveTag(1024, std::vector<uint16_t>(1024, 7))}}), {}},
        {"tag count 0", BuildProfile({}), {}},
        {"red and blue curves", BuildProfile({{"rTRC", GammaTag(0x0100)}, {"bTRC", GammaTag(0x0300)}}), {}},
        {"parametric curve", BuildProfile({{"gTRC", OpaqueTag("para", 16)}}), {}},
        {"white of curve type", BuildProfile({{"wtpt", GammaTag(0x0100)}}), {}},
        {"gamma of XYZ type", BuildProfile({{"gTRC", D50WhiteTag()}}), {}},
        {"negative s15Fixed16", BuildProfile({{"bXYZ", XyzTag(0xFFFF8000, 0x00010000, 0x00008000)}}),
         {{IDC_BLUE_X, "-0.50000"}, {IDC_BLUE_Y, "1.00000"}}},
        {"later entry wins",
         BuildProfile({{"gXYZ", RedColorantTag()}, {"gXYZ", D50WhiteTag()}, {"gXYZ", GammaTag(1)}}),
         {{IDC_GREEN_X, "0.34570"}, {IDC_GREEN_Y, "0.35854"}}},
        {"all-zero white", BuildProfile({{"wtpt", XyzTag(0, 0, 0)}}),
         {{IDC_REF_WHITE_X, "-1.#IND0"}, {IDC_REF_WHITE_Y, "-1.#IND0"},  // read back as -1.0
          {IDC_BAL_RED, "0.52710"}, {IDC_BAL_GREEN, "1.00000"}, {IDC_BAL_BLUE, "-1.#IND0"}}},
        {"size and version ignored", WithOddSizeAndVersion(BuildProfile({{"rXYZ", RedColorantTag()}})),
         {{IDC_RED_X, "0.64845"}, {IDC_RED_Y, "0.33085"}}},
        {"unused entry pointing past 2^32",
         WithEntryOffset(BuildProfile({{"desc", OpaqueTag("desc", 8)}, {"gTRC", GammaTag(0x0233)}}), 0, 0xFFFFFFFF),
         {{IDC_GAMMA, "2.19922"}}},
    };
    for (const LoadCase& c : cases) ExpectLoaded(c);
}

// The adaptations below: the identity, and one that halves X and doubles Z,
// whose inverse (exact in binary) doubles X and halves Z.
const std::vector<uint32_t> kIdentity = {0x10000, 0, 0, 0, 0x10000, 0, 0, 0, 0x10000};
const std::vector<uint32_t> kHalveXDoubleZ = {0x8000, 0, 0, 0, 0x10000, 0, 0, 0, 0x20000};

TEST(ApplyProfile, UndoesTheStatedAdaptation) {
    // Red undone: (2X, Y, Z/2); white: the D50 illuminant undone likewise.
    const Expected undone = {{IDC_REF_WHITE_X, "0.57722"}, {IDC_REF_WHITE_Y, "0.29932"},
                             {IDC_RED_X, "0.79171"}, {IDC_RED_Y, "0.20197"}};
    const LoadCase cases[] = {
        {"after the colorant", BuildProfile({{"rXYZ", RedColorantTag()}, {"chad", AdaptationTag(kHalveXDoubleZ)}}),
         undone},
        {"before the colorant", BuildProfile({{"chad", AdaptationTag(kHalveXDoubleZ)}, {"rXYZ", RedColorantTag()}}),
         undone},
        {"the later of two counts",
         BuildProfile({{"chad", AdaptationTag(kIdentity)}, {"rXYZ", RedColorantTag()},
                       {"chad", AdaptationTag(kHalveXDoubleZ)}}),
         undone},
        {"identity: the white is the illuminant, wtpt unused",
         BuildProfile({{"wtpt", XyzTag(0x0000F351, 0x00010000, 0x000116CC)}, {"rXYZ", RedColorantTag()},
                       {"chad", AdaptationTag(kIdentity)}}),
         {{IDC_REF_WHITE_X, "0.34570"}, {IDC_REF_WHITE_Y, "0.35854"},
          {IDC_RED_X, "0.64845"}, {IDC_RED_Y, "0.33085"}}},
        {"of another type, skipped", BuildProfile({{"chad", D50WhiteTag()}, {"rXYZ", RedColorantTag()}}),
         {{IDC_RED_X, "0.64845"}, {IDC_RED_Y, "0.33085"}}},
    };
    for (const LoadCase& c : cases) ExpectLoaded(c);
}

// Version 2 colorants that add up to the D50 illuminant with a D65 "wtpt" and
// no "chad": carried back from D50 to the white by the Bradford adaptation.
// The expected texts come from an evaluation of the same formulas outside
// the program; every other case keeps the colorants as stated.
TEST(ApplyProfile, UndoesAnUnrecordedVersion2Adaptation) {
    const Bytes d65 = XyzTag(0x0000F351, 0x00010000, 0x000116CC);
    const Bytes blue_off = XyzTag(0x000024A0, 0x00000F84, 0x0000C6CF);       // sum 0.0076 from D50 in x
    const Bytes near_d50 = XyzTag(0x0000F7D6, 0x00010000, 0x0000D32D);       // 0.0009 from D50 in x
    const Expected white = {{IDC_REF_WHITE_X, "0.31270"}, {IDC_REF_WHITE_Y, "0.32900"}};
    const Expected stated_red = {{IDC_RED_X, "0.64845"}, {IDC_RED_Y, "0.33085"}};
    const Expected stated_green = {{IDC_GREEN_X, "0.32120"}, {IDC_GREEN_Y, "0.59784"}};
    auto with = [](Expected a, const Expected& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    const LoadCase cases[] = {
        {"all conditions met",
         BuildProfile({{"wtpt", d65}, {"rXYZ", RedColorantTag()}, {"gXYZ", GreenColorantTag()},
                       {"bXYZ", BlueColorantTag()}}),
         with(white, {{IDC_RED_X, "0.64002"}, {IDC_RED_Y, "0.32999"}, {IDC_GREEN_X, "0.30002"},
                      {IDC_GREEN_Y, "0.59997"}, {IDC_BLUE_X, "0.14999"}, {IDC_BLUE_Y, "0.05999"}})},
        {"chad recorded: undone instead",
         BuildProfile({{"wtpt", d65}, {"rXYZ", RedColorantTag()}, {"gXYZ", GreenColorantTag()},
                       {"bXYZ", BlueColorantTag()}, {"chad", AdaptationTag(kIdentity)}}),
         with(with({{IDC_REF_WHITE_X, "0.34570"}, {IDC_REF_WHITE_Y, "0.35854"}}, stated_red),
              with(stated_green, {{IDC_BLUE_X, "0.15588"}, {IDC_BLUE_Y, "0.06604"}}))},
        {"blue colorant missing",
         BuildProfile({{"wtpt", d65}, {"rXYZ", RedColorantTag()}, {"gXYZ", GreenColorantTag()}}),
         with(white, with(stated_red, stated_green))},
        {"colorants off D50",
         BuildProfile({{"wtpt", d65}, {"rXYZ", RedColorantTag()}, {"gXYZ", GreenColorantTag()},
                       {"bXYZ", blue_off}}),
         with(with(white, stated_red), with(stated_green, {{IDC_BLUE_X, "0.14595"}, {IDC_BLUE_Y, "0.06183"}}))},
        {"white within 0.001 of D50",
         BuildProfile({{"wtpt", near_d50}, {"rXYZ", RedColorantTag()}, {"gXYZ", GreenColorantTag()},
                       {"bXYZ", BlueColorantTag()}}),
         with(with({{IDC_REF_WHITE_X, "0.34662"}, {IDC_REF_WHITE_Y, "0.35804"}}, stated_red),
              with(stated_green, {{IDC_BLUE_X, "0.15588"}, {IDC_BLUE_Y, "0.06604"}}))},
    };
    for (const LoadCase& c : cases) ExpectLoaded(c);
}

struct RefusalCase {
    const char* name;
    Bytes profile;
    LoadStatus status;
};

TEST(ApplyProfile, RefusesWithoutChangingAnything) {
    const Bytes white = BuildProfile({{"wtpt", D50WhiteTag()}});
    const Bytes gamma = BuildProfile({{"gTRC", GammaTag(0x0233)}});
    const RefusalCase cases[] = {
        {"printer", BuildProfile({}, "prtr"), LoadStatus::kNotDisplayClass},
        {"scanner", BuildProfile({}, "scnr"), LoadStatus::kNotDisplayClass},
        {"class in capitals", BuildProfile({}, "MNTR"), LoadStatus::kNotDisplayClass},
        {"class capitalised", BuildProfile({}, "Mntr"), LoadStatus::kNotDisplayClass},
        {"grey", BuildProfile({}, "mntr", "GRAY"), LoadStatus::kNotRgbSpace},
        {"CMYK", BuildProfile({}, "mntr", "CMYK"), LoadStatus::kNotRgbSpace},
        {"RGB without blank", BuildProfile({}, "mntr", std::string("RGB\0", 4)), LoadStatus::kNotRgbSpace},
        {"Lab connection", BuildProfile({}, "mntr", "RGB ", "Lab "), LoadStatus::kNotXyzConnection},
        {"no acsp", WithFileSignature(white, "ACSP"), LoadStatus::kNotIcc},
        {"empty", Bytes{}, LoadStatus::kTruncatedHeader},
        {"39 bytes", Cut(white, 39), LoadStatus::kTruncatedHeader},
        {"no tag count", Cut(white, 131), LoadStatus::kTruncatedHeader},
        {"tag count 2^32 - 1", WithTagCount(white, 0xFFFFFFFF), LoadStatus::kTruncatedTable},
        {"tag count a table too many", WithTagCount(white, 5), LoadStatus::kTruncatedTable},
        {"offset 2^32 - 1", WithEntryOffset(white, 0, 0xFFFFFFFF), LoadStatus::kTruncatedTag},
        {"offset 2^32 - 4", WithEntryOffset(white, 0, 0xFFFFFFFC), LoadStatus::kTruncatedTag},
        {"XYZ ending at 2^32", WithEntryOffset(white, 0, 0xFFFFFFEC), LoadStatus::kTruncatedTag},
        {"XYZ one byte short", Cut(white, white.size() - 1), LoadStatus::kTruncatedTag},
        {"gamma one byte short", Cut(gamma, 132 + 12 + 13), LoadStatus::kTruncatedTag},
        {"curve count short", Cut(gamma, 132 + 12 + 11), LoadStatus::kTruncatedTag},
        {"adaptation one byte short",
         Cut(BuildProfile({{"chad", AdaptationTag(kIdentity)}}), 132 + 12 + 43), LoadStatus::kTruncatedTag},
        {"good white, then a red past the end",
         WithEntryOffset(BuildProfile({{"wtpt", D50WhiteTag()}, {"rXYZ", RedColorantTag()}}), 1, 0x10000),
         LoadStatus::kTruncatedTag},
    };
    for (const RefusalCase& c : cases) {
        Form form = SentinelForm();
        const Form before = form;
        EXPECT_EQ(Apply(form, c.profile).status, c.status) << c.name;
        ExpectUnchanged(form, before, c.name);
    }
}

// Cutting a complete profile anywhere before the end of its last tag that
// the reader uses refuses it; anywhere after, it loads as the whole file.
TEST(ApplyProfile, EveryCutBeforeTheLastUsedByteRefuses) {
    const Bytes whole = TypicalDisplayProfile();
    const size_t used_end = 132 + 6 * 12 + 4 * 20 + 14;
    Form loaded = SentinelForm();
    ASSERT_EQ(Apply(loaded, whole).status, LoadStatus::kApplied);
    for (size_t size = 0; size < whole.size(); ++size) {
        Form form = SentinelForm();
        const Form before = form;
        Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
        LoadStatus status = Apply(form, cut).status;
        if (size < used_end) {
            EXPECT_NE(status, LoadStatus::kApplied) << size;
            ExpectUnchanged(form, before, std::to_string(size).c_str());
        } else {
            EXPECT_EQ(status, LoadStatus::kApplied) << size;
            ExpectUnchanged(form, loaded, std::to_string(size).c_str());
        }
    }
}

TEST(ApplyProfile, DescribesARefusalInOneLine) {
    const struct {
        LoadReport report;
        const char* text;
    } cases[] = {
        {{LoadStatus::kNotDisplayClass, 0x70727472, 0, 0, 0}, "not a display profile: device class \"prtr\""},
        {{LoadStatus::kNotRgbSpace, 0x47524159, 0, 0, 0}, "colour space not RGB: \"GRAY\""},
        {{LoadStatus::kNotXyzConnection, 0x4C616200, 0, 0, 0}, "connection space not XYZ: \"Lab\\x00\""},
        {{LoadStatus::kTruncatedTag, 0x7258595A, 0, 0, 0},
         "truncated or damaged: the data of tag \"rXYZ\" runs past the end"},
        {{LoadStatus::kNotIcc, 0, 0, 0, 0}, "not an ICC profile"},
        {{LoadStatus::kCannotOpen, 0, 0, 0, 0}, "cannot be opened"},
    };
    for (const auto& c : cases) {
        char text[kLoadReasonSize];
        DescribeLoadReport(LoadSource::kProfile, c.report, text);
        EXPECT_STREQ(text, c.text);
    }
}

}  // namespace
