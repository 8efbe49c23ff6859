#include "explain/describe_warning.h"

#include <gtest/gtest.h>

#include <string>

#include "calibration_cases.h"
#include "explain/result_account.h"

namespace {

struct WordingCase {
    Typed typed;
    const char* code;
    const char* words;  // with the field's number, as the companion shows it
    const char* page_words;
};

// The words name the field as the dialog labels it, the value read and the
// channels; the companion adds the field's number, the page does not.
TEST(DescribeWarnings, NamesWhatToLookAt) {
    const WordingCase cases[] = {
        {{{1010, "0,2831"}}, "field-not-a-number",
         "the target white's x (field 1010) is not wholly a number: only its leading number is read, as 0.00000",
         "the target white's x is not wholly a number: only its leading number is read, as 0.00000"},
        {{{1008, "-0.06"}}, "primary-y-not-positive",
         "the blue primary's y (field 1008) is -0.06000: a primary's y must be above 0",
         "the blue primary's y is -0.06000: a primary's y must be above 0"},
        {{{1010, "0.7"}, {1011, "0.3"}}, "target-outside-gamut",
         "the target lies outside the primaries' triangle: no setting of green and blue reaches it",
         "the target lies outside the primaries' triangle: no setting of green and blue reaches it"},
        {{{1009, "-1"}, {1010, "0.2"}, {1011, "0.2"}}, "gamma-not-positive",
         "the gamma (field 1009) is -1.00000: it must be above 0", "the gamma is -1.00000: it must be above 0"},
    };
    for (const WordingCase& c : cases) {
        Form form = FormWith(c.typed);
        const Account account = MakeAccount(&form, {false, {0, 0, 0}, 100});
        static WarningList shown, hidden;
        DescribeWarnings(account.report, FieldNumbers::kShown, shown);
        DescribeWarnings(account.report, FieldNumbers::kHidden, hidden);
        ASSERT_GT(shown.count, 0) << c.words;
        EXPECT_STREQ(shown.items[0].code, c.code);
        EXPECT_STREQ(shown.items[0].words, c.words);
        EXPECT_STREQ(hidden.items[0].words, c.page_words);
    }
}

}  // namespace
