#include "colour/plausibility.h"

#include <gtest/gtest.h>

#include <string>

#include "form/memory_form.h"

namespace {

struct Typed {
    FieldId id;
    const char* text;
};

// The defaults (sRGB, D65, gamma 2.2) with some fields typed over, checked as
// a front end checks them.
PlausibilityReport CheckTyped(std::initializer_list<Typed> typed) {
    Form form;
    ApplyDefaultTexts(&form);
    for (const Typed& t : typed) SetFieldText(&form, t.id, t.text);
    bool wholly[kInputFieldCount];
    for (int i = 0; i < kInputFieldCount; ++i) wholly[i] = IsFieldWhollyNumber(&form, kFirstFieldId + i);
    const BalanceInputs in = ReadBalanceInputs(&form);
    return CheckPlausibility(in, wholly, SolveBalance(in));
}

bool Raises(const PlausibilityReport& report, const char* code) {
    for (int i = 0; i < report.count; ++i) {
        if (std::string(NameWarningCode(report.warnings[i].code)) == code) return true;
    }
    return false;
}

struct PlausibilityCase {
    const char* code;
    std::initializer_list<Typed> typed;
    bool raised;
};

// Each warning, and the case just on the other side of it.
TEST(CheckPlausibility, RaisesEachWarningOnlyWhereItHolds) {
    const PlausibilityCase cases[] = {
        {"field-not-a-number", {{1010, "0,2831"}}, true},
        {"field-not-a-number", {{1010, " 0.2831 "}}, false},
        {"white-y-not-positive", {{1002, "0"}}, true},
        {"white-y-not-positive", {{1002, "0.00001"}}, false},
        {"white-y-not-positive", {{1011, "-0.1"}}, true},
        {"primary-y-not-positive", {{1006, "0"}}, true},
        {"primary-y-not-positive", {{1006, "0.00001"}}, false},
        {"primaries-collinear", {{1003, "0.2"}, {1004, "0.2"}, {1005, "0.4"}, {1006, "0.4"}, {1007, "0.6"}, {1008, "0.6"}}, true},
        {"primaries-collinear", {{1003, "0.2"}, {1004, "0.2"}, {1005, "0.4"}, {1006, "0.4"}, {1007, "0.6"}, {1008, "0.6001"}}, false},
        // The red-green edge of sRGB passes x 0.47 at y 0.465.
        {"white-outside-gamut", {{1001, "0.47"}, {1002, "0.466"}}, true},
        {"white-outside-gamut", {{1001, "0.47"}, {1002, "0.464"}}, false},
        {"green-blue-swapped", {{1005, "0.15"}, {1006, "0.06"}, {1007, "0.3"}, {1008, "0.6"}}, true},
        {"green-blue-swapped", {{1005, "0.15"}, {1006, "0.2"}, {1007, "0.3"}, {1008, "0.6"}}, false},
        {"gamma-not-positive", {{1009, "0"}}, true},
        {"gamma-not-positive", {{1009, "0.01"}}, false},
        {"target-outside-gamut", {{1010, "0.7"}, {1011, "0.3"}}, true},
        {"target-outside-gamut", {{1010, "0.7"}, {1011, "0.3"}, {1009, "1"}}, true},  // negative, not a NaN
        {"target-outside-gamut", {{1010, "0.47"}, {1011, "0.464"}}, false},
        // Primaries on a line, not the target, are why nothing is reached.
        {"target-outside-gamut", {{1003, "0.2"}, {1004, "0.2"}, {1005, "0.4"}, {1006, "0.4"}, {1007, "0.6"}, {1008, "0.6"}}, false},
        {"result-above-one", {{1009, "-2.2"}, {1010, "0.2831"}, {1011, "0.2971"}}, true},
        {"result-above-one", {{1010, "0.2831"}, {1011, "0.2971"}}, false},
    };
    for (const PlausibilityCase& c : cases) {
        std::string typed;
        for (const Typed& t : c.typed) typed += std::to_string(t.id) + "=" + t.text + " ";
        EXPECT_EQ(Raises(CheckTyped(c.typed), c.code), c.raised) << c.code << " with " << typed;
    }
}

TEST(CheckPlausibility, TheDefaultsRaiseNothing) { EXPECT_EQ(CheckTyped({}).count, 0); }

}  // namespace
