#include "source/colorimetry.h"

#include "colour/balance.h"

namespace {

void WriteChromaticity(Dialog dlg, FieldId x_field, const Chromaticity& c) {
    WriteFieldNumber(dlg, x_field, c.x);
    WriteFieldNumber(dlg, x_field + 1, c.y);
}

}  // namespace

void ApplyColorimetry(Dialog dlg, const Colorimetry& colorimetry) {
    if (colorimetry.has_white) WriteChromaticity(dlg, IDC_REF_WHITE_X, colorimetry.white);
    for (int k = 0; k < kPrimaryCount; ++k) {
        // Primary k's x is field 1003 + 2k.
        if (colorimetry.has_primary[k]) WriteChromaticity(dlg, IDC_RED_X + 2 * k, colorimetry.primary[k]);
    }
    if (colorimetry.has_gamma) WriteFieldNumber(dlg, IDC_GAMMA, colorimetry.gamma);
    CalcBalance(dlg);
}
