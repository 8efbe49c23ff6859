// Forms for the reader's tests: the start-up state with a sentinel in the
// result fields, so that any recalculation shows.
#pragma once

#include <gtest/gtest.h>

#include "colour/balance.h"
#include "form/memory_form.h"

inline Form SentinelForm() {
    Form form;
    ApplyDefaultTexts(&form);
    for (FieldId id = IDC_BAL_RED; id <= IDC_BAL_BLUE; ++id) SetFieldText(&form, id, "sentinel");
    return form;
}

// All fourteen texts byte for byte, results included.
inline void ExpectUnchanged(const Form& form, const Form& before, const char* label) {
    for (FieldId id = kFirstFieldId; id <= kLastFieldId; ++id) {
        EXPECT_EQ(FieldText(form, id), FieldText(before, id)) << label << ", field " << id;
    }
}
