// Forms for the calibration writers' tests: displays and targets that the
// tables share, each calculated as the dialog would.
#pragma once

#include <utility>
#include <vector>

#include "colour/balance.h"
#include "form/memory_form.h"

using Typed = std::vector<std::pair<FieldId, const char*>>;

// The defaults, then the typing, then the calculation; results typed after it.
inline Form FormWith(const Typed& inputs, const Typed& results = {}) {
    Form form;
    StartForm(&form);
    for (const auto& [id, text] : inputs) SetFieldText(&form, id, text);
    CalcBalance(&form);
    for (const auto& [id, text] : results) SetFieldText(&form, id, text);
    return form;
}

// Displays and targets that the layout and round-trip tables share.
struct CalibrationDisplay {
    const char* name;
    Typed inputs;
};

const CalibrationDisplay kDisplays[] = {
    {"sRGB, D65 target", {}},
    {"sRGB, 9300 K target", {{1010, "0.2831"}, {1011, "0.2971"}}},
    {"sRGB, D50 target at gamma 1.8", {{1009, "1.8"}, {1010, "0.3457"}, {1011, "0.3585"}}},
    {"wide gamut, native white 0.3, 0.32",
     {{1001, "0.3"}, {1002, "0.32"}, {1003, "0.68"}, {1004, "0.32"}, {1005, "0.265"}, {1006, "0.69"},
      {1009, "2.4"}, {1010, "0.3127"}, {1011, "0.3290"}}},
};

