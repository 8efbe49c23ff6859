// Feeds any text to the field's number reading, and the double its bytes
// spell to the number writing. What must hold: the written text fits the
// field's buffer, and a text of fifteen digits or fewer reads back as itself.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "form/number_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // As a field's text: at most 254 characters, up to the first zero byte.
    std::string text(reinterpret_cast<const char*>(data), size < 254 ? size : 254);
    double read = ParseFieldNumber(text.c_str());

    double values[2] = {read, 0.0};
    if (size >= sizeof(double)) std::memcpy(&values[1], data, sizeof(double));
    for (double value : values) {
        char written[kFieldBufferSize];
        std::memset(written, 'Z', sizeof written);
        FormatFieldNumber(value, written);
        if (std::memchr(written, '\0', sizeof written) == nullptr) std::abort();
        if (std::isfinite(value) && std::fabs(value) < 1e9) {
            char again[kFieldBufferSize];
            FormatFieldNumber(ParseFieldNumber(written), again);
            if (std::strcmp(written, again) != 0) std::abort();
        }
    }
    return 0;
}
