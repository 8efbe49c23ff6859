// Every file under the system's ICC folder, read by the reader and by lcms2:
// the RGB display profiles with an XYZ connection space must load and show
// the chromaticities of lcms2's reading of the same tags, to the five
// decimals written; every other file must be refused.
#include <gtest/gtest.h>
#include <lcms2.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "colour/matrix.h"
#include "form/memory_form.h"
#include "form/number_text.h"
#include "profile/decode_profile.h"
#include "profile_test_form.h"

namespace {

namespace fs = std::filesystem;

const char kIccFolder[] = "/usr/share/color/icc";
// ArgyllCMS's reference colour spaces, many of them version 2 profiles that
// leave their adaptation to D50 unrecorded.
const char kArgyllFolder[] = "/usr/share/color/argyll/ref";

std::vector<unsigned char> ReadWhole(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string FieldTextOf(double value) {
    char text[kFieldBufferSize];
    FormatFieldNumber(value, text);
    return text;
}

double S15Fixed16At(const std::vector<unsigned char>& bytes, size_t at) {
    auto raw = static_cast<int32_t>(static_cast<uint32_t>(bytes[at]) << 24 | bytes[at + 1] << 16 |
                                    bytes[at + 2] << 8 | bytes[at + 3]);
    return raw / 65536.0;
}

// What the form should show for a white or colorant that lcms2 reads: where
// the profile records a chromatic adaptation, undone, and for the white the
// header's illuminant undone instead of the tag. Where a version 2 profile
// leaves it unrecorded (colorants adding up to the illuminant, a white apart
// from it), lcms2's own Bradford adaptation from the illuminant to the white.
struct Adaptation {
    bool present;
    bool unrecorded;
    Matrix3 undo;
    Vector3 illuminant;
    cmsCIEXYZ media_white;
};

double ChromaticityX(const cmsCIEXYZ& c) { return c.X / (c.X + c.Y + c.Z); }
double ChromaticityY(const cmsCIEXYZ& c) { return c.Y / (c.X + c.Y + c.Z); }

bool LeavesAdaptationUnrecorded(cmsHPROFILE lcms, const cmsCIEXYZ& illuminant) {
    const auto* white = static_cast<const cmsCIEXYZ*>(cmsReadTag(lcms, cmsSigMediaWhitePointTag));
    const auto* r = static_cast<const cmsCIEXYZ*>(cmsReadTag(lcms, cmsSigRedColorantTag));
    const auto* g = static_cast<const cmsCIEXYZ*>(cmsReadTag(lcms, cmsSigGreenColorantTag));
    const auto* b = static_cast<const cmsCIEXYZ*>(cmsReadTag(lcms, cmsSigBlueColorantTag));
    if (!white || !r || !g || !b) return false;
    const cmsCIEXYZ sum = {r->X + g->X + b->X, r->Y + g->Y + b->Y, r->Z + g->Z + b->Z};
    return std::fabs(ChromaticityX(sum) - ChromaticityX(illuminant)) <= 0.002 &&
           std::fabs(ChromaticityY(sum) - ChromaticityY(illuminant)) <= 0.002 &&
           (std::fabs(ChromaticityX(*white) - ChromaticityX(illuminant)) > 0.001 ||
            std::fabs(ChromaticityY(*white) - ChromaticityY(illuminant)) > 0.001);
}

Adaptation ReadAdaptation(cmsHPROFILE lcms, const std::vector<unsigned char>& bytes) {
    Adaptation a{};
    for (int i = 0; i < 3; ++i) a.illuminant.v[i] = S15Fixed16At(bytes, 68 + 4 * i);
    const auto* chad = static_cast<const double*>(cmsReadTag(lcms, cmsSigChromaticAdaptationTag));
    if (chad == nullptr) {
        const cmsCIEXYZ illuminant = {a.illuminant.v[0], a.illuminant.v[1], a.illuminant.v[2]};
        a.unrecorded = LeavesAdaptationUnrecorded(lcms, illuminant);
        if (a.unrecorded) a.media_white = *static_cast<const cmsCIEXYZ*>(cmsReadTag(lcms, cmsSigMediaWhitePointTag));
        return a;
    }
    a.present = true;
    Matrix3 stated;
    std::copy(chad, chad + 9, stated.m);
    MatInvert(stated, a.undo);
    return a;
}

// lcms2 computes the adaptation its own way, so its chromaticity may differ
// from the written text by one unit of the fifth decimal; a colorant of all
// zeros has none in either.
void ExpectNearText(const Form& form, FieldId id, double expected, const std::string& name) {
    if (std::isnan(expected)) {
        EXPECT_EQ(FieldText(form, id), "-1.#IND0") << name << " field " << id;
    } else {
        EXPECT_NEAR(std::atof(FieldText(form, id).c_str()), expected, 1.000001e-5) << name << " field " << id;
    }
}

void ExpectLcms2Adaptation(const cmsCIEXYZ& stated, const Adaptation& adaptation, const Form& form,
                           FieldId x_field, const std::string& name) {
    const cmsCIEXYZ illuminant = {adaptation.illuminant.v[0], adaptation.illuminant.v[1], adaptation.illuminant.v[2]};
    cmsCIEXYZ adapted;
    ASSERT_TRUE(cmsAdaptToIlluminant(&adapted, &illuminant, &adaptation.media_white, &stated)) << name;
    ExpectNearText(form, x_field, ChromaticityX(adapted), name);
    ExpectNearText(form, x_field + 1, ChromaticityY(adapted), name);
}

void ExpectChromaticity(cmsHPROFILE lcms, cmsTagSignature tag, const Adaptation& adaptation,
                        const Form& form, FieldId x_field, const std::string& name) {
    Vector3 xyz;
    if (adaptation.present && tag == cmsSigMediaWhitePointTag) {
        MatMulVec(adaptation.undo, adaptation.illuminant, xyz);
    } else {
        const auto* read = static_cast<const cmsCIEXYZ*>(cmsReadTag(lcms, tag));
        if (read == nullptr) return;  // absent or of another type: the field keeps its text
        const Vector3 stated = {{read->X, read->Y, read->Z}};
        if (adaptation.unrecorded && tag != cmsSigMediaWhitePointTag) {
            ExpectLcms2Adaptation(*read, adaptation, form, x_field, name);
            return;
        }
        if (adaptation.present) {
            MatMulVec(adaptation.undo, stated, xyz);
        } else {
            xyz = stated;
        }
    }
    double sum = xyz.v[0] + xyz.v[1] + xyz.v[2];
    EXPECT_EQ(FieldText(form, x_field), FieldTextOf(xyz.v[0] / sum)) << name << " field " << x_field;
    EXPECT_EQ(FieldText(form, x_field + 1), FieldTextOf(xyz.v[1] / sum)) << name << " field " << x_field + 1;
}

// lcms2 turns a one-entry "curv" into a gamma curve; other curve types are
// no single gamma here, so the raw type and count decide which is which.
bool IsSingleGammaCurve(cmsHPROFILE lcms) {
    unsigned char head[12];
    if (cmsReadRawTag(lcms, cmsSigGreenTRCTag, head, sizeof head) != sizeof head) return false;
    return std::memcmp(head, "curv", 4) == 0 && head[8] == 0 && head[9] == 0 && head[10] == 0 && head[11] == 1;
}

TEST(RealProfiles, DisplayProfilesReadAsLcms2ReadsThemAndOthersAreRefused) {
    int loaded = 0;
    int refused = 0;
    int unrecorded = 0;
    std::error_code error;
    for (const char* folder : {kIccFolder, kArgyllFolder})
    for (const auto& entry : fs::recursive_directory_iterator(folder, error)) {
        if (!entry.is_regular_file()) continue;
        const std::string name = entry.path().string();
        std::vector<unsigned char> bytes = ReadWhole(entry.path());
        cmsHPROFILE lcms = cmsOpenProfileFromMem(bytes.data(), static_cast<cmsUInt32Number>(bytes.size()));
        bool display = lcms != nullptr && cmsGetDeviceClass(lcms) == cmsSigDisplayClass &&
                       cmsGetColorSpace(lcms) == cmsSigRgbData && cmsGetPCS(lcms) == cmsSigXYZData;
        Form form = SentinelForm();
        const Form before = form;
        LoadStatus status = ApplyProfileBytes(&form, bytes.data(), bytes.size()).status;
        if (display) {
            ++loaded;
            EXPECT_EQ(status, LoadStatus::kApplied) << name;
            const Adaptation adaptation = ReadAdaptation(lcms, bytes);
            unrecorded += adaptation.unrecorded ? 1 : 0;
            ExpectChromaticity(lcms, cmsSigMediaWhitePointTag, adaptation, form, IDC_REF_WHITE_X, name);
            ExpectChromaticity(lcms, cmsSigRedColorantTag, adaptation, form, IDC_RED_X, name);
            ExpectChromaticity(lcms, cmsSigGreenColorantTag, adaptation, form, IDC_GREEN_X, name);
            ExpectChromaticity(lcms, cmsSigBlueColorantTag, adaptation, form, IDC_BLUE_X, name);
            std::string gamma = FieldText(before, IDC_GAMMA);
            if (IsSingleGammaCurve(lcms)) {
                const auto* curve = static_cast<const cmsToneCurve*>(cmsReadTag(lcms, cmsSigGreenTRCTag));
                ASSERT_NE(curve, nullptr) << name;
                gamma = FieldTextOf(cmsGetToneCurveParams(curve)[0]);
            }
            EXPECT_EQ(FieldText(form, IDC_GAMMA), gamma) << name;
        } else {
            ++refused;
            EXPECT_NE(status, LoadStatus::kApplied) << name;
            ExpectUnchanged(form, before, name.c_str());
        }
        if (lcms != nullptr) cmsCloseProfile(lcms);
    }
    // colord-data alone brings over twenty RGB display profiles, and
    // icc-profiles-free its grey, Lab and abstract ones.
    EXPECT_GE(loaded, 20);
    EXPECT_GE(refused, 5);
    // Among them sRGB.icc, which leaves its adaptation unrecorded.
    EXPECT_GE(unrecorded, 1);
    std::printf("%d display profiles loaded (%d with an unrecorded adaptation), %d other files refused\n", loaded,
                unrecorded, refused);
}

// Colour spaces with a published white and primaries: a D65 one loaded
// against the default D65 target needs (almost) no correction, and its
// primaries are the published ones; a D50 one keeps its D50 white.
TEST(RealProfiles, AdaptedProfilesShowTheirOwnColourSpace) {
    const struct {
        const char* file;
        double white[2], red[2], green[2], blue[2];
    } cases[] = {
        {"colord/sRGB.icc", {0.3127, 0.3290}, {0.64, 0.33}, {0.30, 0.60}, {0.15, 0.06}},
        {"colord/Rec709.icc", {0.3127, 0.3290}, {0.64, 0.33}, {0.30, 0.60}, {0.15, 0.06}},
        {"colord/AdobeRGB1998.icc", {0.3127, 0.3290}, {0.64, 0.33}, {0.21, 0.71}, {0.15, 0.06}},
        {"colord/AppleRGB.icc", {0.3127, 0.3290}, {0.625, 0.34}, {0.28, 0.595}, {0.155, 0.07}},
        {"colord/BruceRGB.icc", {0.3127, 0.3290}, {0.64, 0.33}, {0.28, 0.65}, {0.15, 0.06}},
        {"colord/PAL-RGB.icc", {0.3127, 0.3290}, {0.64, 0.33}, {0.29, 0.60}, {0.15, 0.06}},
        {"colord/ProPhotoRGB.icc", {0.3457, 0.3585}, {0.7347, 0.2653}, {0.1596, 0.8404}, {0.0366, 0.0001}},
    };
    for (const auto& c : cases) {
        const std::string path = std::string(kIccFolder) + "/" + c.file;
        std::vector<unsigned char> bytes = ReadWhole(path);
        Form form = SentinelForm();
        ASSERT_EQ(ApplyProfileBytes(&form, bytes.data(), bytes.size()).status, LoadStatus::kApplied) << path;
        const double* published[] = {c.white, c.red, c.green, c.blue};
        for (int k = 0; k < 4; ++k) {
            for (int i = 0; i < 2; ++i) {
                const FieldId id = IDC_REF_WHITE_X + 2 * k + i;
                EXPECT_NEAR(std::atof(FieldText(form, id).c_str()), published[k][i], 0.0002) << path << " " << id;
            }
        }
        const bool d65 = c.white[0] == 0.3127;
        for (FieldId id = IDC_BAL_RED; d65 && id <= IDC_BAL_BLUE; ++id) {
            EXPECT_NEAR(std::atof(FieldText(form, id).c_str()), 1.0, 0.001) << path << " " << id;
        }
    }
}

}  // namespace
