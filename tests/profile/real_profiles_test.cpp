// Every file under the system's ICC folder, read by the reader and by lcms2:
// the RGB display profiles with an XYZ connection space must load and show
// the chromaticities of lcms2's reading of the same tags, to the five
// decimals written; every other file must be refused.
#include <gtest/gtest.h>
#include <lcms2.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "form/memory_form.h"
#include "form/number_text.h"
#include "profile/apply_profile.h"
#include "profile_test_form.h"

namespace {

namespace fs = std::filesystem;

const char kIccFolder[] = "/usr/share/color/icc";

std::vector<unsigned char> ReadWhole(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string FieldTextOf(double value) {
    char text[kFieldBufferSize];
    FormatFieldNumber(value, text);
    return text;
}

// lcms2's colorant or white, as the two texts the form should show.
void ExpectChromaticity(cmsHPROFILE lcms, cmsTagSignature tag, const Form& form, FieldId x_field,
                        const std::string& name) {
    const auto* xyz = static_cast<const cmsCIEXYZ*>(cmsReadTag(lcms, tag));
    if (xyz == nullptr) return;  // absent or of another type: the field keeps its text
    double sum = xyz->X + xyz->Y + xyz->Z;
    EXPECT_EQ(FieldText(form, x_field), FieldTextOf(xyz->X / sum)) << name << " field " << x_field;
    EXPECT_EQ(FieldText(form, x_field + 1), FieldTextOf(xyz->Y / sum)) << name << " field " << x_field + 1;
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
    std::error_code error;
    for (const auto& entry : fs::recursive_directory_iterator(kIccFolder, error)) {
        if (!entry.is_regular_file()) continue;
        const std::string name = entry.path().string();
        std::vector<unsigned char> bytes = ReadWhole(entry.path());
        cmsHPROFILE lcms = cmsOpenProfileFromMem(bytes.data(), static_cast<cmsUInt32Number>(bytes.size()));
        bool display = lcms != nullptr && cmsGetDeviceClass(lcms) == cmsSigDisplayClass &&
                       cmsGetColorSpace(lcms) == cmsSigRgbData && cmsGetPCS(lcms) == cmsSigXYZData;
        Form form = SentinelForm();
        const Form before = form;
        ProfileStatus status = ApplyProfileBytes(&form, bytes.data(), bytes.size()).status;
        if (display) {
            ++loaded;
            EXPECT_EQ(status, ProfileStatus::kApplied) << name;
            ExpectChromaticity(lcms, cmsSigMediaWhitePointTag, form, IDC_REF_WHITE_X, name);
            ExpectChromaticity(lcms, cmsSigRedColorantTag, form, IDC_RED_X, name);
            ExpectChromaticity(lcms, cmsSigGreenColorantTag, form, IDC_GREEN_X, name);
            ExpectChromaticity(lcms, cmsSigBlueColorantTag, form, IDC_BLUE_X, name);
            std::string gamma = FieldText(before, IDC_GAMMA);
            if (IsSingleGammaCurve(lcms)) {
                const auto* curve = static_cast<const cmsToneCurve*>(cmsReadTag(lcms, cmsSigGreenTRCTag));
                ASSERT_NE(curve, nullptr) << name;
                gamma = FieldTextOf(cmsGetToneCurveParams(curve)[0]);
            }
            EXPECT_EQ(FieldText(form, IDC_GAMMA), gamma) << name;
        } else {
            ++refused;
            EXPECT_NE(status, ProfileStatus::kApplied) << name;
            ExpectUnchanged(form, before, name.c_str());
        }
        if (lcms != nullptr) cmsCloseProfile(lcms);
    }
    // colord-data alone brings over twenty RGB display profiles, and
    // icc-profiles-free its grey, Lab and abstract ones.
    EXPECT_GE(loaded, 20);
    EXPECT_GE(refused, 5);
    std::printf("%d display profiles loaded, %d other files refused\n", loaded, refused);
}

}  // namespace
