// Why a load was refused, in words: one line without the file's name, such as
// `not a display profile: device class "prtr"` or `neither an EDID nor its
// hex text: "g" at offset 57`. Bytes that are not printable are shown as \xNN.
#pragma once

#include <cstddef>

#include "source/load_report.h"

constexpr size_t kLoadReasonSize = 128;

void DescribeLoadReport(LoadSource source, const LoadReport& report, char (&text)[kLoadReasonSize]);
