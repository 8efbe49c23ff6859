// What the companion says about a calculation beyond its three texts: the
// new gain settings, the account --explain prints and the --json object.
#pragma once

#include "cli/options.h"
#include "colour/balance.h"
#include "colour/plausibility.h"
#include "colour/temperature.h"

struct Account {
    BalanceInputs inputs;
    Vector3 results;  // as the result fields show them
    PlausibilityReport report;
    ColourTemperature reference;
    ColourTemperature target;
    double delta_uv;
    // round(present gain x result), where that is a setting at all.
    bool has_setting[3];
    long settings[3];
};

// From the fields as they stand after the last calculation.
Account MakeAccount(Session& session);

// Whether every new setting is within one step of the present one.
bool IsNoChangeNeeded(const Session& session, const Account& account);

// "Red\t0.81081", and "\t81" after it with --gains.
void PrintBalance(const Session& session, const Account& account);
// The account on stdout, its warnings on stderr.
void PrintExplanation(const Session& session, const Account& account);
void PrintJson(const Session& session, const Account& account);
