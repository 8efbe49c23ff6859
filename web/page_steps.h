// The page's three steps' own words, composed after each account
// (page_commands.cpp), and the target as it was chosen by name or
// temperature, which names the calibration files.
#pragma once

#include "explain/result_account.h"

void DescribePageSteps(const GainSettings& gains, const Account& account);
