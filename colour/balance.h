// The white balance: from the display's reference white, primaries and gamma
// and the target white (fields 1001 to 1011) to the three drive ratios
// (fields 1012 to 1014).
#pragma once

#include "colour/matrix.h"
#include "form/form.h"

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
