#include "form/form.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "form/memory_form.h"

namespace {

TEST(Form, DefaultsAreWrittenAsTheyStandAndOnlyIntoTheInputs) {
    Form form;
    form.texts[IDC_BAL_RED - kFirstFieldId] = "untouched";
    ApplyDefaultTexts(&form);
    const struct {
        FieldId id;
        const char* text;
    } expected[] = {
        {IDC_REF_WHITE_X, "0.3127"}, {IDC_REF_WHITE_Y, "0.3290"}, {IDC_RED_X, "0.640"},
        {IDC_RED_Y, "0.330"},        {IDC_GREEN_X, "0.300"},      {IDC_GREEN_Y, "0.600"},
        {IDC_BLUE_X, "0.150"},       {IDC_BLUE_Y, "0.060"},       {IDC_GAMMA, "2.2"},
        {IDC_TARGET_WHITE_X, "0.3127"}, {IDC_TARGET_WHITE_Y, "0.3290"},
        {IDC_BAL_RED, "untouched"},  {IDC_BAL_GREEN, ""},         {IDC_BAL_BLUE, ""},
    };
    for (const auto& e : expected) EXPECT_EQ(FieldText(form, e.id), e.text) << e.id;
}

TEST(Form, ReadingSeesAtMost254Characters) {
    // A number whose digits run past the limit: the 255th character is cut.
    const struct {
        std::string text;
        double value;
    } cases[] = {
        {std::string(253, ' ') + "7", 7.0},
        {std::string(254, ' ') + "7", 0.0},
        {std::string(252, '0') + "12", 12.0},
        {std::string(253, '0') + "12", 1.0},
        {"0." + std::string(249, '0') + "1e9", 1e-241},
        {"0." + std::string(250, '0') + "1e9", 1e-251},
    };
    for (const auto& c : cases) {
        Form form;
        SetFieldText(&form, IDC_GAMMA, c.text.c_str());
        EXPECT_EQ(ReadFieldNumber(&form, IDC_GAMMA), c.value) << c.text.size();
        EXPECT_EQ(FieldText(form, IDC_GAMMA), c.text);  // the store itself keeps everything
    }
}

TEST(Form, GetTextHonoursTheCallersLimit) {
    Form form;
    SetFieldText(&form, IDC_RED_X, "0.64000");
    char text[kFieldBufferSize];
    const struct {
        int limit;
        const char* text;
    } cases[] = {{kFieldReadLimit, "0.64000"}, {4, "0.6"}, {1, ""}};
    for (const auto& c : cases) {
        std::memset(text, 'Z', sizeof text);
        GetFieldText(&form, IDC_RED_X, text, c.limit);
        EXPECT_STREQ(text, c.text) << c.limit;
    }
}

TEST(Form, WritingReplacesTheTextWithTheFormattedNumber) {
    Form form;
    SetFieldText(&form, IDC_BAL_GREEN, "old text that is longer");
    WriteFieldNumber(&form, IDC_BAL_GREEN, 0.87909);
    EXPECT_EQ(FieldText(form, IDC_BAL_GREEN), "0.87909");
    WriteFieldNumber(&form, IDC_BAL_GREEN, -0.0625);
    EXPECT_EQ(FieldText(form, IDC_BAL_GREEN), "-0.06250");
}

}  // namespace
