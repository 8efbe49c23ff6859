// The white balance: from the display's reference white, primaries and gamma
// and the target white (fields 1001 to 1011) to the three drive ratios
// (fields 1012 to 1014).
#pragma once

#include "colour/chromaticity.h"
#include "colour/matrix.h"
#include "form/form.h"

// The numbers the calculation reads from fields 1001 to 1011.
struct BalanceInputs {
    Chromaticity white;
    Chromaticity primaries[3];  // red, green, blue
    double gamma;
    Chromaticity target;
};

// Reads fields 1001 to 1011 in increasing identifier order.
BalanceInputs ReadBalanceInputs(Dialog dlg);

// The three results as CalcBalance writes them, before they become text:
// red, green, blue, each not-a-number shown as the indefinite.
Vector3 SolveBalance(const BalanceInputs& in);

void CalcBalance(Dialog dlg);

// What every front end does as it opens: the default texts, then the first
// calculation.
void StartForm(Dialog dlg);
