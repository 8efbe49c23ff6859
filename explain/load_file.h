// Loading any source with an account of what the load did, for the companion
// and the page: the source's decoder with its notes, then ApplyColorimetry,
// then the account of what it set and kept; or, for a refusal, the reason in
// words and no field changed.
#pragma once

#include <cstddef>
#include <cstdio>

#include "explain/describe_load.h"
#include "explain/describe_report.h"
#include "form/form.h"
#include "source/load_report.h"

static_assert(kLoadAccountSize >= kLoadReasonSize, "a reason fits where an account does");

struct SourceLoad {
    LoadReport report;
    // What the load set and kept when applied, the reason when refused.
    char text[kLoadAccountSize];
};

// The most bytes a source reads from a file or stream: an EDID is never near
// its limit, a profile has none but memory.
size_t SourceFileLimit(LoadSource source);

SourceLoad LoadSourceBytes(Dialog dlg, LoadSource source, const unsigned char* bytes, size_t size);

// The file at path, closed and its buffer released on every path.
SourceLoad LoadSourceFile(Dialog dlg, LoadSource source, const char* path);

// A stream already open, read to its end and left open: for standard input.
// Binary input wants the stream in binary mode, which on Windows is the
// caller's to set.
SourceLoad LoadSourceStream(Dialog dlg, LoadSource source, std::FILE* stream);

// A refusal that did not come from a decoder (a file the page could not read).
SourceLoad RefuseSource(LoadSource source, LoadStatus status);
