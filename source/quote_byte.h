// One byte of a file as text in a reason: printable ASCII as it is, anything
// else (and the quote and backslash that would confuse the quoting around it)
// as \xNN, so that a damaged file cannot put control characters on a terminal.
#pragma once

#include <cstddef>

// "\xNN" and its terminating zero.
constexpr size_t kQuotedByteSize = 5;

void QuoteByte(unsigned char byte, char (&text)[kQuotedByteSize]);
