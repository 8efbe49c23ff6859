// Reading a monitor's EDID from a file or a stream into the reference side of
// the form, for the companion program.
#pragma once

#include <cstdio>

#include "form/form.h"
#include "profile/describe_load.h"
#include "profile/edid_status.h"

// Reads the file at path (binary or hex text) and applies it as
// ApplyEdidBytes does. The file is closed and its buffer released on every path.
EdidReport LoadEdidFrom(Dialog dlg, const char* path);

// The same from a stream already open, read to its end and left open: for
// standard input. Reading a binary EDID wants the stream in binary mode, which
// on Windows is the caller's to set.
EdidReport LoadEdidFromStream(Dialog dlg, std::FILE* stream);

// Both, and the account of what an applied EDID set and kept and the monitor
// it names (DescribeLoad), for the companion's --explain; empty after a
// refusal.
EdidReport LoadEdidFrom(Dialog dlg, const char* path, char (&account)[kLoadAccountSize]);
EdidReport LoadEdidFromStream(Dialog dlg, std::FILE* stream, char (&account)[kLoadAccountSize]);
