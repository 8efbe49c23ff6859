#include "form/number_text.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace {

double FromBits(std::uint64_t bits) {
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::uint64_t ToBits(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

std::string Format(double value) {
    char text[kFieldBufferSize];
    std::memset(text, 'Z', sizeof text);
    FormatFieldNumber(value, text);
    return text;
}

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kMax = std::numeric_limits<double>::max();
constexpr double kTrueMin = std::numeric_limits<double>::denorm_min();

struct ParseCase {
    const char* text;
    double value;
};

TEST(ParseFieldNumber, ReadsTheLongestLeadingNumber) {
    const ParseCase cases[] = {
        {"", 0.0},
        {"abc", 0.0},
        {"0.3127", 0.3127},
        {"0.3127xyz", 0.3127},
        {"   0.3127", 0.3127},
        {" \t\n\v\f\r2.2", 2.2},
        {"3e-1", 0.3},
        {"3d-1", 0.3},
        {"3D-1", 0.3},
        {"3E+1", 30.0},
        {"0,3127", 0.0},
        {"inf", 0.0},
        {"nan", 0.0},
        {"0x10", 0.0},
        {"5e", 5.0},
        {"5e+", 5.0},
        {"5d-", 5.0},
        {"5ee1", 5.0},
        {"5e1.5", 50.0},
        {".", 0.0},
        {".e1", 0.0},
        {".5", 0.5},
        {"5.", 5.0},
        {"-.5", -0.5},
        {"+.5e1", 5.0},
        {"+-1", 0.0},
        {"- 1", 0.0},
        {"1 2", 1.0},
        {"1.2.3", 1.2},
        {"00000.000001e6", 1.0},
        {"-1.#IND0", -1.0},
        {"1.#INF0", 1.0},
        {"-1.#INF0", -1.0},
        {"1.#QNAN", 1.0},
        {"0.1", 0.1},
        {"2.015625", 2.015625},
        {"1.7976931348623157e308", kMax},
        {"4.9406564584124654e-324", kTrueMin},
        {"0.000000000000000000000000000000001e340", 1e307},
    };
    for (const ParseCase& c : cases) {
        EXPECT_EQ(ToBits(ParseFieldNumber(c.text)), ToBits(c.value)) << '"' << c.text << '"';
    }
}

struct ExtentCase {
    const char* text;
    size_t length;  // characters the number takes
    bool wholly;    // nothing but white space after it
};

TEST(MeasureFieldNumber, CountsTheCharactersTheReadingTakes) {
    const ExtentCase cases[] = {
        {"", 0, false},
        {"abc", 0, false},
        {".", 0, false},
        {"-", 0, false},
        {"0.3127", 6, true},
        {" 0.3127 \t", 7, true},
        {"0,2831", 1, false},
        {"0.3127xyz", 6, false},
        {"-.5", 3, true},
        {"5.", 2, true},
        {"5e", 1, false},
        {"5e+", 1, false},
        {"3d-1", 4, true},
        {"1.#IND0", 2, false},
    };
    for (const ExtentCase& c : cases) {
        EXPECT_EQ(MeasureFieldNumber(c.text), c.length) << c.text;
        EXPECT_EQ(IsWhollyFieldNumber(c.text), c.wholly) << c.text;
    }
}

// Mantissas of at most 2^53 times 10^5 to 10^22 whose exact products, rounded
// to 64 significant bits first and then to a double (as the x87 unit does),
// end one unit in the last place away from the correctly rounded values here.
TEST(ParseFieldNumber, ProductsOfPowersOfTenAreRoundedOnce) {
    const ParseCase cases[] = {
        {"7552294797528605e5", FromBits(0x444478750d3a9e29)},
        {"1662159947137497E+9", FromBits(0x44f5ff9df0c8cb95)},
        {"57582.56849529012d25", FromBits(0x461d125f5f07c71f)},
        {"-6261057687428264e22", -FromBits(0x47c78d2de2cbafc5)},
    };
    for (const ParseCase& c : cases) {
        EXPECT_EQ(ToBits(ParseFieldNumber(c.text)), ToBits(c.value)) << '"' << c.text << '"';
    }
}

TEST(ParseFieldNumber, OutOfRangeBecomesInfinityOrZeroWithItsSign) {
    const ParseCase cases[] = {
        {"1e400", kInf},
        {"-1e400", -kInf},
        {"1.7976931348623159e308", kInf},
        {"1d99999999999999999999999", kInf},
        {"0.00001e999999999", kInf},
        {"1e-400", 0.0},
        {"-1e-400", -0.0},
        {"-0", -0.0},
        {"1e-99999999999999999999", 0.0},
        {"123456789e-999999999", 0.0},
        {"0e999999", 0.0},
        // Half the smallest subnormal is 2.4703282292062327208...e-324.
        {"2.4703282292062328e-324", kTrueMin},
        {"2.4703282292062327e-324", 0.0},
        {"-2.4703282292062328e-324", -kTrueMin},
    };
    for (const ParseCase& c : cases) {
        EXPECT_EQ(ToBits(ParseFieldNumber(c.text)), ToBits(c.value)) << '"' << c.text << '"';
    }
}

#ifndef _WIN32
// glibc's strtod rounds correctly; on well-formed decimal text both must agree.
TEST(ParseFieldNumber, AgreesWithCorrectlyRoundedStrtod) {
    std::mt19937_64 random(2026);
    for (int i = 0; i < 20000; ++i) {
        std::string text = std::to_string(random() % 1000000);
        text += '.';
        int fraction_digits = static_cast<int>(random() % 25);
        for (int d = 0; d < fraction_digits; ++d) text += static_cast<char>('0' + random() % 10);
        text += 'e' + std::to_string(static_cast<int>(random() % 640) - 330);
        EXPECT_EQ(ToBits(ParseFieldNumber(text.c_str())), ToBits(std::strtod(text.c_str(), nullptr)))
            << text;
    }
}
#endif

struct FormatCase {
    double value;
    const char* text;
};

TEST(FormatFieldNumber, RoundsHalfAwayFromZeroInTwoSteps) {
    const FormatCase cases[] = {
        {1.0, "1.00000"},
        {0.0, "0.00000"},
        {0.31270, "0.31270"},
        {0.345678, "0.34568"},
        {-0.0625, "-0.06250"},
        {12.5, "12.50000"},
        {123456.5, "123456.50000"},
        {2.015625, "2.01563"},          // exact half: up in magnitude
        {-2.015625, "-2.01563"},
        {0.015625, "0.01563"},
        {1.765625, "1.76563"},
        {0.123455, "0.12346"},          // just below the half, but a half in 17 digits
        {0.999995, "0.99999"},          // just below the half, also in 17 digits
        {9.999995, "10.00000"},         // the carry widens the text
        {99999.999995, "100000.00000"},
        {0.000005, "0.00001"},
        {0.0000049999999999999996, "0.00000"},
        {1e-5, "0.00001"},
        {kTrueMin, "0.00000"},
        {-0.0, "-0.00000"},
        {-0.000001, "-0.00000"},
        {-kTrueMin, "-0.00000"},
        // Exactly halfway at the 17th digit: half away gives .3, ties-to-even .2.
        {1250000000000000.25, "1250000000000000.30000"},
        {1250000000000000.75, "1250000000000000.80000"},
        {-1250000000000000.25, "-1250000000000000.30000"},
        {9007199254740993.0, "9007199254740992.00000"},  // the literal is 2^53,
        {123456789012345678.0, "123456789012345680.00000"},
    };
    for (const FormatCase& c : cases) {
        EXPECT_EQ(Format(c.value), c.text) << std::hexfloat << c.value;
    }
}

TEST(FormatFieldNumber, NonFiniteValuesGetTheClassicTexts) {
    const FormatCase cases[] = {
        {kInf, "1.#INF0"},
        {-kInf, "-1.#INF0"},
        {FromBits(0xFFF8000000000000), "-1.#IND0"},  // what 0/0 gives on x86
        {FromBits(0x7FF8000000000000), "1.#QNAN"},
        {FromBits(0xFFF8000000000001), "-1.#QNAN"},
        {FromBits(0x7FF0000000000001), "1.#QNAN"},
        {FromBits(0xFFFFFFFFFFFFFFFF), "-1.#QNAN"},
    };
    for (const FormatCase& c : cases) {
        EXPECT_EQ(Format(c.value), c.text) << std::hex << ToBits(c.value);
    }
#ifndef __EMSCRIPTEN__
    // On x86 these are the indefinite; WebAssembly leaves their sign open,
    // which is why the calculation and the readers make it the indefinite.
    volatile double zero = 0.0;
    EXPECT_EQ(Format(zero / zero), "-1.#IND0");
    EXPECT_EQ(Format(kInf - kInf), "-1.#IND0");
#endif
}

TEST(FormatFieldNumber, ValuesTooWideForTheFieldSwitchToExponentForm) {
    const FormatCase cases[] = {
        {2e249, "2.00000e+249"},
        {1.0000000000000001e249, "1.00000e+249"},
        {-1e248, "-1.00000e+248"},
        {kMax, "1.79769e+308"},
        {-kMax, "-1.79769e+308"},
        {1.0000049999e300, "1.00000e+300"},
        {1.000005e300, "1.00001e+300"},
        {9.9999951e300, "1.00000e+301"},
    };
    for (const FormatCase& c : cases) {
        EXPECT_EQ(Format(c.value), c.text);
    }
    // The widest fixed texts still fit: 255 characters and the terminating zero.
    EXPECT_EQ(Format(9e248).size(), 255u);
    EXPECT_EQ(Format(-9e247).size(), 255u);
    // The double nearest 10^249 lies below it and still fits.
    EXPECT_EQ(Format(1e249).size(), 255u);
}

TEST(FormatFieldNumber, ExponentFormReadsBackAsTheValueShown) {
    const double values[] = {2e249, -3.14159e250, kMax, 2.5e300};
    for (double value : values) {
        std::string text = Format(value);
        double back = ParseFieldNumber(text.c_str());
        EXPECT_NEAR(back / value, 1.0, 5e-6) << text;
    }
}

// An independent, slow rendering of the rule: the double's exact decimal
// expansion, rounded half up in magnitude at the 17th significant digit and
// then at the fifth place, as decimal strings.
void RoundDigitsUp(std::string& digits, size_t last) {
    for (size_t i = last + 1; i-- > 0;) {
        if (digits[i] == '.') continue;
        if (digits[i] != '9') {
            ++digits[i];
            return;
        }
        digits[i] = '0';
    }
    digits.insert(0, "1");
}

std::string ReferenceFormat(double value) {
    static char exact[1600];
#ifdef __EMSCRIPTEN__
    // No to_chars for doubles here; the C library's printf is exact too.
    std::string s(exact, static_cast<size_t>(std::snprintf(exact, sizeof exact, "%.1100f", std::fabs(value))));
#else
    auto r = std::to_chars(exact, exact + sizeof exact, std::fabs(value), std::chars_format::fixed, 1100);
    std::string s(exact, r.ptr);
#endif
    size_t point = s.find('.');
    size_t first = s.find_first_not_of("0.");
    if (first != std::string::npos) {
        // The 17th significant digit's index, skipping the full stop.
        size_t i = first;
        for (int n = 1; n < 17; ++n) i += (s[i + 1] == '.') ? 2 : 1;
        size_t next = i + ((s[i + 1] == '.') ? 2 : 1);
        bool up = s[next] >= '5';
        for (size_t k = next; k < s.size(); ++k) if (s[k] != '.') s[k] = '0';
        if (up) {
            size_t before = s.size();
            RoundDigitsUp(s, i);
            point += s.size() - before;
        }
    }
    bool up = s[point + 6] >= '5';
    s.resize(point + 6);
    if (up) RoundDigitsUp(s, s.size() - 1);
    if (std::signbit(value)) s.insert(0, "-");
    while (s.size() < 7) s.insert(0, " ");
    return s;
}

TEST(FormatFieldNumber, MatchesTheExactReferenceAcrossMagnitudesAndBoundaries) {
    std::mt19937_64 random(1729);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    int checked = 0;
    auto check = [&](double value) {
        if (!std::isfinite(value) || std::fabs(value) >= 1e200) return;
        ASSERT_EQ(Format(value), ReferenceFormat(value)) << std::hexfloat << value;
        ++checked;
    };
    for (int i = 0; i < 20000; ++i) {
        // Random bit patterns, and values of every decimal size.
        check(FromBits(random()));
        check(std::pow(10.0, unit(random) * 40.0 - 20.0) * (random() % 2 ? 1 : -1));
        // Both neighbours of texts that end in a 5 at the sixth place.
        double boundary = (static_cast<double>(random() % 10000000) * 10.0 + 5.0) * 1e-6;
        check(boundary);
        check(std::nextafter(boundary, 0.0));
        check(std::nextafter(boundary, kInf));
        // Exact ties at the 17th digit: quarters of odd numbers near 2^52.
        double tie = static_cast<double>((std::uint64_t{1} << 52) + 2 * (random() % (1u << 30)) + 1) / 4.0;
        check(tie);
    }
    EXPECT_GT(checked, 90000);
}

// The shortest text that reads back as the same double, in plain decimal
// between 1e-6 and 1e21 and with an exponent beyond.
TEST(FormatShortestNumber, WritesTheFewestDigitsThatReadBack) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0.459862, "0.459862"},
        {0.3127, "0.3127"},
        {-2.2, "-2.2"},
        {0.1 + 0.2, "0.30000000000000004"},
        {100.0, "100"},
        {0.0, "0"},
        {-0.0, "-0"},
        {0.000001, "0.000001"},
        {1e-7, "1e-7"},
        {123456789012345680000.0, "123456789012345680000"},
        {1e21, "1e+21"},
        {std::numeric_limits<double>::denorm_min(), "5e-324"},
        {std::numeric_limits<double>::max(), "1.7976931348623157e+308"},
        {-std::numeric_limits<double>::infinity(), "-1.#INF0"},
    };
    for (const auto& c : cases) {
        char text[kShortestNumberSize];
        FormatShortestNumber(c.value, text);
        EXPECT_STREQ(text, c.text);
        if (std::isfinite(c.value)) {
            EXPECT_EQ(ParseFieldNumber(text), c.value) << c.text;
        }
    }
    std::mt19937_64 random(21);
    for (int i = 0; i < 10000; ++i) {
        const double value = FromBits(random());
        if (!std::isfinite(value)) continue;
        char text[kShortestNumberSize];
        FormatShortestNumber(value, text);
        ASSERT_EQ(ParseFieldNumber(text), value) << text;
    }
}

}  // namespace
