// The decoding cases, shared by the reader's test (against the texts below)
// and by the edid-decode oracle (against what edid-decode prints for the same
// blocks).
#pragma once

#include <string>
#include <vector>

#include "edid_builder.h"

struct EdidDecodingCase {
    std::string name;
    TenBits values;       // red x, red y, green x, green y, blue x, blue y, white x, white y
    unsigned char gamma;  // the byte; 0xFF keeps field 1009
    // Fields 1001 to 1009 in field order: white x, white y, red x, red y,
    // green x, green y, blue x, blue y, gamma.
    std::vector<std::string> texts;
};

inline std::vector<EdidDecodingCase> EdidDecodingCases() {
    std::vector<EdidDecodingCase> cases = {
        {"typical", {655, 338, 307, 614, 154, 61, 320, 337}, 0x78,
         {"0.31250", "0.32910", "0.63965", "0.33008", "0.29980", "0.59961", "0.15039", "0.05957", "2.20000"}},
        // All alike is no colour data and is refused, so each extreme case
        // holds one value apart.
        {"all 0 but white y, gamma 00", {0, 0, 0, 0, 0, 0, 0, 1}, 0x00,
         {"0.00000", "0.00098", "0.00000", "0.00000", "0.00000", "0.00000", "0.00000", "0.00000", "1.00000"}},
        {"all 1/1024 but white x, gamma FE", {1, 1, 1, 1, 1, 1, 0, 1}, 0xFE,
         {"0.00000", "0.00098", "0.00098", "0.00098", "0.00098", "0.00098", "0.00098", "0.00098", "3.54000"}},
        {"all 1023/1024 but red x, gamma FF", {1022, 1023, 1023, 1023, 1023, 1023, 1023, 1023}, 0xFF,
         {"0.99902", "0.99902", "0.99805", "0.99902", "0.99902", "0.99902", "0.99902", "0.99902", "2.2"}},
    };
    // Low bits 10 in one position of byte 25 or 26 and 01 in the seven others,
    // so that a pair read from the wrong place, or with its bits swapped,
    // shows as 0.00098 where 0.00195 belongs.
    const char* const kNames[8] = {"red x", "red y", "green x", "green y", "blue x", "blue y", "white x", "white y"};
    const int kFieldOrder[8] = {2, 3, 4, 5, 6, 7, 0, 1};  // where each lands among 1001 to 1008
    for (int position = 0; position < 8; ++position) {
        EdidDecodingCase c{std::string("low bits 10 at ") + kNames[position], {1, 1, 1, 1, 1, 1, 1, 1}, 0x78,
                           std::vector<std::string>(8, "0.00098")};
        c.values[position] = 2;
        c.texts[kFieldOrder[position]] = "0.00195";
        c.texts.push_back("2.20000");
        cases.push_back(c);
    }
    return cases;
}
