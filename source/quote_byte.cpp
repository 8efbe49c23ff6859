#include "source/quote_byte.h"

#include <cstdio>

void QuoteByte(unsigned char byte, char (&text)[kQuotedByteSize]) {
    if (byte >= 0x20 && byte < 0x7F && byte != '"' && byte != '\\') {
        std::snprintf(text, sizeof text, "%c", static_cast<char>(byte));
    } else {
        std::snprintf(text, sizeof text, "\\x%02X", byte);
    }
}
