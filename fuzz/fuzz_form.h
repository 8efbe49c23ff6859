// What the readers' fuzzers compare: the form as the program starts, and
// whether two forms hold the same texts in a range of fields.
#pragma once

#include "colour/balance.h"
#include "form/memory_form.h"

inline Form StartUpForm() {
    Form form;
    ApplyDefaultTexts(&form);
    CalcBalance(&form);
    return form;
}

inline bool SameTexts(const Form& a, const Form& b, FieldId first, FieldId last) {
    for (FieldId id = first; id <= last; ++id) {
        if (FieldText(a, id) != FieldText(b, id)) return false;
    }
    return true;
}
