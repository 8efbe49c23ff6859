// The companion's output beyond the fields: the new gain settings beside the
// ratios, the account that --explain prints and the --json object.
#pragma once

#include "cli/options.h"
#include "explain/result_account.h"

// "Red\t0.81081", and "\t81" after it with --gains.
void PrintBalance(const Session& session, const Account& account);
// The account on stdout, then its warnings on stderr.
void PrintExplanation(const Session& session, const Account& account);
void PrintJson(const Session& session, const Account& account);
