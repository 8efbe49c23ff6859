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

// The display's RGB-to-XYZ matrix from the reference white and primaries
// (fields 1001 to 1008): row k is channel k's XYZ at full drive, scaled so
// that full drive of all three, (1, 1, 1), gives the reference white at Y = 1.
void ReadNormalisedMatrix(Dialog dlg, Matrix3& normalised);

// What every front end does as it opens: the default texts, then the first
// calculation.
void StartForm(Dialog dlg);

// The normaliser: the largest of the three linear channels, with the
// tie-break that the results show.
double StrongestChannel(const Vector3& channels);
