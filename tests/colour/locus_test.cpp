#include "colour/locus.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "colour/named_whites.h"
#include "colour/temperature.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct LocusCase {
    double kelvin;
    double x;
    double y;
    double tolerance;
};

// CIE 15's daylight locus at the temperatures of D50, D65 and D75 (the
// nominal temperatures scaled by the new c2), either side of the two cubics'
// seam. D75's tabulated white comes from its spectrum and lies 0.00013 off
// the locus, hence its looser bound.
TEST(DaylightLocus, MatchesCie15) {
    const LocusCase cases[] = {
        {6504, 0.31271, 0.32912, 0.00002},
        {5003, 0.34565, 0.35860, 0.00002},
        {7504, 0.29902, 0.31485, 0.00015},
    };
    for (const LocusCase& c : cases) {
        Chromaticity xy = {-1.0, -1.0};
        ASSERT_TRUE(CalcDaylightChromaticity(c.kelvin, xy)) << c.kelvin;
        EXPECT_NEAR(xy.x, c.x, c.tolerance) << c.kelvin;
        EXPECT_NEAR(xy.y, c.y, c.tolerance) << c.kelvin;
    }
}

// Planck's law against the CIE 1931 functions; A is the blackbody at 2856 K.
TEST(PlanckianLocus, MatchesPublishedPoints) {
    const LocusCase cases[] = {
        {3000, 0.43693, 0.40408, 0.0001},
        {5000, 0.34510, 0.35161, 0.0001},
        {6500, 0.31353, 0.32363, 0.0001},
        {9300, 0.28486, 0.29322, 0.0001},
        {2856, 0.44757, 0.40745, 0.0001},
    };
    for (const LocusCase& c : cases) {
        Chromaticity xy = {-1.0, -1.0};
        ASSERT_TRUE(CalcPlanckianChromaticity(c.kelvin, xy)) << c.kelvin;
        EXPECT_NEAR(xy.x, c.x, c.tolerance) << c.kelvin;
        EXPECT_NEAR(xy.y, c.y, c.tolerance) << c.kelvin;
    }
}

struct RangeCase {
    double kelvin;
    bool daylight;
    bool planckian;
};

TEST(Loci, AreDefinedOnlyWithinTheirRanges) {
    const RangeCase cases[] = {
        {999.9, false, false}, {1000, false, true},   {3999.9, false, true}, {4000, true, true},
        {25000, true, true},   {25000.1, false, false}, {kNaN, false, false},
    };
    for (const RangeCase& c : cases) {
        Chromaticity xy = {-1.0, -1.0};
        EXPECT_EQ(CalcDaylightChromaticity(c.kelvin, xy), c.daylight) << c.kelvin;
        EXPECT_EQ(CalcPlanckianChromaticity(c.kelvin, xy), c.planckian) << c.kelvin;
        if (!c.daylight && !c.planckian) {
            EXPECT_EQ(xy.x, -1.0) << c.kelvin << " wrote its output";
        }
    }
}

struct TemperatureCase {
    const char* name;
    Chromaticity xy;
    double kelvin;
    double kelvin_tolerance;
    double duv;
};

// Published CCTs and Duvs (Duv within 0.0001).
TEST(ColourTemperature, MatchesPublishedValues) {
    const TemperatureCase cases[] = {
        {"D65", {0.3127, 0.3290}, 6504, 2, 0.0032},
        {"9300 K bluish", {0.2831, 0.2971}, 9300, 5, 0.0031},
        {"A", {0.44757, 0.40745}, 2856, 2, 0.0000},
        {"E, below the locus", {1.0 / 3.0, 1.0 / 3.0}, 5455, 2, -0.0044},
        {"DCI-P3", {0.314, 0.351}, 6300, 10, 0.0134},
    };
    for (const TemperatureCase& c : cases) {
        const ColourTemperature t = CalcColourTemperature(c.xy);
        ASSERT_TRUE(t.defined) << c.name;
        EXPECT_NEAR(t.kelvin, c.kelvin, c.kelvin_tolerance) << c.name;
        EXPECT_NEAR(t.duv, c.duv, 0.0001) << c.name;
    }
}

TEST(ColourTemperature, RoundTripsAlongTheWholeLocus) {
    // 1000 K to 25000 K in equal ratios, both ends included.
    constexpr int kSteps = 64;
    for (int i = 0; i <= kSteps; ++i) {
        const double kelvin = 1000.0 * std::pow(25.0, static_cast<double>(i) / kSteps);
        Chromaticity xy;
        ASSERT_TRUE(CalcPlanckianChromaticity(kelvin, xy));
        const ColourTemperature t = CalcColourTemperature(xy);
        ASSERT_TRUE(t.defined) << kelvin;
        EXPECT_NEAR(t.kelvin, kelvin, kelvin * 0.001) << kelvin;
        EXPECT_NEAR(t.duv, 0.0, 1e-6) << kelvin;
    }
}

TEST(ColourTemperature, IsUndefinedAwayFromTheLocus) {
    const Chromaticity cases[] = {
        {0.30, 0.50},                               // green, Duv above 0.05
        {0.235, 0.225},                             // bluer than 25000 K
        {0.70, 0.30},                               // redder than 1000 K
        {std::numeric_limits<double>::infinity(), 0.3},
        {-1.0, -1.0},                               // -2x + 12y + 3 not positive
    };
    for (const Chromaticity& c : cases) {
        EXPECT_FALSE(CalcColourTemperature(c).defined) << c.x << ", " << c.y;
    }
}

// D65 and D50 are (0.1978, 0.4683) and (0.2092, 0.4881) in u', v'.
TEST(DeltaUvPrime, IsTheDistanceInCie1976) {
    EXPECT_NEAR(CalcDeltaUvPrime({0.3127, 0.3290}, {0.3457, 0.3585}), 0.0228, 0.0001);
    EXPECT_EQ(CalcDeltaUvPrime({0.3127, 0.3290}, {0.3127, 0.3290}), 0.0);
    EXPECT_TRUE(std::isnan(CalcDeltaUvPrime({0.3127, 0.3290}, {-1.0, -1.0})));
}

struct NameCase {
    const char* name;
    double x;  // 0: not a name
    double y;
};

TEST(NamedWhites, AreFoundInAnyLetterCase) {
    const NameCase cases[] = {
        {"D50", 0.34567, 0.35850}, {"d55", 0.33242, 0.34743}, {"D65", 0.31271, 0.32902},
        {"d75", 0.29902, 0.31485}, {"a", 0.44757, 0.40745},   {"E", 1.0 / 3.0, 1.0 / 3.0},
        {"dci-P3", 0.314, 0.351},  {"D6", 0, 0},              {"D650", 0, 0},
        {"", 0, 0},                {"DCI P3", 0, 0},
    };
    for (const NameCase& c : cases) {
        const NamedWhite* white = FindNamedWhite(c.name);
        if (c.x == 0) {
            EXPECT_EQ(white, nullptr) << c.name;
            continue;
        }
        ASSERT_NE(white, nullptr) << c.name;
        EXPECT_EQ(white->white.x, c.x) << c.name;
        EXPECT_EQ(white->white.y, c.y) << c.name;
    }
}

}  // namespace
