// Reading an ICC display profile into the reference side of the form.
#pragma once

#include "form/form.h"
#include "source/load_report.h"

constexpr int kProfilePathSize = 4096;

// The chosen profile's path, zero-terminated; empty until the file chooser
// writes it, and written by nothing else.
extern char g_profilePath[kProfilePathSize];

// Reads the profile at g_profilePath into fields 1001 to 1009 and recalculates.
// A file that cannot be read or is no RGB display profile changes nothing.
void LoadProfile(Dialog dlg);

// The same load from any path, telling why it refused. The file is closed and
// its buffer released on every path.
LoadReport LoadProfileFrom(Dialog dlg, const char* path);
