// The written profile as Little CMS reads it: its "vcgt" as three curves
// ending at the New Balance, its white, adaptation and colorants as written,
// and a transform to sRGB that keeps white white.
#include <gtest/gtest.h>
#include <lcms2.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "calibration/write_calibration.h"
#include "calibration_cases.h"

namespace {

int g_lcmsErrors = 0;

void CountError(cmsContext, cmsUInt32Number, const char* text) {
    ++g_lcmsErrors;
    ADD_FAILURE() << "lcms2: " << text;
}

// One s15Fixed16Number's step either way of the value written.
constexpr double kFixedStep = 1.0 / 65536;

void ExpectXyz(cmsHPROFILE lcms, cmsTagSignature tag, const Vector3& written, const std::string& name) {
    const auto* xyz = static_cast<const cmsCIEXYZ*>(cmsReadTag(lcms, tag));
    ASSERT_NE(xyz, nullptr) << name;
    EXPECT_NEAR(xyz->X, written.v[0], kFixedStep) << name;
    EXPECT_NEAR(xyz->Y, written.v[1], kFixedStep) << name;
    EXPECT_NEAR(xyz->Z, written.v[2], kFixedStep) << name;
}

TEST(CalibrationLcms, Lcms2ReadsTheProfileAsWritten) {
    cmsSetLogErrorHandler(CountError);
    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    for (const auto& d : kDisplays) {
        Form form = FormWith(d.inputs);
        static unsigned char bytes[kProfileBufferSize];
        size_t size = 0;
        ASSERT_EQ(WriteDisplayProfile(&form, {2023, 11, 14, 22, 13, 20}, bytes, size).status,
                  CalibrationStatus::kReady);
        Calibration written;
        ASSERT_EQ(ReadCalibration(&form, written).status, CalibrationStatus::kReady);

        cmsHPROFILE lcms = cmsOpenProfileFromMem(bytes, static_cast<cmsUInt32Number>(size));
        ASSERT_NE(lcms, nullptr) << d.name;
        const auto* curves = static_cast<cmsToneCurve* const*>(cmsReadTag(lcms, cmsSigVcgtTag));
        ASSERT_NE(curves, nullptr) << d.name;
        for (int c = 0; c < 3; ++c) {
            const double ratio = std::atof(FieldText(form, IDC_BAL_RED + c).c_str());
            EXPECT_NEAR(cmsEvalToneCurveFloat(curves[c], 1.0f), ratio, 1.0 / 65535) << d.name << " channel " << c;
            EXPECT_EQ(cmsEvalToneCurveFloat(curves[c], 0.0f), 0.0f) << d.name << " channel " << c;
        }
        ExpectXyz(lcms, cmsSigMediaWhitePointTag, written.white, std::string(d.name) + " wtpt");
        const cmsTagSignature colorants[] = {cmsSigRedColorantTag, cmsSigGreenColorantTag, cmsSigBlueColorantTag};
        for (int c = 0; c < 3; ++c) ExpectXyz(lcms, colorants[c], written.colorant[c], std::string(d.name) + " colorant");
        const auto* chad = static_cast<const double*>(cmsReadTag(lcms, cmsSigChromaticAdaptationTag));
        ASSERT_NE(chad, nullptr) << d.name;
        for (int i = 0; i < 9; ++i) EXPECT_NEAR(chad[i], written.adaptation.m[i], kFixedStep) << d.name << " chad " << i;

        // The colorants add up to D50 once adapted, so full drive is white in
        // sRGB too. In doubles: lcms2 forces white onto white in 16-bit transforms.
        cmsHTRANSFORM to_srgb = cmsCreateTransform(lcms, TYPE_RGB_DBL, srgb, TYPE_RGB_DBL, INTENT_RELATIVE_COLORIMETRIC, 0);
        ASSERT_NE(to_srgb, nullptr) << d.name;
        const double white[3] = {1.0, 1.0, 1.0};
        double shown[3] = {0.0, 0.0, 0.0};
        cmsDoTransform(to_srgb, white, shown, 1);
        for (int c = 0; c < 3; ++c) EXPECT_NEAR(shown[c], 1.0, 0.001) << d.name << " channel " << c;
        std::printf("%-36s vcgt at 1.0: %.5f %.5f %.5f; white in sRGB: %.5f %.5f %.5f\n", d.name,
                    cmsEvalToneCurveFloat(curves[0], 1.0f), cmsEvalToneCurveFloat(curves[1], 1.0f),
                    cmsEvalToneCurveFloat(curves[2], 1.0f), shown[0], shown[1], shown[2]);
        cmsDeleteTransform(to_srgb);
        cmsCloseProfile(lcms);
    }
    cmsCloseProfile(srgb);
    EXPECT_EQ(g_lcmsErrors, 0);
}

}  // namespace
