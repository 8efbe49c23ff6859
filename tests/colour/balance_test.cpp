#include "colour/balance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "form/memory_form.h"

namespace {

struct Typed {
    FieldId id;
    const char* text;
};

struct BalanceCase {
    const char* name;
    std::initializer_list<Typed> typed;  // typed over the default texts
    const char* red;
    const char* green;
    const char* blue;
};

void ExpectBalance(const BalanceCase& c) {
    Form form;
    ApplyDefaultTexts(&form);
    for (const Typed& t : c.typed) SetFieldText(&form, t.id, t.text);
    CalcBalance(&form);
    EXPECT_EQ(FieldText(form, IDC_BAL_RED), c.red) << c.name;
    EXPECT_EQ(FieldText(form, IDC_BAL_GREEN), c.green) << c.name;
    EXPECT_EQ(FieldText(form, IDC_BAL_BLUE), c.blue) << c.name;
}

TEST(CalcBalance, WorkedTargetsOnAnSrgbDisplay) {
    const BalanceCase cases[] = {
        {"defaults", {}, "1.00000", "1.00000", "1.00000"},
        {"bluish", {{1010, "0.2831"}, {1011, "0.2971"}}, "0.81081", "0.87909", "1.00000"},
        {"D50", {{1010, "0.3457"}, {1011, "0.3585"}}, "1.00000", "0.91843", "0.80086"},
        {"0.3, 0.3", {{1010, "0.3000"}, {1011, "0.3000"}}, "0.91567", "0.88432", "1.00000"},
        {"linear", {{1010, "0.2831"}, {1011, "0.2971"}, {1009, "1.0"}}, "0.63040", "0.75314", "1.00000"},
        {"typed as d exponent", {{1010, "2831d-4"}, {1011, "0.2971xyz"}}, "0.81081", "0.87909", "1.00000"},
    };
    for (const BalanceCase& c : cases) ExpectBalance(c);
}

// Ties are only visible with zeros of opposite sign: the result's sign shows
// which channel was taken.
TEST(StrongestChannel, TakesGreenOnARedGreenTieAndKeepsTheEarlierOnATieWithBlue) {
    struct Case {
        const char* name;
        Vector3 channels;
        bool negative_zero;
    };
    const Case cases[] = {
        {"red +0, green -0: green", {{0.0, -0.0, -1.0}}, true},
        {"red -0, green +0: green", {{-0.0, 0.0, -1.0}}, false},
        {"red -0 taken, blue +0: red kept", {{-0.0, -1.0, 0.0}}, true},
        {"green +0 taken, blue -0: green kept", {{-1.0, 0.0, -0.0}}, false},
    };
    for (const Case& c : cases) {
        const double strongest = StrongestChannel(c.channels);
        EXPECT_EQ(strongest, 0.0) << c.name;
        EXPECT_EQ(std::signbit(strongest), c.negative_zero) << c.name;
    }
}

TEST(CalcBalance, DegenerateInputsFlowThroughAsIeeeValues) {
    const BalanceCase cases[] = {
        // Outside the primaries' triangle: negative channels have no real root.
        {"target outside", {{1010, "0.7"}, {1011, "0.3"}}, "1.00000", "-1.#IND0", "-1.#IND0"},
        // A target y of zero is never divided by.
        {"target y zero", {{1010, "0.3"}, {1011, "0.0"}}, "0.91567", "-1.#IND0", "1.00000"},
        // 1/0 is an infinite exponent; the sub-1 ratios, a few units in the
        // last place below 1 only when nothing is fused, go to zero.
        {"gamma zero", {{1009, "0"}}, "0.00000", "0.00000", "1.00000"},
        // The white a profile's all-zero XYZ tag leaves behind.
        {"white from zero XYZ", {{1001, "-1.#IND0"}, {1002, "-1.#IND0"}}, "0.52710", "1.00000", "-1.#IND0"},
        {"empty gamma", {{1009, ""}}, "0.00000", "0.00000", "1.00000"},
        {"collinear primaries", {{1003, "0.2"}, {1004, "0.2"}, {1005, "0.4"}, {1006, "0.4"}, {1007, "0.6"}, {1008, "0.6"}},
         "-1.#IND0", "-1.#IND0", "-1.#IND0"},
    };
    for (const BalanceCase& c : cases) ExpectBalance(c);
}

TEST(CalcBalance, EqualWhitesGiveFullDriveWhateverThePrimaries) {
    const BalanceCase cases[] = {
        {"Adobe RGB", {{1005, "0.21"}, {1006, "0.71"}}, "1.00000", "1.00000", "1.00000"},
        {"D50 both", {{1001, "0.3457"}, {1002, "0.3585"}, {1010, "0.3457"}, {1011, "0.3585"}},
         "1.00000", "1.00000", "1.00000"},
        {"wide", {{1003, "0.7347"}, {1004, "0.2653"}, {1005, "0.1152"}, {1006, "0.8264"}, {1007, "0.1566"}, {1008, "0.0177"}},
         "1.00000", "1.00000", "1.00000"},
    };
    for (const BalanceCase& c : cases) ExpectBalance(c);
}

TEST(CalcBalance, ReadsItsInputsWithoutRewritingThem) {
    Form form;
    ApplyDefaultTexts(&form);
    SetFieldText(&form, IDC_TARGET_WHITE_X, " 0.2831 typed");
    CalcBalance(&form);
    Form again = form;
    CalcBalance(&again);
    for (FieldId id = kFirstFieldId; id <= kLastFieldId; ++id) {
        EXPECT_EQ(FieldText(again, id), FieldText(form, id)) << id;
    }
    EXPECT_EQ(FieldText(form, IDC_REF_WHITE_X), "0.3127");
    EXPECT_EQ(FieldText(form, IDC_TARGET_WHITE_X), " 0.2831 typed");
}

}  // namespace
