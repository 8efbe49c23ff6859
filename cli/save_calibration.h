// The companion's --write-cal and --write-profile: the core's writers, the
// date, and the files themselves.
#pragma once

#include "cli/options.h"

// Writes the files the options asked for, from the fields as the last
// calculation left them. Returns whether one of them went to standard
// output (which then carries nothing else). A refusal, a date that cannot be
// stated or a file that cannot be written ends the program with exit code 1,
// the reason on stderr, and leaves no file of that name changed.
bool SaveCalibrationFiles(Session& session);

// --calibration FILE or none: the calibration later curves build on. A file
// that holds none, or one that cannot be built on, ends the program with
// exit code 1 and the reason on stderr.
void ChooseCalibrationOption(Session& session, const char* value);
