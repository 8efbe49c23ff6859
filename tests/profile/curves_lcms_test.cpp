// Settings and calibration built through a display's own curves, checked by
// Little CMS: profiles it builds with a table, the sRGB formula and a curve
// with a black offset, its own reading of their curves and of the written
// "vcgt" and curves, and ArgyllCMS's iccdump reading the written profile.
#include <gtest/gtest.h>
#include <lcms2.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "calibration/write_calibration.h"
#include "colour/balance.h"
#include "colour/temperature.h"
#include "explain/load_file.h"
#include "explain/result_account.h"
#include "form/memory_form.h"
#include "temp_dir_test.h"

namespace {

int g_lcmsErrors = 0;

void CountError(cmsContext, cmsUInt32Number, const char* text) {
    ++g_lcmsErrors;
    ADD_FAILURE() << "lcms2: " << text;
}

using Bytes = std::vector<unsigned char>;
using CurveMaker = cmsToneCurve* (*)(int channel);

// 256 entries of a power law per channel, red's ending below full scale as
// some measured tables do.
cmsToneCurve* TableCurve(int channel) {
    const double gamma[3] = {2.0, 2.2, 2.6};
    const double top[3] = {0.95, 1.0, 1.0};
    cmsUInt16Number entries[256];
    for (int i = 0; i < 256; ++i) entries[i] = static_cast<cmsUInt16Number>(std::lround(65535 * top[channel] * std::pow(i / 255.0, gamma[channel])));
    return cmsBuildTabulatedToneCurve16(nullptr, 256, entries);
}

cmsToneCurve* SrgbCurve(int) {
    const double p[5] = {2.4, 1 / 1.055, 0.055 / 1.055, 1 / 12.92, 0.04045};
    return cmsBuildParametricToneCurve(nullptr, 4, p);
}

// (0.99 x + 0.01)^2.4 + 0.005: black at about 0.5 % of white.
cmsToneCurve* BlackOffsetCurve(int) {
    const double p[4] = {2.4, 0.99, 0.01, 0.005};
    return cmsBuildParametricToneCurve(nullptr, 2, p);
}

// An sRGB-primaried display at D65 with the given curves, as a version 4
// profile of Little CMS's making.
Bytes BuildReference(CurveMaker make) {
    const cmsCIExyY white = {0.3127, 0.3290, 1.0};
    const cmsCIExyYTRIPLE primaries = {{0.64, 0.33, 1.0}, {0.30, 0.60, 1.0}, {0.15, 0.06, 1.0}};
    cmsToneCurve* curves[3] = {make(0), make(1), make(2)};
    cmsHPROFILE profile = cmsCreateRGBProfile(&white, &primaries, curves);
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(profile, nullptr, &size);
    Bytes bytes(size);
    cmsSaveProfileToMem(profile, bytes.data(), &size);
    cmsCloseProfile(profile);
    for (cmsToneCurve* curve : curves) cmsFreeToneCurve(curve);
    return bytes;
}

// The three curves of a profile as Little CMS reads them.
struct LcmsCurves {
    cmsHPROFILE profile;
    const cmsToneCurve* channel[3];
    double Light(int c, double s) const {
        return cmsEvalToneCurveFloat(channel[c], static_cast<cmsFloat32Number>(s)) /
               cmsEvalToneCurveFloat(channel[c], 1.0f);
    }
};

LcmsCurves OpenCurves(const unsigned char* bytes, size_t size) {
    LcmsCurves out = {cmsOpenProfileFromMem(bytes, static_cast<cmsUInt32Number>(size)), {}};
    const cmsTagSignature tags[3] = {cmsSigRedTRCTag, cmsSigGreenTRCTag, cmsSigBlueTRCTag};
    for (int c = 0; c < 3; ++c) out.channel[c] = static_cast<const cmsToneCurve*>(cmsReadTag(out.profile, tags[c]));
    return out;
}

// Where light (each channel's share of its full drive) shows through the
// display's matrix, and how far that is from the target.
double MissTarget(const Matrix3& normalised, const double (&light)[3], Chromaticity target, double& luminance) {
    Vector3 xyz = {{0, 0, 0}};
    for (int c = 0; c < 3; ++c) {
        for (int i = 0; i < 3; ++i) xyz.v[i] += normalised.m[3 * c + i] * light[c];
    }
    Chromaticity shown;
    XyzToChromaticity(xyz, shown.x, shown.y);
    luminance = xyz.v[1];
    return CalcDeltaUvPrime(shown, target);
}

std::string RunIccdump(const std::string& path) {
    std::string output;
    std::FILE* pipe = popen((std::string(TINTMEND_ICCDUMP) + " -v 3 '" + path + "' 2>&1").c_str(), "r");
    char line[512];
    while (pipe != nullptr && std::fgets(line, sizeof line, pipe) != nullptr) output += line;
    if (pipe != nullptr) {
        EXPECT_EQ(pclose(pipe), 0) << output;
    }
    return output;
}

struct CurvesCase {
    const char* name;
    CurveMaker make;
};

const CurvesCase kReferences[] = {
    {"a table per channel", TableCurve},
    {"the sRGB formula", SrgbCurve},
    {"a black offset", BlackOffsetCurve},
};

const Chromaticity kTargets[] = {{0.34567, 0.35850}, {0.45986, 0.41060}};  // D50, 2700 K on the blackbody locus
const char* const kTargetTexts[][2] = {{"0.34567", "0.35850"}, {"0.45986", "0.41060"}};

class CurvesLcms : public TempDirTest {};

TEST_F(CurvesLcms, SettingsAndCalibrationLandOnTheTarget) {
    cmsSetLogErrorHandler(CountError);
    for (const CurvesCase& ref : kReferences) {
        const Bytes reference = BuildReference(ref.make);
        const LcmsCurves trc = OpenCurves(reference.data(), reference.size());
        for (int t = 0; t < 2; ++t) {
            const std::string name = std::string(ref.name) + ", target " + kTargetTexts[t][0];
            Form form;
            StartForm(&form);
            const SourceLoad load = LoadSourceBytes(&form, LoadSource::kProfile, reference.data(), reference.size());
            ASSERT_EQ(load.decoded.response.kind, ResponseKind::kCurves) << name;
            SetFieldText(&form, IDC_TARGET_WHITE_X, kTargetTexts[t][0]);
            SetFieldText(&form, IDC_TARGET_WHITE_Y, kTargetTexts[t][1]);
            CalcBalance(&form);
            Matrix3 normalised;
            ReadNormalisedMatrix(&form, normalised);

            const Account account = MakeAccount(&form, {false, {0, 0, 0}, 100}, load.decoded.response);
            double light[3], luminance = 0;
            for (int c = 0; c < 3; ++c) light[c] = trc.Light(c, account.levels[c]);
            EXPECT_LT(MissTarget(normalised, light, kTargets[t], luminance), 0.0002) << name << ": settings";
            double ratios[3];
            for (int c = 0; c < 3; ++c) ratios[c] = trc.Light(c, account.results.v[c]);
            EXPECT_NEAR(MissTarget(normalised, ratios, kTargets[t], luminance), account.ratios_miss_delta_uv, 0.0002) << name;

            static unsigned char written[kProfileBufferSize];
            size_t size = 0;
            const CalibrationCurves curves = {nullptr, UsableResponse(load.decoded.response)};
            ASSERT_EQ(WriteDisplayProfile(&form, curves, {2023, 11, 14, 22, 13, 20}, written, size).status,
                      CalibrationStatus::kReady) << name;
            const LcmsCurves after = OpenCurves(written, size);
            const auto* vcgt = static_cast<cmsToneCurve* const*>(cmsReadTag(after.profile, cmsSigVcgtTag));
            ASSERT_NE(vcgt, nullptr) << name;
            double full[3], full_luminance = 0;
            for (int c = 0; c < 3; ++c) full[c] = trc.Light(c, cmsEvalToneCurveFloat(vcgt[c], 1.0f));
            MissTarget(normalised, full, kTargets[t], full_luminance);
            for (int level = 1; level <= 10; ++level) {
                const double s = level / 10.0;
                double tone = 0;
                for (int c = 0; c < 3; ++c) tone += normalised.m[3 * c + 1] * trc.Light(c, s);
                bool above_black = true;
                for (int c = 0; c < 3; ++c) {
                    light[c] = trc.Light(c, cmsEvalToneCurveFloat(vcgt[c], static_cast<cmsFloat32Number>(s)));
                    above_black = above_black && full[c] * tone > trc.Light(c, 0.0);
                }
                const std::string at = name + " at grey " + std::to_string(level * 10) + " %";
                const double miss = MissTarget(normalised, light, kTargets[t], luminance);
                if (above_black) {
                    EXPECT_LT(miss, 0.0005) << at;
                }
                EXPECT_NEAR(luminance / full_luminance / tone, 1.0, 0.005) << at << ": tone response";
                EXPECT_NEAR(cmsEvalToneCurveFloat(after.channel[1], static_cast<cmsFloat32Number>(s)) / tone, 1.0, 0.005)
                    << at << ": the written curve";
            }

            // Read back, the written profile shows the target and the reference's primaries.
            Form back;
            StartForm(&back);
            ASSERT_EQ(LoadSourceBytes(&back, LoadSource::kProfile, written, size).report.status, LoadStatus::kApplied);
            for (FieldId id = IDC_REF_WHITE_X; id <= IDC_BLUE_Y; ++id) {
                const double expected = id <= IDC_REF_WHITE_Y ? std::stod(kTargetTexts[t][id - IDC_REF_WHITE_X])
                                                              : ReadFieldNumber(&form, id);
                EXPECT_NEAR(ReadFieldNumber(&back, id), expected, 0.0001) << name << ": field " << id;
            }
            const std::string output = RunIccdump(Write("written.icc", Bytes(written, written + size)));
            EXPECT_EQ(output.find("arning"), std::string::npos) << name << "\n" << output;
            EXPECT_EQ(output.find("rror"), std::string::npos) << name << "\n" << output;
            cmsCloseProfile(after.profile);
        }
        cmsCloseProfile(trc.profile);
    }
    EXPECT_EQ(g_lcmsErrors, 0);
}

}  // namespace
