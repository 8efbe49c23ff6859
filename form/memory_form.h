// An in-memory form: the fourteen field texts without a window, for the tests
// and the companion program. It keeps whatever is set, however long; reads
// obey the same 254-character limit as the dialog's edit controls.
#pragma once

#include <string>

#include "form/form.h"

struct Form {
    std::string texts[kFieldCount];
};

// The text as it stands, or an empty text for an unknown identifier.
const std::string& FieldText(const Form& form, FieldId id);
