// The white balance: from the display's reference white, primaries and gamma
// and the target white (fields 1001 to 1011) to the three drive ratios
// (fields 1012 to 1014).
#pragma once

#include "form/form.h"

void CalcBalance(Dialog dlg);

// What every front end does as it opens: the default texts, then the first
// calculation.
void StartForm(Dialog dlg);
