// The companion's options: one table of name, argument and handler, read in
// the order given on the command line.
#pragma once

#include <string>

#include "explain/result_account.h"
#include "form/memory_form.h"

// Everything a run keeps besides the fields: how to show the result.
struct Session {
    Form form;
    bool print_fields = false;
    bool explain = false;
    bool json = false;
    GainSettings gains = {false, {0, 0, 0}, 100};
    // What each profile or EDID load did, one line each, for --explain.
    std::string loads;
    // Where --write-cal and --write-profile put their files once the options
    // have run; "-" for standard output.
    const char* cal_path = nullptr;
    const char* profile_path = nullptr;
};

constexpr int kExitUsage = 2;
constexpr int kExitRefused = 1;

// Runs every option in order. A usage error or a refused file ends the
// program with its exit code and a line on stderr; --help and --version end
// it with 0.
void RunOptions(Session& session, int argc, char** argv);

// The usage error: the reason and the help on stderr, exit 2.
[[noreturn]] void FailUsage(const std::string& reason);
